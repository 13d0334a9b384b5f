#include "tokenize/TextParser.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace tavrin {
namespace {

std::vector<std::string> texts(const std::vector<WordToken>& tokens)
{
    std::vector<std::string> out;
    for (const auto& t : tokens) {
        out.push_back(t.text);
    }
    return out;
}

std::vector<double> factors(const std::vector<WordToken>& tokens)
{
    std::vector<double> out;
    for (const auto& t : tokens) {
        out.push_back(t.pauseMultiplier);
    }
    return out;
}

using Pieces = std::vector<std::string>;

TEST(SplitOnDashes, SplitsAtEveryDashAndDropsEmptyPieces)
{
    const std::vector<std::pair<std::string, Pieces>> cases{
        {"well-known", {"well", "known"}},
        {"1990\u20132000", {"1990", "2000"}},
        {"wait--what", {"wait", "what"}},
        {"a---b", {"a", "b"}},
        {"\u2014", {}},
        {"-5", {"5"}},
        {"co\u00ADop\u2010er\u2011a\u2012tion", {"co", "op", "er", "a", "tion"}},
        {"a\t-\tb", {"a", "b"}},
        {"no dash", {"no dash"}},
        {"", {}},
        // a lone lead byte of a dash is not a dash
        {"\u2015x", {"\u2015x"}},
    };
    for (const auto& [word, expected] : cases) {
        EXPECT_EQ(splitOnDashes(word), expected) << word;
    }
}

TEST(TextParser, EmptyAndBlankTextsYieldNothing)
{
    for (const std::string_view text :
         {"", " ", "\n\n\n", " \t\r\n\u2028\u2029\u00A0\u0085", "-- \u2014 --\n\n\u2013"}) {
        EXPECT_TRUE(TextParser::tokenize(text).empty()) << text;
    }
}

TEST(TextParser, ShortParagraphsWithoutPeriodOrCommaAreHeadings)
{
    const auto tokens = TextParser::tokenize("Chapter One\n\nIt was a dark night, and cold.");
    ASSERT_EQ(tokens.size(), 9u);
    EXPECT_TRUE(tokens[0].isHeading);
    EXPECT_TRUE(tokens[1].isHeading);
    EXPECT_DOUBLE_EQ(tokens[0].pauseMultiplier, 1.5);
    EXPECT_DOUBLE_EQ(tokens[1].pauseMultiplier, 5.0);
    EXPECT_FALSE(tokens[2].isHeading);
    EXPECT_EQ(factors(tokens), (std::vector<double>{1.5, 5.0, 1.0, 1.0, 1.0, 1.0, 2.0, 1.0, 3.5}));

    const std::vector<std::pair<std::string, bool>> paragraphs{
        {"Chapter 1.", false},
        {"Yes!", true},
        {"What happened?", true},
        {"Part one: the end\u2026", true},
        {"one two three four five six", true},
        {"one two three four five six seven", false},
        {"a, b", false},
        // counted before dash splitting: six words, eight pieces
        {"a-b c-d e f g h", true},
    };
    for (const auto& [text, heading] : paragraphs) {
        const auto paragraphTokens = TextParser::tokenize(text);
        ASSERT_FALSE(paragraphTokens.empty());
        for (const auto& t : paragraphTokens) {
            EXPECT_EQ(t.isHeading, heading) << text;
        }
        EXPECT_DOUBLE_EQ(paragraphTokens.back().pauseMultiplier, heading ? 5.0 : 3.5) << text;
    }
}

TEST(TextParser, LastWordOfAParagraphGetsAtLeastTheParagraphPause)
{
    EXPECT_EQ(factors(TextParser::tokenize("I saw it.")), (std::vector<double>{1.0, 1.0, 3.5}));
    EXPECT_EQ(factors(TextParser::tokenize("Did you see it, then?")),
              (std::vector<double>{1.0, 1.0, 1.0, 2.0, 3.5}));
    // a long last word keeps its own factor when larger... never, since it is at most 1.6
    EXPECT_DOUBLE_EQ(TextParser::tokenize("a, b incomprehensibilities").back().pauseMultiplier,
                     3.5);
}

TEST(TextParser, OnlyBlankLinesSeparateParagraphs)
{
    const auto tokens =
        TextParser::tokenize("one, two\nthree.\r\n\r\nfour, five\n\n\n\nsix, seven");
    EXPECT_EQ(texts(tokens), (std::vector<std::string>{"one,", "two", "three.", "four,", "five",
                                                       "six,", "seven"}));
    // CR LF CR LF is no paragraph break; three or more line feeds are one break
    EXPECT_EQ(factors(tokens), (std::vector<double>{2.0, 1.0, 3.0, 2.0, 3.5, 2.0, 3.5}));
}

TEST(TextParser, WordsSplitAtUnicodeSpacesButNotAtTabs)
{
    const auto tokens = TextParser::tokenize("a\u00A0b\u2003c\u3000d\u2028e\u0085f\tg, \th. \t");
    EXPECT_EQ(texts(tokens), (std::vector<std::string>{"a", "b", "c", "d", "e", "f\tg,", "h."}));
    for (const auto& t : tokens) {
        EXPECT_EQ(t.chapterIndex, 0);
    }
}

TEST(TextParser, KeepsNonLatinTextAndOddBytesIntact)
{
    using namespace std::string_literals;
    const std::string text = "Καλημέρα 日本語 👍🏽, nul\0byte\n\nx."s;
    const auto tokens = TextParser::tokenize(text);
    EXPECT_EQ(texts(tokens),
              (std::vector<std::string>{"Καλημέρα", "日本語", "👍🏽,", "nul\0byte"s, "x."}));
    EXPECT_EQ(factors(tokens), (std::vector<double>{1.0, 1.0, 2.0, 3.5, 3.5}));
}

TEST(TextParser, SplitsOnlyAtWholeSeparatorCharacters)
{
    // The bytes inside a multi-byte letter must never be read as the start of a character:
    // the trail byte of "т" followed by a space once decoded as a no-break space.
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases{
        {"Привет мир", {"Привет", "мир"}},
        {"Ελληνικά\u00A0κείμενο ", {"Ελληνικά", "κείμενο"}},
        {"日本語\u3000テキスト\u2028終", {"日本語", "テキスト", "終"}},
        {"ünïcödé\u0085wörds", {"ünïcödé", "wörds"}},
    };
    for (const auto& [text, expected] : cases) {
        std::vector<std::string_view> words;
        splitWords(text, words);
        EXPECT_EQ(std::vector<std::string>(words.begin(), words.end()), expected) << text;
        EXPECT_EQ(texts(TextParser::tokenize(text)), expected) << text;
    }
}

TEST(TextParser, DividesTextWithoutSpacesIntoReadingUnits)
{
    // Punctuation stays with the word before, an opening bracket with the word after; particles
    // join their word; Latin runs and URLs stay whole; headings count units. Joined by "|".
    const std::vector<std::tuple<std::string, std::string, std::vector<double>>> cases{
        {"日本語のテキストを、単語に分けて表示します。それは便利ですか？",
         "日本語の|テキストを、|単語に|分けて|表示します。|それは|便利ですか？",
         {1.0, 2.0, 1.0, 1.0, 3.0, 1.0, 3.5}},
        {"Debian Liveは、live-buildで作ります（バージョン3.0）。詳しくはhttp://a.org/を参照！",
         "Debian|Liveは、|live-buildで|作ります|（バージョン|3.0）。|詳しくは|http://a.org/"
         "|を参照！",
         {1.0, 2.0, 1.16, 1.0, 1.0, 3.0, 1.0, 1.0, 3.5}},
        {"我们的朋友是一本书。这是中文，对吗？",
         "我们的|朋友是|一本书。|这是|中文，|对吗？",
         {1.0, 1.0, 3.0, 1.0, 2.0, 3.5}},
        {"ภาษาไทยเป็นภาษาที่ไม่มีช่องว่าง ระหว่างคำ",
         "ภาษา|ไทย|เป็น|ภาษาที่|ไม่มี|ช่อง|ว่าง|ระหว่าง|คำ",
         {1, 1, 1, 1, 1, 1, 1, 1, 3.5}},
        {"はじめに\n\n第一章、概要", "はじめに|第一章、|概要", {5.0, 2.0, 3.5}},
    };
    for (const auto& [text, expected, multipliers] : cases) {
        const auto tokens = TextParser::tokenize(text);
        std::string joined;
        for (const auto& t : tokens) {
            joined += (joined.empty() ? "" : "|") + t.text;
        }
        EXPECT_EQ(joined, expected);
        EXPECT_EQ(factors(tokens), multipliers) << text;
    }
    EXPECT_EQ(splitOnDashes("日本語のテキスト"), (Pieces{"日本語の", "テキスト"})); // EPUB's way in
}

TEST(TextParser, HugeSingleWordIsOneToken)
{
    std::string text(200u << 20, 'a');
    text += ".";
    const auto tokens = TextParser::tokenize(text);
    ASSERT_EQ(tokens.size(), 1u);
    EXPECT_EQ(tokens[0].text.size(), text.size());
    EXPECT_DOUBLE_EQ(tokens[0].pauseMultiplier, 3.5);
}

} // namespace
} // namespace tavrin
