#include "display/WordPlacement.h"

#include <gtest/gtest.h>

#include <string>

namespace tavrin {
namespace {

struct PlacementCase
{
    const char* name;
    qreal x0;
    qreal x1;
    qreal ascent;
    qreal descent;
    QSizeF view;
    QPointF origin;
};

class WordPlacementCases : public testing::TestWithParam<PlacementCase>
{};

TEST_P(WordPlacementCases, CentresHighlightAndLineBox)
{
    const auto& c = GetParam();
    const QPointF origin = wordBaselineOrigin(c.x0, c.x1, c.ascent, c.descent, c.view);
    EXPECT_DOUBLE_EQ(origin.x(), c.origin.x());
    EXPECT_DOUBLE_EQ(origin.y(), c.origin.y());

    // Whatever the inputs, the highlight's midpoint lands on the centre line and the box from
    // ascent to descent straddles the horizontal centre equally.
    EXPECT_DOUBLE_EQ(origin.x() + (c.x0 + c.x1) / 2, c.view.width() / 2);
    EXPECT_DOUBLE_EQ((origin.y() - c.ascent + origin.y() + c.descent) / 2, c.view.height() / 2);
}

INSTANTIATE_TEST_SUITE_P(
    Geometry, WordPlacementCases,
    testing::Values(
        PlacementCase{"firstCharacter", 0, 40, 60, 20, {800, 600}, {380, 320}},
        PlacementCase{"laterCharacter", 96, 130, 60, 20, {800, 600}, {287, 320}},
        PlacementCase{"rightToLeftCaretsReversed", 130, 96, 60, 20, {800, 600}, {287, 320}},
        PlacementCase{"oddViewSize", 10, 20, 30, 10, {801, 601}, {385.5, 310.5}},
        PlacementCase{"descentLargerThanAscent", 0, 10, 5, 15, {100, 100}, {45, 45}},
        PlacementCase{"highlightFarRight", 1500, 1540, 80, 20, {800, 600}, {-1120, 330}},
        PlacementCase{"emptyView", 0, 10, 8, 2, {0, 0}, {-5, 3}}),
    [](const testing::TestParamInfo<PlacementCase>& p) { return std::string(p.param.name); });

} // namespace
} // namespace tavrin
