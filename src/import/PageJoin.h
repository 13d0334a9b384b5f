#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tavrin {

/// A document's pages as one running text for the plain-text tokenizer.
struct RunningText
{
    std::string text;
    /// For every page, the byte offset in text where its own words begin (a word joined
    /// across the break belongs to the page before); one more entry, text.size(), closes
    /// the list. A page without words starts where the next words begin.
    std::vector<std::size_t> pageStarts;
};

/// Joins page texts so that a page break ends a paragraph only where the page's text ends
/// one: its last line ends a sentence or stops clearly short of the lines above it, or the
/// next page opens with a heading. Elsewhere the words run on, and a word hyphenated across
/// the break is joined into one.
namespace PageJoin {
RunningText join(const std::vector<std::string>& pages);
}

} // namespace tavrin
