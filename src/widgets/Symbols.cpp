#include "widgets/Symbols.h"

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QPixmap>
#include <QRectF>

#include <cmath>

namespace tavrin::Symbols {

namespace {

/// Glyph boxes as fractions of the point size, close to the common symbol fonts.
QSizeF relativeSize(Symbol symbol)
{
    switch (symbol) {
    case Symbol::checkmark:
        return {0.86, 0.78};
    case Symbol::plus:
        return {0.8, 0.8};
    case Symbol::xmark:
        return {0.7, 0.7};
    case Symbol::xmarkCircleFill:
        return {0.98, 0.98};
    case Symbol::chevronLeft:
    case Symbol::chevronRight:
        return {0.52, 0.9};
    case Symbol::chevronUpDown:
        return {0.5, 0.9};
    case Symbol::booksVertical:
        return {1.12, 0.9};
    }
    return {1.0, 1.0};
}

QPen linePen(const QColor& color, double width)
{
    QPen pen(color, width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

/// Point at fractions (fx, fy) of r.
QPointF at(const QRectF& r, double fx, double fy)
{
    return {r.left() + fx * r.width(), r.top() + fy * r.height()};
}

void drawBooks(QPainter& painter, const QRectF& box, const QColor& color, double stroke)
{
    // Two upright books and a third leaning against them, outlined, each with a band.
    const QRectF r = box.adjusted(stroke / 2, stroke / 2, -stroke / 2, -stroke / 2);
    const double w = r.width();
    const double h = r.height();
    const double bookWidth = w * 0.24;
    const double radius = stroke * 0.8;
    painter.setPen(linePen(color, stroke));
    painter.setBrush(Qt::NoBrush);

    auto drawBook = [&](const QRectF& book) {
        painter.drawRoundedRect(book, radius, radius);
        const double band = book.top() + book.height() * 0.22;
        painter.drawLine(QPointF(book.left(), band), QPointF(book.right(), band));
        const double foot = book.bottom() - book.height() * 0.2;
        painter.drawLine(QPointF(book.left(), foot), QPointF(book.right(), foot));
    };
    drawBook(QRectF(r.left(), r.top() + h * 0.06, bookWidth, h * 0.94));
    drawBook(QRectF(r.left() + bookWidth + stroke * 0.6, r.top(), bookWidth, h));

    painter.save();
    const double leanHeight = h * 0.95;
    const QPointF pivot(r.right() - bookWidth * 0.35, r.bottom());
    painter.translate(pivot);
    painter.rotate(-22.0);
    drawBook(QRectF(-bookWidth, -leanHeight, bookWidth, leanHeight));
    painter.restore();
}

} // namespace

QSizeF size(Symbol symbol, double pointSize)
{
    return relativeSize(symbol) * pointSize;
}

double strokeWidth(double pointSize, QFont::Weight weight)
{
    double factor = 0.085;
    if (weight >= QFont::Bold) {
        factor = 0.13;
    } else if (weight >= QFont::DemiBold) {
        factor = 0.115;
    } else if (weight >= QFont::Medium) {
        factor = 0.1;
    }
    return pointSize * factor;
}

void draw(QPainter& painter, Symbol symbol, const QRectF& box, const QColor& color,
          double pointSize, QFont::Weight weight)
{
    const QSizeF glyph = size(symbol, pointSize);
    const QRectF r(box.center() - QPointF(glyph.width() / 2, glyph.height() / 2), glyph);
    const double stroke = strokeWidth(pointSize, weight);
    const QRectF inner = r.adjusted(stroke / 2, stroke / 2, -stroke / 2, -stroke / 2);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(linePen(color, stroke));
    painter.setBrush(Qt::NoBrush);
    switch (symbol) {
    case Symbol::checkmark: {
        QPainterPath path(at(inner, 0.0, 0.56));
        path.lineTo(at(inner, 0.36, 1.0));
        path.lineTo(at(inner, 1.0, 0.0));
        painter.drawPath(path);
        break;
    }
    case Symbol::plus:
        painter.drawLine(at(inner, 0.5, 0.0), at(inner, 0.5, 1.0));
        painter.drawLine(at(inner, 0.0, 0.5), at(inner, 1.0, 0.5));
        break;
    case Symbol::xmark:
        painter.drawLine(at(inner, 0.0, 0.0), at(inner, 1.0, 1.0));
        painter.drawLine(at(inner, 1.0, 0.0), at(inner, 0.0, 1.0));
        break;
    case Symbol::xmarkCircleFill: {
        // A filled disc with the cross cut out of it, so whatever lies below shows through.
        QPainterPath disc;
        disc.addEllipse(r);
        const QRectF cross(r.center() - QPointF(r.width() * 0.17, r.height() * 0.17),
                           QSizeF(r.width() * 0.34, r.height() * 0.34));
        QPainterPath lines(cross.topLeft());
        lines.lineTo(cross.bottomRight());
        lines.moveTo(cross.topRight());
        lines.lineTo(cross.bottomLeft());
        QPainterPathStroker stroker;
        stroker.setWidth(r.width() * 0.09);
        stroker.setCapStyle(Qt::RoundCap);
        painter.setPen(Qt::NoPen);
        painter.setBrush(color);
        painter.drawPath(disc.subtracted(stroker.createStroke(lines)));
        break;
    }
    case Symbol::chevronLeft:
    case Symbol::chevronRight: {
        const bool right = symbol == Symbol::chevronRight;
        QPainterPath path(at(inner, right ? 0.0 : 1.0, 0.0));
        path.lineTo(at(inner, right ? 1.0 : 0.0, 0.5));
        path.lineTo(at(inner, right ? 0.0 : 1.0, 1.0));
        painter.drawPath(path);
        break;
    }
    case Symbol::chevronUpDown: {
        QPainterPath path(at(inner, 0.0, 0.36));
        path.lineTo(at(inner, 0.5, 0.0));
        path.lineTo(at(inner, 1.0, 0.36));
        path.moveTo(at(inner, 0.0, 0.64));
        path.lineTo(at(inner, 0.5, 1.0));
        path.lineTo(at(inner, 1.0, 0.64));
        painter.drawPath(path);
        break;
    }
    case Symbol::booksVertical:
        drawBooks(painter, r, color, stroke * 0.75);
        break;
    }
    painter.restore();
}

QPixmap pixmap(Symbol symbol, double pointSize, QFont::Weight weight, const QColor& color,
               double devicePixelRatio)
{
    const QSizeF glyph = size(symbol, pointSize);
    const double stroke = strokeWidth(pointSize, weight);
    const QSize logical(static_cast<int>(std::ceil(glyph.width() + stroke)),
                        static_cast<int>(std::ceil(glyph.height() + stroke)));
    QPixmap result(logical * devicePixelRatio);
    result.setDevicePixelRatio(devicePixelRatio);
    result.fill(Qt::transparent);
    QPainter painter(&result);
    draw(painter, symbol, QRectF(QPointF(0, 0), QSizeF(logical)), color, pointSize, weight);
    return result;
}

} // namespace tavrin::Symbols
