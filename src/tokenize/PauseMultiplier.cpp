#include "tokenize/PauseMultiplier.h"

#include "tokenize/UnicodeText.h"

#include <algorithm>
#include <array>
#include <string>

namespace tavrin {

namespace {

// Abbreviations whose final period does not end a sentence, sorted for binary search.
constexpr auto kAbbreviations = [] {
    std::array<std::string_view, 46> words{
        "mr",  "mrs", "ms",     "dr",   "prof", "sr",  "jr",   "st",  "ave", "blvd", "vs",  "etc",
        "eg",  "ie",  "approx", "dept", "est",  "fig", "govt", "max", "min", "misc", "no",  "org",
        "vol", "rev", "gen",    "sgt",  "cpl",  "pvt", "rep",  "sen", "gov", "lt",   "col", "jan",
        "feb", "mar", "apr",    "jun",  "jul",  "aug", "sep",  "oct", "nov", "dec"};
    std::sort(words.begin(), words.end());
    return words;
}();

bool isAbbreviation(std::string_view lowered)
{
    return std::binary_search(kAbbreviations.begin(), kAbbreviations.end(), lowered);
}

bool isStripped(char32_t c)
{
    return c == '.' || c == '?' || c == '!' || c == U'\u2026' || c == '"' || c == '\'';
}

std::string_view stripForLookup(std::string_view word)
{
    std::size_t begin = 0;
    while (begin < word.size()) {
        std::size_t next = begin;
        if (!isStripped(UnicodeText::decodeNext(word, next))) {
            break;
        }
        begin = next;
    }
    std::size_t end = word.size();
    while (end > begin) {
        std::size_t previous = end;
        if (!isStripped(UnicodeText::decodePrevious(word, previous))) {
            break;
        }
        end = previous;
    }
    return word.substr(begin, end - begin);
}
// The ideographic full stop and the fullwidth marks end sentences and clauses of Chinese and
// Japanese text as their Latin counterparts do; all take three bytes in UTF-8.
double ideographicMultiplier(std::string_view word)
{
    if (word.size() < 3 || static_cast<unsigned char>(word.back()) < 0x80) {
        return Pause::kOrdinary;
    }
    const std::string_view last = word.substr(word.size() - 3);
    for (const std::string_view mark : {"\u3002", "\uFF01", "\uFF1F"}) {
        if (last == mark) {
            return Pause::kSentenceEnd;
        }
    }
    for (const std::string_view mark : {"\u3001", "\uFF0C", "\uFF1B", "\uFF1A"}) {
        if (last == mark) {
            return Pause::kClause;
        }
    }
    return Pause::kOrdinary;
}

double baseMultiplier(std::string_view word)
{
    switch (UnicodeText::lastCharacterAsAscii(word)) {
    case '.': {
        const std::string_view stripped = stripForLookup(word);
        // Lower-casing cannot shorten a word by much, so anything long is no abbreviation.
        if (stripped.size() <= 3 * 6 && isAbbreviation(UnicodeText::toLower(stripped))) {
            return Pause::kOrdinary;
        }
        return Pause::kSentenceEnd;
    }
    case '?':
    case '!':
        return Pause::kSentenceEnd;
    case ',':
    case ';':
    case ':':
        return Pause::kClause;
    default:
        return ideographicMultiplier(word);
    }
}

std::size_t codePointCount(std::string_view word)
{
    std::size_t count = 0;
    for (const char c : word) {
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    }
    return count;
}

} // namespace

double computeMultiplier(std::string_view word, bool isHeading)
{
    if (isHeading) {
        return Pause::kHeadingWord;
    }
    const double base = baseMultiplier(word);
    // Nine letters need at least nine code points; most words stop here.
    if (codePointCount(word) < 9) {
        return base;
    }
    const std::size_t letters = UnicodeText::letterCount(word);
    if (letters < 9) {
        return base;
    }
    const double extra = static_cast<double>(letters - 8) * 0.08;
    const double longWord = extra < 0.6 ? 1.0 + extra : 1.6;
    return std::max(base, longWord);
}

} // namespace tavrin
