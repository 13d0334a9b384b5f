#pragma once

#include "common/Observers.h"
#include "common/PreferencesFile.h"
#include "library/Book.h"
#include "library/BookContents.h"
#include "tokenize/WordToken.h"

#include <QByteArray>
#include <QString>
#include <QUuid>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tavrin {

/// The library: every imported book with its token cache and cover files, the reading
/// position of each, and the book open last. Persisted in the user's preferences
/// ("tavrin_library_v2", "tavrin_last_open") and in the data directory "Tavrin"; every
/// change is written at once. A stored library that cannot be read is kept as
/// "tavrin_library_v2.<time>.bak" beside the preferences file before anything replaces it.
/// Main thread only.
class LibraryStore
{
public:
    /// Uses the per-user data directory and preferences; creates the directory and loads.
    LibraryStore();
    LibraryStore(const LibraryStore&) = delete;
    LibraryStore& operator=(const LibraryStore&) = delete;

    const std::vector<Book>& books() const { return m_books; }
    /// The book with this id, or nullptr; valid until the next change of books().
    const Book* find(const QUuid& id) const;
    /// The data directory, with a trailing separator.
    QString appSupportDir() const { return m_appSupportDir; }

    /// Adds a book with its token cache and cover; nothing is added when the cache cannot be
    /// written. A cover that cannot be written leaves the book without one.
    Result<Book, WriteError> addBook(const std::string& title, const std::string& author,
                                     const std::string& year, const std::vector<WordToken>& tokens,
                                     std::int64_t startIndex,
                                     const std::optional<QByteArray>& coverData);
    /// The same with the token cache already encoded (so a large book can be encoded off
    /// the main thread); tokenCount is the number of tokens in encodedTokens.
    Result<Book, WriteError> addBookEncoded(const std::string& title, const std::string& author,
                                            const std::string& year,
                                            const std::string& encodedTokens,
                                            std::int64_t tokenCount, std::int64_t startIndex,
                                            const std::optional<QByteArray>& coverData);
    /// A fresh token cache location in the data directory (empty when there is none). Safe
    /// to call from any thread, so an import can write a large cache off the main thread
    /// before its record exists.
    QString newTokenCachePath() const;
    /// Adds a book whose token cache has already been written to cachePath.
    Result<Book, WriteError> addBookWithCache(const std::string& title, const std::string& author,
                                              const std::string& year, const QString& cachePath,
                                              std::int64_t tokenCount, std::int64_t startIndex,
                                              const std::optional<QByteArray>& coverData);
    std::vector<WordToken> loadWords(const Book& book) const;
    /// The contents kept beside the book's token cache. A book without them (imported
    /// before they were kept, or whose file is damaged) gets contents found in its words,
    /// written there so that the next open reads them. Touches no state of the store, so a
    /// background job may call it.
    static std::vector<ContentsEntry> loadContents(const Book& book,
                                                   const std::vector<WordToken>& tokens);
    static Status<WriteError> saveContents(const Book& book,
                                           const std::vector<ContentsEntry>& entries);
    void removeBook(const Book& book);
    void updateProgress(const QUuid& id, std::int64_t index);
    std::optional<QUuid> lastOpenBookID() const;

    /// Records the file a book was imported from (its canonical path) and that file's size in
    /// bytes. An unknown id changes nothing.
    void setSource(const QUuid& id, const QString& path, std::int64_t size);
    /// The first book imported from the file at canonicalPath, or else the first whose source
    /// had the same size and either the same file name or a title equal to fileTitle (the same
    /// file moved or copied); nullptr when there is none.
    const Book* findImported(const QString& canonicalPath, const std::string& fileTitle,
                             std::int64_t size) const;
    void setLastOpenBook(const std::optional<QUuid>& id);

    /// Called after every change of books().
    Observers<> booksChanged;
    /// The library could not be stored; what the reader has in memory still holds it.
    Observers<WriteError> writeFailed;

private:
    void load();
    /// Reading progress is saved atomically; additions and removals are also forced to the
    /// disk.
    void save(PreferencesFile::Durability durability = PreferencesFile::Durability::durable);
    /// Reports a failed write of the stored library.
    void check(Status<WriteError> written);
    /// Appends a book and its stored form.
    void append(Book book);
    /// Keeps the stored form of books()[index] in step with it.
    void reencode(std::size_t index);
    std::optional<std::size_t> indexOf(const QUuid& id) const;
    /// A fresh file name in the data directory: an upper-case UUID followed by suffix.
    QString newFilePath(QStringView suffix) const;
    /// Copies an unreadable stored library beside the preferences file; true once it is safe
    /// to overwrite the stored value.
    bool setAsideUnreadableLibrary();

    std::vector<Book> m_books;
    /// Each book's JSON object, so that a progress update re-encodes one book, not 2,000;
    /// empty where a book could not be encoded.
    std::vector<std::string> m_encodedBooks;
    QString m_appSupportDir;
    PreferencesFile m_preferences;
    /// The stored library value when it could not be decoded at load, until it is set aside.
    std::optional<QByteArray> m_unreadableLibrary;
};

} // namespace tavrin
