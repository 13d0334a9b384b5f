#include "import/PDFParser.h"

#include "import/PDFChapters.h"
#include "import/PDFOutline.h"
#include "import/PDFPageText.h"
#include "import/PageFurniture.h"
#include "import/PageJoin.h"
#include "tokenize/TextParser.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <exception>
#include <functional>
#include <optional>
#include <thread>
#include <utility>

namespace tavrin::PDFParser {

namespace {

// The file name poppler opens, or empty when path is no regular file.
std::string fileName(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile()) {
        return {};
    }
    return QFile::encodeName(info.absoluteFilePath()).toStdString();
}

/// Nothing when the file cannot be opened.
std::optional<RunningText> runningText(const std::string& file)
{
    std::vector<std::string> pages = PDFPageText::read(file);
    if (pages.empty()) {
        return std::nullopt;
    }
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

// Where each page's words begin among the tokens: the first token that begins at or after
// the page's first byte.
std::vector<std::size_t> pageTokenStarts(const RunningText& running,
                                         const std::vector<std::size_t>& tokenStarts)
{
    std::vector<std::size_t> starts;
    starts.reserve(running.pageStarts.size());
    auto from = tokenStarts.begin();
    for (const std::size_t pageStart : running.pageStarts) {
        from = std::lower_bound(from, tokenStarts.end(), pageStart);
        starts.push_back(static_cast<std::size_t>(from - tokenStarts.begin()));
    }
    return starts;
}

} // namespace

Result<std::vector<WordToken>, ImportError> read(const QString& path,
                                                 std::vector<ContentsEntry>* contents)
{
    const std::string file = fileName(path);
    if (file.empty()) {
        return ImportError::unreadable;
    }
    // The outline is read while the pages are.
    SideJob<std::vector<OutlineEntry>> outline(
        [&file] { return PDFOutline::chapterEntries(file); });
    const std::optional<RunningText> running = runningText(file);
    if (!running) {
        return ImportError::unreadable;
    }
    std::vector<std::size_t> tokenStarts;
    std::vector<WordToken> tokens = TextParser::tokenize(running->text, tokenStarts);
    const std::vector<OutlineEntry> entries = outline.run();
    if (tokens.empty()) {
        return ImportError::noText;
    }
    if (!entries.empty()) {
        std::vector<ContentsEntry> found =
            PDFChapters::assign(tokens, pageTokenStarts(*running, tokenStarts), entries);
        if (contents) {
            *contents = std::move(found);
        }
    }
    return tokens;
}

std::vector<WordToken> tokenize(const QString& path)
{
    try {
        auto tokens = read(path);
        return tokens ? std::move(tokens).value() : std::vector<WordToken>{};
    } catch (const std::exception&) {
        return {};
    }
}

std::string extractText(const QString& path)
{
    try {
        const std::string file = fileName(path);
        if (file.empty()) {
            return {};
        }
        auto running = runningText(file);
        return running ? std::move(running->text) : std::string();
    } catch (const std::exception&) {
        return {};
    }
}

} // namespace tavrin::PDFParser
