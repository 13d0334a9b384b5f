#pragma once

#include <cstddef>
#include <string_view>

namespace tavrin {

/// The zero-based index, in user-perceived characters, of the letter a word is aligned on:
/// roughly a third of the way into short words and never past the fifth character, since
/// the eye fixes near the start of a long word.
int orpIndex(std::string_view utf8);

/// The same rule by the word's length in user-perceived characters; an empty word gets 4.
int orpIndexForLength(std::size_t characters);

} // namespace tavrin
