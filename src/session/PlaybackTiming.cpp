#include "session/PlaybackTiming.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace tavrin::PlaybackTiming {

namespace {
constexpr double kFallbackWpm = 60.0;
constexpr double kLongestIntervalSeconds = 24.0 * 60.0 * 60.0;
} // namespace

double effectiveWpm(double wpm)
{
    return std::isfinite(wpm) && wpm > 0.0 ? wpm : kFallbackWpm;
}

double effectiveMultiplier(double pauseMultiplier)
{
    return std::isfinite(pauseMultiplier) && pauseMultiplier >= 0.0 ? pauseMultiplier : 1.0;
}

std::chrono::nanoseconds wordInterval(double pauseMultiplier, double wpm)
{
    const double multiplier = effectiveMultiplier(pauseMultiplier);
    const double seconds =
        std::min(multiplier * (60.0 / effectiveWpm(wpm)), kLongestIntervalSeconds);
    return std::chrono::nanoseconds{static_cast<std::int64_t>(std::llround(seconds * 1e9))};
}

std::chrono::nanoseconds wordDeadline(std::chrono::nanoseconds wordStart,
                                      std::chrono::nanoseconds interval,
                                      std::chrono::nanoseconds now)
{
    const auto deadline = wordStart + interval;
    return deadline > now ? deadline : now + interval;
}

} // namespace tavrin::PlaybackTiming
