#pragma once

#include <QAbstractButton>

namespace tavrin {

/// A row of the settings panel that opens a second column: its title at the left and a
/// chevron at the right that points left (where the column opens) or, while the column
/// is open, right.
class SubPanelRowButton : public QAbstractButton
{
    Q_OBJECT

public:
    explicit SubPanelRowButton(const QString& title, QWidget* parent = nullptr);

    bool isOpen() const { return m_open; }
    void setOpen(bool open);
    /// "chevron.left" or "chevron.right", the symbol drawn.
    QString chevronName() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_open = false;
};

} // namespace tavrin
