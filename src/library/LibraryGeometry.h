#pragma once

#include <QRect>
#include <QSize>

#include <cstdint>
#include <vector>

namespace tavrin::LibraryGeometry {

/// A tile's cover, and the grid's fixed columns: three of 148 with 18 between them.
constexpr int kCoverWidth = 148;
constexpr int kCoverHeight = 222;
constexpr int kColumns = 3;
constexpr int kColumnSpacing = 18;
constexpr int kRowSpacing = 24;
constexpr int kGridPadding = 28;
constexpr int kGridWidth = kColumns * kCoverWidth + (kColumns - 1) * kColumnSpacing;

/// Width of the reading-progress bar along the bottom of a cover: coverWidth times
/// current / total, 0 for a book without words; kept within the cover.
double progressBarWidth(std::int64_t currentWordIndex, std::int64_t totalWords, double coverWidth);

/// Where the tiles go in the grid's content widget.
struct GridLayout
{
    /// One rectangle per tile, in order: x and y of its top-left corner, its own width and
    /// height. Tiles are top-aligned in their row.
    std::vector<QRect> cells;
    QSize contentSize;
};

/// Lays tiles out row by row, three to a row; each row is as high as its tallest tile. The
/// grid is centred in the viewport width (at least the grid plus its padding).
GridLayout layoutGrid(const std::vector<int>& tileHeights, int viewportWidth);

} // namespace tavrin::LibraryGeometry
