#include "library/BookCodec.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace tavrin {
namespace {

using Changes = std::vector<std::pair<std::string, std::string>>;
constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
constexpr auto kMin = std::numeric_limits<std::int64_t>::min();
constexpr QUuid kId(0x6F9619FF, 0x8B86, 0xD011, 0xB4, 0x2D, 0x00, 0xC0, 0x4F, 0xC9, 0x64, 0xFF);

// A valid stored record as an array of one, with the given members substituted, added or (value
// "") removed; the first mention of a member wins.
std::string stored(Changes changes = {})
{
    changes.insert(changes.end(), {{"id", R"("6F9619FF-8B86-D011-B42D-00C04FC964FF")"},
                                   {"title", R"("Moby Dick")"},
                                   {"author", R"("Herman Melville")"},
                                   {"year", R"("1851")"},
                                   {"cachedTokenPath", R"("/data/A.json")"},
                                   {"coverImagePath", R"("/data/B.jpg")"},
                                   {"currentWordIndex", "12"},
                                   {"totalWords", "400"}});
    std::string json;
    for (std::size_t i = 0; i < changes.size(); ++i) {
        const auto& [key, value] = changes[i];
        const bool first = std::none_of(changes.begin(), changes.begin() + static_cast<long>(i),
                                        [&](const auto& m) { return m.first == key; });
        if (first && !value.empty()) {
            json += (json.empty() ? "[{\"" : ",\"") + key + "\":" + value;
        }
    }
    return json + "}]";
}

TEST(BookCodecTest, WritesCompactValidMembersInOrderWithUpperCaseIdAndRoundTrips)
{
    Book book{kId, "Say \"hi\" \\ \xF0\x9F\x98\x80", "", "1851", "/d/A.json", {}, -3, 400, {}, {}};
    EXPECT_EQ(BookCodec::encode({book}),
              R"([{"id":"6F9619FF-8B86-D011-B42D-00C04FC964FF","title":"Say \"hi\" \\ )"
              "\xF0\x9F\x98\x80"
              R"(","author":"","year":"1851","cachedTokenPath":"/d/A.json",)"
              R"("currentWordIndex":-3,"totalWords":400}])");
    book.coverImagePath = "/d/B.jpg";
    book.sourcePath = "/s.txt";
    book.sourceSize = 9;
    EXPECT_NE(BookCodec::encode({book})->find(R"(/d/A.json","coverImagePath":"/d/B.jpg","currentW)"
                                              R"(ordIndex":-3,"totalWords":400,"sourcePath":"/s.)"
                                              R"(txt","sourceSize":9})"),
              std::string::npos);
    EXPECT_EQ(BookCodec::encode({}), "[]");
    const std::vector<Book> books{
        book,
        {QUuid::createUuid(), std::string("nul\0inside", 10), "A", "", "/p/1.json", "/p/1.jpg",
         kMax, 0, "/home/a b.txt", 1234},
        {QUuid::createUuid(), "\t\n\x01 controls", "", "2001", "/p/2.json", std::nullopt, kMin, 7,
         std::nullopt, std::nullopt},
    };
    EXPECT_EQ(BookCodec::decode(BookCodec::encode(books).value()), books);
    book.title = "bad \xC3\x28 byte";
    EXPECT_FALSE(BookCodec::encode({book})) << "invalid UTF-8 is never written";
}

TEST(BookCodecTest, AcceptsWholeNumbersInAnyFormOptionalsAbsentOrNullAndUnknownMembers)
{
    const Changes absent{{"author", ""}, {"year", ""}, {"coverImagePath", ""}};
    const Changes null{{"author", "null"}, {"year", "null"}, {"coverImagePath", "null"}};
    // (json, index read, whether author, year and cover read as given rather than empty)
    const std::tuple<std::string, std::int64_t, bool> cases[] = {
        {stored(absent), 12, false},
        {stored(null), 12, false},
        {stored({{"currentWordIndex", "3.0"}}), 3, true},
        {stored({{"currentWordIndex", "1e2"}}), 100, true},
        {stored({{"currentWordIndex", "-5"}}), -5, true},
        {stored({{"currentWordIndex", "9223372036854775807"}}), kMax, true},
        {stored({{"currentWordIndex", "-9223372036854775808"}}), kMin, true},
        {stored({{"id", R"("6f9619ff-8b86-d011-b42d-00c04fc964ff")"}}), 12, true},
        {stored({{"rating", R"({"deep":[1,2,{"x":null}]})"},
                 {"sourcePath", "7"},
                 {"sourceSize", "\"7\""}}),
         12, true},
    };
    for (const auto& [json, index, optionals] : cases) {
        SCOPED_TRACE(json);
        const auto books = BookCodec::decode(json);
        ASSERT_TRUE(books && books->size() == 1u);
        EXPECT_EQ(books->front().currentWordIndex, index);
        EXPECT_EQ(books->front().id, kId);
        EXPECT_EQ(books->front().author, optionals ? "Herman Melville" : "");
        EXPECT_EQ(books->front().year, optionals ? "1851" : "");
        EXPECT_EQ(books->front().coverImagePath.has_value(), optionals);
    }
}

TEST(BookCodecTest, RejectsTheWholeArrayOnAnyBadRecord)
{
    const std::string good = stored();
    const std::string record = good.substr(1, good.size() - 2);
    const std::string rejected[] = {
        "[" + record + "," + stored({{"totalWords", ""}}).substr(1),
        stored({{"id", ""}}),
        stored({{"cachedTokenPath", ""}}),
        stored({{"title", "null"}}),
        stored({{"title", "42"}}),
        stored({{"year", "true"}}),
        stored({{"coverImagePath", "1"}}),
        stored({{"currentWordIndex", R"("12")"}}),
        stored({{"currentWordIndex", "3.5"}}),
        stored({{"currentWordIndex", "9223372036854775808"}}),
        stored({{"currentWordIndex", "1e300"}}),
        stored({{"id", R"("not-a-uuid")"}}),
        stored({{"id", R"("{6F9619FF-8B86-D011-B42D-00C04FC964FF}")"}}),
        stored({{"id", R"("6F9619FF-8B86-D011-B42D-00C04FC964FG")"}}),
        stored({{"title", "\"\xC3\x28\""}}),
        stored({{"x", std::string(5000, '[') + std::string(5000, ']')}}),
        "[" + record + ",[]]",
        record,
        "null",
        "",
        good.substr(0, good.size() / 2),
        good + "x",
        std::string(100000, '[') + std::string(100000, ']')};
    for (const auto& json : rejected) {
        EXPECT_FALSE(BookCodec::decode(json)) << json.substr(0, 200);
    }
}

} // namespace
} // namespace tavrin
