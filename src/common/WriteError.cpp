#include "common/WriteError.h"

#include <cerrno>

namespace tavrin {

WriteError writeErrorFromErrno(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return WriteError::diskFull;
    case EACCES:
    case EPERM:
    case EROFS:
    case ENOENT:
    case ENOTDIR:
        return WriteError::notWritable;
    default:
        return WriteError::failed;
    }
}

std::string describe(WriteError error)
{
    switch (error) {
    case WriteError::diskFull:
        return "disk full";
    case WriteError::notWritable:
        return "the folder can't be written";
    case WriteError::failed:
        break;
    }
    return "the file couldn't be written";
}

} // namespace tavrin
