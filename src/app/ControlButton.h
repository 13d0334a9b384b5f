#pragma once

#include "app/ControlSymbols.h"

#include <QAbstractButton>

namespace tavrin {

/// A borderless button of the reader's button column: one symbol in white, padded on every
/// side, at the column's fade opacity. It never takes keyboard focus, so the reader's keys
/// never press it.
class ControlButton : public QAbstractButton
{
    Q_OBJECT

public:
    /// Size of the symbol box, as a symbol-font size.
    static constexpr double kSymbolSize = 24.0;

    explicit ControlButton(ControlSymbols::Symbol symbol, QWidget* parent = nullptr);

    ControlSymbols::Symbol symbol() const { return m_symbol; }
    /// The column's fade, multiplied into the symbol's own opacity.
    void setOpacity(double opacity);

    /// The button's size: the symbol box and its padding.
    static QSize fixedSize();
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ControlSymbols::Symbol m_symbol;
    double m_opacity = 1.0;
};

} // namespace tavrin
