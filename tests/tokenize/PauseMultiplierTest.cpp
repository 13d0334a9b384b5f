#include "tokenize/PauseMultiplier.h"

#include "support/CaseName.h"

#include <gtest/gtest.h>

#include <string>

namespace tavrin {
namespace {

struct MultiplierCase
{
    std::string word;
    bool heading;
    double expected;
};

class MultiplierTest : public ::testing::TestWithParam<MultiplierCase>
{};

TEST_P(MultiplierTest, GivesTheFactorForTheWord)
{
    const auto& c = GetParam();
    EXPECT_DOUBLE_EQ(computeMultiplier(c.word, c.heading), c.expected) << c.word;
}

INSTANTIATE_TEST_SUITE_P(
    Punctuation, MultiplierTest,
    ::testing::Values(MultiplierCase{"word", false, 1.0}, MultiplierCase{"", false, 1.0},
                      MultiplierCase{"", true, 1.5}, MultiplierCase{"end.", false, 3.0},
                      MultiplierCase{"what?", false, 3.0}, MultiplierCase{"wow!", false, 3.0},
                      MultiplierCase{"however,", false, 2.0}, MultiplierCase{"note;", false, 2.0},
                      MultiplierCase{"follows:", false, 2.0},
                      // closing quote or bracket, ellipsis character: ordinary
                      MultiplierCase{"said.\"", false, 1.0}, MultiplierCase{"(end.)", false, 1.0},
                      MultiplierCase{"and\u2026", false, 1.0},
                      // the Greek question mark is canonically the semicolon
                      MultiplierCase{"\xCF\x84\xCE\xAF\xCD\xBE", false, 2.0},
                      // a combining mark after the period makes another character
                      MultiplierCase{"a.\xCC\x81", false, 1.0},
                      // ideographic and fullwidth marks, as their Latin counterparts
                      MultiplierCase{"。", false, 3.0}, MultiplierCase{"本！", false, 3.0},
                      MultiplierCase{"本？", false, 3.0}, MultiplierCase{"本、", false, 2.0},
                      MultiplierCase{"本，", false, 2.0}, MultiplierCase{"本；", false, 2.0},
                      MultiplierCase{"本：", false, 2.0}, MultiplierCase{"本。」", false, 1.0}),
    [](const auto& c) { return test::caseName(c.param.word, c.index); });

INSTANTIATE_TEST_SUITE_P(
    Abbreviations, MultiplierTest,
    ::testing::Values(MultiplierCase{"Mr.", false, 1.0}, MultiplierCase{"dr.", false, 1.0},
                      MultiplierCase{"Etc.", false, 1.0}, MultiplierCase{"\"Mr.", false, 1.0},
                      MultiplierCase{"'DEC.", false, 1.0}, MultiplierCase{"U.S.", false, 3.0},
                      MultiplierCase{"e.g.", false, 3.0}, MultiplierCase{"eg.", false, 1.0},
                      MultiplierCase{"Dr?", false, 3.0}, MultiplierCase{"Dr!", false, 3.0},
                      MultiplierCase{"Mr..", false, 1.0}, MultiplierCase{"Mrs,", false, 2.0},
                      // full lower-casing: the Kelvin sign lowers to k, not in the list;
                      // the dotted capital I does not lower to plain i
                      MultiplierCase{"\xC4\xB0"
                                     "e.",
                                     false, 3.0}),
    [](const auto& c) { return test::caseName(c.param.word, c.index); });

INSTANTIATE_TEST_SUITE_P(
    LongWords, MultiplierTest,
    ::testing::Values(
        MultiplierCase{"abcdefgh", false, 1.0}, MultiplierCase{"abcdefghi", false, 1.0 + 1 * 0.08},
        MultiplierCase{"extraordinary", false, 1.0 + 5 * 0.08},
        MultiplierCase{"abcdefghijklmno", false, 1.0 + 7 * 0.08},
        MultiplierCase{"abcdefghijklmnop", false, 1.6},
        MultiplierCase{"incomprehensibilities", false, 1.6},
        MultiplierCase{"extraordinary.", false, 3.0}, MultiplierCase{"extraordinary,", false, 2.0},
        MultiplierCase{"Introduction:", true, 1.5}, MultiplierCase{"1234567890", false, 1.0},
        // digits and punctuation are not letters
        MultiplierCase{"abc123def456", false, 1.0},
        // a letter with a combining accent counts once: 8 letters
        MultiplierCase{"re\xCC\x81sume\xCC\x81ss", false, 1.0},
        // ten Cyrillic letters
        MultiplierCase{"\xD0\xB4\xD0\xBE\xD1\x81\xD1\x82\xD0\xBE\xD0\xB5\xD0\xB2"
                       "\xD1\x81\xD0\xBA\xD0\xB8",
                       false, 1.0 + 2 * 0.08},
        MultiplierCase{"said.\u201D", false, 1.0},
        MultiplierCase{"everything.\u201D", false, 1.0 + 2 * 0.08}),
    [](const auto& c) { return test::caseName(c.param.word, c.index); });

} // namespace
} // namespace tavrin
