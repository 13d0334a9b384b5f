#include "import/PDFParser.h"
#include "import/PageJoin.h"

#include "import/EpubBuilder.h"
#include "import/TestPdf.h"
#include "tokenize/TextParser.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace tavrin {
namespace {

using test::TestPdf::Page;

void expectSameTokens(const std::vector<WordToken>& actual, const std::vector<WordToken>& expected)
{
    ASSERT_EQ(test::texts(actual), test::texts(expected));
    for (std::size_t i = 0; i < actual.size(); ++i) {
        EXPECT_EQ(actual[i].pauseMultiplier, expected[i].pauseMultiplier) << actual[i].text;
        EXPECT_EQ(actual[i].isHeading, expected[i].isHeading) << actual[i].text;
        EXPECT_EQ(actual[i].chapterIndex, expected[i].chapterIndex) << actual[i].text;
    }
}

class PDFParserTest : public ::testing::Test
{
protected:
    QString write(const QString& name, const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(name);
        EXPECT_TRUE(test::writeFile(path, bytes));
        return path;
    }

private:
    QTemporaryDir m_dir;
};

// A page break ends a paragraph only where the text before it ends one (a full stop, a
// line short of the column, a heading next); a word hyphenated across it is one word.
TEST(PageJoin, PageBreaksEndParagraphsOnlyWhereTheTextDoes)
{
    const std::string full = "a line of text that runs all the way across the column\n";
    const std::string run = "and on, to the end of the last line of the page, said";
    const std::string breaks[][3]{
        {full + run, "the man.", full + run + " the man."},
        {full + "and stops \"here.\"", "Then, on.", full + "and stops \"here.\"\n\nThen, on."},
        {full + "as follows", "one, two.", full + "as follows\n\none, two."},
        {full + run, "Chapter Two\n\nIt began.", full + run + "\n\nChapter Two\n\nIt began."},
        {full + run + " extraor-", "dinary words.", full + run + " extraordinary words."},
        {full + run + " Jean-", "Paul, and more.", full + run + " Jean- Paul, and more."},
        // a last line under 0.7 of the column ends the paragraph; one over it runs on
        {full + "and stops short of the column at", "then, on.",
         full + "and stops short of the column at\n\nthen, on."},
        {full + "and on to the end of the line but not all", "then, on.",
         full + "and on to the end of the line but not all then, on."},
    };
    for (const auto& [last, next, text] : breaks) {
        expectSameTokens(TextParser::tokenize(PageJoin::join({last, "", next}).text),
                         TextParser::tokenize(text));
    }
    // poppler hands over the soft hyphen of a test PDF as a plain one, so it is only seen here.
    for (const std::string hyphen : {"-", "\u2010", "\u00AD"}) {
        EXPECT_EQ(PageJoin::join({"an extraor" + hyphen, "dinary word."}).text,
                  "an extraordinary word.")
            << hyphen;
    }
}

// Heads and feet repeat at the edges of the pages, as the same text, the same text with the
// page number, or a bare page number, and go. A heading that opens one page stays, and so
// does the title that opens the document even where it is the running head too. Two pages
// show no pattern and keep everything. WinAnsi text comes out as UTF-8.
TEST_F(PDFParserTest, RunningHeadsAndFeetGo)
{
    const std::string title = "A Tale of Testing";
    const std::string body[] = {"The story starts here, on the first page, and runs",
                                "on to the second page, where it goes on and on and",
                                "It begins again here, and runs over the page",
                                "and ends the \x93"
                                "caf\xe9\x94 book."};
    const std::vector<Page> pages{{{{title}, {"Chapter One"}, {body[0]}, {"1"}}},
                                  {{{title}, {"2 | Tests"}, {body[1]}, {"2"}}},
                                  {{{title}, {"3 | Tests"}, {"Chapter Two"}, {body[2]}, {"3"}}},
                                  {{{title}, {"4 | Tests"}, {body[3], "4"}}}};
    expectSameTokens(
        PDFParser::tokenize(write(QStringLiteral("all.pdf"), test::TestPdf::document(pages))),
        TextParser::tokenize(title + "\n\nChapter One\n\n" + body[0] + " " + body[1] +
                             "\n\nChapter Two\n\n" + body[2] +
                             " and ends the \u201Ccaf\u00E9\u201D book."));
    expectSameTokens(PDFParser::tokenize(write(QStringLiteral("two.pdf"),
                                               test::TestPdf::document({pages[0], pages[1]}))),
                     TextParser::tokenize(title + "\n\nChapter One\n\n" + body[0] + "\n\n1\n\n" +
                                          title + "\n\n2 | Tests\n\n" + body[1] + "\n\n2"));
}

// Encrypted with an owner password only (40-bit RC4): any reader opens it without one.
TEST_F(PDFParserTest, OwnerPasswordAloneDoesNotHideText)
{
    expectSameTokens(
        PDFParser::tokenize(QStringLiteral(TAVRIN_IMPORT_TEST_DATA "/owner-password.pdf")),
        TextParser::tokenize("Restricted but readable, like any other PDF.\n\nA "
                             "second page follows it."));
}

TEST_F(PDFParserTest, PageTreeLoopKeepsTheReachablePages)
{
    const QByteArray font =
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>";
    const QByteArray content = "BT /F1 12 Tf 72 700 Td (Reachable page text.) Tj ET";
    const QString file = write(
        QStringLiteral("loop.pdf"),
        test::TestPdf::fromObjects(
            {"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [2 0 R 3 0 R] /Count 2 >>",
             "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Contents 4 0 R "
             "/Resources << /Font << /F1 5 0 R >> >> >>",
             "<< /Length " + QByteArray::number(content.size()) + " >>\nstream\n" + content +
                 "\nendstream",
             font}));
    EXPECT_EQ(test::texts(PDFParser::tokenize(file)),
              (std::vector<std::string>{"Reachable", "page", "text."}));
}

TEST_F(PDFParserTest, UnreadableFilesGiveNoWords)
{
    const QByteArray whole = test::TestPdf::document({{{{"Some text."}}}, {{{"More text."}}}});
    const QByteArray catalog = "<< /Type /Catalog /Pages 2 0 R >>";
    const std::vector<QByteArray> files{
        {},
        "Just some words, not a PDF.\n",
        "%PDF-1.7\n" + QByteArray(20000, '\xa7'),
        whole.left(whole.size() / 2),
        test::TestPdf::fromObjects({catalog, "<< /Type /Pages /Kids [] /Count 0 >>"}),
        // A page tree that holds only itself, and one claiming a page count beyond reason.
        test::TestPdf::fromObjects({catalog, "<< /Type /Pages /Kids [2 0 R] /Count 1 >>"}),
        test::TestPdf::fromObjects({catalog, "<< /Type /Pages /Kids [2 0 R] /Count 2147483647 >>"}),
        // The /U entry matches no password, so the document stays locked.
        test::TestPdf::fromObjects({catalog, "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
                                    "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] >>",
                                    "<< /Filter /Standard /V 1 /R 2 /O <" +
                                        QByteArray(32, '\x11').toHex() + "> /U <" +
                                        QByteArray(32, '\x22').toHex() + "> /P -4 >>"},
                                   "/Encrypt 4 0 R /ID [<00112233445566778899AABBCCDDEEFF> "
                                   "<00112233445566778899AABBCCDDEEFF>] "),
    };
    EXPECT_TRUE(PDFParser::tokenize(QStringLiteral("/nonexistent/missing.pdf")).empty());
    for (std::size_t i = 0; i < files.size(); ++i) {
        const QString file = write(QStringLiteral("broken%1.pdf").arg(i), files[i]);
        EXPECT_TRUE(PDFParser::tokenize(file).empty()) << i;
        EXPECT_TRUE(PDFParser::extractText(file).empty()) << i;
    }
}

std::string groffWords(int count)
{
    const QStringList vocabulary =
        QStringLiteral("extraordinary considerations the interdisciplinary of understanding "
                       "representatives and characteristically organisational with "
                       "responsibilities nevertheless approximately incomprehensible "
                       "establishment")
            .split(u' ');
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += vocabulary[(i * 7 + i / 5 + 6) % 16].toStdString() + (i % 9 == 8 ? ", " : " ");
    }
    return text;
}

// groff typesets two parts under one book entry of the outline, with a running head, the
// page number in it and at the foot. The first page break falls mid-sentence; the third
// falls inside a hyphenated word.
TEST_F(PDFParserTest, TypesetBookReadsAsItsText)
{
    const QString groff = QStandardPaths::findExecutable(QStringLiteral("groff"));
    if (groff.isEmpty()) {
        GTEST_SKIP() << "groff is not installed";
    }
    const std::string first = "Once upon a time " + groffWords(600) + "ended.";
    const std::string second = "Then " + groffWords(500) + "stopped.";
    const std::string source =
        ".nr HY 1\n.nr PD 2v\n.ds LH A Tale of Testing\n.ds CH\n"
        ".ds RH Page %\n.ds CF %\n.NH\nFirst Part\n"
        ".pdfbookmark 1 \"A Tale of Testing\"\n.pdfbookmark 2 \"First Part\"\n"
        ".PP\n" +
        first +
        "\n.bp\n.NH\nSecond Part\n"
        ".pdfbookmark 2 \"Second Part\"\n.PP\n" +
        second + "\n";
    QProcess process;
    process.start(groff, {QStringLiteral("-ms"), QStringLiteral("-Tpdf")});
    process.write(source.data(), static_cast<qint64>(source.size()));
    process.closeWriteChannel();
    ASSERT_TRUE(process.waitForFinished(60000) && process.exitCode() == 0);
    const QString file = write(QStringLiteral("book.pdf"), process.readAllStandardOutput());

    std::vector<WordToken> expected =
        TextParser::tokenize("1. First Part\n\n" + first + "\n\n2. Second Part\n\n" + second);
    ASSERT_EQ(expected.at(608).text, "2.");
    for (std::size_t i = 608; i < expected.size(); ++i) {
        expected[i].chapterIndex = 1;
    }
    std::vector<ContentsEntry> contents;
    expectSameTokens(PDFParser::read(file, &contents).value(), expected);
    EXPECT_EQ(contents,
              (std::vector<ContentsEntry>{{"First Part", 0, 0}, {"Second Part", 608, 0}}));
}

// A manual that Debian installs: the outline's first level gives the chapters (plus one for
// the pages before its first entry), and the running head is gone: its words stand in the
// text only as often as the title, contents and headings put them there.
TEST(RealPdfTest, ChaptersFollowTheOutlineAndHeadsGo)
{
    const auto tokens = PDFParser::tokenize(
        QStringLiteral("/usr/share/doc/shared-mime-info/shared-mime-info-spec.pdf"));
    ASSERT_GT(tokens.size(), 1000U);
    EXPECT_EQ(tokens.back().chapterIndex, 3);
    const std::vector<std::string> texts = test::texts(tokens);
    const std::vector<std::string> head{"Shared", "MIME", "info", "Database"};
    std::size_t heads = 0;
    for (auto at = texts.begin();
         (at = std::search(at, texts.end(), head.begin(), head.end())) != texts.end(); ++at) {
        ++heads;
    }
    EXPECT_EQ(heads, 2U);
}

} // namespace
} // namespace tavrin
