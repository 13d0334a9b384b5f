#include "display/HighlightSpan.h"

#include <QTextBoundaryFinder>

#include <algorithm>

namespace tavrin {

std::optional<HighlightSpan> highlightSpan(QStringView word, int orpIdx)
{
    if (word.isEmpty()) {
        return std::nullopt;
    }
    // Qt's own cluster rules, so that the span's ends are positions its text layout accepts
    // as caret positions.
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, word);
    qsizetype start = 0;
    for (int i = 0; i < orpIdx; ++i) {
        const qsizetype next = finder.toNextBoundary();
        if (next < 0 || next >= word.size()) {
            break; // past the last character: keep the last one
        }
        start = next;
    }
    finder.setPosition(start);
    qsizetype end = finder.toNextBoundary();
    if (end < 0) {
        end = word.size();
    }
    return HighlightSpan{start, end};
}

QStringView drawablePrefix(QStringView word, qsizetype maxUnits)
{
    if (maxUnits <= 0) {
        return word.first(0);
    }
    if (word.size() <= maxUnits) {
        return word;
    }
    // Whether a boundary falls at maxUnits depends on the characters on both sides of it (a
    // whole surrogate pair after it), so the finder sees a little more than it may cut.
    const QStringView probe = word.first(std::min(word.size(), maxUnits + 2));
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, probe);
    finder.setPosition(maxUnits);
    if (!finder.isAtBoundary()) {
        const qsizetype previous = finder.toPreviousBoundary();
        if (previous > 0) {
            return word.first(previous);
        }
        // One enormous character (a letter under thousands of combining marks): cut inside
        // it, but never between the halves of a surrogate pair.
        return word.first(word[maxUnits - 1].isHighSurrogate() ? maxUnits - 1 : maxUnits);
    }
    return word.first(maxUnits);
}

} // namespace tavrin
