#include "import/PageFurniture.h"

#include "tokenize/UnicodeText.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace tavrin::PageFurniture {

namespace {

// How many blocks from each edge may be head or foot (a title and a page number), and how
// many lines such a block may have. poppler sets running heads and feet apart from the text
// as blocks of their own, while a title page's lines stay together in one block.
constexpr std::size_t kEdgeBlocks = 2;
constexpr std::size_t kMaxBlockLines = 2;
// A pattern seen at the same edge of this many pages is furniture. Chapter titles that
// serve as running heads in short chapters repeat only a few times.
constexpr int kMinRepeats = 3;
// Running heads are short; a long line that repeats is text (a repeated notice, code).
constexpr std::size_t kMaxKeyBytes = 160;
// The key of a bare page number.
constexpr std::string_view kNumber = "#";

// A run of lines between blank lines, as byte offsets into the page.
struct Block
{
    std::size_t begin = 0;
    std::size_t end = 0; // just past the last line's text, before its line feed
    std::size_t lines = 0;
};

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}

bool isBlank(std::string_view line)
{
    return std::all_of(line.begin(), line.end(), isSpace);
}

std::vector<Block> textBlocks(std::string_view page)
{
    std::vector<Block> blocks;
    bool open = false;
    std::size_t from = 0;
    while (from < page.size()) {
        std::size_t end = page.find('\n', from);
        if (end == std::string_view::npos) {
            end = page.size();
        }
        if (isBlank(page.substr(from, end - from))) {
            open = false;
        } else {
            if (!open) {
                blocks.push_back({from, end, 0});
                open = true;
            }
            blocks.back().end = end;
            ++blocks.back().lines;
        }
        from = end + 1;
    }
    return blocks;
}

bool isRomanNumeral(std::string_view word)
{
    return !word.empty() && word.size() <= 7 && std::all_of(word.begin(), word.end(), [](char c) {
        return std::string_view("ivxlcdm").find(c) != std::string_view::npos;
    });
}

// The line with every number as "#", runs of blanks as one space and ASCII letters in lower
// case, so that "Page 12" and "Page 13" share a key. Empty when the line cannot be furniture.
std::string keyOf(std::string_view line)
{
    std::string key;
    bool alphanumeric = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c >= '0' && c <= '9') {
            while (i + 1 < line.size() && line[i + 1] >= '0' && line[i + 1] <= '9') {
                ++i;
            }
            key += '#';
            alphanumeric = true;
        } else if (isSpace(c) || c == '\n') {
            if (!key.empty() && key.back() != ' ') {
                key += ' ';
            }
        } else {
            const char lower = UnicodeText::asciiLower(c);
            alphanumeric = alphanumeric || (lower >= 'a' && lower <= 'z') ||
                           static_cast<unsigned char>(lower) >= 0x80;
            key += lower;
        }
        if (key.size() > kMaxKeyBytes) {
            return {};
        }
    }
    if (!key.empty() && key.back() == ' ') {
        key.pop_back();
    }
    // A bare page number in roman numerals (front matter).
    if (isRomanNumeral(key)) {
        return "#";
    }
    return alphanumeric ? key : std::string();
}

using Counts = std::unordered_map<std::string, int>;

// Counts each key once per page, at the edge it stands on.
void countEdge(const std::vector<std::string>& keys, Counts& counts)
{
    std::unordered_set<std::string_view> seen;
    for (const std::string& key : keys) {
        if (!key.empty() && seen.insert(key).second) {
            ++counts[key];
        }
    }
}

bool isFurniture(const Counts& counts, const std::string& key)
{
    const auto found = counts.find(key);
    return found != counts.end() && found->second >= kMinRepeats;
}

struct PageEdges
{
    std::vector<Block> blocks;
    // Keys of the blocks nearest each edge, outermost first; empty for a block that cannot
    // be furniture.
    std::vector<std::string> top;
    std::vector<std::string> bottom;
};

std::string blockKey(std::string_view page, const Block& block)
{
    if (block.lines > kMaxBlockLines) {
        return {};
    }
    return keyOf(page.substr(block.begin, block.end - block.begin));
}

// How many blocks from the edge are furniture. A page number with one block between it and
// the edge takes that block along: it is the running head of a chapter too short to repeat
// it. With onlyNumbers (a document's first page, which opens with its title, and the title
// may be the running head too) only page numbers go.
std::size_t furnitureBlocks(const Counts& counts, const std::vector<std::string>& keys,
                            bool onlyNumbers)
{
    std::size_t n = 0;
    while (n < keys.size() && (!onlyNumbers || keys[n] == kNumber) &&
           isFurniture(counts, keys[n])) {
        ++n;
    }
    if (n == 0 && !onlyNumbers && keys.size() == kEdgeBlocks && !keys[0].empty() &&
        keys[1] == kNumber && isFurniture(counts, keys[1])) {
        n = kEdgeBlocks;
    }
    return n;
}

// The first or last line of a page's remaining text, when it shares its block with text.
struct EdgeLine
{
    std::size_t begin = 0;
    std::size_t end = 0;
    std::string key;
};

std::optional<EdgeLine> firstLine(std::string_view page, std::size_t begin, std::size_t end)
{
    const std::size_t lineEnd = page.find('\n', begin);
    if (lineEnd == std::string_view::npos || lineEnd >= end) {
        return std::nullopt;
    }
    return EdgeLine{begin, lineEnd + 1, keyOf(page.substr(begin, lineEnd - begin))};
}

std::optional<EdgeLine> lastLine(std::string_view page, std::size_t begin, std::size_t end)
{
    const std::size_t lineStart = page.rfind('\n', end - 1);
    if (lineStart == std::string_view::npos || lineStart < begin) {
        return std::nullopt;
    }
    return EdgeLine{lineStart, end, keyOf(page.substr(lineStart + 1, end - lineStart - 1))};
}

struct Kept
{
    std::size_t begin = 0;
    std::size_t end = 0;
    std::optional<EdgeLine> top;
    std::optional<EdgeLine> bottom;
};

} // namespace

void strip(std::vector<std::string>& pages)
{
    const auto withText = std::count_if(pages.begin(), pages.end(),
                                        [](const std::string& page) { return !page.empty(); });
    if (withText < kMinRepeats) {
        return;
    }
    // Heads and feet that poppler sets apart as blocks of their own.
    std::vector<PageEdges> edges(pages.size());
    Counts topCounts;
    Counts bottomCounts;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        PageEdges& page = edges[p];
        page.blocks = textBlocks(pages[p]);
        const std::size_t n = std::min(kEdgeBlocks, page.blocks.size());
        for (std::size_t i = 0; i < n; ++i) {
            page.top.push_back(blockKey(pages[p], page.blocks[i]));
            page.bottom.push_back(blockKey(pages[p], page.blocks[page.blocks.size() - 1 - i]));
        }
        countEdge(page.top, topCounts);
        countEdge(page.bottom, bottomCounts);
    }
    // Heads and feet that poppler runs into the first or last block of text: a line counts
    // when it stands there, in a block, on several pages. A title that stands alone as a
    // running head elsewhere stays where it heads a block only once (a part's title page).
    std::vector<Kept> kept(pages.size());
    Counts topLines;
    Counts bottomLines;
    const auto firstPage = static_cast<std::size_t>(
        std::find_if(pages.begin(), pages.end(),
                     [](const std::string& page) { return !page.empty(); }) -
        pages.begin());
    for (std::size_t p = 0; p < pages.size(); ++p) {
        const PageEdges& page = edges[p];
        const std::size_t first = furnitureBlocks(topCounts, page.top, p == firstPage);
        const std::size_t last =
            page.blocks.size() -
            std::min(page.blocks.size() - first, furnitureBlocks(bottomCounts, page.bottom, false));
        if (first >= last) {
            continue;
        }
        Kept& text = kept[p];
        text.begin = page.blocks[first].begin;
        text.end = page.blocks[last - 1].end;
        text.top = firstLine(pages[p], text.begin, text.end);
        text.bottom = lastLine(pages[p], text.begin, text.end);
        if (text.top) {
            ++topLines[text.top->key];
        }
        if (text.bottom) {
            ++bottomLines[text.bottom->key];
        }
    }
    // A bare page number goes wherever page numbers are furniture, in a block or not.
    const std::string number(kNumber);
    topLines[number] += topCounts[number];
    bottomLines[number] += bottomCounts[number];

    for (std::size_t p = 0; p < pages.size(); ++p) {
        Kept& text = kept[p];
        if (text.top && isFurniture(topLines, text.top->key) &&
            (p != firstPage || text.top->key == number)) {
            text.begin = text.top->end;
        }
        if (text.bottom && text.bottom->begin >= text.begin &&
            isFurniture(bottomLines, text.bottom->key)) {
            text.end = text.bottom->begin;
        }
        if (text.begin >= text.end) {
            pages[p].clear();
            continue;
        }
        // Blocks stay apart as they were, so the paragraphs of the page do not change.
        pages[p].resize(text.end);
        pages[p].erase(0, text.begin);
    }
}

} // namespace tavrin::PageFurniture
