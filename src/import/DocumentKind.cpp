#include "import/DocumentKind.h"

#include "tokenize/UnicodeText.h"

#include <QFileInfo>

namespace tavrin {

namespace {

struct NameParts
{
    QString base;
    QString extension;
};

// A leading dot marks a hidden file rather than an extension, and a "suffix" holding white
// space ("Mr. Smith") is part of the name.
NameParts splitName(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot <= 0) {
        return {name, {}};
    }
    const QString extension = name.mid(dot + 1);
    for (const QChar c : extension) {
        if (c.isSpace()) {
            return {name, {}};
        }
    }
    return {name.left(dot), extension};
}

std::string cutBefore(std::string text, std::string_view separator)
{
    const auto at = text.find(separator);
    if (at != std::string::npos) {
        text.resize(at);
    }
    return text;
}

} // namespace

DocumentKind documentKindOf(const QString& path)
{
    const QString extension = splitName(path).extension.toLower();
    if (extension == u"epub") {
        return DocumentKind::epub;
    }
    if (extension == u"pdf") {
        return DocumentKind::pdf;
    }
    return DocumentKind::plainText;
}

std::string fileTitle(const QString& path)
{
    std::string title = splitName(path).base.toStdString();
    for (char& c : title) {
        if (c == '_') {
            c = ' ';
        }
    }
    title = cutBefore(std::move(title), " - ");
    title = cutBefore(std::move(title), ": ");
    return std::string(UnicodeText::trimWhitespace(title));
}

} // namespace tavrin
