#pragma once

#include <cctype>
#include <string>
#include <string_view>

namespace tavrin::test {

/// A parameterised case's name in listings: the ASCII letters and digits of text, then the
/// case's index (unique, readable, the same in every build).
inline std::string caseName(std::string_view text, std::size_t index)
{
    std::string name;
    for (const char c : text) {
        name += std::isalnum(static_cast<unsigned char>(c)) != 0 ? std::string(1, c) : "";
    }
    return name + "_" + std::to_string(index);
}

} // namespace tavrin::test
