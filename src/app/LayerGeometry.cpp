#include "app/LayerGeometry.h"

#include <algorithm>
#include <cmath>

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

QRectF loadingRect(QSizeF window, double lineHeight, double wordHeight)
{
    constexpr double kGap = 12.0;
    const double bottom = (window.height() - wordHeight) / 2.0 - kGap;
    return {0.0, std::max(0.0, bottom - lineHeight), window.width(), lineHeight};
}

QRectF hintRect(QSizeF window, double lineHeight, double wordHeight)
{
    constexpr double kGap = 12.0;
    const double top = (window.height() + wordHeight) / 2.0 + kGap;
    return {0.0, std::min(top, window.height() - lineHeight), window.width(), lineHeight};
}

QRectF contextRect(QSizeF window, const QRectF& hud, const QRectF& pause)
{
    constexpr double kGap = 8.0;
    const double top = hud.bottom() + kGap;
    const double width = std::max(0.0, window.width() - 2.0 * kContextSideInset);
    return {kContextSideInset, top, width, std::max(0.0, pause.top() - kGap - top)};
}

QRectF whereRect(QSizeF window, double lineHeight)
{
    // Under the track, over the strip's lower half and the gap below it.
    const QRectF strip = progressStripRect(window);
    const double top = strip.center().y() + 4.0;
    return {strip.left(), std::min(top, window.height() - lineHeight), strip.width(), lineHeight};
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

QRectF coverRect(QSizeF window)
{
    const double bottom = window.height() - kCoverBottomInset;
    return {(window.width() - kCoverWidth) / 2.0, bottom - kCoverHeight, kCoverWidth, kCoverHeight};
}

QRectF panelRect(QSizeF window, double panelWidth, double shown)
{
    const double fraction = std::isnan(shown) ? 0.0 : std::clamp(shown, 0.0, 1.0);
    const double restingLeft = window.width() - kPanelRightColumn - panelWidth;
    // Out of sight the panel's left edge lies on the window's right edge.
    const double left = restingLeft + (1.0 - fraction) * (window.width() - restingLeft);
    return {left, 0.0, panelWidth, window.height()};
}

} // namespace tavrin::LayerGeometry
