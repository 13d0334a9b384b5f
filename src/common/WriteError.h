#pragma once

#include <string>

namespace tavrin {

/// Why a file or a stored value could not be written.
enum class WriteError
{
    diskFull,
    /// The place cannot be written at all: no permission, a read-only disk, no such folder.
    notWritable,
    failed
};

/// The error behind a failed system call, from its errno.
WriteError writeErrorFromErrno(int error);

/// In plain words, for a message to the reader ("disk full").
std::string describe(WriteError error);

} // namespace tavrin
