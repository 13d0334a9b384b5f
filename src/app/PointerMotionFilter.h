#pragma once

#include <QObject>
#include <QPointF>

#include <functional>
#include <optional>

namespace tavrin {

/// Reports pointer movement over one platform window, whichever of its widgets lies under
/// the pointer and whether or not a button is held. Only a change of the pointer's screen
/// position counts: the platform also reports "movement" when a window moves or is
/// re-laid out under a resting pointer, and that must not pause the reader.
class PointerMotionFilter : public QObject
{
    Q_OBJECT

public:
    explicit PointerMotionFilter(std::function<void()> onMove, QObject* parent = nullptr);

    /// Where the pointer is known to rest; a report at this position is no movement.
    void setRestingPosition(QPointF globalPosition) { m_last = globalPosition; }

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> m_onMove;
    std::optional<QPointF> m_last;
};

} // namespace tavrin
