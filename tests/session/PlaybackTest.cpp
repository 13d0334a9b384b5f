#include "SessionFixture.h"

#include "session/KeyTable.h"
#include "session/PlaybackTiming.h"

#include <algorithm>
#include <limits>
#include <map>
#include <tuple>

namespace tavrin::test {
namespace {

using namespace std::chrono_literals;
using Field = ReaderSession::Field;

using PlaybackTest = SessionFixture;

// At 300 wpm a word shows for 200 ms. Each step gives a command (' ' none, 'p' space,
// '>' one speed step up, 's' skip forward, 'c' next chapter, 'z' the machine sleeps for 5 s),
// then lets ms pass and expects the word shown.
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
        // The missed deadline shows one word, not a burst; the next word gets its full time.
        {"sleep", 10, 0, {{'p', 250, 1}, {'z', 0, 2}, {' ', 199, 2}, {' ', 1, 3}}, true, {1, 2, 3}},
        // clang-format on
    };
    const std::map<char, ReaderCommand> commands{{'p', ReaderCommand::playPause},
                                                 {'>', ReaderCommand::faster},
                                                 {'s', ReaderCommand::skipForward},
                                                 {'c', ReaderCommand::nextChapter}};
    for (const auto& c : cases) {
        // Words past the fiftieth are a second chapter.
        std::vector<std::int64_t> chapters(c.words, c.words > 3 ? 1 : 0);
        std::fill_n(chapters.begin(), std::min<std::size_t>(50, c.words), 0);
        session.setWpm(300);
        open(makeTokens(c.words, chapters), c.start);
        for (const Step& step : c.steps) {
            if (step.command == 'z') {
                clock.elapse(5s);
            } else if (step.command != ' ') {
                KeyTable::run(commands.at(step.command), session);
            }
            clock.advance(std::chrono::milliseconds(step.ms));
            EXPECT_EQ(session.currentIndex(), step.index) << c.name;
        }
        EXPECT_EQ(session.isPlaying() && !session.isPaused(), c.playing) << c.name;
        EXPECT_EQ(saved, c.saved) << c.name;
    }
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
}

// Speeds and pauses that cannot time a word play at the lowest speed or the usual pause;
// none holds a word longer than a day.
TEST(PlaybackTimingTest, WordInterval)
{
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    using Case = std::tuple<double, double, std::chrono::nanoseconds>; // multiplier, wpm, interval
    for (const auto& [multiplier, wpm, interval] :
         {Case{1.0, 300.0, 200ms}, Case{2.5, 300.0, 500ms}, Case{5.0, 60.0, 5s},
          Case{1.0, 310.0, 193'548'387ns}, Case{1.0, 0.0, 1s}, Case{1.0, kNaN, 1s},
          Case{kNaN, 300.0, 200ms}, Case{0.0, 300.0, 0ns}, Case{1e300, 300.0, 24h},
          Case{1.0, 1e-300, 24h}, Case{1.0, -5.0, 1s}}) {
        EXPECT_EQ(PlaybackTiming::wordInterval(multiplier, wpm), interval)
            << multiplier << " at " << wpm;
    }
}

} // namespace
} // namespace tavrin::test
