#pragma once

#include <string>
#include <vector>

namespace tavrin {

/// One chapter entry of a PDF's outline (its bookmarks): the title it shows and the
/// zero-based page its destination opens.
struct OutlineEntry
{
    std::string title;
    int pageIndex = 0;
};

/// The chapters a PDF's outline names: the entries of its first level, or, when that level
/// is a single entry (the book's title), that entry's children. Entries whose destination is
/// no page of the document are left out. Empty when the file has no outline or cannot be
/// opened. Safe to call from any thread.
namespace PDFOutline {
std::vector<OutlineEntry> chapterEntries(const std::string& file);
}

} // namespace tavrin
