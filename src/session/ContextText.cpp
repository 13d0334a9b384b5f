#include "session/ContextText.h"

#include "session/Navigation.h"
#include "tokenize/PauseMultiplier.h"

#include <algorithm>

namespace tavrin {

namespace {

/// How far the text reaches beyond the current sentence.
constexpr std::int64_t kWordsAround = 40;
/// A "sentence" with no end in sight (a text without punctuation) is cut here.
constexpr std::int64_t kLongestSentenceReach = 80;

} // namespace

ContextText ContextText::around(const std::vector<WordToken>& tokens, std::int64_t index)
{
    ContextText context;
    const auto count = static_cast<std::int64_t>(tokens.size());
    if (index < 0 || index >= count) {
        return context;
    }
    const auto at = [&tokens](std::int64_t i) -> const WordToken& {
        return tokens[static_cast<std::size_t>(i)];
    };
    const std::int64_t sentenceStart =
        Navigation::sentenceStart(tokens, index, kLongestSentenceReach);
    std::int64_t sentenceEnd = index;
    while (sentenceEnd + 1 < count && sentenceEnd - index < kLongestSentenceReach &&
           !Navigation::endsSentence(at(sentenceEnd))) {
        ++sentenceEnd;
    }
    const std::int64_t first = std::max<std::int64_t>(0, sentenceStart - kWordsAround);
    const std::int64_t last = std::min(count - 1, sentenceEnd + kWordsAround);

    for (std::int64_t i = first; i <= last; ++i) {
        if (i > first) {
            context.text += at(i - 1).pauseMultiplier >= Pause::kBlockEnd ? "\u2028" : " ";
        }
        if (i == index) {
            context.current = context.words.size();
        }
        context.words.push_back({context.text.size(), at(i).text.size(), i});
        context.text += at(i).text;
    }
    return context;
}

} // namespace tavrin
