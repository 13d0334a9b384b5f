#pragma once

#include <QRectF>
#include <QSizeF>

// Where the reader window's layers sit, as pure functions of the window size, so the layout
// can be checked without drawing anything. Lengths are in device-independent pixels.

namespace tavrin::LayerGeometry {

/// Gap between the pause symbol's bottom and the window's bottom edge.
inline constexpr double kPauseBottomInset = 40.0;
/// How far below the window's centre the status message's line is centred.
inline constexpr double kHudCentreOffset = 100.0;
/// The cover of the open book: its size and the gap between its bottom and the window's
/// bottom edge.
inline constexpr double kCoverWidth = 120.0;
inline constexpr double kCoverHeight = 180.0;
inline constexpr double kCoverBottomInset = 90.0;
/// The empty column kept free to the right of an open panel, where the buttons stand.
inline constexpr double kPanelRightColumn = 72.0;
/// Gap between the button column and the window's top edge.
inline constexpr double kButtonColumnTopInset = 40.0;
/// Space around each button's symbol.
inline constexpr double kButtonPadding = 16.0;
/// The progress strip: its height, its inset from the left and right edges, and its gap to
/// the bottom edge.
inline constexpr double kProgressStripHeight = 28.0;
inline constexpr double kProgressSideInset = 40.0;
inline constexpr double kProgressBottomInset = 16.0;
/// The text around the word while paused: its inset from the left and right edges.
inline constexpr double kContextSideInset = 60.0;

/// The pause symbol's box (glyph size given), centred horizontally, its bottom
/// kPauseBottomInset above the window's bottom edge.
QRectF pauseSymbolRect(QSizeF window, QSizeF glyph);

/// A full-width band of lineHeight whose centre lies dy below the window's centre.
QRectF centredBand(QSizeF window, double lineHeight, double dy = 0.0);

/// The "Loading…" band: lineHeight high, just above the line box (wordHeight high, centred
/// on the window's centre) of the word or title, so that an import running while a book is
/// read never draws over the word. It stays inside the window.
QRectF loadingRect(QSizeF window, double lineHeight, double wordHeight);

/// The hint band ("Space to read", the end, the empty library's hint): lineHeight high, just
/// below the line box (wordHeight high, centred on the window's centre) of the word or title.
QRectF hintRect(QSizeF window, double lineHeight, double wordHeight);

/// The text around the word while paused: below the status message's band (hud) and above
/// the pause symbol's box (pause), kContextSideInset from the left and right edges, so it
/// never covers either, nor the progress strip below the pause symbol. Never negative.
QRectF contextRect(QSizeF window, const QRectF& hud, const QRectF& pause);

/// The where-and-time-left line: lineHeight high, just under the progress strip's track,
/// as wide as the strip.
QRectF whereRect(QSizeF window, double lineHeight);

/// The status message's band: lineHeight high, centred kHudCentreOffset below the centre.
QRectF hudRect(QSizeF window, double lineHeight);

/// One button of the column: the symbol box padded by kButtonPadding on every side.
QSizeF buttonSize(QSizeF glyph);

/// The column of `count` buttons of buttonSize, stacked without gaps against the right
/// edge, kButtonColumnTopInset below the top edge.
QRectF buttonColumnRect(QSizeF window, QSizeF button, int count);

/// The progress strip: kProgressStripHeight high, kProgressSideInset from the left and
/// right edges, kProgressBottomInset above the bottom edge. Never narrower than nothing.
QRectF progressStripRect(QSizeF window);

/// The cover of the open book: kCoverWidth × kCoverHeight, centred horizontally, its bottom
/// kCoverBottomInset above the window's bottom edge.
QRectF coverRect(QSizeF window);

/// A panel of panelWidth against the right edge with kPanelRightColumn free to its right,
/// the window's full height. shown runs from 0 (just past the right edge, out of sight) to 1
/// (in place); values outside are limited to that, and a value that is not a number is 0.
QRectF panelRect(QSizeF window, double panelWidth, double shown);

} // namespace tavrin::LayerGeometry
