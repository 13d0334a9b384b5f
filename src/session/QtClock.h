#pragma once

#include "session/Clock.h"

#include <QElapsedTimer>

namespace tavrin {

/// The application's clock: monotonic time from QElapsedTimer and precise single-shot
/// QTimers. Timers call back on the thread that created them, from its event loop.
class QtClock : public Clock
{
public:
    QtClock();

    std::chrono::nanoseconds now() const override;
    std::unique_ptr<OneShotTimer> createTimer() override;

private:
    QElapsedTimer m_elapsed;
};

} // namespace tavrin
