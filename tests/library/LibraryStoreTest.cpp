#include "library/LibraryStore.h"

#include "common/DataLocation.h"
#include "library/BookCodec.h"
#include "library/FileSizeLimit.h"
#include "support/TestHome.h"
#include "support/TestTokens.h"
#include "tokenize/TokenCodec.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSettings>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <limits>

namespace tavrin {
namespace {

QVariant storedValue(const QString& key)
{
    return QSettings(QStringLiteral("Tavrin"), QStringLiteral("Tavrin")).value(key);
}

void storeValue(const QString& key, const QVariant& value)
{
    QSettings preferences(QStringLiteral("Tavrin"), QStringLiteral("Tavrin"));
    preferences.setValue(key, value);
    preferences.sync();
}

std::optional<std::vector<Book>> storedBooks()
{
    const QByteArray bytes = storedValue(QStringLiteral("tavrin_library_v2")).toByteArray();
    return BookCodec::decode(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

QStringList dataFiles(const test::TestHome& home)
{
    return QDir(home.dataDir()).entryList(QDir::Files, QDir::Name);
}

// Every save replaces the preferences file by renaming a new one over it, so an unchanged
// inode proves that nothing was written.
ino_t inodeOf(const QString& path)
{
    struct stat info
    {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool isFreshName(const QString& name, const QString& suffix)
{
    static const QRegularExpression upperUuid(
        QStringLiteral("^[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}$"));
    return name.endsWith(suffix) && upperUuid.match(name.chopped(suffix.size())).hasMatch();
}

class LibraryStoreTest : public ::testing::Test
{
protected:
    test::TestHome home;
};

TEST_F(LibraryStoreTest, AddBookWritesTheCacheAndCoverUnderFreshNames)
{
    LibraryStore store;
    const Book plain = *store.addBook("Plain", "", "", test::makeTokens(42), 0, std::nullopt);
    EXPECT_FALSE(plain.coverImagePath);
    const QByteArray cover("\xFF\xD8\xFF\x00jpeg\r\n", 10);
    const auto words = test::makeTokens(42, std::vector<std::int64_t>(42, 4), {1, 1, 1, 1, 3.5});
    const Book epub = *store.addBook("Epub", "Author", "1999", words, 57, cover);
    ASSERT_TRUE(epub.coverImagePath);
    EXPECT_EQ(readFile(QString::fromStdString(*epub.coverImagePath)), cover);
    EXPECT_EQ(dataFiles(home).size(), 3);
    for (const std::string& path :
         {plain.cachedTokenPath, epub.cachedTokenPath, *epub.coverImagePath}) {
        const QFileInfo file(QString::fromStdString(path));
        EXPECT_EQ(file.absolutePath(), home.dataDir());
        EXPECT_TRUE(isFreshName(file.fileName(), u'.' + file.suffix())) << path;
    }
    const auto decoded = store.loadWords(epub);
    ASSERT_EQ(decoded.size(), 42u);
    EXPECT_EQ(decoded[4].pauseMultiplier, 3.5);
    EXPECT_EQ(decoded[41].chapterIndex, 4);
    // Texts that are not UTF-8 are repaired, so the library stays readable.
    const Book latin1 = *store.addBook("Caf\xE9", "\xFF", "", test::makeTokens(1), 0, std::nullopt);
    EXPECT_EQ(latin1.title, "Caf\xEF\xBF\xBD");
    EXPECT_EQ(storedBooks()->back(), latin1);
}

TEST_F(LibraryStoreTest, EveryAddIsANewEntryAndPersists)
{
    std::vector<Book> added;
    {
        LibraryStore store;
        added.push_back(*store.addBook("Same", "", "", test::makeTokens(3), 0, std::nullopt));
        added.push_back(*store.addBook("Same", "", "", test::makeTokens(3), 0, std::nullopt));
        added.push_back(*store.addBookEncoded("Encoded", "A", "2020",
                                              TokenCodec::encode(test::makeTokens(5)), 5, 2,
                                              QByteArray("img")));
        EXPECT_NE(added[0].id, added[1].id);
        EXPECT_NE(added[0].cachedTokenPath, added[1].cachedTokenPath);
        EXPECT_EQ(store.books(), added);
        // Any progress index is stored unchanged, past the end or below 0.
        added[0].currentWordIndex = std::numeric_limits<std::int64_t>::min();
        added[1].currentWordIndex = 10'000;
        store.updateProgress(added[0].id, added[0].currentWordIndex);
        store.updateProgress(added[1].id, added[1].currentWordIndex);
    }
    EXPECT_EQ(storedValue(QStringLiteral("tavrin_library_v2")).typeId(), QMetaType::QByteArray);
    EXPECT_EQ(storedBooks(), added);
    LibraryStore reopened;
    EXPECT_EQ(reopened.books(), added);
    EXPECT_EQ(reopened.loadWords(added[2]).size(), 5u);
}

TEST_F(LibraryStoreTest, LoadDropsBooksWhoseCacheIsGoneButKeepsTheirCoverAndStoredRecord)
{
    Book kept;
    Book lost;
    {
        LibraryStore store;
        kept = *store.addBook("Kept", "", "", test::makeTokens(2), 0, std::nullopt);
        lost = *store.addBook("Lost", "", "", test::makeTokens(2), 0, QByteArray("cover"));
    }
    ASSERT_TRUE(QFile::remove(QString::fromStdString(lost.cachedTokenPath)));
    const ino_t before = inodeOf(home.preferencesFile());
    LibraryStore store;
    EXPECT_EQ(store.books(), std::vector<Book>{kept});
    EXPECT_TRUE(QFile::exists(QString::fromStdString(*lost.coverImagePath)));
    // Loading alone writes nothing; the next save forgets the record.
    EXPECT_EQ(inodeOf(home.preferencesFile()), before);
    EXPECT_EQ(storedBooks()->size(), 2u);
    store.updateProgress(kept.id, 1);
    EXPECT_EQ(storedBooks()->size(), 1u);
}

TEST_F(LibraryStoreTest, ObserversHearEveryChangeAfterItIsStored)
{
    LibraryStore store;
    std::vector<std::size_t> seen;
    const auto subscription = store.booksChanged.subscribe([&] {
        // What an observer reads is already what the preferences hold.
        EXPECT_EQ(storedBooks(), store.books());
        seen.push_back(store.books().size());
    });
    const Book a = *store.addBook("A", "", "", test::makeTokens(1), 0, std::nullopt);
    ASSERT_TRUE(store.addBook("B", "", "", test::makeTokens(1), 0, std::nullopt));
    store.updateProgress(a.id, 1);
    store.removeBook(a);
    EXPECT_EQ(seen, (std::vector<std::size_t>{1, 2, 2, 1}));
}

TEST_F(LibraryStoreTest, RemoveBookDeletesItsFilesAndRecordEvenWhenTheFilesAreGone)
{
    LibraryStore store;
    const Book a = *store.addBook("A", "", "", test::makeTokens(1), 0, QByteArray("c"));
    const Book b = *store.addBook("B", "", "", test::makeTokens(1), 0, QByteArray("c"));
    const Book c = *store.addBook("C", "", "", test::makeTokens(1), 0, std::nullopt);
    store.setLastOpenBook(b.id);

    store.removeBook(b);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(b.cachedTokenPath)));
    EXPECT_FALSE(QFile::exists(QString::fromStdString(*b.coverImagePath)));
    EXPECT_EQ(store.books(), (std::vector<Book>{a, c}));
    EXPECT_EQ(store.lastOpenBookID(), b.id);

    QFile::remove(QString::fromStdString(a.cachedTokenPath));
    QFile::remove(QString::fromStdString(*a.coverImagePath));
    store.removeBook(a);
    EXPECT_EQ(store.books(), std::vector<Book>{c});
    EXPECT_EQ(storedBooks(), std::vector<Book>{c});
    EXPECT_EQ(dataFiles(home).size(), 1);
}

TEST_F(LibraryStoreTest, LoadWordsYieldsNothingForAMissingOrBrokenCache)
{
    LibraryStore store;
    const Book book = *store.addBook("B", "", "", test::makeTokens(3), 0, std::nullopt);
    QFile cache(QString::fromStdString(book.cachedTokenPath));
    ASSERT_TRUE(cache.resize(cache.size() / 2));
    EXPECT_TRUE(store.loadWords(book).empty());
    cache.remove();
    EXPECT_TRUE(store.loadWords(book).empty());
}

TEST_F(LibraryStoreTest, ABookWhoseCacheCannotBeWrittenIsNotAddedAndLeavesNoPartFile)
{
    LibraryStore store;
    ASSERT_TRUE(store.addBook("Small", "", "", test::makeTokens(2), 0, std::nullopt));
    {
        const test::FileSizeLimit diskFull(64 * 1024);
        const auto added =
            store.addBook("Large", "", "", test::makeTokens(20'000), 0, std::nullopt);
        ASSERT_FALSE(added);
        EXPECT_EQ(added.error(), WriteError::diskFull);
    }
    EXPECT_EQ(store.books().size(), 1u);
    EXPECT_EQ(dataFiles(home).size(), 1);
    EXPECT_EQ(storedBooks()->size(), 1u);
}

TEST_F(LibraryStoreTest, LastOpenBookIsAnUpperCaseUuidTextOrNothing)
{
    LibraryStore store;
    const QUuid id = QUuid::createUuid();
    store.setLastOpenBook(id);
    EXPECT_EQ(storedValue(QStringLiteral("tavrin_last_open")).toString(),
              id.toString(QUuid::WithoutBraces).toUpper());
    EXPECT_EQ(LibraryStore().lastOpenBookID(), id);

    store.setLastOpenBook(std::nullopt);
    EXPECT_FALSE(storedValue(QStringLiteral("tavrin_last_open")).isValid());
    EXPECT_FALSE(store.lastOpenBookID());

    storeValue(QStringLiteral("tavrin_last_open"), id.toString(QUuid::WithoutBraces));
    EXPECT_EQ(store.lastOpenBookID(), id);
    for (const QString& bad :
         {QStringLiteral("not a uuid"), id.toString(),
          QStringLiteral("\u00E9") + id.toString(QUuid::WithoutBraces).mid(1), QString()}) {
        storeValue(QStringLiteral("tavrin_last_open"), bad);
        EXPECT_FALSE(store.lastOpenBookID()) << bad.toStdString();
    }
    storeValue(QStringLiteral("tavrin_last_open"), id.toString(QUuid::WithoutBraces).toUtf8());
    EXPECT_FALSE(store.lastOpenBookID());
}

TEST_F(LibraryStoreTest, MalformedLibraryValuesLoadAsAnEmptyLibrary)
{
    // Byte strings of every malformed kind are the codec's tests; here, the kinds of value.
    const QVariant values[] = {
        QByteArray(R"([{"id":"6F9619FF-8B86-D011-B42D-00C04FC964FF","title":"T"}])"),
        QByteArray(),
        QVariant(QStringLiteral("[]")),
        QVariant(QStringList{QStringLiteral("["), QStringLiteral("]")}),
    };
    for (const QVariant& value : values) {
        SCOPED_TRACE(value.toString().toStdString());
        storeValue(QStringLiteral("tavrin_library_v2"), value);
        LibraryStore store;
        EXPECT_TRUE(store.books().empty());
    }
}

QStringList backups(const test::TestHome& home)
{
    return QDir(QFileInfo(home.preferencesFile()).absolutePath())
        .entryList({QStringLiteral("tavrin_library_v2.*.bak")}, QDir::Files, QDir::Name);
}

TEST_F(LibraryStoreTest, AnUnreadableLibraryIsSetAsideBeforeItIsReplaced)
{
    const QByteArray newer(
        R"([{"id":"6F9619FF-8B86-D011-B42D-00C04FC964FF","title":"T",)"
        R"("cachedTokenPath":"/x.json","currentWordIndex":1.5,"totalWords":9}])");
    storeValue(QStringLiteral("tavrin_library_v2"), newer);
    {
        // Reading, progress of unknown books and last-open changes keep the value as it is.
        LibraryStore store;
        store.updateProgress(QUuid::createUuid(), 1);
        store.setLastOpenBook(QUuid::createUuid());
    }
    EXPECT_EQ(storedValue(QStringLiteral("tavrin_library_v2")).toByteArray(), newer);
    EXPECT_TRUE(backups(home).isEmpty());

    LibraryStore store;
    const Book book = *store.addBook("New", "", "", test::makeTokens(1), 0, std::nullopt);
    store.updateProgress(book.id, 1);
    const QStringList saved = backups(home);
    ASSERT_EQ(saved.size(), 1);
    EXPECT_EQ(readFile(QFileInfo(home.preferencesFile()).absolutePath() + u'/' + saved[0]), newer);
    EXPECT_EQ(storedBooks()->size(), 1u);

    // A second unreadable value gets a backup of its own; the first is kept.
    storeValue(QStringLiteral("tavrin_library_v2"), QStringLiteral("plain text"));
    LibraryStore again;
    ASSERT_TRUE(again.addBook("Again", "", "", test::makeTokens(1), 0, std::nullopt));
    const QStringList both = backups(home);
    ASSERT_EQ(both.size(), 2);
    EXPECT_TRUE(both.contains(saved[0]));
}

} // namespace
} // namespace tavrin
