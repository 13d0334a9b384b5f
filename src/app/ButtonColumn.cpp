#include "app/ButtonColumn.h"

#include "app/ControlButton.h"

namespace tavrin {

ButtonColumn::ButtonColumn(QWidget* parent)
    : QWidget(parent), m_gear(new ControlButton(ControlSymbols::Symbol::gear, this)),
      m_library(new ControlButton(ControlSymbols::Symbol::book, this)),
      m_contents(new ControlButton(ControlSymbols::Symbol::contents, this))
{
    m_gear->setObjectName(QStringLiteral("gearButton"));
    m_library->setObjectName(QStringLiteral("libraryButton"));
    const QSize button = ControlButton::fixedSize();
    m_gear->move(0, 0);
    m_contents->setObjectName(QStringLiteral("contentsButton"));
    m_library->move(0, button.height());
    m_contents->move(0, 2 * button.height());
    setFixedSize(fixedSize());
}

void ButtonColumn::setOpacity(double opacity)
{
    m_gear->setOpacity(opacity);
    m_library->setOpacity(opacity);
    m_contents->setOpacity(opacity);
}

QSize ButtonColumn::fixedSize()
{
    const QSize button = ControlButton::fixedSize();
    return {button.width(), kButtonCount * button.height()};
}

QSize ButtonColumn::sizeHint() const
{
    return fixedSize();
}

} // namespace tavrin
