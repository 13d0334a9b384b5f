#pragma once

#include <QWidget>

namespace tavrin {

/// The strip along the bottom of the reader: a thin track with the part already read
/// filled. Pressing it, and dragging while the button is held, asks to move to the point
/// under the pointer.
class ProgressBar : public QWidget
{
    Q_OBJECT

public:
    explicit ProgressBar(QWidget* parent = nullptr);

    double progress() const { return m_progress; }
    /// 0 at the first word, 1 at the last.
    void setProgress(double progress);
    /// The controls' fade, multiplied into the track's and fill's own opacity.
    void setOpacity(double opacity);

Q_SIGNALS:
    /// The pointer pressed or dragged at this fraction of the strip's width, 0…1.
    void seekRequested(double fraction);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void seekTo(double x);

    double m_progress = 0.0;
    double m_opacity = 1.0;
};

} // namespace tavrin
