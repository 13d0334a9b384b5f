#include "import/EPUBContentWalker.h"

#include "import/EPUBParser.h"
#include "import/Utf8Repair.h"
#include "import/XmlDocument.h"
#include "tokenize/PauseMultiplier.h"
#include "tokenize/TextParser.h"
#include "tokenize/UnicodeText.h"

#include <algorithm>
#include <cstring>

namespace tavrin {

namespace {

constexpr const char* kXhtmlNamespace = "http://www.w3.org/1999/xhtml";

enum class TagKind
{
    transparent,
    skip,
    block,
    heading,
};

// Longest name in any of the three sets ("blockquote").
constexpr std::size_t kLongestTag = 10;

TagKind kindOfLowerName(std::string_view name)
{
    static constexpr std::string_view kHeadings[] = {"h1", "h2", "h3", "h4", "h5", "h6"};
    static constexpr std::string_view kBlocks[] = {"p",  "div",        "section", "article",
                                                   "li", "blockquote", "td",      "th"};
    static constexpr std::string_view kSkipped[] = {"style", "script", "head", "nav", "aside"};
    const auto in = [name](const auto& set) {
        return std::find(std::begin(set), std::end(set), name) != std::end(set);
    };
    if (in(kHeadings)) {
        return TagKind::heading;
    }
    if (in(kBlocks)) {
        return TagKind::block;
    }
    if (in(kSkipped)) {
        return TagKind::skip;
    }
    return TagKind::transparent;
}

// Names are compared lower-cased and with their prefix, so an element of another
// vocabulary (svg:title, epub:switch) is never taken for an HTML one. XHTML elements
// written with a prefix for the XHTML namespace are still HTML elements.
TagKind kindOf(const xmlChar* localName, const xmlChar* prefix, const xmlChar* uri)
{
    if (!localName) {
        return TagKind::transparent;
    }
    if (prefix && !(uri && std::strcmp(reinterpret_cast<const char*>(uri), kXhtmlNamespace) == 0)) {
        return TagKind::transparent;
    }
    const std::string_view name(reinterpret_cast<const char*>(localName));
    if (name.size() > kLongestTag) {
        return TagKind::transparent;
    }
    char lower[kLongestTag];
    std::transform(name.begin(), name.end(), lower, UnicodeText::asciiLower);
    return kindOfLowerName(std::string_view(lower, name.size()));
}

TagKind kindOf(const xmlNode* element)
{
    const auto* ns = element->ns;
    return kindOf(element->name, ns ? ns->prefix : nullptr, ns ? ns->href : nullptr);
}

bool isAsciiSeparator(char c)
{
    return c == ' ' || (c >= '\n' && c <= '\r');
}

// Calls visit with each word of text, in order, until it returns false: the maximal runs
// between white-space-or-newline characters, trimmed of white space. A run holds no space
// separator (they all split), so the trimming only ever removes tabs. Steps whole code
// points; ASCII, nearly all of a book, takes the byte path. False when visit stopped.
template<typename Visit> bool forEachWord(std::string_view text, Visit&& visit)
{
    const auto emit = [&visit](std::string_view run) {
        const std::size_t first = run.find_first_not_of('\t');
        return first == std::string_view::npos ||
               visit(run.substr(first, run.find_last_not_of('\t') - first + 1));
    };
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t next = i + 1;
        const bool separator =
            static_cast<unsigned char>(text[i]) < 0x80
                ? isAsciiSeparator(text[i])
                : UnicodeText::isWhitespaceOrNewline(UnicodeText::decodeNext(text, next = i));
        if (separator) {
            if (i > start && !emit(text.substr(start, i - start))) {
                return false;
            }
            start = next;
        }
        i = next;
    }
    return start >= text.size() || emit(text.substr(start));
}

// Charges the book's budget for count more tokens; false once it is overdrawn. Tokens made
// are counted, not room reserved: the slack of a growing array is bounded by its size.
bool take(EPUBContentWalker::TokenBudget* budget, std::size_t count)
{
    if (!budget || count == 0) {
        return true;
    }
    return budget->fetch_sub(static_cast<std::int64_t>(count), std::memory_order_relaxed) >=
           static_cast<std::int64_t>(count);
}

// One text node's words, split at dashes; false when the budget is overdrawn.
bool appendText(std::string_view content, std::int64_t chapterIndex, bool inHeading,
                std::vector<WordToken>& tokens, EPUBContentWalker::TokenBudget* budget)
{
    // The HTML parser passes through bytes that are not UTF-8 in a document that claims
    // to be.
    std::string repaired;
    if (!UnicodeText::isValidUtf8(content)) {
        repaired = repairUtf8(content);
        content = repaired;
    }
    // Word by word, so a text node of millions of words needs no list of them all.
    std::vector<std::string_view> pieces;
    return forEachWord(content, [&](std::string_view word) {
        pieces.clear();
        splitOnDashes(word, pieces);
        if (!take(budget, pieces.size())) {
            return false;
        }
        for (const std::string_view piece : pieces) {
            tokens.push_back(WordToken{std::string(piece), computeMultiplier(piece, inHeading),
                                       inHeading, chapterIndex});
        }
        return true;
    });
}

std::string_view textOf(const xmlNode* text)
{
    return text->content ? std::string_view(reinterpret_cast<const char*>(text->content))
                         : std::string_view();
}

// The first element whose local name is "body", in document order: what the XPath
// expression //*[local-name()='body'] selects first, without evaluating local-name() on every
// element of the chapter. A plain walk, as deep as the tree, without recursion.
const xmlNode* firstBody(const xmlDoc* doc)
{
    const xmlNode* node = doc ? doc->children : nullptr;
    while (node) {
        if (XmlNode::isElement(node)) {
            if (node->name && std::strcmp(reinterpret_cast<const char*>(node->name), "body") == 0) {
                return node;
            }
            if (node->children) {
                node = node->children;
                continue;
            }
        }
        while (!node->next) {
            node = node->parent;
            if (!node || node == reinterpret_cast<const xmlNode*>(doc)) {
                return nullptr;
            }
        }
        node = node->next;
    }
    return nullptr;
}

struct Frame
{
    const xmlNode* next;
    bool inHeading;
    double endPause; // 0 for an element that is neither a block nor a heading
    std::size_t mark;
};

double endPauseOf(TagKind kind)
{
    return kind == TagKind::heading ? Pause::kHeadingEnd
           : kind == TagKind::block ? Pause::kBlockEnd
                                    : 0.0;
}

// The walk of the first body element, done as the strict parse reads the chapter, so that
// no tree is built and freed: the same tokens as walk() on the tree, in the same order.
class StreamingWalk final : public XmlDocument::ContentHandler
{
public:
    StreamingWalk(std::int64_t chapterIndex, std::vector<WordToken>& tokens,
                  EPUBContentWalker::TokenBudget* budget)
        : m_chapterIndex(chapterIndex), m_tokens(tokens), m_budget(budget)
    {}

    void startElement(const xmlChar* localName, const xmlChar* prefix, const xmlChar* uri) override
    {
        endText();
        ++m_depth;
        if (m_bodyDepth == kBeforeBody) {
            if (localName && std::strcmp(reinterpret_cast<const char*>(localName), "body") == 0) {
                m_bodyDepth = m_depth;
                enter(kindOf(localName, prefix, uri), false);
            }
            return;
        }
        if (!insideBody() || m_skipDepth > 0) {
            return;
        }
        const TagKind kind = kindOf(localName, prefix, uri);
        if (kind == TagKind::skip) {
            m_skipDepth = m_depth;
            return;
        }
        enter(kind, m_frames.back().inHeading);
    }

    void endElement() override
    {
        endText();
        if (insideBody()) {
            if (m_skipDepth == m_depth) {
                m_skipDepth = 0;
            } else if (m_skipDepth == 0 && !m_frames.empty()) {
                const Frame& top = m_frames.back();
                if (top.endPause > 0.0 && m_tokens.size() > top.mark) {
                    double& pause = m_tokens.back().pauseMultiplier;
                    pause = std::max(pause, top.endPause);
                }
                m_frames.pop_back();
            }
            if (m_depth == m_bodyDepth) {
                m_bodyDepth = kAfterBody;
            }
        }
        --m_depth;
    }

    void characters(std::string_view text) override
    {
        if (insideBody() && m_skipDepth == 0) {
            m_text.append(text);
        }
    }

    void endText() override
    {
        if (m_text.empty()) {
            return;
        }
        if (!m_overdrawn &&
            !appendText(m_text, m_chapterIndex, m_frames.back().inHeading, m_tokens, m_budget)) {
            m_overdrawn = true;
        }
        m_text.clear();
    }

    bool stopped() const override { return m_overdrawn; }

private:
    static constexpr int kBeforeBody = -1;
    static constexpr int kAfterBody = -2;

    bool insideBody() const { return m_bodyDepth > 0; }

    void enter(TagKind kind, bool parentInHeading)
    {
        m_frames.push_back(Frame{nullptr, parentInHeading || kind == TagKind::heading,
                                 endPauseOf(kind), m_tokens.size()});
    }

    std::int64_t m_chapterIndex;
    std::vector<WordToken>& m_tokens;
    EPUBContentWalker::TokenBudget* m_budget;
    std::vector<Frame> m_frames;
    std::string m_text;
    int m_depth = 0;
    int m_bodyDepth = kBeforeBody;
    int m_skipDepth = 0;
    bool m_overdrawn = false;
};

} // namespace

namespace EPUBContentWalker {

bool walk(const xmlNode* node, std::int64_t chapterIndex, bool inHeading,
          std::vector<WordToken>& tokens, TokenBudget* budget)
{
    if (!node) {
        return true;
    }
    if (XmlNode::isText(node)) {
        return appendText(textOf(node), chapterIndex, inHeading, tokens, budget);
    }
    if (!XmlNode::isElement(node)) {
        return true;
    }

    // An explicit stack instead of recursion: a hostile chapter may nest elements as deep
    // as its parser allows.
    std::vector<Frame> stack;
    const auto enter = [&](const xmlNode* element, bool parentInHeading) {
        const TagKind kind = kindOf(element);
        if (kind == TagKind::skip) {
            return;
        }
        const double endPause = endPauseOf(kind);
        stack.push_back(Frame{element->children, parentInHeading || kind == TagKind::heading,
                              endPause, tokens.size()});
    };

    enter(node, inHeading);
    while (!stack.empty()) {
        Frame& top = stack.back();
        if (!top.next) {
            if (top.endPause > 0.0 && tokens.size() > top.mark) {
                double& pause = tokens.back().pauseMultiplier;
                pause = std::max(pause, top.endPause);
            }
            stack.pop_back();
            continue;
        }
        const xmlNode* child = top.next;
        top.next = child->next;
        const bool childInHeading = top.inHeading;
        if (XmlNode::isElement(child)) {
            enter(child, childInHeading);
        } else if (XmlNode::isText(child)) {
            if (!appendText(textOf(child), chapterIndex, childInHeading, tokens, budget)) {
                return false;
            }
        }
    }
    return true;
}

bool parse(std::string_view data, std::int64_t chapterIndex, std::vector<WordToken>& tokens,
           TokenBudget* budget)
{
    // Well-formed chapters, nearly all of them, are walked as they are parsed.
    const std::size_t start = tokens.size();
    StreamingWalk streaming(chapterIndex, tokens, budget);
    const XmlDocument::StreamOutcome outcome = XmlDocument::streamStrict(data, streaming);
    if (outcome == XmlDocument::StreamOutcome::read) {
        return true;
    }
    if (outcome == XmlDocument::StreamOutcome::stopped) {
        return false;
    }
    if (budget) {
        budget->fetch_add(static_cast<std::int64_t>(tokens.size() - start),
                          std::memory_order_relaxed);
    }
    tokens.resize(start);
    // A document past the parser's limits is an unreadable chapter, not a failed book.
    if (outcome == XmlDocument::StreamOutcome::refused) {
        return true;
    }
    const auto doc = XmlDocument::parseHtml(data);
    if (!doc) {
        return true;
    }
    const xmlNode* body = firstBody(doc->get());
    return !body || walk(body, chapterIndex, false, tokens, budget);
}

} // namespace EPUBContentWalker

std::vector<WordToken> EPUBParser::parseHTMLContent(std::string_view data,
                                                    std::int64_t chapterIndex)
{
    std::vector<WordToken> tokens;
    EPUBContentWalker::parse(data, chapterIndex, tokens, nullptr);
    return tokens;
}

void EPUBParser::walkNode(const xmlNode* node, std::int64_t chapterIndex, bool inHeading,
                          std::vector<WordToken>& tokens)
{
    EPUBContentWalker::walk(node, chapterIndex, inHeading, tokens, nullptr);
}

} // namespace tavrin
