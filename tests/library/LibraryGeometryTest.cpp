#include "library/LibraryGeometry.h"

#include <gtest/gtest.h>

namespace tavrin {
namespace {

using LibraryGeometry::progressBarWidth;

TEST(LibraryGeometryTest, ProgressBarIsTheReadFractionOfTheCover)
{
    EXPECT_DOUBLE_EQ(progressBarWidth(0, 1000, 148), 0.0);
    EXPECT_DOUBLE_EQ(progressBarWidth(500, 1000, 148), 74.0);
    EXPECT_DOUBLE_EQ(progressBarWidth(1000, 1000, 148), 148.0);
    EXPECT_DOUBLE_EQ(progressBarWidth(5, 0, 148), 0.0);
    EXPECT_DOUBLE_EQ(progressBarWidth(5, -3, 148), 0.0);
    // Stored positions are not clamped by the library; the bar stays on the cover.
    EXPECT_DOUBLE_EQ(progressBarWidth(2500, 1000, 148), 148.0);
    EXPECT_DOUBLE_EQ(progressBarWidth(-10, 1000, 148), 0.0);
}

TEST(LibraryGeometryTest, GridPlacesThreeFixedColumnsCentred)
{
    const auto layout = LibraryGeometry::layoutGrid({300, 320, 310, 290}, 560);
    ASSERT_EQ(layout.cells.size(), 4u);
    // 3 × 148 + 2 × 18 = 480, centred in 560.
    EXPECT_EQ(layout.cells[0], QRect(40, 28, 148, 300));
    EXPECT_EQ(layout.cells[1], QRect(206, 28, 148, 320));
    EXPECT_EQ(layout.cells[2], QRect(372, 28, 148, 310));
    // The next row starts 24 below the tallest tile of the first.
    EXPECT_EQ(layout.cells[3], QRect(40, 28 + 320 + 24, 148, 290));
    EXPECT_EQ(layout.contentSize, QSize(560, 28 + 320 + 24 + 290 + 28));
}

TEST(LibraryGeometryTest, NarrowViewportKeepsThePadding)
{
    const auto layout = LibraryGeometry::layoutGrid({300}, 400);
    EXPECT_EQ(layout.contentSize.width(), 480 + 56);
    EXPECT_EQ(layout.cells[0].topLeft(), QPoint(28, 28));
}

TEST(LibraryGeometryTest, EmptyGridIsJustPadding)
{
    const auto layout = LibraryGeometry::layoutGrid({}, 560);
    EXPECT_TRUE(layout.cells.empty());
    EXPECT_EQ(layout.contentSize.height(), 56);
}

} // namespace
} // namespace tavrin
