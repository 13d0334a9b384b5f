#include "SessionFixture.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tavrin::test {
namespace {

using namespace std::chrono_literals;
using Field = ReaderSession::Field;

class PlaybackTest : public SessionFixture
{};

// At 300 wpm a word shows for 200 ms. Each step gives a command (' ' none, 'p' space,
// '>' one speed step up, 's' skip forward, 'c' next chapter), then lets ms pass and expects
// the word shown.
TEST_F(PlaybackTest, WordsFollowTheCommandsOnTime)
{
    struct Step
    {
        char command;
        int ms;
        std::int64_t index;
    };
    const struct
    {
        const char* name;
        std::size_t words;
        std::int64_t start;
        std::vector<Step> steps;
        bool playing;
        std::vector<std::int64_t> saved;
    } cases[] = {
        // clang-format off
        {"three words, then stop", 3, 0,
         {{'p', 199, 0}, {' ', 1, 1}, {' ', 200, 2}, {' ', 200, 2}}, false, {1, 2}},
        {"the last word shows once", 3, 2, {{'p', 199, 2}, {' ', 1, 2}}, false, {}},
        // Pausing saves; a resumed word gets a full interval again.
        {"pause and resume", 3, 0,
         {{'p', 150, 0}, {'p', 10'000, 0}, {'p', 199, 0}, {' ', 1, 1}}, true, {0, 1}},
        // 310 wpm: 193.5 ms, counted from the change, which stores nothing.
        {"speed change", 3, 0,
         {{'p', 150, 0}, {'>', 193, 0}, {' ', 1, 1}, {' ', 193, 1}, {' ', 1, 2}}, true, {1, 2}},
        {"speed change while paused", 3, 0, {{'p', 0, 0}, {'p', 0, 0}, {'>', 1000, 0}}, false, {0}},
        {"skip and chapter restart from now", 100, 0,
         {{'p', 150, 0}, {'s', 199, 25}, {' ', 1, 26}, {' ', 150, 26}, {'c', 199, 50}, {' ', 1, 51}},
         true, {25, 26, 50, 51}},
        // clang-format on
    };
    for (const auto& c : cases) {
        // Three words, or a hundred in two chapters of fifty.
        std::vector<std::int64_t> chapters(c.words, c.words > 3 ? 1 : 0);
        std::fill_n(chapters.begin(), std::min<std::size_t>(50, c.words), 0);
        session.setWpm(300);
        open(makeTokens(c.words, chapters), c.start);
        for (const Step& step : c.steps) {
            switch (step.command) {
            case 'p':
                session.handleSpacebar();
                break;
            case '>':
                session.handleArrow(true, false);
                break;
            case 's':
                session.handleSkip(true);
                break;
            case 'c':
                session.handleChapter(true);
                break;
            default:
                break;
            }
            clock.advance(std::chrono::milliseconds(step.ms));
            EXPECT_EQ(session.currentIndex(), step.index) << c.name;
        }
        EXPECT_EQ(session.isPlaying() && !session.isPaused(), c.playing) << c.name;
        EXPECT_EQ(saved, c.saved) << c.name;
        if (session.isPlaying()) {
            session.handleSpacebar();
        }
    }
}

TEST_F(PlaybackTest, PlaysWithoutTouchingTheLibraryWhenTheBookIsNotInIt)
{
    // A book record the store does not hold: its position has nowhere to go.
    Book stray = *library.addBook("Stray", "", "", makeTokens(3), 0, std::nullopt);
    Book copy = stray;
    int libraryChanges = 0;
    const auto counting = library.booksChanged.subscribe([&] { ++libraryChanges; });
    copy.id = QUuid::createUuid();
    session.openBook(copy);
    libraryChanges = 0;

    session.handleSpacebar();
    clock.advance(600ms);
    EXPECT_TRUE(isStopped());
    EXPECT_EQ(session.currentIndex(), 2);
    EXPECT_EQ(libraryChanges, 0);
}

// Each word holds for its own pause, and neither the library write after each word nor the
// timer's own latency slows reading down: every word starts on the schedule set when playback
// began.
TEST_F(PlaybackTest, EachWordHoldsItsOwnPauseAndSlowWritesDoNotLengthenIt)
{
    const std::vector<double> pauses{1.0, 3.0, 1.0, 2.5, 1.0, 5.0, 1.0, 1.08, 1.5, 1.0};
    open(makeTokens(10, {}, pauses));
    clock.setLatency(5ms);
    const auto slowWrites = library.booksChanged.subscribe([this] { clock.elapse(30ms); });
    std::vector<std::chrono::nanoseconds> wordStarts;
    const auto starts = session.changed.subscribe([&](Field field, Animation) {
        if (field == Field::currentIndex) {
            wordStarts.push_back(clock.now());
        }
    });

    session.handleSpacebar();
    clock.advance(10s);

    ASSERT_EQ(wordStarts.size(), 9u);
    double elapsed = 0.0;
    for (std::size_t i = 0; i < wordStarts.size(); ++i) {
        elapsed += pauses[i];
        EXPECT_NEAR(std::chrono::duration<double>(wordStarts[i] - 5ms).count(), elapsed * 0.2, 1e-6)
            << "word " << i + 1;
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
