#include "tokenize/TextParser.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace tavrin {
namespace {

using namespace std::string_literals;
using Pieces = std::vector<std::string>;

TEST(SplitOnDashes, SplitsAtEveryDashAndDropsEmptyPieces)
{
    // A lone lead byte of a dash is not a dash; text without spaces comes apart in reading
    // units, as a paragraph would.
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
        {"\u2015x", {"\u2015x"}},
        {"日本語のテキスト", {"日本語の", "テキスト"}}};
    for (const auto& [word, expected] : cases) {
        EXPECT_EQ(splitOnDashes(word), expected) << word;
    }
}

// Each text's tokens joined by "|", each followed by its pause factor where that is not 1.
TEST(TextParser, SplitsWordsAndPausesAtTheirEnds)
{
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {" \t\r\n\u2028\u2029\u00A0\u0085\n\n\n", ""},
        // a heading, then a paragraph whose last word takes at least the paragraph pause
        {"Chapter One\n\nIt was a dark night, and cold.",
         "Chapter 1.5|One 5|It|was|a|dark|night, 2|and|cold. 3.5"},
        // only blank lines separate paragraphs: CR LF CR LF does not, four line feeds are one
        {"one, two\nthree.\r\n\r\nfour, five\n\n\n\nsix, seven",
         "one, 2|two|three. 3|four, 2|five 3.5|six, 2|seven 3.5"},
        // every Unicode space and line separator splits; a tab only trims
        {"a\u00A0b\u2003c\u3000d\u2028e\u0085f\tg, \th. \t", "a|b|c|d|e|f\tg, 2|h. 3.5"},
        {"Καλημέρα 日本語 👍🏽, nul\0byte\n\nx."s,
         "Καλημέρα|日本語|👍🏽, 2|nul\0byte 3.5|x. 3.5"s},
        // only whole separators split: "т" then a space once decoded as a no-break space
        {"Привет мир, да.", "Привет|мир, 2|да. 3.5"},
        {"Ελληνικά\u00A0κείμενο, ", "Ελληνικά|κείμενο, 3.5"},
        {"ünïcödé\u0085wörds.", "ünïcödé|wörds. 3.5"},
        // Without spaces: punctuation stays with the word before, an opening bracket with the
        // word after; particles join their word; Latin runs and URLs stay whole.
        {"日本語のテキストを、単語に分けて表示します。それは便利ですか？",
         "日本語の|テキストを、 2|単語に|分けて|表示します。 3|それは|便利ですか？ 3.5"},
        {"Debian Liveは、live-buildで作ります（バージョン3.0）。詳しくはhttp://a.org/を参照！",
         "Debian|Liveは、 2|live-buildで 1.16|作ります|（バージョン|3.0）。 "
         "3|詳しくは|http://a.org/|を参照！ 3.5"},
        {"我们的朋友是一本书。这是中文，对吗？",
         "我们的|朋友是|一本书。 3|这是|中文， 2|对吗？ 3.5"},
        {"ภาษาไทยเป็นภาษาที่ไม่มีช่องว่าง ระหว่างคำ", "ภาษา|ไทย|เป็น|ภาษาที่|ไม่มี|ช่อง|ว่าง|ระหว่าง|คำ 3.5"},
        {"日本語\u3000テキスト\u2028終", "日本語 1.5|テキスト 1.5|終 5"},
    };
    for (const auto& [text, expected] : cases) {
        std::ostringstream joined;
        for (const auto& t : TextParser::tokenize(text)) {
            joined << (joined.tellp() > 0 ? "|" : "") << t.text;
            if (t.pauseMultiplier != 1.0) {
                joined << ' ' << t.pauseMultiplier;
            }
            EXPECT_EQ(t.chapterIndex, 0);
        }
        EXPECT_EQ(joined.str(), expected) << text;
    }
}

TEST(TextParser, ShortParagraphsWithoutPeriodOrCommaAreHeadings)
{
    // Words are counted before dash splitting; without spaces, every ideographic or fullwidth
    // full stop or comma counts too.
    const std::pair<bool, std::vector<std::string>> cases[] = {
        {true,
         {"Chapter One", "Yes!", "What happened?", "Part one: the end\u2026",
          "one two three four five six", "a-b c-d e f g h", "第一章概要"}},
        {false,
         {"Chapter 1.", "one two three four five six seven", "a, b", "第一章。概要", "第一章、概要",
          "第一章．概要", "第一章，概要", "第一章｡概要", "第一章､概要"}}};
    for (const auto& [heading, texts] : cases) {
        for (const auto& text : texts) {
            const auto tokens = TextParser::tokenize(text);
            ASSERT_FALSE(tokens.empty());
            for (const auto& t : tokens) {
                EXPECT_EQ(t.isHeading, heading) << text;
            }
            EXPECT_DOUBLE_EQ(tokens.back().pauseMultiplier, heading ? 5.0 : 3.5) << text;
        }
    }
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
