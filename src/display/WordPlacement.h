#pragma once

#include <QPointF>
#include <QSizeF>

namespace tavrin {

/// Where the baseline of a word's line starts, in a view whose y grows downwards, so that the
/// highlighted character's horizontal extent [x0, x1] (caret offsets from the line start, in
/// either order, since a right-to-left character's start is its right edge) is centred on the
/// view's vertical centre line and the box from descent to ascent is centred vertically.
QPointF wordBaselineOrigin(qreal x0, qreal x1, qreal ascent, qreal descent, QSizeF viewSize);

} // namespace tavrin
