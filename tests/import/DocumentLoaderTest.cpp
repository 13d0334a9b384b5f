#include "import/DocumentLoader.h"

#include "import/EpubBuilder.h"
#include "import/TestPdf.h"
#include "library/LibraryStore.h"
#include "session/ReaderSession.h"
#include "support/TestHome.h"
#include "support/VirtualClock.h"
#include "tokenize/TextParser.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QThreadPool>
#include <QTimer>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace tavrin {
namespace {

using namespace std::chrono_literals;

/// Runs the event loop until done() holds or the timeout passes; returns done().
bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = 30s)
{
    const QDeadlineTimer deadline(timeout);
    // Wakes the wait below when what done() watches changes off the main thread.
    QTimer tick;
    tick.start(5);
    while (!done() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return done();
}

class DocumentLoaderTest : public ::testing::Test
{
protected:
    DocumentLoaderTest()
    {
        m_pool.setMaxThreadCount(4);
        m_showBooks =
            session.changed.subscribe([this](ReaderSession::Field field, Animation animation) {
                if (field == ReaderSession::Field::showBooks) {
                    showBooksChanges.push_back({session.showBooks(), animation});
                }
            });
    }
    ~DocumentLoaderTest() override
    {
        released = true;
        loader.reset();
        m_pool.waitForDone();
    }

    // An importer that holds back the import of title until released, and counts the finished.
    DocumentLoader::Importer holding(std::string title)
    {
        return [this, title](const QString& path, DocumentKind kind, const std::string& name) {
            while (name == title && !released) {
                std::this_thread::sleep_for(1ms);
            }
            ImportedDocument document = importDocument(path, kind, name);
            ++finished;
            return document;
        };
    }

    void makeLoader(DocumentLoader::Importer importer = {})
    {
        loader = std::make_unique<DocumentLoader>(session, &m_pool, std::move(importer));
        m_completions = loader->importCompleted.subscribe([this] { ++completions; });
    }

    QString file(const QString& name, const QByteArray& bytes)
    {
        const QString path = home.path() + QStringLiteral("/") + name;
        EXPECT_TRUE(test::writeFile(path, bytes));
        return path;
    }

    bool waitForImports()
    {
        return waitUntil([this] { return loader->pendingImports() == 0; });
    }

    std::vector<std::string> titles() const
    {
        std::vector<std::string> result;
        for (const auto& book : library.books()) {
            result.push_back(book.title);
        }
        return result;
    }

    test::TestHome home;
    LibraryStore library;
    test::VirtualClock clock;
    ReaderSession session{library, clock, std::nullopt};
    std::atomic<int> finished{0};
    std::atomic<bool> released{false};
    std::vector<std::pair<bool, Animation>> showBooksChanges;
    int completions = 0;
    std::unique_ptr<DocumentLoader> loader;

private:
    QThreadPool m_pool;
    Subscription m_showBooks;
    Subscription m_completions;
};

// Imports without words say why and leave nothing behind; one with words adds the book, with
// its contents, and shows the library, opening nothing.
TEST_F(DocumentLoaderTest, ImportAddsTheBookOrSaysWhyNot)
{
    makeLoader([](const QString& path, DocumentKind kind, std::string title) {
        ImportedDocument document = importDocument(path, kind, std::move(title));
        document.contents = {{"Its own", 2, 0}}; // as an EPUB's navigation gives them
        return document;
    });
    const std::pair<QString, const char*> files[] = {
        {file(QStringLiteral("empty.txt"), ""), "Couldn't open empty.txt: it has no text"},
        {home.path() + QStringLiteral("/gone.txt"),
         "Couldn't open gone.txt: the file can't be read"},
        {file(QStringLiteral("scan.pdf"), test::TestPdf::document({{}, {}})),
         "Couldn't open scan.pdf: it has no text"},
        {file(QStringLiteral("book.epub"), "plain words, not an archive"),
         "Couldn't open book.epub: not an EPUB file"}};
    for (const auto& [path, message] : files) {
        loader->loadByKind(path);
        EXPECT_TRUE(session.isLoading());
        ASSERT_TRUE(waitForImports());
        EXPECT_FALSE(session.isLoading()) << path.toStdString();
        EXPECT_EQ(session.feedbackText(), message);
    }
    EXPECT_TRUE(showBooksChanges.empty());
    EXPECT_TRUE(QDir(home.dataDir()).entryList({QStringLiteral("*.json")}, QDir::Files).isEmpty());

    const QByteArray text = "Chapter One\n\nIt was a bright cold day in April.";
    loader->loadByKind(file(QStringLiteral("Moby_Dick - Herman Melville.txt"), text));
    EXPECT_TRUE(library.books().empty());
    ASSERT_TRUE(waitForImports());
    EXPECT_FALSE(session.isLoading());
    ASSERT_EQ(titles(), std::vector<std::string>{"Moby Dick"});
    const Book& book = library.books().front();
    const auto cached = library.loadWords(book);
    EXPECT_EQ(test::texts(cached), test::texts(TextParser::tokenize(text.toStdString())));
    EXPECT_EQ(library.loadContents(book, cached), (std::vector<ContentsEntry>{{"Its own", 2, 0}}));
    ASSERT_EQ(showBooksChanges.size(), 1U);
    EXPECT_EQ(showBooksChanges[0], std::make_pair(true, Animation::easeInOut(0.25)));
    EXPECT_EQ(completions, 5);
    EXPECT_FALSE(session.currentBookID().has_value());
}

TEST_F(DocumentLoaderTest, ImportWhilePlayingKeepsTheWordAndSavesThePosition)
{
    makeLoader();
    const std::vector<WordToken> words(100, WordToken{"word", 1.0, false, 0});
    const Book open = *library.addBook("Open", "", "", words, 0, std::nullopt);
    session.openBook(open);
    session.startPlayback();
    clock.advance(2s); // several words at the default speed
    const std::int64_t index = session.currentIndex();
    ASSERT_GT(index, 0);
    // Let the stored position fall behind, so only an explicit save brings it up to date.
    library.updateProgress(open.id, 0);

    loader->loadText(file(QStringLiteral("New Book.txt"), "Fresh words for the library."));
    ASSERT_TRUE(waitForImports());

    EXPECT_EQ(titles(), (std::vector<std::string>{"Open", "New Book"}));
    EXPECT_EQ(library.books().front().currentWordIndex, index);
    EXPECT_EQ(session.currentIndex(), index);
    EXPECT_EQ(session.currentBookID(), open.id);
    EXPECT_TRUE(session.isPlaying());
}

TEST_F(DocumentLoaderTest, CompletionsRunInSubmissionOrder)
{
    makeLoader(holding("Slow"));
    loader->loadText(file(QStringLiteral("Slow.txt"), "Submitted first, read last."));
    loader->loadText(file(QStringLiteral("Fast.txt"), "Submitted second, read first."));

    // The later import has finished reading, but its completion waits for the earlier one.
    ASSERT_TRUE(waitUntil([this] { return finished == 1; }));
    waitUntil([] { return false; }, 200ms);
    EXPECT_TRUE(library.books().empty());
    EXPECT_EQ(loader->pendingImports(), 2);
    EXPECT_TRUE(session.isLoading());

    released = true;
    ASSERT_TRUE(waitForImports());
    EXPECT_EQ(titles(), (std::vector<std::string>{"Slow", "Fast"}));
    EXPECT_FALSE(session.isLoading());
}

TEST_F(DocumentLoaderTest, CompletionForADestroyedLoaderIsDropped)
{
    makeLoader(holding("Late"));
    loader->loadText(file(QStringLiteral("Late.txt"), "Words that arrive too late."));
    loader.reset();
    released = true;
    ASSERT_TRUE(waitUntil([this] { return finished == 1; }));
    waitUntil([] { return false; }, 200ms);
    EXPECT_TRUE(library.books().empty());
    EXPECT_EQ(completions, 0);
    // The job wrote its token cache before the completion was dropped; no file is left
    // behind without a book.
    const QStringList caches =
        QDir(home.dataDir()).entryList({QStringLiteral("*.json")}, QDir::Files);
    EXPECT_TRUE(caches.isEmpty()) << caches.join(u' ').toStdString();
}

} // namespace
} // namespace tavrin
