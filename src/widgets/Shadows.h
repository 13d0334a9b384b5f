#pragma once

#include <QString>

class QColor;
class QImage;
class QPainter;
class QPainterPath;

namespace tavrin::Shadows {

/// Paints the soft shadow an opaque shape casts with no offset: the shape blurred by
/// radius (a Gaussian of standard deviation radius / 2) in color, under the shape. Paint
/// it before the shape. cacheKey, when given, must name the shape up to translation; the
/// blurred image is then kept and reused (tiles and swatches share a handful of shapes).
void paint(QPainter& painter, const QPainterPath& shape, const QColor& color, double radius,
           const QString& cacheKey = {});

/// Gaussian-like blur (three box passes each way) of an 8-bit coverage mask, width × height,
/// row-major; outside the mask counts as 0.
void blurMask(unsigned char* mask, int width, int height, double sigma);

} // namespace tavrin::Shadows
