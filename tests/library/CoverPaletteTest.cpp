#include "library/CoverPalette.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace tavrin {
namespace {

TEST(CoverPaletteTest, TitleSelectsItsRow)
{
    const std::pair<std::string, std::size_t> cases[] = {
        {"", 0},
        {"Dune", 0},
        {"A", 1},
        {"Moby Dick", 4},
        {"War and Peace", 3},    // hashes past the 64-bit range and wraps negative
        {"\xC3\xA9", 1},         // one code point (233), two UTF-8 bytes
        {"\xF0\x9F\x93\x96", 6}, // one code point, two UTF-16 units: 128214 % 8
        {"\xFF", 5},             // invalid UTF-8 counts as U+FFFD: 65533 % 8
    };
    for (const auto& [title, row] : cases) {
        EXPECT_EQ(CoverPalette::rowIndex(title), row) << title;
    }
    EXPECT_EQ(CoverPalette::titleHash("\xF0\x9F\x93\x96"), 128214);
}

TEST(CoverPaletteTest, RowsAreTheDesignedGradients)
{
    using Rows = std::array<CoverPalette::Pair, CoverPalette::kRowCount>;
    EXPECT_EQ(CoverPalette::rows(), (Rows{{
                                        {{0.35, 0.15, 0.55}, {0.55, 0.3, 0.75}},
                                        {{0.1, 0.25, 0.6}, {0.25, 0.5, 0.8}},
                                        {{0.55, 0.12, 0.12}, {0.78, 0.32, 0.22}},
                                        {{0.08, 0.38, 0.28}, {0.18, 0.58, 0.48}},
                                        {{0.48, 0.3, 0.06}, {0.7, 0.52, 0.16}},
                                        {{0.28, 0.06, 0.4}, {0.5, 0.2, 0.62}},
                                        {{0.06, 0.2, 0.5}, {0.26, 0.42, 0.72}},
                                        {{0.5, 0.06, 0.28}, {0.72, 0.28, 0.5}},
                                    }}));
}

} // namespace
} // namespace tavrin
