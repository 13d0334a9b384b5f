#include "tokenize/TokenCodec.h"

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>
#include <simdjson.h>

#include <cmath>
#include <limits>

namespace tavrin::TokenCodec {

namespace {

enum Member : unsigned {
    kText = 1,
    kPause = 2,
    kHeading = 4,
    kChapter = 8,
    kAll = 15,
};

// Integers must be whole; a number written as 3.0 (or 3e0) still counts as the integer 3.
bool readInteger(simdjson::dom::element value, std::int64_t& out)
{
    switch (value.type()) {
    case simdjson::dom::element_type::INT64:
        out = value.get_int64().value_unsafe();
        return true;
    case simdjson::dom::element_type::DOUBLE: {
        const double d = value.get_double().value_unsafe();
        constexpr double kLimit = 9223372036854775808.0; // 2^63
        if (!(d >= -kLimit && d < kLimit) || std::trunc(d) != d) {
            return false;
        }
        out = static_cast<std::int64_t>(d);
        return true;
    }
    default:
        return false; // also unsigned values beyond the signed 64-bit range
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

bool readToken(simdjson::dom::element element, WordToken& token)
{
    simdjson::dom::object object;
    if (element.get_object().get(object)) {
        return false;
    }
    unsigned seen = 0;
    for (const auto field : object) {
        const std::string_view key = field.key;
        const simdjson::dom::element value = field.value;
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

std::optional<std::vector<WordToken>> decodePadded(const simdjson::padded_string& json)
{
    // The DOM parser picks the fastest kernel for this processor at run time, and validates
    // the whole document. Its buffers grow to the largest document seen: one per thread.
    thread_local simdjson::dom::parser parser;
    simdjson::dom::element document;
    if (parser.parse(json).get(document)) {
        return std::nullopt;
    }
    simdjson::dom::array array;
    if (document.get_array().get(array)) {
        return std::nullopt;
    }
    std::vector<WordToken> tokens(array.size());
    std::size_t i = 0;
    for (const simdjson::dom::element element : array) {
        if (!readToken(element, tokens[i++])) {
            return std::nullopt;
        }
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
    const simdjson::padded_string padded(json);
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
