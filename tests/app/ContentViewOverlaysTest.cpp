#include "ContentViewFixture.h"

#include "app/CoverView.h"
#include "app/LayerGeometry.h"
#include "app/OpenDialog.h"
#include "app/PanelStrip.h"
#include "library/BookCoverTile.h"
#include "library/BooksPanel.h"
#include "settings/SettingsPanel.h"

#include <QAbstractButton>
#include <QBuffer>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QMessageBox>
#include <QMimeData>
#include <QSlider>
#include <QUrl>

#include <mutex>

namespace tavrin::test {
namespace {

using namespace std::chrono_literals;
using Field = ReaderSession::Field;
using Import = std::pair<QString, DocumentKind>;

constexpr Animation kClose = Animation::easeInOut(0.25);

/// Files chosen or dropped go to a stand-in importer that records each file's kind.
class ContentViewOverlaysTest : public ContentViewFixture
{
protected:
    ContentViewOverlaysTest()
    {
        loader = &m_loader;
        m_subscription = session.changed.subscribe([this](Field field, Animation animation) {
            if (field == Field::showBooks || field == Field::showSettings) {
                panelAnimations.push_back(animation);
            }
        });
    }

    PanelStrip* libraryStrip() const { return child<PanelStrip>("libraryStrip"); }
    PanelStrip* settingsStrip() const { return child<PanelStrip>("settingsStrip"); }
    BooksPanel* booksPanel() const { return child<BooksPanel>("booksPanel"); }
    CoverView* cover() const { return child<CoverView>("coverView"); }

    void clickButton(ControlButton* button)
    {
        movePointer();
        QTest::mouseClick(button, Qt::LeftButton);
    }
    static bool settled(PanelStrip* strip, bool shown)
    {
        return waitFor([&] {
            return shown ? strip->isVisible() && strip->slide() == 1.0 : !strip->isVisible();
        });
    }
    std::vector<Import> importsOnceDone(std::size_t count)
    {
        const auto done = [&] {
            const std::lock_guard lock(m_mutex);
            return m_imports.size() == count && m_loader.pendingImports() == 0;
        };
        EXPECT_TRUE(waitFor(done));
        const std::lock_guard lock(m_mutex);
        return m_imports;
    }

    std::vector<Animation> panelAnimations;

private:
    std::mutex m_mutex;
    std::vector<Import> m_imports;
    DocumentLoader m_loader{session, nullptr,
                            [this](const QString& path, DocumentKind kind, std::string title) {
                                const std::lock_guard lock(m_mutex);
                                m_imports.emplace_back(path, kind);
                                ImportedDocument document;
                                document.kind = kind;
                                document.title = std::move(title);
                                document.tokens = makeTokens(3);
                                return document;
                            }};
    Subscription m_subscription;
};

TEST_F(ContentViewOverlaysTest, TheOpenBooksCoverShowsWithTheControlsItsImageOrAGeneratedOne)
{
    QImage image(240, 360, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG");
    const Book red = *library.addBook("Red Book", "", "", makeTokens(20), 0, jpeg);
    const Book plain = *library.addBook("Plain", "", "", makeTokens(5), 0, std::nullopt);
    const Book gone = *library.addBook("Gone", "", "", makeTokens(5), 0, jpeg);
    ASSERT_TRUE(QFile::remove(QString::fromStdString(gone.coverImagePath.value_or(""))));
    library.setLastOpenBook(red.id);
    show();
    EXPECT_FALSE(cover()->isVisible()) << "no cover while the controls are hidden";
    for (const Book& book : {red, plain, gone}) {
        SCOPED_TRACE(book.title);
        session.openBook(book);
        movePointer();
        const QPoint centre = LayerGeometry::coverRect(QSizeF(view().size())).toRect().center();
        ASSERT_TRUE(waitFor([this] { return cover()->opacity() == 1.0; }));
        EXPECT_EQ(cover()->title().toStdString(), book.title);
        EXPECT_EQ(cover()->geometry().center(), centre);
        EXPECT_EQ(cover()->showsImage(), book.id == red.id);
        const QColor pixel = view().grab().toImage().pixelColor(centre);
        EXPECT_EQ(pixel.red() > 200 && pixel.green() < 60, book.id == red.id);
        clock.advance(3s);
        EXPECT_TRUE(waitFor([this] { return !cover()->isVisible(); }));
    }
}

TEST_F(ContentViewOverlaysTest, BooksOpenOffTheMainThreadAndTheLatestOpenWins)
{
    const Book first = addLastBook(makeTokens(30), 4);
    const Book second = *library.addBook("Second", "", "", makeTokens(40), 6, std::nullopt);
    show(); // the last book is read in the background too
    ASSERT_TRUE(waitFor([&] { return session.currentBookID() == first.id; }));
    EXPECT_FALSE(session.isLoading());
    EXPECT_EQ(wordView()->word(), QStringLiteral("w4"));

    loader->openBook(second);
    EXPECT_TRUE(session.isLoading()) << "\"Loading…\" while the cache is read";
    EXPECT_EQ(wordView()->word(), QStringLiteral("w4"));
    loader->openBook(first);
    ASSERT_TRUE(waitFor([this] { return !loader->isOpening(); }));
    QTest::qWait(50); // an older completion arriving late would show here
    EXPECT_EQ(session.currentBookID(), first.id);
    EXPECT_FALSE(session.isLoading());

    ASSERT_TRUE(QFile::remove(QString::fromStdString(second.cachedTokenPath)));
    loader->openBook(second);
    ASSERT_TRUE(waitFor([this] { return !loader->isOpening(); }));
    EXPECT_EQ(hud()->text(), QStringLiteral("Couldn't open Second: its words are missing"));
    EXPECT_TRUE(session.showFeedback());
}

TEST_F(ContentViewOverlaysTest, PanelsCloseOnAClickBesideButNotUnderTheButtons)
{
    show();
    for (const bool books : {true, false}) {
        SCOPED_TRACE(books ? "library" : "settings");
        PanelStrip* strip = books ? libraryStrip() : settingsStrip();
        clickButton(books ? libraryButton() : gearButton());
        ASSERT_TRUE(settled(strip, true));
        EXPECT_EQ(panelAnimations.back(), Animation::easeInOut(0.2));
        // The empty column under the buttons does not close the panel.
        QTest::mouseClick(strip, Qt::LeftButton, {}, QPoint(view().width() - 30, 400));
        EXPECT_TRUE(books ? session.showBooks() : session.showSettings());
        QTest::mouseClick(strip, Qt::LeftButton, {}, QPoint(100, 300));
        EXPECT_FALSE(books ? session.showBooks() : session.showSettings());
        EXPECT_EQ(panelAnimations.back(), kClose);
        EXPECT_TRUE(settled(strip, false));
    }
}

TEST_F(ContentViewOverlaysTest, ChoosingATileOpensItsBookAndRemovingTheOpenBookClearsTheReader)
{
    const Book other = *library.addBook("Other", "", "", makeTokens(10), 0, std::nullopt);
    const Book chosen = *library.addBook("Chosen", "", "", makeTokens(8), 5, std::nullopt);
    addLastBook(makeTokens(50), 3);
    show();
    clickButton(libraryButton());
    ASSERT_TRUE(settled(libraryStrip(), true));
    const auto confirmRemoval = [this](const Book& book) {
        booksPanel()->requestRemoval(book);
        auto* alert = booksPanel()->findChild<QMessageBox*>(QStringLiteral("removeAlert"));
        QTest::mouseClick(alert->findChild<QAbstractButton*>(QStringLiteral("removeButton")),
                          Qt::LeftButton);
    };
    confirmRemoval(other); // the reader keeps its book (and its word: the end-to-end test)
    ASSERT_TRUE(waitFor([this] { return library.books().size() == 2; }));
    EXPECT_EQ(session.currentBookID(), library.lastOpenBookID());

    for (auto* tile : booksPanel()->findChildren<BookCoverTile*>()) {
        if (tile->book().id == chosen.id) {
            QTest::mouseClick(tile, Qt::LeftButton, {}, tile->mainLayerRect().center());
        }
    }
    ASSERT_TRUE(waitFor([&] { return session.currentBookID() == chosen.id; }));
    EXPECT_EQ(wordView()->word(), QStringLiteral("w5"));
    EXPECT_FALSE(session.showBooks());
    EXPECT_EQ(panelAnimations.back(), kClose);
    EXPECT_EQ(booksPanel()->currentBookID(), chosen.id);
    EXPECT_TRUE(settled(libraryStrip(), false));

    clickButton(libraryButton());
    confirmRemoval(chosen);
    ASSERT_TRUE(waitFor([this] { return library.books().size() == 1; }));
    EXPECT_FALSE(session.currentBookID());
    EXPECT_FALSE(library.lastOpenBookID());
    EXPECT_TRUE(title()->isVisible());
    EXPECT_FALSE(wordView()->isVisible());
    EXPECT_FALSE(cover()->isVisible());
    EXPECT_TRUE(session.showBooks()) << "the library stays open";
}

TEST_F(ContentViewOverlaysTest, FilesDroppedOrChosenAreImportedByExtension)
{
    // The panel's drop itself is its own (its tests); here, what the window does with drops.
    const QString text = home.path() + QStringLiteral("/Notes.txt");
    const QString pdf = home.path() + QStringLiteral("/Scan.PDF");
    const QString epub = home.path() + QStringLiteral("/Novel.EPUB");
    show();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(text), QUrl(QStringLiteral("https://example.org/a.txt"))});
    QDragEnterEvent enter(QPoint(300, 300), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(&view(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(300, 300), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(&view(), &drop);
    ASSERT_TRUE(settled(libraryStrip(), true)) << "a finished import shows the library";
    Q_EMIT booksPanel()->fileDropped(pdf);
    EXPECT_EQ(importsOnceDone(2),
              (std::vector<Import>{{text, DocumentKind::plainText}, {pdf, DocumentKind::pdf}}));
    ASSERT_EQ(library.books().size(), 2u);
    EXPECT_EQ(library.books()[1].title, "Scan");
    EXPECT_FALSE(session.currentBookID()) << "an import opens nothing";

    // "Add a book" closes the library at once; the first dialog is cancelled.
    std::vector<std::optional<QString>> answers{std::nullopt, epub};
    std::size_t asked = 0;
    view().panels().setFileChooser([&](QWidget*) { return answers[asked++]; });
    for (std::size_t round = 1; round <= 2; ++round) {
        ASSERT_TRUE(settled(libraryStrip(), true));
        QTest::mouseClick(
            booksPanel()->findChild<QAbstractButton*>(QStringLiteral("addBookButton")),
            Qt::LeftButton);
        EXPECT_EQ(panelAnimations.back(), Animation::immediate());
        EXPECT_FALSE(libraryStrip()->isVisible()) << "closed at once";
        ASSERT_TRUE(waitFor([&] { return asked == round; }));
        clickButton(libraryButton());
    }
    EXPECT_EQ(importsOnceDone(3).back(), Import(epub, DocumentKind::epub));
    EXPECT_EQ(library.books().size(), 3u);
}

TEST_F(ContentViewOverlaysTest, SettingsPanelAndSessionStayInStep)
{
    show();
    clickButton(gearButton());
    ASSERT_TRUE(settled(settingsStrip(), true));
    auto* panel = child<SettingsPanel>("settingsPanel");
    panel->findChild<QSlider*>(QStringLiteral("speedSlider"))->setValue(420);
    EXPECT_EQ(session.wpm(), 420.0);
    auto* fonts = panel->findChild<QComboBox*>(QStringLiteral("fontComboBox"));
    const int choice = (fonts->currentIndex() + 1) % fonts->count();
    fonts->setCurrentIndex(choice);
    Q_EMIT fonts->activated(choice); // as the user's choice in the pop-up reports it
    EXPECT_EQ(session.selectedFont(), fonts->currentText().toStdString());
    panel->toggleSubPanel(SettingsSubPanel::background); // its place: the end-to-end test
    QTest::keyClick(&view(), Qt::Key_Up);
    EXPECT_EQ(panel->fontSize(), 62.0) << "the open panel shows the keyboard's change";

    // Reopened, the panel starts afresh without the colour column.
    QTest::mouseClick(gearButton(), Qt::LeftButton);
    ASSERT_TRUE(settled(settingsStrip(), false));
    QTest::mouseClick(gearButton(), Qt::LeftButton);
    ASSERT_TRUE(settled(settingsStrip(), true));
    panel = child<SettingsPanel>("settingsPanel");
    EXPECT_FALSE(panel->activeSubPanel());
    EXPECT_EQ(panel->fontSize(), 62.0);
    EXPECT_EQ(panel->wpm(), 420.0);
}

TEST(OpenDialogTest, OffersOneExistingDocumentFromTheHomeDirectory)
{
    TestHome home;
    const std::unique_ptr<QFileDialog> dialog(OpenDialog::create(nullptr));
    EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
    EXPECT_EQ(QDir(dialog->directory()).canonicalPath(), QDir(QDir::homePath()).canonicalPath());
    EXPECT_EQ(dialog->nameFilters(), QStringList{QStringLiteral("Documents (*.txt *.pdf *.epub)")});
    EXPECT_FALSE(dialog->filter().testFlag(QDir::CaseSensitive));
}

} // namespace
} // namespace tavrin::test
