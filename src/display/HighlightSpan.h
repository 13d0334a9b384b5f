#pragma once

#include <QStringView>

#include <optional>

namespace tavrin {

/// The user-perceived character of a word that is drawn in the highlight colour, as a range of
/// UTF-16 code units [start, end) of the word.
struct HighlightSpan
{
    qsizetype start = 0;
    qsizetype end = 0;

    bool operator==(const HighlightSpan&) const = default;
};

/// The span of character `orpIdx` of `word`, counted in user-perceived characters. An index
/// past the last character selects the last one, a negative one the first; an empty word has
/// no span.
std::optional<HighlightSpan> highlightSpan(QStringView word, int orpIdx);

/// The part of `word` worth laying out: the whole word, or for a pathologically long one (a
/// "word" of minified data, say) its first `maxUnits` UTF-16 code units or somewhat fewer, cut
/// at a character boundary. Everything after lies far past the view's edge, and laying it out
/// on every paint would stall the window.
QStringView drawablePrefix(QStringView word, qsizetype maxUnits);

} // namespace tavrin
