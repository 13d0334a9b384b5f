#pragma once

#include "common/Result.h"

#include "tokenize/ContentsEntry.h"
#include "tokenize/WordToken.h"

#include <QByteArray>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tavrin {

/// Everything the library needs from one EPUB file: its words in reading order, where
/// reading begins, the cover image bytes as stored, and the cleaned metadata.
struct EPUBParseResult
{
    std::vector<WordToken> tokens;
    std::int64_t startIndex = 0;
    std::optional<QByteArray> coverData;
    std::string author;
    std::string title;
    std::string year;
    /// The navigation document's (or NCX's) entries whose target is a chapter with words.
    std::vector<ContentsEntry> contents;
};

/// Why an EPUB could not be read at all.
enum class EPUBError
{
    /// Not a ZIP archive, or one that would unpack to more than the importer allows.
    unzipFailed,
    containerNotFound,
    malformedContainer,
    opfNotFound,
    noSpineItems,
    /// A storage failure passed through: the container or package document exists but
    /// cannot be read whole (a folder, a symbolic link, a CRC or length error, over the size
    /// budget).
    unreadableEntry,
};

/// What EPUBParser::parse returns: the result, or why there is none.
using EPUBParseOutcome = Result<EPUBParseResult, EPUBError>;

} // namespace tavrin
