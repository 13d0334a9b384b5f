#include "import/DocumentImport.h"

#include "import/EPUBParser.h"
#include "import/PDFParser.h"
#include "tokenize/TextParser.h"
#include "tokenize/UnicodeText.h"

#include <QFile>
#include <QFileInfo>

#include <new>
#include <string_view>
#include <utility>

namespace tavrin {

namespace {

// Only a regular file is read: a pipe or device would block the import forever.
bool isReadableFile(const QString& path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isReadable();
}

void importText(const QString& path, ImportedDocument& document)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        document.error = ImportError::unreadable;
        return;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        document.error = ImportError::unreadable;
        return;
    }
    // Text that is not UTF-8 has no words.
    const std::optional<std::string> text = UnicodeText::decodeUtf8File(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!text) {
        document.error = ImportError::notUtf8;
        return;
    }
    document.tokens = TextParser::tokenize(*text);
}

ImportError importErrorOf(EPUBError error)
{
    switch (error) {
    case EPUBError::unzipFailed:
        return ImportError::notAnEpub;
    case EPUBError::containerNotFound:
    case EPUBError::malformedContainer:
    case EPUBError::opfNotFound:
        return ImportError::damagedEpub;
    case EPUBError::noSpineItems:
        return ImportError::emptyEpub;
    case EPUBError::unreadableEntry:
        return ImportError::unreadable;
    }
    return ImportError::notAnEpub;
}

void importPdf(const QString& path, ImportedDocument& document)
{
    try {
        auto tokens = PDFParser::read(path, &document.contents);
        if (!tokens) {
            document.error = tokens.error();
            return;
        }
        document.tokens = std::move(tokens).value();
    } catch (const std::bad_alloc&) {
        throw;
    } catch (const std::exception&) {
        document.error = ImportError::unreadable;
    }
}

void importEpub(const QString& path, ImportedDocument& document)
{
    EPUBParseOutcome outcome = EPUBParser::parse(path);
    if (!outcome) {
        document.error = importErrorOf(outcome.error());
        return;
    }
    auto& result = outcome.value();
    document.tokens = std::move(result.tokens);
    if (!result.title.empty()) {
        document.title = std::move(result.title);
    }
    document.author = std::move(result.author);
    document.year = std::move(result.year);
    document.startIndex = result.startIndex;
    document.coverData = std::move(result.coverData);
    document.contents = std::move(result.contents);
}

} // namespace

ImportedDocument importDocument(const QString& path, DocumentKind kind, std::string fileTitle)
{
    ImportedDocument document;
    document.kind = kind;
    document.title = std::move(fileTitle);
    if (!isReadableFile(path)) {
        document.error = ImportError::unreadable;
        return document;
    }
    try {
        switch (kind) {
        case DocumentKind::plainText:
            importText(path, document);
            break;
        case DocumentKind::pdf:
            importPdf(path, document);
            break;
        case DocumentKind::epub:
            importEpub(path, document);
            break;
        }
    } catch (const std::bad_alloc&) {
        // A book too large for the memory left is a failed import, like any other.
        ImportedDocument failed;
        failed.kind = kind;
        failed.title = std::move(document.title);
        failed.error = ImportError::outOfMemory;
        return failed;
    }
    if (!document.error && document.tokens.empty()) {
        document.error = ImportError::noText;
    }
    return document;
}

ImportedDocument importDocument(const QString& path)
{
    return importDocument(path, documentKindOf(path), fileTitle(path));
}

} // namespace tavrin
