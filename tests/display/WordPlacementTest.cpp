#include "display/WordPlacement.h"

#include <gtest/gtest.h>

namespace tavrin {
namespace {

TEST(WordPlacementTest, CentresHighlightAndLineBox)
{
    struct Case
    {
        qreal x0, x1, ascent, descent;
        QSizeF view;
        QPointF origin;
    };
    const Case cases[] = {
        {0, 40, 60, 20, {800, 600}, {380, 320}},        {96, 130, 60, 20, {800, 600}, {287, 320}},
        {130, 96, 60, 20, {800, 600}, {287, 320}}, // right to left: carets reversed
        {10, 20, 30, 10, {801, 601}, {385.5, 310.5}},   {0, 10, 5, 15, {100, 100}, {45, 45}},
        {1500, 1540, 80, 20, {800, 600}, {-1120, 330}}, {0, 10, 8, 2, {0, 0}, {-5, 3}},
    };
    for (const Case& c : cases) {
        const QPointF origin = wordBaselineOrigin(c.x0, c.x1, c.ascent, c.descent, c.view);
        EXPECT_DOUBLE_EQ(origin.x(), c.origin.x()) << c.x0 << " " << c.view.width();
        EXPECT_DOUBLE_EQ(origin.y(), c.origin.y()) << c.ascent << " " << c.view.height();
    }
}

} // namespace
} // namespace tavrin
