#include "import/DocumentImport.h"

#include "import/EpubBuilder.h"
#include "import/ZipBuilder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include <sys/stat.h>

namespace tavrin {
namespace {

struct ImportCase
{
    const char* fileName;
    QByteArray bytes;
    std::vector<std::string> words;
    std::string title;
    std::optional<ImportError> error = std::nullopt;
};

TEST(DocumentImportTest, ReadsEachKindFromTheFileName)
{
    const std::vector<ImportCase> cases{
        {"empty.txt", "", {}, "empty", ImportError::noText},
        // A byte above 127 on its own is not UTF-8: the whole file has no words.
        {"latin1.txt", "Caf\xe9 au lait, bien s\xfbr.", {}, "latin1", ImportError::notUtf8},
        {"bom.txt", "\xef\xbb\xbfHello world.", {"Hello", "world."}, "bom"},
        // An EPUB without its own title takes the file's.
        {"Moby_Dick - Herman Melville.epub",
         test::makeEpub(test::packageDocument({{"c1", "c1.xhtml"}}, {"c1"}),
                        {{"OEBPS/c1.xhtml", test::xhtml("<p>Call me Ishmael.</p>")}}),
         {"Call", "me", "Ishmael."},
         "Moby Dick"},
        {"Not_Zip.epub", "This is not a ZIP archive.", {}, "Not Zip", ImportError::notAnEpub},
        {"NoText.pdf", "%PDF-1.4 nothing readable", {}, "NoText", ImportError::unreadable},
        // No bytes: a folder, a pipe (which would block a reader forever) and a missing file.
        {"folder.epub", {}, {}, "folder", ImportError::unreadable},
        {"pipe.txt", {}, {}, "pipe", ImportError::unreadable},
        {"missing.pdf", {}, {}, "missing", ImportError::unreadable},
    };
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.epub")));
    const QByteArray pipe = QFile::encodeName(dir.filePath(QStringLiteral("pipe.txt")));
    ASSERT_EQ(::mkfifo(pipe.constData(), 0600), 0);
    for (const ImportCase& c : cases) {
        const QString path = dir.filePath(QString::fromUtf8(c.fileName));
        ASSERT_TRUE(c.bytes.isNull() || test::writeFile(path, c.bytes));
        const ImportedDocument document = importDocument(path);
        EXPECT_EQ(test::texts(document.tokens), c.words) << c.fileName;
        EXPECT_EQ(document.title, c.title) << c.fileName;
        EXPECT_EQ(document.error, c.error) << c.fileName;
    }
}

// One book through the whole import, its output compared with data/rich-book.txt. The book
// uses namespace prefixes and entities everywhere, lists items that give no words (absent ids,
// an empty chapter, a missing file, a folder) and one file twice, has a guide whose first
// usable start reference is a fragment of the third chapter, and a chapter of every pause
// kind. After a deliberate change, TAVRIN_WRITE_GOLDEN=1 rewrites the file; review its diff.
std::string dump(const ImportedDocument& book)
{
    std::string out = "title " + book.title + "\nauthor " + book.author + "\nyear " + book.year +
                      "\nstart " + std::to_string(book.startIndex) + "\ncover " +
                      book.coverData.value_or("none").toStdString() + "\n";
    for (const WordToken& t : book.tokens) {
        out += t.text + " " + QString::number(t.pauseMultiplier).toStdString() +
               (t.isHeading ? " heading " : " ") + std::to_string(t.chapterIndex) + "\n";
    }
    return out;
}

TEST(DocumentImportTest, RichEpubGivesTheRecordedDump)
{
    const std::string container = R"(<?xml version="1.0"?><c:container
xmlns:c="urn:oasis:names:tc:opendocument:xmlns:container"><c:rootfiles>
<c:rootfile full-path="OEBPS/book.opf"/></c:rootfiles></c:container>)";
    const std::string opf = R"(<?xml version="1.0"?>
<!DOCTYPE opf:package PUBLIC "+//ISBN 0-9673008-1-9//DTD OEB 1.2 Package//EN" "oebpkg12.dtd" [<!ENTITY author "Bront&euml;, Anne"><!ENTITY year "1848">]>
<opf:package xmlns:opf="http://www.idpf.org/2007/opf" xmlns:dc="http://purl.org/dc/elements/1.1/">
<opf:metadata><dc:title>Caf&eacute; &amp; Cr&egrave;me (1847)</dc:title>
<dc:creator>&author;</dc:creator><opf:meta name="DC.Date" content="&year;"/></opf:metadata>
<opf:manifest><opf:item id="one" href="1.xhtml" media-type="application/xhtml+xml"/>
<opf:item id="empty" href="2.xhtml" media-type="application/xhtml+xml"/>
<opf:item id="three" href="Text/3.xhtml" media-type="application/xhtml+xml"/>
<opf:item id="again" href="Text/3.xhtml#s2" media-type="application/xhtml+xml"/>
<opf:item id="missing" href="gone.xhtml" media-type="application/xhtml+xml"/>
<opf:item id="folder" href="Text" media-type="application/xhtml+xml"/>
<opf:item id="pic" href="Text/cover.jpg" media-type="image/jpeg" properties="cover-image"/>
</opf:manifest><opf:spine><opf:itemref idref="one"/><opf:itemref idref="nosuchid"/>
<opf:itemref idref="empty"/><opf:itemref idref="missing"/><opf:itemref idref="folder"/>
<opf:itemref idref="three"/><opf:itemref idref="again"/><opf:itemref idref="one"/></opf:spine>
<opf:guide><opf:reference type="toc" href="1.xhtml"/><opf:reference type="text" href="2.xhtml"/>
<opf:reference type="text" href="gone.xhtml"/><opf:reference type="text"/>
<opf:reference type="text" href="%2e%2e/%2e%2e/etc/passwd"/>
<opf:reference type="BodyMatter" href="Text/3.xhtml#start"/></opf:guide></opf:package>)";
    const std::string pauses = test::xhtml(
        "<h2>Chapter <span>One</span></h2><p>Hello world.</p><section><ul><li><p>one two</p>"
        "</li></ul></section><div><p></p></div><span>alone</span><p> </p><h1></h1>loose "
        "words<br/>after break<p><b>H</b>ello <i>there</i>.</p><nav><p>toc</p></nav><p>kept "
        "<script>var x;</script><style>p{}</style><aside>note</aside>end</p>");
    const std::string prefixed =
        "<?xml version=\"1.0\"?><h:html xmlns:h=\"http://www.w3.org/1999/xhtml\"><h:body>"
        "<h:h1>Head</h:h1><h:p>one two</h:p><h:script>code()</h:script><h:p id=\"s2\">alpha "
        "two</h:p></h:body></h:html>";
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Rich.epub"));
    ASSERT_TRUE(test::writeFile(file, QByteArray::fromStdString(test::buildZip(
                                          {{"META-INF/container.xml", container},
                                           {"OEBPS/book.opf", opf},
                                           {"OEBPS/1.xhtml", pauses},
                                           {"OEBPS/2.xhtml", test::xhtml("<p> </p>")},
                                           {"OEBPS/Text/3.xhtml", prefixed},
                                           {"OEBPS/Text/x.xhtml", test::xhtml("<p>never</p>")},
                                           {"OEBPS/Text/cover.jpg", "JPEG"}}))));
    const ImportedDocument book = importDocument(file);
    const QString path = QStringLiteral(TAVRIN_IMPORT_TEST_DATA "/rich-book.txt");
    if (qEnvironmentVariableIsSet("TAVRIN_WRITE_GOLDEN")) {
        ASSERT_TRUE(test::writeFile(path, QByteArray::fromStdString(dump(book))));
    }
    QFile expected(path);
    ASSERT_TRUE(expected.open(QIODevice::ReadOnly));
    EXPECT_EQ(dump(book), expected.readAll().toStdString());
}

} // namespace
} // namespace tavrin
