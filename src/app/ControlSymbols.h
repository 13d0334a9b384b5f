#pragma once

#include <QSizeF>

class QColor;
class QPainter;
class QPainterPath;
class QRectF;

// The reader window's symbols, drawn as filled vector paths so that no icon theme is needed:
// the pause sign and the settings, library and contents buttons.

namespace tavrin::ControlSymbols {

enum class Symbol
{
    pause,
    gear,
    book,
    contents
};

/// The glyph's box when drawn at a symbol-font size of pointSize.
QSizeF glyphSize(Symbol symbol, double pointSize);

/// The filled outline of the glyph, fitted to box.
QPainterPath path(Symbol symbol, const QRectF& box);

/// Fills the glyph's outline in box with color, antialiased.
void draw(QPainter& painter, Symbol symbol, const QRectF& box, const QColor& color);

} // namespace tavrin::ControlSymbols
