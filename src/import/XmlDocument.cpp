#include "import/XmlDocument.h"

#include "tokenize/UnicodeText.h"

#include <libxml/HTMLparser.h>
#include <libxml/SAX2.h>
#include <libxml/encoding.h>
#include <libxml/entities.h>
#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/xpath.h>

#include <algorithm>
#include <climits>
#include <exception>
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

bool startsWithNoCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return UnicodeText::asciiLower(a) == UnicodeText::asciiLower(b);
           });
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

constexpr std::size_t kEntityTextFactor = 4;
// Room for a short document's own entities (a copyright line used on every page).
constexpr std::size_t kMinEntityText = 64 * 1024;
// Entities referring to entities: libxml2 refuses loops; this only stops a deep chain.
constexpr int kMaxEntityDepth = 16;
// The longest name read as an entity reference inside replacement text.
constexpr std::size_t kLongestEntityName = 64;

// What the parse running on this thread has spent: elements made and entity text added.
// libxml2 keeps its own limits on entities and depth, but none on the number of nodes (a
// few megabytes of "<a/>" would become gigabytes of tree), and none on one large entity
// referenced many times once its text is read.
struct ParseState
{
    std::size_t elements = 0;
    bool tooManyElements = false;
    std::size_t entityTextLeft = 0;
    bool entityTextExceeded = false;
    std::exception_ptr failure;

    bool spendEntityText(std::size_t bytes)
    {
        if (entityTextExceeded || bytes > entityTextLeft) {
            entityTextExceeded = true;
            return false;
        }
        entityTextLeft -= bytes;
        return true;
    }
};

thread_local ParseState* tParse = nullptr;

class ParseScope
{
public:
    explicit ParseScope(std::size_t documentBytes)
    {
        m_state.entityTextLeft = XmlDocument::entityTextAllowance(documentBytes);
        tParse = &m_state;
    }
    ~ParseScope() { tParse = nullptr; }
    ParseScope(const ParseScope&) = delete;
    ParseScope& operator=(const ParseScope&) = delete;
    const ParseState& state() const { return m_state; }

private:
    ParseState m_state;
};

// C++ exceptions (running out of memory) must not unwind through libxml2's C frames: a
// callback keeps the first one and stops the parser, and the parse rethrows it once libxml2
// has returned.
template<typename Work> void guarded(void* ctx, Work&& work)
{
    try {
        work();
    } catch (...) {
        if (tParse && !tParse->failure) {
            tParse->failure = std::current_exception();
        }
        xmlStopParser(static_cast<xmlParserCtxtPtr>(ctx));
    }
}

void appendCodePoint(unsigned long codePoint, std::string& out)
{
    if (codePoint == 0 || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
        return;
    }
    xmlChar utf8[8] = {};
    const int length = xmlCopyCharMultiByte(utf8, static_cast<int>(codePoint));
    out.append(reinterpret_cast<const char*>(utf8), static_cast<std::size_t>(std::max(length, 0)));
}

// "#233" or "#xE9", the name of a character reference.
void appendCharacterReference(std::string_view name, std::string& out)
{
    const bool hex = name.size() > 1 && (name[1] == 'x' || name[1] == 'X');
    const std::string_view digits = name.substr(hex ? 2 : 1);
    if (digits.empty() || digits.size() > 8) {
        return;
    }
    unsigned long value = 0;
    for (const char c : digits) {
        const int digit = c >= '0' && c <= '9'          ? c - '0'
                          : hex && c >= 'a' && c <= 'f' ? c - 'a' + 10
                          : hex && c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                        : -1;
        if (digit < 0) {
            return;
        }
        value = value * (hex ? 16 : 10) + static_cast<unsigned long>(digit);
    }
    appendCodePoint(value, out);
}

void appendEntityText(xmlDoc* doc, const xmlChar* name, std::string& out, int depth);

// An entity's replacement text as the text it makes: markup is dropped, references are
// followed.
void appendReplacementText(xmlDoc* doc, std::string_view text, std::string& out, int depth)
{
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == '<') {
            const std::size_t end = text.find('>', i);
            i = end == std::string_view::npos ? text.size() : end + 1;
            continue;
        }
        if (text[i] == '&') {
            // Looked for only as far as a name can reach: a text of '&' without ';' stays
            // linear.
            const std::size_t semicolon = text.substr(i, kLongestEntityName + 1).find(';');
            if (semicolon != std::string_view::npos && semicolon > 1) {
                const std::string reference(text.substr(i + 1, semicolon - 1));
                if (reference.front() == '#') {
                    appendCharacterReference(reference, out);
                } else {
                    appendEntityText(doc, xmlText(reference.c_str()), out, depth + 1);
                }
                i += semicolon + 1;
                continue;
            }
        }
        out.push_back(text[i]);
        ++i;
    }
}

// The text an entity reference stands for: the document's own internal entity (which
// includes the HTML characters lookupEntity declared for it), the five predefined ones,
// and nothing for an unknown or external entity, which is never read.
void appendEntityText(xmlDoc* doc, const xmlChar* name, std::string& out, int depth)
{
    const xmlEntity* entity = doc ? xmlGetDocEntity(doc, name) : nullptr;
    if (!entity || !entity->content || entity->length < 0) {
        return;
    }
    // The stored length, not strlen: once the allowance is spent, a reference costs nothing
    // however long its entity.
    const std::string_view content(reinterpret_cast<const char*>(entity->content),
                                   static_cast<std::size_t>(entity->length));
    if (entity->etype == XML_INTERNAL_PREDEFINED_ENTITY) {
        out.append(content);
        return;
    }
    if (entity->etype != XML_INTERNAL_GENERAL_ENTITY || depth > kMaxEntityDepth || !tParse ||
        !tParse->spendEntityText(content.size())) {
        return;
    }
    appendReplacementText(doc, content, out, depth);
}

// Where a well-formed document may use an entity it does not declare (it names an
// external DTD, which is never loaded), the HTML character of that name is declared in
// its place, so that "&rsquo;" in an XHTML 1.1 chapter is a quote mark and not a gap.
// libxml2 parses an entity's content again at every reference until the entity holds a
// parsed copy, which it keeps from a first reference in element content, or from building an
// attribute value. A streaming parse builds no attributes, so an entity used first in one
// would be parsed anew at each of thousands of references. An empty copy stops that; the
// text always comes from the replacement text.
void keepParsedCopy(xmlEntityPtr entity)
{
    if (entity->etype != XML_INTERNAL_GENERAL_ENTITY || entity->checked == 0 || entity->children ||
        !entity->doc) {
        return;
    }
    xmlNode* placeholder = xmlNewDocText(entity->doc, xmlText(""));
    if (placeholder) {
        placeholder->parent = reinterpret_cast<xmlNode*>(entity);
        entity->children = placeholder;
        entity->last = placeholder;
        entity->owner = 1;
    }
}

xmlEntityPtr findEntity(void* ctx, const xmlChar* name)
{
    if (xmlEntityPtr declared = xmlSAX2GetEntity(ctx, name)) {
        keepParsedCopy(declared);
        return declared;
    }
    const auto* context = static_cast<xmlParserCtxtPtr>(ctx);
    xmlDoc* doc = context->myDoc;
    if (!doc || !doc->intSubset || doc->standalone == 1 || context->inSubset != 0) {
        return nullptr;
    }
    const xmlDtd* dtd = doc->intSubset;
    if (!context->hasExternalSubset && !context->hasPErefs && !dtd->ExternalID && !dtd->SystemID) {
        return nullptr;
    }
    const htmlEntityDesc* html = htmlEntityLookup(name);
    if (!html) {
        return nullptr;
    }
    std::string character;
    appendCodePoint(html->value, character);
    return xmlAddDocEntity(doc, name, XML_INTERNAL_GENERAL_ENTITY, nullptr, nullptr,
                           xmlText(character.c_str()));
}

xmlEntityPtr lookupEntity(void* ctx, const xmlChar* name)
{
    xmlEntityPtr found = nullptr;
    guarded(ctx, [&] { found = findEntity(ctx, name); });
    return found;
}

// Element content: the reference becomes characters, merged with the text around it.
void referenceAsText(void* ctx, const xmlChar* name)
{
    std::string text;
    guarded(ctx,
            [&] { appendEntityText(static_cast<xmlParserCtxtPtr>(ctx)->myDoc, name, text, 0); });
    if (!text.empty() && text.size() <= static_cast<std::size_t>(INT_MAX)) {
        xmlSAX2Characters(ctx, xmlText(text.c_str()), static_cast<int>(text.size()));
    }
}

// Attribute values keep references as nodes, which libxml2 expands without bound each time
// a value is read (an XPath comparison reads them too): make each such value one text.
void resolveAttributeReferences(xmlNode* element)
{
    for (xmlAttr* attr = element->properties; attr; attr = attr->next) {
        bool hasReference = false;
        for (const xmlNode* part = attr->children; part && !hasReference; part = part->next) {
            hasReference = part->type == XML_ENTITY_REF_NODE;
        }
        if (!hasReference) {
            continue;
        }
        std::string value;
        for (const xmlNode* part = attr->children; part; part = part->next) {
            if (part->type == XML_ENTITY_REF_NODE) {
                appendEntityText(element->doc, part->name, value, 0);
            } else if (part->content) {
                value.append(reinterpret_cast<const char*>(part->content));
            }
        }
        xmlFreeNodeList(attr->children);
        xmlNode* text = xmlNewDocText(element->doc, xmlText(value.c_str()));
        attr->children = text;
        attr->last = text;
        if (text) {
            text->parent = reinterpret_cast<xmlNode*>(attr);
        }
    }
}

bool countElement(void* ctx)
{
    if (tParse && ++tParse->elements > XmlDocument::kMaxElements) {
        tParse->tooManyElements = true;
        xmlStopParser(static_cast<xmlParserCtxtPtr>(ctx));
        return false;
    }
    return true;
}

void countedStartElementNs(void* ctx, const xmlChar* localname, const xmlChar* prefix,
                           const xmlChar* uri, int namespaceCount, const xmlChar** namespaces,
                           int attributeCount, int defaultedCount, const xmlChar** attributes)
{
    if (!countElement(ctx)) {
        return;
    }
    xmlSAX2StartElementNs(ctx, localname, prefix, uri, namespaceCount, namespaces, attributeCount,
                          defaultedCount, attributes);
    xmlNode* element = static_cast<xmlParserCtxtPtr>(ctx)->node;
    if (attributeCount > 0 && element && element->properties) {
        guarded(ctx, [element] { resolveAttributeReferences(element); });
    }
}

void countedStartElement(void* ctx, const xmlChar* name, const xmlChar** attributes)
{
    if (countElement(ctx)) {
        xmlSAX2StartElement(ctx, name, attributes);
    }
}

// A streaming parse on this thread: its parser context and where its content goes. Entity
// declarations are parsed in contexts of their own, which build their trees as usual (libxml2
// keeps an entity's parsed content and would parse it again at every reference otherwise).
struct StreamState
{
    xmlParserCtxtPtr context = nullptr;
    XmlDocument::ContentHandler* handler = nullptr;
    bool rootSeen = false;
    bool upperCaseHtml = false;
};

thread_local StreamState* tStream = nullptr;

XmlDocument::ContentHandler* streamHandler(void* ctx)
{
    return tStream && ctx == tStream->context ? tStream->handler : nullptr;
}

void stopIfAsked(void* ctx, const XmlDocument::ContentHandler& handler)
{
    if (handler.stopped()) {
        xmlStopParser(static_cast<xmlParserCtxtPtr>(ctx));
    }
}

void streamStartElementNs(void* ctx, const xmlChar* localname, const xmlChar* prefix,
                          const xmlChar* uri, int namespaceCount, const xmlChar** namespaces,
                          int attributeCount, int defaultedCount, const xmlChar** attributes)
{
    XmlDocument::ContentHandler* handler = streamHandler(ctx);
    if (!handler) {
        countedStartElementNs(ctx, localname, prefix, uri, namespaceCount, namespaces,
                              attributeCount, defaultedCount, attributes);
        return;
    }
    if (!countElement(ctx)) {
        return;
    }
    if (!tStream->rootSeen) {
        tStream->rootSeen = true;
        const std::string_view name(reinterpret_cast<const char*>(localname));
        if (!prefix && name != "html" && name.size() == 4 && startsWithNoCase(name, "html")) {
            tStream->upperCaseHtml = true;
            xmlStopParser(static_cast<xmlParserCtxtPtr>(ctx));
            return;
        }
    }
    guarded(ctx, [&] { handler->startElement(localname, prefix, uri); });
    stopIfAsked(ctx, *handler);
}

void streamEndElementNs(void* ctx, const xmlChar* localname, const xmlChar* prefix,
                        const xmlChar* uri)
{
    if (XmlDocument::ContentHandler* handler = streamHandler(ctx)) {
        guarded(ctx, [handler] { handler->endElement(); });
        stopIfAsked(ctx, *handler);
    } else {
        xmlSAX2EndElementNs(ctx, localname, prefix, uri);
    }
}

void streamCharacters(void* ctx, const xmlChar* text, int length)
{
    if (XmlDocument::ContentHandler* handler = streamHandler(ctx)) {
        guarded(ctx, [&] {
            handler->characters(std::string_view(reinterpret_cast<const char*>(text),
                                                 static_cast<std::size_t>(std::max(length, 0))));
        });
    } else {
        xmlSAX2Characters(ctx, text, length);
    }
}

void streamReference(void* ctx, const xmlChar* name)
{
    if (XmlDocument::ContentHandler* handler = streamHandler(ctx)) {
        guarded(ctx, [&] {
            std::string text;
            appendEntityText(static_cast<xmlParserCtxtPtr>(ctx)->myDoc, name, text, 0);
            handler->characters(text);
        });
    } else {
        referenceAsText(ctx, name);
    }
}

void streamComment(void* ctx, const xmlChar* value)
{
    if (XmlDocument::ContentHandler* handler = streamHandler(ctx)) {
        guarded(ctx, [handler] { handler->endText(); });
    } else {
        xmlSAX2Comment(ctx, value);
    }
}

void streamProcessingInstruction(void* ctx, const xmlChar* target, const xmlChar* data)
{
    if (XmlDocument::ContentHandler* handler = streamHandler(ctx)) {
        guarded(ctx, [handler] { handler->endText(); });
    } else {
        xmlSAX2ProcessingInstruction(ctx, target, data);
    }
}

struct ParserContextFree
{
    void operator()(xmlParserCtxt* context) const { xmlFreeParserCtxt(context); }
};
using ParserContext = std::unique_ptr<xmlParserCtxt, ParserContextFree>;

} // namespace

std::size_t XmlDocument::entityTextAllowance(std::size_t documentBytes)
{
    return std::max(kMinEntityText, kEntityTextFactor * documentBytes);
}

Result<XmlDocument, XmlDocument::Error> XmlDocument::parseStrict(std::string_view bytes)
{
    Excess excess = Excess::none;
    std::optional<XmlDocument> doc = strictParse(bytes, excess);
    if (!doc) {
        return excess == Excess::elements ? Error::tooLarge : Error::malformed;
    }
    return std::move(*doc);
}

std::optional<XmlDocument> XmlDocument::strictParse(std::string_view bytes, Excess& excess)
{
    initLibxml();
    excess = Excess::none;
    if (!fitsInt(bytes)) {
        return std::nullopt;
    }
    const ParserContext context(xmlNewParserCtxt());
    if (!context || !context->sax) {
        return std::nullopt;
    }
    context->sax->startElementNs = countedStartElementNs;
    context->sax->getEntity = lookupEntity;
    context->sax->reference = referenceAsText;
    const ParseScope scope(bytes.size());
    xmlDoc* doc = xmlCtxtReadMemory(context.get(), bytes.data(), static_cast<int>(bytes.size()),
                                    nullptr, nullptr, kStrictOptions);
    if (scope.state().failure) {
        xmlFreeDoc(doc);
        std::rethrow_exception(scope.state().failure);
    }
    if (scope.state().tooManyElements) {
        xmlFreeDoc(doc);
        excess = Excess::elements;
        return std::nullopt;
    }
    if (!doc) {
        return std::nullopt;
    }
    if (scope.state().entityTextExceeded) {
        excess = Excess::entityText;
    }
    return XmlDocument(doc);
}

XmlDocument::StreamOutcome XmlDocument::streamStrict(std::string_view bytes,
                                                     ContentHandler& handler)
{
    initLibxml();
    if (!fitsInt(bytes)) {
        return StreamOutcome::notXhtml;
    }
    const ParserContext context(xmlNewParserCtxt());
    if (!context || !context->sax) {
        return StreamOutcome::notXhtml;
    }
    xmlSAXHandler& sax = *context->sax;
    sax.startElementNs = streamStartElementNs;
    sax.endElementNs = streamEndElementNs;
    sax.characters = streamCharacters;
    sax.ignorableWhitespace = streamCharacters;
    sax.reference = streamReference;
    sax.getEntity = lookupEntity;
    sax.comment = streamComment;
    sax.processingInstruction = streamProcessingInstruction;
    const ParseScope scope(bytes.size());
    StreamState stream{context.get(), &handler};
    tStream = &stream;
    // The document made holds only the DTD: the content went to handler.
    xmlDoc* doc = xmlCtxtReadMemory(context.get(), bytes.data(), static_cast<int>(bytes.size()),
                                    nullptr, nullptr, kStrictOptions);
    tStream = nullptr;
    xmlFreeDoc(doc);
    if (scope.state().failure) {
        std::rethrow_exception(scope.state().failure);
    }
    if (scope.state().tooManyElements || scope.state().entityTextExceeded) {
        return StreamOutcome::refused;
    }
    if (handler.stopped()) {
        return StreamOutcome::stopped;
    }
    if (!doc || stream.upperCaseHtml) {
        return StreamOutcome::notXhtml;
    }
    return StreamOutcome::read;
}

Result<XmlDocument, XmlDocument::Error> XmlDocument::parseTidy(std::string_view bytes)
{
    Excess strictExcess = Excess::none;
    std::optional<XmlDocument> strict = strictParse(bytes, strictExcess);
    if (strictExcess != Excess::none) {
        return Error::tooLarge;
    }
    if (strict && !isUpperCaseHtml(*strict)) {
        return std::move(*strict);
    }
    return parseHtml(bytes);
}

Result<XmlDocument, XmlDocument::Error> XmlDocument::parseHtml(std::string_view bytes)
{
    initLibxml();
    if (!fitsInt(bytes)) {
        return Error::malformed;
    }
    const ParserContext context(htmlNewParserCtxt());
    if (!context || !context->sax) {
        return Error::malformed;
    }
    context->sax->startElement = countedStartElement;
    const std::string encoding = fallbackEncoding(bytes);
    const ParseScope scope(bytes.size());
    htmlDocPtr doc = htmlCtxtReadMemory(context.get(), bytes.data(), static_cast<int>(bytes.size()),
                                        nullptr, encoding.c_str(), kHtmlOptions);
    if (scope.state().tooManyElements) {
        xmlFreeDoc(doc);
        return Error::tooLarge;
    }
    if (!doc) {
        return Error::malformed;
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
