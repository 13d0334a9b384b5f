#pragma once

#include <QFile>
#include <QSettings>
#include <QString>

namespace tavrin::bench {

/// Points HOME and the XDG data and config directories at dir, so that a benchmark's
/// library, preferences and settings never touch the user's own.
inline void useHome(const QString& dir)
{
    qputenv("HOME", QFile::encodeName(dir));
    qputenv("XDG_DATA_HOME", QFile::encodeName(dir + QStringLiteral("/share")));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir + QStringLiteral("/config")));
    // QSettings keeps its per-user search path from the first time it is used.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       dir + QStringLiteral("/config"));
}

} // namespace tavrin::bench
