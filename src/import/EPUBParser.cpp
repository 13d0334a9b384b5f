#include "import/EPUBParser.h"

#include "import/EPUBContentWalker.h"
#include "import/PathUtil.h"
#include "import/XmlDocument.h"
#include "import/ZipArchive.h"

#include <QString>
#include <QThread>
#include <QThreadPool>

#include <algorithm>
#include <atomic>
#include <exception>
#include <latch>
#include <mutex>
#include <unordered_set>

namespace tavrin {

namespace {

constexpr const char* kContainerPath = "META-INF/container.xml";
constexpr const char* kRootfileQuery = "//*[local-name()='rootfile']/@full-path";
constexpr const char* kManifestItemQuery = "//*[local-name()='item']";
constexpr const char* kSpineItemQuery = "//*[local-name()='itemref']";
constexpr const char* kCreatorQuery = "//*[local-name()='creator']";
constexpr const char* kTitleQuery = "//*[local-name()='title']";

// Room for the largest omnibus editions: a book past this many tokens is taken for a ZIP
// bomb of tiny words, whose tokens (56 bytes each) would otherwise exhaust memory.
constexpr std::int64_t kMaxBookTokens = 4'000'000;
constexpr int kMaxParseThreads = 4;

struct Chapter
{
    std::string path;
    std::vector<WordToken> tokens;
};

EPUBParser::Manifest readManifest(const XmlDocument& opfDoc)
{
    EPUBParser::Manifest manifest;
    for (const xmlNode* item : opfDoc.select(kManifestItemQuery)) {
        if (!XmlNode::isElement(item)) {
            continue;
        }
        std::optional<std::string> id = XmlNode::attribute(item, "id");
        std::optional<std::string> href = XmlNode::attribute(item, "href");
        if (id && href) {
            manifest[std::move(*id)] = std::move(*href);
        }
    }
    return manifest;
}

// The chapter files of the spine, in reading order, each listed once: real books name one
// file many times with different fragments, and its words belong in the book once.
std::vector<Chapter> spineChapters(const std::vector<xmlNode*>& spine,
                                   const EPUBParser::Manifest& manifest, const std::string& opfDir,
                                   const ZipArchive& archive)
{
    std::vector<Chapter> chapters;
    std::unordered_set<std::string> seen;
    for (const xmlNode* itemref : spine) {
        if (!XmlNode::isElement(itemref)) {
            continue;
        }
        const std::optional<std::string> idref = XmlNode::attribute(itemref, "idref");
        if (!idref) {
            continue;
        }
        const auto entry = manifest.find(*idref);
        if (entry == manifest.end()) {
            continue;
        }
        std::optional<std::string> path = PathUtil::resolveHref(opfDir, entry->second);
        if (!path || !archive.exists(*path) || !seen.insert(*path).second) {
            continue;
        }
        chapters.push_back(Chapter{std::move(*path), {}});
    }
    return chapters;
}

// Threads that tokenize chapters beside the importing thread. A pool of its own, kept
// between imports: the loader's import jobs run on the global pool, and waiting there for
// helpers queued behind other imports could deadlock.
QThreadPool& chapterPool()
{
    static QThreadPool* const pool = [] {
        auto* threads = new QThreadPool;
        threads->setMaxThreadCount(std::clamp(QThread::idealThreadCount(), 1, kMaxParseThreads) -
                                   1);
        return threads;
    }();
    return *pool;
}

enum class ChaptersOutcome
{
    ok,
    archiveBudgetSpent,
    tooManyTokens,
    failed,
};

// Reads and tokenizes every chapter, several at a time. Reads take turns on the archive
// (libzip is not thread-safe) in spine order, so the archive budget runs out at the same
// chapter every time; each chapter's tokens depend on its bytes alone. The result is
// therefore the same as one chapter after the other, and at most one chapter's bytes per
// thread are held at once.
ChaptersOutcome readChapters(ZipArchive& archive, std::vector<Chapter>& chapters)
{
    EPUBContentWalker::TokenBudget tokenBudget{kMaxBookTokens};
    std::mutex archiveMutex;
    std::size_t next = 0;
    std::atomic<ChaptersOutcome> outcome{ChaptersOutcome::ok};
    const auto work = [&] {
        while (outcome == ChaptersOutcome::ok) {
            std::size_t i = 0;
            ZipArchive::ReadResult file;
            {
                const std::lock_guard lock(archiveMutex);
                if (next >= chapters.size() || outcome != ChaptersOutcome::ok) {
                    return;
                }
                i = next++;
                file = archive.read(chapters[i].path);
                if (file.status == ZipArchive::ReadStatus::budgetExhausted) {
                    outcome = ChaptersOutcome::archiveBudgetSpent;
                    return;
                }
            }
            if (file.ok() &&
                !EPUBContentWalker::parse(file.bytes, 0, chapters[i].tokens, &tokenBudget)) {
                outcome = ChaptersOutcome::tooManyTokens;
            }
        }
    };
    // Running out of memory on any thread stops every thread and is rethrown to the caller
    // once none of them touches this frame any more.
    std::exception_ptr failure;
    std::mutex failureMutex;
    const auto guardedWork = [&] {
        try {
            work();
        } catch (...) {
            const std::lock_guard lock(failureMutex);
            failure = failure ? failure : std::current_exception();
            outcome = ChaptersOutcome::failed;
        }
    };
    QThreadPool& pool = chapterPool();
    const auto helpers = static_cast<std::ptrdiff_t>(std::min<std::size_t>(
        static_cast<std::size_t>(pool.maxThreadCount()), chapters.size() / 2));
    // Helpers only run when a thread is free at once (another import may hold the pool),
    // and wait for nothing but a turn at the archive, so waiting for them cannot stall.
    std::latch helpersDone(helpers);
    for (std::ptrdiff_t t = 0; t < helpers; ++t) {
        if (!pool.tryStart([&] {
                guardedWork();
                helpersDone.count_down();
            })) {
            helpersDone.count_down();
        }
    }
    guardedWork();
    helpersDone.wait();
    if (failure) {
        std::rethrow_exception(failure);
    }
    return outcome;
}

std::string firstStringValue(const XmlDocument& doc, const char* query)
{
    const std::vector<xmlNode*> nodes = doc.select(query);
    return nodes.empty() ? std::string() : EPUBParser::metadataText(nodes.front());
}

} // namespace

EPUBParseOutcome EPUBParser::parse(const QString& path)
{
    std::optional<ZipArchive> archive = ZipArchive::open(path);
    if (!archive) {
        return EPUBError::unzipFailed;
    }
    return parse(*archive);
}

EPUBParseOutcome EPUBParser::parse(const QByteArray& archiveBytes)
{
    std::optional<ZipArchive> archive = ZipArchive::openMemory(
        std::string_view(archiveBytes.constData(), static_cast<std::size_t>(archiveBytes.size())));
    if (!archive) {
        return EPUBError::unzipFailed;
    }
    return parse(*archive);
}

EPUBParseOutcome EPUBParser::parse(ZipArchive& archive)
{
    if (!archive.exists(kContainerPath)) {
        return EPUBError::containerNotFound;
    }
    const ZipArchive::ReadResult container = archive.read(kContainerPath);
    if (container.status == ZipArchive::ReadStatus::budgetExhausted) {
        return EPUBError::unzipFailed;
    }
    if (!container.ok()) {
        return EPUBError::unreadableEntry;
    }
    const auto containerDoc = XmlDocument::parseStrict(container.bytes);
    if (!containerDoc) {
        return EPUBError::malformedContainer;
    }
    const std::vector<xmlNode*> rootfiles = containerDoc->select(kRootfileQuery);
    if (rootfiles.empty()) {
        return EPUBError::malformedContainer;
    }

    // The package path is kept as written; only the lookup in the archive normalizes it.
    const std::string opfPath = XmlNode::stringValue(rootfiles.front());
    const std::string opfDir = PathUtil::parentPath(opfPath);
    const std::optional<std::string> opfEntry = PathUtil::normalize(opfPath);
    if (!opfEntry || !archive.exists(*opfEntry)) {
        return EPUBError::opfNotFound;
    }
    const ZipArchive::ReadResult package = archive.read(*opfEntry);
    if (package.status == ZipArchive::ReadStatus::budgetExhausted) {
        return EPUBError::unzipFailed;
    }
    if (!package.ok()) {
        return EPUBError::unreadableEntry;
    }
    const auto opfDoc = XmlDocument::parseStrict(package.bytes);
    if (!opfDoc) {
        return EPUBError::opfNotFound;
    }

    const Manifest manifest = readManifest(*opfDoc);
    const std::vector<xmlNode*> spine = opfDoc->select(kSpineItemQuery);
    if (spine.empty()) {
        return EPUBError::noSpineItems;
    }

    // A book past either budget is treated like an archive that cannot be unpacked.
    std::vector<Chapter> chapters = spineChapters(spine, manifest, opfDir, archive);
    if (readChapters(archive, chapters) != ChaptersOutcome::ok) {
        return EPUBError::unzipFailed;
    }

    EPUBParseResult result;
    ChapterMap pathToChapterIndex;
    std::size_t total = 0;
    for (const Chapter& chapter : chapters) {
        total += chapter.tokens.size();
    }
    result.tokens.reserve(total);
    std::int64_t counter = 0;
    for (Chapter& chapter : chapters) {
        if (chapter.tokens.empty()) {
            continue;
        }
        for (WordToken& token : chapter.tokens) {
            token.chapterIndex = counter;
            result.tokens.push_back(std::move(token));
        }
        pathToChapterIndex[chapter.path] = counter;
        ++counter;
        std::vector<WordToken>().swap(chapter.tokens);
    }

    // The start position and the contents both look in the navigation documents.
    const NavigationDocuments navDocs = navigationDocuments(archive, *opfDoc, opfDir);
    result.startIndex = findStartIndex(*opfDoc, opfDir, navDocs, pathToChapterIndex, result.tokens);
    result.contents = readContents(archive, *opfDoc, opfDir, manifest, navDocs, pathToChapterIndex,
                                   result.tokens);
    result.coverData = extractCoverImage(archive, *opfDoc, opfDir, manifest);
    if (archive.budgetExhausted()) {
        return EPUBError::unzipFailed;
    }
    result.author = normalizeAuthor(firstStringValue(*opfDoc, kCreatorQuery));
    result.title = cleanEPUBTitle(firstStringValue(*opfDoc, kTitleQuery), result.author);
    result.year = extractYearFromOPF(*opfDoc);
    return result;
}

} // namespace tavrin
