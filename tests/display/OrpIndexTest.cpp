#include "display/OrpIndex.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

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

// Each non-ASCII word is built so that counting bytes or code points instead of
// user-perceived characters gives a different index.
TEST(OrpIndexTest, CountsUserPerceivedCharacters)
{
    const std::pair<const char*, int> cases[] = {
        {"", 4},
        {"a", 0},
        {"the", 1},
        {"Hello,", 2},
        {"internationalization", 4},
        {"e\u0301\u0301\u0301", 0},                                          // stacked accents
        {"nai\u0308ve", 1},                                                  // decomposed
        {"na\u00efve", 1},                                                   // precomposed
        {"\U0001F44D\U0001F3FD", 0},                                         // skin-tone emoji
        {"\U0001F468\u200D\U0001F469\u200D\U0001F467\u200D\U0001F466ok", 1}, // family, letters
        {"\U0001F1EB\U0001F1F7\U0001F1E9\U0001F1EA", 0},                     // flags
        {"\u1100\u1161\u11A8", 0},                                           // Hangul jamo
        {"\u05E9\u05DC\u05D5\u05DD", 1},                                     // Hebrew
    };
    for (const auto& [word, index] : cases) {
        EXPECT_EQ(orpIndex(word), index) << word;
    }
}

} // namespace
} // namespace tavrin
