#include "import/ImportError.h"

namespace tavrin {

std::string describe(ImportError error)
{
    switch (error) {
    case ImportError::unreadable:
        return "the file can't be read";
    case ImportError::notUtf8:
        return "not UTF-8 text";
    case ImportError::noText:
        return "it has no text";
    case ImportError::notAnEpub:
        return "not an EPUB file";
    case ImportError::damagedEpub:
        return "the EPUB is damaged";
    case ImportError::emptyEpub:
        return "the EPUB has no chapters";
    case ImportError::outOfMemory:
        return "too large for the memory left";
    }
    return "the file can't be read";
}

} // namespace tavrin
