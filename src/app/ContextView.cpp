#include "app/ContextView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace tavrin {

namespace {

constexpr int kMostLines = 7;
/// The text is quieter than the word it surrounds.
constexpr double kTextOpacity = 0.6;

} // namespace

ContextView::ContextView(QWidget* parent)
    : QWidget(parent), m_layout(std::make_unique<QTextLayout>())
{
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
}

ContextView::~ContextView() = default;

void ContextView::setContext(ContextText context)
{
    m_context = std::move(context);
    // The words as the layout counts them (UTF-16), with the separators between them.
    QString text;
    m_spans.clear();
    m_spans.reserve(m_context.words.size());
    std::size_t end = 0;
    for (const auto& word : m_context.words) {
        text += QString::fromUtf8(m_context.text.data() + end,
                                  static_cast<qsizetype>(word.start - end));
        const auto piece = QString::fromUtf8(m_context.text.data() + word.start,
                                             static_cast<qsizetype>(word.length));
        m_spans.push_back(
            {static_cast<int>(text.size()), static_cast<int>(piece.size()), word.tokenIndex});
        text += piece;
        end = word.start + word.length;
    }
    m_layout->setText(text);
    relayout();
}

void ContextView::setTextFont(const QFont& font)
{
    if (font != m_font) {
        m_font = font;
        relayout();
    }
}

void ContextView::setColors(const QColor& text, const QColor& highlight)
{
    if (text == m_textColor && highlight == m_highlightColor) {
        return;
    }
    m_textColor = text;
    m_highlightColor = highlight;
    relayout();
}

void ContextView::setOpacity(double opacity)
{
    if (opacity != m_opacity) {
        m_opacity = opacity;
        update();
    }
}

void ContextView::relayout()
{
    m_layout->setFont(m_font);
    QTextOption option(Qt::AlignHCenter);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    m_layout->setTextOption(option);
    QList<QTextLayout::FormatRange> formats;
    if (m_context.current < m_spans.size()) {
        const Span& current = m_spans[m_context.current];
        QTextLayout::FormatRange range;
        range.start = current.start;
        range.length = current.length;
        range.format.setForeground(m_highlightColor);
        formats.append(range);
    }
    m_layout->setFormats(formats);

    m_layout->beginLayout();
    const double width = std::max(1, this->width());
    int currentLine = 0;
    double y = 0.0;
    for (QTextLine line = m_layout->createLine(); line.isValid(); line = m_layout->createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0.0, y));
        y += line.height();
        if (m_context.current < m_spans.size() &&
            line.textStart() <= m_spans[m_context.current].start) {
            currentLine = line.lineNumber();
        }
    }
    m_layout->endLayout();

    const int total = m_layout->lineCount();
    const double lineHeight = QFontMetricsF(m_font).lineSpacing();
    const int fitting =
        std::clamp(static_cast<int>(height() / std::max(1.0, lineHeight)), 1, kMostLines);
    m_lineCount = std::min(total, fitting);
    // The current line sits as near the middle of what is shown as the text allows.
    m_firstLine =
        std::clamp(currentLine - (m_lineCount - 1) / 2, 0, std::max(0, total - m_lineCount));
    update();
}

double ContextView::topOffset() const
{
    if (m_lineCount == 0) {
        return 0.0;
    }
    const QTextLine first = m_layout->lineAt(m_firstLine);
    const QTextLine last = m_layout->lineAt(m_firstLine + m_lineCount - 1);
    const double blockHeight = last.y() + last.height() - first.y();
    return std::floor((height() - blockHeight) / 2.0) - first.y();
}

void ContextView::paintEvent(QPaintEvent*)
{
    if (m_lineCount == 0 || m_opacity <= 0.0) {
        return;
    }
    QPainter painter(this);
    painter.setOpacity(m_opacity * kTextOpacity);
    painter.setPen(m_textColor);
    const QPointF origin(0.0, topOffset());
    for (int i = m_firstLine; i < m_firstLine + m_lineCount; ++i) {
        const QTextLine line = m_layout->lineAt(i);
        line.draw(&painter, origin);
    }
    // The highlighted word is drawn again at full strength, so it stands out of the quiet text.
    if (m_context.current < m_spans.size()) {
        const Span& current = m_spans[m_context.current];
        const QTextLine line = m_layout->lineForTextPosition(current.start);
        if (line.isValid() && line.lineNumber() >= m_firstLine &&
            line.lineNumber() < m_firstLine + m_lineCount) {
            const double x1 = line.cursorToX(current.start);
            const double x2 = line.cursorToX(current.start + current.length);
            const QRectF word(std::min(x1, x2), line.y(), std::abs(x2 - x1), line.height());
            painter.setOpacity(m_opacity);
            painter.setClipRect(word.translated(origin).adjusted(-2, 0, 2, 0));
            line.draw(&painter, origin);
        }
    }
}

std::optional<std::int64_t> ContextView::tokenAt(QPointF point) const
{
    const QPointF local = point - QPointF(0.0, topOffset());
    for (int i = m_firstLine; i < m_firstLine + m_lineCount; ++i) {
        const QTextLine line = m_layout->lineAt(i);
        if (local.y() < line.y() || local.y() >= line.y() + line.height()) {
            continue;
        }
        if (!line.naturalTextRect().contains(QPointF(local.x(), line.y() + line.height() / 2))) {
            return std::nullopt;
        }
        const int position = line.xToCursor(local.x(), QTextLine::CursorOnCharacter);
        const auto span = std::find_if(m_spans.begin(), m_spans.end(), [position](const Span& s) {
            return position >= s.start && position < s.start + s.length;
        });
        if (span == m_spans.end()) {
            return std::nullopt;
        }
        return span->tokenIndex;
    }
    return std::nullopt;
}

void ContextView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    relayout();
}

void ContextView::mousePressEvent(QMouseEvent* event)
{
    if (const auto token = tokenAt(event->position())) {
        Q_EMIT wordClicked(*token);
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void ContextView::mouseMoveEvent(QMouseEvent* event)
{
    setCursor(tokenAt(event->position()) ? Qt::PointingHandCursor : Qt::ArrowCursor);
    QWidget::mouseMoveEvent(event);
}

} // namespace tavrin
