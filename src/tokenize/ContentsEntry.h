#pragma once

#include <cstdint>
#include <string>

namespace tavrin {

/// One line of a book's contents: a chapter or heading title, the first word it leads to,
/// and how deeply it is nested (0 at the top). A plain record beside WordToken, so that the
/// importers that find contents and the library that keeps them share it.
struct ContentsEntry
{
    std::string title;
    std::int64_t tokenIndex = 0;
    int depth = 0;

    bool operator==(const ContentsEntry&) const = default;
};

} // namespace tavrin
