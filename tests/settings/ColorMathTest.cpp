#include "settings/ColorMath.h"
#include "settings/SettingsControls.h"

#include <gtest/gtest.h>

#include <limits>
#include <utility>

namespace tavrin {
namespace {

using ColorMath::Hsv;
using ColorMath::Rgb;

void expectNear(const Rgb& a, const Rgb& b)
{
    EXPECT_NEAR(a.r, b.r, 1e-9);
    EXPECT_NEAR(a.g, b.g, 1e-9);
    EXPECT_NEAR(a.b, b.b, 1e-9);
}

TEST(ColorMathTest, ConvertsBothWaysInEverySector)
{
    // One colour in each sixth of the hue circle, part saturated and part bright, so that every
    // sector's blend of its three components shows (at a sector's edge two of them agree).
    const std::pair<Hsv, Rgb> cases[] = {
        {{0.3 / 6, 0.5, 0.8}, {0.8, 0.52, 0.4}},
        {{1.3 / 6, 0.5, 0.8}, {0.68, 0.8, 0.4}},
        {{2.3 / 6, 0.5, 0.8}, {0.4, 0.8, 0.52}},
        {{3.3 / 6, 0.5, 0.8}, {0.4, 0.68, 0.8}},
        {{4.3 / 6, 0.5, 0.8}, {0.52, 0.4, 0.8}},
        {{5.3 / 6, 0.5, 0.8}, {0.8, 0.4, 0.68}},
        {{2.0 / 3, 1.0, 1.0}, {0.0, 0.0, 1.0}},
        {{0.0, 0.0, 0.5}, {0.5, 0.5, 0.5}}, // colours without hue read hue 0
        {{0.0, 0.0, 0.0}, {0.0, 0.0, 0.0}},
    };
    for (const auto& [hsv, rgb] : cases) {
        SCOPED_TRACE(hsv.hue);
        expectNear(ColorMath::hsvToRgb(hsv), rgb);
        const Hsv back = ColorMath::rgbToHsv(rgb);
        EXPECT_NEAR(back.hue, hsv.hue, 1e-9);
        EXPECT_NEAR(back.saturation, hsv.saturation, 1e-9);
        EXPECT_NEAR(back.brightness, hsv.brightness, 1e-9);
    }
}

TEST(ColorMathTest, HueOfAFullTurnIsRedAgainAndBadInputIsContained)
{
    expectNear(ColorMath::hsvToRgb({1.0, 1.0, 1.0}), {1.0, 0.0, 0.0});
    expectNear(ColorMath::hsvToRgb({0.5, 2.0, -1.0}), {0.0, 0.0, 0.0});
    const double nan = std::numeric_limits<double>::quiet_NaN();
    expectNear(ColorMath::hsvToRgb({nan, nan, 1.0}), {1.0, 1.0, 1.0});
    EXPECT_EQ(ColorMath::rgbToHsv({nan, 2.0, 0.0}).hue, 1.0 / 3);
}

TEST(SettingsControlsTest, LabelsTruncateTowardZero)
{
    EXPECT_EQ(SettingsControls::sizeLabel(48.0), QStringLiteral("Size: 48pt"));
    EXPECT_EQ(SettingsControls::sizeLabel(47.9), QStringLiteral("Size: 47pt"));
    EXPECT_EQ(SettingsControls::sizeLabel(-0.5), QStringLiteral("Size: 0pt"));
    EXPECT_EQ(SettingsControls::speedLabel(5.99), QStringLiteral("Speed: 5 WPM"));
    // A hand-edited file may hold anything; no integer conversion overflows.
    EXPECT_TRUE(SettingsControls::sizeLabel(1e300).startsWith(QStringLiteral("Size: 1000")));
}

} // namespace
} // namespace tavrin
