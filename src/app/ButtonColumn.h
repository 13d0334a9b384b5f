#pragma once

#include <QWidget>

namespace tavrin {

class ControlButton;

/// The settings (gear), library and contents buttons stacked without gaps, faded together.
/// Only the buttons take clicks; the column itself lets them through.
class ButtonColumn : public QWidget
{
    Q_OBJECT

public:
    explicit ButtonColumn(QWidget* parent = nullptr);

    ControlButton* gearButton() const { return m_gear; }
    ControlButton* libraryButton() const { return m_library; }
    ControlButton* contentsButton() const { return m_contents; }
    void setOpacity(double opacity);

    /// How many buttons the column holds.
    static constexpr int kButtonCount = 3;
    /// The column's size: the buttons stacked.
    static QSize fixedSize();
    QSize sizeHint() const override;

private:
    ControlButton* m_gear;
    ControlButton* m_library;
    ControlButton* m_contents;
};

} // namespace tavrin
