#pragma once

#include <string>
#include <string_view>

namespace tavrin {

/// The bytes as valid UTF-8: every byte that does not start a well-formed sequence becomes
/// U+FFFD, so that text from a wrongly declared document keeps its other characters.
std::string repairUtf8(std::string_view bytes);

} // namespace tavrin
