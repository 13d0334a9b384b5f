#include "SessionFixture.h"

#include <cmath>
#include <limits>

namespace tavrin::test {
namespace {

using namespace std::chrono_literals;
using Field = ReaderSession::Field;

class PlaybackTest : public SessionFixture
{};

TEST_F(PlaybackTest, ThreeWordsAt300WpmShowFor200msEachThenStop)
{
    open(makeTokens(3));
    session.handleSpacebar();
    ASSERT_TRUE(isPlaying());

    clock.advance(199ms);
    EXPECT_EQ(session.currentIndex(), 0);
    clock.advance(1ms);
    EXPECT_EQ(session.currentIndex(), 1);
    clock.advance(200ms);
    EXPECT_EQ(session.currentIndex(), 2);
    EXPECT_TRUE(isPlaying());
    clock.advance(200ms);

    EXPECT_TRUE(isStopped());
    EXPECT_EQ(session.currentIndex(), 2);
    EXPECT_EQ(saved, (std::vector<std::int64_t>{1, 2}));
    EXPECT_EQ(clock.pendingTimers(), 0);
}

TEST_F(PlaybackTest, StartingOnTheLastWordShowsItOnceAndStops)
{
    open(makeTokens(3), 2);
    session.handleSpacebar();
    clock.advance(199ms);
    EXPECT_TRUE(isPlaying());
    clock.advance(1ms);
    EXPECT_TRUE(isStopped());
    EXPECT_EQ(session.currentIndex(), 2);
    EXPECT_TRUE(saved.empty());
}

TEST_F(PlaybackTest, ResumedWordGetsAFullIntervalAgain)
{
    open(makeTokens(3));
    session.handleSpacebar();
    clock.advance(150ms);
    session.handleSpacebar();
    EXPECT_TRUE(session.isPlaying() && session.isPaused());
    EXPECT_EQ(saved, (std::vector<std::int64_t>{0}));

    clock.advance(10s);
    EXPECT_EQ(session.currentIndex(), 0);
    EXPECT_EQ(clock.pendingTimers(), 0);

    session.handleSpacebar();
    EXPECT_TRUE(isPlaying());
    clock.advance(199ms);
    EXPECT_EQ(session.currentIndex(), 0);
    clock.advance(1ms);
    EXPECT_EQ(session.currentIndex(), 1);
}

TEST_F(PlaybackTest, SpeedChangeRestartsTheWordAtTheNewSpeed)
{
    open(makeTokens(3));
    session.handleSpacebar();
    clock.advance(150ms);
    session.handleArrow(true, false); // 310 wpm: 60/310 s = 193.5 ms
    EXPECT_TRUE(isPlaying());
    EXPECT_TRUE(saved.empty()) << "a speed change does not store the position";

    clock.advance(193ms);
    EXPECT_EQ(session.currentIndex(), 0);
    clock.advance(1ms);
    EXPECT_EQ(session.currentIndex(), 1);
    clock.advance(193ms);
    EXPECT_EQ(session.currentIndex(), 1);
    clock.advance(1ms);
    EXPECT_EQ(session.currentIndex(), 2);
}

TEST_F(PlaybackTest, SpeedChangeWhilePausedDoesNotResume)
{
    open(makeTokens(3));
    session.handleSpacebar();
    session.handleSpacebar();
    session.handleArrow(true, false);
    clock.advance(1s);
    EXPECT_TRUE(session.isPaused());
    EXPECT_EQ(session.currentIndex(), 0);
}

TEST_F(PlaybackTest, SkipAndChapterWhilePlayingRestartFromNow)
{
    auto tokens = makeTokens(100);
    for (std::size_t i = 50; i < tokens.size(); ++i) {
        tokens[i].chapterIndex = 1;
    }
    open(tokens);
    session.handleSpacebar();
    clock.advance(150ms);
    session.handleSkip(true);
    EXPECT_EQ(session.currentIndex(), 25);
    clock.advance(199ms);
    EXPECT_EQ(session.currentIndex(), 25);
    clock.advance(1ms);
    EXPECT_EQ(session.currentIndex(), 26);

    clock.advance(150ms);
    session.handleChapter(true);
    EXPECT_EQ(session.currentIndex(), 50);
    clock.advance(199ms);
    EXPECT_EQ(session.currentIndex(), 50);
    clock.advance(1ms);
    EXPECT_EQ(session.currentIndex(), 51);
    EXPECT_TRUE(isPlaying());
}

TEST_F(PlaybackTest, PlaysWithoutTouchingTheLibraryWhenTheBookIsNotInIt)
{
    // A book record the store does not hold: its position has nowhere to go.
    Book stray = library.addBook("Stray", "", "", makeTokens(3), 0, std::nullopt);
    Book copy = stray;
    int libraryChanges = 0;
    library.booksChanged.subscribe([&] { ++libraryChanges; });
    copy.id = QUuid::createUuid();
    session.openBook(copy);
    libraryChanges = 0;

    session.handleSpacebar();
    clock.advance(600ms);
    EXPECT_TRUE(isStopped());
    EXPECT_EQ(session.currentIndex(), 2);
    EXPECT_EQ(libraryChanges, 0);
}

// The library write after each word and the timer's own latency must not slow reading down:
// every word starts on the schedule set when playback began.
TEST_F(PlaybackTest, SlowLibraryWritesDoNotLengthenWords)
{
    open(makeTokens(10));
    clock.setLatency(5ms);
    library.booksChanged.subscribe([this] { clock.elapse(30ms); });
    std::vector<std::chrono::nanoseconds> wordStarts;
    session.changed.subscribe([&](Field field, Animation) {
        if (field == Field::currentIndex) {
            wordStarts.push_back(clock.now());
        }
    });

    session.handleSpacebar();
    clock.advance(5s);

    ASSERT_EQ(wordStarts.size(), 9u);
    for (std::size_t i = 0; i < wordStarts.size(); ++i) {
        EXPECT_EQ(wordStarts[i], (i + 1) * 200ms + 5ms) << "word " << i + 1;
    }
    EXPECT_TRUE(isStopped());
}

TEST_F(PlaybackTest, AfterASleepTheNextWordGetsItsFullTime)
{
    open(makeTokens(10));
    session.handleSpacebar();
    clock.advance(250ms);
    ASSERT_EQ(session.currentIndex(), 1);

    clock.elapse(5s); // the machine sleeps; word 1's deadline passes unnoticed
    clock.advance(0ms);
    EXPECT_EQ(session.currentIndex(), 2) << "one word for the missed deadline, not a burst";
    clock.advance(199ms);
    EXPECT_EQ(session.currentIndex(), 2);
    clock.advance(1ms);
    EXPECT_EQ(session.currentIndex(), 3);
}

TEST_F(PlaybackTest, SpeedsThatCannotTimeAWordPlayAtTheLowestSpeed)
{
    for (const double wpm : {0.0, -5.0, std::numeric_limits<double>::quiet_NaN(),
                             std::numeric_limits<double>::infinity()}) {
        open(makeTokens(3));
        session.setWpm(wpm);
        session.handleSpacebar();
        EXPECT_EQ(clock.pendingTimers(), 1) << wpm;
        clock.advance(999ms);
        EXPECT_EQ(session.currentIndex(), 0) << wpm;
        clock.advance(1ms);
        EXPECT_EQ(session.currentIndex(), 1) << wpm;
        EXPECT_TRUE(std::isnan(wpm) ? std::isnan(session.wpm()) : session.wpm() == wpm)
            << "the stored speed is left alone";
        session.handleSpacebar();
    }
}

} // namespace
} // namespace tavrin::test
