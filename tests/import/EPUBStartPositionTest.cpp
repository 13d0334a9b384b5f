#include "EpubBuilder.h"
#include "import/EPUBParser.h"

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

    std::optional<EPUBParseResult> parse(Files more = {},
                                         std::vector<ManifestItem> moreItems = {}) const
    {
        moreItems.insert(moreItems.begin(), items.begin(), items.end());
        more.insert(more.begin(), files.begin(), files.end());
        return parseOk(makeEpub(packageDocument(moreItems, spine), more));
    }
};

// A navigation document elsewhere: its landmarks give the start, its toc the contents (nested
// lists deeper, entries at their chapter's first word, none twice or to no words); else the NCX.
TEST(EPUBStartPosition, NavigationDocumentGivesStartAndContentsElseTheNcx)
{
    Book book; // chapters of 40, 200 and 300 words: starts at 0, 40 and 240
    book.chapter("c0", paragraphOfWords(40, "t"));
    book.chapter("c1", paragraphOfWords(200, "a"));
    book.chapter("c2", paragraphOfWords(300, "b"));
    const std::string nav = R"(
<html xmlns="http://www.w3.org/1999/xhtml" xmlns:epub="http://www.idpf.org/2007/ops"><body>
<nav epub:type="toc"><ol><li><a href="../Text/c0.xhtml"> Part
  One </a><ol><li><a href="../Text/c1.xhtml#s">Chapter <i>1</i></a></li>
<li><a href="../Text/c1.xhtml#t">Same file</a></li>
<li><span>Heading</span><ol><li><a href="../Text/c2.xhtml">Deep</a></li></ol></li></ol></li>
<li><a href="../Text/none.xhtml">Gone</a></li><li><a href="../Text/c0.xhtml"> </a></li></ol></nav>
<nav epub:type="landmarks"><ol><li><a epub:type="cover" href="../Text/c0.xhtml">Cover</a></li>
<li><a epub:type="bodymatter" href="../Text/c2.xhtml#ch">Start</a></li></ol></nav></body></html>)";
    // A landmark typed "chapter" counts as well; a document that is not XML is repaired HTML.
    std::string chapterNav = nav;
    chapterNav.replace(chapterNav.find("bodymatter"), 10, "chapter");
    std::string repairedNav = nav;
    repairedNav.replace(repairedNav.find("<body>"), 6, "<body><br>");
    for (const std::string& document : {nav, chapterNav, repairedNav}) {
        const EPUBParseResult result =
            book.parse({{"OEBPS/Nav/nav.xhtml", document}},
                       {{"nav", "Nav/nav.xhtml", "application/xhtml+xml", "nav scripted"}})
                .value();
        EXPECT_EQ(result.startIndex, 240);
        EXPECT_EQ(result.contents,
                  (std::vector<ContentsEntry>{
                      {"Part One", 0, 0}, {"Chapter 1", 40, 1}, {"Deep", 240, 2}}));
    }
    const std::string ncx = R"(<ncx><navMap><navPoint><navLabel><text>One</text></navLabel>
<content src="Text/c1.xhtml"/><navPoint><navLabel><text>Two</text></navLabel>
<content src="Text/c2.xhtml#x"/></navPoint></navPoint></navMap></ncx>)";
    const auto fromNcx =
        book.parse({{"OEBPS/toc.ncx", ncx}}, {{"ncx", "toc.ncx", "application/x-dtbncx+xml"}});
    EXPECT_EQ(fromNcx.value().contents,
              (std::vector<ContentsEntry>{{"One", 40, 0}, {"Two", 240, 1}}));
}

// A chapter too short, or with a front-matter marker anywhere in it, is not where reading
// starts; with no chapter left, reading starts at 0.
TEST(EPUBStartPosition, ContentNeeds150TokensWithoutFrontMatterMarkers)
{
    for (const std::string text :
         {"COPYRIGHT notice", "\u00A9 2001", "ISBN978-3", "Also <b>by</b> her",
          "Praise for the book", "acclaim for it", "About the Author"}) {
        Book book;
        book.chapter("short", paragraphOfWords(149, "s"));
        book.chapter("c0", paragraphOfWords(1000, "a") + "<p>" + text + "</p>" +
                               paragraphOfWords(1000, "d"));
        EXPECT_EQ(book.parse().value().startIndex, 0) << text;
        book.chapter("c1", paragraphOfWords(150, "b"));
        const auto marker = EPUBParser::parseHTMLContent(xhtml("<p>" + text + "</p>"), 0);
        EXPECT_EQ(book.parse().value().startIndex,
                  149 + 2000 + static_cast<std::int64_t>(marker.size()))
            << text;
    }
}

} // namespace
} // namespace tavrin
