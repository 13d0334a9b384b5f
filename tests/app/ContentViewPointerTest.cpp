#include "ContentViewFixture.h"

#include "app/ContextView.h"
#include "app/CoverView.h"

namespace tavrin::test {
namespace {

using namespace std::chrono_literals;

class ContentViewPointerTest : public ContentViewFixture
{
protected:
    ContextView* context() const { return child<ContextView>("contextView"); }
    CentredText* whereLine() const { return child<CentredText>("whereText"); }
};

TEST_F(ContentViewPointerTest, MovementPausesAndShowsControlsWhichFadeAfterThreeSeconds)
{
    addLastBook(makeTokens(50));
    show();
    QTest::keyClick(&view(), Qt::Key_Space);
    clock.advance(400ms);
    ASSERT_TRUE(isPlaying());
    ASSERT_TRUE(pointerHidden());

    movePointer();
    EXPECT_FALSE(pointerHidden());
    EXPECT_TRUE(session.isPaused());
    EXPECT_EQ(library.books().front().currentWordIndex, 2);
    EXPECT_TRUE(pauseSymbol()->isVisible());
    EXPECT_TRUE(buttonColumn()->isVisible());
    EXPECT_TRUE(progressBar()->isVisible());
    EXPECT_NEAR(progressBar()->progress(), 2.0 / 49.0, 1e-12);
    EXPECT_TRUE(context()->isVisible()) << "the text around the word, while paused";
    EXPECT_FALSE(child<CoverView>("coverView")->isVisible()) << "gives way to it";
    for (QWidget* other : {static_cast<QWidget*>(hud()), static_cast<QWidget*>(pauseSymbol()),
                           static_cast<QWidget*>(progressBar())}) {
        EXPECT_FALSE(context()->geometry().intersects(other->geometry()));
    }
    ASSERT_TRUE(whereLine()->isVisible());
    EXPECT_EQ(whereLine()->text().toStdString(), session.whereText());
    EXPECT_GT(whereLine()->geometry().center().y(), progressBar()->geometry().center().y());
    session.setWpm(600);
    EXPECT_EQ(whereLine()->text().toStdString(), session.whereText()) << "follows the speed";

    clock.advance(2999ms);
    EXPECT_TRUE(session.showGear());
    clock.advance(1ms);
    EXPECT_FALSE(session.showGear());
    EXPECT_TRUE(pointerHidden());
    EXPECT_TRUE(waitFor([this] { return !buttonColumn()->isVisible(); }));
    EXPECT_FALSE(progressBar()->isVisible());
    EXPECT_FALSE(whereLine()->isVisible());
    EXPECT_TRUE(pauseSymbol()->isVisible()) << "the pause sign stays";

    movePointer();
    EXPECT_FALSE(pointerHidden());
    EXPECT_TRUE(buttonColumn()->isVisible());
}

TEST_F(ContentViewPointerTest, AReportWithoutMovementIsNotMovement)
{
    addLastBook(makeTokens(50));
    show();
    movePointer();
    QTest::keyClick(&view(), Qt::Key_Space);
    ASSERT_TRUE(isPlaying());
    // The platform reports the pointer where it already rests (a window moved under it).
    reportPointerAgain();
    EXPECT_TRUE(isPlaying());
}

TEST_F(ContentViewPointerTest, ButtonsOpenTheirPanelsAndAnOpenPanelKeepsThemUp)
{
    addLastBook(makeTokens(5)); // an empty library would keep them up anyway
    show();
    movePointer();
    QTest::mouseClick(libraryButton(), Qt::LeftButton);
    EXPECT_TRUE(session.showBooks());
    clock.advance(5s);
    EXPECT_FALSE(pointerHidden());
    QTest::qWait(700); // longer than any fade
    EXPECT_TRUE(buttonColumn()->isVisible());

    QTest::mouseClick(gearButton(), Qt::LeftButton);
    EXPECT_TRUE(session.showSettings());
    QTest::mouseClick(child<ControlButton>("contentsButton"), Qt::LeftButton);
    EXPECT_TRUE(session.showContents());
}

TEST_F(ContentViewPointerTest, PanelFlagsKeepTheButtonsAfterTheControlsHide)
{
    addLastBook(makeTokens(5));
    show();
    session.toggleSettingsPanel(); // the buttons come with the panel, without movement
    EXPECT_TRUE(buttonColumn()->isVisible());
    EXPECT_FALSE(session.showGear());
    session.toggleSettingsPanel();
    EXPECT_TRUE(waitFor([this] { return !buttonColumn()->isVisible(); }));
}

TEST_F(ContentViewPointerTest, DraggingTheProgressBarMovesThroughTheBook)
{
    addLastBook(makeTokens(500), 100);
    show();
    movePointer();
    ProgressBar* bar = progressBar();
    ASSERT_TRUE(bar->isVisible());
    const int y = bar->height() / 2;
    const int w = bar->width();

    struct Step
    {
        const char* name;
        int x;
        std::int64_t index;
    };
    // One press at the middle, then a drag with the button held.
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(w / 2, y));
    EXPECT_EQ(session.currentIndex(), 249);
    for (const Step& s : {Step{"far right", w, 499}, Step{"past the right end", w + 30, 499},
                          Step{"a quarter", w / 4, 124}, Step{"past the left end", -30, 0},
                          Step{"far left", 0, 0}}) {
        QTest::mouseMove(bar, QPoint(s.x, y));
        EXPECT_EQ(session.currentIndex(), s.index) << s.name;
        EXPECT_EQ(wordView()->word(), QStringLiteral("w%1").arg(s.index)) << s.name;
        EXPECT_EQ(library.books().front().currentWordIndex, s.index) << s.name;
    }
    QTest::mouseMove(bar, QPoint(w + 30, y));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(w + 30, y));
    EXPECT_EQ(session.currentIndex(), 499);
    EXPECT_EQ(progressBar()->progress(), 1.0);

    // Moving without the button held seeks nothing.
    QTest::mouseMove(bar, QPoint(w / 2, y));
    EXPECT_EQ(session.currentIndex(), 499);
    EXPECT_FALSE(session.isPlaying()) << "seeking leaves the play state alone";
    EXPECT_TRUE(session.feedbackText().empty()) << "and shows no message";
}

} // namespace
} // namespace tavrin::test
