#include "app/ControlButton.h"

#include "app/LayerGeometry.h"

#include <QPainter>

#include <cmath>

namespace tavrin {

namespace {

constexpr double kSymbolOpacity = 0.7;
/// A pressed button dims its symbol, the only feedback a borderless button gives.
constexpr double kPressedFactor = 0.6;

} // namespace

ControlButton::ControlButton(ControlSymbols::Symbol symbol, QWidget* parent)
    : QAbstractButton(parent), m_symbol(symbol)
{
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(fixedSize());
}

void ControlButton::setOpacity(double opacity)
{
    if (opacity != m_opacity) {
        m_opacity = opacity;
        update();
    }
}

QSize ControlButton::fixedSize()
{
    const QSizeF size = LayerGeometry::buttonSize(QSizeF(kSymbolSize, kSymbolSize));
    return {static_cast<int>(std::ceil(size.width())), static_cast<int>(std::ceil(size.height()))};
}

QSize ControlButton::sizeHint() const
{
    return fixedSize();
}

void ControlButton::paintEvent(QPaintEvent*)
{
    if (m_opacity <= 0.0) {
        return;
    }
    QPainter painter(this);
    painter.setOpacity(m_opacity * kSymbolOpacity * (isDown() ? kPressedFactor : 1.0));
    const QSizeF glyph = ControlSymbols::glyphSize(m_symbol, kSymbolSize);
    QRectF box(QPointF(0, 0), glyph);
    box.moveCenter(QRectF(rect()).center());
    ControlSymbols::draw(painter, m_symbol, box, Qt::white);
}

} // namespace tavrin
