#include "settings/ColorMath.h"

#include <algorithm>
#include <cmath>

namespace tavrin::ColorMath {

namespace {

double unit(double v)
{
    // NaN counts as 0, so a damaged colour never spreads through the arithmetic.
    return std::isnan(v) ? 0.0 : std::clamp(v, 0.0, 1.0);
}

constexpr double kIndicatorWidth = 6.0;
constexpr double kIndicatorOverhang = 6.0;

} // namespace

Rgb hsvToRgb(const Hsv& hsv)
{
    const double s = unit(hsv.saturation);
    const double v = unit(hsv.brightness);
    const double h6 = unit(hsv.hue) * 6.0;
    const double sector = std::floor(h6);
    const double f = h6 - sector;
    const double p = v * (1.0 - s);
    const double q = v * (1.0 - f * s);
    const double t = v * (1.0 - (1.0 - f) * s);
    switch (static_cast<int>(sector) % 6) {
    case 0:
        return {v, t, p};
    case 1:
        return {q, v, p};
    case 2:
        return {p, v, t};
    case 3:
        return {p, q, v};
    case 4:
        return {t, p, v};
    default:
        return {v, p, q};
    }
}

Hsv rgbToHsv(const Rgb& rgb)
{
    const double r = unit(rgb.r);
    const double g = unit(rgb.g);
    const double b = unit(rgb.b);
    const double max = std::max({r, g, b});
    const double min = std::min({r, g, b});
    const double delta = max - min;

    Hsv hsv;
    hsv.brightness = max;
    hsv.saturation = max > 0.0 ? delta / max : 0.0;
    if (delta <= 0.0) {
        return hsv;
    }
    double h = 0.0;
    if (max == r) {
        h = (g - b) / delta;
        if (h < 0.0) {
            h += 6.0;
        }
    } else if (max == g) {
        h = (b - r) / delta + 2.0;
    } else {
        h = (r - g) / delta + 4.0;
    }
    hsv.hue = h / 6.0;
    if (hsv.hue >= 1.0) {
        hsv.hue -= 1.0;
    }
    return hsv;
}

SquareValue squareValueAt(QPointF point, double width, double height)
{
    if (width <= 0.0 || height <= 0.0) {
        return {};
    }
    return {unit(point.x() / width), unit(1.0 - point.y() / height)};
}

double hueAt(double x, double width)
{
    if (width <= 0.0 || std::isnan(x)) {
        return 0.0;
    }
    return std::clamp(x / width, 0.0, kMaxHue);
}

QPointF squareIndicatorCentre(double saturation, double brightness, double width, double height)
{
    return {saturation * width, (1.0 - brightness) * height};
}

QRectF hueIndicatorRect(double hue, double barWidth, double barHeight)
{
    return {hue * barWidth - kIndicatorWidth / 2.0, -kIndicatorOverhang, kIndicatorWidth,
            barHeight + kIndicatorOverhang};
}

} // namespace tavrin::ColorMath
