#pragma once

#include <QWidget>

namespace tavrin {

/// One 380-wide column of the settings panel on the panel background.
class PanelColumn : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kWidth = 380;

    explicit PanelColumn(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tavrin
