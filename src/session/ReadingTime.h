#pragma once

#include "tokenize/WordToken.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tavrin {

/// Where the reader is in the open book and how long the rest takes at a given speed: the
/// sum of the remaining words' own intervals, pauses included. The sums are prepared once
/// per book, so asking costs a lookup and never lengthens a word.
class ReadingTime
{
public:
    struct Position
    {
        /// 1-based, as the chapter messages count.
        std::int64_t chapterNumber = 1;
        std::int64_t chapterCount = 1;
        int percent = 0;
        double secondsLeftInChapter = 0.0;
        double secondsLeft = 0.0;
        bool operator==(const Position&) const = default;
    };

    void setTokens(const std::vector<WordToken>& tokens);
    /// The position of the word at index (which must be inside the book) at this speed.
    Position at(std::int64_t index, double wpm) const;

    /// "Chapter 3 of 12 · 42% · 9 min left in chapter · 2 h 14 min left"; a book of one
    /// chapter leaves the chapter parts out.
    static std::string describe(const Position& position);
    /// "< 1 min", "9 min", "2 h 14 min".
    static std::string duration(double seconds);

private:
    struct Chapter
    {
        std::int64_t start;
        std::int64_t end;
        std::int64_t chapterIndex;
    };
    /// m_sums[i]: the multipliers of the words before word i, added up.
    std::vector<double> m_sums;
    std::vector<Chapter> m_chapters;
};

} // namespace tavrin
