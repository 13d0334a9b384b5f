#include "session/Navigation.h"
#include "support/TestTokens.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <limits>

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
    std::vector<WordToken> text;
    for (const double m : {1.0, 3.0, 2.0, 1.6, 3.5, 1.0, 5.0, 1.0, 1.0}) {
        text.push_back({"w", m, false, 0});
    }
    const std::vector<WordToken> one{{"w", 3.0, false, 0}};
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
    const struct
    {
        std::int64_t count, from;
        bool forward;
        std::int64_t to;
    } skips[] = {
        {1000, 990, true, 999},  {1000, 10, false, 0},   {1000, 0, true, 25},
        {1000, 500, false, 475}, {1000, 999, true, 999}, {1, 0, true, 0},
    };
    for (const auto& s : skips) {
        EXPECT_EQ(Navigation::skip(s.count, s.from, s.forward), s.to) << s.from;
    }
    const struct
    {
        std::int64_t count;
        double fraction;
        std::int64_t to;
    } seeks[] = {
        {101, 0.5, 50}, {101, 0.999, 99}, {101, 1.0, 100},
        {101, -3.0, 0}, {101, 7.0, 100},  {101, std::numeric_limits<double>::quiet_NaN(), 0},
        {1, 0.7, 0},
    };
    for (const auto& s : seeks) {
        EXPECT_EQ(Navigation::seek(s.count, s.fraction), s.to) << s.fraction;
    }
}

} // namespace
} // namespace tavrin::test
