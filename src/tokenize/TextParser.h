#pragma once

#include "tokenize/WordToken.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin {

/// Splits a word into its pieces at dashes (hyphen-minus, U+2010 to U+2014 and the soft
/// hyphen), trims spaces and tabs from each piece and drops the empty ones. A word holding a
/// script written without spaces (Chinese, Japanese, Thai...) is divided into reading units
/// instead (see splitSpacelessWord).
std::vector<std::string> splitOnDashes(std::string_view word);

/// The same, appending views into word to pieces (no allocation per piece).
void splitOnDashes(std::string_view word, std::vector<std::string_view>& pieces);

/// Splits text into words at the white-space-and-newline characters, trimming spaces and
/// tabs from each and dropping empty ones; appends views into text to words.
void splitWords(std::string_view text, std::vector<std::string_view>& words);

/// Plain text to tokens: paragraphs end at blank lines ("\n\n"), short paragraphs without
/// "." or "," (nor their ideographic forms, in text without spaces) are headings, words split at
/// dashes, the last word of a paragraph pauses longest. Every token has chapter 0. Pure; text must
/// be valid UTF-8.
namespace TextParser {
std::vector<WordToken> tokenize(std::string_view text);

/// The same, and where each token's text begins in text (a byte offset), one per token.
std::vector<WordToken> tokenize(std::string_view text, std::vector<std::size_t>& tokenStarts);

/// A paragraph of at most this many words, without "." or ",", is a heading.
constexpr std::size_t kMaxHeadingWords = 6;

/// Whether text holds an ASCII "." or ",", the marks that keep a short paragraph from
/// being a heading.
bool containsPeriodOrComma(std::string_view text);
} // namespace TextParser

} // namespace tavrin
