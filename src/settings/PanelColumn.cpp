#include "settings/PanelColumn.h"

#include "widgets/PanelStyle.h"

#include <QPainter>

namespace tavrin {

PanelColumn::PanelColumn(QWidget* parent) : QWidget(parent)
{
    setFixedWidth(kWidth);
}

void PanelColumn::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.fillRect(rect(), PanelStyle::panelBackground());
}

} // namespace tavrin
