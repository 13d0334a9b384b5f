#pragma once

#include <QPointF>
#include <QRectF>

namespace tavrin::ColorMath {

/// Hue, saturation and brightness (the V of HSV), each 0…1; the hue is a fraction of the
/// colour circle.
struct Hsv
{
    double hue = 0.0;
    double saturation = 0.0;
    double brightness = 0.0;

    bool operator==(const Hsv&) const = default;
};

/// sRGB components 0…1.
struct Rgb
{
    double r = 0.0;
    double g = 0.0;
    double b = 0.0;

    bool operator==(const Rgb&) const = default;
};

/// The standard HSV model. Components are clamped to 0…1 first; a hue of 1 is red again.
Rgb hsvToRgb(const Hsv& hsv);
/// The inverse; a colour without hue (white, grey, black) reads hue 0.
Hsv rgbToHsv(const Rgb& rgb);

/// The picker keeps its hue below a full turn so that the right end of the bar stays
/// distinct from the left.
constexpr double kMaxHue = 0.9999;

/// Saturation and brightness under a point of the saturation–brightness square (point in
/// the square's coordinates; outside points are clamped to the edges).
struct SquareValue
{
    double saturation = 0.0;
    double brightness = 0.0;
};
SquareValue squareValueAt(QPointF point, double width, double height);
/// The hue under x on a hue bar of width, clamped to 0…kMaxHue.
double hueAt(double x, double width);

/// Centre of the square's indicator for a saturation and brightness.
QPointF squareIndicatorCentre(double saturation, double brightness, double width, double height);
/// The hue indicator in the bar's coordinates: 6 wide, 6 taller than the bar, centred on
/// the hue's x and reaching from 6 above the bar down to its bottom edge.
QRectF hueIndicatorRect(double hue, double barWidth, double barHeight);

} // namespace tavrin::ColorMath
