#include "widgets/SymbolButton.h"

#include "widgets/PanelStyle.h"
#include "widgets/Shadows.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace tavrin {

SymbolButton::SymbolButton(const Look& look, QWidget* parent)
    : QAbstractButton(parent), m_look(look)
{
    setFocusPolicy(Qt::NoFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void SymbolButton::setSymbol(Symbols::Symbol symbol)
{
    if (m_look.symbol == symbol) {
        return;
    }
    m_look.symbol = symbol;
    updateGeometry();
    update();
}

int SymbolButton::shadowMargin() const
{
    return m_look.shadowRadius > 0.0 ? static_cast<int>(std::ceil(m_look.shadowRadius * 1.5)) : 0;
}

QRect SymbolButton::hitRect() const
{
    const int margin = shadowMargin();
    return rect().adjusted(margin, margin, -margin, -margin);
}

QSize SymbolButton::sizeHint() const
{
    const QSizeF glyph = Symbols::size(m_look.symbol, m_look.pointSize);
    const int extra = 2 * (m_look.padding + shadowMargin());
    return {static_cast<int>(std::ceil(glyph.width())) + extra,
            static_cast<int>(std::ceil(glyph.height())) + extra};
}

bool SymbolButton::hitButton(const QPoint& pos) const
{
    return hitRect().contains(pos);
}

void SymbolButton::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box = hitRect().toRectF().adjusted(m_look.padding, m_look.padding, -m_look.padding,
                                                    -m_look.padding);
    if (m_look.shadowColor.alpha() > 0 && m_look.shadowRadius > 0.0) {
        // The symbol's silhouette is close enough to its glyph box's disc or square.
        QPainterPath silhouette;
        const QSizeF glyph = Symbols::size(m_look.symbol, m_look.pointSize);
        const QRectF glyphBox(box.center() - QPointF(glyph.width() / 2, glyph.height() / 2), glyph);
        if (m_look.symbol == Symbols::Symbol::xmarkCircleFill) {
            silhouette.addEllipse(glyphBox);
        } else {
            silhouette.addRect(glyphBox);
        }
        Shadows::paint(painter, silhouette, m_look.shadowColor, m_look.shadowRadius,
                       QStringLiteral("symbol:%1:%2")
                           .arg(static_cast<int>(m_look.symbol))
                           .arg(m_look.pointSize));
    }
    QColor color = m_look.color;
    if (isDown()) {
        color.setAlphaF(color.alphaF() * 0.6f);
    }
    Symbols::draw(painter, m_look.symbol, box, color, m_look.pointSize, m_look.weight);
}

SymbolButton* SymbolButton::panelCloseButton(QWidget* parent)
{
    Look look;
    look.symbol = Symbols::Symbol::xmark;
    look.pointSize = 18.0;
    look.weight = QFont::DemiBold;
    look.color = PanelStyle::white(0.6);
    look.padding = 8;
    auto* button = new SymbolButton(look, parent);
    button->setObjectName(QStringLiteral("closeButton"));
    return button;
}

} // namespace tavrin
