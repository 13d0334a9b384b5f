#pragma once

#include <string_view>

namespace tavrin {

/// Pause factors shared by the tokenizers.
namespace Pause {
inline constexpr double kHeadingWord = 1.5;
inline constexpr double kSentenceEnd = 3.0;
inline constexpr double kClause = 2.0;
inline constexpr double kOrdinary = 1.0;
/// Added by the tokenizers to the last word of a paragraph or block.
inline constexpr double kBlockEnd = 3.5;
inline constexpr double kHeadingEnd = 5.0;
} // namespace Pause

/// How much longer than an ordinary word this word (one piece after dash splitting) stays on
/// screen: sentence ends and clause punctuation pause (the ideographic and fullwidth marks
/// 。！？ and 、，；： as well), abbreviations do not end sentences,
/// long words get a little more time, heading words a fixed factor. Pure and thread-safe.
double computeMultiplier(std::string_view word, bool isHeading);

} // namespace tavrin
