#pragma once

#include "import/EPUBParseResult.h"
#include "tokenize/WordToken.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <string>
#include <utility>
#include <vector>

// Builders of the EPUB books, archives and files the import tests read.
namespace tavrin::test {

struct ManifestItem
{
    std::string id;
    std::string href;
    std::string mediaType = "application/xhtml+xml";
    std::string properties = {};
};

using Files = std::vector<std::pair<std::string, std::string>>;

/// Where every test book keeps its package document.
inline const std::string kOpf = "OEBPS/content.opf";

/// META-INF/container.xml naming the package document.
std::string containerXml(const std::string& opfPath);

/// An XHTML chapter whose body holds bodyMarkup.
std::string xhtml(const std::string& bodyMarkup);

/// A paragraph of count distinct words ("w0 w1 ...") wrapped in <p>.
std::string paragraphOfWords(int count, const std::string& prefix = "w");

/// An OPF package document with the items, the spine (idrefs) and optional metadata
/// (inside <metadata>) and trailing markup (a <guide>, say).
std::string packageDocument(const std::vector<ManifestItem>& items,
                            const std::vector<std::string>& spine, const std::string& metadata = {},
                            const std::string& trailer = {});

/// An EPUB archive: mimetype, the container naming kOpf, the package opf, then files.
QByteArray makeEpub(const std::string& opf, const Files& files);

/// The parts of a one-chapter EPUB; an empty field is left out.
struct MinimalEpub
{
    std::string title;
    std::string author;
    std::string date;
    std::string chapterText;
    std::optional<QByteArray> cover;
};

QByteArray makeEpub(const MinimalEpub& book);

/// The result, or nullopt when parse failed.
std::optional<EPUBParseResult> parseOk(const QByteArray& epub);

std::vector<std::string> texts(const std::vector<WordToken>& tokens);

/// Writes bytes to path; false if that fails.
bool writeFile(const QString& path, const QByteArray& bytes);

} // namespace tavrin::test
