#pragma once

#include <QRectF>
#include <QSizeF>

// The progress strip's drawing and its pointer mapping, in the strip's own coordinates.

namespace tavrin::ProgressBarGeometry {

/// Height of the track and of the fill.
inline constexpr double kBarHeight = 4.0;

/// The track: the strip's full width, kBarHeight high, centred vertically.
QRectF trackRect(QSizeF strip);

/// The fill over the track from its left end: the strip's width × progress, with progress
/// limited to 0…1 (a value that is not a number draws no fill).
QRectF fillRect(QSizeF strip, double progress);

/// The position in the book that a pointer at x (strip coordinates) points at: x ÷ the
/// strip's width, limited to 0…1. A strip without width points at the start.
double fractionAt(double x, double stripWidth);

} // namespace tavrin::ProgressBarGeometry
