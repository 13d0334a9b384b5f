#pragma once

#include <QString>

#include <string>

namespace tavrin {

/// The kinds of document the reader imports, chosen by the file's extension in lower case:
/// "epub" and "pdf" name their kinds, anything else (or no extension) is plain text.
enum class DocumentKind
{
    plainText,
    pdf,
    epub
};

/// The kind of the file at path, by its lower-cased extension.
DocumentKind documentKindOf(const QString& path);

/// The title a book gets from its file name: the name without its extension, underscores
/// read as spaces, cut before the first " - " and then before the first ": ", trimmed of
/// spaces and tabs. "Moby_Dick - Herman Melville.txt" gives "Moby Dick".
std::string fileTitle(const QString& path);

} // namespace tavrin
