// The word timer on the application's clock, against a library large enough that storing
// the position after every word costs real time: does the reader keep the set speed? And what
// the paused window asks of the session in an 800,000-word book: the text around the word
// and the where-and-time-left line.

#include "BenchSupport.h"
#include "common/DataLocation.h"
#include "library/BookCodec.h"
#include "library/LibraryStore.h"
#include "session/ContextText.h"
#include "session/QtClock.h"
#include "session/ReaderSession.h"
#include "tokenize/PauseMultiplier.h"
#include "tokenize/TokenCodec.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

namespace {

using namespace std::chrono_literals;
using tavrin::ReaderSession;

constexpr int kLibraryBooks = 2000;
constexpr double kWpm = 600.0;

/// Words played per run; TAVRIN_SESSION_BENCH_WORDS shortens a trial run.
int wordsToPlay()
{
    const char* value = std::getenv("TAVRIN_SESSION_BENCH_WORDS");
    return value ? std::max(2, std::atoi(value)) : 1000;
}

std::vector<tavrin::WordToken> plainWords(int count)
{
    std::vector<tavrin::WordToken> tokens;
    for (int i = 0; i < count; ++i) {
        tokens.push_back({"word" + std::to_string(i), 1.0, false, 0});
    }
    return tokens;
}

/// The library of every benchmark: kLibraryBooks records with realistic texts and paths, the
/// last of them the book that is read. Built once, in the temporary home set up by main(),
/// by storing the records the way the store keeps them (adding 2,000 books one by one would
/// rewrite the library 2,000 times).
struct BenchLibrary
{
    static bool seed()
    {
        const QString dir = tavrin::DataLocation::appSupportDir();
        QDir().mkpath(dir);
        const QString cache = dir + QStringLiteral("BENCH-BOOK.json");
        const std::string tokens = tavrin::TokenCodec::encode(plainWords(wordsToPlay()));
        QFile file(cache);
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(tokens.data(), static_cast<qint64>(tokens.size())) < 0) {
            return false;
        }
        std::vector<tavrin::Book> books;
        for (int i = 0; i < kLibraryBooks; ++i) {
            tavrin::Book book;
            book.id = QUuid::createUuid();
            book.title = "The Collected Works, Volume " + std::to_string(i + 1);
            book.author = "Author Surname";
            book.year = "1899";
            book.cachedTokenPath = cache.toStdString();
            book.coverImagePath =
                (dir + QStringLiteral("0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0.jpg")).toStdString();
            book.currentWordIndex = i % 7 * 1000;
            book.totalWords = wordsToPlay();
            books.push_back(book);
        }
        const auto json = tavrin::BookCodec::encode(books);
        QSettings preferences(QStringLiteral("Tavrin"), QStringLiteral("Tavrin"));
        preferences.setValue(QStringLiteral("tavrin_library_v2"),
                             QByteArray(json->data(), static_cast<qsizetype>(json->size())));
        preferences.sync();
        return preferences.status() == QSettings::NoError;
    }

    bool seeded = seed();
    tavrin::LibraryStore store;
    tavrin::Book book = store.books().empty() ? tavrin::Book{} : store.books().back();
};

// Created in main() inside the temporary home, and gone before the home is removed.
BenchLibrary* g_library = nullptr;

BenchLibrary& benchLibrary()
{
    return *g_library;
}

double toMs(std::chrono::nanoseconds d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

// Plays the book from its first word to the end at 600 wpm on precise Qt timers in a real
// event loop, the position being stored in the 2,000-book library after every word.
void BM_PlaybackAt600Wpm(benchmark::State& state)
{
    auto& library = benchLibrary();
    const int words = wordsToPlay();
    for (auto _ : state) {
        tavrin::QtClock clock;
        ReaderSession session(library.store, clock, std::nullopt);
        session.setWpm(kWpm);
        session.openBook(library.book);
        session.seekToFraction(0.0);

        std::vector<std::chrono::nanoseconds> wordStart; // when each word replaced the last
        std::vector<std::chrono::nanoseconds> saveDone;  // when its position was stored
        QEventLoop loop;
        const auto wordTimes =
            session.changed.subscribe([&](ReaderSession::Field field, tavrin::Animation) {
                if (field == ReaderSession::Field::currentIndex) {
                    wordStart.push_back(clock.now());
                } else if (field == ReaderSession::Field::isPlaying && !session.isPlaying()) {
                    loop.quit();
                }
            });
        const auto saves =
            library.store.booksChanged.subscribe([&] { saveDone.push_back(clock.now()); });

        const auto begin = clock.now();
        session.handleSpacebar();
        loop.exec();
        const auto elapsed = clock.now() - begin;

        state.SetIterationTime(std::chrono::duration<double>(elapsed).count());
        const double effectiveWpm = words / std::chrono::duration<double>(elapsed).count() * 60.0;
        state.counters["words"] = words;
        state.counters["set_wpm"] = kWpm;
        state.counters["effective_wpm"] = effectiveWpm;
        state.counters["speed_error_pct"] = (effectiveWpm - kWpm) / kWpm * 100.0;

        // How long each word's callback held the event loop storing the position.
        std::vector<double> saveMs;
        for (std::size_t i = 0; i < std::min(wordStart.size(), saveDone.size()); ++i) {
            saveMs.push_back(toMs(saveDone[i] - wordStart[i]));
        }
        if (!saveMs.empty()) {
            state.counters["save_ms_mean"] = std::accumulate(saveMs.begin(), saveMs.end(), 0.0) /
                                             static_cast<double>(saveMs.size());
            state.counters["save_ms_max"] = *std::max_element(saveMs.begin(), saveMs.end());
        }
        // Lateness of each word against the schedule fixed when playback began: bounded by
        // the timer's latency, and not growing over the book.
        const auto interval = std::chrono::nanoseconds{static_cast<long long>(60e9 / kWpm)};
        double lateMax = 0.0;
        for (std::size_t i = 0; i < wordStart.size(); ++i) {
            const auto nominal = begin + static_cast<long long>(i + 1) * interval;
            lateMax = std::max(lateMax, toMs(wordStart[i] - nominal));
        }
        state.counters["late_ms_max"] = lateMax;
        if (!wordStart.empty()) {
            state.counters["late_ms_last_word"] = toMs(
                wordStart.back() - (begin + static_cast<long long>(wordStart.size()) * interval));
        }
    }
}
BENCHMARK(BM_PlaybackAt600Wpm)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

// One position update on its own: re-encoding and rewriting the 2,000-book library.
void BM_UpdateProgress2000Books(benchmark::State& state)
{
    auto& library = benchLibrary();
    std::int64_t index = 0;
    for (auto _ : state) {
        library.store.updateProgress(library.book.id, ++index % 1000);
    }
    state.counters["books"] = static_cast<double>(library.store.books().size());
}
BENCHMARK(BM_UpdateProgress2000Books)->Unit(benchmark::kMillisecond);

constexpr std::int64_t kLongBookWords = 800'000;

/// Prose-like words: a clause pause every 7th word, a sentence end every 15th, a paragraph
/// every 120th, 40 chapters.
const std::vector<tavrin::WordToken>& longBook()
{
    static const std::vector<tavrin::WordToken> tokens = [] {
        std::vector<tavrin::WordToken> words;
        words.reserve(static_cast<std::size_t>(kLongBookWords));
        for (std::int64_t i = 0; i < kLongBookWords; ++i) {
            double pause = 1.0;
            if (i % 120 == 119) {
                pause = tavrin::Pause::kHeadingEnd;
            } else if (i % 15 == 14) {
                pause = tavrin::Pause::kSentenceEnd;
            } else if (i % 7 == 6) {
                pause = tavrin::Pause::kClause;
            }
            words.push_back(
                {"word" + std::to_string(i % 5000), pause, false, i * 40 / kLongBookWords});
        }
        return words;
    }();
    return tokens;
}

/// Words spread over the whole book, visited in turn.
std::int64_t spreadIndex(std::int64_t step)
{
    return step * 7919 % kLongBookWords;
}

// The text around the word, built when reading pauses or a word of it is clicked.
void BM_ContextAround800kWords(benchmark::State& state)
{
    const auto& tokens = longBook();
    std::int64_t step = 0;
    for (auto _ : state) {
        auto context = tavrin::ContextText::around(tokens, spreadIndex(++step));
        benchmark::DoNotOptimize(context);
    }
}
BENCHMARK(BM_ContextAround800kWords)->Unit(benchmark::kMicrosecond);

// The where-and-time-left line, rebuilt for every word shown while the controls are up;
// its cost does not depend on the word (prefix sums).
void BM_WhereText800kWords(benchmark::State& state)
{
    auto& library = benchLibrary();
    tavrin::QtClock clock;
    ReaderSession session(library.store, clock, std::nullopt);
    session.setWpm(kWpm);
    session.openBook(library.book, longBook(), {});
    // Moving saves the position in the 2,000-book library; the line is timed on its own.
    session.goToWord(kLongBookWords / 2 + 37);
    for (auto _ : state) {
        auto text = session.whereText();
        benchmark::DoNotOptimize(text);
    }
    state.counters["words"] = static_cast<double>(session.tokens().size());
}
BENCHMARK(BM_WhereText800kWords)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    // Never the user's own library: a throw-away home for the data and the preferences.
    QTemporaryDir home;
    if (!home.isValid()) {
        return 1;
    }
    tavrin::bench::useHome(home.path());

    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    const auto library = std::make_unique<BenchLibrary>();
    if (!library->seeded || library->store.books().size() != kLibraryBooks) {
        return 1;
    }
    g_library = library.get();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
