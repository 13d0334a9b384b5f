#include "app/LayerGeometry.h"

#include <algorithm>

namespace tavrin::LayerGeometry {

QRectF pauseSymbolRect(QSizeF window, QSizeF glyph)
{
    const double bottom = window.height() - kPauseBottomInset;
    return {(window.width() - glyph.width()) / 2.0, bottom - glyph.height(), glyph.width(),
            glyph.height()};
}

QRectF centredBand(QSizeF window, double lineHeight, double dy)
{
    const double centreY = window.height() / 2.0 + dy;
    return {0.0, centreY - lineHeight / 2.0, window.width(), lineHeight};
}

QRectF hudRect(QSizeF window, double lineHeight)
{
    return centredBand(window, lineHeight, kHudCentreOffset);
}

QSizeF buttonSize(QSizeF glyph)
{
    return {glyph.width() + 2.0 * kButtonPadding, glyph.height() + 2.0 * kButtonPadding};
}

QRectF buttonColumnRect(QSizeF window, QSizeF button, int count)
{
    const double height = button.height() * std::max(0, count);
    return {window.width() - button.width(), kButtonColumnTopInset, button.width(), height};
}

QRectF progressStripRect(QSizeF window)
{
    const double width = std::max(0.0, window.width() - 2.0 * kProgressSideInset);
    const double top = window.height() - kProgressBottomInset - kProgressStripHeight;
    return {kProgressSideInset, top, width, kProgressStripHeight};
}

} // namespace tavrin::LayerGeometry
