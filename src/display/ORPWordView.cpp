#include "display/ORPWordView.h"

#include "display/FontResolver.h"
#include "display/HighlightSpan.h"
#include "display/WordPlacement.h"

#include <QGlyphRun>
#include <QList>
#include <QPainter>
#include <QRawFont>
#include <QRect>
#include <QRegion>
#include <QTextLayout>
#include <QTextOption>

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace tavrin {

namespace {

constexpr qreal kInitialFontSize = 60.0;

// Far more than any screen shows at the smallest font size: a longer "word" is cut there.
constexpr qsizetype kMaxDrawnUnits = 4096;

// The left and right edges of the highlighted character on the laid-out line. Caret offsets
// are ambiguous where the writing direction changes next to the character (Qt puts such a
// caret at the edge of the neighbouring run), so the edges come from the character's own
// glyphs, their pen positions and advances; in text of one direction the two agree exactly,
// except in a ligature ("fl"), whose one glyph also stands for the neighbouring character:
// there the carets, which share the glyph out among its characters, lie inside the glyph's
// edges and are used. Carets also serve for a character that has no glyph.
std::pair<qreal, qreal> horizontalExtent(const QTextLayout& layout, const QTextLine& line,
                                         const HighlightSpan& span)
{
    const int from = static_cast<int>(span.start);
    const int length = static_cast<int>(span.end - span.start);
    qreal left = std::numeric_limits<qreal>::max();
    qreal right = std::numeric_limits<qreal>::lowest();
    for (const QGlyphRun& run : layout.glyphRuns(from, length)) {
        const QList<QPointF> positions = run.positions();
        const QList<QPointF> advances = run.rawFont().advancesForGlyphIndexes(run.glyphIndexes());
        for (qsizetype i = 0; i < positions.size() && i < advances.size(); ++i) {
            left = std::min(left, positions[i].x());
            right = std::max(right, positions[i].x() + advances[i].x());
        }
    }
    const qreal start = line.cursorToX(from);
    const qreal end = line.cursorToX(from + length);
    const qreal x0 = std::min(start, end);
    const qreal x1 = std::max(start, end);
    constexpr qreal kTolerance = 0.01;
    const bool insideGlyphs = x0 < x1 && x0 > left - kTolerance && x1 < right + kTolerance &&
                              x1 - x0 < right - left - kTolerance;
    if (left > right || insideGlyphs) {
        return {x0, x1};
    }
    return {left, right};
}

} // namespace

ORPWordView::ORPWordView(QWidget* parent)
    : QWidget(parent), m_fontName(QStringLiteral("Courier New")), m_fontSize(kInitialFontSize),
      m_font(FontResolver::resolve(m_fontName, m_fontSize)), m_textColor(Qt::white),
      m_orpColor(Qt::red)
{
    setObjectName(QStringLiteral("orpWordView"));
    // A display only: pointer movement belongs to the reader window underneath.
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ORPWordView::setWord(const QString& word)
{
    if (word != m_word) {
        m_word = word;
        update();
    }
}

void ORPWordView::setOrpIndex(int orpIdx)
{
    if (orpIdx != m_orpIdx) {
        m_orpIdx = orpIdx;
        update();
    }
}

void ORPWordView::setFontName(const QString& fontName)
{
    // Looking a family up asks the font system, so it happens here, once per change, and
    // never while painting.
    if (fontName != m_fontName) {
        m_fontName = fontName;
        m_font = FontResolver::resolve(m_fontName, m_fontSize);
        update();
    }
}

void ORPWordView::setFontSize(qreal fontSize)
{
    if (!std::isfinite(fontSize) || fontSize <= 0 || fontSize == m_fontSize) {
        return;
    }
    m_fontSize = fontSize;
    FontResolver::setSize(m_font, m_fontSize);
    update();
}

void ORPWordView::setTextColor(const QColor& color)
{
    if (color != m_textColor) {
        m_textColor = color;
        update();
    }
}

void ORPWordView::setOrpColor(const QColor& color)
{
    if (color != m_orpColor) {
        m_orpColor = color;
        update();
    }
}

void ORPWordView::paintEvent(QPaintEvent*)
{
    // The layout holds a copy; line and paragraph separators would start a second line.
    QString text = drawablePrefix(m_word, kMaxDrawnUnits).toString();
    text.replace(QChar::LineSeparator, QLatin1Char(' '));
    text.replace(QChar::ParagraphSeparator, QLatin1Char(' '));
    const auto span = highlightSpan(text, m_orpIdx);
    if (!span) {
        return;
    }

    // One layout without colour runs: a run boundary would shape the pieces apart and break
    // the joining of Arabic letters and the conjuncts of Indic scripts at the highlight.
    QTextLayout layout(text, m_font, this);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    // Absolute left: the line starts at x = 0 whatever its direction, so carets and drawing
    // share one origin.
    option.setAlignment(Qt::AlignLeft | Qt::AlignAbsolute);
    option.setTextDirection(Qt::LayoutDirectionAuto);
    layout.setTextOption(option);

    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (!line.isValid()) {
        layout.endLayout();
        return;
    }
    line.setLineWidth(0);
    line.setPosition(QPointF(0, 0));
    layout.endLayout();

    const auto [x0, x1] = horizontalExtent(layout, line, *span);
    const QPointF baseline =
        wordBaselineOrigin(x0, x1, line.ascent(), line.descent(), QSizeF(size()));

    QPainter painter(this);
    if (!painter.isActive()) {
        return;
    }
    // The same shaped line twice: in the text colour outside the highlighted character's
    // columns and in the highlight colour inside them. Whole pixel columns, so that every
    // pixel is drawn exactly once and the word's ink is that of one plain drawing.
    const QPointF origin(baseline.x(), baseline.y() - line.ascent());
    const QRect highlighted(QPoint(qRound(origin.x() + x0), 0),
                            QPoint(qRound(origin.x() + x1) - 1, height() - 1));
    painter.setClipRegion(QRegion(rect()).subtracted(highlighted));
    painter.setPen(m_textColor);
    layout.draw(&painter, origin);
    painter.setClipRect(highlighted);
    painter.setPen(m_orpColor);
    layout.draw(&painter, origin);
}

} // namespace tavrin
