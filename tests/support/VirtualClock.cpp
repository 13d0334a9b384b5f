#include "support/VirtualClock.h"

#include <algorithm>
#include <optional>

namespace tavrin::test {

class VirtualTimer : public OneShotTimer
{
public:
    VirtualTimer(VirtualClock& clock, std::shared_ptr<bool> alive)
        : m_clock(clock), m_alive(std::move(alive))
    {}
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
        if (m_pending && *m_alive) {
            m_clock.unschedule(*m_pending);
        }
        m_pending.reset();
    }

    bool isActive() const override { return m_pending.has_value(); }

private:
    VirtualClock& m_clock;
    std::shared_ptr<bool> m_alive;
    std::optional<VirtualClock::Queue::iterator> m_pending;
};

VirtualClock::VirtualClock() : m_alive(std::make_shared<bool>(true)) {}

VirtualClock::~VirtualClock()
{
    *m_alive = false;
}

std::unique_ptr<OneShotTimer> VirtualClock::createTimer()
{
    return std::make_unique<VirtualTimer>(*this, m_alive);
}

VirtualClock::Queue::iterator VirtualClock::schedule(std::chrono::nanoseconds delay,
                                                     std::function<void()> callback)
{
    if (delay < std::chrono::nanoseconds{0}) {
        delay = std::chrono::nanoseconds{0};
    }
    return m_queue.emplace(Key{m_now + delay, ++m_sequence}, std::move(callback)).first;
}

bool VirtualClock::fireNext(std::chrono::nanoseconds until)
{
    if (m_queue.empty() || m_queue.begin()->first.deadline + m_latency > until) {
        return false;
    }
    auto node = m_queue.extract(m_queue.begin());
    m_now = std::max(m_now, node.key().deadline + m_latency);
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
