#include "support/TestHome.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <random>
#include <thread>

namespace tavrin {
namespace {

struct CheckResult
{
    bool ok = false;
    std::size_t books = 0;
    bool settingsExist = false;
    std::string output;
};

CheckResult runCheck()
{
    QProcess check;
    check.start(QStringLiteral(TAVRIN_CRASH_HELPER), {QStringLiteral("check")});
    CheckResult result;
    if (!check.waitForFinished(60'000)) {
        result.output = "check did not finish";
        return result;
    }
    result.output = (check.readAllStandardOutput() + check.readAllStandardError()).toStdString();
    if (check.exitStatus() != QProcess::NormalExit || check.exitCode() != 0) {
        return result;
    }
    int settings = 0;
    result.ok = std::sscanf(result.output.c_str(), "%zu %d", &result.books, &settings) == 2;
    result.settingsExist = settings == 1;
    return result;
}

// A writer killed at any moment leaves the library value, the settings file and every token
// cache readable, and never loses the books it had already stored.
TEST(CrashTest, KilledWritersLeaveEveryFileReadable)
{
    test::TestHome home;
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> delayMs(0, 120);

    std::size_t storedBefore = 0;
    bool settingsBefore = false;
    for (int round = 0; round < 30; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        QProcess churn;
        churn.start(QStringLiteral(TAVRIN_CRASH_HELPER), {QStringLiteral("churn")});
        ASSERT_TRUE(churn.waitForStarted(10'000));
        ASSERT_TRUE(churn.waitForReadyRead(30'000)) << "the writer never got going";
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs(random)));
        ::kill(static_cast<pid_t>(churn.processId()), SIGKILL);
        ASSERT_TRUE(churn.waitForFinished(10'000));

        const CheckResult check = runCheck();
        ASSERT_TRUE(check.ok) << check.output;
        // The writer keeps at most 12 books, dropping the oldest before each addition.
        EXPECT_GE(check.books, std::min<std::size_t>(storedBefore, 11));
        EXPECT_TRUE(check.settingsExist || !settingsBefore);
        storedBefore = check.books;
        settingsBefore = check.settingsExist;
    }
    EXPECT_GT(storedBefore, 0u);
    // Had a start ever met an unreadable library, it would have set it aside.
    EXPECT_TRUE(QDir(QFileInfo(home.preferencesFile()).absolutePath())
                    .entryList({QStringLiteral("*.bak")}, QDir::Files)
                    .isEmpty());
}

} // namespace
} // namespace tavrin
