#include "tokenize/UnicodeText.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace tavrin {
namespace {

TEST(UnicodeText, ValidatesUtf8)
{
    for (const char* valid : {"", "plain ascii text that is longer than eight bytes", "é日👍"}) {
        EXPECT_TRUE(UnicodeText::isValidUtf8(valid)) << valid;
    }
    // Truncated, overlong, a surrogate, past U+10FFFF, a stray continuation after the fast path.
    for (const char* invalid :
         {"\xC3", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80",
          "\xF5\x80\x80\x80", "abcdefgh\x80", "\xE2\x82", "caf\xE9 latin-1"}) {
        EXPECT_FALSE(UnicodeText::isValidUtf8(invalid)) << invalid;
    }
    EXPECT_EQ(UnicodeText::decodeUtf8File("\xEF\xBB\xBFword"), std::optional<std::string>("word"));
    EXPECT_FALSE(UnicodeText::decodeUtf8File("\xFF\xFEw\0"));
}

TEST(UnicodeText, CountsUserPerceivedCharacters)
{
    const std::vector<std::pair<std::string, std::size_t>> cases{
        {"", 0},
        {"a", 1},
        {"Hello,", 6},
        {"e\u0301te\u0301", 3},    // combining accents
        {"👍🏽", 1},           // emoji with a skin tone
        {"👨‍👩‍👧", 1}, // joined family
        {"🇫🇷🇩🇪", 2},               // two flags
        {"한국어", 3},
        {"\xE0\xA4\xA8\xE0\xA4\xBF", 1}, // Devanagari consonant with a vowel sign
    };
    for (const auto& [text, count] : cases) {
        EXPECT_EQ(UnicodeText::graphemeCount(text), count) << text;
        std::vector<std::size_t> bounds;
        UnicodeText::graphemeBoundaries(text, bounds);
        EXPECT_EQ(bounds.size(), count + 1) << text;
        EXPECT_EQ(bounds.back(), text.size());
    }
}

TEST(UnicodeText, KnowsBothWhiteSpaceSets)
{
    for (const char32_t c : {U' ', U'\u00A0', U'\u2003', U'\u3000', U'\u202F'}) {
        EXPECT_TRUE(UnicodeText::isWhitespace(c));
        EXPECT_TRUE(UnicodeText::isWhitespaceOrNewline(c));
    }
    for (const char32_t c : {U'\n', U'\r', U'\v', U'\f', U'\u0085', U'\u2028', U'\u2029'}) {
        EXPECT_FALSE(UnicodeText::isWhitespace(c));
        EXPECT_TRUE(UnicodeText::isWhitespaceOrNewline(c));
    }
    EXPECT_TRUE(UnicodeText::isWhitespace(U'\t'));
    EXPECT_FALSE(UnicodeText::isWhitespaceOrNewline(U'\t'));
    for (const char32_t c : {U'a', U'\u200B', U'\uFEFF', U'\u180E', U'\0'}) {
        EXPECT_FALSE(UnicodeText::isWhitespace(c));
        EXPECT_FALSE(UnicodeText::isWhitespaceOrNewline(c));
    }
    EXPECT_EQ(UnicodeText::trimWhitespace("\t\u00A0 a b \t\n"), "a b \t\n");
    EXPECT_EQ(UnicodeText::trimWhitespaceAndNewlines("\n\u2029 a\tb\u0085\t"), "a\tb\u0085\t");
}

} // namespace
} // namespace tavrin
