#include "import/EPUBParser.h"

#include "import/PathUtil.h"
#include "import/Utf8Repair.h"
#include "import/XmlDocument.h"
#include "import/ZipArchive.h"
#include "tokenize/UnicodeText.h"

#include <set>
#include <string_view>

namespace tavrin {

namespace {

// The same attribute test as the landmarks: "epub:type" in a namespace, or as a whole
// name where the HTML parser had to repair the document.
constexpr const char* kTocNavQuery =
    "//*[local-name()='nav'][@*[local-name()='type' or "
    "substring-after(local-name(),':')='type'][contains(.,'toc')]]";
constexpr const char* kNavMapQuery = "//*[local-name()='navMap']";
constexpr const char* kSpineQuery = "//*[local-name()='spine']";
constexpr const char* kManifestItemQuery = "//*[local-name()='item']";
constexpr const char* kNcxMediaType = "application/x-dtbncx+xml";
// Deeper lists than this are left out: no real book nests so far, and the walk recurses.
constexpr int kMaxDepth = 16;

bool named(const xmlNode* node, std::string_view localName)
{
    return XmlNode::isElement(node) && node->name != nullptr &&
           std::string_view(reinterpret_cast<const char*>(node->name)) == localName;
}

const xmlNode* firstChild(const xmlNode* node, std::string_view localName)
{
    for (const xmlNode* child = node->children; child != nullptr; child = child->next) {
        if (named(child, localName)) {
            return child;
        }
    }
    return nullptr;
}

class ContentsBuilder
{
public:
    ContentsBuilder(const EPUBParser::ChapterMap& pathToChapterIndex,
                    const std::vector<WordToken>& tokens)
        : m_pathToChapterIndex(pathToChapterIndex)
    {
        // Chapters are numbered 0, 1, … in reading order, so one pass finds every start.
        for (std::size_t i = 0; i < tokens.size(); ++i) {
            const auto chapter = tokens[i].chapterIndex;
            if (chapter >= 0 && static_cast<std::size_t>(chapter) == m_chapterStarts.size()) {
                m_chapterStarts.push_back(static_cast<std::int64_t>(i));
            }
        }
    }

    void add(std::string_view title, std::string_view base, std::string_view href, int depth)
    {
        std::string shown = EPUBParser::contentsTitle(title);
        const std::optional<std::string> path = PathUtil::resolveHref(base, href);
        if (shown.empty() || !path) {
            return;
        }
        const auto chapter = m_pathToChapterIndex.find(*path);
        if (chapter == m_pathToChapterIndex.end() || chapter->second < 0 ||
            static_cast<std::size_t>(chapter->second) >= m_chapterStarts.size()) {
            return;
        }
        const std::int64_t start = m_chapterStarts[static_cast<std::size_t>(chapter->second)];
        // Sections inside one chapter file would all lead to its first word.
        if (m_listed.insert(start).second) {
            m_entries.push_back(ContentsEntry{std::move(shown), start, depth});
        }
    }

    // The EPUB 3 list: li > (a | span) and a nested ol.
    void walkList(const xmlNode* list, const std::string& base, int depth)
    {
        if (depth >= kMaxDepth) {
            return;
        }
        for (const xmlNode* item = list->children; item != nullptr; item = item->next) {
            if (!named(item, "li")) {
                continue;
            }
            if (const xmlNode* link = firstChild(item, "a")) {
                add(XmlNode::stringValue(link), base,
                    XmlNode::attribute(link, "href").value_or(std::string()), depth);
            }
            if (const xmlNode* nested = firstChild(item, "ol")) {
                walkList(nested, base, depth + 1);
            }
        }
    }

    // The NCX: navPoint > navLabel > text, content@src, and nested navPoints.
    void walkNavPoints(const xmlNode* parent, const std::string& base, int depth)
    {
        if (depth >= kMaxDepth) {
            return;
        }
        for (const xmlNode* point = parent->children; point != nullptr; point = point->next) {
            if (!named(point, "navPoint")) {
                continue;
            }
            const xmlNode* label = firstChild(point, "navLabel");
            const xmlNode* text = label ? firstChild(label, "text") : nullptr;
            const xmlNode* content = firstChild(point, "content");
            if (text && content) {
                add(XmlNode::stringValue(text), base,
                    XmlNode::attribute(content, "src").value_or(std::string()), depth);
            }
            walkNavPoints(point, base, depth + 1);
        }
    }

    std::vector<ContentsEntry> take() { return std::move(m_entries); }

private:
    const EPUBParser::ChapterMap& m_pathToChapterIndex;
    std::vector<std::int64_t> m_chapterStarts;
    std::set<std::int64_t> m_listed;
    std::vector<ContentsEntry> m_entries;
};

// The NCX the spine names by its toc attribute, else the first manifest item of its type.
std::optional<std::string> ncxHref(const XmlDocument& opfDoc, const EPUBParser::Manifest& manifest)
{
    for (const xmlNode* spine : opfDoc.select(kSpineQuery)) {
        if (const auto id = XmlNode::attribute(spine, "toc")) {
            if (const auto item = manifest.find(*id); item != manifest.end()) {
                return item->second;
            }
        }
    }
    for (const xmlNode* item : opfDoc.select(kManifestItemQuery)) {
        if (XmlNode::isElement(item) && XmlNode::attribute(item, "media-type") == kNcxMediaType) {
            if (auto href = XmlNode::attribute(item, "href")) {
                return href;
            }
        }
    }
    return std::nullopt;
}

} // namespace

std::vector<ContentsEntry>
EPUBParser::readContents(ZipArchive& archive, const XmlDocument& opfDoc, const std::string& opfDir,
                         const Manifest& manifest, const NavigationDocuments& navDocs,
                         const ChapterMap& pathToChapterIndex, const std::vector<WordToken>& tokens)
{
    ContentsBuilder builder(pathToChapterIndex, tokens);
    for (const auto& [navDoc, navDir] : navDocs) {
        const std::vector<xmlNode*> navs = navDoc.select(kTocNavQuery);
        if (navs.empty()) {
            continue;
        }
        if (const xmlNode* list = firstChild(navs.front(), "ol")) {
            builder.walkList(list, navDir, 0);
        }
        std::vector<ContentsEntry> entries = builder.take();
        if (!entries.empty()) {
            return entries;
        }
    }
    const std::optional<std::string> href = ncxHref(opfDoc, manifest);
    const std::optional<std::string> ncxPath =
        href ? PathUtil::resolveLiteral(opfDir, *href) : std::nullopt;
    if (!ncxPath) {
        return {};
    }
    const ZipArchive::ReadResult bytes = archive.read(*ncxPath);
    if (!bytes.ok()) {
        return {};
    }
    const auto ncx = XmlDocument::parseTidy(bytes.bytes);
    if (!ncx) {
        return {};
    }
    const std::vector<xmlNode*> maps = ncx->select(kNavMapQuery);
    if (!maps.empty()) {
        builder.walkNavPoints(maps.front(), PathUtil::parentPath(*ncxPath), 0);
    }
    return builder.take();
}

std::string EPUBParser::contentsTitle(std::string_view raw)
{
    const std::string text = repairUtf8(raw);
    std::string out;
    std::size_t chars = 0;
    bool space = false;
    for (std::size_t i = 0; i < text.size() && chars < kMaxContentsTitleChars;) {
        const std::size_t from = i;
        if (UnicodeText::isWhitespaceOrNewline(UnicodeText::decodeNext(text, i))) {
            space = !out.empty();
            continue;
        }
        if (space) {
            if (chars + 1 >= kMaxContentsTitleChars) {
                break;
            }
            out += ' ';
            space = false;
            ++chars;
        }
        out.append(text, from, i - from);
        ++chars;
    }
    return out;
}

} // namespace tavrin
