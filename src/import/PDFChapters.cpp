#include "import/PDFChapters.h"

#include "import/EPUBParser.h"
#include "tokenize/TextParser.h"
#include "tokenize/UnicodeText.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace tavrin::PDFChapters {

namespace {

// Enough of a title's words to find its heading, without wandering into a long title's
// line break or a different wording further on.
constexpr std::size_t kTitleWords = 4;
// A title found this close to the top of its page opens the page: its page starts the
// chapter, so a "Chapter 3" label above the title stays with it.
constexpr std::size_t kNearTop = 3;

// A word as compared with a title: ASCII letters and digits in lower case, other
// characters as they are, punctuation left out.
std::string comparable(std::string_view word)
{
    std::string out;
    for (const char c : word) {
        const char lower = UnicodeText::asciiLower(c);
        if ((lower >= '0' && lower <= '9') || (lower >= 'a' && lower <= 'z') ||
            static_cast<unsigned char>(lower) >= 0x80) {
            out += lower;
        }
    }
    return out;
}

std::vector<std::string> titleWords(std::string_view title)
{
    std::vector<std::string_view> words;
    splitWords(title, words);
    std::vector<std::string_view> pieces;
    for (const std::string_view word : words) {
        splitOnDashes(word, pieces);
    }
    std::vector<std::string> out;
    for (const std::string_view piece : pieces) {
        std::string word = comparable(piece);
        if (!word.empty()) {
            out.push_back(std::move(word));
        }
        if (out.size() == kTitleWords) {
            break;
        }
    }
    return out;
}

// Where the title's words stand in tokens [from, to), or to when they do not.
std::size_t findTitle(const std::vector<WordToken>& tokens, std::size_t from, std::size_t to,
                      const std::vector<std::string>& words)
{
    if (words.empty()) {
        return to;
    }
    for (std::size_t i = from; i + words.size() <= to; ++i) {
        std::size_t matched = 0;
        while (matched < words.size() && comparable(tokens[i + matched].text) == words[matched]) {
            ++matched;
        }
        if (matched == words.size()) {
            return i;
        }
    }
    return to;
}

} // namespace

std::vector<ContentsEntry> assign(std::vector<WordToken>& tokens,
                                  const std::vector<std::size_t>& pageStarts,
                                  const std::vector<OutlineEntry>& entries)
{
    std::vector<ContentsEntry> contents;
    for (const OutlineEntry& entry : entries) {
        const auto page = static_cast<std::size_t>(entry.pageIndex);
        if (entry.pageIndex < 0 || page + 1 >= pageStarts.size()) {
            continue;
        }
        std::size_t start = pageStarts[page];
        const std::size_t end = std::min(pageStarts[page + 1], tokens.size());
        // Two entries on one page: the later one is searched for after the earlier.
        const auto previous =
            contents.empty() ? end : static_cast<std::size_t>(contents.back().tokenIndex);
        const std::size_t from = previous >= start && previous < end ? previous + 1 : start;
        const std::size_t found = findTitle(tokens, from, end, titleWords(entry.title));
        if (found < end && (found - start > kNearTop || from > start)) {
            start = found;
        }
        if (start < tokens.size()) {
            contents.push_back(ContentsEntry{EPUBParser::contentsTitle(entry.title),
                                             static_cast<std::int64_t>(start), 0});
        }
    }
    // Entries that start at the same word are one chapter, named by the first of them.
    std::stable_sort(
        contents.begin(), contents.end(),
        [](const ContentsEntry& a, const ContentsEntry& b) { return a.tokenIndex < b.tokenIndex; });
    contents.erase(std::unique(contents.begin(), contents.end(),
                               [](const ContentsEntry& a, const ContentsEntry& b) {
                                   return a.tokenIndex == b.tokenIndex;
                               }),
                   contents.end());
    // The entries now hold each chapter's first word once, in order.
    std::int64_t chapter = 0;
    auto next = contents.begin();
    if (next != contents.end() && next->tokenIndex == 0) {
        ++next;
    }
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (next != contents.end() && static_cast<std::size_t>(next->tokenIndex) == i) {
            ++chapter;
            ++next;
        }
        tokens[i].chapterIndex = chapter;
    }
    return contents;
}

} // namespace tavrin::PDFChapters
