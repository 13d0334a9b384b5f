#pragma once

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
class XmlDocument
{
public:
    /// Documents with more elements are refused (tooLarge is then set).
    static constexpr std::size_t kMaxElements = 300'000;

    /// A strict XML parse: nullopt unless the bytes are well-formed XML.
    static std::optional<XmlDocument> parseStrict(std::string_view bytes, bool* tooLarge = nullptr);

    /// The tidying parse for chapters and navigation documents: a well-formed document
    /// stays the XML tree it is (prefixed attributes such as epub:type keep their
    /// namespace); anything else is repaired by libxml2's HTML parser, decoded by its byte
    /// order mark or declared encoding, else as UTF-8. nullopt when even that fails.
    static std::optional<XmlDocument> parseTidy(std::string_view bytes, bool* tooLarge = nullptr);

    xmlDoc* get() const { return m_doc.get(); }

    /// The nodes an XPath 1.0 expression selects, in document order; empty when the
    /// evaluation fails or does not give a node set. Pass only fixed expressions.
    std::vector<xmlNode*> select(const char* expression) const;

private:
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
