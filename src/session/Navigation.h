#pragma once

#include "tokenize/WordToken.h"

#include <cstdint>
#include <optional>
#include <vector>

/// Where the reader's moves lead: pure functions from the word list and the current index
/// to the index the move goes to.
namespace tavrin::Navigation {

/// How many words a skip moves.
inline constexpr std::int64_t kSkipWords = 25;

/// A chapter step. Forward: the first word of the next chapter, or nothing when there is
/// none. Back: the start of the current chapter, or of the previous one when already at a
/// start; at the first chapter's start the position stays where it is.
std::optional<std::int64_t> chapterStep(const std::vector<WordToken>& tokens, std::int64_t current,
                                        bool forward);

/// A skip of kSkipWords, kept within a book of this many words (at least one).
std::int64_t skip(std::int64_t count, std::int64_t current, bool forward);

/// The word at this fraction of a book of this many words (at least one); a fraction
/// outside 0…1, or not a number, is brought into range.
std::int64_t seek(std::int64_t count, double fraction);

} // namespace tavrin::Navigation
