#pragma once

#include "import/DocumentKind.h"
#include "tokenize/WordToken.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tavrin {

/// What importing one file yields: everything the library stores for a new book. A
/// document without words (unreadable, not UTF-8, no text layer, a failed EPUB) has empty
/// tokens and is not added.
struct ImportedDocument
{
    DocumentKind kind = DocumentKind::plainText;
    std::vector<WordToken> tokens;
    /// The EPUB's own title when it has one, else the file title.
    std::string title;
    std::string author;
    std::string year;
    /// Where reading begins: an EPUB's first real chapter, 0 otherwise.
    std::int64_t startIndex = 0;
    std::optional<QByteArray> coverData;
    /// Why nothing could be read: an EPUB error's case name ("unzipFailed", …), "io" when
    /// the file could not be read, "outOfMemory" when the memory left was too small for it.
    /// Absent when the file was read, even if it has no words.
    std::optional<std::string> error;
};

/// Imports the file at path as a document of the given kind, with fileTitle as its title
/// unless an EPUB names its own. Blocking, pure and thread-safe: the app's background
/// imports and the command-line tool both go through it.
ImportedDocument importDocument(const QString& path, DocumentKind kind, std::string fileTitle);

/// The same with the kind and title taken from the file name.
ImportedDocument importDocument(const QString& path);

} // namespace tavrin
