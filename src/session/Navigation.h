#pragma once

#include "tokenize/WordToken.h"

#include <cstdint>
#include <limits>
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

/// Whether a sentence ends at this token: a sentence-end, paragraph or heading pause.
bool endsSentence(const WordToken& token);

/// The first word of the sentence that holds index, looking back at most reach words.
std::int64_t sentenceStart(const std::vector<WordToken>& tokens, std::int64_t index,
                           std::int64_t reach = std::numeric_limits<std::int64_t>::max());

/// A sentence step. Back: the start of the sentence holding current, or of the previous one
/// when already at a start (the first word stays where it is). Forward: the start of the
/// next sentence, or nothing when current is in the last one.
std::optional<std::int64_t> sentenceStep(const std::vector<WordToken>& tokens, std::int64_t current,
                                         bool forward);

/// One word back or forward, or nothing at either end of a book of this many words.
std::optional<std::int64_t> wordStep(std::int64_t count, std::int64_t current, bool forward);

} // namespace tavrin::Navigation
