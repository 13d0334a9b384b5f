#pragma once

#include <string>

namespace tavrin {

/// Why a file gave no book.
enum class ImportError
{
    /// Missing, not a regular file, or a read failed.
    unreadable,
    /// Plain text that is not UTF-8.
    notUtf8,
    /// Read whole, but without a single word (a PDF without a text layer, say).
    noText,
    /// Not a ZIP archive at all.
    notAnEpub,
    /// A ZIP archive without the container or package an EPUB must have.
    damagedEpub,
    /// An EPUB whose reading order lists nothing.
    emptyEpub,
    /// Too large for the memory left.
    outOfMemory
};

/// In plain words, for a message to the reader ("not an EPUB file").
std::string describe(ImportError error);

} // namespace tavrin
