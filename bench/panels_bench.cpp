// The library panel with 1,000 books, half of them with JPEG covers: opening it (built,
// laid out and painted once) and scrolling through it, with the number of cover files
// decoded along the way; and the settings panel opening with a colour column.
#include "BenchSupport.h"
#include "library/BookGrid.h"
#include "library/BooksPanel.h"
#include "library/CoverImageCache.h"
#include "library/LibraryStore.h"
#include "settings/SettingsPanel.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kBooks = 1000;

QByteArray jpeg(int seed)
{
    QImage image(600, 900, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, 600, 900);
    gradient.setColorAt(0, QColor::fromHsv(seed * 37 % 360, 160, 200));
    gradient.setColorAt(1, QColor::fromHsv(seed * 53 % 360, 200, 60));
    painter.fillRect(image.rect(), gradient);
    painter.setPen(Qt::white);
    painter.drawText(image.rect(), Qt::AlignCenter, QString::number(seed));
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 85);
    return bytes;
}

/// A private home holding a library of kBooks books; every second one has a cover file
/// of its own (600 × 900 JPEG, as an EPUB would carry).
class LargeLibrary
{
public:
    LargeLibrary()
    {
        tavrin::bench::useHome(m_home.path());
        m_store = std::make_unique<tavrin::LibraryStore>();
        std::vector<QByteArray> covers;
        for (int i = 0; i < 16; ++i) {
            covers.push_back(jpeg(i));
        }
        const std::string tokens =
            R"([{"text":"word","pauseMultiplier":1,"isHeading":false,"chapterIndex":0}])";
        for (int i = 0; i < kBooks; ++i) {
            const std::string title = "Book " + std::to_string(10000 + i);
            std::optional<QByteArray> cover;
            if (i % 2 == 0) {
                cover = covers[static_cast<std::size_t>(i) % covers.size()];
            }
            static_cast<void>(m_store->addBookEncoded(title, "Author " + std::to_string(i % 37),
                                                      "19" + std::to_string(10 + i % 90), tokens, 1,
                                                      0, cover));
        }
    }

    tavrin::LibraryStore& store() { return *m_store; }

private:
    QTemporaryDir m_home;
    std::unique_ptr<tavrin::LibraryStore> m_store;
};

LargeLibrary& library()
{
    static LargeLibrary instance;
    return instance;
}

void BM_OpenLibraryPanel(benchmark::State& state)
{
    tavrin::LibraryStore& store = library().store();
    int decoded = 0;
    for (auto _ : state) {
        tavrin::CoverImageCache::shared().clear();
        auto panel = std::make_unique<tavrin::BooksPanel>(store);
        panel->setCurrentBookID(store.books()[3].id);
        panel->resize(tavrin::BooksPanel::kWidth, 1000);
        panel->show();
        const QPixmap firstPaint = panel->grab();
        benchmark::DoNotOptimize(firstPaint.cacheKey());
        decoded = tavrin::CoverImageCache::shared().decodeCount();
        state.PauseTiming();
        panel.reset();
        state.ResumeTiming();
    }
    state.counters["books"] = kBooks;
    state.counters["covers_decoded"] = decoded;
}
BENCHMARK(BM_OpenLibraryPanel)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

void BM_ScrollLibraryPanel(benchmark::State& state)
{
    tavrin::LibraryStore& store = library().store();
    tavrin::CoverImageCache::shared().clear();
    tavrin::BooksPanel panel(store);
    panel.resize(tavrin::BooksPanel::kWidth, 1000);
    panel.show();
    panel.grab();
    QScrollBar* bar =
        panel.findChild<QScrollArea*>(QStringLiteral("booksScrollArea"))->verticalScrollBar();
    const int page = bar->pageStep();
    int pages = 0;
    int maxDecodedPerPage = 0;
    for (auto _ : state) {
        const int before = tavrin::CoverImageCache::shared().decodeCount();
        bar->setValue(bar->value() + page >= bar->maximum() ? 0 : bar->value() + page);
        const QPixmap frame = panel.grab();
        benchmark::DoNotOptimize(frame.cacheKey());
        maxDecodedPerPage =
            std::max(maxDecodedPerPage, tavrin::CoverImageCache::shared().decodeCount() - before);
        ++pages;
    }
    state.counters["pages"] = pages;
    state.counters["max_decodes_per_page"] = maxDecodedPerPage;
}
BENCHMARK(BM_ScrollLibraryPanel)->Unit(benchmark::kMillisecond)->UseRealTime();

// Progress reported during playback changes the store after every word; an open panel
// follows it without rebuilding its tiles.
void BM_LibraryPanelFollowsProgress(benchmark::State& state)
{
    tavrin::LibraryStore& store = library().store();
    tavrin::BooksPanel panel(store);
    panel.resize(tavrin::BooksPanel::kWidth, 1000);
    panel.show();
    const QUuid id = store.books()[10].id;
    std::int64_t index = 0;
    for (auto _ : state) {
        store.updateProgress(id, ++index % 2);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_LibraryPanelFollowsProgress)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same updates with no panel open: what the store's own save costs.
void BM_ProgressWithoutPanel(benchmark::State& state)
{
    tavrin::LibraryStore& store = library().store();
    const QUuid id = store.books()[10].id;
    std::int64_t index = 0;
    for (auto _ : state) {
        store.updateProgress(id, ++index % 2);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_ProgressWithoutPanel)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OpenSettingsPanelWithColumn(benchmark::State& state)
{
    for (auto _ : state) {
        tavrin::SettingsPanel panel;
        panel.resize(panel.width(), 1000);
        panel.show();
        panel.toggleSubPanel(tavrin::SettingsSubPanel::highlight);
        const QPixmap firstPaint = panel.grab();
        benchmark::DoNotOptimize(firstPaint.cacheKey());
    }
}
BENCHMARK(BM_OpenSettingsPanelWithColumn)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    return tavrin::bench::runBenchmarks<QApplication>(argc, argv, [] { library(); });
}
