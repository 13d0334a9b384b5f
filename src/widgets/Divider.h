#pragma once

#include <QWidget>

namespace tavrin {

/// A one-pixel separator line in white at low opacity, as wide as its layout makes it.
class Divider : public QWidget
{
    Q_OBJECT

public:
    explicit Divider(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tavrin
