#pragma once

#include <QWidget>

namespace tavrin {

/// The pause sign shown while the reader is paused, filling the widget. A display only.
class PauseSymbolView : public QWidget
{
    Q_OBJECT

public:
    explicit PauseSymbolView(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tavrin
