// Importing documents: a long PDF side by side with pdftotext on the same file, and how long
// the main thread is held up while an 800,000-word book is imported in the background.

#include "BenchSupport.h"
#include "import/DocumentImport.h"
#include "import/DocumentLoader.h"
#include "library/LibraryStore.h"
#include "session/QtClock.h"
#include "session/ReaderSession.h"
#include "tokenize/TokenCodec.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kStallWords = 800'000;

QTemporaryDir* g_work = nullptr;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

/// A PDF that Debian ships compressed under /usr/share/doc, unpacked into the work
/// directory; empty when the package is not installed.
QString docPdf(const QString& packed)
{
    const QString unpacked = g_work->filePath(QFileInfo(packed).completeBaseName());
    if (QFileInfo::exists(unpacked)) {
        return unpacked;
    }
    if (!QFileInfo::exists(packed)) {
        return {};
    }
    QProcess gunzip;
    gunzip.setStandardOutputFile(unpacked);
    gunzip.start(QStringLiteral("gzip"), {QStringLiteral("-dc"), packed});
    if (!gunzip.waitForFinished(60000) || gunzip.exitCode() != 0) {
        return {};
    }
    return unpacked;
}

bool runPdftotext(const QString& pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("/dev/null")});
    return process.waitForFinished(600000) && process.exitCode() == 0;
}

// The background job of a PDF import (reading and tokenizing, then encoding the token
// cache), alternating with pdftotext on the same file so both see the same machine load.
// The comparison uses the fastest run of each. TAVRIN_BENCH_PDF names another PDF.
void BM_PdfImportVsPdftotext(benchmark::State& state, const char* packed)
{
    const QByteArray given = qgetenv("TAVRIN_BENCH_PDF");
    const QString pdf =
        given.isEmpty() ? docPdf(QString::fromUtf8(packed)) : QFile::decodeName(given);
    if (pdf.isEmpty() || QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
        state.SkipWithError("the PDF or pdftotext is not installed");
        return;
    }
    double bestImport = 1e300;
    double bestTokenize = 1e300;
    double bestPdftotext = 1e300;
    std::size_t tokens = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        if (!runPdftotext(pdf)) {
            state.SkipWithError("pdftotext failed");
            return;
        }
        bestPdftotext = std::min(bestPdftotext, msSince(start));

        start = Clock::now();
        const tavrin::ImportedDocument document = tavrin::importDocument(pdf);
        const double tokenized = msSince(start);
        const std::string cache = tavrin::TokenCodec::encode(document.tokens);
        const double imported = msSince(start);
        benchmark::DoNotOptimize(cache.data());
        tokens = document.tokens.size();
        bestTokenize = std::min(bestTokenize, tokenized);
        bestImport = std::min(bestImport, imported);
        state.SetIterationTime(imported / 1000.0);
    }
    state.counters["tokens"] = static_cast<double>(tokens);
    state.counters["pdftotext_ms"] = bestPdftotext;
    state.counters["tokenize_ms"] = bestTokenize;
    state.counters["import_ms"] = bestImport;
    state.counters["tokenize_vs_pdftotext"] = bestTokenize / bestPdftotext;
    state.counters["import_vs_pdftotext"] = bestImport / bestPdftotext;
}
// The Valgrind manual (397 pages, made by DocBook and FOP) fills its text through an ICC
// colour space, whose colour transform costs more than the page when a text device is made
// for each page; the Nettle manual (111 pages, made by TeX) does not.
BENCHMARK_CAPTURE(BM_PdfImportVsPdftotext, valgrind_manual,
                  "/usr/share/doc/valgrind/valgrind_manual.pdf.gz")
    ->Iterations(7)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PdfImportVsPdftotext, nettle, "/usr/share/doc/nettle-dev/nettle.pdf.gz")
    ->Iterations(7)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

/// An English-like text of the given number of words: sentences of 4 to 20 words, paragraphs
/// of 1 to 8 sentences, some of them short headings.
QString writeLongText(int words)
{
    static const char* const vocabulary[] = {
        "the",           "of",         "and",       "to",      "in",         "a",
        "whale",         "sea",        "captain",   "ship",    "harpooneer", "Ishmael",
        "white",         "ocean",      "voyage",    "strange", "mariners",   "forecastle",
        "extraordinary", "well-known", "Nantucket", "sailed",  "upon",       "beneath",
        "whereupon",     "Queequeg",   "deck",      "said",    "thought",    "mast-head",
        "leviathan",     "however",    "boat",      "crew"};
    std::mt19937 random(42);
    std::string text;
    text.reserve(static_cast<std::size_t>(words) * 7);
    int written = 0;
    while (written < words) {
        if (random() % 10 == 0) {
            text += "Chapter " + std::to_string(written) + "\n\n";
            written += 2;
        }
        const int sentences = 1 + static_cast<int>(random() % 8);
        for (int s = 0; s < sentences && written < words; ++s) {
            const int length = 4 + static_cast<int>(random() % 17);
            for (int w = 0; w < length && written < words; ++w, ++written) {
                text += vocabulary[random() % std::size(vocabulary)];
                text += w + 1 == length ? ". " : (random() % 9 == 0 ? ", " : " ");
            }
        }
        text += "\n\n";
    }
    const QString path = g_work->filePath(QStringLiteral("long book.txt"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(text.data(), static_cast<qint64>(text.size())) !=
            static_cast<qint64>(text.size())) {
        return {};
    }
    return path;
}

// A real event loop with the session and library the window uses; a 1 ms precise timer
// measures every gap between its ticks while the book is read, encoded and added. The
// longest gap is the longest time the window could not have drawn or taken a key.
void BM_ImportStall800kWords(benchmark::State& state)
{
    static const QString text = writeLongText(kStallWords);
    if (text.isEmpty()) {
        state.SkipWithError("cannot write the text");
        return;
    }
    double worstStall = 0.0;
    double worstCompletion = 0.0;
    for (auto _ : state) {
        tavrin::LibraryStore library;
        tavrin::QtClock clock;
        tavrin::ReaderSession session(library, clock, std::nullopt);
        tavrin::DocumentLoader loader(session);

        QEventLoop loop;
        Clock::time_point lastTick = Clock::now();
        double longestStall = 0.0;
        QTimer tick;
        tick.setTimerType(Qt::PreciseTimer);
        QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
            longestStall = std::max(longestStall, msSince(lastTick));
            lastTick = Clock::now();
        });
        double completionMs = 0.0;
        Clock::time_point completionStart;
        const auto loading =
            session.changed.subscribe([&](tavrin::ReaderSession::Field field, tavrin::Animation) {
                if (field == tavrin::ReaderSession::Field::isLoading && !session.isLoading()) {
                    completionStart = Clock::now();
                }
            });
        const auto completed = loader.importCompleted.subscribe([&] {
            completionMs = msSince(completionStart);
            longestStall = std::max(longestStall, msSince(lastTick));
            loop.quit();
        });

        const auto start = Clock::now();
        tick.start(1);
        lastTick = Clock::now();
        loader.loadText(text);
        const double submitMs = msSince(start);
        loop.exec();
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());

        worstStall = std::max({worstStall, longestStall, submitMs});
        worstCompletion = std::max(worstCompletion, completionMs);
        state.counters["words"] =
            library.books().empty() ? 0.0 : static_cast<double>(library.books().back().totalWords);
        const std::vector<tavrin::Book> added = library.books();
        for (const auto& book : added) {
            library.removeBook(book);
        }
    }
    // The worst of all runs: the main thread must never be held longer than this.
    state.counters["longest_stall_ms"] = worstStall;
    state.counters["completion_ms"] = worstCompletion;
}
BENCHMARK(BM_ImportStall800kWords)->Iterations(3)->UseManualTime()->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv)
{
    // Never the user's own library: a throw-away home for the data and the preferences.
    QTemporaryDir work;
    if (!work.isValid()) {
        return 1;
    }
    g_work = &work;
    tavrin::bench::useHome(work.path());
    QCoreApplication app(argc, argv);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
