#pragma once

#include "tokenize/ContentsEntry.h"
#include "tokenize/WordToken.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin {

/// A book's contents, found once at import and kept beside its token cache as a small
/// versioned JSON file: {"version":1,"entries":[{"title":"…","index":0,"depth":0},…]}.
namespace BookContents {

/// The contents file that goes with a token cache ("X.json" gives "X.contents.json").
std::string pathFor(std::string_view tokenCachePath);

std::string encode(const std::vector<ContentsEntry>& entries);
/// nullopt for anything but a version-1 file whose entries all read whole; entries that
/// point outside a book of tokenCount words are dropped.
std::optional<std::vector<ContentsEntry>> decode(std::string_view json, std::int64_t tokenCount);

/// Contents from the words alone, for a book that brought none of its own: in a book of
/// several chapters, one entry per chapter named by its first heading ("Chapter N" when it
/// has none); in a book of one chapter, its headings.
std::vector<ContentsEntry> fromHeadings(const std::vector<WordToken>& tokens);

/// The entry the word at index belongs to: the last one starting at or before it, or -1.
int currentEntry(const std::vector<ContentsEntry>& entries, std::int64_t index);

/// How much of entry i has been read with the reader at index: 0 before it starts, 1 once
/// past it. An entry runs to where the next one starts (or to the book's end).
double fractionRead(const std::vector<ContentsEntry>& entries, std::size_t i,
                    std::int64_t tokenCount, std::int64_t index);

} // namespace BookContents

} // namespace tavrin
