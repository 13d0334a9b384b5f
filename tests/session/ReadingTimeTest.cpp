#include "session/ReadingTime.h"

#include <gtest/gtest.h>

#include <limits>

namespace tavrin::test {
namespace {

TEST(ReadingTimeTest, TimeLeftIsTheSumOfTheRemainingWordsOwnIntervals)
{
    // Multipliers 1, 3, 2.5, 1.08 | 5, 1, NaN (timed as 1.0) in two chapters.
    std::vector<WordToken> tokens;
    const double multipliers[] = {
        1.0, 3.0, 2.5, 1.08, 5.0, 1.0, std::numeric_limits<double>::quiet_NaN()};
    for (std::size_t i = 0; i < 7; ++i) {
        tokens.push_back({"w", multipliers[i], false, i < 4 ? 0 : 1});
    }
    ReadingTime time;
    time.setTokens(tokens);
    // At 60 wpm a word of multiplier 1 lasts one second.
    const struct
    {
        std::int64_t index;
        double wpm;
        ReadingTime::Position expected;
    } cases[] = {
        {0, 60.0, {1, 2, 0, 7.58, 14.58}},  {2, 60.0, {1, 2, 33, 3.58, 10.58}},
        {3, 120.0, {1, 2, 50, 0.54, 4.04}}, {4, 60.0, {2, 2, 66, 7.0, 7.0}},
        {6, 60.0, {2, 2, 100, 1.0, 1.0}},   {1, -5.0, {1, 2, 16, 6.58, 13.58}},
    };
    for (const auto& c : cases) {
        const auto got = time.at(c.index, c.wpm);
        EXPECT_EQ(got.chapterNumber, c.expected.chapterNumber) << c.index;
        EXPECT_EQ(got.chapterCount, c.expected.chapterCount) << c.index;
        EXPECT_EQ(got.percent, c.expected.percent) << c.index;
        EXPECT_NEAR(got.secondsLeftInChapter, c.expected.secondsLeftInChapter, 1e-9) << c.index;
        EXPECT_NEAR(got.secondsLeft, c.expected.secondsLeft, 1e-9) << c.index;
    }
}

TEST(ReadingTimeTest, DescribesWhereTheReaderIs)
{
    EXPECT_EQ(ReadingTime::describe({3, 12, 42, 9 * 60.0, (2 * 60 + 14) * 60.0}),
              "Chapter 3 of 12 \u00B7 42% \u00B7 9 min left in chapter \u00B7 2 h 14 min left");
    EXPECT_EQ(ReadingTime::describe({1, 1, 100, 20.0, 20.0}), "100% \u00B7 < 1 min left");
    EXPECT_EQ(ReadingTime::duration(59.9), "< 1 min");
    EXPECT_EQ(ReadingTime::duration(89.0), "1 min");
    EXPECT_EQ(ReadingTime::duration(3600.0), "1 h 0 min");
}

} // namespace
} // namespace tavrin::test
