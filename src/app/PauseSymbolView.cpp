#include "app/PauseSymbolView.h"

#include "app/ControlSymbols.h"

#include <QColor>
#include <QPainter>

namespace tavrin {

namespace {

constexpr double kOpacity = 0.4;

} // namespace

PauseSymbolView::PauseSymbolView(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void PauseSymbolView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setOpacity(kOpacity);
    ControlSymbols::draw(painter, ControlSymbols::Symbol::pause, QRectF(rect()), Qt::white);
}

} // namespace tavrin
