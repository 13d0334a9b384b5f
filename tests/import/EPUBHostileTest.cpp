#include "EpubBuilder.h"
#include "ZipBuilder.h"
#include "import/EPUBParser.h"
#include "import/XmlDocument.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUuid>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tavrin {
namespace {

using test::buildZip;
using test::makeEpub;
using test::packageDocument;
using test::xhtml;
using test::ZipEntry;

const std::string kOpf = "OEBPS/content.opf";

// A failed import: an error, or a result with nothing in it.
bool isFailure(const EPUBParseOutcome& outcome)
{
    const auto* result = std::get_if<EPUBParseResult>(&outcome);
    return !result || result->tokens.empty();
}

std::string wordsOf(const EPUBParseOutcome& outcome)
{
    std::string all;
    if (const auto* result = std::get_if<EPUBParseResult>(&outcome)) {
        for (const WordToken& t : result->tokens) {
            all += t.text + ' ';
        }
        all += result->title + ' ' + result->author + ' ' + result->year;
    }
    return all;
}

QByteArray bytes(const std::string& s)
{
    return QByteArray::fromStdString(s);
}

std::string repeated(const std::string& s, std::size_t count)
{
    std::string out;
    for (std::size_t i = 0; i < count; ++i) {
        out += s;
    }
    return out;
}

// Runs each test in an empty working and temporary directory, and checks that nothing
// appeared there, nor where a path escaping it would lead.
class EPUBHostile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_sandbox.isValid());
        m_oldCurrent = QDir::currentPath();
        m_oldTmp = qgetenv("TMPDIR");
        const QString work = m_sandbox.filePath(QStringLiteral("a/b/work"));
        ASSERT_TRUE(QDir().mkpath(work));
        QDir::setCurrent(work);
        qputenv("TMPDIR", work.toUtf8());
    }

    void TearDown() override
    {
        QDir::setCurrent(m_oldCurrent);
        qputenv("TMPDIR", m_oldTmp);
        const auto flags = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System;
        EXPECT_EQ(QDir(m_sandbox.path()).entryList(flags), QStringList{QStringLiteral("a")});
        EXPECT_EQ(QDir(m_sandbox.filePath(QStringLiteral("a"))).entryList(flags),
                  QStringList{QStringLiteral("b")});
        EXPECT_TRUE(
            QDir(m_sandbox.filePath(QStringLiteral("a/b/work"))).entryList(flags).isEmpty());
    }

    QTemporaryDir m_sandbox;
    QString m_oldCurrent;
    QByteArray m_oldTmp;
};

TEST_F(EPUBHostile, EntryNamesThatClimbOrAreAbsoluteAreNeverAddressed)
{
    const std::string tag = QUuid::createUuid().toString(QUuid::WithoutBraces).toStdString();
    const std::string chapter = xhtml("<p>escaped words</p>");
    const std::string opf =
        packageDocument({{"a", "../../x.xhtml"}, {"b", "a\\..\\x.xhtml"}}, {"a", "b"});
    const std::vector<ZipEntry> entries = {
        {"../../META-INF/container.xml", test::containerXml("content.opf")},
        {"META-INF/container.xml", test::containerXml("OEBPS/content.opf")},
        {"OEBPS/content.opf", opf},
        {"../../x.xhtml", chapter},
        {"../../escape-" + tag, "escaped"},
        {"/tmp/abs-" + tag, "absolute"},
        {"a\\..\\x.xhtml", chapter},
        {"OEBPS/a\\..\\x.xhtml", chapter},
    };
    const EPUBParseOutcome outcome = EPUBParser::parse(bytes(buildZip(entries)));
    EXPECT_TRUE(isFailure(outcome));
    EXPECT_FALSE(QFile::exists(QStringLiteral("/tmp/abs-") + QString::fromStdString(tag)));

    // A container reachable only through such a name counts as absent.
    EXPECT_EQ(std::get<EPUBError>(EPUBParser::parse(
                  bytes(buildZip({{"../META-INF/container.xml", test::containerXml(kOpf)},
                                  {"/META-INF/container.xml", test::containerXml(kOpf)}})))),
              EPUBError::containerNotFound);
}

TEST_F(EPUBHostile, DamagedArchives)
{
    const QByteArray good =
        makeEpub(kOpf, packageDocument({{"c1", "c1.xhtml"}}, {"c1"}),
                 {{"OEBPS/c1.xhtml", xhtml("<p>" + std::string(2000, 'x') + " end</p>")}});
    ASSERT_FALSE(isFailure(EPUBParser::parse(good)));

    // Every truncation: either not a ZIP any more, or a chapter that fails to inflate.
    for (qsizetype cut = 0; cut < good.size(); cut += 7) {
        EXPECT_TRUE(isFailure(EPUBParser::parse(good.left(cut)))) << cut;
    }
}

// The container and a package whose spine lists count chapters, OEBPS/c<i>.xhtml.
std::vector<ZipEntry> packageOf(int count)
{
    std::vector<test::ManifestItem> items;
    std::vector<std::string> spine;
    for (int i = 0; i < count; ++i) {
        items.push_back({"c" + std::to_string(i), "c" + std::to_string(i) + ".xhtml"});
        spine.push_back(items.back().id);
    }
    return {{"META-INF/container.xml", test::containerXml(kOpf)},
            {kOpf, packageDocument(items, spine)}};
}

std::string chapterName(int i)
{
    return "OEBPS/c" + std::to_string(i) + ".xhtml";
}

// Chapter i as the given deflated data, claiming the given size and CRC.
ZipEntry deflated(int i, const std::string& data, std::uint32_t declaredSize, std::uint32_t crc)
{
    ZipEntry entry{chapterName(i), {}};
    entry.rawDeflated = data;
    entry.declaredSize = declaredSize;
    entry.crc = crc;
    return entry;
}

TEST_F(EPUBHostile, SizeLiesAndOversizedEntries)
{
    // c0 claims 100 bytes but inflates to a gigabyte; c1 is honest but over the entry budget.
    std::vector<ZipEntry> entries = packageOf(2);
    entries.push_back(deflated(0, test::deflateRepeated(' ', 1024), 100, 0));
    entries.push_back(deflated(1, test::deflateRepeated(' ', 40), 40u << 20, 0));
    EXPECT_TRUE(isFailure(EPUBParser::parse(bytes(buildZip(entries)))));
}

TEST_F(EPUBHostile, BombOfManyHonestEntriesStopsAtTheBookBudget)
{
    // 700 chapters of 15 MiB each: over 10 GB unpacked, about 11 MB packed.
    std::vector<ZipEntry> entries = packageOf(700);
    const std::string data = test::deflateRepeated(' ', 15);
    const std::uint32_t crc = test::crc32Of(std::string(15u << 20, ' '));
    for (int i = 0; i < 700; ++i) {
        entries.push_back(deflated(i, data, 15u << 20, crc));
    }
    EXPECT_EQ(std::get<EPUBError>(EPUBParser::parse(bytes(buildZip(entries)))),
              EPUBError::unzipFailed);
}

TEST_F(EPUBHostile, BombOfOverlappingEntries)
{
    // Each of the 1000 names unpacks the same 12 MiB of words: 12 GB in all.
    std::vector<std::string> names;
    for (int i = 0; i < 1000; ++i) {
        names.push_back(chapterName(i));
    }
    const std::string chapter = xhtml("<p>same words</p>") + std::string(12u << 20, '\n');
    EXPECT_TRUE(isFailure(
        EPUBParser::parse(bytes(test::buildOverlappingZip(packageOf(1000), chapter, names)))));
}

TEST_F(EPUBHostile, ChaptersPastTheParserLimitsAreSkippedAndMetadataCut)
{
    // A 1,000-byte entity used 20,000 times: 20 MB of text from every field or chapter.
    const std::string doctype = "<!DOCTYPE x [<!ENTITY big \"" + std::string(999, 'x') + " \">]>";
    const std::string uses = repeated("&big;", 20'000);
    std::string opf =
        packageDocument({{"a", "a.xhtml"}, {"b", "b.xhtml"}, {"c", "c.xhtml"}}, {"a", "b", "c"},
                        "<dc:creator>" + uses + "</dc:creator><dc:title>" + uses + "</dc:title>");
    opf.insert(opf.find("<package"), doctype);
    std::string blowup = xhtml("<p>" + uses + "</p>");
    blowup.insert(blowup.find("<html"), doctype);
    const auto result = test::parseOk(makeEpub(
        kOpf, opf,
        {{"OEBPS/a.xhtml", blowup},
         {"OEBPS/b.xhtml", xhtml(repeated("<b/>", XmlDocument::kMaxElements))}, // past the cap
         {"OEBPS/c.xhtml", xhtml("<p>kept words</p>")}}));
    ASSERT_TRUE(result);
    EXPECT_EQ(test::texts(result->tokens), (std::vector<std::string>{"kept", "words"}));
    EXPECT_EQ(result->tokens.front().chapterIndex, 0);
    EXPECT_EQ(result->author, std::string(999, 'x'));
    EXPECT_LE(result->title.size(), 1000u);
}

TEST_F(EPUBHostile, ThreeMillionWordsAreABookNotABomb)
{
    std::vector<ZipEntry> entries = packageOf(40);
    for (int i = 0; i < 40; ++i) {
        entries.push_back({chapterName(i), xhtml("<p>" + repeated("a ", 75'000) + "</p>")});
    }
    const auto result = test::parseOk(bytes(buildZip(entries)));
    ASSERT_TRUE(result);
    EXPECT_EQ(result->tokens.size(), 3'000'000u);
    EXPECT_EQ(result->tokens.back().chapterIndex, 39);
}

TEST_F(EPUBHostile, ExternalEntitiesAreNeverRead)
{
    QTemporaryDir dir;
    const QString secretPath = dir.filePath(QStringLiteral("secret.txt"));
    QFile secret(secretPath);
    ASSERT_TRUE(secret.open(QIODevice::WriteOnly));
    secret.write("TOPSECRETCONTENT");
    secret.close();
    const std::string url = "file://" + secretPath.toStdString();
    const std::string doctype = "<!DOCTYPE package [<!ENTITY xxe SYSTEM \"" + url + "\">]>\n";

    std::string opf = packageDocument({{"c1", "c1.xhtml"}}, {"c1"},
                                      "<dc:title>&xxe;</dc:title><dc:creator>&xxe;</dc:creator>");
    opf.insert(opf.find("<package"), doctype);
    const std::string chapter = "<?xml version=\"1.0\"?>\n<!DOCTYPE html [<!ENTITY xxe SYSTEM \"" +
                                url + "\">]>\n<html><body><p>before &xxe; after</p></body></html>";
    const EPUBParseOutcome outcome =
        EPUBParser::parse(makeEpub(kOpf, opf, {{"OEBPS/c1.xhtml", chapter}}));
    EXPECT_THAT(wordsOf(outcome), ::testing::Not(::testing::HasSubstr("TOPSECRET")));

    std::string container = test::containerXml(kOpf);
    container.insert(container.find("<container"),
                     "<!DOCTYPE container [<!ENTITY xxe SYSTEM \"" + url + "\">]>\n");
    container.replace(container.find(kOpf), kOpf.size(), "&xxe;");
    EXPECT_TRUE(
        isFailure(EPUBParser::parse(bytes(buildZip({{"META-INF/container.xml", container}})))));
}

TEST_F(EPUBHostile, BillionLaughs)
{
    // lol9 expands to 10^9 copies of "lol".
    std::string entities = "<!ENTITY lol \"lol\">";
    for (int i = 1; i <= 9; ++i) {
        entities += "<!ENTITY lol" + std::to_string(i) + " \"";
        for (int k = 0; k < 10; ++k) {
            entities += i == 1 ? "&lol;" : "&lol" + std::to_string(i - 1) + ";";
        }
        entities += "\">";
    }
    std::string opf = packageDocument({{"c1", "c1.xhtml"}}, {"c1"},
                                      "<dc:title>&lol9;</dc:title><dc:creator>&lol9;</dc:creator>");
    opf.insert(opf.find("<package"), "<!DOCTYPE package [" + entities + "]>\n");
    std::string chapter = xhtml("<p>&lol9;</p>");
    chapter.insert(chapter.find("<html"), "<!DOCTYPE html [" + entities + "]>\n");
    const auto good = packageDocument({{"c1", "c1.xhtml"}}, {"c1"});

    // The package is refused; the chapter, refused by the strict parse, is read by the
    // HTML parser, which never expands entities: a few junk words, nothing more.
    EXPECT_TRUE(isFailure(EPUBParser::parse(makeEpub(kOpf, opf, {{"OEBPS/c1.xhtml", chapter}}))));
    const std::string words =
        wordsOf(EPUBParser::parse(makeEpub(kOpf, good, {{"OEBPS/c1.xhtml", chapter}})));
    EXPECT_LT(words.size(), 10000u);
    EXPECT_THAT(words, ::testing::Not(::testing::HasSubstr("lollol")));
}

} // namespace
} // namespace tavrin
