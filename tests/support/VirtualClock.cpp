#include "support/VirtualClock.h"

#include <algorithm>
#include <optional>

namespace tavrin::test {

class VirtualTimer : public OneShotTimer
{
public:
    explicit VirtualTimer(VirtualClock& clock) : m_clock(clock) {}
    ~VirtualTimer() override { cancel(); }

    void start(std::chrono::nanoseconds delay, std::function<void()> callback) override
    {
        cancel();
        m_pending = m_clock.schedule(delay, [this, callback = std::move(callback)] {
            m_pending.reset();
            callback();
        });
    }

    void cancel() override
    {
        if (m_pending) {
            m_clock.unschedule(*m_pending);
        }
        m_pending.reset();
    }

    bool isActive() const override { return m_pending.has_value(); }

private:
    VirtualClock& m_clock;
    std::optional<VirtualClock::Queue::iterator> m_pending;
};

std::unique_ptr<OneShotTimer> VirtualClock::createTimer()
{
    return std::make_unique<VirtualTimer>(*this);
}

VirtualClock::Queue::iterator VirtualClock::schedule(std::chrono::nanoseconds delay,
                                                     std::function<void()> callback)
{
    const auto deadline = m_now + std::max(delay, std::chrono::nanoseconds{0});
    return m_queue.emplace(std::pair{deadline, ++m_sequence}, std::move(callback)).first;
}

bool VirtualClock::fireNext(std::chrono::nanoseconds until)
{
    if (m_queue.empty() || m_queue.begin()->first.first + m_latency > until) {
        return false;
    }
    auto node = m_queue.extract(m_queue.begin());
    m_now = std::max(m_now, node.key().first + m_latency);
    node.mapped()();
    return true;
}

void VirtualClock::advance(std::chrono::nanoseconds d)
{
    // A callback may elapse() time beyond the target; time never runs backwards.
    const auto until = m_now + d;
    while (fireNext(until)) {
    }
    m_now = std::max(m_now, until);
}

} // namespace tavrin::test
