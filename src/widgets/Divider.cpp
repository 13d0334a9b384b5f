#include "widgets/Divider.h"

#include "widgets/PanelStyle.h"

#include <QPainter>

namespace tavrin {

Divider::Divider(QWidget* parent) : QWidget(parent)
{
    setFixedHeight(1);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Divider::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.fillRect(rect(), PanelStyle::white(PanelStyle::kDividerAlpha));
}

} // namespace tavrin
