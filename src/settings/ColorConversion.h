#pragma once

#include "settings/ColorData.h"

#include <QColor>

namespace tavrin {

/// The settings colour as Qt draws it. Components outside 0…1 are limited to it and a
/// component that is not a number reads as 0, so a hand-edited settings file cannot turn
/// into an invalid or extended-range colour.
QColor toQColor(const ColorData& color);

/// A colour picked in the settings panel as the settings store it: sRGB components and
/// opacity. An invalid colour reads as opaque black.
ColorData fromQColor(const QColor& color);

} // namespace tavrin
