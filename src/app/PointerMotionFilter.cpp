#include "app/PointerMotionFilter.h"

#include <QMouseEvent>

#include <utility>

namespace tavrin {

PointerMotionFilter::PointerMotionFilter(std::function<void()> onMove, QObject* parent)
    : QObject(parent), m_onMove(std::move(onMove))
{}

bool PointerMotionFilter::eventFilter(QObject*, QEvent* event)
{
    if (event->type() != QEvent::MouseMove) {
        return false;
    }
    const QPointF position = static_cast<QMouseEvent*>(event)->globalPosition();
    if (m_last && *m_last == position) {
        return false;
    }
    m_last = position;
    m_onMove();
    return false;
}

} // namespace tavrin
