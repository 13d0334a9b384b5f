// The importer of EPUB books: the package, damaged and hostile archives, and real books as
// Debian ships them (live-manual-epub, ubuntu-packaging-guide-epub-ru; CI fails when one is
// missing, as scripts/install-deps installs them).
#include "import/EPUBParser.h"
#include "EpubBuilder.h"
#include "ZipBuilder.h"
#include "import/XmlDocument.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QUuid>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tavrin {
namespace {

using namespace test;

std::optional<EPUBError> errorOf(const EPUBParseOutcome& outcome)
{
    return outcome ? std::nullopt : std::optional<EPUBError>(outcome.error());
}

QByteArray zipOf(std::vector<ZipEntry> entries)
{
    return QByteArray::fromStdString(buildZip(entries));
}

TEST(EPUBPackage, ErrorsAreNamed)
{
    const struct
    {
        const char* name;
        QByteArray archive;
        EPUBError expected;
    } cases[] = {
        {"NotAZip", QByteArray("this is plain text, not an archive"), EPUBError::unzipFailed},
        {"EmptyFile", QByteArray(), EPUBError::unzipFailed},
        {"EndRecordOnly", QByteArray("PK\x05\x06 not really"), EPUBError::unzipFailed},
        {"ZipWithoutEntries", zipOf({}), EPUBError::unzipFailed},
        {"NoContainer", zipOf({{"mimetype", "application/epub+zip"}}),
         EPUBError::containerNotFound},
        {"ContainerNotXml", zipOf({{"META-INF/container.xml", "<container><rootfiles>"}}),
         EPUBError::malformedContainer},
        {"ContainerWithoutRootfile",
         zipOf({{"META-INF/container.xml", "<container><rootfiles/></container>"}}),
         EPUBError::malformedContainer},
        {"PackageMissing", zipOf({{"META-INF/container.xml", containerXml("OEBPS/none.opf")}}),
         EPUBError::opfNotFound},
        {"PackageNotXml", makeEpub("<package><manifest>", {}), EPUBError::opfNotFound},
        {"PackageAboveTheRoot", zipOf({{"META-INF/container.xml", containerXml("../content.opf")}}),
         EPUBError::opfNotFound},
        {"SpineWithoutItemrefs",
         makeEpub(packageDocument({{"c1", "c1.xhtml"}}, {}),
                  {{"OEBPS/c1.xhtml", xhtml("<p>words</p>")}}),
         EPUBError::noSpineItems},
        // A folder where the package should be; a container that fails its CRC or is a link.
        {"PackageIsAFolder",
         zipOf({{"META-INF/container.xml", containerXml("OEBPS")},
                {"OEBPS/c1.xhtml", xhtml("<p>x</p>")}}),
         EPUBError::unreadableEntry},
        {"ContainerFailsItsCrc",
         zipOf({{"META-INF/container.xml", containerXml(kOpf), true, {}, {}, 0x12345678}}),
         EPUBError::unreadableEntry},
        {"ContainerIsALink", zipOf({{"META-INF/container.xml", "/etc/hostname", true, 0120777}}),
         EPUBError::unreadableEntry},
        // A container reachable only through a climbing or absolute name counts as absent.
        {"ContainerOnlyOutside",
         zipOf({{"../META-INF/container.xml", containerXml(kOpf)},
                {"/META-INF/container.xml", containerXml(kOpf)}}),
         EPUBError::containerNotFound}};
    for (const auto& c : cases) {
        EXPECT_EQ(errorOf(EPUBParser::parse(c.archive)), c.expected) << c.name;
    }
}

TEST(EPUBPackage, ChaptersParsedInParallelKeepSpineOrder)
{
    std::vector<ManifestItem> items;
    std::vector<std::string> spine, expected;
    Files files;
    for (int i = 0; i < 40; ++i) {
        const std::string id = "c" + std::to_string(i);
        items.push_back({id, id + ".xhtml"});
        spine.push_back(id);
        // Sizes vary so workers finish out of order.
        const int count = 1 + (i * 37) % 500;
        files.push_back({"OEBPS/" + id + ".xhtml", xhtml(paragraphOfWords(count, id + "w"))});
        for (int k = 0; k < count; ++k) {
            expected.push_back(id + "w" + std::to_string(k));
        }
    }
    const auto result = parseOk(makeEpub(packageDocument(items, spine), files));
    ASSERT_TRUE(result);
    EXPECT_EQ(texts(result->tokens), expected);
}

// A failed import: an error, or a result with nothing in it.
bool isFailure(const EPUBParseOutcome& outcome)
{
    return !outcome || outcome->tokens.empty();
}

std::string wordsOf(const EPUBParseOutcome& outcome)
{
    std::string all;
    if (outcome) {
        for (const WordToken& t : outcome->tokens) {
            all += t.text + ' ';
        }
        all += outcome->title + ' ' + outcome->author + ' ' + outcome->year;
    }
    return all;
}

std::string repeated(const std::string& s, std::size_t count)
{
    std::string out;
    for (std::size_t i = 0; i < count; ++i) {
        out += s;
    }
    return out;
}

// Runs each test in an empty working and temporary directory, two levels down a sandbox, and
// checks that nothing appeared in the sandbox, nor where a path climbing out of it would lead.
class EPUBHostile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(m_work));
        QDir::setCurrent(m_work);
        qputenv("TMPDIR", m_work.toUtf8());
    }

    void TearDown() override
    {
        QDir::setCurrent(m_oldCurrent);
        qputenv("TMPDIR", m_oldTmp);
        QDirIterator all(m_sandbox.path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                         QDirIterator::Subdirectories);
        QStringList found;
        while (all.hasNext()) {
            found << all.next();
        }
        EXPECT_EQ(found.size(), 3) << found.join(u' ').toStdString(); // a, a/b and a/b/work
    }

    QTemporaryDir m_sandbox;
    const QString m_work = m_sandbox.filePath(QStringLiteral("a/b/work"));
    const QString m_oldCurrent = QDir::currentPath();
    const QByteArray m_oldTmp = qgetenv("TMPDIR");
};

TEST_F(EPUBHostile, EntryNamesThatClimbOrAreAbsoluteAreNeverAddressed)
{
    const std::string tag = QUuid::createUuid().toString(QUuid::WithoutBraces).toStdString();
    const std::string chapter = xhtml("<p>escaped words</p>");
    const std::string opf =
        packageDocument({{"a", "../../x.xhtml"}, {"b", "a\\..\\x.xhtml"}}, {"a", "b"});
    const std::vector<ZipEntry> entries = {
        {"../../META-INF/container.xml", containerXml("content.opf")},
        {"META-INF/container.xml", containerXml("OEBPS/content.opf")},
        {"OEBPS/content.opf", opf},
        {"../../x.xhtml", chapter},
        {"../../escape-" + tag, "escaped"},
        {"/tmp/abs-" + tag, "absolute"},
        {"a\\..\\x.xhtml", chapter},
        {"OEBPS/a\\..\\x.xhtml", chapter},
    };
    const EPUBParseOutcome outcome = EPUBParser::parse(zipOf(entries));
    EXPECT_TRUE(isFailure(outcome));
    EXPECT_FALSE(QFile::exists(QStringLiteral("/tmp/abs-") + QString::fromStdString(tag)));
}

TEST_F(EPUBHostile, DamagedArchives)
{
    const QByteArray good =
        makeEpub(packageDocument({{"c1", "c1.xhtml"}}, {"c1"}),
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
    std::vector<ManifestItem> items;
    std::vector<std::string> spine;
    for (int i = 0; i < count; ++i) {
        items.push_back({"c" + std::to_string(i), "c" + std::to_string(i) + ".xhtml"});
        spine.push_back(items.back().id);
    }
    return {{"META-INF/container.xml", containerXml(kOpf)}, {kOpf, packageDocument(items, spine)}};
}

std::string chapterName(int i)
{
    return "OEBPS/c" + std::to_string(i) + ".xhtml";
}

TEST_F(EPUBHostile, ArchiveBombsAreRefused)
{
    // c0 claims 100 bytes but inflates to a gigabyte; c1 is honest but over the entry budget.
    std::vector<ZipEntry> lies = packageOf(2);
    lies.push_back({chapterName(0), {}, true, {}, 100, 0, deflateRepeated(' ', 1024)});
    lies.push_back({chapterName(1), {}, true, {}, 40u << 20, 0, deflateRepeated(' ', 40)});
    // 700 honest chapters of 15 MiB each: over 10 GB unpacked, about 11 MB packed; and 1000
    // names that all unpack the same 12 MiB of words.
    std::vector<ZipEntry> many = packageOf(700);
    const std::string data = deflateRepeated(' ', 15);
    const std::uint32_t crc = crc32Of(std::string(15u << 20, ' '));
    std::vector<std::string> names;
    for (int i = 0; i < 1000; ++i) {
        if (i < 700) {
            many.push_back({chapterName(i), {}, true, {}, 15u << 20, crc, data});
        }
        names.push_back(chapterName(i));
    }
    const std::string chapter = xhtml("<p>same words</p>") + std::string(12u << 20, '\n');
    EXPECT_TRUE(isFailure(EPUBParser::parse(zipOf(lies))));
    EXPECT_EQ(errorOf(EPUBParser::parse(zipOf(many))), EPUBError::unzipFailed);
    EXPECT_TRUE(isFailure(EPUBParser::parse(
        QByteArray::fromStdString(buildOverlappingZip(packageOf(1000), chapter, names)))));
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
    const auto result = parseOk(makeEpub(
        opf, {{"OEBPS/a.xhtml", blowup},
              {"OEBPS/b.xhtml", xhtml("<p>lost</p>" + repeated("<b/>", XmlDocument::kMaxElements))},
              {"OEBPS/c.xhtml", xhtml("<p>kept words</p>")}}));
    ASSERT_TRUE(result);
    EXPECT_EQ(texts(result->tokens), (std::vector<std::string>{"kept", "words"}));
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
    const auto result = parseOk(zipOf(entries));
    ASSERT_TRUE(result);
    EXPECT_EQ(result->tokens.size(), 3'000'000u);
    EXPECT_EQ(result->tokens.back().chapterIndex, 39);
}

TEST_F(EPUBHostile, ExternalEntitiesAreNeverRead)
{
    QTemporaryDir dir;
    const QString secretPath = dir.filePath(QStringLiteral("secret.txt"));
    ASSERT_TRUE(writeFile(secretPath, "TOPSECRETCONTENT"));
    const std::string url = "file://" + secretPath.toStdString();
    const std::string doctype = "<!DOCTYPE package [<!ENTITY xxe SYSTEM \"" + url + "\">]>\n";

    std::string opf = packageDocument({{"c1", "c1.xhtml"}}, {"c1"},
                                      "<dc:title>&xxe;</dc:title><dc:creator>&xxe;</dc:creator>");
    opf.insert(opf.find("<package"), doctype);
    const std::string chapter = "<?xml version=\"1.0\"?>\n<!DOCTYPE html [<!ENTITY xxe SYSTEM \"" +
                                url + "\">]>\n<html><body><p>before &xxe; after</p></body></html>";
    const EPUBParseOutcome outcome =
        EPUBParser::parse(makeEpub(opf, {{"OEBPS/c1.xhtml", chapter}}));
    EXPECT_THAT(wordsOf(outcome), ::testing::Not(::testing::HasSubstr("TOPSECRET")));

    std::string container = containerXml(kOpf);
    container.insert(container.find("<container"),
                     "<!DOCTYPE container [<!ENTITY xxe SYSTEM \"" + url + "\">]>\n");
    container.replace(container.find(kOpf), kOpf.size(), "&xxe;");
    EXPECT_TRUE(isFailure(EPUBParser::parse(zipOf({{"META-INF/container.xml", container}}))));
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
    EXPECT_TRUE(isFailure(EPUBParser::parse(makeEpub(opf, {{"OEBPS/c1.xhtml", chapter}}))));
    const std::string words =
        wordsOf(EPUBParser::parse(makeEpub(good, {{"OEBPS/c1.xhtml", chapter}})));
    EXPECT_LT(words.size(), 10000u);
    EXPECT_THAT(words, ::testing::Not(::testing::HasSubstr("lollol")));
}

// Two generators' books; a word of each book's own script must come out intact.
TEST(EPUBRealBooks, ReadCleanly)
{
    const char* const books[][3] = {
        {"/usr/share/doc/live-manual/epub/live-manual.ja.epub", "Live システムマニュアル",
         "マニュアル"},
        {"/usr/share/doc/ubuntu-packaging-guide-epub-ru/ubuntu-packaging-guide.epub",
         "Ubuntu Packaging Guide", "Руководство"}};
    for (const auto& [path, title, word] : books) {
        SCOPED_TRACE(path);
        const EPUBParseOutcome outcome = EPUBParser::parse(QString::fromUtf8(path));
        ASSERT_TRUE(outcome);
        const auto& book = *outcome;
        EXPECT_EQ(book.title, title);
        EXPECT_GT(book.tokens.size(), 1000u);
        EXPECT_LT(static_cast<std::size_t>(book.startIndex), book.tokens.size());

        // Chapters run 0, 1, 2 ... without gaps, and no text came out garbled (\u00C3: UTF-8
        // read as Latin-1).
        std::int64_t chapter = 0;
        bool found = false;
        for (const WordToken& token : book.tokens) {
            ASSERT_TRUE(token.chapterIndex == chapter || token.chapterIndex == chapter + 1);
            chapter = token.chapterIndex;
            EXPECT_EQ(token.text.find("\uFFFD"), std::string::npos) << token.text;
            EXPECT_EQ(token.text.find("\u00C3"), std::string::npos) << token.text;
            found = found || token.text.find(word) != std::string::npos;
        }
        EXPECT_TRUE(found) << word;
    }
}

} // namespace
} // namespace tavrin
