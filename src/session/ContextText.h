#pragma once

#include "tokenize/WordToken.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tavrin {

/// The text around the current word, shown while reading is paused: the current sentence
/// with some words before and after it, taken from the word list around the index (never
/// from the whole book), so that it is as quick in an 800,000-word book as in a short one.
struct ContextText
{
    /// One word of the text: where it stands in `text` (UTF-8 bytes) and which token it is.
    struct Word
    {
        std::size_t start = 0;
        std::size_t length = 0;
        std::int64_t tokenIndex = 0;
        bool operator==(const Word&) const = default;
    };

    /// The words separated by spaces; a paragraph end is a line separator (U+2028).
    std::string text;
    /// In text order.
    std::vector<Word> words;
    /// The entry of words that is the current token.
    std::size_t current = 0;

    /// Builds the context of the word at index; empty when index is outside the list.
    static ContextText around(const std::vector<WordToken>& tokens, std::int64_t index);
};

} // namespace tavrin
