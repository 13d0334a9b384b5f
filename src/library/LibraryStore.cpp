#include "library/LibraryStore.h"

#include "common/AtomicFile.h"
#include "common/DataLocation.h"
#include "common/UuidText.h"
#include "library/BookCodec.h"
#include "tokenize/TokenCodec.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <simdjson.h>

#include <algorithm>

namespace tavrin {

namespace {

QString libraryKey()
{
    return QStringLiteral("tavrin_library_v2");
}

QString lastOpenKey()
{
    return QStringLiteral("tavrin_last_open");
}

// Texts reach the store from file names and book metadata. JSON holds only UTF-8, so a record
// with a stray invalid byte could never be saved; such bytes become U+FFFD before the record
// exists.
std::string validUtf8(const std::string& text)
{
    if (simdjson::validate_utf8(text.data(), text.size())) {
        return text;
    }
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toStdString();
}

} // namespace

LibraryStore::LibraryStore()
    : m_appSupportDir(DataLocation::appSupportDir()),
      m_preferences(QStringLiteral("Tavrin"), QStringLiteral("Tavrin"))
{
    if (!m_appSupportDir.isEmpty()) {
        QDir().mkpath(m_appSupportDir);
    }
    load();
}

Result<Book, WriteError> LibraryStore::addBook(const std::string& title, const std::string& author,
                                               const std::string& year,
                                               const std::vector<WordToken>& tokens,
                                               std::int64_t startIndex,
                                               const std::optional<QByteArray>& coverData)
{
    return addBookEncoded(title, author, year, TokenCodec::encode(tokens),
                          static_cast<std::int64_t>(tokens.size()), startIndex, coverData);
}

Result<Book, WriteError>
LibraryStore::addBookEncoded(const std::string& title, const std::string& author,
                             const std::string& year, const std::string& encodedTokens,
                             std::int64_t tokenCount, std::int64_t startIndex,
                             const std::optional<QByteArray>& coverData)
{
    if (m_appSupportDir.isEmpty()) {
        return WriteError::notWritable;
    }
    const QString cachePath = newFilePath(u".json");
    // The cache reaches the disk whole before any record points at it; a record without its
    // cache would be dropped at the next start.
    const auto written = AtomicFile::write(cachePath, encodedTokens.data(),
                                           static_cast<qint64>(encodedTokens.size()));
    if (!written) {
        return written.error();
    }
    return addBookWithCache(title, author, year, cachePath, tokenCount, startIndex, coverData);
}

QString LibraryStore::newTokenCachePath() const
{
    return m_appSupportDir.isEmpty() ? QString() : newFilePath(u".json");
}

Result<Book, WriteError>
LibraryStore::addBookWithCache(const std::string& title, const std::string& author,
                               const std::string& year, const QString& cachePath,
                               std::int64_t tokenCount, std::int64_t startIndex,
                               const std::optional<QByteArray>& coverData)
{
    if (m_appSupportDir.isEmpty()) {
        return WriteError::notWritable;
    }
    std::optional<std::string> coverPath;
    if (coverData) {
        const QString path = newFilePath(u".jpg");
        if (AtomicFile::write(path, *coverData)) {
            coverPath = path.toStdString();
        }
    }

    Book book;
    book.id = QUuid::createUuid();
    book.title = validUtf8(title);
    book.author = validUtf8(author);
    book.year = validUtf8(year);
    book.cachedTokenPath = cachePath.toStdString();
    book.coverImagePath = std::move(coverPath);
    book.currentWordIndex = startIndex;
    book.totalWords = tokenCount;
    append(book);
    save();
    booksChanged.notify();
    return book;
}

std::vector<WordToken> LibraryStore::loadWords(const Book& book) const
{
    return TokenCodec::decodeFile(book.cachedTokenPath).value_or(std::vector<WordToken>{});
}

std::vector<ContentsEntry> LibraryStore::loadContents(const Book& book,
                                                      const std::vector<WordToken>& tokens)
{
    const auto path = QString::fromStdString(BookContents::pathFor(book.cachedTokenPath));
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = file.read(16 * 1024 * 1024);
        if (auto entries = BookContents::decode(
                std::string_view(bytes.data(), static_cast<std::size_t>(bytes.size())),
                static_cast<std::int64_t>(tokens.size()))) {
            return *entries;
        }
    }
    auto entries = BookContents::fromHeadings(tokens);
    if (!tokens.empty()) {
        // Without the file the same contents are found again next time.
        static_cast<void>(saveContents(book, entries));
    }
    return entries;
}

Status<WriteError> LibraryStore::saveContents(const Book& book,
                                              const std::vector<ContentsEntry>& entries)
{
    const std::string json = BookContents::encode(entries);
    if (json.empty()) {
        return WriteError::failed;
    }
    return AtomicFile::write(QString::fromStdString(BookContents::pathFor(book.cachedTokenPath)),
                             QByteArray(json.data(), static_cast<qsizetype>(json.size())));
}

void LibraryStore::removeBook(const Book& book)
{
    QFile::remove(QString::fromStdString(book.cachedTokenPath));
    QFile::remove(QString::fromStdString(BookContents::pathFor(book.cachedTokenPath)));
    if (book.coverImagePath) {
        QFile::remove(QString::fromStdString(*book.coverImagePath));
    }
    std::size_t removed = 0;
    for (std::size_t i = m_books.size(); i-- > 0;) {
        if (m_books[i].id == book.id) {
            m_books.erase(m_books.begin() + static_cast<std::ptrdiff_t>(i));
            m_encodedBooks.erase(m_encodedBooks.begin() + static_cast<std::ptrdiff_t>(i));
            ++removed;
        }
    }
    save();
    if (removed > 0) {
        booksChanged.notify();
    }
}

void LibraryStore::setSource(const QUuid& id, const QString& path, std::int64_t size)
{
    const auto at = indexOf(id);
    if (!at) {
        return;
    }
    m_books[*at].sourcePath = validUtf8(path.toStdString());
    m_books[*at].sourceSize = size;
    reencode(*at);
    // Losing this to a power cut costs no more than a second import of the file.
    save(PreferencesFile::Durability::atomic);
}

const Book* LibraryStore::findImported(const QString& canonicalPath, const std::string& fileTitle,
                                       std::int64_t size) const
{
    const std::string path = canonicalPath.toStdString();
    const auto samePath = [&](const Book& b) { return !path.empty() && b.sourcePath == path; };
    const QString fileName = QFileInfo(canonicalPath).fileName();
    const auto sameFile = [&](const Book& b) {
        return b.sourceSize == size &&
               (b.title == fileTitle ||
                (b.sourcePath &&
                 QFileInfo(QString::fromStdString(*b.sourcePath)).fileName() == fileName));
    };
    auto it = std::find_if(m_books.begin(), m_books.end(), samePath);
    if (it == m_books.end()) {
        it = std::find_if(m_books.begin(), m_books.end(), sameFile);
    }
    return it == m_books.end() ? nullptr : &*it;
}

const Book* LibraryStore::find(const QUuid& id) const
{
    const auto at = indexOf(id);
    return at ? &m_books[*at] : nullptr;
}

std::optional<std::size_t> LibraryStore::indexOf(const QUuid& id) const
{
    const auto it =
        std::find_if(m_books.begin(), m_books.end(), [&](const Book& b) { return b.id == id; });
    if (it == m_books.end()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(it - m_books.begin());
}

void LibraryStore::updateProgress(const QUuid& id, std::int64_t index)
{
    const auto at = indexOf(id);
    if (!at) {
        return;
    }
    m_books[*at].currentWordIndex = index;
    reencode(*at);
    // This runs after every word: forcing each write to the disk would cost more than a word
    // lasts. The replacing rename still keeps the file whole whatever happens to the process;
    // a power cut may cost the last positions (file systems such as ext4 and btrfs write a
    // replacing file's data before the rename).
    save(PreferencesFile::Durability::atomic);
    booksChanged.notify();
}

std::optional<QUuid> LibraryStore::lastOpenBookID() const
{
    const QVariant value = m_preferences.value(lastOpenKey());
    if (value.typeId() != QMetaType::QString) {
        return std::nullopt;
    }
    return UuidText::parse(value.toString());
}

void LibraryStore::setLastOpenBook(const std::optional<QUuid>& id)
{
    check(id ? m_preferences.setValue(lastOpenKey(), UuidText::toQString(*id),
                                      PreferencesFile::Durability::durable)
             : m_preferences.remove(lastOpenKey(), PreferencesFile::Durability::durable));
}

void LibraryStore::load()
{
    const QVariant value = m_preferences.value(libraryKey());
    if (!value.isValid()) {
        return;
    }
    if (value.typeId() == QMetaType::QByteArray) {
        const QByteArray bytes = value.toByteArray();
        auto decoded = BookCodec::decode(
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        if (decoded) {
            std::erase_if(*decoded, [](const Book& b) {
                return !QFileInfo::exists(QString::fromStdString(b.cachedTokenPath));
            });
            m_books.clear();
            m_encodedBooks.clear();
            for (Book& book : *decoded) {
                append(std::move(book));
            }
            booksChanged.notify();
            return;
        }
        m_unreadableLibrary = bytes;
    } else if (value.typeId() == QMetaType::QString) {
        m_unreadableLibrary = value.toString().toUtf8();
    } else {
        // Some other kind of value: keep the whole preferences file, which holds it.
        QFile file(m_preferences.fileName());
        m_unreadableLibrary = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
}

void LibraryStore::append(Book book)
{
    m_encodedBooks.push_back(BookCodec::encodeBook(book).value_or(std::string{}));
    m_books.push_back(std::move(book));
}

void LibraryStore::reencode(std::size_t index)
{
    m_encodedBooks[index] = BookCodec::encodeBook(m_books[index]).value_or(std::string{});
}

void LibraryStore::save(PreferencesFile::Durability durability)
{
    qsizetype size = 2;
    for (const std::string& book : m_encodedBooks) {
        if (book.empty()) {
            return;
        }
        size += static_cast<qsizetype>(book.size()) + 1;
    }
    QByteArray json;
    json.reserve(size);
    json += '[';
    for (std::size_t i = 0; i < m_encodedBooks.size(); ++i) {
        if (i > 0) {
            json += ',';
        }
        json.append(m_encodedBooks[i].data(), static_cast<qsizetype>(m_encodedBooks[i].size()));
    }
    json += ']';
    if (m_unreadableLibrary && !setAsideUnreadableLibrary()) {
        return;
    }
    check(m_preferences.setValue(libraryKey(), json, durability));
}

void LibraryStore::check(Status<WriteError> written)
{
    if (!written) {
        writeFailed.notify(written.error());
    }
}

QString LibraryStore::newFilePath(QStringView suffix) const
{
    return m_appSupportDir + UuidText::toQString(QUuid::createUuid()) + suffix.toString();
}

bool LibraryStore::setAsideUnreadableLibrary()
{
    // Beside the preferences file when it is a file; otherwise (a registry, say) in the data
    // directory.
    const QFileInfo preferences(m_preferences.fileName());
    QString dir = preferences.isAbsolute() && preferences.dir().exists()
                      ? preferences.absolutePath()
                      : m_appSupportDir;
    if (dir.isEmpty()) {
        return false;
    }
    if (!dir.endsWith(u'/')) {
        dir += u'/';
    }
    const QString stem =
        dir + libraryKey() + u'.' +
        QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString path = stem + QStringLiteral(".bak");
    for (int n = 1; QFileInfo::exists(path); ++n) {
        path = stem + u'-' + QString::number(n) + QStringLiteral(".bak");
    }
    if (!AtomicFile::write(path, *m_unreadableLibrary)) {
        return false;
    }
    m_unreadableLibrary.reset();
    return true;
}

} // namespace tavrin
