// Word display: one word painted at reading size, the work the window does for every word.
#include "BenchSupport.h"
#include "display/ORPWordView.h"
#include "display/OrpIndex.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QStringList>

#include <string>
#include <vector>

namespace {

const std::vector<std::string>& sampleWords()
{
    static const std::vector<std::string> words = {"It",
                                                   "was",
                                                   "the",
                                                   "best",
                                                   "of",
                                                   "times,",
                                                   "it",
                                                   "was",
                                                   "the",
                                                   "worst",
                                                   "of",
                                                   "times;",
                                                   "internationalization",
                                                   "reading",
                                                   "Qu\u00e9bec",
                                                   "na\u00efve",
                                                   "r\u00e9sum\u00e9",
                                                   "well-known",
                                                   "\u201cquoted\u201d",
                                                   "Stra\u00dfe",
                                                   "\u00fcber",
                                                   "caf\u00e9.",
                                                   "extraordinary",
                                                   "a",
                                                   "I",
                                                   "chapter",
                                                   "XLII",
                                                   "end."};
    return words;
}

// Paints a word into an image of a full-HD reading area, changing the word each time as the
// reader does; the font's glyph cache is warm after the first round, as it is while reading.
void paintWord(benchmark::State& state, const char* family, qreal points)
{
    tavrin::ORPWordView view;
    view.resize(1920, 1080);
    view.setFontName(QString::fromUtf8(family));
    view.setFontSize(points);
    QImage target(view.size(), QImage::Format_ARGB32_Premultiplied);
    target.fill(Qt::black);

    std::vector<QString> words;
    std::vector<int> indexes;
    for (const std::string& w : sampleWords()) {
        words.push_back(QString::fromStdString(w));
        indexes.push_back(tavrin::orpIndex(w));
    }
    std::size_t i = 0;
    for (auto _ : state) {
        view.setWord(words[i]);
        view.setOrpIndex(indexes[i]);
        view.render(&target, QPoint(), QRegion(), QWidget::DrawChildren);
        benchmark::DoNotOptimize(target.constBits());
        i = (i + 1) % words.size();
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_PaintWordArial120(benchmark::State& state)
{
    paintWord(state, "Arial", 120);
}
void BM_PaintWordCourierNew120(benchmark::State& state)
{
    paintWord(state, "Courier New", 120);
}
void BM_PaintWordCourierNew60(benchmark::State& state)
{
    paintWord(state, "Courier New", 60);
}
BENCHMARK(BM_PaintWordArial120)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PaintWordCourierNew120)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PaintWordCourierNew60)->Unit(benchmark::kMicrosecond);

void BM_OrpIndex(benchmark::State& state)
{
    const auto& words = sampleWords();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(tavrin::orpIndex(words[i]));
        i = (i + 1) % words.size();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_OrpIndex);

} // namespace

int main(int argc, char** argv)
{
    return tavrin::bench::runBenchmarks<QApplication>(argc, argv);
}
