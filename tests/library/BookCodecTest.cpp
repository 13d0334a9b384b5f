#include "library/BookCodec.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace tavrin {
namespace {

const QUuid kId = QUuid::fromString(QStringLiteral("6F9619FF-8B86-D011-B42D-00C04FC964FF"));

// A valid stored record with the given members substituted or (value "") removed.
std::string record(std::initializer_list<std::pair<std::string, std::string>> changes = {})
{
    std::vector<std::pair<std::string, std::string>> members{
        {"id", R"("6F9619FF-8B86-D011-B42D-00C04FC964FF")"},
        {"title", R"("Moby Dick")"},
        {"author", R"("Herman Melville")"},
        {"year", R"("1851")"},
        {"cachedTokenPath", R"("/data/A.json")"},
        {"coverImagePath", R"("/data/B.jpg")"},
        {"currentWordIndex", "12"},
        {"totalWords", "400"},
    };
    for (const auto& [key, value] : changes) {
        auto it = std::find_if(members.begin(), members.end(),
                               [&](const auto& m) { return m.first == key; });
        if (it == members.end()) {
            members.emplace_back(key, value);
        } else {
            it->second = value;
        }
    }
    std::string json = "{";
    for (const auto& [key, value] : members) {
        if (value.empty()) {
            continue;
        }
        json += (json.size() > 1 ? "," : "") + ("\"" + key + "\":") + value;
    }
    return json + "}";
}

TEST(BookCodecTest, WritesCompactValidMembersInOrderWithUpperCaseId)
{
    Book book{QUuid::fromString(QStringLiteral("6f9619ff-8b86-d011-b42d-00c04fc964ff")),
              "Say \"hi\" \\ \xF0\x9F\x98\x80",
              "",
              "1851",
              "/d/A.json",
              std::nullopt,
              -3,
              400,
              std::nullopt,
              std::nullopt};
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
    book.title = "bad \xC3\x28 byte";
    EXPECT_FALSE(BookCodec::encode({book})) << "invalid UTF-8 is never written";
}

TEST(BookCodecTest, RoundTripsEveryField)
{
    const std::vector<Book> books{
        {QUuid::createUuid(), std::string("nul\0inside", 10), "A", "", "/p/1.json", "/p/1.jpg",
         std::numeric_limits<std::int64_t>::max(), 0, "/home/a b.txt", 1234},
        {QUuid::createUuid(), "\t\n\x01 controls", "", "2001", "/p/2.json", std::nullopt,
         std::numeric_limits<std::int64_t>::min(), 7, std::nullopt, std::nullopt},
    };
    EXPECT_EQ(BookCodec::decode(BookCodec::encode(books).value()), books);
}

struct Accepted
{
    const char* name;
    std::string json;
    std::int64_t currentWordIndex;
    bool optionals = true; // author, year and cover read as given rather than empty
};

TEST(BookCodecTest, AcceptsWholeNumbersInAnyFormOptionalsAbsentOrNullAndUnknownMembers)
{
    const Accepted cases[] = {
        {"optionals absent", record({{"author", ""}, {"year", ""}, {"coverImagePath", ""}}), 12,
         false},
        {"optionals null",
         record({{"author", "null"}, {"year", "null"}, {"coverImagePath", "null"}}), 12, false},
        {"fraction zero", record({{"currentWordIndex", "3.0"}}), 3},
        {"exponent", record({{"currentWordIndex", "1e2"}}), 100},
        {"negative", record({{"currentWordIndex", "-5"}}), -5},
        {"int64 max", record({{"currentWordIndex", "9223372036854775807"}}),
         std::numeric_limits<std::int64_t>::max()},
        {"int64 min", record({{"currentWordIndex", "-9223372036854775808"}}),
         std::numeric_limits<std::int64_t>::min()},
        {"lower-case id", record({{"id", R"("6f9619ff-8b86-d011-b42d-00c04fc964ff")"}}), 12},
        {"unknown members, mistyped source",
         record({{"rating", R"({"deep":[1,2,{"x":null}]})"},
                 {"sourcePath", "7"},
                 {"sourceSize", "\"7\""}}),
         12},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto books = BookCodec::decode("[" + c.json + "]");
        ASSERT_TRUE(books && books->size() == 1u);
        EXPECT_EQ(books->front().currentWordIndex, c.currentWordIndex);
        EXPECT_EQ(books->front().id, kId);
        EXPECT_EQ(books->front().author, c.optionals ? "Herman Melville" : "");
        EXPECT_EQ(books->front().year, c.optionals ? "1851" : "");
        EXPECT_EQ(books->front().coverImagePath.has_value(), c.optionals);
    }
}

struct Rejected
{
    const char* name;
    std::string json;
};

TEST(BookCodecTest, RejectsTheWholeArrayOnAnyBadRecord)
{
    const std::string good = record();
    const Rejected cases[] = {
        {"second record lacks totalWords", "[" + good + "," + record({{"totalWords", ""}}) + "]"},
        {"no id", "[" + record({{"id", ""}}) + "]"},
        {"no cachedTokenPath", "[" + record({{"cachedTokenPath", ""}}) + "]"},
        {"null title", "[" + record({{"title", "null"}}) + "]"},
        {"numeric title", "[" + record({{"title", "42"}}) + "]"},
        {"boolean year", "[" + record({{"year", "true"}}) + "]"},
        {"numeric cover", "[" + record({{"coverImagePath", "1"}}) + "]"},
        {"string index", "[" + record({{"currentWordIndex", R"("12")"}}) + "]"},
        {"fractional index", "[" + record({{"currentWordIndex", "3.5"}}) + "]"},
        {"index above int64", "[" + record({{"currentWordIndex", "9223372036854775808"}}) + "]"},
        {"index far above int64", "[" + record({{"currentWordIndex", "1e300"}}) + "]"},
        {"id not a uuid", "[" + record({{"id", R"("not-a-uuid")"}}) + "]"},
        {"id in braces",
         "[" + record({{"id", R"("{6F9619FF-8B86-D011-B42D-00C04FC964FF}")"}}) + "]"},
        {"id with a non-hex digit",
         "[" + record({{"id", R"("6F9619FF-8B86-D011-B42D-00C04FC964FG")"}}) + "]"},
        {"record not an object", "[" + good + ",[]]"},
        {"top level object", good},
        {"top level null", "null"},
        {"empty input", ""},
        {"truncated", ("[" + good).substr(0, good.size() / 2)},
        {"trailing garbage", "[" + good + "]x"},
        {"invalid UTF-8", "[" + record({{"title", "\"\xC3\x28\""}}) + "]"},
        {"deeply nested", std::string(100000, '[') + std::string(100000, ']')},
        {"deeply nested unknown member",
         "[" + record({{"x", std::string(5000, '[') + std::string(5000, ']')}}) + "]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(BookCodec::decode(c.json));
    }
}

} // namespace
} // namespace tavrin
