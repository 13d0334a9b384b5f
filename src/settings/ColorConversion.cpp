#include "settings/ColorConversion.h"

#include <algorithm>
#include <cmath>

namespace tavrin {

namespace {

float component(double value)
{
    return static_cast<float>(std::isnan(value) ? 0.0 : std::clamp(value, 0.0, 1.0));
}

} // namespace

QColor toQColor(const ColorData& color)
{
    return QColor::fromRgbF(component(color.r), component(color.g), component(color.b),
                            component(color.a));
}

ColorData fromQColor(const QColor& color)
{
    if (!color.isValid()) {
        return {};
    }
    const QColor rgb = color.toRgb();
    return {rgb.redF(), rgb.greenF(), rgb.blueF(), rgb.alphaF()};
}

} // namespace tavrin
