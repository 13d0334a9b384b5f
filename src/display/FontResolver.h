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

/// The font named `family` at `pointSize` points, or the system's fixed-pitch font, regular
/// weight, at that size when no such family is installed.
QFont resolve(const QString& family, qreal pointSize);

} // namespace tavrin::FontResolver
