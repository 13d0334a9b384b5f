// The content walker on one chapter document, through both the strict and the HTML parse.
#include "import/EPUBParser.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const tavrin::WordToken& token : tavrin::EPUBParser::parseHTMLContent(bytes, 3)) {
        if (token.text.empty() || token.chapterIndex != 3) {
            __builtin_trap();
        }
    }
    return 0;
}
