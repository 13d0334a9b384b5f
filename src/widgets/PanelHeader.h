#pragma once

#include <QWidget>

class QHBoxLayout;

namespace tavrin {

/// The top of a panel: its title at the left, the panel's own controls and the close button
/// at the right, and the divider under them.
class PanelHeader : public QWidget
{
    Q_OBJECT

public:
    PanelHeader(const QString& title, QWidget* parent);

    /// Places a control of the panel's left of the close button.
    void addControl(QWidget* control);

Q_SIGNALS:
    void closeRequested();

private:
    QHBoxLayout* m_row;
};

} // namespace tavrin
