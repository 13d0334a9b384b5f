#include "tokenize/TextParser.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>

namespace tavrin {
namespace {

using namespace std::string_literals;

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// data/rich.txt's tokens, one a line: text, pause factor, and "heading" for a heading's words.
// After a deliberate change, regenerate the expected file with TAVRIN_REGENERATE_GOLDEN=1 and
// review its diff.
TEST(TextParser, TokenizesARichTextAsRecorded)
{
    std::ostringstream dump;
    for (const auto& t : TextParser::tokenize(readFile(TAVRIN_TOKENIZE_DATA "/rich.txt"))) {
        dump << t.text << ' ' << t.pauseMultiplier << (t.isHeading ? " heading" : "") << '\n';
        EXPECT_EQ(t.chapterIndex, 0);
    }
    const std::string expectedPath = TAVRIN_TOKENIZE_DATA "/rich.tokens";
    if (std::getenv("TAVRIN_REGENERATE_GOLDEN")) {
        std::ofstream(expectedPath, std::ios::binary) << dump.str();
    }
    EXPECT_EQ(dump.str(), readFile(expectedPath));
}

// Invisible separators and control characters: each text's tokens joined by "|", each
// followed by its pause factor where that is not 1.
TEST(TextParser, SplitsAtEverySeparatorAndTrimsTabs)
{
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {" \t\r\n\u2028\u2029\u00A0\u0085\n\n\n", ""},
        {"-- \u2014 --\n\n\u2013", ""},
        // only blank lines separate paragraphs: CR LF CR LF does not, four line feeds are one
        {"one, two\nthree.\r\n\r\nfour, five\n\n\n\nsix, seven",
         "one, 2|two|three. 3|four, 2|five 3.5|six, 2|seven 3.5"},
        {"a\u00A0b\u2003c\u3000d\u2028e\u0085f\tg, \th. \t", "a|b|c|d|e|f\tg, 2|h. 3.5"},
        {"co\u00ADop a\t-\tb nul\0byte."s, "co|op|a|b|nul\0byte. 3.5"s},
        // only whole separators split: "κ" then a no-break space, not a byte of either
        {"Ελληνικά\u00A0κείμενο, ", "Ελληνικά|κείμενο, 3.5"},
        {"ünïcödé\u0085wörds.", "ünïcödé|wörds. 3.5"},
        {"日本語\u3000テキスト\u2028終", "日本語 1.5|テキスト 1.5|終 5"},
    };
    for (const auto& [text, expected] : cases) {
        std::ostringstream joined;
        for (const auto& t : TextParser::tokenize(text)) {
            joined << (joined.tellp() > 0 ? "|" : "") << t.text;
            if (t.pauseMultiplier != 1.0) {
                joined << ' ' << t.pauseMultiplier;
            }
        }
        EXPECT_EQ(joined.str(), expected) << text;
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
