#include "ContentViewFixture.h"

#include "app/ContextView.h"
#include "app/CoverView.h"

#include <QListWidget>

namespace tavrin::test {
namespace {

using namespace std::chrono_literals;

using ContentViewPointerTest = ContentViewFixture;

TEST_F(ContentViewPointerTest, MovementPausesAndShowsControlsWhichFadeAfterThreeSeconds)
{
    addLastBook(makeTokens(500));
    show();
    movePointer();
    QTest::keyClick(&view(), Qt::Key_Space);
    EXPECT_FALSE(progressBar()->isVisible()) << "playing hides the controls without animation";
    EXPECT_FALSE(buttonColumn()->isVisible());
    ASSERT_TRUE(pointerHidden());
    // The platform reports the pointer where it already rests (a window moved under it).
    reportPointerAgain();
    ASSERT_TRUE(isPlaying()) << "a report without movement is not movement";
    clock.advance(400ms);

    movePointer();
    EXPECT_FALSE(pointerHidden());
    EXPECT_EQ(library.books().front().currentWordIndex, 2);
    EXPECT_TRUE(pauseSymbol()->isVisible());
    EXPECT_TRUE(buttonColumn()->isVisible());
    EXPECT_TRUE(progressBar()->isVisible());
    EXPECT_NEAR(progressBar()->progress(), 2.0 / 499.0, 1e-12);
    auto* context = child<ContextView>("contextView");
    EXPECT_TRUE(context->isVisible()) << "the text around the word, while paused";
    EXPECT_FALSE(child<CoverView>("coverView")->isVisible()) << "gives way to it";
    for (QWidget* other : std::initializer_list<QWidget*>{hud(), pauseSymbol(), progressBar()}) {
        EXPECT_FALSE(context->geometry().intersects(other->geometry()));
    }
    auto* whereLine = child<CentredText>("whereText");
    ASSERT_TRUE(whereLine->isVisible());
    EXPECT_GT(whereLine->geometry().center().y(), progressBar()->geometry().center().y());
    const QString timeLeft = whereLine->text();
    session.setWpm(600);
    EXPECT_NE(whereLine->text(), timeLeft);
    EXPECT_EQ(whereLine->text().toStdString(), session.whereText()) << "follows the speed";
    Q_EMIT context->wordClicked(7);
    EXPECT_EQ(session.currentIndex(), 7) << "a click on a word of the text around goes there";

    clock.advance(2999ms);
    EXPECT_TRUE(session.showGear());
    clock.advance(1ms);
    EXPECT_TRUE(pointerHidden());
    EXPECT_TRUE(waitFor([this] { return !buttonColumn()->isVisible(); }));
    EXPECT_FALSE(progressBar()->isVisible());
    EXPECT_FALSE(whereLine->isVisible());
    EXPECT_TRUE(pauseSymbol()->isVisible()) << "the pause sign stays";
}

TEST_F(ContentViewPointerTest, ButtonsOpenTheirPanelsAndAnOpenPanelKeepsThemUp)
{
    addLastBook(makeTokens(5)); // an empty library would keep them up anyway
    show();
    session.toggleSettingsPanel(); // the buttons come with the panel, without movement
    EXPECT_TRUE(buttonColumn()->isVisible());
    session.toggleSettingsPanel();
    EXPECT_TRUE(waitFor([this] { return !buttonColumn()->isVisible(); }));

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

    // The open contents follow the reading.
    session.openBook(library.books().front(), makeTokens(30), {{"One", 0, 0}, {"Two", 20, 0}});
    session.goToWord(25);
    const QListWidget* entries = child<QListWidget>("contentsList");
    ASSERT_EQ(entries->count(), 2);
    EXPECT_TRUE(entries->item(1)->data(Qt::UserRole + 3).toBool());
}

TEST_F(ContentViewPointerTest, DraggingTheProgressBarMovesThroughTheBook)
{
    addLastBook(makeTokens(500), 100);
    show();
    movePointer();
    ProgressBar* bar = progressBar();
    const int y = bar->height() / 2;
    const int w = bar->width();
    // One press at the middle, then a drag with the button held.
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(w / 2, y));
    EXPECT_EQ(session.currentIndex(), 249);
    for (const auto& [x, index] : std::initializer_list<std::pair<int, std::int64_t>>{
             {w, 499}, {w + 30, 499}, {w / 4, 124}, {-30, 0}, {0, 0}}) {
        QTest::mouseMove(bar, QPoint(x, y));
        EXPECT_EQ(session.currentIndex(), index) << x;
        EXPECT_EQ(wordView()->word(), QStringLiteral("w%1").arg(index)) << x;
        EXPECT_EQ(library.books().front().currentWordIndex, index) << x;
    }
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(0, y));
    EXPECT_EQ(session.currentIndex(), 0);
    // Moving without the button held seeks nothing.
    QTest::mouseMove(bar, QPoint(w / 2, y));
    EXPECT_EQ(session.currentIndex(), 0);
    EXPECT_FALSE(session.isPlaying()) << "seeking leaves the play state alone";
    EXPECT_TRUE(session.feedbackText().empty()) << "and shows no message";
}

} // namespace
} // namespace tavrin::test
