#pragma once

#include "library/Book.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin::BookCodec {

/// Encodes books as the compact JSON array stored under "tavrin_library_v2", members in the
/// order "id", "title", "author", "year", "cachedTokenPath", "coverImagePath" (left out when
/// there is no cover), "currentWordIndex", "totalWords", then "sourcePath" and "sourceSize"
/// when known. nullopt when a text is not valid
/// UTF-8, so that nothing unreadable is ever stored.
std::optional<std::string> encode(const std::vector<Book>& books);

/// One element of that array, so that a caller can keep the elements of unchanged books.
std::optional<std::string> encodeBook(const Book& book);

/// Decodes the stored array strictly: a missing or null required member, a value of the wrong
/// JSON type, an integer with a fractional part or outside 64 bits, or an "id" that is not a
/// canonical UUID text rejects the whole array. "author", "year" and "coverImagePath" may be
/// absent or null; "sourcePath" and "sourceSize" count as absent unless they are a string and
/// an integer; unknown members are ignored.
std::optional<std::vector<Book>> decode(std::string_view json);

} // namespace tavrin::BookCodec
