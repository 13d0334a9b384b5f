#pragma once

#include "common/Result.h"

#include <libxml/tree.h>

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin {

/// An owned libxml2 document tree, made by one of the two parses EPUB reading uses, with
/// XPath 1.0 selection. Neither parse reads external entities or DTDs, touches the
/// network, or lifts libxml2's limits on entity expansion and nesting.
///
/// Entity references are text: the strict parse replaces each one by the replacement text
/// of the entity the document declares, else by the HTML character of that name, else by
/// nothing, so the tree (elements and attributes) holds no entity-reference nodes. The
/// text entities add to one document is bounded by entityTextAllowance, which stops an
/// entity referenced thousands of times from turning a small file into gigabytes.
class XmlDocument
{
public:
    /// Documents with more elements are refused.
    static constexpr std::size_t kMaxElements = 300'000;

    /// Why a parse gave no document.
    enum class Error
    {
        /// Not well-formed XML (strict), or not even repairable HTML (tidy).
        malformed,
        /// More than kMaxElements elements, or (tidy) more entity text than the allowance.
        tooLarge,
    };

    /// Bytes of entity text a document of the given size may gain: a few times its size.
    static std::size_t entityTextAllowance(std::size_t documentBytes);

    /// A strict XML parse of well-formed XML with at most kMaxElements elements. A document
    /// past its entity text allowance is still returned, with the references past the
    /// allowance left empty.
    static Result<XmlDocument, Error> parseStrict(std::string_view bytes);

    /// The tidying parse for chapters and navigation documents: a well-formed document
    /// stays the XML tree it is (prefixed attributes such as epub:type keep their
    /// namespace); anything else is repaired by libxml2's HTML parser, decoded by its byte
    /// order mark or declared encoding, else as UTF-8. Fails when even that fails, or when
    /// the document goes past either limit (it is then not repaired either).
    static Result<XmlDocument, Error> parseTidy(std::string_view bytes);
    /// The repairing half of parseTidy alone, for a document its strict parse has refused.
    static Result<XmlDocument, Error> parseHtml(std::string_view bytes);

    /// Receives the content of a strict parse as it is read, without a tree: the elements and
    /// the text a walk of parseStrict's tree would meet, in the same order.
    class ContentHandler
    {
    public:
        virtual ~ContentHandler() = default;
        /// prefix and uri are null for an element without them.
        virtual void startElement(const xmlChar* localName, const xmlChar* prefix,
                                  const xmlChar* uri) = 0;
        virtual void endElement() = 0;
        /// Text of the current text node; one node's text may come in several pieces.
        virtual void characters(std::string_view text) = 0;
        /// A comment or processing instruction: the text before it and after it are two nodes.
        virtual void endText() = 0;
        /// True to stop the parse.
        virtual bool stopped() const = 0;
    };

    enum class StreamOutcome
    {
        read,
        /// Not well-formed XML, or old upper-case HTML: the tidying parse takes it instead.
        notXhtml,
        /// Past kMaxElements or the entity text allowance: refused like parseTidy refuses it.
        refused,
        /// The handler asked to stop.
        stopped,
    };

    /// The strict parse of parseTidy, reported to handler instead of building a tree, for
    /// chapters read once from start to end. With notXhtml, handler saw part of the document,
    /// and parseHtml is what parseTidy would do next.
    static StreamOutcome streamStrict(std::string_view bytes, ContentHandler& handler);

    xmlDoc* get() const { return m_doc.get(); }

    /// The nodes an XPath 1.0 expression selects, in document order; empty when the
    /// evaluation fails or does not give a node set. Pass only fixed expressions.
    std::vector<xmlNode*> select(const char* expression) const;

private:
    /// Which of a parse's limits a document went past.
    enum class Excess
    {
        none,
        /// More than kMaxElements: no document.
        elements,
        /// More entity text than the allowance: references past it gave no text.
        entityText,
    };
    static std::optional<XmlDocument> strictParse(std::string_view bytes, Excess& excess);

    struct DocFree
    {
        void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
    };

    explicit XmlDocument(xmlDoc* doc) : m_doc(doc) {}

    std::unique_ptr<xmlDoc, DocFree> m_doc;
};

/// Reading nodes of an XmlDocument. All texts are UTF-8.
namespace XmlNode {

bool isElement(const xmlNode* node);
bool isText(const xmlNode* node);

/// The element's name as written: "prefix:local" when it has a namespace prefix.
std::string qualifiedName(const xmlNode* element);

/// The value of the attribute whose name, as written (with any prefix), is name.
std::optional<std::string> attribute(const xmlNode* element, std::string_view name);

/// The XPath string value: all text inside an element, an attribute's value, a text
/// node's text.
std::string stringValue(const xmlNode* node);

} // namespace XmlNode

} // namespace tavrin
