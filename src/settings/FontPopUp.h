#pragma once

#include <QComboBox>

namespace tavrin {

/// The font pop-up: a combo box styled dark, marked with the up-and-down chevrons of a
/// pop-up menu (the style sheet that darkens it takes the platform's arrow away).
class FontPopUp : public QComboBox
{
    Q_OBJECT

public:
    explicit FontPopUp(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tavrin
