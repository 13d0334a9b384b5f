#pragma once

#include "session/ContextText.h"

#include <QColor>
#include <QFont>
#include <QWidget>

#include <memory>
#include <optional>
#include <vector>

class QTextLayout;

namespace tavrin {

/// The text around the current word while reading is paused: wrapped to the widget's width,
/// at most as many lines as fit, with the current word's line among the middle ones and the
/// word itself in the highlight colour. A click on a word asks to read on from there.
class ContextView : public QWidget
{
    Q_OBJECT

public:
    explicit ContextView(QWidget* parent = nullptr);
    ~ContextView() override;

    void setContext(ContextText context);
    void setTextFont(const QFont& font);
    void setColors(const QColor& text, const QColor& highlight);
    /// Multiplies the text's own opacity (fades).
    void setOpacity(double opacity);

    /// The token under a point of the widget, if a word is drawn there.
    std::optional<std::int64_t> tokenAt(QPointF point) const;

Q_SIGNALS:
    void wordClicked(std::int64_t tokenIndex);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    struct Span
    {
        int start;
        int length;
        std::int64_t tokenIndex;
    };
    void relayout();
    /// Where the first shown line starts, so that the block of lines is centred vertically.
    double topOffset() const;

    ContextText m_context;
    std::vector<Span> m_spans;
    std::unique_ptr<QTextLayout> m_layout;
    int m_firstLine = 0;
    int m_lineCount = 0;
    QFont m_font;
    QColor m_textColor = Qt::white;
    QColor m_highlightColor = Qt::red;
    double m_opacity = 1.0;
};

} // namespace tavrin
