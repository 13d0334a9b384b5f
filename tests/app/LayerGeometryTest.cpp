#include "app/LayerGeometry.h"
#include "app/ProgressBarGeometry.h"
#include "settings/ColorConversion.h"

#include <gtest/gtest.h>

#include <limits>

namespace tavrin {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(ProgressBarGeometryTest, FillFollowsProgressAndPointerPositionsMapToAClampedFraction)
{
    EXPECT_EQ(LayerGeometry::progressStripRect(QSizeF(60, 100)).width(), 0.0);
    const QSizeF strip(920, 28);
    EXPECT_EQ(ProgressBarGeometry::trackRect(strip), QRectF(0, 12, 920, 4));
    for (const auto& [progress, width] : std::initializer_list<std::pair<double, double>>{
             {0.0, 0.0}, {0.25, 230.0}, {1.7, 920.0}, {-0.3, 0.0}, {kNaN, 0.0}, {kInf, 920.0}}) {
        EXPECT_EQ(ProgressBarGeometry::fillRect(strip, progress), QRectF(0, 12, width, 4))
            << "progress " << progress;
    }
    const struct
    {
        double x;
        double width;
        double fraction;
    } cases[] = {{460, 920, 0.5}, {5000, 920, 1.0}, {-40, 920, 0.0}, {10, 0, 0.0},
                 {10, -5, 0.0},   {kNaN, 920, 0.0}, {10, kNaN, 0.0}};
    for (const auto& c : cases) {
        EXPECT_EQ(ProgressBarGeometry::fractionAt(c.x, c.width), c.fraction)
            << "x " << c.x << " width " << c.width;
    }
}

TEST(ColorConversionTest, PickedAndStoredColoursConvertAsValidSrgb)
{
    const ColorData red = fromQColor(QColor(255, 0, 0, 128));
    EXPECT_EQ(red.r, 1.0);
    EXPECT_EQ(red.g, 0.0);
    EXPECT_NEAR(red.a, 128.0 / 255.0, 1e-4);
    // A colour given in another model is stored as its sRGB components.
    const ColorData fromHsv = fromQColor(QColor::fromHsvF(0.0f, 1.0f, 1.0f));
    EXPECT_NEAR(fromHsv.r, 1.0, 1e-4);
    EXPECT_NEAR(fromHsv.b, 0.0, 1e-4);
    EXPECT_EQ(fromQColor(QColor()), ColorData{});

    EXPECT_EQ(toQColor({0.5, 0.25, 1.0, 0.5}).rgba(),
              QColor::fromRgbF(0.5f, 0.25f, 1.0f, 0.5f).rgba());
    // Out-of-range and missing components from a hand-edited file stay inside sRGB.
    const QColor odd = toQColor({2.0, -1.0, kNaN, 7.0});
    EXPECT_EQ(odd.spec(), QColor::Rgb);
    EXPECT_EQ(odd, QColor(255, 0, 0));
}

} // namespace
} // namespace tavrin
