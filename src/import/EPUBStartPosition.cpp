#include "import/EPUBParser.h"

#include "import/PathUtil.h"
#include "import/XmlDocument.h"
#include "import/ZipArchive.h"
#include "tokenize/UnicodeText.h"

#include <algorithm>
#include <array>
#include <map>

namespace tavrin {

namespace {

constexpr const char* kGuideQuery = "//*[local-name()='guide']/*[local-name()='reference']";
// An attribute whose local name is "type", in any namespace; a navigation document that
// the HTML parser had to repair names it "epub:type" as a whole, with no namespace.
constexpr const char* kLandmarksQuery =
    "//*[local-name()='nav'][@*[local-name()='type' or "
    "substring-after(local-name(),':')='type'][contains(.,'landmarks')]]"
    "//*[local-name()='a'][@*[local-name()='type' or "
    "substring-after(local-name(),':')='type'][contains(.,'bodymatter') or "
    "contains(.,'chapter')]]";

constexpr std::array<std::string_view, 2> kStartReferenceTypes = {"text", "bodymatter"};
constexpr std::array<std::string_view, 8> kFrontMatterMarkers = {
    "copyright",   "\u00A9",  "all rights reserved", "isbn", "praise for",
    "acclaim for", "also by", "about the author"};
constexpr std::size_t kMinimumChapterTokens = 150;

std::optional<std::int64_t> firstTokenOf(std::int64_t chapter, const std::vector<WordToken>& tokens)
{
    const auto it = std::find_if(tokens.begin(), tokens.end(), [chapter](const WordToken& t) {
        return t.chapterIndex == chapter;
    });
    if (it == tokens.end()) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(it - tokens.begin());
}

// The first token of the chapter an href leads to, if it produced any.
std::optional<std::int64_t> startOfLinkedChapter(std::string_view base, std::string_view href,
                                                 const EPUBParser::ChapterMap& pathToChapterIndex,
                                                 const std::vector<WordToken>& tokens)
{
    if (pathToChapterIndex.empty()) {
        return std::nullopt;
    }
    const std::optional<std::string> path = PathUtil::resolveHref(base, href);
    if (!path) {
        return std::nullopt;
    }
    const auto entry = pathToChapterIndex.find(*path);
    if (entry == pathToChapterIndex.end() || tokens.empty()) {
        return std::nullopt;
    }
    return firstTokenOf(entry->second, tokens);
}

std::optional<std::int64_t> fromGuide(const XmlDocument& opfDoc, const std::string& opfDir,
                                      const EPUBParser::ChapterMap& pathToChapterIndex,
                                      const std::vector<WordToken>& tokens)
{
    for (const xmlNode* reference : opfDoc.select(kGuideQuery)) {
        if (!XmlNode::isElement(reference)) {
            continue;
        }
        const std::optional<std::string> type = XmlNode::attribute(reference, "type");
        if (!type) {
            continue;
        }
        const std::string lowered = UnicodeText::toLower(*type);
        if (std::find(kStartReferenceTypes.begin(), kStartReferenceTypes.end(), lowered) ==
            kStartReferenceTypes.end()) {
            continue;
        }
        const std::optional<std::string> href = XmlNode::attribute(reference, "href");
        if (!href) {
            continue;
        }
        if (auto start = startOfLinkedChapter(opfDir, *href, pathToChapterIndex, tokens)) {
            return start;
        }
    }
    return std::nullopt;
}

std::optional<std::int64_t> fromLandmarks(const EPUBParser::NavigationDocuments& navDocs,
                                          const EPUBParser::ChapterMap& pathToChapterIndex,
                                          const std::vector<WordToken>& tokens)
{
    for (const auto& [navDoc, navDir] : navDocs) {
        for (const xmlNode* link : navDoc.select(kLandmarksQuery)) {
            if (!XmlNode::isElement(link)) {
                continue;
            }
            const std::optional<std::string> linkHref = XmlNode::attribute(link, "href");
            if (!linkHref) {
                continue;
            }
            if (auto start = startOfLinkedChapter(navDir, *linkHref, pathToChapterIndex, tokens)) {
                return start;
            }
        }
    }
    return std::nullopt;
}

// Lower-cases for the marker search. Only ASCII letters need folding: the markers are
// ASCII letters, spaces and "©", and the only characters outside ASCII that lower-case to
// ASCII letters (U+212A to "k", U+0130 to "i" and a combining dot) cannot complete one.
void appendLowerCased(const std::string& text, std::string& out)
{
    const std::size_t start = out.size();
    out.resize(start + text.size());
    std::transform(text.begin(), text.end(), out.begin() + static_cast<std::ptrdiff_t>(start),
                   UnicodeText::asciiLower);
}

bool containsFrontMatterMarker(std::string_view text)
{
    return std::any_of(
        kFrontMatterMarkers.begin(), kFrontMatterMarkers.end(),
        [text](std::string_view marker) { return text.find(marker) != std::string_view::npos; });
}

std::int64_t fromContent(const EPUBParser::ChapterMap& pathToChapterIndex,
                         const std::vector<WordToken>& tokens)
{
    if (pathToChapterIndex.empty()) {
        return 0;
    }
    std::int64_t chapterCount = 0;
    for (const auto& [path, chapter] : pathToChapterIndex) {
        chapterCount = std::max(chapterCount, chapter + 1);
    }
    // One pass groups the token positions by chapter; chapters without tokens are too
    // short anyway, so only those present are visited, in increasing order.
    std::map<std::int64_t, std::vector<std::size_t>> chapters;
    std::vector<std::size_t>* current = nullptr;
    std::int64_t currentChapter = -1;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const std::int64_t chapter = tokens[i].chapterIndex;
        if (chapter < 0 || chapter >= chapterCount) {
            continue;
        }
        // A chapter's tokens come one after the other: one look-up per chapter, not per token.
        if (chapter != currentChapter) {
            current = &chapters[chapter];
            currentChapter = chapter;
        }
        current->push_back(i);
    }
    std::string joined;
    for (const auto& [chapter, positions] : chapters) {
        // Too short rules a chapter out whatever its text says.
        if (positions.size() < kMinimumChapterTokens) {
            continue;
        }
        joined.clear();
        for (const std::size_t i : positions) {
            if (!joined.empty()) {
                joined.push_back(' ');
            }
            appendLowerCased(tokens[i].text, joined);
        }
        if (containsFrontMatterMarker(joined)) {
            continue;
        }
        return static_cast<std::int64_t>(positions.front());
    }
    return 0;
}

} // namespace

EPUBParser::NavigationDocuments EPUBParser::navigationDocuments(ZipArchive& archive,
                                                                const XmlDocument& opfDoc,
                                                                const std::string& opfDir)
{
    NavigationDocuments documents;
    for (const xmlNode* item : opfDoc.select("//*[local-name()='item']")) {
        if (!XmlNode::isElement(item)) {
            continue;
        }
        const std::optional<std::string> properties = XmlNode::attribute(item, "properties");
        if (!properties || properties->find("nav") == std::string::npos) {
            continue;
        }
        const std::optional<std::string> href = XmlNode::attribute(item, "href");
        if (!href) {
            continue;
        }
        const std::optional<std::string> navPath = PathUtil::resolveLiteral(opfDir, *href);
        if (!navPath) {
            continue;
        }
        const ZipArchive::ReadResult bytes = archive.read(*navPath);
        if (!bytes.ok()) {
            continue;
        }
        auto navDoc = XmlDocument::parseTidy(bytes.bytes);
        if (navDoc) {
            documents.emplace_back(std::move(navDoc).value(), PathUtil::parentPath(*navPath));
        }
    }
    return documents;
}

std::int64_t EPUBParser::findStartIndex(const XmlDocument& opfDoc, const std::string& opfDir,
                                        const NavigationDocuments& navDocs,
                                        const ChapterMap& pathToChapterIndex,
                                        const std::vector<WordToken>& tokens)
{
    if (auto start = fromGuide(opfDoc, opfDir, pathToChapterIndex, tokens)) {
        return *start;
    }
    if (auto start = fromLandmarks(navDocs, pathToChapterIndex, tokens)) {
        return *start;
    }
    return fromContent(pathToChapterIndex, tokens);
}

} // namespace tavrin
