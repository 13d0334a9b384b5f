#include "EpubBuilder.h"
#include "import/EPUBParser.h"
#include "import/XmlDocument.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tavrin {
namespace {

using test::makeEpub;
using test::ManifestItem;
using test::packageDocument;
using test::parseOk;
using test::xhtml;

struct Pair
{
    std::string in;
    std::string out;
};

TEST(EPUBMetadata, NormalizeAuthor)
{
    const std::vector<Pair> cases = {
        {"Tolstoy, Leo", "Leo Tolstoy"},
        {"Smith, John, Jr.", "John Smith"},
        {"Plato,", "Plato"},
        {"  Jane Austen.", "Jane Austen"},
        {"", ""},
        {"Jane Doe, John Roe", "John Roe Jane Doe"},
        {"\n      Достоевский, Фёдор\n    ", "Фёдор Достоевский"},
        {" ;., ", ""},
        {"Madonna;", "Madonna"},
    };
    for (const Pair& c : cases) {
        EXPECT_EQ(EPUBParser::normalizeAuthor(c.in), c.out) << c.in;
    }
}

TEST(EPUBMetadata, CleanTitle)
{
    const std::vector<Pair> cases = {
        {"Moby-Dick; or, The Whale", "Moby-Dick; or, The Whale"},
        {"Dune (1965)", "Dune"},
        {"Dune: Deluxe Edition", "Dune"},
        {"Emma - Annotated", "Emma"},
        {"Persuasion by Jane Austen", "Persuasion"},
        {"Stand By Me", "Stand"},
        {"Standby Mode", "Standby Mode"},
        {"Two  Words", "Two"},
        {"", ""},
        {"  \n Анна Каренина (1878)\n", "Анна Каренина"},
        {"Title\u00A0by\u00A0Someone", "Title"},
        {"A (1999) B (2000)", "A B"},
    };
    for (const Pair& c : cases) {
        EXPECT_EQ(EPUBParser::cleanEPUBTitle(c.in, "ignored"), c.out) << c.in;
    }
}

std::string yearOf(const std::string& metadata)
{
    const auto doc = XmlDocument::parseStrict(packageDocument({}, {}, metadata));
    return doc ? EPUBParser::extractYearFromOPF(*doc) : "parse failed";
}

TEST(EPUBMetadata, Year)
{
    const std::vector<Pair> cases = {
        {"<dc:date>2004-05-01</dc:date>", "2004"},
        {"<dc:date>c. 1850</dc:date>", "1850"},
        {"<dc:date>0001-01-01</dc:date><dc:date>1923</dc:date>", "1923"},
        {"<dc:date>20210101</dc:date>", "2021"},
        {"<dc:date>0001</dc:date><meta property=\"dcterms:date\">1977-01</meta>", "1977"},
        {"<meta name=\"DC.Date\" content=\"1999\"/>", "1999"},
        {"<meta name=\"date\" content=\"May 2101, then 1850\"/>", ""},
        {"<meta name=\"date\" content=\"2101\"/><meta name=\"date\" content=\"1850\"/>", "1850"},
        {"<dc:date>undated</dc:date>", ""},
        {"", ""},
    };
    for (const Pair& c : cases) {
        EXPECT_EQ(yearOf(c.in), c.out) << c.in;
    }
}

// Cover strategies, tried in order; the archive holds the images named in files.
std::optional<QByteArray> coverOf(const std::vector<ManifestItem>& images,
                                  const std::string& metadata, const test::Files& files)
{
    std::vector<ManifestItem> items = images;
    items.push_back({"c1", "c1.xhtml"});
    test::Files all = files;
    all.push_back({"OEBPS/c1.xhtml", xhtml("<p>x</p>")});
    const auto result =
        parseOk(makeEpub("OEBPS/content.opf", packageDocument(items, {"c1"}, metadata), all));
    return result ? result->coverData : std::optional<QByteArray>(QByteArray("parse failed"));
}

TEST(EPUBMetadata, CoverPropertyBeatsCoverMeta)
{
    const auto cover =
        coverOf({{"img3", "images/three.jpg", "image/jpeg", "cover-image"},
                 {"img2", "images/two.jpg", "image/jpeg"}},
                R"(<meta name="cover" content="img2"/>)",
                {{"OEBPS/images/three.jpg", "EPUB3"}, {"OEBPS/images/two.jpg", "EPUB2"}});
    EXPECT_EQ(cover, QByteArray("EPUB3"));
}

TEST(EPUBMetadata, CoverFallsBackThroughTheStrategies)
{
    const std::vector<ManifestItem> items = {
        {"img3", "missing.jpg", "image/jpeg", "cover-image"},
        {"img2", "two.png", "image/png"},
        {"Cover-Image", "three.webp", "image/webp"},
    };
    EXPECT_EQ(coverOf(items, R"(<meta name="cover" content="img2"/>)",
                      {{"OEBPS/two.png", "EPUB2"}, {"OEBPS/three.webp", "BYID"}}),
              QByteArray("EPUB2"));
    EXPECT_EQ(coverOf(items, R"(<meta name="cover" content="nosuch"/>)",
                      {{"OEBPS/two.png", "EPUB2"}, {"OEBPS/three.webp", "BYID"}}),
              QByteArray("BYID"));
}

TEST(EPUBMetadata, CoverByIdNeedsAnExactImageMediaType)
{
    EXPECT_FALSE(coverOf({{"cover", "c.svg", "image/svg+xml"},
                          {"mycover", "c.xhtml", "application/xhtml+xml"},
                          {"coverjpg", "c.jpg", "IMAGE/JPEG"}},
                         {}, {{"OEBPS/c.svg", "s"}, {"OEBPS/c.jpg", "j"}}));
    EXPECT_EQ(coverOf({{"mycover", "c.gif", "image/gif"}}, {}, {{"OEBPS/c.gif", "GIF89a"}}),
              QByteArray("GIF89a"));
    EXPECT_FALSE(coverOf({}, {}, {}));
}

TEST(EPUBMetadata, CoverBytesAreReturnedAsStored)
{
    std::string bytes("\xFF\xD8\xFF\xE0\0\x10JFIF\0", 11);
    bytes += std::string(5000, '\x7F');
    const auto cover = coverOf({{"i", "img/c%20v.jpg", "image/jpeg", "cover-image"}}, {},
                               {{"OEBPS/img/c%20v.jpg", bytes}});
    ASSERT_TRUE(cover);
    EXPECT_EQ(cover->toStdString(), bytes);
}

} // namespace
} // namespace tavrin
