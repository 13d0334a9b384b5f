#pragma once

#include <QUuid>

#include <cstdint>
#include <optional>
#include <string>

namespace tavrin {

/// One library entry: where its token cache and cover live, its metadata, its length and
/// the word at which reading resumes. Paths are absolute; texts are UTF-8.
struct Book
{
    QUuid id;
    std::string title;
    std::string author;
    std::string year;
    std::string cachedTokenPath;
    std::optional<std::string> coverImagePath;
    std::int64_t currentWordIndex = 0;
    std::int64_t totalWords = 0;
    /// The file the book was imported from and its size in bytes, so that opening the same
    /// file again finds the book instead of importing it twice; absent for books imported
    /// before they were recorded.
    std::optional<std::string> sourcePath;
    std::optional<std::int64_t> sourceSize;

    bool operator==(const Book&) const = default;
};

} // namespace tavrin
