#include "session/PlaybackTiming.h"

#include <gtest/gtest.h>

#include <limits>

namespace tavrin {
namespace {

using namespace std::chrono_literals;
using PlaybackTiming::wordDeadline;
using PlaybackTiming::wordInterval;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(PlaybackTimingTest, WordInterval)
{
    const struct
    {
        double multiplier;
        double wpm;
        std::chrono::nanoseconds interval;
    } cases[] = {
        {1.0, 300.0, 200ms}, {2.5, 300.0, 500ms}, {5.0, 60.0, 5s},      {1.0, 310.0, 193'548'387ns},
        {1.0, 0.0, 1s},      {1.0, kNaN, 1s},     {kNaN, 300.0, 200ms}, {0.0, 300.0, 0ns},
        {1e300, 300.0, 24h}, {1.0, 1e-300, 24h},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(wordInterval(c.multiplier, c.wpm), c.interval) << c.multiplier << " at " << c.wpm;
    }
}

TEST(PlaybackTimingTest, DeadlineCountsFromTheNominalStart)
{
    // On time or late by less than a word: the word ends on schedule.
    EXPECT_EQ(wordDeadline(1000ms, 200ms, 1000ms), 1200ms);
    EXPECT_EQ(wordDeadline(1000ms, 200ms, 1199ms), 1200ms);
    // Later than the whole word: a full word from now.
    EXPECT_EQ(wordDeadline(1000ms, 200ms, 1200ms), 1400ms);
}

} // namespace
} // namespace tavrin
