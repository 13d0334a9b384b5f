#include "library/TextFitting.h"

#include <QFontMetricsF>
#include <QTextLayout>
#include <QTextOption>

#include <algorithm>
#include <cmath>

namespace tavrin::TextFitting {

namespace {

struct Layout
{
    QStringList lines;
    bool complete = true; // every character laid out, no line wider than the width
};

/// Breaks at word boundaries only, so a word too long for the width makes the layout
/// incomplete instead of being split.
Layout layoutAtWords(const QString& text, const QFont& font, double width, int maxLines)
{
    Layout result;
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    while (true) {
        QTextLine line = layout.createLine();
        if (!line.isValid()) {
            break;
        }
        line.setLineWidth(width);
        if (result.lines.size() == maxLines) {
            result.complete = false;
            break;
        }
        if (line.naturalTextWidth() > width + 0.01) {
            result.complete = false;
        }
        result.lines.append(text.mid(line.textStart(), line.textLength()).trimmed());
    }
    layout.endLayout();
    return result;
}

} // namespace

QStringList wrap(const QString& text, const QFont& font, double width, int maxLines)
{
    if (maxLines < 1 || text.isEmpty()) {
        return {};
    }
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    QStringList lines;
    qsizetype lastStart = 0;
    bool truncated = false;
    while (true) {
        QTextLine line = layout.createLine();
        if (!line.isValid()) {
            break;
        }
        line.setLineWidth(width);
        if (lines.size() == maxLines) {
            truncated = true;
            break;
        }
        lastStart = line.textStart();
        lines.append(text.mid(line.textStart(), line.textLength()));
    }
    layout.endLayout();
    if (truncated) {
        // What did not fit joins the last line, which then ends in an ellipsis where cut.
        QString rest = text.mid(lastStart);
        rest.replace(QLatin1Char('\n'), QLatin1Char(' '));
        lines.last() = QFontMetricsF(font).elidedText(rest, Qt::ElideRight, width);
    }
    for (QString& line : lines) {
        line = line.trimmed();
    }
    return lines;
}

double linesHeight(const QFont& font, int lineCount)
{
    if (lineCount < 1) {
        return 0.0;
    }
    const QFontMetricsF metrics(font);
    return metrics.height() + (lineCount - 1) * metrics.lineSpacing();
}

Lines fit(const QString& text, const QFont& font, double width, double height, int maxLines,
          double minScale)
{
    if (text.isEmpty() || width <= 0.0 || maxLines < 1) {
        return {};
    }
    minScale = std::clamp(minScale, 0.05, 1.0);
    // Steps of 2 % are finer than a pixel at the sizes covers use.
    constexpr double kStep = 0.02;
    const int steps = static_cast<int>(std::floor((1.0 - minScale) / kStep + 1e-9));
    for (int i = 0; i <= steps; ++i) {
        const double scale = 1.0 - i * kStep;
        const Layout layout = layoutAtWords(text, font, width / scale, maxLines);
        const double textHeight = linesHeight(font, static_cast<int>(layout.lines.size())) * scale;
        if (layout.complete && textHeight <= height + 0.01) {
            return {layout.lines, scale};
        }
    }
    const int linesThatFit = std::max(
        1, std::min(maxLines,
                    static_cast<int>(std::floor((height / minScale - QFontMetricsF(font).height()) /
                                                QFontMetricsF(font).lineSpacing())) +
                        1));
    return {wrap(text, font, width / minScale, linesThatFit), minScale};
}

} // namespace tavrin::TextFitting
