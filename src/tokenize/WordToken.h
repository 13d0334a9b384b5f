#pragma once

#include <cstdint>
#include <string>

namespace tavrin {

/// One displayable word (or dash-separated piece of a word) of a book, with the factor that
/// stretches its time on screen, whether it comes from a heading, and its chapter number.
/// The text is UTF-8 and never empty, and never starts or ends with a space or tab.
struct WordToken
{
    std::string text;
    double pauseMultiplier;
    bool isHeading;
    std::int64_t chapterIndex;

    bool operator==(const WordToken&) const = default;
};

} // namespace tavrin
