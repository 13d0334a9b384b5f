// Importing a large EPUB: 800,000 words over 100 chapters of generated but book-like XHTML
// (paragraphs, headings, inline markup, character references, some Cyrillic and Greek).
// `tavrin_epub_bench --write-book=PATH` writes the same book to PATH instead, for timing
// other tools on it.
#include "import/EPUBParser.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <zip.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kChapters = 100;
constexpr int kWordsPerChapter = 8000;

const char* const kVocabulary[] = {
    "the",          "of",         "and",
    "to",           "a",          "in",
    "that",         "was",        "he",
    "she",          "it",         "with",
    "his",          "her",        "had",
    "for",          "not",        "at",
    "but",          "by",         "on",
    "from",         "they",       "which",
    "were",         "said",       "would",
    "there",        "been",       "one",
    "all",          "could",      "what",
    "when",         "more",       "house",
    "morning",      "letter",     "window",
    "afterwards",   "quietly",    "Mr.",
    "river",        "remembered", "extraordinary",
    "whispered",    "garden",     "Prince",
    "Andrew",       "Natasha",    "conversation",
    "well-known",   "however",    "nothing",
    "Москва",       "война",      "Καλημέρα",
    "naïve",        "café",       "twenty-two",
    "himself",      "understand", "incomprehensible",
    "nevertheless", "evening",    "door",
};
constexpr std::size_t kVocabularySize = sizeof(kVocabulary) / sizeof(kVocabulary[0]);

// A small deterministic generator, so every run reads the same book.
struct Random
{
    std::uint64_t state = 0x9E3779B97F4A7C15ULL;
    std::uint32_t next()
    {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return static_cast<std::uint32_t>(state);
    }
};

std::string chapterDocument(int number, Random& random)
{
    std::string body = "<h2>Chapter " + std::to_string(number + 1) + "</h2>\n";
    int words = 0;
    while (words < kWordsPerChapter) {
        const int length = 40 + static_cast<int>(random.next() % 80);
        body += "<p>";
        for (int i = 0; i < length && words < kWordsPerChapter; ++i, ++words) {
            const char* word = kVocabulary[random.next() % kVocabularySize];
            const std::uint32_t roll = random.next() % 100;
            if (i > 0) {
                body += roll < 3 ? "&#160;" : " ";
            }
            if (roll >= 95) {
                body += std::string("<em>") + word + "</em>";
            } else if (roll == 94) {
                body += std::string(word) + "&#8212;";
            } else {
                body += word;
            }
            if (roll >= 80 && roll < 86) {
                body += ',';
            } else if (roll >= 86 && roll < 91) {
                body += '.';
            }
        }
        body += ".</p>\n";
    }
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
           "<!DOCTYPE html>\n"
           "<html xmlns=\"http://www.w3.org/1999/xhtml\" "
           "xmlns:epub=\"http://www.idpf.org/2007/ops\">\n"
           "<head><title>Chapter</title><link rel=\"stylesheet\" href=\"../style.css\"/></head>\n"
           "<body><section epub:type=\"chapter\">\n" +
           body + "</section></body>\n</html>\n";
}

std::vector<std::pair<std::string, std::string>> bookFiles()
{
    Random random;
    std::string manifest;
    std::string spine;
    std::vector<std::pair<std::string, std::string>> files;
    files.emplace_back("mimetype", "application/epub+zip");
    files.emplace_back("META-INF/container.xml",
                       "<?xml version=\"1.0\"?><container version=\"1.0\" "
                       "xmlns=\"urn:oasis:names:tc:opendocument:xmlns:container\"><rootfiles>"
                       "<rootfile full-path=\"OEBPS/content.opf\" "
                       "media-type=\"application/oebps-package+xml\"/></rootfiles></container>");
    for (int c = 0; c < kChapters; ++c) {
        const std::string id = "ch" + std::to_string(c);
        manifest += "<item id=\"" + id + "\" href=\"Text/" + id +
                    ".xhtml\" media-type=\"application/xhtml+xml\"/>\n";
        spine += "<itemref idref=\"" + id + "\"/>\n";
        files.emplace_back("OEBPS/Text/" + id + ".xhtml", chapterDocument(c, random));
    }
    files.emplace_back(
        "OEBPS/content.opf",
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<package xmlns=\"http://www.idpf.org/2007/opf\" version=\"2.0\" "
        "unique-identifier=\"id\">\n"
        "<metadata xmlns:dc=\"http://purl.org/dc/elements/1.1/\"><dc:title>A Long Book: "
        "Complete Edition</dc:title><dc:creator>Writer, Some</dc:creator>"
        "<dc:date>1869-01-01</dc:date><dc:language>en</dc:language></metadata>\n"
        "<manifest>\n" +
            manifest + "</manifest>\n<spine>\n" + spine + "</spine>\n</package>\n");
    return files;
}

QByteArray zipped(const std::vector<std::pair<std::string, std::string>>& files)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_source_keep(buffer);
    zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    for (const auto& [name, data] : files) {
        zip_source_t* file = zip_source_buffer(archive, data.data(), data.size(), 0);
        const zip_int64_t index = zip_file_add(archive, name.c_str(), file, ZIP_FL_ENC_UTF_8);
        if (name == "mimetype") {
            zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
        }
    }
    zip_close(archive);
    zip_stat_t stat;
    zip_source_stat(buffer, &stat);
    QByteArray bytes(static_cast<qsizetype>(stat.size), '\0');
    zip_source_open(buffer);
    zip_source_read(buffer, bytes.data(), stat.size);
    zip_source_close(buffer);
    zip_source_free(buffer);
    zip_error_fini(&error);
    return bytes;
}

const QByteArray& book()
{
    static const QByteArray bytes = zipped(bookFiles());
    return bytes;
}

// The whole import from a file on disk, as the loader runs it.
void importLargeBook(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("book.epub"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(book()) != book().size()) {
        state.SkipWithError("cannot write the book");
        return;
    }
    file.close();
    std::size_t tokens = 0;
    for (auto _ : state) {
        const tavrin::EPUBParseOutcome outcome = tavrin::EPUBParser::parse(path);
        const auto* result = outcome ? &outcome.value() : nullptr;
        if (!result) {
            state.SkipWithError("import failed");
            return;
        }
        tokens = result->tokens.size();
        benchmark::DoNotOptimize(result->tokens.data());
    }
    state.counters["tokens"] = static_cast<double>(tokens);
    state.counters["tokens/s"] =
        benchmark::Counter(static_cast<double>(tokens) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
}
BENCHMARK(importLargeBook)->Unit(benchmark::kMillisecond)->UseRealTime();

constexpr const char* kPackagingGuide =
    "/usr/share/doc/ubuntu-packaging-guide-epub/ubuntu-packaging-guide.epub";

// A real book (the Ubuntu packaging guide: 126,000 words in 119 chapters) imported as the
// loader does, against pandoc turning the same file into plain text. The two take turns
// in every iteration, so both see the same load on the machine; "ratio" is pandoc's time
// over the reader's.
void packagingGuideAgainstPandoc(benchmark::State& state)
{
    const QString path = QString::fromUtf8(kPackagingGuide);
    if (!QFile::exists(path)) {
        state.SkipWithError("ubuntu-packaging-guide-epub is not installed");
        return;
    }
    const std::string pandoc =
        std::string("pandoc -f epub -t plain '") + kPackagingGuide + "' > /dev/null 2>&1";
    if (std::system("command -v pandoc > /dev/null") != 0 || std::system(pandoc.c_str()) != 0) {
        state.SkipWithError("pandoc is not installed");
        return;
    }
    using Clock = std::chrono::steady_clock;
    Clock::duration reader{};
    Clock::duration other{};
    for (auto _ : state) {
        const auto start = Clock::now();
        const tavrin::EPUBParseOutcome outcome = tavrin::EPUBParser::parse(path);
        const auto middle = Clock::now();
        const int status = std::system(pandoc.c_str());
        const auto end = Clock::now();
        if (!outcome || status != 0) {
            state.SkipWithError("import failed");
            return;
        }
        reader += middle - start;
        other += end - middle;
    }
    const auto ms = [&state](Clock::duration d) {
        return std::chrono::duration<double, std::milli>(d).count() /
               static_cast<double>(state.iterations());
    };
    state.counters["reader_ms"] = ms(reader);
    state.counters["pandoc_ms"] = ms(other);
    state.counters["ratio"] = ms(other) / ms(reader);
}
BENCHMARK(packagingGuideAgainstPandoc)->Unit(benchmark::kMillisecond)->Iterations(10);

// The reader's side of the comparison alone, for profiling.
void importPackagingGuide(benchmark::State& state)
{
    const QString path = QString::fromUtf8(kPackagingGuide);
    if (!QFile::exists(path)) {
        state.SkipWithError("ubuntu-packaging-guide-epub is not installed");
        return;
    }
    for (auto _ : state) {
        const tavrin::EPUBParseOutcome outcome = tavrin::EPUBParser::parse(path);
        benchmark::DoNotOptimize(&outcome);
    }
}
BENCHMARK(importPackagingGuide)->Unit(benchmark::kMillisecond)->UseRealTime();

// One 8,000-word chapter through the content walker alone.
void walkOneChapter(benchmark::State& state)
{
    Random random;
    const std::string chapter = chapterDocument(0, random);
    for (auto _ : state) {
        auto tokens = tavrin::EPUBParser::parseHTMLContent(chapter, 0);
        benchmark::DoNotOptimize(tokens.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(chapter.size()));
}
BENCHMARK(walkOneChapter)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    constexpr std::string_view kWriteBook = "--write-book=";
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument(argv[i]);
        if (argument.starts_with(kWriteBook)) {
            QFile out(QString::fromLocal8Bit(argument.substr(kWriteBook.size()).data()));
            return out.open(QIODevice::WriteOnly) && out.write(book()) == book().size() ? 0 : 1;
        }
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
