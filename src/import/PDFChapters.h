#pragma once

#include "import/PDFOutline.h"
#include "tokenize/ContentsEntry.h"
#include "tokenize/WordToken.h"

#include <cstddef>
#include <vector>

/// Chapter numbers for a PDF's tokens from its outline.
namespace tavrin::PDFChapters {

/// Numbers the chapters the entries start, in reading order. An entry starts at the first
/// word of its page, or where its title's words stand on that page; entries that start at
/// the same word are one chapter; words before the first entry are a chapter of their own.
/// pageStarts holds the index of each page's first token and, last, tokens.size().
/// Returns the book's contents: one entry per chapter an entry starts, titled by the first
/// entry that starts it.
std::vector<ContentsEntry> assign(std::vector<WordToken>& tokens,
                                  const std::vector<std::size_t>& pageStarts,
                                  const std::vector<OutlineEntry>& entries);

} // namespace tavrin::PDFChapters
