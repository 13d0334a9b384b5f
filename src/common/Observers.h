#pragma once

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

namespace tavrin {

/// A list of change callbacks, the core's plain-C++ stand-in for a signal: the core
/// stays free of the UI layer's signal machinery, and observers unsubscribe by id.
template<typename... Args>
class Observers
{
public:
    using Callback = std::function<void(Args...)>;
    using Id = std::uint64_t;

    Id subscribe(Callback callback)
    {
        const Id id = ++m_lastId;
        m_entries.push_back({id, std::move(callback)});
        return id;
    }

    void unsubscribe(Id id)
    {
        std::erase_if(m_entries, [id](const Entry& e) { return e.id == id; });
    }

    void notify(Args... args) const
    {
        // Copy, so that an observer may unsubscribe (or subscribe) while being notified.
        const auto entries = m_entries;
        for (const auto& entry : entries) {
            entry.callback(args...);
        }
    }

private:
    struct Entry
    {
        Id id;
        Callback callback;
    };
    std::vector<Entry> m_entries;
    Id m_lastId = 0;
};

} // namespace tavrin
