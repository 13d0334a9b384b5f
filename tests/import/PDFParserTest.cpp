#include "import/PDFParser.h"

#include "import/EpubBuilder.h"
#include "import/ImportTestFiles.h"
#include "import/TestPdf.h"
#include "tokenize/TextParser.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>
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
        EXPECT_EQ(actual[i].chapterIndex, 0) << actual[i].text;
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
    QString writePages(const std::vector<Page>& pages)
    {
        return write(QStringLiteral("doc%1.pdf").arg(++m_count), test::TestPdf::document(pages));
    }

private:
    QTemporaryDir m_dir;
    int m_count = 0;
};

TEST_F(PDFParserTest, EveryPageEndsAParagraph)
{
    const auto tokens = PDFParser::tokenize(writePages({
        {{{"The cat sat on the mat today."}}},
        {{{"Chapter Two"}}},
        {{{"It was a very dark and stormy"}}},
        {{{"night, and the rain fell hard."}}},
    }));
    ASSERT_EQ(test::texts(tokens),
              (std::vector<std::string>{"The",    "cat",     "sat",  "on",     "the",    "mat",
                                        "today.", "Chapter", "Two",  "It",     "was",    "a",
                                        "very",   "dark",    "and",  "stormy", "night,", "and",
                                        "the",    "rain",    "fell", "hard."}));
    // The last word of every page pauses as a paragraph end, even mid-sentence.
    EXPECT_EQ(tokens[5].pauseMultiplier, 1.0);
    EXPECT_EQ(tokens[6].pauseMultiplier, 3.5);
    EXPECT_EQ(tokens[15].pauseMultiplier, 3.5);
    EXPECT_EQ(tokens[21].pauseMultiplier, 3.5);
    // A short page without "." or "," (a title page, a lone running head) is a heading.
    EXPECT_TRUE(tokens[7].isHeading);
    EXPECT_EQ(tokens[7].pauseMultiplier, 1.5);
    EXPECT_EQ(tokens[8].pauseMultiplier, 5.0);
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        EXPECT_EQ(tokens[i].isHeading, i == 7 || i == 8) << i;
        EXPECT_EQ(tokens[i].chapterIndex, 0);
    }
}

TEST_F(PDFParserTest, ParagraphsWithinAPageAndLinesWithinAParagraph)
{
    const auto tokens = PDFParser::tokenize(writePages({
        {{{"The first paragraph runs over", "two lines of text here."},
          {"The second paragraph is a bit shorter."}}},
    }));
    const auto texts = test::texts(tokens);
    ASSERT_EQ(texts.size(), 17U);
    // A line end inside a paragraph only separates words.
    EXPECT_EQ(texts[4], "over");
    EXPECT_EQ(tokens[4].pauseMultiplier, 1.0);
    // A block of its own starts a new paragraph.
    EXPECT_EQ(texts[9], "here.");
    EXPECT_EQ(tokens[9].pauseMultiplier, 3.5);
    EXPECT_EQ(tokens[16].pauseMultiplier, 3.5);
}

TEST_F(PDFParserTest, TextComesOutAsUtf8)
{
    const auto tokens = PDFParser::tokenize(writePages({
        {{{"Caf\xe9 cr\xe8me is well\x97known in Z\xfcrich \x93today\x94."}}},
    }));
    EXPECT_EQ(test::texts(tokens),
              (std::vector<std::string>{"Caf\xc3\xa9", "cr\xc3\xa8me", "is", "well", "known", "in",
                                        "Z\xc3\xbcrich", "\xe2\x80\x9ctoday\xe2\x80\x9d."}));
}

TEST_F(PDFParserTest, LongDocumentKeepsPageOrder)
{
    // Enough pages to be read by several threads; a page without text disturbs nothing.
    std::vector<Page> pages;
    std::string expected;
    for (int i = 0; i < 75; ++i) {
        const std::string line = "Page " + std::to_string(i) + " says hello, then goes on.";
        pages.push_back(i % 10 == 3 ? Page{} : Page{{{line}}});
        if (i % 10 != 3) {
            expected += line + "\n\n";
        }
    }
    expectSameTokens(PDFParser::tokenize(writePages(pages)), TextParser::tokenize(expected));
}

TEST_F(PDFParserTest, OwnerPasswordAloneDoesNotHideText)
{
    const std::vector<Page> pages{{{{"Restricted but readable, like any other PDF."}}},
                                  {{{"A second page follows it."}}}};
    const auto plain = PDFParser::tokenize(writePages(pages));
    const auto encrypted = PDFParser::tokenize(
        write(QStringLiteral("owner.pdf"), test::TestPdf::ownerEncryptedDocument(pages)));
    ASSERT_FALSE(plain.empty());
    expectSameTokens(encrypted, plain);
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

QByteArray randomBytes(unsigned seed, QByteArray bytes)
{
    std::mt19937 random(seed);
    for (int i = 0; i < 20000; ++i) {
        bytes += static_cast<char>(random() & 0xFF);
    }
    return bytes;
}

TEST_F(PDFParserTest, UnreadableFilesGiveNoWords)
{
    const QByteArray whole = test::TestPdf::document({{{{"Some text."}}}, {{{"More text."}}}});
    const QByteArray catalog = "<< /Type /Catalog /Pages 2 0 R >>";
    const std::vector<QByteArray> files{
        {},
        "Just some words, not a PDF.\n",
        randomBytes(7, {}),
        randomBytes(11, "%PDF-1.7\n"),
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

// pdftotext's default output holds the same text, one page after another with a form feed
// after each; read page by page the way the parser reads it, it must give the same tokens.
std::optional<std::vector<WordToken>> pdftotextTokens(const QString& file)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty()) {
        return std::nullopt;
    }
    QProcess process;
    process.start(tool, {file, QStringLiteral("-")});
    if (!process.waitForFinished(120000) || process.exitCode() != 0) {
        return std::nullopt;
    }
    std::string text;
    for (const QByteArray& page : process.readAllStandardOutput().split('\f')) {
        if (!page.isEmpty()) {
            text += page.toStdString() + "\n\n";
        }
    }
    return TextParser::tokenize(text);
}

class PdftotextAgreementTest : public ::testing::TestWithParam<const char*>
{};

TEST_P(PdftotextAgreementTest, SameWordsAsPdftotext)
{
    const QString file = QString::fromUtf8(GetParam());
    if (!QFileInfo::exists(file)) {
        GTEST_SKIP() << "not installed: " << GetParam();
    }
    const auto expected = pdftotextTokens(file);
    if (!expected) {
        GTEST_SKIP() << "pdftotext is not available";
    }
    const auto tokens = PDFParser::tokenize(file);
    ASSERT_GT(tokens.size(), 50U);
    expectSameTokens(tokens, *expected);
    // Reading page by page gives what tokenizing the whole text gives.
    expectSameTokens(tokens, TextParser::tokenize(PDFParser::extractText(file)));
}

INSTANTIATE_TEST_SUITE_P(Documents, PdftotextAgreementTest,
                         ::testing::Values("/usr/share/doc/libtasn1-doc/libtasn1.pdf",
                                           "/usr/share/doc/shared-mime-info/"
                                           "shared-mime-info-spec.pdf"));

} // namespace
} // namespace tavrin
