#include "ContentViewFixture.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>

namespace tavrin::test {
namespace {

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

TEST_F(ContentViewKeysTest, EachKeyRunsItsCommandAndShowsItsMessage)
{
    // Each command's own effect is the session's (its tests); here, that the window's key
    // events reach it with Shift read and other modifiers passed over, and what it shows.
    const struct
    {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        quint32 scanCode;
        std::int64_t index;
        double wpm;
        double fontSize;
        const char* hud;
    } cases[] = {
        {Qt::Key_Left, Qt::ShiftModifier, 0, 50, 299, 60, "299 WPM"},
        {Qt::Key_Right, Qt::ControlModifier, 0, 50, 310, 60, "310 WPM"},
        {Qt::Key_Down, Qt::ShiftModifier, 0, 50, 300, 58, "58 pt"},
        {Qt::Key_D, Qt::NoModifier, 0, 75, 300, 60, "Word 76"},
        {Qt::Key_W, Qt::ControlModifier, 0, 70, 300, 60, "Chapter 3"},
        // Bound by position: on a French layout the key in A's place (X keycode 38) types "q".
        {Qt::Key_Q, Qt::NoModifier, 38, 25, 300, 60, "Word 26"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hud);
        session.seekToFraction(50.0 / 99.0);
        session.setWpm(300);
        session.setFontSize(60);
        QKeyEvent press(QEvent::KeyPress, c.key, c.modifiers, c.scanCode, 0, 0);
        QApplication::sendEvent(&view(), &press);
        EXPECT_EQ(session.currentIndex(), c.index);
        EXPECT_EQ(session.wpm(), c.wpm);
        EXPECT_EQ(session.fontSize(), c.fontSize);
        EXPECT_EQ(hud()->text(), QString::fromLatin1(c.hud));
        EXPECT_TRUE(hud()->isVisible());
        EXPECT_EQ(wordView()->word(), QStringLiteral("w%1").arg(c.index));
    }
}

TEST_F(ContentViewKeysTest, ReaderKeysAreTakenWhicheverWidgetOfTheWindowHasFocus)
{
    // A text field standing in for a control of an open panel: reader keys never type.
    auto* field = new QLineEdit(&view());
    field->show();
    field->setFocus();
    QTest::keyClick(field, Qt::Key_W);
    EXPECT_EQ(session.currentIndex(), 70);
    QTest::keyClick(field, Qt::Key_X);
    EXPECT_EQ(field->text(), QStringLiteral("x"));
    session.toggleBooksPanel();
    session.toggleBooksPanel();
    EXPECT_TRUE(view().hasFocus()) << "closing a panel takes the keyboard back";
}

TEST_F(ContentViewKeysTest, AnotherWindowAndAnOpenPopUpMenuKeepTheirOwnKeys)
{
    QLineEdit dialogField; // a dialog's: typing a file name must not move the reader
    dialogField.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialogField));
    QTest::keyClicks(&dialogField, QStringLiteral("wasd "));
    EXPECT_EQ(dialogField.text(), QStringLiteral("wasd "));
    EXPECT_EQ(session.currentIndex(), 50);
    EXPECT_FALSE(session.isPlaying());

    QMenu menu(&view());
    menu.addAction(QStringLiteral("One"));
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

} // namespace
} // namespace tavrin::test
