#include "import/PageJoin.h"

#include "tokenize/TextParser.h"
#include "tokenize/UnicodeText.h"

#include <algorithm>
#include <string_view>

namespace tavrin::PageJoin {

namespace {

// A last line shorter than this share of the page's lines stops before the column ends.
constexpr double kShortLine = 0.7;

constexpr std::string_view kSentenceEnds[] = {".", "?", "!", "\u3002", "\uff01", "\uff1f"};
constexpr std::string_view kClosers[] = {"\"", "'", ")", "]", "\u201d", "\u2019", "\u00bb"};
constexpr std::string_view kHyphens[] = {"-", "\u2010", "\u00ad"};

bool endsWith(std::string_view s, std::string_view end)
{
    return s.size() >= end.size() && s.substr(s.size() - end.size()) == end;
}

std::size_t codePoints(std::string_view s)
{
    return static_cast<std::size_t>(std::count_if(
        s.begin(), s.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::vector<std::string_view> lines(std::string_view text)
{
    std::vector<std::string_view> out;
    std::size_t from = 0;
    while (from <= text.size()) {
        std::size_t end = text.find('\n', from);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        out.push_back(UnicodeText::trimWhitespace(text.substr(from, end - from)));
        from = end + 1;
    }
    return out;
}

bool endsSentence(std::string_view line)
{
    bool stripped = true;
    while (stripped) {
        stripped = false;
        for (const std::string_view closer : kClosers) {
            if (endsWith(line, closer)) {
                line.remove_suffix(closer.size());
                stripped = true;
            }
        }
    }
    return std::any_of(std::begin(kSentenceEnds), std::end(kSentenceEnds),
                       [&](std::string_view end) { return endsWith(line, end); });
}

// Whether the last line stops clearly short of the text column, taken as the page's median
// line: a widest line would be misled by lines that poppler runs together.
bool endsShort(const std::vector<std::string_view>& pageLines)
{
    std::vector<std::size_t> widths;
    for (const std::string_view line : pageLines) {
        if (!line.empty()) {
            widths.push_back(codePoints(line));
        }
    }
    const auto middle = widths.begin() + static_cast<std::ptrdiff_t>(widths.size() / 2);
    std::nth_element(widths.begin(), middle, widths.end());
    return static_cast<double>(codePoints(pageLines.back())) <
           kShortLine * static_cast<double>(*middle);
}

// The tokenizer's heading rule, without the ideographic marks it also weighs in text
// without spaces.
bool startsWithHeading(std::string_view page)
{
    const std::string_view first = page.substr(0, page.find("\n\n"));
    std::vector<std::string_view> words;
    splitWords(first, words);
    return words.size() <= TextParser::kMaxHeadingWords &&
           !TextParser::containsPeriodOrComma(first);
}

// The length of the hyphen that ends a word split across the break, or 0.
std::size_t splitHyphen(std::string_view before, std::string_view after)
{
    for (const std::string_view hyphen : kHyphens) {
        if (!endsWith(before, hyphen) || before.size() == hyphen.size()) {
            continue;
        }
        std::size_t end = before.size() - hyphen.size();
        const char32_t last = UnicodeText::decodePrevious(before, end);
        std::size_t start = 0;
        const char32_t next = UnicodeText::decodeNext(after, start);
        const bool lowerAscii = next >= U'a' && next <= U'z';
        if (UnicodeText::isAlphabetic(last) &&
            (lowerAscii || (next >= 0x80 && UnicodeText::isAlphabetic(next)))) {
            return hyphen.size();
        }
        return 0;
    }
    return 0;
}

bool endsParagraph(std::string_view page, std::string_view next)
{
    const std::vector<std::string_view> pageLines = lines(page);
    return endsSentence(pageLines.back()) || endsShort(pageLines) || startsWithHeading(next);
}

} // namespace

RunningText join(const std::vector<std::string>& pages)
{
    constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    RunningText out;
    out.pageStarts.assign(pages.size() + 1, kNone);
    std::size_t total = 0;
    for (const std::string& page : pages) {
        total += page.size() + 2;
    }
    out.text.reserve(total);
    std::string_view previous;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        const std::string_view page = UnicodeText::trimWhitespaceAndNewlines(pages[p]);
        if (page.empty()) {
            continue;
        }
        if (previous.empty()) {
            out.pageStarts[p] = out.text.size();
        } else if (const std::size_t hyphen = splitHyphen(previous, page)) {
            out.text.resize(out.text.size() - hyphen);
            const std::size_t wordEnd = std::min(page.find_first_of(" \t\n"), page.size());
            out.pageStarts[p] = out.text.size() + wordEnd;
        } else {
            out.text += endsParagraph(previous, page) ? "\n\n" : "\n";
            out.pageStarts[p] = out.text.size();
        }
        out.text += page;
        previous = page;
    }
    out.pageStarts.back() = out.text.size();
    for (std::size_t p = pages.size(); p-- > 0;) {
        if (out.pageStarts[p] == kNone) {
            out.pageStarts[p] = out.pageStarts[p + 1];
        }
    }
    return out;
}

} // namespace tavrin::PageJoin
