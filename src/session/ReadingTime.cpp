#include "session/ReadingTime.h"

#include "session/PlaybackTiming.h"

#include <algorithm>
#include <cmath>

namespace tavrin {

void ReadingTime::setTokens(const std::vector<WordToken>& tokens)
{
    m_sums.assign(1, 0.0);
    m_sums.reserve(tokens.size() + 1);
    m_chapters.clear();
    double sum = 0.0;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        sum += PlaybackTiming::effectiveMultiplier(tokens[i].pauseMultiplier);
        m_sums.push_back(sum);
        const auto index = static_cast<std::int64_t>(i);
        if (m_chapters.empty() || m_chapters.back().chapterIndex != tokens[i].chapterIndex) {
            m_chapters.push_back({index, index + 1, tokens[i].chapterIndex});
        } else {
            m_chapters.back().end = index + 1;
        }
    }
}

ReadingTime::Position ReadingTime::at(std::int64_t index, double wpm) const
{
    Position position;
    const auto count = static_cast<std::int64_t>(m_sums.size()) - 1;
    if (count <= 0) {
        return position;
    }
    index = std::clamp<std::int64_t>(index, 0, count - 1);
    const auto chapter =
        std::prev(std::upper_bound(m_chapters.begin(), m_chapters.end(), index,
                                   [](std::int64_t i, const Chapter& c) { return i < c.start; }));
    const double secondsPerUnit = 60.0 / PlaybackTiming::effectiveWpm(wpm);
    const auto sumAt = [this](std::int64_t i) { return m_sums[static_cast<std::size_t>(i)]; };

    position.chapterNumber = chapter->chapterIndex + 1;
    position.chapterCount = m_chapters.size() > 1 ? m_chapters.back().chapterIndex + 1 : 1;
    position.percent = count < 2 ? 0
                                 : static_cast<int>(std::floor(static_cast<double>(index) * 100.0 /
                                                               static_cast<double>(count - 1)));
    position.secondsLeftInChapter = (sumAt(chapter->end) - sumAt(index)) * secondsPerUnit;
    position.secondsLeft = (sumAt(count) - sumAt(index)) * secondsPerUnit;
    return position;
}

std::string ReadingTime::duration(double seconds)
{
    if (!(seconds >= 60.0)) {
        return "< 1 min";
    }
    const auto minutes = static_cast<long long>(std::llround(seconds / 60.0));
    if (minutes < 60) {
        return std::to_string(minutes) + " min";
    }
    return std::to_string(minutes / 60) + " h " + std::to_string(minutes % 60) + " min";
}

std::string ReadingTime::describe(const Position& position)
{
    static constexpr const char* kSeparator = " \u00B7 ";
    std::string text;
    if (position.chapterCount > 1) {
        text += "Chapter " + std::to_string(position.chapterNumber) + " of " +
                std::to_string(position.chapterCount) + kSeparator;
    }
    text += std::to_string(position.percent) + "%" + kSeparator;
    if (position.chapterCount > 1) {
        text += duration(position.secondsLeftInChapter) + " left in chapter" + kSeparator;
    }
    return text + duration(position.secondsLeft) + " left";
}

} // namespace tavrin
