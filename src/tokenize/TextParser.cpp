#include "tokenize/TextParser.h"

#include "tokenize/PauseMultiplier.h"
#include "tokenize/SpacelessWords.h"
#include "tokenize/UnicodeText.h"

#include <algorithm>

namespace tavrin {

namespace {

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
bool isSeparatorAt(std::string_view text, std::size_t i, std::size_t& next, bool& wide)
{
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
        next = i + 1;
        return kAsciiSeparators.table[c];
    }
    // Every letter of a script written without spaces takes three or four bytes.
    wide = wide || c >= 0xE0;
    next = i;
    return UnicodeText::isWhitespaceOrNewline(UnicodeText::decodeNext(text, next));
}

// The ideographic and fullwidth full stops and commas, which end sentences and clauses in
// Chinese and Japanese as "." and "," do elsewhere.
bool containsIdeographicPeriodOrComma(std::string_view text)
{
    for (const std::string_view mark :
         {"\u3002", "\u3001", "\uFF0E", "\uFF0C", "\uFF61", "\uFF64"}) {
        if (text.find(mark) != std::string_view::npos) {
            return true;
        }
    }
    return false;
}

// At least the number of tokens text gives, and nearly always exactly that: the runs of
// characters between separators and dashes. (One per separator would reserve 56 bytes for
// every space of a text that is mostly spaces.) Text without spaces may give more, and the
// array then grows once more.
std::size_t estimatedTokens(std::string_view text)
{
    std::size_t runs = 0;
    bool inRun = false;
    bool wide = false;
    for (std::size_t i = 0, next = 0; i < text.size(); i = next) {
        const bool boundary = isSeparatorAt(text, i, next, wide) || dashLength(text, i) > 0;
        runs += !boundary && !inRun ? 1 : 0;
        inRun = !boundary;
    }
    return runs;
}

void splitAtDashes(std::string_view word, std::vector<std::string_view>& pieces)
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

// Pieces of one word: split at dashes, or, when the word is written in a script without
// spaces, divided into reading units (whose dashes are punctuation). True in the second case.
bool splitPieces(std::string_view word, std::vector<std::string_view>& pieces)
{
    if (hasSpacelessScript(word)) {
        splitSpacelessWord(UnicodeText::trimWhitespace(word), pieces);
        return true;
    }
    splitAtDashes(word, pieces);
    return false;
}

// splitWords, telling whether the text has a character of three or more bytes in UTF-8.
bool splitWordsNotingWide(std::string_view text, std::vector<std::string_view>& words)
{
    bool wide = false;
    std::size_t start = 0;
    for (std::size_t i = 0, next = 0; i < text.size(); i = next) {
        if (isSeparatorAt(text, i, next, wide)) {
            appendTrimmedPiece(text.substr(start, i - start), words);
            start = next;
        }
    }
    appendTrimmedPiece(text.substr(std::min(start, text.size())), words);
    return wide;
}

// Every piece is a view into text, so where a token begins is where its piece does.
void tokenizeParagraph(std::string_view text, std::string_view paragraph,
                       std::vector<std::string_view>& words, std::vector<std::string_view>& pieces,
                       std::vector<WordToken>& tokens, std::vector<std::size_t>* tokenStarts)
{
    words.clear();
    const bool wide = splitWordsNotingWide(paragraph, words);
    pieces.clear();
    bool spaceless = false;
    if (wide) {
        for (const std::string_view word : words) {
            spaceless = splitPieces(word, pieces) || spaceless;
        }
    } else {
        for (const std::string_view word : words) {
            splitAtDashes(word, pieces);
        }
    }
    if (pieces.empty()) {
        return;
    }
    // Without spaces, the reading units are the words, and the ideographic marks count too.
    using TextParser::containsPeriodOrComma;
    using TextParser::kMaxHeadingWords;
    const bool heading =
        spaceless ? pieces.size() <= kMaxHeadingWords && !containsPeriodOrComma(paragraph) &&
                        !containsIdeographicPeriodOrComma(paragraph)
                  : words.size() <= kMaxHeadingWords && !containsPeriodOrComma(paragraph);
    const double paragraphEnd = heading ? Pause::kHeadingEnd : Pause::kBlockEnd;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        double multiplier = computeMultiplier(pieces[i], heading);
        if (i + 1 == pieces.size() && !(multiplier > paragraphEnd)) {
            multiplier = paragraphEnd;
        }
        tokens.push_back(WordToken{std::string(pieces[i]), multiplier, heading, 0});
        if (tokenStarts) {
            tokenStarts->push_back(static_cast<std::size_t>(pieces[i].data() - text.data()));
        }
    }
}

} // namespace

void splitOnDashes(std::string_view word, std::vector<std::string_view>& pieces)
{
    splitPieces(word, pieces);
}

std::vector<std::string> splitOnDashes(std::string_view word)
{
    std::vector<std::string_view> views;
    splitOnDashes(word, views);
    return {views.begin(), views.end()};
}

void splitWords(std::string_view text, std::vector<std::string_view>& words)
{
    splitWordsNotingWide(text, words);
}

namespace {

std::vector<WordToken> tokenizeText(std::string_view text, std::vector<std::size_t>* tokenStarts)
{
    std::vector<WordToken> tokens;
    // Reserved once, so a large book's array is never regrown (a copy at twice the size).
    tokens.reserve(estimatedTokens(text));
    if (tokenStarts) {
        tokenStarts->reserve(tokens.capacity());
    }
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
            tokenizeParagraph(text, paragraph, words, pieces, tokens, tokenStarts);
        }
        start = end + 2;
    }
    return tokens;
}

} // namespace

bool TextParser::containsPeriodOrComma(std::string_view text)
{
    // (find_first_of searches the two needles once per byte: far slower on a long text.)
    return std::any_of(text.begin(), text.end(), [](char c) { return c == '.' || c == ','; });
}

std::vector<WordToken> TextParser::tokenize(std::string_view text)
{
    return tokenizeText(text, nullptr);
}

std::vector<WordToken> TextParser::tokenize(std::string_view text,
                                            std::vector<std::size_t>& tokenStarts)
{
    tokenStarts.clear();
    return tokenizeText(text, &tokenStarts);
}

} // namespace tavrin
