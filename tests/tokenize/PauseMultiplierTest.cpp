#include "tokenize/PauseMultiplier.h"

#include "tokenize/UnicodeText.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace tavrin {
namespace {

struct MultiplierCase
{
    std::string word;
    double expected;
};

using C = MultiplierCase;

class MultiplierTest : public ::testing::TestWithParam<MultiplierCase>
{};

TEST_P(MultiplierTest, GivesTheFactorForTheWord)
{
    EXPECT_DOUBLE_EQ(computeMultiplier(GetParam().word, false), GetParam().expected);
}

// ASCII letters and digits as they are, other characters as code points, then the index.
std::string caseName(const ::testing::TestParamInfo<MultiplierCase>& info)
{
    std::string name;
    for (std::size_t i = 0; i < info.param.word.size();) {
        const char32_t c = UnicodeText::decodeNext(info.param.word, i);
        char part[12] = {static_cast<char>(c)};
        if (c >= 0x80) {
            std::snprintf(part, sizeof part, "U%04X", static_cast<unsigned>(c));
        }
        name += c >= 0x80 || std::isalnum(static_cast<int>(c)) != 0 ? part : "";
    }
    return name + "_" + std::to_string(info.index);
}

INSTANTIATE_TEST_SUITE_P(
    Punctuation, MultiplierTest,
    ::testing::Values(C{"word", 1.0}, C{"", 1.0}, C{"end.", 3.0}, C{"what?", 3.0}, C{"wow!", 3.0},
                      C{"however,", 2.0}, C{"note;", 2.0}, C{"follows:", 2.0},
                      // closing quote or bracket, ellipsis character: ordinary
                      C{"said.\"", 1.0}, C{"(end.)", 1.0}, C{"and\u2026", 1.0},
                      // the Greek question mark is canonically the semicolon
                      C{"\xCF\x84\xCE\xAF\xCD\xBE", 2.0},
                      // a combining mark after the period makes another character
                      C{"a.\xCC\x81", 1.0},
                      // ideographic and fullwidth marks, as their Latin counterparts
                      C{"。", 3.0}, C{"本！", 3.0}, C{"本？", 3.0}, C{"本、", 2.0}, C{"本，", 2.0},
                      C{"本；", 2.0}, C{"本：", 2.0}, C{"本。」", 1.0}),
    caseName);

INSTANTIATE_TEST_SUITE_P(
    Abbreviations, MultiplierTest,
    ::testing::Values(C{"\"Mr.", 1.0}, C{"'DEC.", 1.0}, C{"U.S.", 3.0}, C{"e.g.", 3.0},
                      C{"Dr?", 3.0}, C{"Dr!", 3.0}, C{"Mr..", 1.0}, C{"Mrs,", 2.0},
                      // full lower-casing: the dotted capital I does not lower to plain i
                      C{"\u0130e.", 3.0}),
    caseName);

INSTANTIATE_TEST_SUITE_P(
    LongWords, MultiplierTest,
    ::testing::Values(C{"abcdefgh", 1.0}, C{"abcdefghi", 1.0 + 1 * 0.08},
                      C{"extraordinary", 1.0 + 5 * 0.08}, C{"abcdefghijklmno", 1.0 + 7 * 0.08},
                      C{"abcdefghijklmnop", 1.6}, C{"incomprehensibilities", 1.6},
                      C{"extraordinary.", 3.0}, C{"extraordinary,", 2.0}, C{"1234567890", 1.0},
                      // digits and punctuation are not letters
                      C{"abc123def456", 1.0},
                      // a letter with a combining accent counts once: 8 letters
                      C{"re\xCC\x81sume\xCC\x81ss", 1.0},
                      // ten Cyrillic letters
                      C{"достоевски", 1.0 + 2 * 0.08}, C{"said.\u201D", 1.0},
                      C{"everything.\u201D", 1.0 + 2 * 0.08}),
    caseName);

TEST(PauseMultiplier, EveryAbbreviationInAnyCaseKeepsItsPeriodOrdinary)
{
    std::istringstream list("mr mrs ms dr prof sr jr st ave blvd vs etc eg ie approx dept est "
                            "fig govt max min misc no org vol rev gen sgt cpl pvt rep sen gov lt "
                            "col jan feb mar apr jun jul aug sep oct nov dec");
    int count = 0;
    for (std::string word; list >> word; ++count) {
        EXPECT_DOUBLE_EQ(computeMultiplier(word + ".", false), 1.0) << word;
        word[0] = static_cast<char>(word[0] - 'a' + 'A');
        EXPECT_DOUBLE_EQ(computeMultiplier(word + ".", false), 1.0) << word;
    }
    EXPECT_EQ(count, 46);
    // Near misses end sentences.
    for (const char* word : {"mrs.x.", "may.", "ms2.", "do.", "decs."}) {
        EXPECT_DOUBLE_EQ(computeMultiplier(word, false), 3.0) << word;
    }
}

TEST(PauseMultiplier, HeadingWordsTakeTheHeadingFactorWhateverTheirEnd)
{
    for (const char* word : {"", "Introduction:", "end.", "incomprehensibilities"}) {
        EXPECT_DOUBLE_EQ(computeMultiplier(word, true), 1.5) << word;
    }
}

} // namespace
} // namespace tavrin
