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

std::string containerXml(const std::string& opfPath);

/// An XHTML chapter whose body holds bodyMarkup.
std::string xhtml(const std::string& bodyMarkup);

/// A paragraph of count distinct words ("w0 w1 ...").
std::string paragraphOfWords(int count, const std::string& prefix = "w");

/// A package document; metadata goes inside <metadata>.
std::string packageDocument(const std::vector<ManifestItem>& items,
                            const std::vector<std::string>& spine,
                            const std::string& metadata = {});

/// An EPUB archive: mimetype, the container naming kOpf, the package opf, then files.
QByteArray makeEpub(const std::string& opf, const Files& files);

/// The result, or nullopt when parse failed.
std::optional<EPUBParseResult> parseOk(const QByteArray& epub);

std::vector<std::string> texts(const std::vector<WordToken>& tokens);

bool writeFile(const QString& path, const QByteArray& bytes);

} // namespace tavrin::test
