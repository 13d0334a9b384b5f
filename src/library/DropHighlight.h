#pragma once

#include <QWidget>

namespace tavrin {

/// An outline around its whole area, laid over a drop target while a file drag is over
/// it; it takes no input.
class DropHighlight : public QWidget
{
    Q_OBJECT

public:
    explicit DropHighlight(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tavrin
