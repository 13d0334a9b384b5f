#include "settings/SubPanelRowButton.h"

#include "widgets/PanelStyle.h"
#include "widgets/Symbols.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace tavrin {

namespace {

constexpr double kChevronSize = 15.0;

} // namespace

SubPanelRowButton::SubPanelRowButton(const QString& title, QWidget* parent)
    : QAbstractButton(parent)
{
    setText(title);
    setFont(PanelStyle::title3Font());
    setFocusPolicy(Qt::NoFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void SubPanelRowButton::setOpen(bool open)
{
    if (m_open == open) {
        return;
    }
    m_open = open;
    update();
}

QString SubPanelRowButton::chevronName() const
{
    return m_open ? QStringLiteral("chevron.right") : QStringLiteral("chevron.left");
}

QSize SubPanelRowButton::sizeHint() const
{
    const QFontMetricsF metrics(font());
    const QSizeF chevron = Symbols::size(Symbols::Symbol::chevronLeft, kChevronSize);
    return {static_cast<int>(std::ceil(metrics.horizontalAdvance(text()) + 8 + chevron.width())),
            static_cast<int>(std::ceil(std::max(metrics.height(), chevron.height())))};
}

void SubPanelRowButton::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (isDown()) {
        painter.setOpacity(0.6);
    }
    const QFontMetricsF metrics(font());
    painter.setFont(font());
    painter.setPen(PanelStyle::white(0.8));
    const double centreY = height() / 2.0;
    painter.drawText(QPointF(0.0, centreY + (metrics.ascent() - metrics.descent()) / 2.0), text());

    const QSizeF chevron = Symbols::size(Symbols::Symbol::chevronLeft, kChevronSize);
    const QRectF box(width() - chevron.width(), centreY - chevron.height() / 2.0, chevron.width(),
                     chevron.height());
    Symbols::draw(painter, m_open ? Symbols::Symbol::chevronRight : Symbols::Symbol::chevronLeft,
                  box, PanelStyle::white(0.4), kChevronSize, QFont::DemiBold);
}

} // namespace tavrin
