#pragma once

#include "session/Clock.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <utility>

namespace tavrin::test {

/// A clock whose time moves only when a test advances it. Timers fire in deadline order
/// (ties in the order they were armed) as time passes their deadline, each seeing now()
/// equal to its own deadline, or later when the test let time pass without firing them.
/// Timers must not outlive their clock.
class VirtualClock : public Clock
{
public:
    std::chrono::nanoseconds now() const override { return m_now; }
    std::unique_ptr<OneShotTimer> createTimer() override;

    /// Moves time forward by d, firing every timer that falls due on the way.
    void advance(std::chrono::nanoseconds d);
    /// Moves time forward by d without firing anything, as blocking work (or a sleeping
    /// machine) does to the event loop; timers that fell due fire, late, at the next
    /// advance(). Safe to call from inside a timer callback.
    void elapse(std::chrono::nanoseconds d) { m_now += d; }
    /// From now on every timer fires this long after its deadline, as a real event loop's
    /// timers do.
    void setLatency(std::chrono::nanoseconds latency) { m_latency = latency; }
    /// Number of timers armed and not yet fired or cancelled.
    int pendingTimers() const { return static_cast<int>(m_queue.size()); }

private:
    friend class VirtualTimer;
    // Keyed by deadline, then by the order the timers were armed.
    using Queue =
        std::map<std::pair<std::chrono::nanoseconds, std::uint64_t>, std::function<void()>>;

    Queue::iterator schedule(std::chrono::nanoseconds delay, std::function<void()> callback);
    void unschedule(Queue::iterator it) { m_queue.erase(it); }
    bool fireNext(std::chrono::nanoseconds until);

    std::chrono::nanoseconds m_now{0};
    std::chrono::nanoseconds m_latency{0};
    std::uint64_t m_sequence = 0;
    Queue m_queue;
};

} // namespace tavrin::test
