// The reader window on the real event loop: how faithfully each word stays on screen for its
// interval when played in the window (measured when the word view actually paints it), and
// how soon a very long book, reopened at start, shows its word.
//
// Runs on the offscreen platform unless QT_QPA_PLATFORM names another (xcb under Xvfb).
// TAVRIN_WINDOW_BENCH_WORDS shortens the playback runs for a trial.

#include "BenchSupport.h"
#include "app/ContentView.h"
#include "app/TavrinApp.h"
#include "display/ORPWordView.h"
#include "library/LibraryStore.h"
#include "session/ReaderSession.h"
#include "tokenize/TextParser.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

namespace {

using tavrin::ReaderSession;

int wordsToPlay()
{
    const char* value = std::getenv("TAVRIN_WINDOW_BENCH_WORDS");
    return value ? std::max(10, std::atoi(value)) : 1000;
}

/// Running prose with sentence and clause ends, so that words carry different pauses.
std::vector<tavrin::WordToken> prose(int words)
{
    static const char* const kWords[] = {"the",     "reader",
                                         "shows",   "one",
                                         "word",    "at",
                                         "a",       "time,",
                                         "and",     "every",
                                         "letter",  "highlighted",
                                         "sits",    "exactly",
                                         "where",   "the",
                                         "eye",     "rests.",
                                         "Long",    "words",
                                         "like",    "understanding",
                                         "stay",    "longer;",
                                         "endings", "pause",
                                         "more.",   "It",
                                         "is",      "quiet",
                                         "work",    "indeed."};
    std::string text;
    for (int i = 0; i < words; ++i) {
        text += kWords[static_cast<std::size_t>(i) % std::size(kWords)];
        text += ' ';
    }
    auto tokens = tavrin::TextParser::tokenize(text);
    tokens.resize(std::min(tokens.size(), static_cast<std::size_t>(words)));
    return tokens;
}

/// Starts the reader's own library in the temporary home with one book, opened last.
void seedLibrary(const std::vector<tavrin::WordToken>& tokens)
{
    tavrin::LibraryStore library;
    for (const auto& book : std::vector<tavrin::Book>(library.books())) {
        library.removeBook(book);
    }
    const tavrin::Book book = *library.addBook("Bench", "", "", tokens, 0, std::nullopt);
    library.setLastOpenBook(book.id);
}

/// Records when the word view paints a new word, with the position of the word painted.
class PaintRecorder : public QObject
{
public:
    PaintRecorder(tavrin::ORPWordView* view, const ReaderSession& session) : m_session(session)
    {
        m_clock.start();
        view->installEventFilter(this);
    }

    struct Paint
    {
        std::int64_t ns;
        std::int64_t index;
    };
    std::vector<Paint> paints;

    std::int64_t now() const { return m_clock.nsecsElapsed(); }

    bool eventFilter(QObject*, QEvent* event) override
    {
        const std::int64_t index = m_session.currentIndex();
        if (event->type() == QEvent::Paint && (paints.empty() || paints.back().index != index)) {
            paints.push_back({now(), index});
        }
        return false;
    }

private:
    const ReaderSession& m_session;
    QElapsedTimer m_clock;
};

double percentile(std::vector<double> values, double p)
{
    if (values.empty()) {
        return 0.0;
    }
    std::sort(values.begin(), values.end());
    const auto rank = static_cast<std::size_t>(std::ceil(p * static_cast<double>(values.size())));
    return values[std::min(values.size() - 1, rank == 0 ? 0 : rank - 1)];
}

// Plays the book in the window from its first word to its last and compares the time each
// word stood on screen (from its paint to the next word's paint) with its interval.
void BM_PlayInWindow(benchmark::State& state)
{
    const double wpm = static_cast<double>(state.range(0));
    const auto tokens = prose(wordsToPlay());
    for (auto _ : state) {
        seedLibrary(tokens);
        tavrin::TavrinApp app;
        app.show();
        if (!QTest::qWaitForWindowExposed(&app.window())) {
            state.SkipWithError("the window was not shown");
            return;
        }
        QTest::qWait(500); // full screen and its repaint settle first
        ReaderSession& session = app.session();
        session.setWpm(wpm);
        auto* view = app.window().findChild<tavrin::ORPWordView*>(QStringLiteral("orpWordView"));
        PaintRecorder recorder(view, session);

        QEventLoop loop;
        const auto done =
            session.changed.subscribe([&](ReaderSession::Field field, tavrin::Animation) {
                if (field == ReaderSession::Field::isPlaying && !session.isPlaying()) {
                    QTimer::singleShot(200, &loop, &QEventLoop::quit); // the last word's paint
                }
            });
        // The first word is on screen already; its time runs from the play command.
        recorder.paints.push_back({recorder.now(), session.currentIndex()});
        session.handleSpacebar();
        QElapsedTimer elapsed;
        elapsed.start();
        loop.exec();
        state.SetIterationTime(static_cast<double>(elapsed.nsecsElapsed()) / 1e9);

        // A word's time on screen runs from its paint to the next word's paint. A word that
        // was never painted counts as missed, and its successor's time is not compared.
        const auto& paints = recorder.paints;
        std::vector<double> deviationMs;
        double shownMs = 0.0;
        double nominalMs = 0.0;
        for (std::size_t k = 0; k + 1 < paints.size(); ++k) {
            const std::int64_t index = paints[k].index;
            if (paints[k + 1].index != index + 1) {
                continue;
            }
            const double onScreen = static_cast<double>(paints[k + 1].ns - paints[k].ns) / 1e6;
            const double interval =
                tokens[static_cast<std::size_t>(index)].pauseMultiplier * 60.0 / wpm * 1000.0;
            shownMs += onScreen;
            nominalMs += interval;
            deviationMs.push_back(onScreen - interval);
        }
        std::vector<double> absolute(deviationMs.size());
        std::transform(deviationMs.begin(), deviationMs.end(), absolute.begin(),
                       [](double d) { return std::abs(d); });
        state.counters["words"] = static_cast<double>(tokens.size());
        state.counters["words_painted"] = static_cast<double>(paints.size());
        state.counters["words_compared"] = static_cast<double>(deviationMs.size());
        state.counters["mean_dev_pct"] =
            nominalMs > 0 ? (shownMs - nominalMs) / nominalMs * 100 : 0;
        state.counters["mean_abs_dev_ms"] =
            absolute.empty() ? 0.0
                             : std::accumulate(absolute.begin(), absolute.end(), 0.0) /
                                   static_cast<double>(absolute.size());
        state.counters["p99_abs_dev_ms"] = percentile(absolute, 0.99);
        state.counters["max_abs_dev_ms"] = percentile(absolute, 1.0);
    }
}
BENCHMARK(BM_PlayInWindow)
    ->Arg(300)
    ->Arg(600)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);

// The reader starting with an 800,000-word book as its last book: from the creation of the
// application's library, session and window to the first paint of the book's word.
void BM_LaunchWithLongBook(benchmark::State& state)
{
    constexpr int kWords = 800'000;
    seedLibrary(prose(kWords));
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        std::int64_t shownNs = -1;
        {
            tavrin::TavrinApp app;
            auto* view =
                app.window().findChild<tavrin::ORPWordView*>(QStringLiteral("orpWordView"));
            PaintRecorder recorder(view, app.session());
            app.show();
            if (QTest::qWaitFor([&] { return !recorder.paints.empty(); }, 10'000)) {
                shownNs = clock.nsecsElapsed();
            }
            state.counters["tokens"] = static_cast<double>(app.session().tokens().size());
        }
        if (shownNs < 0) {
            state.SkipWithError("the word was never painted");
            return;
        }
        state.SetIterationTime(static_cast<double>(shownNs) / 1e9);
        state.counters["word_shown_ms"] = static_cast<double>(shownNs) / 1e6;
    }
}
BENCHMARK(BM_LaunchWithLongBook)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    // Never the user's own library or settings: a throw-away home.
    QTemporaryDir home;
    if (!home.isValid()) {
        return 1;
    }
    tavrin::bench::useHome(home.path());
    return tavrin::bench::runBenchmarks<QApplication>(argc, argv);
}
