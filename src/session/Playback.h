#pragma once

#include "session/SessionField.h"

#include <chrono>
#include <functional>
#include <memory>

namespace tavrin {

class Clock;
class OneShotTimer;

/// The play state and the word timer. Each word ends at a deadline measured from when the
/// previous one nominally ended, so neither timer latency nor the work done between words
/// lengthens reading.
class Playback
{
public:
    Playback(Clock& clock, FieldNotifier notify);
    ~Playback();
    Playback(const Playback&) = delete;
    Playback& operator=(const Playback&) = delete;

    bool isPlaying() const { return m_isPlaying; }
    bool isPaused() const { return m_isPaused; }
    /// Playing and not paused: words are advancing.
    bool isRunning() const { return m_isPlaying && !m_isPaused; }

    /// Enters Playing from any state; the word on screen gets a full interval from now.
    void start(std::chrono::nanoseconds interval);
    /// The next word begins where the last one's deadline was.
    void advance(std::chrono::nanoseconds interval);
    void pause();
    void stop();
    /// Stops without reporting, for a caller that reports the change in its own order.
    /// Returns which of isPlaying and isPaused changed.
    std::pair<bool, bool> stopQuietly();

    /// Called when the word on screen has had its time.
    std::function<void()> wordEnded;

private:
    /// Arms the timer for the word on screen (Playing only).
    void arm(std::chrono::nanoseconds interval);
    void setState(bool playing, bool paused);

    Clock& m_clock;
    FieldNotifier m_notify;
    std::unique_ptr<OneShotTimer> m_timer;
    bool m_isPlaying = false;
    bool m_isPaused = false;
    /// When the word on screen nominally began; its deadline is measured from here.
    std::chrono::nanoseconds m_wordStart{0};
    std::chrono::nanoseconds m_wordEnd{0};
};

} // namespace tavrin
