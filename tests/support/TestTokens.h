#pragma once

#include "tokenize/WordToken.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tavrin::test {

/// Words "w0", "w1", … of multiplier 1.0 (or the given multipliers, one per word while they
/// last), in chapter 0 (or the given chapters, one per word while they last).
inline std::vector<WordToken> makeTokens(std::size_t count, std::vector<std::int64_t> chapters = {},
                                         std::vector<double> multipliers = {})
{
    std::vector<WordToken> tokens;
    tokens.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        tokens.push_back({"w" + std::to_string(i), i < multipliers.size() ? multipliers[i] : 1.0,
                          false, i < chapters.size() ? chapters[i] : 0});
    }
    return tokens;
}

} // namespace tavrin::test
