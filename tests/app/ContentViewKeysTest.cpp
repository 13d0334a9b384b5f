#include "ContentViewFixture.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QWindow>

namespace tavrin::test {
namespace {

using namespace std::chrono_literals;

/// Records the key presses that reach an object.
class KeyRecorder : public QObject
{
public:
    std::vector<int> keys;

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            keys.push_back(static_cast<QKeyEvent*>(event)->key());
        }
        return false;
    }
};

/// A book of 100 words in three chapters (0–39, 40–69, 70–99), reopened at word 50.
class ContentViewKeysTest : public ContentViewFixture
{
protected:
    void SetUp() override
    {
        std::vector<std::int64_t> chapters(100, 0);
        std::fill(chapters.begin() + 40, chapters.end(), 1);
        std::fill(chapters.begin() + 70, chapters.end(), 2);
        addLastBook(makeTokens(100, chapters), 50);
        show();
        ASSERT_EQ(session.currentIndex(), 50);
    }
};

struct KeyCase
{
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    std::int64_t index;
    double wpm;
    double fontSize;
    const char* hud;
};

TEST_F(ContentViewKeysTest, EachKeyRunsItsCommandAndShowsItsMessage)
{
    // Each command's own effect is the session's (its tests); here, that the window's key
    // events reach it with Shift read and other modifiers passed over, and what it shows.
    const KeyCase cases[] = {
        {"shift left", Qt::Key_Left, Qt::ShiftModifier, 50, 299, 60, "299 WPM"},
        {"ctrl right is coarse", Qt::Key_Right, Qt::ControlModifier, 50, 310, 60, "310 WPM"},
        {"down", Qt::Key_Down, Qt::ShiftModifier, 50, 300, 58, "58 pt"},
        {"d", Qt::Key_D, Qt::NoModifier, 75, 300, 60, "Word 76"},
        {"ctrl w", Qt::Key_W, Qt::ControlModifier, 70, 300, 60, "Chapter 3"},
        {"alt a", Qt::Key_A, Qt::AltModifier, 25, 300, 60, "Word 26"},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.name);
        session.seekToFraction(50.0 / 99.0);
        session.setWpm(300);
        session.setFontSize(60);
        ASSERT_EQ(session.currentIndex(), 50);

        QTest::keyClick(&view(), c.key, c.modifiers);
        EXPECT_EQ(session.currentIndex(), c.index);
        EXPECT_EQ(session.wpm(), c.wpm);
        EXPECT_EQ(session.fontSize(), c.fontSize);
        EXPECT_EQ(hud()->text(), QString::fromLatin1(c.hud));
        EXPECT_TRUE(hud()->isVisible());
        EXPECT_EQ(wordView()->word(), QStringLiteral("w%1").arg(c.index));
    }
}

TEST_F(ContentViewKeysTest, SpacePlaysAndPausesAndPlayingHidesControlsAndPointer)
{
    movePointer();
    ASSERT_TRUE(buttonColumn()->isVisible());

    QTest::keyClick(&view(), Qt::Key_Space, Qt::ShiftModifier);
    EXPECT_TRUE(isPlaying());
    EXPECT_FALSE(session.showGear());
    EXPECT_TRUE(pointerHidden());
    EXPECT_FALSE(progressBar()->isVisible()) << "hidden without animation";
    EXPECT_FALSE(buttonColumn()->isVisible());

    clock.advance(200ms); // one word at 300 wpm
    EXPECT_EQ(wordView()->word(), QStringLiteral("w51"));

    QTest::keyClick(&view(), Qt::Key_Space);
    EXPECT_TRUE(session.isPaused());
    EXPECT_TRUE(pauseSymbol()->isVisible());
    clock.advance(1s);
    EXPECT_EQ(wordView()->word(), QStringLiteral("w51"));
}

TEST_F(ContentViewKeysTest, ReaderKeysAreConsumedOthersReachTheWindow)
{
    KeyRecorder recorder;
    view().installEventFilter(&recorder);
    for (Qt::Key key : {Qt::Key_Space, Qt::Key_W, Qt::Key_S, Qt::Key_A, Qt::Key_D, Qt::Key_Left,
                        Qt::Key_Right, Qt::Key_Up, Qt::Key_Down}) {
        QTest::keyClick(&view(), key);
    }
    EXPECT_TRUE(recorder.keys.empty());

    QTest::keyClick(&view(), Qt::Key_Z);
    QTest::keyClick(&view(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(recorder.keys, (std::vector<int>{Qt::Key_Z, Qt::Key_Control, Qt::Key_Q}));
}

TEST_F(ContentViewKeysTest, KeysWorkWhicheverWidgetOfTheWindowHasFocus)
{
    // A text field standing in for a control of an open panel.
    auto* field = new QLineEdit(&view());
    field->show();
    field->setFocus();
    QTest::keyClick(field, Qt::Key_W);
    EXPECT_EQ(session.currentIndex(), 70);
    EXPECT_TRUE(field->text().isEmpty());
    QTest::keyClick(field, Qt::Key_X);
    EXPECT_EQ(field->text(), QStringLiteral("x"));
}

TEST_F(ContentViewKeysTest, AnotherWindowKeepsItsOwnKeys)
{
    // A dialog's text field: typing a file name must not move the reader.
    QLineEdit dialogField;
    dialogField.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialogField));
    QTest::keyClicks(&dialogField, QStringLiteral("wasd "));
    EXPECT_EQ(dialogField.text(), QStringLiteral("wasd "));
    EXPECT_EQ(session.currentIndex(), 50);
    EXPECT_FALSE(session.isPlaying());
}

TEST_F(ContentViewKeysTest, AnOpenPopUpMenuKeepsItsArrowKeys)
{
    QMenu menu(&view());
    menu.addAction(QStringLiteral("One"));
    menu.addAction(QStringLiteral("Two"));
    menu.popup(view().mapToGlobal(QPoint(20, 20)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    // Keys arrive at the reader's platform window, which hands them to the pop-up.
    QTest::keyClick(view().windowHandle(), Qt::Key_Down);
    EXPECT_EQ(session.fontSize(), 60.0);
    EXPECT_NE(menu.activeAction(), nullptr);

    menu.close();
    QTest::keyClick(view().windowHandle(), Qt::Key_Down);
    EXPECT_EQ(session.fontSize(), 58.0);
}

TEST_F(ContentViewKeysTest, HeldKeysRepeatTheirCommand)
{
    for (int i = 0; i < 3; ++i) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier, QString(), i > 0);
        QApplication::sendEvent(&view(), &press);
    }
    EXPECT_EQ(session.wpm(), 330.0);
    EXPECT_EQ(hud()->text(), QStringLiteral("330 WPM"));
}

#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
TEST_F(ContentViewKeysTest, KeysAreBoundByPositionNotByTheLetterTyped)
{
    // On a French layout the key in A's place types "q", and the key typing "a" sits in Q's
    // place (X keycodes 38 and 24).
    QKeyEvent qInAsPlace(QEvent::KeyPress, Qt::Key_Q, Qt::NoModifier, 38, 0, 0,
                         QStringLiteral("q"));
    QApplication::sendEvent(&view(), &qInAsPlace);
    EXPECT_EQ(session.currentIndex(), 25);

    QKeyEvent aInQsPlace(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, 24, 0, 0,
                         QStringLiteral("a"));
    QApplication::sendEvent(&view(), &aInQsPlace);
    EXPECT_EQ(session.currentIndex(), 0) << "Q's place: back to the sentence's start";
}
#endif

} // namespace
} // namespace tavrin::test
