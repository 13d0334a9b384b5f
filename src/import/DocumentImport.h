#pragma once

#include "import/DocumentKind.h"
#include "import/ImportError.h"
#include "tokenize/ContentsEntry.h"
#include "tokenize/WordToken.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tavrin {

/// What importing one file yields: everything the library stores for a new book, or why
/// there is none. A document without words is never added; its kind and title stay filled
/// in, so that the reader can say which file failed and why.
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
    /// The book's own contents (an EPUB's navigation, a PDF's outline); empty for a book
    /// whose contents come from its headings.
    std::vector<ContentsEntry> contents;
    /// Why nothing could be read; absent for a document with words.
    std::optional<ImportError> error;
};

/// Imports the file at path as a document of the given kind, with fileTitle as its title
/// unless an EPUB names its own. Blocking, pure and thread-safe: the app's background
/// imports and the command-line tool both go through it.
ImportedDocument importDocument(const QString& path, DocumentKind kind, std::string fileTitle);

/// The same with the kind and title taken from the file name.
ImportedDocument importDocument(const QString& path);

} // namespace tavrin
