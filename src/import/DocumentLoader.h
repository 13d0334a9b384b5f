#pragma once

#include "common/WriteError.h"

#include "common/Observers.h"
#include "import/DocumentImport.h"
#include "import/DocumentKind.h"
#include "library/Book.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

class QObject;
class QThreadPool;

namespace tavrin {

class ReaderSession;
struct Book;

/// Imports documents into the library: each file is read and tokenized on a background
/// pool while the reader stays responsive, then added to the library on the main thread,
/// in the order the imports were started, and the library panel is shown. An import never
/// changes the book being read. Main thread only.
class DocumentLoader
{
public:
    /// The background part of an import; importDocument() unless a test substitutes it.
    using Importer = std::function<ImportedDocument(const QString& path, DocumentKind kind,
                                                    std::string fileTitle)>;

    /// pool: where the imports run; nullptr for Qt's global pool.
    explicit DocumentLoader(ReaderSession& session, QThreadPool* pool = nullptr,
                            Importer importer = {});
    /// Imports still running finish in the background; their results are dropped.
    ~DocumentLoader();
    DocumentLoader(const DocumentLoader&) = delete;
    DocumentLoader& operator=(const DocumentLoader&) = delete;

    void loadText(const QString& path);
    void loadPDF(const QString& path);
    void loadEpub(const QString& path);
    /// Imports the file as the kind its extension names.
    void loadByKind(const QString& path);

    /// Opens a library book, reading its token cache on the pool with "Loading…" shown so
    /// that a long book never stalls the window. Only the latest open is completed: an
    /// earlier one still being read is dropped, as is one whose book has left the library.
    void openBook(const Book& book);
    /// Whether an open is still being read.
    bool isOpening() const { return m_openPending; }

    /// Imports started whose completion has not run yet.
    int pendingImports() const { return static_cast<int>(m_nextSubmission - m_nextCompletion); }

    /// After each import's completion has run, whether or not it added a book.
    Observers<> importCompleted;
    /// Just before importCompleted: the path the import was given and the book it added, if
    /// any.
    Observers<const QString&, const std::optional<Book>&> fileImported;

private:
    /// What a background import hands back: the document without its token list, whose
    /// cache is already encoded so the main thread only writes it.
    /// A token cache written by an import job before its book exists: the file goes again
    /// unless the completion adds a book for it (also when the completion is dropped).
    class WrittenCache
    {
    public:
        explicit WrittenCache(QString path) : m_path(std::move(path)) {}
        ~WrittenCache();
        WrittenCache(const WrittenCache&) = delete;
        WrittenCache& operator=(const WrittenCache&) = delete;
        const QString& path() const { return m_path; }
        void keep() { m_kept = true; }

    private:
        QString m_path;
        bool m_kept = false;
    };

    struct Finished
    {
        ImportedDocument document;
        std::shared_ptr<WrittenCache> cache;
        std::int64_t tokenCount = 0;
        QString path;
        /// The file as the library records where a book came from.
        QString canonicalPath;
        std::int64_t size = 0;
        /// The words were read but could not be stored.
        std::optional<WriteError> writeError;
    };

    /// A library book's words and contents, read off the main thread.
    struct Opened
    {
        std::optional<std::vector<WordToken>> tokens;
        std::vector<ContentsEntry> contents;
    };

    void load(const QString& path, DocumentKind kind);
    void jobFinished(std::uint64_t submission, Finished result);
    void complete(Finished result);
    void updateLoading();

    ReaderSession& m_session;
    QThreadPool* m_pool;
    Importer m_importer;
    /// Parent of the per-import watchers: deleting it drops every pending completion.
    std::unique_ptr<QObject> m_context;
    std::uint64_t m_nextSubmission = 0;
    std::uint64_t m_nextCompletion = 0;
    /// Finished imports waiting for an earlier one to complete first.
    std::map<std::uint64_t, Finished> m_waiting;
    /// Counts opens; a completion runs only if no later open was started since.
    std::uint64_t m_openGeneration = 0;
    bool m_openPending = false;
};

} // namespace tavrin
