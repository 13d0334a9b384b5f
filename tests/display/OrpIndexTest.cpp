#include "display/OrpIndex.h"

#include <gtest/gtest.h>

#include <string>

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
    EXPECT_EQ(orpIndex("e\u0301\u0301\u0301"), 0); // one character: four code points, 7 bytes
    EXPECT_EQ(orpIndex(""), 4);
}

} // namespace
} // namespace tavrin
