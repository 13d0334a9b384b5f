#include "library/LibraryStore.h"

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

namespace tavrin {
namespace {

// A temporary writes its change back when it goes at the end of the statement.
QSettings preferences()
{
    return QSettings(QStringLiteral("Tavrin"), QStringLiteral("Tavrin"));
}

std::optional<std::vector<Book>> storedBooks()
{
    const QByteArray bytes = preferences().value(QStringLiteral("tavrin_library_v2")).toByteArray();
    return BookCodec::decode(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

QStringList dataFiles(const test::TestHome& home)
{
    return QDir(home.dataDir()).entryList(QDir::Files, QDir::Name);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

Book add(LibraryStore& store, const std::string& title,
         const std::optional<QByteArray>& cover = std::nullopt)
{
    return store.addBook(title, "", "", test::makeTokens(1), 0, cover).value();
}

class LibraryStoreTest : public ::testing::Test
{
protected:
    test::TestHome home;
};

TEST_F(LibraryStoreTest, AddBookWritesTheCacheAndCoverInTheDataDirectory)
{
    LibraryStore store;
    const Book plain = add(store, "Plain");
    EXPECT_FALSE(plain.coverImagePath);
    const QByteArray cover("\xFF\xD8\xFF\x00jpeg\r\n", 10);
    const auto words = test::makeTokens(42, std::vector<std::int64_t>(42, 4), {1, 1, 1, 1, 3.5});
    const Book epub = *store.addBook("Epub", "Author", "1999", words, 57, cover);
    EXPECT_EQ(epub.currentWordIndex, 57);
    ASSERT_TRUE(epub.coverImagePath);
    EXPECT_EQ(readFile(QString::fromStdString(*epub.coverImagePath)), cover);
    // Each file is named by a fresh upper-case UUID.
    const QRegularExpression fresh(
        QStringLiteral("^[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}\\.(json|jpg)$"));
    EXPECT_EQ(dataFiles(home).filter(fresh).size(), 3);
    EXPECT_EQ(store.loadWords(epub), words);
    // Texts that are not UTF-8 are repaired, so the library stays readable.
    const Book latin1 = *store.addBook("Caf\xE9", "\xFF", "", test::makeTokens(1), 0, std::nullopt);
    EXPECT_EQ(latin1.title, "Caf\xEF\xBF\xBD");
    EXPECT_EQ(storedBooks()->back(), latin1);
}

TEST_F(LibraryStoreTest, EveryAddIsANewEntryAndPersistsWhileItsCacheLasts)
{
    std::vector<Book> added;
    Book lost;
    {
        LibraryStore store;
        added.push_back(add(store, "Same"));
        added.push_back(add(store, "Same"));
        added.push_back(*store.addBookEncoded("Encoded", "A", "2020",
                                              TokenCodec::encode(test::makeTokens(5)), 5, 2,
                                              QByteArray("img")));
        lost = add(store, "Lost", QByteArray("cover"));
        EXPECT_NE(added[0].id, added[1].id);
        EXPECT_NE(added[0].cachedTokenPath, added[1].cachedTokenPath);
        EXPECT_EQ(store.books(), (std::vector<Book>{added[0], added[1], added[2], lost}));
        added[0].currentWordIndex = -5; // below 0 or past the end: stored as it is
        added[1].currentWordIndex = 10'000;
        store.updateProgress(added[0].id, added[0].currentWordIndex);
        store.updateProgress(added[1].id, added[1].currentWordIndex);
    }
    EXPECT_EQ(preferences().value(QStringLiteral("tavrin_library_v2")).typeId(),
              QMetaType::QByteArray);
    ASSERT_TRUE(QFile::remove(QString::fromStdString(lost.cachedTokenPath)));
    LibraryStore reopened;
    EXPECT_EQ(reopened.books(), added);
    EXPECT_EQ(reopened.loadWords(added[2]).size(), 5u);
    EXPECT_TRUE(QFile::exists(QString::fromStdString(*lost.coverImagePath)));
    // Loading alone writes nothing; the next save forgets the book whose cache is gone.
    EXPECT_EQ(storedBooks(), (std::vector<Book>{added[0], added[1], added[2], lost}));
    reopened.updateProgress(added[2].id, 1);
    EXPECT_EQ(storedBooks()->size(), 3u);
}

TEST_F(LibraryStoreTest, RemoveDeletesFilesAndRecordEvenWhenTheFilesAreGoneAndObserversHearAll)
{
    LibraryStore store;
    std::vector<std::size_t> seen;
    const auto subscription = store.booksChanged.subscribe([&] {
        // What an observer reads is already what the preferences hold.
        EXPECT_EQ(storedBooks(), store.books());
        seen.push_back(store.books().size());
    });
    const Book a = add(store, "A", QByteArray("c"));
    const Book b = add(store, "B", QByteArray("c"));
    const Book c = add(store, "C");
    store.setLastOpenBook(b.id);
    store.updateProgress(b.id, 1);

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
    EXPECT_EQ(seen, (std::vector<std::size_t>{1, 2, 3, 3, 2, 1}));
}

TEST_F(LibraryStoreTest, ABookWhoseCacheCannotBeWrittenIsNotAddedAndLeavesNoPartFile)
{
    LibraryStore store;
    add(store, "Small");
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
    EXPECT_EQ(preferences().value(QStringLiteral("tavrin_last_open")).toString(),
              id.toString(QUuid::WithoutBraces).toUpper());
    EXPECT_EQ(LibraryStore().lastOpenBookID(), id);

    store.setLastOpenBook(std::nullopt);
    EXPECT_FALSE(preferences().value(QStringLiteral("tavrin_last_open")).isValid());
    EXPECT_FALSE(store.lastOpenBookID());

    // Lower case is read; the id parser's other cases are the book codec's.
    preferences().setValue(QStringLiteral("tavrin_last_open"), id.toString(QUuid::WithoutBraces));
    EXPECT_EQ(store.lastOpenBookID(), id);
    preferences().setValue(QStringLiteral("tavrin_last_open"), id.toString());
    EXPECT_FALSE(store.lastOpenBookID());
    preferences().setValue(QStringLiteral("tavrin_last_open"),
                           id.toString(QUuid::WithoutBraces).toUtf8());
    EXPECT_FALSE(store.lastOpenBookID());
}

QStringList backups(const test::TestHome& home)
{
    return QDir(QFileInfo(home.preferencesFile()).absolutePath())
        .entryList({QStringLiteral("tavrin_library_v2.*.bak")}, QDir::Files, QDir::Name);
}

TEST_F(LibraryStoreTest, AnUnreadableLibraryLoadsEmptyAndIsSetAsideBeforeItIsReplaced)
{
    // Byte strings of every malformed kind are the codec's tests; here, the kinds
    // of value.
    const QByteArray newer(R"([{"id":"6F9619FF-8B86-D011-B42D-00C04FC964FF","title":7}])");
    const QVariant values[] = {newer, QByteArray(), QStringLiteral("plain text"),
                               QStringList{QStringLiteral("["), QStringLiteral("]")}};
    qsizetype set = 0;
    for (const QVariant& value : values) {
        SCOPED_TRACE(value.toString().toStdString());
        preferences().setValue(QStringLiteral("tavrin_library_v2"), value);
        {
            // Reading, progress of unknown books and last-open changes keep the value
            // as it is.
            LibraryStore store;
            EXPECT_TRUE(store.books().empty());
            store.updateProgress(QUuid::createUuid(), 1);
            store.setLastOpenBook(QUuid::createUuid());
        }
        EXPECT_EQ(preferences().value(QStringLiteral("tavrin_library_v2")), value);
        EXPECT_EQ(backups(home).size(), set);
        LibraryStore store;
        store.updateProgress(add(store, "New").id, 1);
        // Each unreadable value gets a backup of its own; the earlier ones are
        // kept.
        ASSERT_EQ(backups(home).size(), ++set);
        EXPECT_EQ(storedBooks()->size(), 1u);
        if (set == 1) {
            EXPECT_EQ(readFile(QFileInfo(home.preferencesFile()).absolutePath() + u'/' +
                               backups(home)[0]),
                      newer);
        }
    }
}

} // namespace
} // namespace tavrin
