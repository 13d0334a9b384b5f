#include "library/DropHighlight.h"

#include "widgets/PanelStyle.h"

#include <QPainter>

namespace tavrin {

DropHighlight::DropHighlight(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void DropHighlight::paintEvent(QPaintEvent* /*event*/)
{
    constexpr double kLineWidth = 2.0;
    QPainter painter(this);
    painter.setPen(QPen(PanelStyle::white(0.25), kLineWidth));
    painter.setBrush(Qt::NoBrush);
    const double inset = kLineWidth / 2.0;
    painter.drawRect(QRectF(rect()).adjusted(inset, inset, -inset, -inset));
}

} // namespace tavrin
