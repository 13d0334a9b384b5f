#include "session/QtClock.h"

#include <QTimer>

#include <algorithm>
#include <utility>

namespace tavrin {

namespace {

class QtOneShotTimer : public OneShotTimer
{
public:
    QtOneShotTimer()
    {
        // The default coarse timer may fire up to 5 % late, which would slow the reading
        // speed by as much.
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setSingleShot(true);
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { fire(); });
    }

    void start(std::chrono::nanoseconds delay, std::function<void()> callback) override
    {
        m_callback = std::move(callback);
        m_pending = true;
        // QTimer counts whole milliseconds; rounding up means a timer never ends early.
        const auto ms = std::chrono::ceil<std::chrono::milliseconds>(
            std::max(delay, std::chrono::nanoseconds{0}));
        m_timer.start(ms);
    }

    void cancel() override
    {
        m_pending = false;
        m_timer.stop();
        m_callback = nullptr;
    }

    bool isActive() const override { return m_pending; }

private:
    void fire()
    {
        // The flag guards against a timeout already on its way when the timer was stopped.
        if (!m_pending) {
            return;
        }
        m_pending = false;
        // The callback may restart this timer, or destroy it: take it out first and touch
        // no member afterwards.
        const auto callback = std::exchange(m_callback, nullptr);
        callback();
    }

    QTimer m_timer;
    std::function<void()> m_callback;
    bool m_pending = false;
};

} // namespace

QtClock::QtClock()
{
    m_elapsed.start();
}

std::chrono::nanoseconds QtClock::now() const
{
    return std::chrono::nanoseconds{m_elapsed.nsecsElapsed()};
}

std::unique_ptr<OneShotTimer> QtClock::createTimer()
{
    return std::make_unique<QtOneShotTimer>();
}

} // namespace tavrin
