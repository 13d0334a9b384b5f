#include "library/BookCodec.h"
#include "library/LibraryStore.h"
#include "support/TestHome.h"
#include "tokenize/TextParser.h"
#include "tokenize/TokenCodec.h"

#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

#include <string>

namespace tavrin {
namespace {

struct ToolRun
{
    int status = -1;
    std::string out;
    std::string err;
};

class ToolTest : public ::testing::Test
{
protected:
    ToolRun tool(const char* command, const QStringList& args = {})
    {
        QProcess process;
        process.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
        process.start(QStringLiteral(TAVRIN_TOOL), QStringList{QString::fromUtf8(command)} + args);
        process.waitForFinished(60'000);
        return {process.exitCode(), process.readAllStandardOutput().toStdString(),
                process.readAllStandardError().toStdString()};
    }

    QString write(const char* name, const QByteArray& bytes)
    {
        const QString path = m_home.path() + QStringLiteral("/") + QString::fromUtf8(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        return path;
    }

    test::TestHome m_home;
};

// The words and pauses are the parser's and the title the importer's: tested there.
TEST_F(ToolTest, PrintsTokensCountsAndTheDescriptionOfADocument)
{
    const QByteArray content = "Chapter One\n\nIt was well-known.";
    const QString text = write("Title: Subtitle.md", content);
    EXPECT_EQ(tool("tokens", {text}).out,
              TokenCodec::encode(TextParser::tokenize(content.toStdString())) + "\n");
    EXPECT_EQ(tool("count", {text}).out, "6\n");
    EXPECT_EQ(tool("info", {text}).out,
              R"({"kind":"text","title":"Title","author":"","year":"","startIndex":0,)"
              R"("coverBytes":0,"tokenCount":6,"chapters":1,"contents":0})"
              "\n");
    // Nothing readable as UTF-8: no words, but no failure either.
    EXPECT_EQ(tool("tokens", {write("latin1.txt", "caf\xE9 au lait")}).out, "[]\n");
    const ToolRun pdf = tool("info", {QStringLiteral(TAVRIN_TOOL_TEST_PDF)});
    EXPECT_EQ(pdf.out.rfind(R"({"kind":"pdf","title":"owner-password",)", 0), 0u) << pdf.out;
    const ToolRun epub = tool("info", {write("junk.epub", "not a zip")});
    EXPECT_EQ(epub.out.rfind(R"({"kind":"epub",)", 0), 0u) << epub.out;
    EXPECT_NE(epub.out.find(R"("error":"not an EPUB file")"), std::string::npos) << epub.out;
}

TEST_F(ToolTest, ReportsUnreadableFilesWithStatusOne)
{
    for (const char* command : {"tokens", "count", "decode", "info", "add"}) {
        for (const QString& path :
             {m_home.path() + QStringLiteral("/missing.txt"), m_home.path()}) {
            const ToolRun run = tool(command, {path});
            EXPECT_EQ(run.status, 1) << command;
            EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
            EXPECT_TRUE(run.out.empty());
        }
    }
    EXPECT_EQ(tool("decode", {write("c.json", "[{}]")}).status, 1);
    EXPECT_EQ(tool("frobnicate").status, 1);
    const ToolRun help = tool("--help");
    EXPECT_EQ(help.status, 0);
    for (const char* command : {"tokens", "count", "decode", "info", "add", "list", "remove"}) {
        EXPECT_NE(help.out.find(command), std::string::npos) << command;
    }
}

TEST_F(ToolTest, AddsListsAndRemovesBooksInTheReadersLibrary)
{
    const QString text =
        write("Moby_Dick - Herman Melville.txt", "Call me Ishmael. Some years ago.");
    const ToolRun add = tool("add", {text, write("blank.txt", " \n\n \t ")});
    EXPECT_EQ(add.status, 1); // the blank file adds nothing
    const auto added = BookCodec::decode("[" + add.out.substr(0, add.out.find('\n')) + "]");
    ASSERT_TRUE(added);
    ASSERT_EQ(added->size(), 1u);
    const Book& book = added->front();
    EXPECT_EQ(book.title, "Moby Dick");
    EXPECT_EQ(book.totalWords, 6);
    EXPECT_EQ(TokenCodec::decodeFile(book.cachedTokenPath)->size(), 6u);
    // With nothing to reopen, the reader's next start opens the new book.
    EXPECT_EQ(LibraryStore().lastOpenBookID(), book.id);

    const ToolRun list = tool("list");
    ASSERT_EQ(list.status, 0);
    EXPECT_EQ(BookCodec::decode(list.out), std::vector<Book>{book});

    EXPECT_EQ(tool("remove", {QStringLiteral("not-an-id")}).status, 1);
    const QString id = book.id.toString(QUuid::WithoutBraces);
    ASSERT_EQ(tool("remove", {id}).status, 0);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(book.cachedTokenPath)));
    EXPECT_FALSE(LibraryStore().lastOpenBookID().has_value());
    EXPECT_EQ(tool("list").out, "[]\n");
    EXPECT_EQ(tool("remove", {id}).status, 1);
}

} // namespace
} // namespace tavrin
