#include "app/CentredText.h"

#include "display/FontResolver.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace tavrin {

CentredText::CentredText(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void CentredText::setText(const QString& text)
{
    if (text != m_text) {
        m_text = text;
        update();
    }
}

void CentredText::setTextFont(const QFont& font)
{
    if (font != m_font) {
        m_font = font;
        update();
    }
}

void CentredText::setColor(const QColor& color)
{
    if (color != m_color) {
        m_color = color;
        update();
    }
}

void CentredText::setOpacity(double opacity)
{
    if (opacity != m_opacity) {
        m_opacity = opacity;
        update();
    }
}

double CentredText::bandHeight() const
{
    return std::ceil(QFontMetricsF(m_font).height()) + 4.0;
}

QFont CentredText::statusFont(double pixelSize)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    FontResolver::setSize(font, pixelSize);
    font.setWeight(QFont::Light);
    return font;
}

void CentredText::paintEvent(QPaintEvent*)
{
    if (m_text.isEmpty() || m_opacity <= 0.0) {
        return;
    }
    QPainter painter(this);
    painter.setOpacity(m_opacity);
    painter.setFont(m_font);
    painter.setPen(m_color);
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, m_text);
}

} // namespace tavrin
