#include "import/DocumentLoader.h"

#include "common/AtomicFile.h"
#include "library/LibraryStore.h"
#include "session/Animation.h"
#include "session/ReaderSession.h"
#include "tokenize/TokenCodec.h"

#include <QFile>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QObject>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <optional>
#include <utility>

namespace tavrin {

namespace {

constexpr Animation kShowLibrary = Animation::easeInOut(0.25);

} // namespace

DocumentLoader::DocumentLoader(ReaderSession& session, QThreadPool* pool, Importer importer)
    : m_session(session), m_pool(pool ? pool : QThreadPool::globalInstance()),
      m_importer(importer ? std::move(importer)
                          : Importer([](const QString& path, DocumentKind kind, std::string title) {
                                return importDocument(path, kind, std::move(title));
                            })),
      m_context(std::make_unique<QObject>())
{}

DocumentLoader::~DocumentLoader() = default;

DocumentLoader::WrittenCache::~WrittenCache()
{
    if (!m_kept && !m_path.isEmpty()) {
        QFile::remove(m_path);
    }
}

void DocumentLoader::loadText(const QString& path)
{
    load(path, DocumentKind::plainText);
}

void DocumentLoader::loadPDF(const QString& path)
{
    load(path, DocumentKind::pdf);
}

void DocumentLoader::loadEpub(const QString& path)
{
    load(path, DocumentKind::epub);
}

void DocumentLoader::loadByKind(const QString& path)
{
    load(path, documentKindOf(path));
}

void DocumentLoader::openBook(const Book& book)
{
    const std::uint64_t generation = ++m_openGeneration;
    m_openPending = true;
    updateLoading();
    auto* watcher = new QFutureWatcher<Opened>(m_context.get());
    QObject::connect(
        watcher, &QFutureWatcherBase::finished, watcher, [this, watcher, generation, id = book.id] {
            QFuture<Opened> future = watcher->future();
            Opened opened = future.resultCount() > 0 ? future.takeResult() : Opened{};
            watcher->deleteLater();
            if (generation != m_openGeneration) {
                return; // a later open replaced this one
            }
            m_openPending = false;
            updateLoading();
            // The record as it is now: the book may have been read on or removed meanwhile.
            if (const Book* current = m_session.library().find(id)) {
                const Book record = *current;
                const bool missing = !opened.tokens || opened.tokens->empty();
                m_session.openBook(record,
                                   std::move(opened.tokens).value_or(std::vector<WordToken>{}),
                                   std::move(opened.contents));
                // The book opens empty, which alone would look like a book without words.
                if (missing) {
                    m_session.showHUD("Couldn't open " + record.title + ": its words are missing");
                }
            }
        });
    watcher->setFuture(QtConcurrent::run(m_pool, [book]() -> Opened {
        Opened opened;
        try {
            opened.tokens = TokenCodec::decodeFile(book.cachedTokenPath);
            // The contents file is read (or, for an older book, found and written) here too,
            // so that opening costs the main thread nothing but putting the words in place.
            if (opened.tokens) {
                opened.contents = LibraryStore::loadContents(book, *opened.tokens);
            }
        } catch (...) {
            return {}; // out of memory: the book opens empty
        }
        return opened;
    }));
}

void DocumentLoader::updateLoading()
{
    // The line stays up while anything is still being read.
    m_session.setLoading(pendingImports() > 0 || m_openPending);
}

void DocumentLoader::load(const QString& path, DocumentKind kind)
{
    std::string title = fileTitle(path);
    m_session.setLoading(true);

    // The job gets only values and returns only values. Encoding and writing the token cache
    // there keeps a long book's import from stalling the main thread: a 60 MB cache takes
    // longer to reach the disk than a frame may wait.
    auto job = [importer = m_importer, path, kind, title = std::move(title),
                cachePath = m_session.library().newTokenCachePath()]() mutable {
        Finished result;
        try {
            result.document = importer(path, kind, std::move(title));
            std::vector<WordToken> tokens = std::move(result.document.tokens);
            result.document.tokens = {};
            if (!tokens.empty()) {
                const std::string encoded = TokenCodec::encode(tokens);
                result.cache = std::make_shared<WrittenCache>(cachePath);
                result.tokenCount = static_cast<std::int64_t>(tokens.size());
                // A book whose words could not be stored is not added: it would open empty.
                if (cachePath.isEmpty()) {
                    result.writeError = WriteError::notWritable;
                } else if (const auto written = AtomicFile::write(
                               cachePath, encoded.data(), static_cast<qint64>(encoded.size()));
                           !written) {
                    result.writeError = written.error();
                }
            }
        } catch (...) {
            // Out of memory on a huge file: the import fails like any unreadable one.
            result = Finished{};
            result.document.error = ImportError::outOfMemory;
        }
        const QFileInfo file(path);
        result.path = path;
        result.canonicalPath = file.canonicalFilePath();
        result.size = file.size();
        return result;
    };

    const std::uint64_t submission = m_nextSubmission++;
    // The watcher delivers the finished job to this thread; deleting it (with m_context)
    // drops a delivery that has not run yet.
    auto* watcher = new QFutureWatcher<Finished>(m_context.get());
    QObject::connect(watcher, &QFutureWatcherBase::finished, watcher, [this, watcher, submission] {
        // A job dropped unrun (its pool cleared at exit) completes with nothing.
        QFuture<Finished> future = watcher->future();
        Finished result = future.resultCount() > 0 ? future.takeResult() : Finished{};
        watcher->deleteLater();
        jobFinished(submission, std::move(result));
    });
    watcher->setFuture(QtConcurrent::run(m_pool, std::move(job)));
}

void DocumentLoader::jobFinished(std::uint64_t submission, Finished result)
{
    m_waiting.emplace(submission, std::move(result));
    // Completions run in submission order: a later import that finished first waits here.
    for (auto next = m_waiting.find(m_nextCompletion); next != m_waiting.end();
         next = m_waiting.find(m_nextCompletion)) {
        Finished ready = std::move(next->second);
        m_waiting.erase(next);
        ++m_nextCompletion;
        complete(std::move(ready));
    }
}

void DocumentLoader::complete(Finished result)
{
    updateLoading();
    std::optional<Book> added;
    if (result.document.error) {
        // The file's own name, as the reader knows it, and the reason in plain words.
        m_session.showHUD("Couldn't open " + QFileInfo(result.path).fileName().toStdString() +
                          ": " + describe(*result.document.error));
    } else if (result.writeError) {
        m_session.showHUD("Couldn't add " + result.document.title + ": " +
                          describe(*result.writeError));
    } else if (result.tokenCount > 0) {
        m_session.saveCurrentProgress();
        const ImportedDocument& document = result.document;
        LibraryStore& library = m_session.library();
        auto book = library.addBookWithCache(document.title, document.author, document.year,
                                             result.cache->path(), result.tokenCount,
                                             document.startIndex, document.coverData);
        if (book) {
            result.cache->keep();
            added = std::move(book).value();
            // Without its file the book falls back to contents from its headings: worth
            // telling, not worth refusing the book for.
            if (!document.contents.empty()) {
                if (const auto saved = library.saveContents(*added, document.contents); !saved) {
                    m_session.showHUD("Couldn't save the contents of " + document.title + ": " +
                                      describe(saved.error()));
                }
            }
            if (!result.canonicalPath.isEmpty()) {
                library.setSource(added->id, result.canonicalPath, result.size);
                added->sourcePath = result.canonicalPath.toStdString();
                added->sourceSize = result.size;
            }
            m_session.setShowBooks(true, kShowLibrary);
        } else {
            m_session.showHUD("Couldn't add " + document.title + ": " + describe(book.error()));
        }
    }
    fileImported.notify(result.path, added);
    importCompleted.notify();
}

} // namespace tavrin
