#pragma once

#include <QFont>
#include <QStringList>

namespace tavrin::TextFitting {

/// Text broken into lines for drawing, and the factor by which its font is to be scaled.
struct Lines
{
    QStringList lines;
    double scale = 1.0;
};

/// Wraps text into at most maxLines lines no wider than width, at word boundaries where a
/// word fits and anywhere where it does not; when text remains, the last line ends in an
/// ellipsis.
QStringList wrap(const QString& text, const QFont& font, double width, int maxLines);

/// Shrink-to-fit: the largest scale from 1 down to minScale at which text wraps into
/// maxLines lines of width at word boundaries and the lines stand no higher than height;
/// if even minScale is too large, the text at minScale wrapped and cut by wrap().
Lines fit(const QString& text, const QFont& font, double width, double height, int maxLines,
          double minScale);

/// Height of n lines drawn in font at scale 1.
double linesHeight(const QFont& font, int lineCount);

} // namespace tavrin::TextFitting
