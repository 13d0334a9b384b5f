#include "display/OrpIndex.h"

#include "tokenize/UnicodeText.h"

#include <array>

namespace tavrin {

int orpIndexForLength(std::size_t characters)
{
    // Index by length; entry 0 is the empty word, and 12 or more characters share index 4.
    static constexpr std::array<int, 12> kByLength{4, 0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3};
    return characters < kByLength.size() ? kByLength[characters] : 4;
}

int orpIndex(std::string_view utf8)
{
    // graphemeCount takes an ASCII fast path itself, so the common word never reaches ICU.
    return orpIndexForLength(UnicodeText::graphemeCount(utf8));
}

} // namespace tavrin
