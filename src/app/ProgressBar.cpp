#include "app/ProgressBar.h"

#include "app/ProgressBarGeometry.h"

#include <QMouseEvent>
#include <QPainter>

namespace tavrin {

namespace {

constexpr double kTrackOpacity = 0.15;
constexpr double kFillOpacity = 0.7;

} // namespace

ProgressBar::ProgressBar(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("progressBar"));
    setFocusPolicy(Qt::NoFocus);
}

void ProgressBar::setProgress(double progress)
{
    if (progress != m_progress) {
        m_progress = progress;
        update();
    }
}

void ProgressBar::setOpacity(double opacity)
{
    if (opacity != m_opacity) {
        m_opacity = opacity;
        update();
    }
}

void ProgressBar::paintEvent(QPaintEvent*)
{
    if (m_opacity <= 0.0) {
        return;
    }
    QPainter painter(this);
    const QSizeF strip(size());
    painter.setOpacity(m_opacity * kTrackOpacity);
    painter.fillRect(ProgressBarGeometry::trackRect(strip), Qt::white);
    painter.setOpacity(m_opacity * kFillOpacity);
    painter.fillRect(ProgressBarGeometry::fillRect(strip, m_progress), Qt::white);
}

void ProgressBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    seekTo(event->position().x());
}

void ProgressBar::mouseMoveEvent(QMouseEvent* event)
{
    // Only a drag moves the position: the strip sees plain movement only if tracking is on.
    if (!(event->buttons() & Qt::LeftButton)) {
        event->ignore();
        return;
    }
    seekTo(event->position().x());
}

void ProgressBar::seekTo(double x)
{
    Q_EMIT seekRequested(ProgressBarGeometry::fractionAt(x, width()));
}

} // namespace tavrin
