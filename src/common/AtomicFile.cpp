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
    if (file.write(data, size) != size) {
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
