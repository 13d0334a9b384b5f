#include "display/OrpIndex.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace tavrin {
namespace {

TEST(OrpIndexTest, FollowsTheLengthTableInUserPerceivedCharacters)
{
    // Index for 1, 2, … 12 characters; every longer word stays at 4.
    const int expected[] = {0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4};
    for (std::size_t n = 1; n <= 12; ++n) {
        EXPECT_EQ(orpIndex(std::string(n, 'x')), expected[n - 1]) << n << " characters";
    }
    EXPECT_EQ(orpIndex(std::string(10'000, 'x')), 4);
    EXPECT_EQ(orpIndexForLength(1'000'000), 4);
    // Counting bytes or code points instead of characters gives another index for each of these.
    const std::pair<int, std::vector<const char*>> cases[] = {
        {0,
         {"e\u0301\u0301\u0301", "\U0001F44D\U0001F3FD", "\U0001F1EB\U0001F1F7\U0001F1E9\U0001F1EA",
          "\u1100\u1161\u11A8"}},
        {1,
         {"nai\u0308ve", "na\u00efve", "\u05E9\u05DC\u05D5\u05DD",
          "\U0001F468\u200D\U0001F469\u200D\U0001F467\u200D\U0001F466ok"}},
        {4, {""}}};
    for (const auto& [index, words] : cases) {
        for (const char* word : words) {
            EXPECT_EQ(orpIndex(word), index) << word;
        }
    }
}

} // namespace
} // namespace tavrin
