#include "session/Playback.h"

#include "session/Clock.h"
#include "session/PlaybackTiming.h"

#include <utility>

namespace tavrin {

Playback::Playback(Clock& clock, FieldNotifier notify)
    : m_clock(clock), m_notify(std::move(notify)), m_timer(clock.createTimer())
{}

Playback::~Playback() = default;

void Playback::setState(bool playing, bool paused)
{
    // Both flags change before anyone is told, so no observer ever sees "paused but not
    // playing".
    const auto [playingChanged, pausedChanged] =
        std::pair{std::exchange(m_isPlaying, playing) != playing,
                  std::exchange(m_isPaused, paused) != paused};
    if (playingChanged) {
        m_notify(SessionField::isPlaying, {});
    }
    if (pausedChanged) {
        m_notify(SessionField::isPaused, {});
    }
}

void Playback::start(std::chrono::nanoseconds interval)
{
    m_timer->cancel();
    setState(true, false);
    m_wordStart = m_clock.now();
    arm(interval);
}

void Playback::arm(std::chrono::nanoseconds interval)
{
    if (!isRunning()) {
        return;
    }
    const auto now = m_clock.now();
    m_wordEnd = PlaybackTiming::wordDeadline(m_wordStart, interval, now);
    m_wordStart = m_wordEnd - interval;
    m_timer->start(m_wordEnd - now, [this] {
        if (isRunning() && wordEnded) {
            wordEnded();
        }
    });
}

void Playback::advance(std::chrono::nanoseconds interval)
{
    m_wordStart = m_wordEnd;
    arm(interval);
}

void Playback::pause()
{
    m_timer->cancel();
    setState(true, true);
}

void Playback::stop()
{
    m_timer->cancel();
    setState(false, false);
}

std::pair<bool, bool> Playback::stopQuietly()
{
    m_timer->cancel();
    return {std::exchange(m_isPlaying, false), std::exchange(m_isPaused, false)};
}

} // namespace tavrin
