#include "EpubBuilder.h"
#include "import/EPUBParser.h"
#include "import/XmlDocument.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tavrin {
namespace {

using test::texts;
using test::xhtml;
using ::testing::ElementsAre;

// With its byte order mark.
std::string utf16le(const std::u16string& text)
{
    std::string out("\xFF\xFE", 2);
    for (const char16_t c : text) {
        out.push_back(static_cast<char>(c & 0xFF));
        out.push_back(static_cast<char>(c >> 8));
    }
    return out;
}

// Words after an element, in the body itself, keep their own pause.
TEST(EPUBContentWalker, EveryBlockHeadingAndSkippedElementIsKnown)
{
    const auto pausesAround = [](const std::string& tag) {
        std::vector<double> out;
        for (const WordToken& t :
             EPUBParser::parseHTMLContent(xhtml("<" + tag + ">a b</" + tag + ">c"), 0)) {
            out.push_back(t.pauseMultiplier);
        }
        return out;
    };
    for (const char* tag :
         {"p", "div", "section", "article", "li", "blockquote", "td", "th", "BlockQuote"}) {
        EXPECT_EQ(pausesAround(tag), (std::vector<double>{1.0, 3.5, 1.0})) << tag;
    }
    for (const char* tag : {"h1", "h2", "h3", "h4", "h5", "h6", "H3"}) {
        EXPECT_EQ(pausesAround(tag), (std::vector<double>{1.5, 5.0, 1.0})) << tag;
    }
    for (const char* tag : {"style", "script", "head", "nav", "aside", "SCRIPT"}) {
        EXPECT_EQ(pausesAround(tag), (std::vector<double>{1.0})) << tag;
    }
    for (const char* tag : {"span", "ul", "table", "h7", "blockquotes", "ps"}) {
        EXPECT_EQ(pausesAround(tag), (std::vector<double>{1.0, 1.0, 1.0})) << tag;
    }
}

// Real chapters: each case is a document as books ship it and the words it must give.
TEST(EPUBContentWalker, RealBookShapesGiveTheWordsIntact)
{
    const struct
    {
        const char* name;
        std::string document;
        std::vector<std::string> words;
    } cases[] = {{"NoXmlDeclaration",
                  "<html xmlns=\"http://www.w3.org/1999/xhtml\"><body><p>Война и мир</p></body>"
                  "</html>",
                  {"Война", "и", "мир"}},
                 {"HtmlEntityFallsBackToHtmlParserAsUtf8",
                  "<html><body><p>Καλημέρα&nbsp;κόσμε &amp; 日本語の本</p></body></html>",
                  {"Καλημέρα", "κόσμε", "&", "日本語の本"}},
                 {"UnclosedTagsAreRepaired",
                  "<html><body><p>Первый<p>Второй <b>жирный</body></html>",
                  {"Первый", "Второй", "жирный"}},
                 {"UpperCaseTags",
                  "<HTML><BODY><H1>Title</H1><P>Body text</P></BODY></HTML>",
                  {"Title", "Body", "text"}},
                 {"DeclaredLatin1",
                  "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
                  "<html><body><p>caf\xE9 na\xEFve&nbsp;x</p></body></html>",
                  {"café", "naïve", "x"}},
                 {"MetaCharsetWindows1252",
                  "<html><head><meta charset=\"windows-1252\"></head><body><p>\x93quoted\x94 "
                  "&nbsp;end</p></body></html>",
                  {"\u201Cquoted\u201D", "end"}},
                 {"Utf8ByteOrderMark",
                  "\xEF\xBB\xBF<html><body><p>Ελληνικά &nbsp;</p></body></html>",
                  {"Ελληνικά"}},
                 {"Utf16WithBom",
                  utf16le(u"<?xml version=\"1.0\" encoding=\"UTF-16\"?><html><body><p>Привет "
                          u"мир</p></body></html>"),
                  {"Привет", "мир"}},
                 {"Utf16HtmlFallback",
                  utf16le(u"<html><body><p>日本&nbsp;語</p></body></html>"),
                  {"日本", "語"}},
                 {"StrayNonUtf8ByteBecomesReplacementCharacter",
                  "<html><body><p>caf\xE9s ok&nbsp;</p></body></html>",
                  {"caf\uFFFDs", "ok"}},
                 // Entities of an XHTML DTD that is never loaded, and the chapter's own.
                 {"EntityReferencesAreText",
                  "<?xml version=\"1.0\"?><!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.1//EN\" "
                  "\"http://www.w3.org/TR/xhtml11/DTD/xhtml11.dtd\" [<!ENTITY me \"Jo&eacute; "
                  "<b>B</b>\">]><html><body><p>don&rsquo;t caf&eacute;&nbsp;&me;&mdash;ok "
                  "&unknown;x</p></body></html>",
                  {"don\u2019t", "café", "Joé", "B", "ok", "x"}},
                 {"CdataAndComments",
                  xhtml("<p><![CDATA[raw text]]><!-- hidden --> more</p>"),
                  {"raw", "text", "more"}},
                 {"Nothing", "", {}},
                 {"OnlySpaces", xhtml("<p>   \n\t  </p>"), {}},
                 {"SoftHyphenDashAndNoBreakSpaceSplit",
                  xhtml("<p>well\u00ADknown 1990\u20132000 a\u00A0b</p>"),
                  {"well", "known", "1990", "2000", "a", "b"}},
                 // Every space separator, line and paragraph separator and NEL splits; a tab
                 // only trims, as in plain text.
                 {"UnicodeSpaces",
                  xhtml("<p>\ta\u3000b\u2028c\u2029d\u0085e\u2009f g\th\t -\t</p>"),
                  {"a", "b", "c", "d", "e", "f", "g\th"}},
                 {"NoBody", "<html><head><title>x</title></head></html>", {}},
                 {"Unparseable", std::string("\0\0\0\0", 4), {}},
                 {"OtherVocabulariesArePlainContainers",
                  xhtml("<epub:switch><epub:default><p>fallback words</p></epub:default>"
                        "</epub:switch><svg xmlns=\"http://www.w3.org/2000/svg\"><text>label"
                        "</text></svg>"),
                  {"fallback", "words", "label"}}};
    for (const auto& c : cases) {
        EXPECT_EQ(texts(EPUBParser::parseHTMLContent(c.document, 0)), c.words) << c.name;
    }
}

TEST(EPUBContentWalker, DeepNestingDoesNotRecurse)
{
    constexpr int kDepth = 100'000;
    // Walking a tree built without any parser limit must not recurse per level either.
    xmlDoc* tree = xmlNewDoc(reinterpret_cast<const xmlChar*>("1.0"));
    xmlNode* node = xmlNewNode(nullptr, reinterpret_cast<const xmlChar*>("body"));
    xmlDocSetRootElement(tree, node);
    for (int i = 0; i < kDepth; ++i) {
        node = xmlNewChild(node, nullptr, reinterpret_cast<const xmlChar*>("p"), nullptr);
    }
    xmlNodeAddContent(node, reinterpret_cast<const xmlChar*>("bottom word"));
    std::vector<WordToken> deep;
    EPUBParser::walkNode(xmlDocGetRootElement(tree), 0, false, deep);
    EXPECT_THAT(texts(deep), ElementsAre("bottom", "word"));
    EXPECT_EQ(deep.back().pauseMultiplier, 3.5);
    xmlFreeDoc(tree);
}

} // namespace
} // namespace tavrin
