#pragma once

#include <QWidget>

namespace tavrin {

class ControlButton;

/// The settings (gear) button above the library button, without a gap, faded together.
/// Only the buttons take clicks; the column itself lets them through.
class ButtonColumn : public QWidget
{
    Q_OBJECT

public:
    explicit ButtonColumn(QWidget* parent = nullptr);

    ControlButton* gearButton() const { return m_gear; }
    ControlButton* libraryButton() const { return m_library; }
    void setOpacity(double opacity);

    /// The column's size: the two buttons stacked.
    static QSize fixedSize();
    QSize sizeHint() const override;

private:
    ControlButton* m_gear;
    ControlButton* m_library;
};

} // namespace tavrin
