#include "import/DocumentImport.h"

#include "import/EPUBParser.h"
#include "import/EpubBuilder.h"
#include "import/ImportTestFiles.h"
#include "import/TestPdf.h"
#include "tokenize/TextParser.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include <sys/stat.h>

namespace tavrin {
namespace {

struct TextCase
{
    const char* name;
    const char* fileName;
    QByteArray bytes;
    std::vector<std::string> words;
};

class TextImportTest : public ::testing::TestWithParam<TextCase>
{};

TEST_P(TextImportTest, ReadsTheBytesAsUtf8)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QString::fromUtf8(GetParam().fileName));
    ASSERT_TRUE(test::writeFile(path, GetParam().bytes));

    const ImportedDocument document = importDocument(path);
    EXPECT_EQ(document.kind, DocumentKind::plainText);
    EXPECT_EQ(test::texts(document.tokens), GetParam().words);
    EXPECT_FALSE(document.error.has_value());
    EXPECT_EQ(document.author, "");
    EXPECT_EQ(document.year, "");
    EXPECT_EQ(document.startIndex, 0);
    EXPECT_FALSE(document.coverData.has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Files, TextImportTest,
    ::testing::Values(
        TextCase{"Markdown", "readme.md", "# Title\n\nSome text.", {"#", "Title", "Some", "text."}},
        TextCase{"NoExtension", "LICENSE", "Free software.", {"Free", "software."}},
        TextCase{"Empty", "empty.txt", "", {}},
        TextCase{"WhiteSpaceOnly", "blank.txt", " \t\n\n \r\n\xc2\xa0 ", {}},
        // A byte above 127 on its own is not UTF-8: the whole file has no words.
        TextCase{"Latin1", "latin1.txt", "Caf\xe9 au lait, bien s\xfbr.", {}},
        TextCase{"ByteOrderMark", "bom.txt", "\xef\xbb\xbfHello world.", {"Hello", "world."}},
        TextCase{"Utf8",
                 "utf8.txt",
                 "Caf\xc3\xa9 \xe2\x80\x94 cr\xc3\xa8me.",
                 {"Caf\xc3\xa9", "cr\xc3\xa8me."}}),
    [](const ::testing::TestParamInfo<TextCase>& param) { return std::string(param.param.name); });

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
        EXPECT_EQ(document.error, "io") << path.toStdString();
    }
}

TEST(DocumentImportTest, EpubWithoutTitleTakesTheFileTitle)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Moby_Dick - Herman Melville.epub"));
    ASSERT_TRUE(test::writeEpub(path, {"", "", "", "Call me Ishmael.", std::nullopt}));
    const ImportedDocument document = importDocument(path);
    EXPECT_EQ(document.title, "Moby Dick");
    EXPECT_EQ(document.author, "");
    EXPECT_FALSE(document.coverData.has_value());
    EXPECT_EQ(test::texts(document.tokens), (std::vector<std::string>{"Call", "me", "Ishmael."}));
}

TEST(DocumentImportTest, FailedEpubNamesItsError)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Not_Zip.epub"));
    ASSERT_TRUE(test::writeFile(path, "This is not a ZIP archive."));
    const ImportedDocument document = importDocument(path);
    EXPECT_EQ(document.kind, DocumentKind::epub);
    EXPECT_TRUE(document.tokens.empty());
    EXPECT_EQ(document.error, "unzipFailed");
    EXPECT_EQ(document.title, "Not Zip");
}

} // namespace
} // namespace tavrin
