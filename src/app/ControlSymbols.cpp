#include "app/ControlSymbols.h"

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>

#include <cmath>
#include <numbers>

namespace tavrin::ControlSymbols {

namespace {

QPainterPath pausePath(const QRectF& box)
{
    // Two upright bars with softly rounded corners, a bar's width apart.
    const double barWidth = box.width() * 0.36;
    const double radius = barWidth * 0.25;
    QPainterPath path;
    path.addRoundedRect(QRectF(box.left(), box.top(), barWidth, box.height()), radius, radius);
    path.addRoundedRect(QRectF(box.right() - barWidth, box.top(), barWidth, box.height()), radius,
                        radius);
    return path;
}

QPainterPath gearPath(const QRectF& box)
{
    // Eight flat-topped teeth around a ring; the centre is left open (odd-even fill).
    constexpr int kTeeth = 8;
    const QPointF centre = box.center();
    const double outer = std::min(box.width(), box.height()) / 2.0;
    const double inner = outer * 0.74;
    const double step = 2.0 * std::numbers::pi / kTeeth;
    const double toothHalf = step * 0.22;
    const double rootHalf = step * 0.30;
    auto at = [&centre](double radius, double angle) {
        return QPointF(centre.x() + radius * std::cos(angle),
                       centre.y() + radius * std::sin(angle));
    };
    QPolygonF outline;
    for (int i = 0; i < kTeeth; ++i) {
        const double a = step * i;
        outline << at(inner, a - rootHalf) << at(outer, a - toothHalf) << at(outer, a + toothHalf)
                << at(inner, a + rootHalf);
    }
    outline << outline.first();
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    path.addPolygon(outline);
    const double hole = outer * 0.34;
    path.addEllipse(centre, hole, hole);
    return path;
}

QPainterPath bookPath(const QRectF& box)
{
    // An open book seen from above: two pages meeting at the spine, their outer edges a
    // little lower than the spine, with a narrow gap between them.
    const double gap = box.width() * 0.06;
    const double midX = box.center().x();
    const double sag = box.height() * 0.10;
    QPainterPath path;
    auto page = [&](double outerX, double spineX) {
        QPainterPath p;
        p.moveTo(spineX, box.top() + sag);
        p.quadTo((outerX + spineX) / 2.0, box.top() - sag * 0.4, outerX, box.top() + sag * 0.6);
        p.lineTo(outerX, box.bottom() - sag * 0.4);
        p.quadTo((outerX + spineX) / 2.0, box.bottom() - sag * 1.6, spineX, box.bottom());
        p.closeSubpath();
        return p;
    };
    path.addPath(page(box.left(), midX - gap / 2.0));
    path.addPath(page(box.right(), midX + gap / 2.0));
    return path;
}

QPainterPath contentsPath(const QRectF& box)
{
    // A list: three rows of a round bullet and a line, the bullet a line's height wide.
    constexpr int kRows = 3;
    const double row = box.height() / kRows;
    const double thickness = row * 0.42;
    const double radius = thickness * 0.5;
    QPainterPath path;
    for (int i = 0; i < kRows; ++i) {
        const double centreY = box.top() + row * (i + 0.5);
        path.addEllipse(QPointF(box.left() + thickness * 0.6, centreY), thickness * 0.6,
                        thickness * 0.6);
        const double lineLeft = box.left() + thickness * 2.0;
        path.addRoundedRect(
            QRectF(lineLeft, centreY - thickness / 2.0, box.right() - lineLeft, thickness), radius,
            radius);
    }
    return path;
}

} // namespace

QSizeF glyphSize(Symbol symbol, double pointSize)
{
    switch (symbol) {
    case Symbol::pause:
        return {pointSize * 0.56, pointSize * 0.78};
    case Symbol::gear:
        return {pointSize, pointSize};
    case Symbol::book:
        return {pointSize, pointSize * 0.82};
    case Symbol::contents:
        return {pointSize, pointSize * 0.8};
    }
    return {pointSize, pointSize};
}

QPainterPath path(Symbol symbol, const QRectF& box)
{
    switch (symbol) {
    case Symbol::pause:
        return pausePath(box);
    case Symbol::gear:
        return gearPath(box);
    case Symbol::book:
        return bookPath(box);
    case Symbol::contents:
        return contentsPath(box);
    }
    return {};
}

void draw(QPainter& painter, Symbol symbol, const QRectF& box, const QColor& color)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawPath(path(symbol, box));
    painter.restore();
}

} // namespace tavrin::ControlSymbols
