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
        p += prefix + std::to_string(i) + ' ';
    }
    return p + "</p>";
}

std::string packageDocument(const std::vector<ManifestItem>& items,
                            const std::vector<std::string>& spine, const std::string& metadata)
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
    return opf + "</spine>\n</package>\n";
}

QByteArray makeEpub(const std::string& opf, const Files& files)
{
    std::vector<ZipEntry> entries{{"mimetype", "application/epub+zip", false},
                                  {"META-INF/container.xml", containerXml(kOpf)},
                                  {kOpf, opf}};
    for (const auto& [name, data] : files) {
        entries.push_back({name, data});
    }
    return QByteArray::fromStdString(buildZip(entries));
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

std::optional<EPUBParseResult> parseOk(const QByteArray& epub)
{
    EPUBParseOutcome outcome = EPUBParser::parse(epub);
    return outcome ? std::optional(std::move(outcome).value()) : std::nullopt;
}

std::vector<std::string> texts(const std::vector<WordToken>& tokens)
{
    std::vector<std::string> out;
    for (const WordToken& token : tokens) {
        out.push_back(token.text);
    }
    return out;
}

} // namespace tavrin::test
