#include "display/OrpIndex.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

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
    // Characters, not bytes or code points: stacked accents, decomposed letters, Hebrew.
    const std::pair<const char*, int> words[] = {
        {"e\u0301\u0301\u0301", 0}, {"nai\u0308ve", 1}, {"\u05E9\u05DC\u05D5\u05DD", 1}, {"", 4}};
    for (const auto& [word, index] : words) {
        EXPECT_EQ(orpIndex(word), index) << word;
    }
}

} // namespace
} // namespace tavrin
