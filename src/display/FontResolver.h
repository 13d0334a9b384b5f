#pragma once

#include <QFont>
#include <QString>

namespace tavrin::FontResolver {

/// The installed family that draws text asked for in `family`, or an empty string when there
/// is none: the family itself when the font database lists it, or a face the system declares
/// metric-compatible with it (Liberation Sans for Arial, for example), which lays words out
/// exactly as the named font would; failing both, for a family of the reader's font list, the
/// system's preferred face of its kind (a serif for Georgia). Characters a face lacks are drawn
/// from another installed face that has them.
QString installedFamily(const QString& family);

/// The font named `family` at `size`, or the system's fixed-pitch font, regular weight, at
/// that size when no such family is installed.
QFont resolve(const QString& family, qreal size);

/// Sets a font's size in device-independent pixels, the unit of the layout around the text:
/// a size of 60 draws a 60 px em. (As Qt points it would draw 4/3 larger than intended.)
/// Sizes that are not positive and finite leave the font as it was.
void setSize(QFont& font, qreal size);

} // namespace tavrin::FontResolver
