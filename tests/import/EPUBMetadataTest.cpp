#include "EpubBuilder.h"
#include "import/EPUBParser.h"
#include "import/XmlDocument.h"

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
    const auto result = parseOk(makeEpub(packageDocument(items, {"c1"}, metadata), all));
    return result ? result->coverData : std::optional<QByteArray>(QByteArray("parse failed"));
}

TEST(EPUBMetadata, CoverComesFromTheFirstStrategyThatFindsAnImage)
{
    const std::string jpeg("\xFF\xD8\xFF\xE0\0\x10JFIF\0", 11); // returned as stored
    const std::string meta2 = R"(<meta name="cover" content="img2"/>)";
    const test::Files images{{"OEBPS/images/th%20ree.jpg", jpeg},
                             {"OEBPS/two.png", "EPUB2"},
                             {"OEBPS/three.webp", "BYID"},
                             {"OEBPS/c.svg", "s"},
                             {"OEBPS/c.jpg", "j"},
                             {"OEBPS/c.gif", "GIF89a"}};
    const ManifestItem property{"img3", "images/th%20ree.jpg", "image/jpeg", "cover-image"};
    const ManifestItem missing{"img3", "missing.jpg", "image/jpeg", "cover-image"};
    const ManifestItem png{"img2", "two.png", "image/png"};
    const ManifestItem byId{"Cover-Image", "three.webp", "image/webp"};
    const struct
    {
        std::vector<ManifestItem> items;
        std::string metadata;
        std::optional<QByteArray> cover;
    } cases[] = {
        // the cover-image property, then the cover meta, then an image whose id says cover
        {{property, png}, meta2, QByteArray::fromStdString(jpeg)},
        {{missing, png, byId}, meta2, QByteArray("EPUB2")},
        {{missing, png, byId}, R"(<meta name="cover" content="nosuch"/>)", QByteArray("BYID")},
        // by id only with an exact image media type of the four
        {{{"cover", "c.svg", "image/svg+xml"},
          {"mycover", "c.xhtml", "application/xhtml+xml"},
          {"coverjpg", "c.jpg", "IMAGE/JPEG"}},
         {},
         std::nullopt},
        {{{"mycover", "c.gif", "image/gif"}}, {}, QByteArray("GIF89a")},
        {{}, {}, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(coverOf(c.items, c.metadata, images), c.cover) << c.metadata;
    }
}

} // namespace
} // namespace tavrin
