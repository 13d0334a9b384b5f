#pragma once

#include <QString>

#include <optional>

namespace tavrin::SettingsControls {

/// The size and speed labels: "Size: 48pt", "Speed: 300 WPM", the value truncated toward
/// zero (no integer conversion, so any stored value prints without overflow).
QString sizeLabel(double fontSize);
QString speedLabel(double wpm);

/// An integer slider that moves in steps counted from its minimum.
struct SliderRange
{
    int minimum = 0;
    int maximum = 0;
    int step = 1;

    /// The nearest allowed position to raw, within the range.
    int snap(int raw) const;
    /// Where a value set from elsewhere puts the handle: the nearest allowed position, the
    /// lowest for anything below the range and the highest for anything above.
    int positionFor(double value) const;
    /// What a label shows for value: the value limited to the range (the lowest for NaN), so
    /// a hand-edited 1e300 reads as the maximum instead of hundreds of digits.
    double shown(double value) const;
};

constexpr SliderRange kFontSizeRange{24, 120, 2};
constexpr SliderRange kSpeedRange{60, 600, 1};

/// Swatch grid columns that adapt to the width: as many columns of at least minimum as
/// fit with spacing between them, at least one.
int adaptiveColumnCount(double width, double minimum, double spacing);

/// The second column's horizontal offset while it slides in (progress 0 → 1): from under
/// the main column (one column width to the right) to its place.
double columnSlideOffset(double progress, double columnWidth);

} // namespace tavrin::SettingsControls
