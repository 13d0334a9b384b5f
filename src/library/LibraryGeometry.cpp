#include "library/LibraryGeometry.h"

#include <algorithm>

namespace tavrin::LibraryGeometry {

double progressBarWidth(std::int64_t currentWordIndex, std::int64_t totalWords, double coverWidth)
{
    if (totalWords < 1) {
        return 0.0;
    }
    const double fraction = static_cast<double>(currentWordIndex) / static_cast<double>(totalWords);
    // A stored index may lie beyond the end or below 0; the bar never leaves the cover.
    return std::clamp(coverWidth * fraction, 0.0, coverWidth);
}

GridLayout layoutGrid(const std::vector<int>& tileHeights, int viewportWidth)
{
    GridLayout layout;
    const int contentWidth = std::max(viewportWidth, kGridWidth + 2 * kGridPadding);
    const int left = (contentWidth - kGridWidth) / 2;

    layout.cells.reserve(tileHeights.size());
    int y = kGridPadding;
    for (std::size_t rowStart = 0; rowStart < tileHeights.size(); rowStart += kColumns) {
        const std::size_t rowEnd =
            std::min(rowStart + static_cast<std::size_t>(kColumns), tileHeights.size());
        int rowHeight = 0;
        for (std::size_t i = rowStart; i < rowEnd; ++i) {
            const int column = static_cast<int>(i - rowStart);
            const int x = left + column * (kCoverWidth + kColumnSpacing);
            layout.cells.emplace_back(x, y, kCoverWidth, tileHeights[i]);
            rowHeight = std::max(rowHeight, tileHeights[i]);
        }
        y += rowHeight + (rowEnd < tileHeights.size() ? kRowSpacing : 0);
    }
    layout.contentSize = QSize(contentWidth, y + kGridPadding);
    return layout;
}

} // namespace tavrin::LibraryGeometry
