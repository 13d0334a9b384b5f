#include "settings/SettingsControls.h"

#include <algorithm>
#include <cmath>

namespace tavrin::SettingsControls {

namespace {

QString truncated(double value)
{
    // Adding 0.0 turns the -0 of a small negative value into 0.
    return QString::number(std::trunc(value) + 0.0, 'f', 0);
}

} // namespace

QString sizeLabel(double fontSize)
{
    return QStringLiteral("Size: ") + truncated(fontSize) + QStringLiteral("pt");
}

QString speedLabel(double wpm)
{
    return QStringLiteral("Speed: ") + truncated(wpm) + QStringLiteral(" WPM");
}

int SliderRange::snap(int raw) const
{
    const int clamped = std::clamp(raw, minimum, maximum);
    if (step <= 1) {
        return clamped;
    }
    const int steps = (clamped - minimum + step / 2) / step;
    return std::min(minimum + steps * step, maximum - (maximum - minimum) % step);
}

int SliderRange::positionFor(double value) const
{
    if (std::isnan(value) || value <= minimum) {
        return minimum;
    }
    if (value >= maximum) {
        return snap(maximum);
    }
    return snap(static_cast<int>(std::lround(value)));
}

double SliderRange::shown(double value) const
{
    return std::isnan(value) ? minimum : std::clamp<double>(value, minimum, maximum);
}

int adaptiveColumnCount(double width, double minimum, double spacing)
{
    if (minimum <= 0.0 || width <= minimum) {
        return 1;
    }
    return std::max(1, static_cast<int>(std::floor((width + spacing) / (minimum + spacing))));
}

double columnSlideOffset(double progress, double columnWidth)
{
    return (1.0 - std::clamp(progress, 0.0, 1.0)) * columnWidth;
}

} // namespace tavrin::SettingsControls
