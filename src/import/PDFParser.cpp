#include "import/PDFParser.h"

#include "import/PDFChapters.h"
#include "import/PDFOutline.h"
#include "import/PageFurniture.h"
#include "import/PageJoin.h"
#include "tokenize/TextParser.h"
#include "tokenize/UnicodeText.h"

#include <QFile>
#include <QFileInfo>

#include <poppler-document.h>
#include <poppler-global.h>
#include <poppler-page.h>

#include <algorithm>
#include <atomic>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <string_view>
#include <thread>
#include <utility>

namespace tavrin::PDFParser {

namespace {

// Below this many pages per thread, opening the document again costs more than it saves.
constexpr int kMinPagesPerThread = 8;
constexpr unsigned kMaxThreads = 4;

// Damaged files make poppler complain on stderr; a failed import is silent.
void silencePoppler()
{
    static std::once_flag once;
    std::call_once(
        once, [] { poppler::set_debug_error_function([](const std::string&, void*) {}, nullptr); });
}

std::unique_ptr<poppler::document> openDocument(const std::string& file)
{
    std::unique_ptr<poppler::document> document(poppler::document::load_from_file(file));
    // A document locked by a user password opens, but has no readable pages.
    if (!document || document->is_locked()) {
        return nullptr;
    }
    return document;
}

// The page's text with its line ends as line feeds, or empty when it has none.
std::string pageText(const poppler::document& document, int index)
{
    const std::unique_ptr<poppler::page> page(document.create_page(index));
    if (!page) {
        return {};
    }
    const poppler::byte_array utf8 =
        page->text(poppler::rectf(), poppler::page::non_raw_non_physical_layout).to_utf8();
    std::string_view text(utf8.data(), utf8.size());
    // poppler closes every page with a form feed, its page separator.
    if (!text.empty() && text.back() == '\f') {
        text.remove_suffix(1);
    }
    if (text.empty() || !UnicodeText::isValidUtf8(text)) {
        return {};
    }
    // Where poppler ends lines with CR LF (its Windows default), keep only the line feeds:
    // paragraphs are found at bare blank lines.
    std::string result;
    result.reserve(text.size());
    std::size_t from = 0;
    for (std::size_t crlf = text.find("\r\n"); crlf != std::string_view::npos;
         crlf = text.find("\r\n", from)) {
        result.append(text.substr(from, crlf - from));
        from = crlf + 1;
    }
    result.append(text.substr(from));
    return result;
}

// Reads every page's text, in parallel where the document is long enough: poppler gives each
// page its own text device, so work such as colour-profile set-up is repeated on every
// page, and spreading pages over threads wins that time back. Each thread opens its own copy
// of the document; threads take the next unread page until none is left. Empty when the
// document cannot be read.
std::vector<std::string> readPages(const std::string& file)
{
    silencePoppler();
    std::unique_ptr<poppler::document> first = openDocument(file);
    if (!first) {
        return {};
    }
    const int pageCount = first->pages();
    if (pageCount <= 0) {
        return {};
    }

    std::vector<std::string> pages(static_cast<std::size_t>(pageCount));
    std::atomic<int> nextPage{0};
    std::atomic<bool> failed{false};
    auto work = [&](std::unique_ptr<poppler::document> document) {
        try {
            if (!document) {
                document = openDocument(file);
            }
            if (!document) {
                return;
            }
            for (int index = nextPage++; index < pageCount && !failed; index = nextPage++) {
                pages[static_cast<std::size_t>(index)] = pageText(*document, index);
            }
        } catch (const std::exception&) {
            failed = true;
        }
    };

    const unsigned hardware = std::max(1U, std::thread::hardware_concurrency());
    const unsigned byPages = static_cast<unsigned>(std::max(1, pageCount / kMinPagesPerThread));
    const unsigned threadCount = std::min({hardware, byPages, kMaxThreads});
    std::vector<std::thread> helpers;
    for (unsigned i = 1; i < threadCount; ++i) {
        try {
            helpers.emplace_back(work, nullptr);
        } catch (const std::exception&) {
            break; // fewer threads; this one still reads every remaining page
        }
    }
    work(std::move(first));
    for (std::thread& helper : helpers) {
        helper.join();
    }
    if (failed) {
        return {};
    }
    return pages;
}

// The file name poppler opens, or empty when path is no regular file.
std::string fileName(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile()) {
        return {};
    }
    return QFile::encodeName(info.absoluteFilePath()).toStdString();
}

RunningText runningText(const std::string& file)
{
    std::vector<std::string> pages = readPages(file);
    PageFurniture::strip(pages);
    return PageJoin::join(pages);
}

// Runs job on a thread of its own while the caller goes on; run() waits for it. Where no
// thread can be started, run() does the job itself.
template<typename Result> class SideJob
{
public:
    explicit SideJob(std::function<Result()> job) : m_job(std::move(job))
    {
        try {
            m_thread = std::thread([this] {
                try {
                    m_result = m_job();
                } catch (const std::exception&) {
                    m_result = Result();
                }
            });
        } catch (const std::exception&) {
        }
    }
    ~SideJob()
    {
        if (m_thread.joinable()) {
            m_thread.join();
        }
    }
    SideJob(const SideJob&) = delete;
    SideJob& operator=(const SideJob&) = delete;

    Result run()
    {
        if (m_thread.joinable()) {
            m_thread.join();
            return std::move(m_result);
        }
        return m_job();
    }

private:
    std::function<Result()> m_job;
    Result m_result{};
    std::thread m_thread;
};

// Where each page's words begin among the tokens. A page's text holds whole words, and how
// many tokens a word makes does not depend on the paragraph around it.
std::vector<std::size_t> pageTokenStarts(const RunningText& running)
{
    std::vector<std::size_t> starts{0};
    const std::string_view text = running.text;
    for (std::size_t p = 0; p + 1 < running.pageStarts.size(); ++p) {
        const std::size_t from = running.pageStarts[p];
        const std::size_t to = running.pageStarts[p + 1];
        starts.push_back(
            starts.back() +
            (to > from ? TextParser::tokenize(text.substr(from, to - from)).size() : 0));
    }
    return starts;
}

} // namespace

std::vector<WordToken> tokenize(const QString& path)
{
    try {
        const std::string file = fileName(path);
        if (file.empty()) {
            return {};
        }
        // The outline is read while the pages are, and the pages' places among the tokens are
        // counted while the whole text is tokenized.
        SideJob<std::vector<OutlineEntry>> outline(
            [&file] { return PDFOutline::chapterEntries(file); });
        const RunningText running = runningText(file);
        const std::vector<OutlineEntry> entries = outline.run();
        SideJob<std::vector<std::size_t>> pageStarts([&running, &entries] {
            return entries.empty() ? std::vector<std::size_t>() : pageTokenStarts(running);
        });
        std::vector<WordToken> tokens = TextParser::tokenize(running.text);
        const std::vector<std::size_t> starts = pageStarts.run();
        if (tokens.empty() || entries.empty()) {
            return tokens;
        }
        PDFChapters::assign(tokens, starts, entries);
        return tokens;
    } catch (const std::exception&) {
        return {};
    }
}

std::string extractText(const QString& path)
{
    try {
        const std::string file = fileName(path);
        return file.empty() ? std::string() : runningText(file).text;
    } catch (const std::exception&) {
        return {};
    }
}

} // namespace tavrin::PDFParser
