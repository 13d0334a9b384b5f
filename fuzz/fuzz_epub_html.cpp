// The content walker on one chapter document, through both the strict and the HTML parse. A
// well-formed chapter is walked as it is parsed; the walk of the same document's tree must
// give the same tokens.
#include "import/EPUBParser.h"
#include "import/XmlDocument.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<tavrin::WordToken> tokens = tavrin::EPUBParser::parseHTMLContent(bytes, 3);
    for (const tavrin::WordToken& token : tokens) {
        if (token.text.empty() || token.chapterIndex != 3) {
            __builtin_trap();
        }
    }
    std::vector<tavrin::WordToken> fromTree;
    if (const auto doc = tavrin::XmlDocument::parseTidy(bytes)) {
        const auto bodies = doc->select("//*[local-name()='body']");
        if (!bodies.empty()) {
            tavrin::EPUBParser::walkNode(bodies.front(), 3, false, fromTree);
        }
    }
    const auto same = [](const tavrin::WordToken& a, const tavrin::WordToken& b) {
        return a.text == b.text && a.pauseMultiplier == b.pauseMultiplier &&
               a.isHeading == b.isHeading && a.chapterIndex == b.chapterIndex;
    };
    if (!std::equal(tokens.begin(), tokens.end(), fromTree.begin(), fromTree.end(), same)) {
        __builtin_trap();
    }
    return 0;
}
