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

/// Imports that record the kind each file was read as and give every file three words.
class RecordingImporter
{
public:
    DocumentLoader::Importer importer()
    {
        return [this](const QString& path, DocumentKind kind, std::string fileTitle) {
            const std::lock_guard lock(m_mutex);
            m_imports.emplace_back(path, kind);
            ImportedDocument document;
            document.kind = kind;
            document.title = std::move(fileTitle);
            document.tokens = makeTokens(3);
            return document;
        };
    }
    std::vector<std::pair<QString, DocumentKind>> imports()
    {
        const std::lock_guard lock(m_mutex);
        return m_imports;
    }

private:
    std::mutex m_mutex;
    std::vector<std::pair<QString, DocumentKind>> m_imports;
};

QByteArray jpegOf(const QColor& color)
{
    QImage image(240, 360, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG");
    return bytes;
}

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

    CoverView* cover() const { return child<CoverView>("coverView"); }
    PanelStrip* libraryStrip() const { return child<PanelStrip>("libraryStrip"); }
    PanelStrip* settingsStrip() const { return child<PanelStrip>("settingsStrip"); }
    BooksPanel* booksPanel() const { return child<BooksPanel>("booksPanel"); }
    SettingsPanel* settingsPanel() const { return child<SettingsPanel>("settingsPanel"); }

    /// Shows the controls and clicks a button, as a user opens a panel.
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
    bool waitForImports()
    {
        return waitFor([this] { return m_loader.pendingImports() == 0; });
    }
    QColor pixelAt(QPoint point) { return view().grab().toImage().pixelColor(point); }

    RecordingImporter recorder;
    std::vector<Animation> panelAnimations;

    DocumentLoader m_loader{session, nullptr, recorder.importer()};
    Subscription m_subscription;
};

constexpr Animation kClose = Animation::easeInOut(0.25);

TEST_F(ContentViewOverlaysTest, TheOpenBooksCoverShowsWithTheControlsItsImageOrAGeneratedOne)
{
    const Book red = *library.addBook("Red Book", "", "", makeTokens(20), 0, jpegOf(Qt::red));
    const Book plain = *library.addBook("Plain", "", "", makeTokens(5), 0, std::nullopt);
    const Book gone = *library.addBook("Gone", "", "", makeTokens(5), 0, jpegOf(Qt::red));
    ASSERT_TRUE(QFile::remove(QString::fromStdString(gone.coverImagePath.value_or(""))));
    library.setLastOpenBook(red.id);
    show();
    EXPECT_FALSE(cover()->isVisible()) << "no cover while the controls are hidden";
    EXPECT_EQ(LayerGeometry::coverRect(QSizeF(1000, 700)), QRectF(440, 430, 120, 180));
    for (const Book& book : {red, plain, gone}) {
        SCOPED_TRACE(book.title);
        session.openBook(book);
        movePointer();
        const QRect frame = LayerGeometry::coverRect(QSizeF(view().size())).toRect();
        ASSERT_TRUE(waitFor([this] { return cover()->opacity() == 1.0; }));
        EXPECT_EQ(cover()->title().toStdString(), book.title);
        EXPECT_EQ(cover()->geometry().center(), frame.center());
        EXPECT_EQ(cover()->showsImage(), book.id == red.id);
        EXPECT_EQ(pixelAt(frame.center()).red() > 200 && pixelAt(frame.center()).green() < 60,
                  book.id == red.id);
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

    m_loader.openBook(second);
    EXPECT_TRUE(session.isLoading()) << "\"Loading…\" while the cache is read";
    EXPECT_EQ(wordView()->word(), QStringLiteral("w4"));
    m_loader.openBook(first);
    ASSERT_TRUE(waitFor([this] { return !m_loader.isOpening(); }));
    QTest::qWait(50); // an older completion arriving late would show here
    EXPECT_EQ(session.currentBookID(), first.id);
    EXPECT_FALSE(session.isLoading());

    ASSERT_TRUE(QFile::remove(QString::fromStdString(second.cachedTokenPath)));
    m_loader.openBook(second);
    ASSERT_TRUE(waitFor([this] { return !m_loader.isOpening(); }));
    EXPECT_EQ(hud()->text(), QStringLiteral("Couldn't open Second: its words are missing"));
    EXPECT_TRUE(session.showFeedback());
}

TEST_F(ContentViewOverlaysTest, RemovingTheOpenBookClearsTheReaderAndForgetsIt)
{
    const Book other = *library.addBook("Other", "", "", makeTokens(10), 0, std::nullopt);
    const Book open = addLastBook(makeTokens(50), 7);
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
    ASSERT_TRUE(waitFor([this] { return library.books().size() == 1; }));
    EXPECT_EQ(session.currentBookID(), open.id);

    confirmRemoval(open);
    ASSERT_TRUE(waitFor([this] { return library.books().empty(); }));
    EXPECT_FALSE(session.currentBookID());
    EXPECT_FALSE(library.lastOpenBookID());
    EXPECT_TRUE(title()->isVisible());
    EXPECT_FALSE(wordView()->isVisible());
    EXPECT_FALSE(cover()->isVisible());
    EXPECT_TRUE(session.showBooks()) << "the library stays open";
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

TEST_F(ContentViewOverlaysTest, ChoosingATileOpensTheBookAndClosesTheLibrary)
{
    addLastBook(makeTokens(50), 3);
    const Book chosen = *library.addBook("Chosen", "", "", makeTokens(8), 5, std::nullopt);
    show();
    clickButton(libraryButton());
    ASSERT_TRUE(settled(libraryStrip(), true));
    EXPECT_EQ(booksPanel()->currentBookID(), library.lastOpenBookID());

    BookCoverTile* tile = nullptr;
    for (auto* candidate : booksPanel()->findChildren<BookCoverTile*>()) {
        if (candidate->book().id == chosen.id) {
            tile = candidate;
        }
    }
    ASSERT_NE(tile, nullptr);
    QTest::mouseClick(tile, Qt::LeftButton, {}, tile->mainLayerRect().center());
    ASSERT_TRUE(waitFor([&] { return session.currentBookID() == chosen.id; }));
    EXPECT_EQ(session.currentIndex(), 5);
    EXPECT_EQ(wordView()->word(), QStringLiteral("w5"));
    EXPECT_FALSE(session.showBooks());
    EXPECT_EQ(panelAnimations.back(), kClose);
    EXPECT_EQ(booksPanel()->currentBookID(), chosen.id);
    EXPECT_TRUE(settled(libraryStrip(), false));
}

TEST_F(ContentViewOverlaysTest, FilesDroppedOnTheWindowOrThePanelAreImportedByExtension)
{
    // The panel's drop itself is its own (its tests); here, what the window does with drops.
    const QString text = home.path() + QStringLiteral("/Notes.txt");
    const QString pdf = home.path() + QStringLiteral("/Scan.PDF");
    show();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(text), QUrl(QStringLiteral("https://example.org/a.txt"))});
    QDragEnterEvent enter(QPoint(300, 300), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(&view(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(300, 300), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(&view(), &drop);
    ASSERT_TRUE(waitFor([this] { return library.books().size() == 1; }));
    ASSERT_TRUE(settled(libraryStrip(), true)) << "a finished import shows the library";
    Q_EMIT booksPanel()->fileDropped(pdf);
    ASSERT_TRUE(waitFor([this] { return recorder.imports().size() == 2; }));
    ASSERT_TRUE(waitForImports());
    EXPECT_EQ(recorder.imports()[0], std::make_pair(text, DocumentKind::plainText));
    EXPECT_EQ(recorder.imports()[1], std::make_pair(pdf, DocumentKind::pdf));
    ASSERT_EQ(library.books().size(), 2u);
    EXPECT_EQ(library.books()[1].title, "Scan");
    EXPECT_TRUE(session.showBooks());
    EXPECT_FALSE(session.currentBookID()) << "an import opens nothing";
}

TEST_F(ContentViewOverlaysTest, AddBookClosesTheLibraryAndImportsTheChosenFile)
{
    const QString epub = home.path() + QStringLiteral("/Novel.EPUB");
    std::vector<std::optional<QString>> answers{std::nullopt, epub};
    int asked = 0;
    show();
    view().panels().setFileChooser(
        [&](QWidget*) { return answers[static_cast<std::size_t>(asked++)]; });

    for (int round = 0; round < 2; ++round) {
        clickButton(libraryButton());
        ASSERT_TRUE(settled(libraryStrip(), true));
        QTest::mouseClick(
            booksPanel()->findChild<QAbstractButton*>(QStringLiteral("addBookButton")),
            Qt::LeftButton);
        EXPECT_FALSE(session.showBooks());
        EXPECT_EQ(panelAnimations.back(), Animation::immediate());
        EXPECT_FALSE(libraryStrip()->isVisible()) << "closed at once";
        ASSERT_TRUE(waitFor([&] { return asked == round + 1; }));
    }
    // The first dialog was cancelled; the second chose the EPUB.
    ASSERT_TRUE(waitFor([this] { return recorder.imports().size() == 1; }));
    ASSERT_TRUE(waitForImports());
    EXPECT_EQ(recorder.imports()[0], std::make_pair(epub, DocumentKind::epub));
    EXPECT_EQ(library.books().size(), 1u);
    EXPECT_TRUE(session.showBooks()) << "the finished import shows the library";
    EXPECT_FALSE(session.isLoading());
}

TEST_F(ContentViewOverlaysTest, SettingsPanelAndSessionStayInStep)
{
    show();
    clickButton(gearButton());
    ASSERT_TRUE(settled(settingsStrip(), true));
    SettingsPanel* panel = settingsPanel();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->fontSize(), 60.0);

    panel->findChild<QSlider*>(QStringLiteral("speedSlider"))->setValue(420);
    EXPECT_EQ(session.wpm(), 420.0);
    auto* fonts = panel->findChild<QComboBox*>(QStringLiteral("fontComboBox"));
    // As the user's choice in the pop-up reports it.
    const int choice = (fonts->currentIndex() + 1) % fonts->count();
    fonts->setCurrentIndex(choice);
    Q_EMIT fonts->activated(choice);
    const std::string font = fonts->currentText().toStdString();
    EXPECT_EQ(session.selectedFont(), font);
    panel->toggleSubPanel(SettingsSubPanel::background); // its place: the end-to-end test
    // The keyboard changes the size; the open panel shows it.
    QTest::keyClick(&view(), Qt::Key_Up);
    EXPECT_EQ(session.fontSize(), 62.0);
    EXPECT_EQ(panel->fontSize(), 62.0);

    // Reopened, the panel starts afresh without the colour column.
    QTest::mouseClick(gearButton(), Qt::LeftButton);
    ASSERT_TRUE(settled(settingsStrip(), false));
    QTest::mouseClick(gearButton(), Qt::LeftButton);
    ASSERT_TRUE(settled(settingsStrip(), true));
    EXPECT_FALSE(settingsPanel()->activeSubPanel());
    EXPECT_EQ(settingsPanel()->fontSize(), 62.0);
    EXPECT_EQ(settingsPanel()->wpm(), 420.0);
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
