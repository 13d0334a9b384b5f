#pragma once

#include "common/Result.h"
#include "common/WriteError.h"

#include <QByteArray>
#include <QString>

namespace tavrin::AtomicFile {

/// Replaces the file at path with data in one step: the bytes go to a temporary file beside
/// it, which is then renamed over the old one. A crash or a full disk leaves either the old
/// or the new file whole, never a mixture. A failure replaced nothing.
Status<WriteError> write(const QString& path, const QByteArray& data);
Status<WriteError> write(const QString& path, const char* data, qint64 size);

} // namespace tavrin::AtomicFile
