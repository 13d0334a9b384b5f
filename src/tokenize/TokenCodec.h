#pragma once

#include "tokenize/WordToken.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin::TokenCodec {

/// Encodes tokens as the compact JSON array stored in a book's token cache:
/// [{"text":…,"pauseMultiplier":…,"isHeading":…,"chapterIndex":…},…]
std::string encode(const std::vector<WordToken>& tokens);

/// Decodes a token cache strictly: a missing member, a null, a wrong type or a fractional
/// "chapterIndex" rejects the whole array. Unknown members are ignored.
std::optional<std::vector<WordToken>> decode(std::string_view json);

/// Reads and decodes a token cache file; nullopt when it cannot be read or decoded.
std::optional<std::vector<WordToken>> decodeFile(const std::string& path);

} // namespace tavrin::TokenCodec
