#include "tokenize/TokenCodec.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace tavrin {
namespace {

TEST(TokenCodec, WritesTheFourMembersInOrderAndReadsThemBack)
{
    const std::string json = TokenCodec::encode({{"Hi", 1.0, true, 3}, {"x.", 3.5, false, 0}});
    EXPECT_EQ(json, R"([{"text":"Hi","pauseMultiplier":1.0,"isHeading":true,"chapterIndex":3},)"
                    R"({"text":"x.","pauseMultiplier":3.5,"isHeading":false,"chapterIndex":0}])");
    EXPECT_EQ(TokenCodec::encode({}), "[]");
    using namespace std::string_literals;
    std::vector<WordToken> tokens{
        {R"(say "hi" \ back\slash)", 1.0, false, 0},
        {"Καλημέρα", 1.08, false, 1},
        {"👍🏽\u200D", 1.0 + 7 * 0.08, true, 2},
        {"nul\0and\x01\x1F control"s, 0.1 + 0.2, false, -4},
        {"\u2028\u2029/", 5.0, true, INT64_MAX},
    };
    EXPECT_EQ(TokenCodec::decode(TokenCodec::encode(tokens)), tokens); // factors bit-exact
    // Whole numbers in any notation, members in any order, unknown ones skipped.
    const auto read = TokenCodec::decode(
        R"( [ {"chapterIndex":2.0,"isHeading":false,"extra":{"a":[1,2]},"pauseMultiplier":3,)"
        R"("text":"a\u00e9\ud83d\ude00"}, {"text":"b","pauseMultiplier":1.5,"isHeading":true,)"
        R"("chapterIndex":1e1} ] )");
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, (std::vector<WordToken>{{"aé😀", 3.0, false, 2}, {"b", 1.5, true, 10}}));
}

const std::string kGood = R"({"text":"a","pauseMultiplier":1,"isHeading":false,"chapterIndex":0})";

TEST(TokenCodec, RejectsTheWholeArrayForOneBadToken)
{
    // Each bad element is the kGood one with one piece replaced.
    const std::pair<std::string, std::string> bad[] = {{R"("text":"a",)", ""},
                                                       {R"("pauseMultiplier":1,)", ""},
                                                       {R"("isHeading":false,)", ""},
                                                       {R"(,"chapterIndex":0)", ""},
                                                       {R"("a")", "null"},
                                                       {":1,", ":null,"},
                                                       {":1,", R"(:"1",)"},
                                                       {"false", "0"},
                                                       {R"("a")", "1"},
                                                       {":0}", ":1.5}"},
                                                       {":0}", R"(:"0"})"},
                                                       {":0}", ":1e300}"},
                                                       {":0}", ":9223372036854775808}"},
                                                       {":0}", ":9.2233720368547758e18}"},
                                                       {R"("a")", R"("\ud800")"},
                                                       {R"("a")", R"("\udc00")"},
                                                       {R"("a")", R"("\ud800x")"},
                                                       {kGood, "[]"},
                                                       {kGood, R"("a")"},
                                                       {kGood, "null"}};
    ASSERT_TRUE(TokenCodec::decode("[" + kGood + "]"));
    for (const auto& [from, to] : bad) {
        const std::string element = std::string(kGood).replace(kGood.find(from), from.size(), to);
        EXPECT_FALSE(TokenCodec::decode("[" + kGood + "," + element + "]")) << element;
    }
}

TEST(TokenCodec, ALongCacheIsReadAsStrictlyAsAShortOne)
{
    // Many times what is parsed at once, with texts that look like element boundaries.
    std::vector<WordToken> tokens(40'000, WordToken{"a\"},{\"[,", 1.5, false, 3});
    tokens.back().text = "end";
    std::string encoded = TokenCodec::encode(tokens);
    const auto back = TokenCodec::decode(encoded);
    ASSERT_TRUE(back);
    ASSERT_EQ(back->size(), tokens.size());
    EXPECT_EQ((*back)[20'000].text, tokens[0].text);
    EXPECT_EQ(back->back().text, "end");
    // A fault far from the start still rejects the whole array.
    EXPECT_FALSE(TokenCodec::decode(encoded.replace(encoded.rfind("},{"), 3, "},,{")));
}

TEST(TokenCodec, RejectsMalformedDocuments)
{
    const std::string encoded = "[" + kGood + "," + kGood + "]";
    for (std::size_t cut = 0; cut < encoded.size(); ++cut) {
        EXPECT_FALSE(TokenCodec::decode(encoded.substr(0, cut))) << cut;
    }
    for (const std::string& doc :
         {std::string("{}"), std::string("[" + kGood + "] x"), std::string("[" + kGood + "][]"),
          std::string("\xFF[]"), std::string(100000, '[') + std::string(100000, ']'),
          std::string("[\"\xC3\x28\"]")}) {
        EXPECT_FALSE(TokenCodec::decode(doc)) << doc.substr(0, 20);
    }
    EXPECT_TRUE(TokenCodec::decode("[]"));
    EXPECT_FALSE(TokenCodec::decodeFile("/nonexistent/cache.json"));
}

} // namespace
} // namespace tavrin
