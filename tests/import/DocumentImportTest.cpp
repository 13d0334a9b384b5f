#include "import/DocumentImport.h"

#include "import/EpubBuilder.h"

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
        {"readme.md", "# Title\n\nSome text.", {"#", "Title", "Some", "text."}, "readme"},
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
    };
    QTemporaryDir dir;
    for (const ImportCase& c : cases) {
        const QString path = dir.filePath(QString::fromUtf8(c.fileName));
        ASSERT_TRUE(test::writeFile(path, c.bytes));
        const ImportedDocument document = importDocument(path);
        EXPECT_EQ(test::texts(document.tokens), c.words) << c.fileName;
        EXPECT_EQ(document.title, c.title) << c.fileName;
        EXPECT_EQ(document.error, c.error) << c.fileName;
    }
}

TEST(DocumentImportTest, UnreadablePathsReportIo)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.txt")));
    const QString fifo = dir.filePath(QStringLiteral("pipe.txt"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);

    for (const QString& path :
         {dir.filePath(QStringLiteral("missing.txt")), dir.filePath(QStringLiteral("missing.pdf")),
          dir.filePath(QStringLiteral("missing.epub")), dir.filePath(QStringLiteral("folder.txt")),
          fifo}) {
        // A pipe would block a reader forever; it is refused without being opened.
        const ImportedDocument document = importDocument(path);
        EXPECT_TRUE(document.tokens.empty()) << path.toStdString();
        EXPECT_EQ(document.error, ImportError::unreadable) << path.toStdString();
    }
}

} // namespace
} // namespace tavrin
