#include "SessionFixture.h"

#include <tuple>

namespace tavrin::test {
namespace {

using namespace std::chrono_literals;
using Field = ReaderSession::Field;

using CommandsTest = SessionFixture;

// Without a book nothing moves; the speed still steps, within its limits.
TEST_F(CommandsTest, WithoutABookNothingMovesAndTheSpeedStaysWithinItsLimits)
{
    clearRecords();
    session.handleSpacebar();
    session.handleChapter(true);
    session.handleSkip(false);
    EXPECT_TRUE(changes.empty());
    EXPECT_EQ(pointerHides, 0);
    using Step = std::tuple<double, bool, double, const char*>; // from, faster, to, HUD
    for (const auto& [from, faster, to, hud] :
         {Step{600.0, true, 600.0, "600 WPM"}, Step{65.0, false, 60.0, "60 WPM"},
          Step{305.5, true, 315.5, "315 WPM"}, Step{0.0, true, 60.0, "60 WPM"},
          Step{5000.0, false, 600.0, "600 WPM"}}) {
        session.setWpm(from);
        session.handleArrow(faster, false);
        EXPECT_EQ(session.wpm(), to) << from;
        EXPECT_EQ(session.feedbackText(), hud) << from;
        EXPECT_TRUE(session.showFeedback());
    }
}

TEST_F(CommandsTest, HudStaysUpForOneAndAHalfSecondsAfterTheLatestMessage)
{
    session.showHUD("first");
    clock.advance(1s);
    session.showHUD("second");
    clock.advance(1499ms);
    EXPECT_TRUE(session.showFeedback());
    clock.advance(1ms);
    EXPECT_FALSE(session.showFeedback());
    EXPECT_EQ(session.feedbackText(), "second") << "the text stays for the fade";

    EXPECT_EQ(animationsOf(Field::showFeedback),
              (std::vector<Animation>{Animation::easeIn(0.15), Animation::easeOut(0.4)}));
}

TEST_F(CommandsTest, TheEndTheStartHintAndEscape)
{
    int leaveFullScreen = 0;
    const auto subscription =
        session.leaveFullScreenRequested.subscribe([&] { ++leaveFullScreen; });
    open(makeTokens(3));
    EXPECT_TRUE(session.showsStartHint());
    session.handleWordStep(true);
    EXPECT_FALSE(session.showsStartHint()) << "only at a chapter's start";
    session.handleWordStep(false);

    session.handleSpacebar();
    EXPECT_FALSE(session.showsStartHint());
    session.handleWordStep(true);
    EXPECT_EQ(session.currentIndex(), 0) << "no word steps while reading";
    clock.advance(1s);
    EXPECT_TRUE(isStopped());
    EXPECT_TRUE(session.isFinished());
    EXPECT_EQ(session.whereText(), "100% \u00B7 < 1 min left");
    EXPECT_FALSE(session.showsStartHint()) << "never again for this book";

    clearRecords();
    session.handleSpacebar();
    EXPECT_FALSE(session.isFinished());
    EXPECT_TRUE(session.isPlaying() && !session.isPaused());
    EXPECT_EQ(session.currentIndex(), 0);
    EXPECT_EQ(saved, std::vector<std::int64_t>{0});

    session.toggleContentsPanel();
    EXPECT_TRUE(session.showContents());
    session.handleEscape();
    EXPECT_FALSE(session.showContents());
    EXPECT_EQ(leaveFullScreen, 0);
    session.handleEscape();
    EXPECT_EQ(leaveFullScreen, 1);
}

TEST_F(CommandsTest, AContentsEntryOfATextCountsItsHeadings)
{
    auto tokens = makeTokens(9, {}, {1.0, 5.0, 1.0, 3.5, 5.0, 1.0, 1.0, 5.0, 3.5});
    for (const std::size_t heading : {0U, 1U, 4U, 7U}) {
        tokens[heading].isHeading = true;
    }
    open(tokens);
    ASSERT_EQ(session.contents().size(), 3u);
    session.toggleContentsPanel();
    session.goToContentsEntry(session.contents()[1].tokenIndex);
    EXPECT_FALSE(session.showContents());
    EXPECT_EQ(session.currentIndex(), 4);
    EXPECT_EQ(session.feedbackText(), "Chapter 2");
}

} // namespace
} // namespace tavrin::test
