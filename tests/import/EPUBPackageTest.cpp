#include "EpubBuilder.h"
#include "ZipBuilder.h"
#include "import/EPUBParser.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tavrin {
namespace {

using test::Files;
using test::makeEpub;
using test::ManifestItem;
using test::packageDocument;
using test::paragraphOfWords;
using test::parseOk;
using test::texts;
using test::xhtml;
using ::testing::ElementsAre;

const std::string kOpf = "OEBPS/content.opf";

std::optional<EPUBError> errorOf(const EPUBParseOutcome& outcome)
{
    if (const auto* error = std::get_if<EPUBError>(&outcome)) {
        return *error;
    }
    return std::nullopt;
}

QByteArray zipOf(std::vector<test::ZipEntry> entries)
{
    return QByteArray::fromStdString(test::buildZip(entries));
}

std::vector<std::int64_t> chapters(const std::vector<WordToken>& tokens)
{
    std::vector<std::int64_t> out;
    for (const WordToken& t : tokens) {
        out.push_back(t.chapterIndex);
    }
    return out;
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
        {"PackageMissing",
         zipOf({{"META-INF/container.xml", test::containerXml("OEBPS/none.opf")}}),
         EPUBError::opfNotFound},
        {"PackageNotXml", makeEpub(kOpf, "<package><manifest>", {}), EPUBError::opfNotFound},
        {"PackageAboveTheRoot",
         zipOf({{"META-INF/container.xml", test::containerXml("../content.opf")}}),
         EPUBError::opfNotFound},
        {"SpineWithoutItemrefs",
         makeEpub(kOpf, packageDocument({{"c1", "c1.xhtml"}}, {}),
                  {{"OEBPS/c1.xhtml", xhtml("<p>words</p>")}}),
         EPUBError::noSpineItems}};
    for (const auto& c : cases) {
        EXPECT_EQ(errorOf(EPUBParser::parse(c.archive)), c.expected) << c.name;
    }
}

TEST(EPUBPackage, ContainerOrPackageThatCannotBeReadIsAnIOError)
{
    // A folder where the package should be; a container that fails its CRC or is a link.
    const QByteArray folder = zipOf({{"META-INF/container.xml", test::containerXml("OEBPS")},
                                     {"OEBPS/c1.xhtml", xhtml("<p>x</p>")}});
    const EPUBParseOutcome outcome = EPUBParser::parse(folder);
    ASSERT_TRUE(std::holds_alternative<EPUBIOError>(outcome));
    EXPECT_EQ(std::get<EPUBIOError>(outcome).path, "OEBPS");

    test::ZipEntry damaged{"META-INF/container.xml", test::containerXml(kOpf)};
    damaged.crc = 0x12345678;
    EXPECT_TRUE(std::holds_alternative<EPUBIOError>(EPUBParser::parse(zipOf({damaged}))));
    test::ZipEntry link{"META-INF/container.xml", "/etc/hostname"};
    link.unixMode = 0120777;
    EXPECT_TRUE(std::holds_alternative<EPUBIOError>(EPUBParser::parse(zipOf({link}))));
}

TEST(EPUBPackage, NamespacePrefixesAnywhere)
{
    const std::string container =
        R"(<?xml version="1.0"?><c:container xmlns:c="urn:oasis:names:tc:opendocument:xmlns:container">
<c:rootfiles><c:rootfile full-path="book.opf"/></c:rootfiles></c:container>)";
    const std::string opf = R"(<?xml version="1.0"?>
<opf:package xmlns:opf="http://www.idpf.org/2007/opf" xmlns:dc="http://purl.org/dc/elements/1.1/">
<opf:metadata><dc:title>Prefixed</dc:title><dc:creator>Doe, Jane</dc:creator></opf:metadata>
<opf:manifest><opf:item id="a" href="a.xhtml" media-type="application/xhtml+xml"/></opf:manifest>
<opf:spine><opf:itemref idref="a"/></opf:spine></opf:package>)";
    const auto result = parseOk(zipOf({{"META-INF/container.xml", container},
                                       {"book.opf", opf},
                                       {"a.xhtml", xhtml("<p>Read normally</p>")}}));
    ASSERT_TRUE(result);
    EXPECT_THAT(texts(result->tokens), ElementsAre("Read", "normally"));
    EXPECT_EQ(result->title, "Prefixed");
    EXPECT_EQ(result->author, "Jane Doe");
}

TEST(EPUBPackage, SkippedItemsTakeNoChapterNumber)
{
    const std::string opf =
        packageDocument({{"one", "1.xhtml"},
                         {"empty", "2.xhtml"},
                         {"three", "3.xhtml"},
                         {"missing", "gone.xhtml"},
                         {"folder", "sub"}},
                        {"one", "nosuchid", "empty", "missing", "folder", "three"}, {}, {});
    const auto result = parseOk(makeEpub(kOpf, opf,
                                         {{"OEBPS/1.xhtml", xhtml("<p>alpha</p>")},
                                          {"OEBPS/2.xhtml", xhtml("<p> </p>")},
                                          {"OEBPS/3.xhtml", xhtml("<p>gamma</p>")},
                                          {"OEBPS/sub/x.xhtml", xhtml("<p>never</p>")}}));
    ASSERT_TRUE(result);
    EXPECT_THAT(texts(result->tokens), ElementsAre("alpha", "gamma"));
    EXPECT_THAT(chapters(result->tokens), ElementsAre(0, 1));
}

TEST(EPUBPackage, AFileListedAgainInTheSpineIsReadOnce)
{
    const std::string opf = packageDocument(
        {{"a", "a.xhtml"}, {"a2", "a.xhtml#s2"}, {"b", "b.xhtml"}}, {"a", "a2", "b", "a"}, {},
        R"(<guide><reference type="text" href="a.xhtml#s2"/></guide>)");
    const auto result =
        parseOk(makeEpub(kOpf, opf,
                         {{"OEBPS/a.xhtml", xhtml("<p>alpha one</p><p id=\"s2\">alpha two</p>")},
                          {"OEBPS/b.xhtml", xhtml("<p>beta</p>")}}));
    ASSERT_TRUE(result);
    EXPECT_THAT(texts(result->tokens), ElementsAre("alpha", "one", "alpha", "two", "beta"));
    EXPECT_THAT(chapters(result->tokens), ElementsAre(0, 0, 0, 0, 1));
    EXPECT_EQ(result->startIndex, 0);
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
    const auto result = parseOk(makeEpub(kOpf, packageDocument(items, spine), files));
    ASSERT_TRUE(result);
    EXPECT_EQ(texts(result->tokens), expected);
}

} // namespace
} // namespace tavrin
