#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace tavrin {

/// Keeps one observer subscribed for as long as it lives: destroying or resetting it
/// unsubscribes, so an observer never has to remember to. It may outlive the list it came
/// from.
class [[nodiscard]] Subscription
{
public:
    Subscription() = default;
    explicit Subscription(std::function<void()> cancel) : m_cancel(std::move(cancel)) {}
    ~Subscription() { reset(); }
    Subscription(Subscription&& other) noexcept : m_cancel(std::exchange(other.m_cancel, {})) {}
    Subscription& operator=(Subscription&& other) noexcept
    {
        if (this != &other) {
            reset();
            m_cancel = std::exchange(other.m_cancel, {});
        }
        return *this;
    }
    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;

    void reset()
    {
        if (auto cancel = std::exchange(m_cancel, {})) {
            cancel();
        }
    }

private:
    std::function<void()> m_cancel;
};

/// A list of change callbacks, the core's plain-C++ stand-in for a signal: the core
/// stays free of the UI layer's signal machinery.
template<typename... Args> class Observers
{
public:
    using Callback = std::function<void(Args...)>;

    Observers() = default;
    Observers(const Observers&) = delete;
    Observers& operator=(const Observers&) = delete;

    Subscription subscribe(Callback callback)
    {
        const std::uint64_t id = ++m_lastId;
        m_entries->push_back({id, std::move(callback)});
        return Subscription([weak = std::weak_ptr<std::vector<Entry>>(m_entries), id] {
            if (const auto entries = weak.lock()) {
                std::erase_if(*entries, [id](const Entry& e) { return e.id == id; });
            }
        });
    }

    void notify(Args... args) const
    {
        // Copy, so that an observer may unsubscribe (or subscribe) while being notified.
        const auto entries = *m_entries;
        for (const auto& entry : entries) {
            entry.callback(args...);
        }
    }

private:
    struct Entry
    {
        std::uint64_t id;
        Callback callback;
    };
    std::shared_ptr<std::vector<Entry>> m_entries = std::make_shared<std::vector<Entry>>();
    std::uint64_t m_lastId = 0;
};

} // namespace tavrin
