#include "import/EPUBParser.h"

#include "import/PathUtil.h"
#include "import/Utf8Repair.h"
#include "import/XmlDocument.h"
#include "import/ZipArchive.h"
#include "tokenize/UnicodeText.h"

#include <QRegularExpression>
#include <QString>

#include <algorithm>
#include <array>

namespace tavrin {

namespace {

constexpr const char* kManifestItemQuery = "//*[local-name()='item']";
constexpr const char* kCoverMetaQuery = "//*[local-name()='meta'][@name='cover']";
constexpr std::string_view kCoverProperty = "cover-image";
constexpr std::string_view kCoverIdMarker = "cover";
constexpr std::array<std::string_view, 4> kCoverMediaTypes = {"image/jpeg", "image/png",
                                                              "image/gif", "image/webp"};
constexpr std::string_view kAuthorTrimSet = ";,. ";
constexpr std::array<std::string_view, 3> kTitleCutSeparators = {": ", " - ", "  "};
constexpr std::array<const char*, 4> kDateQueries = {
    "//*[local-name()='date']",
    "//*[local-name()='meta'][@property='dcterms:date']",
    "//*[local-name()='meta'][@name='DC.Date']/@content",
    "//*[local-name()='meta'][@name='date']/@content",
};
constexpr int kEarliestYear = 1000;
constexpr int kLatestYear = 2100;

// Metadata is often pretty-printed across lines in the package document, so line breaks
// at either end are clutter like spaces.
std::string_view trimmed(std::string_view text)
{
    return UnicodeText::trimWhitespaceAndNewlines(text);
}

std::optional<QByteArray> readCover(ZipArchive& archive, const std::string& opfDir,
                                    std::string_view href)
{
    const std::optional<std::string> path = PathUtil::resolveLiteral(opfDir, href);
    if (!path) {
        return std::nullopt;
    }
    const ZipArchive::ReadResult file = archive.read(*path);
    if (!file.ok()) {
        return std::nullopt;
    }
    return QByteArray(file.bytes.data(), static_cast<qsizetype>(file.bytes.size()));
}

// The text cut after maxChars characters (code points), never inside one.
std::string cutToChars(std::string text, std::size_t maxChars)
{
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && chars++ == maxChars) {
            text.resize(i);
            break;
        }
    }
    return text;
}

QString toQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

std::optional<QByteArray> EPUBParser::extractCoverImage(ZipArchive& archive,
                                                        const XmlDocument& opfDoc,
                                                        const std::string& opfDir,
                                                        const Manifest& manifest)
{
    const std::vector<xmlNode*> items = opfDoc.select(kManifestItemQuery);
    for (const xmlNode* item : items) {
        if (!XmlNode::isElement(item)) {
            continue;
        }
        const std::optional<std::string> properties = XmlNode::attribute(item, "properties");
        if (!properties || properties->find(kCoverProperty) == std::string::npos) {
            continue;
        }
        if (const auto href = XmlNode::attribute(item, "href")) {
            if (auto cover = readCover(archive, opfDir, *href)) {
                return cover;
            }
        }
    }

    for (const xmlNode* meta : opfDoc.select(kCoverMetaQuery)) {
        if (!XmlNode::isElement(meta)) {
            continue;
        }
        const std::optional<std::string> content = XmlNode::attribute(meta, "content");
        if (!content) {
            continue;
        }
        const auto entry = manifest.find(*content);
        if (entry == manifest.end()) {
            continue;
        }
        if (auto cover = readCover(archive, opfDir, entry->second)) {
            return cover;
        }
    }

    for (const xmlNode* item : items) {
        if (!XmlNode::isElement(item)) {
            continue;
        }
        const std::optional<std::string> id = XmlNode::attribute(item, "id");
        if (!id || UnicodeText::toLower(*id).find(kCoverIdMarker) == std::string::npos) {
            continue;
        }
        const std::optional<std::string> mediaType = XmlNode::attribute(item, "media-type");
        if (!mediaType || std::find(kCoverMediaTypes.begin(), kCoverMediaTypes.end(), *mediaType) ==
                              kCoverMediaTypes.end()) {
            continue;
        }
        if (const auto href = XmlNode::attribute(item, "href")) {
            if (auto cover = readCover(archive, opfDir, *href)) {
                return cover;
            }
        }
    }
    return std::nullopt;
}

std::string EPUBParser::metadataText(const xmlNode* node)
{
    return cutToChars(XmlNode::stringValue(node), kMaxMetadataChars);
}

std::string EPUBParser::normalizeAuthor(std::string_view raw)
{
    const std::string text = repairUtf8(raw);
    std::string_view author = trimmed(text);
    // The trim set is ASCII, which never occurs inside a UTF-8 multi-byte character.
    const std::size_t first = author.find_first_not_of(kAuthorTrimSet);
    if (first == std::string_view::npos) {
        return {};
    }
    author = author.substr(first, author.find_last_not_of(kAuthorTrimSet) - first + 1);
    const std::size_t comma = author.find(',');
    if (comma == std::string_view::npos) {
        return std::string(author);
    }
    const std::string_view lastName = trimmed(author.substr(0, comma));
    std::string_view firstName = author.substr(comma + 1);
    firstName = trimmed(firstName.substr(0, firstName.find(',')));
    if (firstName.empty()) {
        return std::string(lastName);
    }
    std::string name(firstName);
    name.push_back(' ');
    name.append(lastName);
    return name;
}

std::string EPUBParser::cleanEPUBTitle(std::string_view raw, std::string_view /*author*/)
{
    if (raw.empty()) {
        return {};
    }
    QString title = toQString(trimmed(repairUtf8(raw)));

    thread_local const QRegularExpression byPattern(
        QStringLiteral("\\s+by\\s+.+"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
    thread_local const QRegularExpression yearPattern(
        QStringLiteral("\\s*\\(\\d{4}\\)"), QRegularExpression::UseUnicodePropertiesOption);

    const QRegularExpressionMatch by = byPattern.match(title);
    if (by.hasMatch()) {
        title.truncate(by.capturedStart());
    }
    title.remove(yearPattern);

    std::string text = title.toStdString();
    for (const std::string_view separator : kTitleCutSeparators) {
        const std::size_t at = text.find(separator);
        if (at != std::string::npos) {
            text.resize(at);
        }
    }
    return std::string(trimmed(text));
}

std::string EPUBParser::extractYearFromOPF(const XmlDocument& opfDoc)
{
    thread_local const QRegularExpression yearPattern(QStringLiteral("\\d{4}"));
    for (const char* query : kDateQueries) {
        for (const xmlNode* node : opfDoc.select(query)) {
            std::optional<std::string> text;
            if (XmlNode::isElement(node)) {
                text = XmlNode::attribute(node, "content");
            }
            text = text ? cutToChars(std::move(*text), kMaxMetadataChars) : metadataText(node);
            const QRegularExpressionMatch match = yearPattern.match(toQString(*text));
            if (!match.hasMatch()) {
                continue;
            }
            const QString digits = match.captured();
            int year = 0;
            for (const QChar digit : digits) {
                year = year * 10 + digit.digitValue();
            }
            if (year >= kEarliestYear && year <= kLatestYear) {
                return digits.toStdString();
            }
        }
    }
    return {};
}

} // namespace tavrin
