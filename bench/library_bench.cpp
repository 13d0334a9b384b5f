// What one reading-position update costs with a large library: the store rewrites the whole
// library value after every word, so this runs at the reading rate. The parts (encoding, the
// preferences write, a plain atomic file write of the same bytes) are measured alongside, to
// show where the time goes.

#include "BenchSupport.h"
#include "common/AtomicFile.h"
#include "common/DataLocation.h"
#include "common/UuidText.h"
#include "library/BookCodec.h"
#include "library/LibraryStore.h"
#include "tokenize/TokenCodec.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kLibraryBooks = 2000;

QString preferencesKey()
{
    return QStringLiteral("tavrin_library_v2");
}

/// kLibraryBooks records with texts and paths of ordinary length, half with covers, each with
/// a small token cache on disk so that loading keeps them.
std::vector<tavrin::Book> makeBooks()
{
    const QString dir = tavrin::DataLocation::appSupportDir();
    QDir().mkpath(dir);
    const std::string cache =
        tavrin::TokenCodec::encode({{"word", 1.0, false, 0}, {"end.", 3.5, false, 0}});
    std::vector<tavrin::Book> books;
    for (int i = 0; i < kLibraryBooks; ++i) {
        tavrin::Book book;
        book.id = QUuid::createUuid();
        book.title = "The Collected Stories of Someone, Volume " + std::to_string(i);
        book.author = i % 3 ? "Firstname Lastname" : "";
        book.year = i % 3 ? "19" + std::to_string(10 + i % 90) : "";
        const QString path = dir + tavrin::UuidText::toQString(QUuid::createUuid());
        book.cachedTokenPath = (path + QStringLiteral(".json")).toStdString();
        static_cast<void>(tavrin::AtomicFile::write(QString::fromStdString(book.cachedTokenPath),
                                                    QByteArray::fromStdString(cache)));
        if (i % 2) {
            book.coverImagePath =
                (dir + tavrin::UuidText::toQString(QUuid::createUuid()) + QStringLiteral(".jpg"))
                    .toStdString();
        }
        book.currentWordIndex = i * 37;
        book.totalWords = 80'000 + i;
        books.push_back(std::move(book));
    }
    return books;
}

const std::vector<tavrin::Book>& libraryBooks()
{
    static const std::vector<tavrin::Book> books = [] {
        auto made = makeBooks();
        QSettings preferences(QStringLiteral("Tavrin"), QStringLiteral("Tavrin"));
        preferences.setValue(preferencesKey(),
                             QByteArray::fromStdString(*tavrin::BookCodec::encode(made)));
        preferences.sync();
        return made;
    }();
    return books;
}

void BM_UpdateProgress(benchmark::State& state)
{
    const auto& books = libraryBooks();
    tavrin::LibraryStore store;
    if (store.books().size() != books.size()) {
        state.SkipWithError("the library did not load");
        return;
    }
    const QUuid id = books.back().id;
    std::int64_t index = 0;
    for (auto _ : state) {
        store.updateProgress(id, ++index);
    }
    state.counters["books"] = static_cast<double>(store.books().size());
    state.counters["bytes"] = static_cast<double>(tavrin::BookCodec::encode(store.books())->size());
}
BENCHMARK(BM_UpdateProgress)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_EncodeLibrary(benchmark::State& state)
{
    const auto& books = libraryBooks();
    for (auto _ : state) {
        auto json = tavrin::BookCodec::encode(books);
        benchmark::DoNotOptimize(json);
    }
}
BENCHMARK(BM_EncodeLibrary)->Unit(benchmark::kMillisecond);

void BM_PreferencesWrite(benchmark::State& state)
{
    QByteArray bytes = QByteArray::fromStdString(*tavrin::BookCodec::encode(libraryBooks()));
    QSettings preferences(QStringLiteral("Tavrin"), QStringLiteral("Tavrin"));
    for (auto _ : state) {
        // A different value each time, as after a real progress update.
        bytes[bytes.size() - 3] = static_cast<char>('0' + state.iterations() % 10);
        preferences.setValue(preferencesKey(), bytes);
        preferences.sync();
    }
}
BENCHMARK(BM_PreferencesWrite)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_AtomicFileWrite(benchmark::State& state)
{
    const QByteArray bytes = QByteArray::fromStdString(*tavrin::BookCodec::encode(libraryBooks()));
    const QString path = tavrin::DataLocation::appSupportDir() + QStringLiteral("bench.bin");
    for (auto _ : state) {
        benchmark::DoNotOptimize(static_cast<bool>(tavrin::AtomicFile::write(path, bytes)));
    }
}
BENCHMARK(BM_AtomicFileWrite)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    // A throw-away home, so no real library or preferences are touched.
    QTemporaryDir home;
    tavrin::bench::useHome(home.path());
    return tavrin::bench::runBenchmarks<QCoreApplication>(argc, argv);
}
