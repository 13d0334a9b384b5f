#include "library/BookContents.h"

#include "tokenize/PauseMultiplier.h"

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>
#include <simdjson.h>

namespace tavrin::BookContents {

namespace {

constexpr std::int64_t kVersion = 1;
/// Where a chapter's name is looked for: a heading further in names a section, not it.
constexpr std::size_t kChapterTitleReach = 64;
/// Long enough for any real title; a "heading" past it is a line of text.
constexpr std::size_t kLongestTitle = 160;
/// A text whose short lines all look like headings should not make a contents of thousands.
constexpr std::size_t kMostEntries = 2000;

using Writer = rapidjson::Writer<rapidjson::StringBuffer, rapidjson::UTF8<>, rapidjson::UTF8<>,
                                 rapidjson::CrtAllocator, rapidjson::kWriteValidateEncodingFlag>;

/// The heading that starts at index: its words up to the end of its paragraph.
std::string headingAt(const std::vector<WordToken>& tokens, std::size_t index)
{
    std::string title;
    for (std::size_t i = index; i < tokens.size() && tokens[i].isHeading; ++i) {
        if (!title.empty()) {
            title += ' ';
        }
        title += tokens[i].text;
        if (title.size() > kLongestTitle || tokens[i].pauseMultiplier >= Pause::kHeadingEnd) {
            break;
        }
    }
    return title;
}

bool startsHeading(const std::vector<WordToken>& tokens, std::size_t i)
{
    return tokens[i].isHeading && (i == 0 || !tokens[i - 1].isHeading ||
                                   tokens[i - 1].pauseMultiplier >= Pause::kHeadingEnd);
}

} // namespace

std::string pathFor(std::string_view tokenCachePath)
{
    std::string path(tokenCachePath);
    constexpr std::string_view kJson = ".json";
    if (path.ends_with(kJson)) {
        path.resize(path.size() - kJson.size());
    }
    return path + ".contents.json";
}

std::string encode(const std::vector<ContentsEntry>& entries)
{
    rapidjson::StringBuffer buffer;
    Writer writer(buffer);
    writer.StartObject();
    writer.Key("version");
    writer.Int64(kVersion);
    writer.Key("entries");
    writer.StartArray();
    for (const auto& entry : entries) {
        writer.StartObject();
        writer.Key("title");
        // Text that is not UTF-8 stops the writer; the file is then not written at all.
        if (!writer.String(entry.title.data(),
                           static_cast<rapidjson::SizeType>(entry.title.size()))) {
            return {};
        }
        writer.Key("index");
        writer.Int64(entry.tokenIndex);
        writer.Key("depth");
        writer.Int(entry.depth);
        writer.EndObject();
    }
    writer.EndArray();
    writer.EndObject();
    return {buffer.GetString(), buffer.GetSize()};
}

std::optional<std::vector<ContentsEntry>> decode(std::string_view json, std::int64_t tokenCount)
{
    simdjson::dom::parser parser;
    simdjson::dom::element root;
    if (parser.parse(json.data(), json.size()).get(root) != simdjson::SUCCESS) {
        return std::nullopt;
    }
    std::int64_t version = 0;
    simdjson::dom::array array;
    if (root["version"].get(version) != simdjson::SUCCESS || version != kVersion ||
        root["entries"].get(array) != simdjson::SUCCESS) {
        return std::nullopt;
    }
    std::vector<ContentsEntry> entries;
    for (const auto element : array) {
        std::string_view title;
        std::int64_t index = 0;
        std::int64_t depth = 0;
        if (element["title"].get(title) != simdjson::SUCCESS ||
            element["index"].get(index) != simdjson::SUCCESS ||
            element["depth"].get(depth) != simdjson::SUCCESS) {
            return std::nullopt;
        }
        if (index >= 0 && index < tokenCount && depth >= 0 && depth < 16) {
            entries.push_back({std::string(title), index, static_cast<int>(depth)});
        }
    }
    return entries;
}

std::vector<ContentsEntry> fromHeadings(const std::vector<WordToken>& tokens)
{
    std::vector<ContentsEntry> entries;
    if (tokens.empty()) {
        return entries;
    }
    const bool oneChapter = tokens.front().chapterIndex == tokens.back().chapterIndex;
    if (oneChapter) {
        for (std::size_t i = 0; i < tokens.size() && entries.size() < kMostEntries; ++i) {
            if (startsHeading(tokens, i)) {
                entries.push_back({headingAt(tokens, i), static_cast<std::int64_t>(i), 0});
            }
        }
        return entries;
    }
    for (std::size_t start = 0; start < tokens.size();) {
        const auto chapter = tokens[start].chapterIndex;
        std::size_t end = start;
        while (end < tokens.size() && tokens[end].chapterIndex == chapter) {
            ++end;
        }
        std::string title;
        for (std::size_t i = start; i < end && i < start + kChapterTitleReach; ++i) {
            if (startsHeading(tokens, i)) {
                title = headingAt(tokens, i);
                break;
            }
        }
        if (title.empty()) {
            title = "Chapter " + std::to_string(chapter + 1);
        }
        entries.push_back({std::move(title), static_cast<std::int64_t>(start), 0});
        start = end;
    }
    return entries;
}

int currentEntry(const std::vector<ContentsEntry>& entries, std::int64_t index)
{
    // Entries normally run in reading order; one that points back (a navigation document
    // listing a chapter twice) must not hide the entry the reader is in.
    int current = -1;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].tokenIndex <= index &&
            (current < 0 ||
             entries[i].tokenIndex >= entries[static_cast<std::size_t>(current)].tokenIndex)) {
            current = static_cast<int>(i);
        }
    }
    return current;
}

double fractionRead(const std::vector<ContentsEntry>& entries, std::size_t i,
                    std::int64_t tokenCount, std::int64_t index)
{
    const std::int64_t start = entries[i].tokenIndex;
    std::int64_t end = tokenCount;
    for (std::size_t j = i + 1; j < entries.size(); ++j) {
        if (entries[j].tokenIndex > start) {
            end = entries[j].tokenIndex;
            break;
        }
    }
    if (index < start) {
        return 0.0;
    }
    if (index >= end) {
        return 1.0;
    }
    return static_cast<double>(index - start) / static_cast<double>(end - start);
}

} // namespace tavrin::BookContents
