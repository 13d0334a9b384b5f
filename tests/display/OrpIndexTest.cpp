#include "display/OrpIndex.h"

#include <gtest/gtest.h>

#include <string>

namespace tavrin {
namespace {

TEST(OrpIndexTest, FollowsTheLengthTable)
{
    // Index for 1, 2, … 12 characters; every longer word stays at 4.
    const int expected[] = {0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4};
    for (std::size_t n = 1; n <= 12; ++n) {
        EXPECT_EQ(orpIndex(std::string(n, 'x')), expected[n - 1]) << n << " characters";
    }
    EXPECT_EQ(orpIndex(std::string(13, 'x')), 4);
    EXPECT_EQ(orpIndex(std::string(10'000, 'x')), 4);
    EXPECT_EQ(orpIndexForLength(1'000'000), 4);
}

struct WordCase
{
    const char* name;
    const char* utf8;
    int index;
};

class OrpIndexWords : public testing::TestWithParam<WordCase>
{};

TEST_P(OrpIndexWords, CountsUserPerceivedCharacters)
{
    EXPECT_EQ(orpIndex(GetParam().utf8), GetParam().index);
}

// Each non-ASCII case is built so that counting bytes or code points instead of
// user-perceived characters gives a different index.
INSTANTIATE_TEST_SUITE_P(
    Words, OrpIndexWords,
    testing::Values(WordCase{"empty", "", 4}, WordCase{"a", "a", 0}, WordCase{"the", "the", 1},
                    WordCase{"helloComma", "Hello,", 2},
                    WordCase{"internationalization", "internationalization", 4},
                    WordCase{"stackedAccents", "e\u0301\u0301\u0301", 0},
                    WordCase{"decomposedNaive", "nai\u0308ve", 1},
                    WordCase{"precomposedNaive", "na\u00efve", 1},
                    WordCase{"skinToneEmoji", "\U0001F44D\U0001F3FD", 0},
                    WordCase{"familyEmojiThenLetters",
                             "\U0001F468\u200D\U0001F469\u200D\U0001F467\u200D\U0001F466ok", 1},
                    WordCase{"flags", "\U0001F1EB\U0001F1F7\U0001F1E9\U0001F1EA", 0},
                    WordCase{"hangulJamo", "\u1100\u1161\u11A8", 0},
                    WordCase{"hebrew", "\u05E9\u05DC\u05D5\u05DD", 1}),
    [](const testing::TestParamInfo<WordCase>& p) { return std::string(p.param.name); });

} // namespace
} // namespace tavrin
