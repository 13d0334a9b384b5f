#pragma once

#include <string_view>
#include <vector>

namespace tavrin {

/// Whether the word holds a letter of a script written without spaces between words: Han,
/// Hiragana, Katakana, Thai, Lao, Khmer or Myanmar. Cheap for ASCII and for the letters and
/// punctuation of space-separated scripts. Pure and thread-safe; word must be valid UTF-8.
bool hasSpacelessScript(std::string_view word);

/// Divides a word holding such letters into reading units of about two to six characters,
/// appending views into word to units: ICU's dictionary word boundaries, with punctuation kept
/// with the word before it (opening brackets and quotes with the word after), a lone particle
/// or one-character word joined to a neighbour, and runs of other scripts (a name, a version
/// number, a URL) kept whole. Pure and thread-safe; word must be valid UTF-8.
void splitSpacelessWord(std::string_view word, std::vector<std::string_view>& units);

} // namespace tavrin
