#include "import/XmlDocument.h"

#include <libxml/HTMLparser.h>
#include <libxml/SAX2.h>
#include <libxml/encoding.h>
#include <libxml/parser.h>
#include <libxml/xpath.h>

#include <algorithm>
#include <climits>
#include <mutex>

namespace tavrin {

namespace {

// Error reports are suppressed: a broken book fails silently, and libxml2 would otherwise
// print to the standard error stream.
constexpr int kStrictOptions =
    XML_PARSE_NONET | XML_PARSE_NOCDATA | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;
constexpr int kHtmlOptions =
    HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET;

// The parser's global tables must be set up once before threads use it.
void initLibxml()
{
    static std::once_flag once;
    std::call_once(once, [] { xmlInitParser(); });
}

const xmlChar* xmlText(const char* text)
{
    return reinterpret_cast<const xmlChar*>(text);
}

std::string fromXml(const xmlChar* text)
{
    return text ? std::string(reinterpret_cast<const char*>(text)) : std::string();
}

bool fitsInt(std::string_view bytes)
{
    return bytes.size() <= static_cast<std::size_t>(INT_MAX);
}

char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool startsWithNoCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(),
                      [](char a, char b) { return asciiLower(a) == asciiLower(b); });
}

std::size_t findNoCase(std::string_view text, std::string_view needle, std::size_t from = 0)
{
    for (std::size_t i = from; i + needle.size() <= text.size(); ++i) {
        if (startsWithNoCase(text.substr(i), needle)) {
            return i;
        }
    }
    return std::string_view::npos;
}

bool isEncodingNameChar(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || c == '.' || c == ':';
}

// The encoding name after "name" and '=' (an XML declaration's encoding, a meta charset),
// skipping spaces and one opening quote.
std::string valueAfter(std::string_view text, std::size_t nameEnd)
{
    std::size_t i = nameEnd;
    while (i < text.size() &&
           (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r')) {
        ++i;
    }
    if (i >= text.size() || text[i] != '=') {
        return {};
    }
    ++i;
    while (i < text.size() && (text[i] == ' ' || text[i] == '"' || text[i] == '\'')) {
        ++i;
    }
    std::size_t end = i;
    while (end < text.size() && isEncodingNameChar(text[end])) {
        ++end;
    }
    return std::string(text.substr(i, end - i));
}

// The encoding named by an XML declaration or a meta element near the start of an
// ASCII-compatible document.
std::string declaredEncoding(std::string_view bytes)
{
    const std::string_view head = bytes.substr(0, 4096);
    if (startsWithNoCase(head, "<?xml")) {
        const std::size_t end = head.find("?>");
        const std::string_view declaration = head.substr(0, end);
        const std::size_t name = findNoCase(declaration, "encoding");
        if (name != std::string_view::npos) {
            std::string value = valueAfter(declaration, name + 8);
            if (!value.empty()) {
                return value;
            }
        }
    }
    for (std::size_t meta = findNoCase(head, "<meta"); meta != std::string_view::npos;
         meta = findNoCase(head, "<meta", meta + 5)) {
        const std::string_view tag = head.substr(meta, head.find('>', meta) - meta);
        const std::size_t name = findNoCase(tag, "charset");
        if (name != std::string_view::npos) {
            std::string value = valueAfter(tag, name + 7);
            if (!value.empty()) {
                return value;
            }
        }
    }
    return {};
}

bool isKnownEncoding(const std::string& name)
{
    xmlCharEncodingHandlerPtr handler = xmlFindCharEncodingHandler(name.c_str());
    if (!handler) {
        return false;
    }
    xmlCharEncCloseFunc(handler);
    return true;
}

// What the HTML parser is told the bytes are. Left to itself it would take a document
// without a meta charset for Latin-1 and garble UTF-8 text.
std::string fallbackEncoding(std::string_view bytes)
{
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        return "UTF-8";
    }
    if (bytes.starts_with("\xFF\xFE") ||
        (bytes.size() >= 2 && bytes[0] == '<' && bytes[1] == '\0')) {
        return "UTF-16LE";
    }
    if (bytes.starts_with("\xFE\xFF") ||
        (bytes.size() >= 2 && bytes[0] == '\0' && bytes[1] == '<')) {
        return "UTF-16BE";
    }
    std::string declared = declaredEncoding(bytes);
    // A declaration of a 16- or 32-bit encoding inside ASCII-compatible bytes is false.
    const bool wide = startsWithNoCase(declared, "utf-16") || startsWithNoCase(declared, "utf16") ||
                      startsWithNoCase(declared, "utf-32") || startsWithNoCase(declared, "ucs");
    if (!declared.empty() && !wide && isKnownEncoding(declared)) {
        return declared;
    }
    return "UTF-8";
}

// Old HTML written as well-formed XML with upper-case names (<HTML><BODY>) is HTML, not
// XHTML: only the HTML parser gives it the lower-case element names XPath looks for.
bool isUpperCaseHtml(const XmlDocument& doc)
{
    const xmlNode* root = xmlDocGetRootElement(doc.get());
    if (!root || !root->name || (root->ns && root->ns->prefix)) {
        return false;
    }
    const std::string_view name(reinterpret_cast<const char*>(root->name));
    return name != "html" && name.size() == 4 && startsWithNoCase(name, "html");
}

} // namespace

namespace {

// Counts the elements of the document being parsed on this thread and stops the parser
// past the cap. libxml2 keeps its own limits on entities and depth, but none on the number
// of nodes: a few megabytes of "<a/>" would become gigabytes of tree.
struct ElementCounter
{
    std::size_t count = 0;
    bool exceeded = false;
};

thread_local ElementCounter* tCounter = nullptr;

bool countElement(void* ctx)
{
    if (tCounter && ++tCounter->count > XmlDocument::kMaxElements) {
        tCounter->exceeded = true;
        xmlStopParser(static_cast<xmlParserCtxtPtr>(ctx));
        return false;
    }
    return true;
}

void countedStartElementNs(void* ctx, const xmlChar* localname, const xmlChar* prefix,
                           const xmlChar* uri, int namespaceCount, const xmlChar** namespaces,
                           int attributeCount, int defaultedCount, const xmlChar** attributes)
{
    if (countElement(ctx)) {
        xmlSAX2StartElementNs(ctx, localname, prefix, uri, namespaceCount, namespaces,
                              attributeCount, defaultedCount, attributes);
    }
}

void countedStartElement(void* ctx, const xmlChar* name, const xmlChar** attributes)
{
    if (countElement(ctx)) {
        xmlSAX2StartElement(ctx, name, attributes);
    }
}

class CountingScope
{
public:
    CountingScope() { tCounter = &m_counter; }
    ~CountingScope() { tCounter = nullptr; }
    CountingScope(const CountingScope&) = delete;
    CountingScope& operator=(const CountingScope&) = delete;
    bool exceeded() const { return m_counter.exceeded; }

private:
    ElementCounter m_counter;
};

struct ParserContextFree
{
    void operator()(xmlParserCtxt* context) const { xmlFreeParserCtxt(context); }
};
using ParserContext = std::unique_ptr<xmlParserCtxt, ParserContextFree>;

} // namespace

std::optional<XmlDocument> XmlDocument::parseStrict(std::string_view bytes, bool* tooLarge)
{
    initLibxml();
    if (tooLarge) {
        *tooLarge = false;
    }
    if (!fitsInt(bytes)) {
        return std::nullopt;
    }
    const ParserContext context(xmlNewParserCtxt());
    if (!context || !context->sax) {
        return std::nullopt;
    }
    context->sax->startElementNs = countedStartElementNs;
    const CountingScope counting;
    xmlDoc* doc = xmlCtxtReadMemory(context.get(), bytes.data(), static_cast<int>(bytes.size()),
                                    nullptr, nullptr, kStrictOptions);
    if (counting.exceeded()) {
        xmlFreeDoc(doc);
        if (tooLarge) {
            *tooLarge = true;
        }
        return std::nullopt;
    }
    if (!doc) {
        return std::nullopt;
    }
    return XmlDocument(doc);
}

std::optional<XmlDocument> XmlDocument::parseTidy(std::string_view bytes, bool* tooLarge)
{
    bool strictTooLarge = false;
    if (std::optional<XmlDocument> strict = parseStrict(bytes, &strictTooLarge)) {
        if (!isUpperCaseHtml(*strict)) {
            return strict;
        }
    }
    if (tooLarge) {
        *tooLarge = strictTooLarge;
    }
    if (strictTooLarge || !fitsInt(bytes)) {
        return std::nullopt;
    }
    const ParserContext context(htmlNewParserCtxt());
    if (!context || !context->sax) {
        return std::nullopt;
    }
    context->sax->startElement = countedStartElement;
    const std::string encoding = fallbackEncoding(bytes);
    const CountingScope counting;
    htmlDocPtr doc = htmlCtxtReadMemory(context.get(), bytes.data(), static_cast<int>(bytes.size()),
                                        nullptr, encoding.c_str(), kHtmlOptions);
    if (counting.exceeded()) {
        xmlFreeDoc(doc);
        if (tooLarge) {
            *tooLarge = true;
        }
        return std::nullopt;
    }
    if (!doc) {
        return std::nullopt;
    }
    return XmlDocument(doc);
}

std::vector<xmlNode*> XmlDocument::select(const char* expression) const
{
    std::vector<xmlNode*> nodes;
    xmlXPathContextPtr context = xmlXPathNewContext(m_doc.get());
    if (!context) {
        return nodes;
    }
    xmlXPathObjectPtr result = xmlXPathEvalExpression(xmlText(expression), context);
    if (result && result->type == XPATH_NODESET && result->nodesetval) {
        const xmlNodeSetPtr set = result->nodesetval;
        nodes.assign(set->nodeTab, set->nodeTab + std::max(set->nodeNr, 0));
    }
    xmlXPathFreeObject(result);
    xmlXPathFreeContext(context);
    return nodes;
}

namespace XmlNode {

bool isElement(const xmlNode* node)
{
    return node && node->type == XML_ELEMENT_NODE;
}

bool isText(const xmlNode* node)
{
    return node && (node->type == XML_TEXT_NODE || node->type == XML_CDATA_SECTION_NODE);
}

namespace {

template<typename Named> std::string nameWithPrefix(const Named* named)
{
    std::string name = fromXml(named->name);
    if (named->ns && named->ns->prefix) {
        return fromXml(named->ns->prefix) + ':' + name;
    }
    return name;
}

} // namespace

std::string qualifiedName(const xmlNode* element)
{
    return nameWithPrefix(element);
}

std::optional<std::string> attribute(const xmlNode* element, std::string_view name)
{
    if (!isElement(element)) {
        return std::nullopt;
    }
    for (const xmlAttr* attr = element->properties; attr; attr = attr->next) {
        if (nameWithPrefix(attr) == name) {
            xmlChar* value = xmlNodeListGetString(element->doc, attr->children, 1);
            std::string text = fromXml(value);
            xmlFree(value);
            return text;
        }
    }
    return std::nullopt;
}

std::string stringValue(const xmlNode* node)
{
    if (!node) {
        return {};
    }
    xmlChar* value = xmlXPathCastNodeToString(const_cast<xmlNode*>(node));
    std::string text = fromXml(value);
    xmlFree(value);
    return text;
}

} // namespace XmlNode

} // namespace tavrin
