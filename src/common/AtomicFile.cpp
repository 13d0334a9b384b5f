#include "common/AtomicFile.h"

#include <QSaveFile>

#include <cerrno>

namespace tavrin::AtomicFile {

namespace {

/// What went wrong, from the system's errno where it tells, else from Qt's account.
WriteError failureOf(const QSaveFile& file, int error)
{
    if (const WriteError fromErrno = writeErrorFromErrno(error); fromErrno != WriteError::failed) {
        return fromErrno;
    }
    switch (file.error()) {
    case QFileDevice::ResourceError:
        return WriteError::diskFull;
    case QFileDevice::OpenError:
    case QFileDevice::PermissionsError:
        return WriteError::notWritable;
    default:
        return WriteError::failed;
    }
}

} // namespace

Status<WriteError> write(const QString& path, const char* data, qint64 size)
{
    QSaveFile file(path);
    // Never fall back to writing in place: a torn file is worse than a lost write.
    file.setDirectWriteFallback(false);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly)) {
        return failureOf(file, errno);
    }
    // Flushed here because commit() can lose a failed flush of the last buffered bytes (a full
    // disk then leaves a truncated file in place of the old one; QTBUG-75077).
    if (file.write(data, size) != size || !file.flush()) {
        const WriteError failure = failureOf(file, errno);
        file.cancelWriting();
        return failure;
    }
    if (!file.commit()) {
        return failureOf(file, errno);
    }
    return {};
}

Status<WriteError> write(const QString& path, const QByteArray& data)
{
    return write(path, data.constData(), data.size());
}

} // namespace tavrin::AtomicFile
