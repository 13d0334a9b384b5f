#include "session/QtClock.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <vector>

namespace tavrin {
namespace {

using namespace std::chrono_literals;

/// Runs the event loop until done() or the time limit.
template<typename Done> void runEventsUntil(Done done, std::chrono::milliseconds limit = 2000ms)
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (!done() && elapsed.elapsed() < limit.count()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
}

TEST(QtClockTest, FiresOnceOnTheOwningThreadNoEarlierThanAsked)
{
    QtClock clock;
    auto timer = clock.createTimer();
    std::vector<std::chrono::nanoseconds> fired;
    QThread* thread = nullptr;
    const auto start = clock.now();
    timer->start(20ms, [&] {
        fired.push_back(clock.now() - start);
        thread = QThread::currentThread();
    });
    EXPECT_TRUE(timer->isActive());
    runEventsUntil([&] { return !fired.empty(); });
    runEventsUntil([] { return false; }, 50ms);

    ASSERT_EQ(fired.size(), 1u);
    EXPECT_GE(fired.front(), 20ms);
    EXPECT_EQ(thread, QThread::currentThread());
    EXPECT_FALSE(timer->isActive());
}

TEST(QtClockTest, ACancelledOrReplacedTimerNeverCallsBack)
{
    QtClock clock;
    auto cancelled = clock.createTimer();
    auto replaced = clock.createTimer();
    std::vector<int> calls;
    cancelled->start(5ms, [&] { calls.push_back(1); });
    replaced->start(5ms, [&] { calls.push_back(2); });
    replaced->start(15ms, [&] { calls.push_back(3); });
    cancelled->cancel();
    EXPECT_FALSE(cancelled->isActive());

    // Waiting for the latest timer rather than for a fixed time keeps this steady on a busy
    // machine: the dropped callbacks were due earlier, so they would have run by then.
    runEventsUntil([&] { return !calls.empty() && calls.back() == 3; });
    EXPECT_EQ(calls, std::vector<int>{3});
}

TEST(QtClockTest, ACallbackMayRestartOrDestroyItsTimer)
{
    QtClock clock;
    auto chained = clock.createTimer();
    int rounds = 0;
    std::function<void()> again = [&] {
        if (++rounds < 3) {
            chained->start(1ms, again);
        }
    };
    chained->start(1ms, again);

    auto doomed = clock.createTimer();
    bool destroyed = false;
    doomed->start(1ms, [&] {
        doomed.reset();
        destroyed = true;
    });

    runEventsUntil([&] { return rounds == 3 && destroyed; });
    EXPECT_EQ(rounds, 3);
    EXPECT_TRUE(destroyed);
}

} // namespace
} // namespace tavrin
