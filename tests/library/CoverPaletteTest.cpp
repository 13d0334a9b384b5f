#include "library/CoverPalette.h"

#include "support/CaseName.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace tavrin {
namespace {

struct PaletteCase
{
    std::string title;
    std::size_t row;
};

void PrintTo(const PaletteCase& c, std::ostream* out)
{
    *out << '"' << c.title << "\" -> " << c.row;
}

class CoverPaletteRowTest : public ::testing::TestWithParam<PaletteCase>
{};

TEST_P(CoverPaletteRowTest, TitleSelectsItsRow)
{
    EXPECT_EQ(CoverPalette::rowIndex(GetParam().title), GetParam().row);
}

INSTANTIATE_TEST_SUITE_P(Titles, CoverPaletteRowTest,
                         ::testing::Values(PaletteCase{"", 0}, PaletteCase{"Dune", 0},
                                           PaletteCase{"A", 1}, PaletteCase{"Moby Dick", 4},
                                           // Hashes past the 64-bit range and wraps negative.
                                           PaletteCase{"War and Peace", 3},
                                           // One code point (233), two UTF-8 bytes.
                                           PaletteCase{"\xC3\xA9", 1}),
                         [](const auto& c) { return test::caseName(c.param.title, c.index); });

TEST(CoverPaletteTest, CountsCodePointsNotUtf16Units)
{
    // U+1F4D6 is one code point but two UTF-16 units: 128214 % 8 == 6.
    EXPECT_EQ(CoverPalette::titleHash("\xF0\x9F\x93\x96"), 128214);
    EXPECT_EQ(CoverPalette::rowIndex("\xF0\x9F\x93\x96"), 6u);
}

TEST(CoverPaletteTest, InvalidUtf8CountsAsReplacementCharacters)
{
    EXPECT_EQ(CoverPalette::titleHash("\xFF"), 0xFFFD);
}

} // namespace
} // namespace tavrin
