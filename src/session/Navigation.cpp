#include "session/Navigation.h"

#include "tokenize/PauseMultiplier.h"

#include <algorithm>
#include <cmath>

namespace tavrin::Navigation {

std::optional<std::int64_t> chapterStep(const std::vector<WordToken>& tokens, std::int64_t current,
                                        bool forward)
{
    if (tokens.empty()) {
        return std::nullopt;
    }
    const auto count = static_cast<std::int64_t>(tokens.size());
    const auto chapterAt = [&tokens](std::int64_t i) {
        return tokens[static_cast<std::size_t>(i)].chapterIndex;
    };
    const auto firstIndexWhere = [&](auto predicate) -> std::optional<std::int64_t> {
        for (std::int64_t i = 0; i < count; ++i) {
            if (predicate(chapterAt(i))) {
                return i;
            }
        }
        return std::nullopt;
    };

    const std::int64_t c = chapterAt(current);
    if (forward) {
        return firstIndexWhere([c](std::int64_t chapter) { return chapter > c; });
    }
    const auto start =
        firstIndexWhere([c](std::int64_t chapter) { return chapter == c; }).value_or(0);
    if (start < current) {
        return start;
    }
    if (c - 1 >= 0) {
        if (const auto previous =
                firstIndexWhere([c](std::int64_t chapter) { return chapter == c - 1; })) {
            return previous;
        }
    }
    return current;
}

std::int64_t skip(std::int64_t count, std::int64_t current, bool forward)
{
    const std::int64_t target = current + (forward ? kSkipWords : -kSkipWords);
    return std::max<std::int64_t>(0, std::min(count - 1, target));
}

std::int64_t seek(std::int64_t count, double fraction)
{
    const double clamped = std::isnan(fraction) ? 0.0 : std::clamp(fraction, 0.0, 1.0);
    return static_cast<std::int64_t>(clamped * static_cast<double>(count - 1));
}

bool endsSentence(const WordToken& token)
{
    return token.pauseMultiplier >= Pause::kSentenceEnd;
}

std::int64_t sentenceStart(const std::vector<WordToken>& tokens, std::int64_t index,
                           std::int64_t reach)
{
    std::int64_t start = index;
    while (start > 0 && index - start < reach &&
           !endsSentence(tokens[static_cast<std::size_t>(start - 1)])) {
        --start;
    }
    return start;
}

std::optional<std::int64_t> sentenceStep(const std::vector<WordToken>& tokens, std::int64_t current,
                                         bool forward)
{
    const auto count = static_cast<std::int64_t>(tokens.size());
    if (current < 0 || current >= count) {
        return std::nullopt;
    }
    if (forward) {
        for (std::int64_t i = current; i + 1 < count; ++i) {
            if (endsSentence(tokens[static_cast<std::size_t>(i)])) {
                return i + 1;
            }
        }
        return std::nullopt;
    }
    const std::int64_t start = sentenceStart(tokens, current);
    if (start < current || start == 0) {
        return start;
    }
    return sentenceStart(tokens, start - 1);
}

std::optional<std::int64_t> wordStep(std::int64_t count, std::int64_t current, bool forward)
{
    const std::int64_t target = current + (forward ? 1 : -1);
    if (target < 0 || target >= count) {
        return std::nullopt;
    }
    return target;
}

} // namespace tavrin::Navigation
