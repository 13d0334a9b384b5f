#include "SessionFixture.h"

#include "session/KeyTable.h"
#include "session/ScanCodes.h"

#include <QtCore/qnamespace.h>

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

TEST(KeyTableTest, PhysicalKeysDecideWhateverTheLayoutTypes)
{
    if (!ScanCodes::kReaderKeys) {
        GTEST_SKIP() << "this platform has no physical key table";
    }
    const auto& keys = *ScanCodes::kReaderKeys;
    const struct
    {
        std::uint32_t code;
        bool shift;
        Command command;
    } cases[] = {
        {keys.space, true, Command::playPause},     {keys.w, false, Command::nextChapter},
        {keys.s, false, Command::previousChapter},  {keys.d, false, Command::skipForward},
        {keys.a, false, Command::skipBack},         {keys.right, false, Command::faster},
        {keys.right, true, Command::fasterFine},    {keys.left, false, Command::slower},
        {keys.left, true, Command::slowerFine},     {keys.up, false, Command::largerFont},
        {keys.down, true, Command::smallerFont},    {keys.q, false, Command::sentenceBack},
        {keys.e, false, Command::sentenceForward},  {keys.comma, true, Command::wordBack},
        {keys.period, false, Command::wordForward}, {keys.t, false, Command::contents},
        {keys.escape, false, Command::escape},
    };
    for (const auto& c : cases) {
        // The Qt key is what another layout might type on that key; it does not matter.
        EXPECT_EQ(KeyTable::commandFor(c.code, Qt::Key_Q, c.shift), c.command) << c.code;
    }
    // A key the table does not list passes on even when it types a listed letter.
    EXPECT_EQ(KeyTable::commandFor(9999, Qt::Key_A, false), std::nullopt);
    // Shortcuts on the newer letters pass on (Ctrl+Q quits); the older keys stay as they were.
    EXPECT_EQ(KeyTable::commandFor(keys.q, Qt::Key_Q, false, true), std::nullopt);
    EXPECT_EQ(KeyTable::commandFor(keys.d, Qt::Key_D, false, true), Command::skipForward);
}

#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
TEST(KeyTableTest, X11KeycodesFromKeyEvents)
{
    const struct
    {
        std::uint32_t scanCode;
        int qtKey;
        bool shift;
        std::optional<Command> command;
    } cases[] = {
        {65, Qt::Key_Space, false, Command::playPause},
        {25, Qt::Key_Z, false, Command::nextChapter}, // W's position on a German layout
        {39, Qt::Key_S, false, Command::previousChapter},
        {40, Qt::Key_D, false, Command::skipForward},
        {38, Qt::Key_Q, false, Command::skipBack},     // A's position on a French layout
        {24, Qt::Key_A, false, Command::sentenceBack}, // ... where Q's position types "a"
        {26, Qt::Key_E, false, Command::sentenceForward},
        {28, Qt::Key_T, false, Command::contents},
        {59, Qt::Key_Comma, false, Command::wordBack},
        {60, Qt::Key_Period, false, Command::wordForward},
        {113, Qt::Key_Left, true, Command::slowerFine},
        {114, Qt::Key_Right, false, Command::faster},
        {111, Qt::Key_Up, false, Command::largerFont},
        {116, Qt::Key_Down, false, Command::smallerFont},
        {9, Qt::Key_Escape, false, Command::escape},
        {0, Qt::Key_W, false, Command::nextChapter}, // no keycode: the offscreen platform
    };
    for (const auto& c : cases) {
        EXPECT_EQ(KeyTable::commandForEvent(c.scanCode, 0, c.qtKey, c.shift), c.command)
            << c.scanCode;
    }
}
#endif

class KeyCommandsTest : public SessionFixture
{};

TEST_F(KeyCommandsTest, EachCommandRunsItsOperation)
{
    auto tokens = makeTokens(100);
    for (std::size_t i = 60; i < tokens.size(); ++i) {
        tokens[i].chapterIndex = 1;
    }
    tokens[39].pauseMultiplier = 3.0;
    tokens[69].pauseMultiplier = 3.5;
    const struct
    {
        Command command;
        std::int64_t index;
        double wpm;
        double fontSize;
        bool playing;
    } cases[] = {
        {Command::playPause, 50, 300.0, 60.0, true},
        {Command::nextChapter, 60, 300.0, 60.0, false},
        {Command::previousChapter, 0, 300.0, 60.0, false},
        {Command::skipForward, 75, 300.0, 60.0, false},
        {Command::skipBack, 25, 300.0, 60.0, false},
        {Command::faster, 50, 310.0, 60.0, false},
        {Command::fasterFine, 50, 301.0, 60.0, false},
        {Command::slower, 50, 290.0, 60.0, false},
        {Command::slowerFine, 50, 299.0, 60.0, false},
        {Command::largerFont, 50, 300.0, 62.0, false},
        {Command::smallerFont, 50, 300.0, 58.0, false},
        {Command::sentenceBack, 40, 300.0, 60.0, false},
        {Command::sentenceForward, 70, 300.0, 60.0, false},
        {Command::wordBack, 49, 300.0, 60.0, false},
        {Command::wordForward, 51, 300.0, 60.0, false},
        {Command::contents, 50, 300.0, 60.0, false},
        {Command::escape, 50, 300.0, 60.0, false},
    };
    for (const auto& c : cases) {
        open(tokens, 50);
        session.setWpm(300.0);
        session.setFontSize(60.0);
        KeyTable::run(c.command, session);
        EXPECT_EQ(session.currentIndex(), c.index) << static_cast<int>(c.command);
        EXPECT_EQ(session.wpm(), c.wpm) << static_cast<int>(c.command);
        EXPECT_EQ(session.fontSize(), c.fontSize) << static_cast<int>(c.command);
        EXPECT_EQ(session.isPlaying(), c.playing) << static_cast<int>(c.command);
    }
}

} // namespace
} // namespace tavrin::test
