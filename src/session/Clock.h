#pragma once

#include <chrono>
#include <functional>
#include <memory>

namespace tavrin {

/// A one-shot timer on the thread that owns the reader state. A cancelled timer never
/// calls back; starting a running timer replaces its pending callback.
class OneShotTimer
{
public:
    virtual ~OneShotTimer() = default;
    virtual void start(std::chrono::nanoseconds delay, std::function<void()> callback) = 0;
    virtual void cancel() = 0;
    virtual bool isActive() const = 0;
};

/// The source of time and timers for the session core: precise Qt timers in the
/// application, a virtual clock in tests.
class Clock
{
public:
    virtual ~Clock() = default;
    /// Monotonic time since an arbitrary origin.
    virtual std::chrono::nanoseconds now() const = 0;
    virtual std::unique_ptr<OneShotTimer> createTimer() = 0;
};

} // namespace tavrin
