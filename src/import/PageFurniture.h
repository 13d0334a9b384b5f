#pragma once

#include <string>
#include <vector>

/// Running heads and feet: lines that repeat at the top or the bottom of many pages, as the
/// same text or the same text with a changing number (a page number, "Page 12", "12 | Title").
/// They frame the pages and are not part of what is read.
namespace tavrin::PageFurniture {

/// Removes the running heads and feet from every page's text (lines ending in line feeds),
/// judged over the whole document: a short block of lines at a page's edge counts as
/// furniture only when its text, with every number taken as the same, stands at that edge of
/// several pages, so a heading that starts one page stays. A page's text keeps its blocks
/// apart by blank lines. Documents of fewer than three pages with text keep everything.
void strip(std::vector<std::string>& pages);

} // namespace tavrin::PageFurniture
