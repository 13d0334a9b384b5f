#include "session/Navigation.h"
#include "session/ReadingTime.h"
#include "support/TestTokens.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <limits>
#include <tuple>

namespace tavrin::test {
namespace {

/// One step from `from` in a word list, and the index it leads to (nothing: no move at all).
struct Step
{
    const std::vector<WordToken>* tokens;
    std::int64_t from;
    bool forward;
    std::optional<std::int64_t> to;
};

template<typename Move> void expectSteps(Move move, std::initializer_list<Step> steps)
{
    for (const Step& s : steps) {
        EXPECT_EQ(move(*s.tokens, s.from, s.forward), s.to)
            << s.from << (s.forward ? " forward" : " back");
    }
}

TEST(NavigationTest, ChapterSteps)
{
    // Chapters 0 0 1 1 2, and a book whose chapter numbers skip 1 (an unreadable chapter).
    const auto book = makeTokens(5, {0, 0, 1, 1, 2});
    const auto gap = makeTokens(4, {0, 0, 2, 2});
    // clang-format off
    expectSteps(Navigation::chapterStep, {
        {&book, 3, false, 2}, {&book, 2, false, 0}, {&book, 1, false, 0}, {&book, 0, false, 0},
        {&book, 0, true, 2},  {&book, 3, true, 4},  {&book, 4, true, {}}, {&book, 4, false, 2},
        {&gap, 2, false, 2},  {&gap, 3, false, 2},  {&gap, 0, true, 2},   {&gap, 2, true, {}},
    });
    // clang-format on
    EXPECT_EQ(Navigation::chapterStep({}, 0, true), std::nullopt);
}

TEST(NavigationTest, SentenceAndWordSteps)
{
    // Sentences end at a sentence pause (3.0), a paragraph end (3.5) and a heading end (5.0);
    // a clause (2.0) or a long word (1.6) does not end one.
    const auto text = makeTokens(9, {}, {1.0, 3.0, 2.0, 1.6, 3.5, 1.0, 5.0, 1.0, 1.0});
    const auto one = makeTokens(1, {}, {3.0});
    // clang-format off
    expectSteps(Navigation::sentenceStep, {
        {&text, 0, true, 2},  {&text, 2, true, 5},  {&text, 3, true, 5},   {&text, 6, true, 7},
        {&text, 7, true, {}}, {&text, 8, true, {}}, {&text, 4, false, 2},  {&text, 2, false, 0},
        {&text, 1, false, 0}, {&text, 0, false, 0}, {&text, 8, false, 7},  {&text, 7, false, 5},
        {&one, 0, true, {}},  {&one, 0, false, 0},  {&text, 99, true, {}},
    });
    // clang-format on
    EXPECT_EQ(Navigation::wordStep(9, 8, true), std::nullopt);
    EXPECT_EQ(Navigation::wordStep(9, 0, false), std::nullopt);
    EXPECT_EQ(Navigation::wordStep(9, 4, false), 3);
    EXPECT_EQ(Navigation::wordStep(9, 4, true), 5);
}

TEST(NavigationTest, SkipsAndSeeksStayInTheBook)
{
    // Skips: words, from, forward, to. Seeks: words, fraction, to.
    using Skip = std::tuple<std::int64_t, std::int64_t, bool, std::int64_t>;
    for (const auto& [count, from, forward, to] :
         {Skip{1000, 990, true, 999}, Skip{1000, 10, false, 0}, Skip{1000, 0, true, 25},
          Skip{1000, 500, false, 475}, Skip{1000, 999, true, 999}, Skip{1, 0, true, 0}}) {
        EXPECT_EQ(Navigation::skip(count, from, forward), to) << from;
    }
    using Seek = std::tuple<std::int64_t, double, std::int64_t>;
    for (const auto& [count, fraction, to] :
         {Seek{101, 0.5, 50}, Seek{101, 0.999, 99}, Seek{101, 1.0, 100}, Seek{101, -3.0, 0},
          Seek{101, 7.0, 100}, Seek{101, std::numeric_limits<double>::quiet_NaN(), 0},
          Seek{1, 0.7, 0}}) {
        EXPECT_EQ(Navigation::seek(count, fraction), to) << fraction;
    }
}

TEST(ReadingTimeTest, TimeLeftIsTheSumOfTheRemainingWordsOwnIntervals)
{
    // Multipliers 1, 3, 2.5, 1.08 | 5, 1, NaN (timed as 1.0) in two chapters.
    ReadingTime time;
    time.setTokens(
        makeTokens(7, {0, 0, 0, 0, 1, 1, 1},
                   {1.0, 3.0, 2.5, 1.08, 5.0, 1.0, std::numeric_limits<double>::quiet_NaN()}));
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
