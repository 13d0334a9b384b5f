#include "tokenize/TextParser.h"

#include "tokenize/PauseMultiplier.h"
#include "tokenize/UnicodeText.h"

#include <algorithm>

namespace tavrin {

namespace {

constexpr std::size_t kMaxHeadingWords = 6;

// Length of the dash starting at word[i], or 0 when there is none there.
std::size_t dashLength(std::string_view word, std::size_t i)
{
    const auto c = static_cast<unsigned char>(word[i]);
    if (c == '-') {
        return 1;
    }
    if (c == 0xC2 && i + 1 < word.size() && static_cast<unsigned char>(word[i + 1]) == 0xAD) {
        return 2; // U+00AD soft hyphen
    }
    if (c == 0xE2 && i + 2 < word.size() && static_cast<unsigned char>(word[i + 1]) == 0x80) {
        const auto last = static_cast<unsigned char>(word[i + 2]);
        if (last >= 0x90 && last <= 0x94) {
            return 3; // U+2010 to U+2014
        }
    }
    return 0;
}

void appendTrimmedPiece(std::string_view piece, std::vector<std::string_view>& pieces)
{
    piece = UnicodeText::trimWhitespace(piece);
    if (!piece.empty()) {
        pieces.push_back(piece);
    }
}

// The ASCII separators, looked up in a table in the tokenizer's innermost loop.
struct AsciiSeparators
{
    bool table[128];
    AsciiSeparators()
    {
        for (char32_t c = 0; c < 128; ++c) {
            table[c] = UnicodeText::isWhitespaceOrNewline(c);
        }
    }
};
const AsciiSeparators kAsciiSeparators;

// The separator at text[i], if any; next is set past the character at i either way, so the
// scan always steps over whole characters.
bool isSeparatorAt(std::string_view text, std::size_t i, std::size_t& next)
{
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
        next = i + 1;
        return kAsciiSeparators.table[c];
    }
    next = i;
    return UnicodeText::isWhitespaceOrNewline(UnicodeText::decodeNext(text, next));
}

bool containsPeriodOrComma(std::string_view text)
{
    // (find_first_of searches the two needles once per byte: far slower on a long text.)
    return std::any_of(text.begin(), text.end(), [](char c) { return c == '.' || c == ','; });
}

void tokenizeParagraph(std::string_view paragraph, std::vector<std::string_view>& words,
                       std::vector<std::string_view>& pieces, std::vector<WordToken>& tokens)
{
    words.clear();
    splitWords(paragraph, words);
    const bool heading = words.size() <= kMaxHeadingWords && !containsPeriodOrComma(paragraph);

    pieces.clear();
    for (const std::string_view word : words) {
        splitOnDashes(word, pieces);
    }
    if (pieces.empty()) {
        return;
    }
    const double paragraphEnd = heading ? Pause::kHeadingEnd : Pause::kBlockEnd;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        double multiplier = computeMultiplier(pieces[i], heading);
        if (i + 1 == pieces.size() && !(multiplier > paragraphEnd)) {
            multiplier = paragraphEnd;
        }
        tokens.push_back(WordToken{std::string(pieces[i]), multiplier, heading, 0});
    }
}

// At least the number of tokens text gives, and nearly always exactly that: the runs of
// characters between separators and dashes. (One per separator would reserve 56 bytes for
// every space of a text that is mostly spaces.)
std::size_t estimatedTokens(std::string_view text)
{
    std::size_t runs = 0;
    bool inRun = false;
    for (std::size_t i = 0, next = 0; i < text.size(); i = next) {
        const bool boundary = isSeparatorAt(text, i, next) || dashLength(text, i) > 0;
        runs += !boundary && !inRun ? 1 : 0;
        inRun = !boundary;
    }
    return runs;
}

} // namespace

void splitOnDashes(std::string_view word, std::vector<std::string_view>& pieces)
{
    std::size_t start = 0;
    for (std::size_t i = 0; i < word.size();) {
        if (const std::size_t length = dashLength(word, i)) {
            appendTrimmedPiece(word.substr(start, i - start), pieces);
            i += length;
            start = i;
        } else {
            ++i;
        }
    }
    appendTrimmedPiece(word.substr(start), pieces);
}

std::vector<std::string> splitOnDashes(std::string_view word)
{
    std::vector<std::string_view> views;
    splitOnDashes(word, views);
    return {views.begin(), views.end()};
}

void splitWords(std::string_view text, std::vector<std::string_view>& words)
{
    std::size_t start = 0;
    for (std::size_t i = 0, next = 0; i < text.size(); i = next) {
        if (isSeparatorAt(text, i, next)) {
            appendTrimmedPiece(text.substr(start, i - start), words);
            start = next;
        }
    }
    appendTrimmedPiece(text.substr(std::min(start, text.size())), words);
}

std::vector<WordToken> TextParser::tokenize(std::string_view text)
{
    std::vector<WordToken> tokens;
    // Reserved once, so a large book's array is never regrown (a copy at twice the size).
    tokens.reserve(estimatedTokens(text));
    std::vector<std::string_view> words;
    std::vector<std::string_view> pieces;

    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find("\n\n", start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        const std::string_view paragraph =
            UnicodeText::trimWhitespaceAndNewlines(text.substr(start, end - start));
        if (!paragraph.empty()) {
            tokenizeParagraph(paragraph, words, pieces, tokens);
        }
        start = end + 2;
    }
    return tokens;
}

} // namespace tavrin
