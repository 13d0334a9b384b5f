#include "EpubBuilder.h"

#include "ZipBuilder.h"
#include "import/EPUBParser.h"

#include <QFile>

namespace tavrin::test {

std::string containerXml(const std::string& opfPath)
{
    return R"(<?xml version="1.0" encoding="UTF-8"?>
<container version="1.0" xmlns="urn:oasis:names:tc:opendocument:xmlns:container">
  <rootfiles>
    <rootfile full-path=")" +
           opfPath + R"(" media-type="application/oebps-package+xml"/>
  </rootfiles>
</container>)";
}

std::string xhtml(const std::string& bodyMarkup)
{
    return R"(<?xml version="1.0" encoding="utf-8"?>
<html xmlns="http://www.w3.org/1999/xhtml" xmlns:epub="http://www.idpf.org/2007/ops">
<head><title>Chapter</title></head>
<body>)" + bodyMarkup +
           "</body>\n</html>\n";
}

std::string paragraphOfWords(int count, const std::string& prefix)
{
    std::string p = "<p>";
    for (int i = 0; i < count; ++i) {
        if (i > 0) {
            p += ' ';
        }
        p += prefix + std::to_string(i);
    }
    return p + "</p>";
}

std::string packageDocument(const std::vector<ManifestItem>& items,
                            const std::vector<std::string>& spine, const std::string& metadata,
                            const std::string& trailer)
{
    std::string opf = R"(<?xml version="1.0" encoding="UTF-8"?>
<package xmlns="http://www.idpf.org/2007/opf" version="3.0" unique-identifier="id">
<metadata xmlns:dc="http://purl.org/dc/elements/1.1/">)" +
                      metadata + "</metadata>\n<manifest>\n";
    for (const ManifestItem& item : items) {
        opf += "<item id=\"" + item.id + "\" href=\"" + item.href + "\" media-type=\"" +
               item.mediaType + "\"";
        if (!item.properties.empty()) {
            opf += " properties=\"" + item.properties + "\"";
        }
        opf += "/>\n";
    }
    opf += "</manifest>\n<spine>\n";
    for (const std::string& idref : spine) {
        opf += "<itemref idref=\"" + idref + "\"/>\n";
    }
    return opf + "</spine>\n" + trailer + "</package>\n";
}

QByteArray makeEpub(const std::string& opf, const Files& files)
{
    std::vector<ZipEntry> entries;
    entries.push_back({"mimetype", "application/epub+zip", false});
    entries.push_back({"META-INF/container.xml", containerXml(kOpf)});
    entries.push_back({kOpf, opf});
    for (const auto& [name, data] : files) {
        entries.push_back({name, data});
    }
    return QByteArray::fromStdString(buildZip(entries));
}

QByteArray makeEpub(const MinimalEpub& book)
{
    std::string metadata;
    for (const auto& [tag, text] :
         {std::pair{"title", book.title}, std::pair{"creator", book.author},
          std::pair{"date", book.date}}) {
        metadata +=
            text.empty() ? "" : "<dc:" + std::string(tag) + ">" + text + "</dc:" + tag + ">";
    }
    std::vector<ManifestItem> items{{"ch1", "ch1.xhtml"}};
    Files files{{"OEBPS/ch1.xhtml", xhtml("<p>" + book.chapterText + "</p>")}};
    if (book.cover) {
        items.push_back({"cover-image", "cover.jpg", "image/jpeg", "cover-image"});
        files.emplace_back("OEBPS/cover.jpg", book.cover->toStdString());
    }
    return makeEpub(packageDocument(items, {"ch1"}, metadata), files);
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

std::optional<EPUBParseResult> parseOk(const QByteArray& epub)
{
    EPUBParseOutcome outcome = EPUBParser::parse(epub);
    if (!outcome) {
        return std::nullopt;
    }
    return std::move(outcome).value();
}

std::vector<std::string> texts(const std::vector<WordToken>& tokens)
{
    std::vector<std::string> out;
    out.reserve(tokens.size());
    for (const WordToken& token : tokens) {
        out.push_back(token.text);
    }
    return out;
}

} // namespace tavrin::test
