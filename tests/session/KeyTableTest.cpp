#include "SessionFixture.h"

#include "session/KeyTable.h"

#include <QtCore/qnamespace.h>

#include <algorithm>
#include <string_view>

namespace tavrin::test {
namespace {

using Command = ReaderCommand;

TEST(KeyTableTest, QtKeysWhenThePlatformGivesNoPhysicalKey)
{
    const struct
    {
        int key;
        bool shift;
        std::optional<Command> command;
    } cases[] = {
        {Qt::Key_Space, false, Command::playPause},  {Qt::Key_Space, true, Command::playPause},
        {Qt::Key_W, false, Command::nextChapter},    {Qt::Key_S, false, Command::previousChapter},
        {Qt::Key_D, false, Command::skipForward},    {Qt::Key_A, true, Command::skipBack},
        {Qt::Key_Right, false, Command::faster},     {Qt::Key_Right, true, Command::fasterFine},
        {Qt::Key_Left, false, Command::slower},      {Qt::Key_Left, true, Command::slowerFine},
        {Qt::Key_Up, true, Command::largerFont},     {Qt::Key_Down, false, Command::smallerFont},
        {Qt::Key_Escape, false, Command::escape},    {Qt::Key_Q, false, Command::sentenceBack},
        {Qt::Key_E, true, Command::sentenceForward}, {Qt::Key_T, false, Command::contents},
        {Qt::Key_Comma, false, Command::wordBack},   {Qt::Key_Period, false, Command::wordForward},
        {Qt::Key_F11, false, std::nullopt},          {Qt::Key_Shift, true, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(KeyTable::commandFor(std::nullopt, c.key, c.shift), c.command) << c.key;
    }
}

#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
TEST(KeyTableTest, X11KeycodesFromKeyEvents)
{
    using C = ReaderCommand;
    const struct
    {
        std::uint32_t scanCode;
        int qtKey;
        bool shift;
        std::optional<Command> command;
    } cases[] = {
        {25, Qt::Key_Z, false, C::nextChapter},  // W's position on a German layout
        {38, Qt::Key_Q, false, C::skipBack},     // A's position on a French layout
        {24, Qt::Key_A, false, C::sentenceBack}, // ... where Q's position types "a"
        // clang-format off
        {65, Qt::Key_Space, false, C::playPause}, {40, Qt::Key_D, false, C::skipForward},
        {39, Qt::Key_S, false, C::previousChapter}, {9, Qt::Key_Escape, false, C::escape},
        {26, Qt::Key_E, false, C::sentenceForward}, {28, Qt::Key_T, false, C::contents},
        {59, Qt::Key_Comma, false, C::wordBack}, {60, Qt::Key_Period, false, C::wordForward},
        {113, Qt::Key_Left, true, C::slowerFine}, {113, Qt::Key_Left, false, C::slower},
        {114, Qt::Key_Right, false, C::faster}, {114, Qt::Key_Right, true, C::fasterFine},
        {111, Qt::Key_Up, false, C::largerFont}, {116, Qt::Key_Down, false, C::smallerFont},
        // clang-format on
        {0, Qt::Key_W, false, C::nextChapter},  // no keycode: the offscreen platform
        {9999, Qt::Key_A, false, std::nullopt}, // an unlisted key typing a listed letter
    };
    for (const auto& c : cases) {
        EXPECT_EQ(KeyTable::commandForEvent(c.scanCode, 0, c.qtKey, c.shift), c.command)
            << c.scanCode;
    }
    // Shortcuts on the newer letters pass on (Ctrl+Q quits); the older keys stay as they were.
    EXPECT_EQ(KeyTable::commandForEvent(24, 0, Qt::Key_Q, false, true), std::nullopt);
    EXPECT_EQ(KeyTable::commandForEvent(40, 0, Qt::Key_D, false, true), C::skipForward);
}
#endif

using KeyCommandsTest = SessionFixture;

// Each command through the table: where it leads, what it shows and saves. A move that
// cannot happen (no later chapter) changes and saves nothing.
TEST_F(KeyCommandsTest, EachCommandRunsItsOperation)
{
    std::vector<std::int64_t> chapters(100, 1);
    std::fill_n(chapters.begin(), 60, 0);
    auto tokens = makeTokens(100, chapters);
    tokens[39].pauseMultiplier = 3.0;
    tokens[69].pauseMultiplier = 3.5;
    const struct
    {
        Command command;
        std::int64_t from, to;
        const char* hud; // "" when none; moves also save their word
        double wpm = 300.0, fontSize = 60.0;
        bool playing = false;
    } cases[] = {
        {Command::playPause, 50, 50, "", 300.0, 60.0, true},
        {Command::nextChapter, 50, 60, "Chapter 2"},
        {Command::nextChapter, 70, 70, ""},
        {Command::previousChapter, 50, 0, "Chapter 1"},
        {Command::skipForward, 50, 75, "Word 76"},
        {Command::skipBack, 50, 25, "Word 26"},
        {Command::sentenceBack, 50, 40, "Word 41"},
        {Command::sentenceForward, 50, 70, "Word 71"},
        {Command::wordBack, 50, 49, "Word 50"},
        {Command::wordForward, 50, 51, "Word 52"},
        {Command::faster, 50, 50, "310 WPM", 310.0},
        {Command::fasterFine, 50, 50, "301 WPM", 301.0},
        {Command::slower, 50, 50, "290 WPM", 290.0},
        {Command::slowerFine, 50, 50, "299 WPM", 299.0},
        {Command::largerFont, 50, 50, "62 pt", 300.0, 62.0},
        {Command::smallerFont, 50, 50, "58 pt", 300.0, 58.0},
        {Command::contents, 50, 50, ""},
        {Command::escape, 50, 50, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.command));
        open(tokens, c.from);
        session.setWpm(300.0);
        session.setFontSize(60.0);
        session.showHUD("");
        clearRecords();
        KeyTable::run(c.command, session);
        EXPECT_EQ(session.currentIndex(), c.to);
        EXPECT_EQ(session.feedbackText(), c.hud);
        const bool moved = std::string_view(c.hud).starts_with("Chapter") ||
                           std::string_view(c.hud).starts_with("Word");
        EXPECT_EQ(saved, moved ? std::vector<std::int64_t>{c.to} : std::vector<std::int64_t>{});
        EXPECT_EQ(session.wpm(), c.wpm);
        EXPECT_EQ(session.fontSize(), c.fontSize);
        EXPECT_EQ(session.isPlaying(), c.playing);
    }
}

} // namespace
} // namespace tavrin::test
