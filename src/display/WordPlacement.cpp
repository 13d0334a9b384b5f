#include "display/WordPlacement.h"

namespace tavrin {

QPointF wordBaselineOrigin(qreal x0, qreal x1, qreal ascent, qreal descent, QSizeF viewSize)
{
    const qreal midX = viewSize.width() / 2;
    const qreal midY = viewSize.height() / 2;
    return {midX - (x0 + x1) / 2, midY + (ascent - descent) / 2};
}

} // namespace tavrin
