#include "common/AtomicFile.h"

#include <QSaveFile>

namespace tavrin::AtomicFile {

bool write(const QString& path, const char* data, qint64 size)
{
    QSaveFile file(path);
    // Never fall back to writing in place: a torn file is worse than a lost write.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    // Flushed here because commit() can lose a failed flush of the last buffered bytes (a full
    // disk then leaves a truncated file in place of the old one; QTBUG-75077).
    if (file.write(data, size) != size || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool write(const QString& path, const QByteArray& data)
{
    return write(path, data.constData(), data.size());
}

} // namespace tavrin::AtomicFile
