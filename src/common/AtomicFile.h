#pragma once

#include <QByteArray>
#include <QString>

namespace tavrin::AtomicFile {

/// Replaces the file at path with data in one step: the bytes go to a temporary file beside
/// it, which is then renamed over the old one. A crash or a full disk leaves either the old
/// or the new file whole, never a mixture. Returns false when nothing was replaced.
bool write(const QString& path, const QByteArray& data);
bool write(const QString& path, const char* data, qint64 size);

} // namespace tavrin::AtomicFile
