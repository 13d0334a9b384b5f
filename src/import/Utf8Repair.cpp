#include "import/Utf8Repair.h"

#include "tokenize/UnicodeText.h"

namespace tavrin {

std::string repairUtf8(std::string_view bytes)
{
    if (UnicodeText::isValidUtf8(bytes)) {
        return std::string(bytes);
    }
    std::string repaired;
    repaired.reserve(bytes.size() + 16);
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        const std::size_t length = c < 0xC0 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
        if (length <= bytes.size() - i && UnicodeText::isValidUtf8(bytes.substr(i, length))) {
            repaired.append(bytes.substr(i, length));
            i += length;
        } else {
            repaired.append("\uFFFD");
            ++i;
        }
    }
    return repaired;
}

} // namespace tavrin
