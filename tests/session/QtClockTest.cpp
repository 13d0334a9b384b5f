#include "session/QtClock.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include <vector>

namespace tavrin {
namespace {

using namespace std::chrono_literals;

// Timers fire once and never early; a cancelled or replaced callback never runs; a callback
// may restart or destroy its own timer.
TEST(QtClockTest, TimersFireOnceOnTimeAndSurviveTheirCallbacks)
{
    QtClock clock;
    auto timer = clock.createTimer();
    auto cancelled = clock.createTimer();
    auto doomed = clock.createTimer();
    std::vector<int> calls;
    std::chrono::nanoseconds firedAfter{0};
    const auto start = clock.now();
    cancelled->start(5ms, [&] { calls.push_back(-1); });
    timer->start(5ms, [&] { calls.push_back(-2); });
    std::function<void()> again = [&] {
        calls.push_back(static_cast<int>(calls.size()));
        firedAfter = clock.now() - start;
        if (calls.size() < 3) {
            timer->start(1ms, again);
        }
    };
    timer->start(20ms, again);
    doomed->start(1ms, [&] { doomed.reset(); });
    cancelled->cancel();

    // Waiting for the latest timer rather than for a fixed time keeps this steady on a busy
    // machine: the dropped callbacks were due earlier, so they would have run by then.
    QElapsedTimer elapsed;
    elapsed.start();
    while ((calls.size() < 3 || doomed) && elapsed.elapsed() < 2000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    EXPECT_EQ(calls, (std::vector<int>{0, 1, 2}));
    EXPECT_GE(firedAfter, 22ms);
    EXPECT_FALSE(timer->isActive());
    EXPECT_FALSE(doomed);
}

} // namespace
} // namespace tavrin
