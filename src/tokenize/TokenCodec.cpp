#include "tokenize/TokenCodec.h"

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>
#include <simdjson.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <utility>

namespace tavrin::TokenCodec {

namespace {

enum Member : unsigned
{
    kText = 1,
    kPause = 2,
    kHeading = 4,
    kChapter = 8,
    kAll = 15,
};

// Integers must be whole; a number written as 3.0 (or 3e0) still counts as the integer 3.
bool readInteger(simdjson::ondemand::value value, std::int64_t& out)
{
    simdjson::ondemand::number number;
    if (value.get_number().get(number)) {
        return false;
    }
    switch (number.get_number_type()) {
    case simdjson::ondemand::number_type::signed_integer:
        out = number.get_int64();
        return true;
    case simdjson::ondemand::number_type::floating_point_number: {
        const double d = number.get_double();
        constexpr double kLimit = 9223372036854775808.0; // 2^63
        if (!(d >= -kLimit && d < kLimit) || std::trunc(d) != d) {
            return false;
        }
        out = static_cast<std::int64_t>(d);
        return true;
    }
    default:
        return false; // unsigned values beyond the signed 64-bit range
    }
}

// simdjson turns an escaped lone low surrogate into the bytes of a surrogate code point,
// which is not UTF-8; such text is rejected like any other malformed string.
bool holdsSurrogate(std::string_view s)
{
    for (std::size_t i = s.find('\xED'); i != std::string_view::npos; i = s.find('\xED', i + 1)) {
        if (i + 1 < s.size() && static_cast<unsigned char>(s[i + 1]) >= 0xA0) {
            return true;
        }
    }
    return false;
}

bool readToken(simdjson::ondemand::value element, WordToken& token)
{
    simdjson::ondemand::object object;
    if (element.get_object().get(object)) {
        return false;
    }
    unsigned seen = 0;
    for (auto member : object) {
        simdjson::ondemand::field field;
        std::string_view key;
        if (std::move(member).get(field) || field.unescaped_key().get(key)) {
            return false;
        }
        simdjson::ondemand::value value = field.value();
        if (key == "text") {
            std::string_view text;
            if (value.get_string().get(text) || holdsSurrogate(text)) {
                return false;
            }
            token.text.assign(text);
            seen |= kText;
        } else if (key == "pauseMultiplier") {
            // get_double also reads integers, as it should here.
            if (value.get_double().get(token.pauseMultiplier)) {
                return false;
            }
            seen |= kPause;
        } else if (key == "isHeading") {
            if (value.get_bool().get(token.isHeading)) {
                return false;
            }
            seen |= kHeading;
        } else if (key == "chapterIndex") {
            if (!readInteger(value, token.chapterIndex)) {
                return false;
            }
            seen |= kChapter;
        }
    }
    return seen == kAll;
}

/// Where a long cache is cut into pieces parsed one after another, so that the parser's
/// index of the text never covers more than about kWindow bytes (for the whole of a long
/// book's cache it took as much memory as the book's token list).
struct Windows
{
    /// The array's elements lie between its brackets; each cut is a comma between two of
    /// them (outside strings, at the array's own depth).
    std::size_t open = 0;
    std::size_t close = 0;
    std::vector<std::size_t> cuts;
    std::size_t commas = 0;
};

constexpr std::size_t kWindow = 1 << 20;

/// The bytes the scan below looks at; the rest it passes over.
constexpr auto kMarks = [] {
    std::array<bool, 256> marks{};
    for (const char c : std::string_view("\"\\[]{},")) {
        marks[static_cast<unsigned char>(c)] = true;
    }
    return marks;
}();
constexpr std::string_view kBlank = " \t\n\r";

/// Finds the array and its cuts; nothing when the text is not a single array, or when its
/// brackets do not match up (the pieces' parses find every other fault).
std::optional<Windows> findWindows(std::string_view json)
{
    Windows windows;
    std::size_t i = json.find_first_not_of(kBlank);
    if (i == std::string_view::npos || json[i] != '[') {
        return std::nullopt;
    }
    windows.open = i;
    std::size_t lastCut = i;
    int depth = 0;
    bool inString = false;
    for (; i < json.size(); ++i) {
        const char c = json[i];
        if (!kMarks[static_cast<unsigned char>(c)]) {
            continue; // most of the text: letters, digits and the like
        }
        if (inString) {
            if (c == '\\') {
                ++i; // the escaped character, whatever it is
            } else if (c == '"') {
                inString = false;
            }
            continue;
        }
        if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            ++depth;
        } else if (c == ']' || c == '}') {
            if (--depth == 0) {
                break;
            }
        } else if (c == ',' && depth == 1) {
            ++windows.commas;
            if (i - lastCut >= kWindow) {
                windows.cuts.push_back(i);
                lastCut = i;
            }
        }
    }
    if (i >= json.size() || json[i] != ']' ||
        json.find_first_not_of(kBlank, i + 1) != std::string_view::npos) {
        return std::nullopt;
    }
    windows.close = i;
    return windows;
}

/// Parses json[from, to] strictly as an array and appends its tokens. The text must stay
/// readable for simdjson's padding past `to`.
bool readWindow(simdjson::ondemand::parser& parser, const char* text, std::size_t length,
                std::vector<WordToken>& tokens)
{
    simdjson::ondemand::document document;
    simdjson::ondemand::array array;
    if (parser.iterate(text, length, length + simdjson::SIMDJSON_PADDING).get(document) ||
        document.get_array().get(array)) {
        return false;
    }
    for (auto element : array) {
        simdjson::ondemand::value value;
        if (std::move(element).get(value) || !readToken(value, tokens.emplace_back())) {
            return false;
        }
    }
    // Nothing may follow the array.
    const char* next = nullptr;
    return document.current_location().get(next) == simdjson::OUT_OF_BOUNDS;
}

std::optional<std::vector<WordToken>> decodePadded(simdjson::padded_string& json)
{
    // On-Demand reads the tokens straight from the text, without first building a tree of
    // the document (a long book's tree and copies of its strings took five times the file's
    // size); the parser is local, so its buffers go as soon as the book is read.
    const auto windows = findWindows(std::string_view(json.data(), json.size()));
    if (!windows) {
        return std::nullopt;
    }
    std::vector<WordToken> tokens;
    // Every element takes more than 64 bytes, whatever the commas claim.
    tokens.reserve(std::min(windows->commas + 1, json.size() / 64 + 1));
    simdjson::ondemand::parser parser;
    // Each piece is parsed in place as an array of its own: the comma that ends it is
    // turned into its closing bracket, then into the next piece's opening one.
    char* const text = json.data();
    std::size_t start = windows->open;
    for (const std::size_t cut : windows->cuts) {
        text[cut] = ']';
        if (!readWindow(parser, text + start, cut + 1 - start, tokens)) {
            return std::nullopt;
        }
        text[cut] = '[';
        start = cut;
    }
    if (!readWindow(parser, text + start, windows->close + 1 - start, tokens)) {
        return std::nullopt;
    }
    return tokens;
}

} // namespace

std::string encode(const std::vector<WordToken>& tokens)
{
    rapidjson::StringBuffer buffer;
    buffer.Reserve(tokens.size() * 72 + 2);
    rapidjson::Writer<rapidjson::StringBuffer> writer(buffer);
    writer.StartArray();
    for (const WordToken& token : tokens) {
        writer.StartObject();
        writer.Key("text", 4);
        writer.String(token.text.data(), static_cast<rapidjson::SizeType>(token.text.size()));
        writer.Key("pauseMultiplier", 15);
        writer.Double(token.pauseMultiplier);
        writer.Key("isHeading", 9);
        writer.Bool(token.isHeading);
        writer.Key("chapterIndex", 12);
        writer.Int64(token.chapterIndex);
        writer.EndObject();
    }
    writer.EndArray();
    return std::string(buffer.GetString(), buffer.GetSize());
}

std::optional<std::vector<WordToken>> decode(std::string_view json)
{
    simdjson::padded_string padded(json);
    return decodePadded(padded);
}

std::optional<std::vector<WordToken>> decodeFile(const std::string& path)
{
    simdjson::padded_string padded;
    if (simdjson::padded_string::load(path).get(padded)) {
        return std::nullopt;
    }
    return decodePadded(padded);
}

} // namespace tavrin::TokenCodec
