#include "EpubBuilder.h"
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
using test::xhtml;

// A book of chapters in OEBPS/Text whose start position is asked for.
struct Book
{
    std::vector<ManifestItem> items;
    std::vector<std::string> spine;
    Files files;

    void chapter(const std::string& id, const std::string& body)
    {
        items.push_back({id, "Text/" + id + ".xhtml"});
        spine.push_back(id);
        files.push_back({"OEBPS/Text/" + id + ".xhtml", xhtml(body)});
    }

    std::int64_t start(const std::string& trailer = {}, const Files& extra = {},
                       const std::vector<ManifestItem>& extraItems = {}) const
    {
        auto allItems = items;
        allItems.insert(allItems.end(), extraItems.begin(), extraItems.end());
        auto allFiles = files;
        allFiles.insert(allFiles.end(), extra.begin(), extra.end());
        const auto result =
            parseOk(makeEpub(packageDocument(allItems, spine, {}, trailer), allFiles));
        return result ? result->startIndex : -1;
    }
};

// Three chapters: 40 words, 200 words, 300 words; starts at 0, 40 and 240.
Book threeChapters()
{
    Book book;
    book.chapter("c0", paragraphOfWords(40, "t"));
    book.chapter("c1", paragraphOfWords(200, "a"));
    book.chapter("c2", paragraphOfWords(300, "b"));
    return book;
}

TEST(EPUBStartPosition, GuideTextReferenceWinsOverContent)
{
    Book book = threeChapters();
    EXPECT_EQ(book.start(R"(<guide><reference type="BodyMatter" href="Text/c2.xhtml"/></guide>)"),
              240);
    // References of other types, or to nothing, are passed over.
    book.chapter("empty", "<p></p>");
    EXPECT_EQ(book.start(R"(<guide><reference type="toc" href="Text/c0.xhtml"/>
        <reference type="text" href="Text/empty.xhtml"/>
        <reference type="text" href="Text/missing.xhtml"/>
        <reference type="text"/>
        <reference type="text" href="%2e%2e/%2e%2e/etc/passwd"/>
        <reference type="Text" href="Text/c2.xhtml#start"/></guide>)"),
              240);
}

TEST(EPUBStartPosition, LandmarksInANavigationDocumentElsewhere)
{
    const Book book = threeChapters();
    const std::string nav = R"(<?xml version="1.0" encoding="utf-8"?>
<html xmlns="http://www.w3.org/1999/xhtml" xmlns:epub="http://www.idpf.org/2007/ops"><body>
<nav epub:type="toc"><ol><li><a href="../Text/c0.xhtml">Title</a></li></ol></nav>
<nav epub:type="landmarks"><ol>
<li><a epub:type="cover" href="../Text/c0.xhtml">Cover</a></li>
<li><a epub:type="bodymatter" href="../Text/c2.xhtml#ch">Start</a></li>
</ol></nav></body></html>)";
    EXPECT_EQ(book.start({}, {{"OEBPS/Nav/nav.xhtml", nav}},
                         {{"nav", "Nav/nav.xhtml", "application/xhtml+xml", "nav scripted"}}),
              240);

    // An entry typed "chapter" counts as well.
    std::string chapterNav = nav;
    chapterNav.replace(chapterNav.find("bodymatter"), 10, "chapter");
    EXPECT_EQ(book.start({}, {{"OEBPS/Nav/nav.xhtml", chapterNav}},
                         {{"nav", "Nav/nav.xhtml", "application/xhtml+xml", "nav"}}),
              240);

    // One that is not well-formed XML is read as repaired HTML.
    std::string repairedNav = nav;
    repairedNav.replace(repairedNav.find("<body>"), 6, "<body><br>");
    EXPECT_EQ(book.start({}, {{"OEBPS/Nav/nav.xhtml", repairedNav}},
                         {{"nav", "Nav/nav.xhtml", "application/xhtml+xml", "nav"}}),
              240);
}

TEST(EPUBStartPosition, ContentTestSkipsShortAndFrontMatterChapters)
{
    Book book;
    book.chapter("title", paragraphOfWords(40, "t"));
    book.chapter("legal", paragraphOfWords(1000, "l") + "<p>All Rights Reserved.</p>" +
                              paragraphOfWords(1000, "d"));
    book.chapter("story", paragraphOfWords(3000, "s"));
    EXPECT_EQ(book.start(), 40 + 2003);
}

TEST(EPUBStartPosition, FrontMatterMarkersDisqualifyAChapter)
{
    for (const std::string text :
         {"COPYRIGHT notice", "\u00A9 2001", "ISBN978-3", "Also <b>by</b> her",
          "Praise for the book", "acclaim for it", "About the Author"}) {
        Book book;
        book.chapter("c0", paragraphOfWords(200, "a") + "<p>" + text + "</p>");
        book.chapter("c1", paragraphOfWords(200, "b"));
        const auto marker = EPUBParser::parseHTMLContent(xhtml("<p>" + text + "</p>"), 0);
        EXPECT_EQ(book.start(), 200 + static_cast<std::int64_t>(marker.size())) << text;
    }
}

TEST(EPUBStartPosition, ContentNeeds150TokensElseStartsAtZero)
{
    Book book;
    book.chapter("c0", paragraphOfWords(149, "a"));
    book.chapter("c1", paragraphOfWords(300, "b") + "<p>isbn</p>");
    EXPECT_EQ(book.start(), 0);
    book.chapter("c2", paragraphOfWords(150, "c"));
    EXPECT_EQ(book.start(), 149 + 301);
}

} // namespace
} // namespace tavrin
