#include "library/BookCodec.h"

#include "common/UuidText.h"

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>
#include <simdjson.h>

#include <cmath>

namespace tavrin::BookCodec {

namespace {

using Writer = rapidjson::Writer<rapidjson::StringBuffer, rapidjson::UTF8<>, rapidjson::UTF8<>,
                                 rapidjson::CrtAllocator, rapidjson::kWriteValidateEncodingFlag>;

bool writeString(Writer& writer, std::string_view text)
{
    return writer.String(text.data(), static_cast<rapidjson::SizeType>(text.size()));
}

bool writeKey(Writer& writer, std::string_view key)
{
    return writer.Key(key.data(), static_cast<rapidjson::SizeType>(key.size()));
}

bool writeBook(Writer& writer, const Book& book)
{
    bool ok = writer.StartObject();
    ok = ok && writeKey(writer, "id") && writeString(writer, UuidText::toText(book.id));
    ok = ok && writeKey(writer, "title") && writeString(writer, book.title);
    ok = ok && writeKey(writer, "author") && writeString(writer, book.author);
    ok = ok && writeKey(writer, "year") && writeString(writer, book.year);
    ok = ok && writeKey(writer, "cachedTokenPath") && writeString(writer, book.cachedTokenPath);
    if (book.coverImagePath) {
        ok = ok && writeKey(writer, "coverImagePath") && writeString(writer, *book.coverImagePath);
    }
    ok = ok && writeKey(writer, "currentWordIndex") && writer.Int64(book.currentWordIndex);
    ok = ok && writeKey(writer, "totalWords") && writer.Int64(book.totalWords);
    if (book.sourcePath) {
        ok = ok && writeKey(writer, "sourcePath") && writeString(writer, *book.sourcePath);
    }
    if (book.sourceSize) {
        ok = ok && writeKey(writer, "sourceSize") && writer.Int64(*book.sourceSize);
    }
    return ok && writer.EndObject();
}

// An integer member: a JSON integer in signed 64-bit range, or a number written with a
// fraction or exponent whose value is a whole number in that range (3.0 is 3; 3.5 is not).
std::optional<std::int64_t> readInteger(simdjson::dom::element value)
{
    switch (value.type()) {
    case simdjson::dom::element_type::INT64:
        return value.get_int64().value_unsafe();
    case simdjson::dom::element_type::DOUBLE: {
        const double d = value.get_double().value_unsafe();
        // 2^63 is exact as a double; every double below it and at least -2^63 fits.
        constexpr double kLimit = 9223372036854775808.0;
        if (!std::isfinite(d) || std::trunc(d) != d || d < -kLimit || d >= kLimit) {
            return std::nullopt;
        }
        return static_cast<std::int64_t>(d);
    }
    default:
        // UINT64 holds only values above the signed range.
        return std::nullopt;
    }
}

enum class Presence
{
    required,
    optional
};

// Looks up a string member. Outer nullopt: the array is rejected; inner nullopt: an optional
// member that is absent or null.
std::optional<std::optional<std::string>> readString(simdjson::dom::object object,
                                                     std::string_view key, Presence presence)
{
    simdjson::dom::element value;
    if (object.at_key(key).get(value) != simdjson::SUCCESS || value.is_null()) {
        if (presence == Presence::required) {
            return std::nullopt;
        }
        return std::optional<std::string>{};
    }
    std::string_view text;
    if (value.get_string().get(text) != simdjson::SUCCESS) {
        return std::nullopt;
    }
    return std::optional<std::string>{std::string(text)};
}

std::optional<std::int64_t> readRequiredInteger(simdjson::dom::object object, std::string_view key)
{
    simdjson::dom::element value;
    if (object.at_key(key).get(value) != simdjson::SUCCESS) {
        return std::nullopt;
    }
    return readInteger(value);
}

// The source members came later than the rest: a value of another type counts as absent,
// so that a record written by another version never costs the whole library.
void readSource(simdjson::dom::object object, Book& book)
{
    std::string_view path;
    if (object.at_key("sourcePath").get_string().get(path) == simdjson::SUCCESS) {
        book.sourcePath = std::string(path);
    }
    simdjson::dom::element size;
    if (object.at_key("sourceSize").get(size) == simdjson::SUCCESS) {
        book.sourceSize = readInteger(size);
    }
}

std::optional<Book> readBook(simdjson::dom::element element)
{
    simdjson::dom::object object;
    if (element.get_object().get(object) != simdjson::SUCCESS) {
        return std::nullopt;
    }
    const auto idText = readString(object, "id", Presence::required);
    const auto title = readString(object, "title", Presence::required);
    const auto author = readString(object, "author", Presence::optional);
    const auto year = readString(object, "year", Presence::optional);
    const auto cachedTokenPath = readString(object, "cachedTokenPath", Presence::required);
    const auto coverImagePath = readString(object, "coverImagePath", Presence::optional);
    const auto currentWordIndex = readRequiredInteger(object, "currentWordIndex");
    const auto totalWords = readRequiredInteger(object, "totalWords");
    if (!idText || !title || !author || !year || !cachedTokenPath || !coverImagePath ||
        !currentWordIndex || !totalWords) {
        return std::nullopt;
    }
    const auto id = UuidText::parse(**idText);
    if (!id) {
        return std::nullopt;
    }
    Book book;
    book.id = *id;
    book.title = std::move(**title);
    book.author = author->value_or(std::string{});
    book.year = year->value_or(std::string{});
    book.cachedTokenPath = std::move(**cachedTokenPath);
    book.coverImagePath = *coverImagePath;
    book.currentWordIndex = *currentWordIndex;
    book.totalWords = *totalWords;
    readSource(object, book);
    return book;
}

} // namespace

std::optional<std::string> encodeBook(const Book& book)
{
    rapidjson::StringBuffer buffer;
    Writer writer(buffer);
    if (!writeBook(writer, book)) {
        return std::nullopt;
    }
    return std::string(buffer.GetString(), buffer.GetSize());
}

std::optional<std::string> encode(const std::vector<Book>& books)
{
    rapidjson::StringBuffer buffer;
    Writer writer(buffer);
    bool ok = writer.StartArray();
    for (const Book& book : books) {
        ok = ok && writeBook(writer, book);
    }
    ok = ok && writer.EndArray(static_cast<rapidjson::SizeType>(books.size()));
    if (!ok) {
        return std::nullopt;
    }
    return std::string(buffer.GetString(), buffer.GetSize());
}

std::optional<std::vector<Book>> decode(std::string_view json)
{
    simdjson::dom::parser parser;
    simdjson::dom::element root;
    if (parser.parse(json.data(), json.size()).get(root) != simdjson::SUCCESS) {
        return std::nullopt;
    }
    simdjson::dom::array array;
    if (root.get_array().get(array) != simdjson::SUCCESS) {
        return std::nullopt;
    }
    std::vector<Book> books;
    books.reserve(array.size());
    for (simdjson::dom::element element : array) {
        auto book = readBook(element);
        if (!book) {
            return std::nullopt;
        }
        books.push_back(std::move(*book));
    }
    return books;
}

} // namespace tavrin::BookCodec
