#include "tokenize/PauseMultiplier.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace tavrin {
namespace {

TEST(PauseMultiplier, GivesTheFactorForTheWord)
{
    // Closing quotes, brackets and the ellipsis character are ordinary; the Greek question mark
    // is canonically the semicolon; a combining mark after a period makes another character;
    // ideographic and fullwidth marks count as their Latin counterparts; the dotted capital I
    // lowers fully (not to a plain i); digits are not letters, a letter with its accent counts
    // once.
    const std::pair<double, std::vector<std::string>> cases[] = {
        {1.0,
         {"word", "", "said.\"", "(end.)", "and\u2026", "a.\xCC\x81", "本。」", "\"Mr.", "'DEC.",
          "Mr..", "abcdefgh", "1234567890", "abc123def456", "re\xCC\x81sume\xCC\x81ss",
          "said.\u201D"}},
        {2.0,
         {"however,", "note;", "follows:", "\xCF\x84\xCE\xAF\xCD\xBE", "本、", "本，", "本；",
          "本：", "Mrs,", "extraordinary,"}},
        {3.0,
         {"end.", "what?", "wow!", "。", "本！", "本？", "U.S.", "e.g.", "Dr?", "Dr!", "mrs.x.",
          "may.", "ms2.", "do.", "decs.", "\u0130e.", "extraordinary."}},
        {1.0 + 1 * 0.08, {"abcdefghi"}},
        {1.0 + 2 * 0.08, {"достоевски", "everything.\u201D"}},
        {1.0 + 5 * 0.08, {"extraordinary"}},
        {1.0 + 7 * 0.08, {"abcdefghijklmno"}},
        {1.6, {"abcdefghijklmnop", "incomprehensibilities"}}};
    for (const auto& [expected, words] : cases) {
        for (const auto& word : words) {
            EXPECT_DOUBLE_EQ(computeMultiplier(word, false), expected) << word;
        }
    }
    for (const char* word : {"", "Introduction:", "end.", "incomprehensibilities"}) {
        EXPECT_DOUBLE_EQ(computeMultiplier(word, true), 1.5) << word;
    }
    // Every abbreviation, in either case, keeps its period ordinary.
    std::istringstream list("mr mrs ms dr prof sr jr st ave blvd vs etc eg ie approx dept est "
                            "fig govt max min misc no org vol rev gen sgt cpl pvt rep sen gov lt "
                            "col jan feb mar apr jun jul aug sep oct nov dec");
    for (std::string word; list >> word;) {
        EXPECT_DOUBLE_EQ(computeMultiplier(word + ".", false), 1.0) << word;
        word[0] = static_cast<char>(word[0] - 'a' + 'A');
        EXPECT_DOUBLE_EQ(computeMultiplier(word + ".", false), 1.0) << word;
    }
}

} // namespace
} // namespace tavrin
