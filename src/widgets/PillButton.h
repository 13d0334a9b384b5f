#pragma once

#include "widgets/Symbols.h"

#include <QAbstractButton>
#include <QColor>
#include <QFont>

#include <optional>

namespace tavrin {

/// A text button on a translucent rounded background, optionally led by a symbol; it dims
/// while pressed.
class PillButton : public QAbstractButton
{
    Q_OBJECT

public:
    struct Look
    {
        std::optional<Symbols::Symbol> symbol;
        double symbolPointSize = 16.0;
        QFont::Weight symbolWeight = QFont::Bold;
        int spacing = 8;
        QFont font;
        QColor foreground = Qt::white;
        QColor background = Qt::transparent;
        int paddingX = 14;
        int paddingY = 11;
        double cornerRadius = 10.0;
    };

    PillButton(const QString& text, const Look& look, QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Look m_look;
};

} // namespace tavrin
