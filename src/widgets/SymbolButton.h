#pragma once

#include "widgets/Symbols.h"

#include <QAbstractButton>
#include <QColor>

namespace tavrin {

/// A borderless button showing one symbol, padded, optionally with a soft shadow; it
/// dims while pressed. Only the padded symbol takes clicks: a press on the margin kept
/// for the shadow goes on to the widget below.
class SymbolButton : public QAbstractButton
{
    Q_OBJECT

public:
    struct Look
    {
        Symbols::Symbol symbol = Symbols::Symbol::xmark;
        double pointSize = 18.0;
        QFont::Weight weight = QFont::Normal;
        QColor color = Qt::white;
        int padding = 0;
        QColor shadowColor = Qt::transparent;
        double shadowRadius = 0.0;
    };

    explicit SymbolButton(const Look& look, QWidget* parent = nullptr);

    /// The close button in the header of the library and settings panels (object name
    /// "closeButton").
    static SymbolButton* panelCloseButton(QWidget* parent);

    const Look& look() const { return m_look; }
    void setSymbol(Symbols::Symbol symbol);
    /// The padded symbol's rectangle within the widget, the part that takes clicks.
    QRect hitRect() const;
    /// Space on each side around the padded symbol, kept for its shadow.
    int shadowMargin() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;

private:
    Look m_look;
};

} // namespace tavrin
