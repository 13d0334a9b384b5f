#include "session/Navigation.h"

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

} // namespace tavrin::Navigation
