#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin::UnicodeText {

// Text in the core is UTF-8. These helpers give the Unicode rules the tokenizers and the
// word display share: user-perceived characters (grapheme clusters), the alphabetic
// property, full lower-casing, canonical equivalence and the two white-space sets. ASCII
// takes a fast path; everything else goes to ICU. Thread-safe.

/// True when bytes are well-formed UTF-8 (no overlong forms, surrogates or values past
/// U+10FFFF).
bool isValidUtf8(std::string_view bytes);

/// The text of a file read as UTF-8: nullopt when it is not valid UTF-8. A leading byte
/// order mark is an encoding signature, not text, and is dropped.
std::optional<std::string> decodeUtf8File(std::string_view bytes);

/// Decodes the code point starting at s[i] of valid UTF-8 and moves i past it.
char32_t decodeNext(std::string_view s, std::size_t& i);
/// Decodes the code point ending just before s[end] of valid UTF-8 and moves end to its start.
char32_t decodePrevious(std::string_view s, std::size_t& end);

/// The white-space set: space separators (Zs) and the tab.
bool isWhitespace(char32_t c);
/// The white-space-and-newline set: Zs, Zl, Zp, U+000A to U+000D and U+0085.
bool isWhitespaceOrNewline(char32_t c);
/// Whether the code point has the Unicode Alphabetic property.
bool isAlphabetic(char32_t c);

std::string_view trimWhitespace(std::string_view s);
std::string_view trimWhitespaceAndNewlines(std::string_view s);

/// Number of user-perceived characters.
std::size_t graphemeCount(std::string_view s);
/// Number of user-perceived characters whose first code point is alphabetic.
std::size_t letterCount(std::string_view s);
/// Byte offsets of the user-perceived character boundaries, from 0 to s.size() inclusive.
void graphemeBoundaries(std::string_view s, std::vector<std::size_t>& out);

/// Byte offsets of the word boundaries, from 0 to s.size() inclusive: ICU's dictionary-based
/// word breaks, which also divide text of scripts written without spaces (Chinese, Japanese,
/// Thai) into words. Punctuation and spaces form segments of their own.
void wordBoundaries(std::string_view s, std::vector<std::size_t>& out);

/// The last user-perceived character, when it is canonically equivalent to a single ASCII
/// character; 0 otherwise (also for the empty string).
char lastCharacterAsAscii(std::string_view s);

/// Full Unicode lower-casing (root locale).
std::string toLower(std::string_view s);

/// c lower-cased when it is an ASCII capital letter, else c unchanged: for names, paths and
/// markers that only ever differ in ASCII case.
constexpr char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace tavrin::UnicodeText
