#pragma once

#include <chrono>

namespace tavrin::PlaybackTiming {

/// The speed the word timer runs at for a stored speed. Only a hand-edited settings file
/// can hold a speed that is not a positive finite number; the timer then runs at the lowest
/// keyboard speed rather than dividing by zero or firing without pause. The stored value
/// is left as it is.
double effectiveWpm(double wpm);

/// The pause multiplier the timer uses: one that is negative or not finite (only possible in
/// a hand-edited token cache) counts as 1.0.
double effectiveMultiplier(double pauseMultiplier);

/// How long a token with this pause multiplier stays on screen at this speed. A multiplier
/// that is negative or not finite (only possible in a hand-edited token cache) counts as
/// 1.0, and the result is capped at one day so that it always fits a timer.
std::chrono::nanoseconds wordInterval(double pauseMultiplier, double wpm);

/// When the word that nominally started at wordStart ends. Measured from its nominal start
/// rather than from when its timer actually fired, so that timer latency and the work done
/// after each advance do not add up over a book. If that moment has already passed (the
/// machine slept, or the event loop was blocked for longer than a word), the word gets its
/// full interval from now instead of a burst of catch-up words.
std::chrono::nanoseconds wordDeadline(std::chrono::nanoseconds wordStart,
                                      std::chrono::nanoseconds interval,
                                      std::chrono::nanoseconds now);

} // namespace tavrin::PlaybackTiming
