#pragma once

#include <QFont>
#include <QSizeF>

class QColor;
class QPainter;
class QPixmap;
class QRectF;

namespace tavrin::Symbols {

/// The small line symbols the panels show, drawn as vector paths so that no icon theme is
/// needed. Each is sized like a symbol-font glyph of a given point size and weight.
enum class Symbol
{
    checkmark,
    plus,
    xmark,
    xmarkCircleFill,
    chevronLeft,
    chevronRight,
    /// The up-and-down chevron pair of a pop-up menu button.
    chevronUpDown,
    booksVertical
};

/// The glyph's box at a point size.
QSizeF size(Symbol symbol, double pointSize);

/// Stroke width of the line symbols for a point size and weight.
double strokeWidth(double pointSize, QFont::Weight weight);

/// Draws the glyph centred in box.
void draw(QPainter& painter, Symbol symbol, const QRectF& box, const QColor& color,
          double pointSize, QFont::Weight weight = QFont::Normal);

/// The glyph in a pixmap of its own size, for menus and icons.
QPixmap pixmap(Symbol symbol, double pointSize, QFont::Weight weight, const QColor& color,
               double devicePixelRatio);

} // namespace tavrin::Symbols
