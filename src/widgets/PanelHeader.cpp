#include "widgets/PanelHeader.h"

#include "widgets/Divider.h"
#include "widgets/PanelStyle.h"
#include "widgets/SymbolButton.h"

#include <QBoxLayout>
#include <QLabel>

namespace tavrin {

PanelHeader::PanelHeader(const QString& title, QWidget* parent)
    : QWidget(parent), m_row(new QHBoxLayout)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_row->setContentsMargins(28, 40, 28, 24);
    m_row->setSpacing(8);
    auto* label = PanelStyle::label(title, PanelStyle::largeTitleFont(), 1.0, this);
    label->setObjectName(QStringLiteral("titleLabel"));
    m_row->addWidget(label);
    m_row->addStretch(1);
    auto* closeButton = SymbolButton::panelCloseButton(this);
    connect(closeButton, &SymbolButton::clicked, this, &PanelHeader::closeRequested);
    m_row->addWidget(closeButton);
    layout->addLayout(m_row);
    layout->addWidget(new Divider(this));
}

void PanelHeader::addControl(QWidget* control)
{
    m_row->insertWidget(m_row->count() - 1, control);
}

} // namespace tavrin
