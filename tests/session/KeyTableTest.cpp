#include "SessionFixture.h"

#include "session/KeyTable.h"

#include <QtCore/qnamespace.h>

#include <algorithm>
#include <string_view>

namespace tavrin::test {
namespace {

using C = ReaderCommand;

// Each key by its X11 keycode, and by its Qt key where the platform gives no keycode.
TEST(KeyTableTest, KeysByPositionAndByQtKey)
{
    const struct
    {
        std::uint32_t scanCode;
        int key;
        bool shift;
        std::optional<C> command;
    } cases[] = {
        {65, Qt::Key_Space, false, C::playPause},  {65, Qt::Key_Space, true, C::playPause},
        {25, Qt::Key_W, false, C::nextChapter},    {39, Qt::Key_S, false, C::previousChapter},
        {40, Qt::Key_D, false, C::skipForward},    {38, Qt::Key_A, true, C::skipBack},
        {114, Qt::Key_Right, false, C::faster},    {114, Qt::Key_Right, true, C::fasterFine},
        {113, Qt::Key_Left, false, C::slower},     {113, Qt::Key_Left, true, C::slowerFine},
        {111, Qt::Key_Up, true, C::largerFont},    {116, Qt::Key_Down, false, C::smallerFont},
        {9, Qt::Key_Escape, false, C::escape},     {24, Qt::Key_Q, false, C::sentenceBack},
        {26, Qt::Key_E, true, C::sentenceForward}, {28, Qt::Key_T, false, C::contents},
        {59, Qt::Key_Comma, false, C::wordBack},   {60, Qt::Key_Period, false, C::wordForward},
        {95, Qt::Key_F11, false, std::nullopt},    {50, Qt::Key_Shift, true, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(KeyTable::commandFor(std::nullopt, c.key, c.shift), c.command) << c.key;
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
        EXPECT_EQ(KeyTable::commandForEvent(c.scanCode, 0, c.key, c.shift), c.command)
            << c.scanCode;
#endif
    }
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // On other layouts a key is judged by its position alone; 0 is no keycode (offscreen).
    EXPECT_EQ(KeyTable::commandForEvent(25, 0, Qt::Key_Z, false), C::nextChapter);  // German W
    EXPECT_EQ(KeyTable::commandForEvent(38, 0, Qt::Key_Q, false), C::skipBack);     // French A
    EXPECT_EQ(KeyTable::commandForEvent(24, 0, Qt::Key_A, false), C::sentenceBack); // French Q
    EXPECT_EQ(KeyTable::commandForEvent(0, 0, Qt::Key_W, false), C::nextChapter);
    EXPECT_EQ(KeyTable::commandForEvent(9999, 0, Qt::Key_A, false), std::nullopt);
    // Shortcuts on the newer letters pass on (Ctrl+Q quits); the older keys stay as they were.
    EXPECT_EQ(KeyTable::commandForEvent(24, 0, Qt::Key_Q, false, true), std::nullopt);
    EXPECT_EQ(KeyTable::commandForEvent(40, 0, Qt::Key_D, false, true), C::skipForward);
#endif
}

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
        C command;
        std::int64_t from, to;
        const char* hud; // "" when none; moves also save their word
        double wpm = 300.0, fontSize = 60.0;
        bool playing = false;
    } cases[] = {
        // clang-format off
        {C::playPause, 50, 50, "", 300.0, 60.0, true}, {C::nextChapter, 50, 60, "Chapter 2"},
        {C::nextChapter, 70, 70, ""}, {C::previousChapter, 50, 0, "Chapter 1"},
        {C::skipForward, 50, 75, "Word 76"}, {C::skipBack, 50, 25, "Word 26"},
        {C::sentenceBack, 50, 40, "Word 41"}, {C::sentenceForward, 50, 70, "Word 71"},
        {C::wordBack, 50, 49, "Word 50"}, {C::wordForward, 50, 51, "Word 52"},
        {C::faster, 50, 50, "310 WPM", 310.0}, {C::fasterFine, 50, 50, "301 WPM", 301.0},
        {C::slower, 50, 50, "290 WPM", 290.0}, {C::slowerFine, 50, 50, "299 WPM", 299.0},
        {C::largerFont, 50, 50, "62 pt", 300.0, 62.0}, {C::smallerFont, 50, 50, "58 pt", 300.0, 58.0},
        {C::contents, 50, 50, ""}, {C::escape, 50, 50, ""},
        // clang-format on
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
