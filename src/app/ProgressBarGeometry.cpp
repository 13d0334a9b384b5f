#include "app/ProgressBarGeometry.h"

#include <algorithm>
#include <cmath>

namespace tavrin::ProgressBarGeometry {

namespace {

double unitInterval(double value)
{
    return std::isnan(value) ? 0.0 : std::clamp(value, 0.0, 1.0);
}

} // namespace

QRectF trackRect(QSizeF strip)
{
    return {0.0, (strip.height() - kBarHeight) / 2.0, strip.width(), kBarHeight};
}

QRectF fillRect(QSizeF strip, double progress)
{
    QRectF fill = trackRect(strip);
    fill.setWidth(strip.width() * unitInterval(progress));
    return fill;
}

double fractionAt(double x, double stripWidth)
{
    if (!(stripWidth > 0.0)) {
        return 0.0;
    }
    return unitInterval(x / stripWidth);
}

} // namespace tavrin::ProgressBarGeometry
