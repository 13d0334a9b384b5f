#include "widgets/PillButton.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace tavrin {

PillButton::PillButton(const QString& text, const Look& look, QWidget* parent)
    : QAbstractButton(parent), m_look(look)
{
    setText(text);
    setFont(look.font);
    setFocusPolicy(Qt::NoFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize PillButton::sizeHint() const
{
    const QFontMetricsF metrics(m_look.font);
    double width = metrics.horizontalAdvance(text());
    double height = metrics.height();
    if (m_look.symbol) {
        const QSizeF glyph = Symbols::size(*m_look.symbol, m_look.symbolPointSize);
        width += glyph.width() + m_look.spacing;
        height = std::max(height, glyph.height());
    }
    return {static_cast<int>(std::ceil(width)) + 2 * m_look.paddingX,
            static_cast<int>(std::ceil(height)) + 2 * m_look.paddingY};
}

void PillButton::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (isDown()) {
        painter.setOpacity(0.6);
    }
    QPainterPath background;
    background.addRoundedRect(QRectF(rect()), m_look.cornerRadius, m_look.cornerRadius);
    painter.fillPath(background, m_look.background);

    const QFontMetricsF metrics(m_look.font);
    const double textWidth = metrics.horizontalAdvance(text());
    double contentWidth = textWidth;
    QSizeF glyph;
    if (m_look.symbol) {
        glyph = Symbols::size(*m_look.symbol, m_look.symbolPointSize);
        contentWidth += glyph.width() + m_look.spacing;
    }
    double x = (width() - contentWidth) / 2.0;
    const double centreY = height() / 2.0;
    if (m_look.symbol) {
        const QRectF box(x, centreY - glyph.height() / 2.0, glyph.width(), glyph.height());
        Symbols::draw(painter, *m_look.symbol, box, m_look.foreground, m_look.symbolPointSize,
                      m_look.symbolWeight);
        x += glyph.width() + m_look.spacing;
    }
    painter.setFont(m_look.font);
    painter.setPen(m_look.foreground);
    const double baseline = centreY + (metrics.ascent() - metrics.descent()) / 2.0;
    painter.drawText(QPointF(x, baseline), text());
}

} // namespace tavrin
