#pragma once

#include <QFont>
#include <QString>

namespace tavrin::FontResolver {

/// The installed family that draws text asked for in `family`, or an empty string when there
/// is none: the family itself when the font database lists it, or a face the system declares
/// metric-compatible with it (Liberation Sans for Arial, for example), which lays words out
/// exactly as the named font would.
QString installedFamily(const QString& family);

/// The font named `family` at `pointSize` points, or the system's fixed-pitch font, regular
/// weight, at that size when no such family is installed.
QFont resolve(const QString& family, qreal pointSize);

} // namespace tavrin::FontResolver
