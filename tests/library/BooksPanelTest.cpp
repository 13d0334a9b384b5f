#include "library/BooksPanel.h"

#include "library/BookCoverTile.h"
#include "library/BookGrid.h"
#include "library/EmptyLibraryView.h"
#include "library/LibraryStore.h"
#include "support/TestHome.h"
#include "support/TestTokens.h"
#include "widgets/SymbolButton.h"

#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QEnterEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace tavrin {
namespace {

class BooksPanelTest : public ::testing::Test
{
protected:
    Book add(const std::string& title, const std::string& author = {}, const std::string& year = {})
    {
        return *store.addBook(title, author, year, test::makeTokens(10), 0, std::nullopt);
    }

    std::vector<BookCoverTile*> tiles(BooksPanel& panel)
    {
        return panel.findChild<BookGrid*>()->tiles();
    }

    std::vector<std::string> titles(BooksPanel& panel)
    {
        std::vector<std::string> result;
        for (const BookCoverTile* tile : tiles(panel)) {
            result.push_back(tile->book().title);
        }
        return result;
    }

    static QMessageBox* openAlert(BooksPanel& panel)
    {
        // A dismissed alert lingers until the event loop deletes it.
        for (QMessageBox* alert : panel.findChildren<QMessageBox*>(QStringLiteral("removeAlert"))) {
            if (alert->isVisible()) {
                return alert;
            }
        }
        return nullptr;
    }

    test::TestHome home;
    LibraryStore store;
};

// Drags data over the panel; returns whether the panel takes it.
bool dragEnter(BooksPanel& panel, QMimeData& data)
{
    QDragEnterEvent enter(QPoint(100, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&panel, &enter);
    return enter.isAccepted();
}

TEST_F(BooksPanelTest, DroppedLocalFilesWithImportableExtensionsAreHandedOnInOrder)
{
    BooksPanel panel(store);
    panel.show();
    auto* empty = panel.findChild<EmptyLibraryView*>();
    EXPECT_TRUE(empty->isVisible());
    EXPECT_DOUBLE_EQ(empty->symbolOpacity(), 0.2);
    QMimeData text;
    text.setText(QStringLiteral("just words"));
    EXPECT_FALSE(dragEnter(panel, text)) << "a drag without files is not taken";
    EXPECT_FALSE(panel.isDropTargeted());

    QSignalSpy dropped(&panel, &BooksPanel::fileDropped);
    QMimeData files;
    QList<QUrl> urls{QUrl(QStringLiteral("https://example.com/remote.epub"))};
    for (const char* name :
         {"/b/Notes.TXT", "/b/cover.png", "/b/notes", "/b/a.txt.gz", "/b/c.epub.bak", "/b/pdf",
          "/b/c.Pdf", "/b.d/x.tar.txt", "/b/novel.epub"}) {
        urls.append(QUrl::fromLocalFile(QString::fromLatin1(name)));
    }
    files.setUrls(urls);
    ASSERT_TRUE(dragEnter(panel, files));
    EXPECT_DOUBLE_EQ(empty->symbolOpacity(), 0.5);
    QDragLeaveEvent leave;
    QApplication::sendEvent(&panel, &leave);
    EXPECT_DOUBLE_EQ(empty->symbolOpacity(), 0.2);
    ASSERT_TRUE(dragEnter(panel, files));
    QDropEvent drop(QPointF(100, 300), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&panel, &drop);
    EXPECT_FALSE(panel.isDropTargeted());
    // Delivered from the event loop, after the drop has returned.
    EXPECT_EQ(dropped.count(), 0);
    QCoreApplication::processEvents();
    QStringList paths;
    for (const auto& arguments : dropped) {
        paths.append(arguments[0].toString());
    }
    EXPECT_EQ(paths,
              (QStringList{QStringLiteral("/b/Notes.TXT"), QStringLiteral("/b/c.Pdf"),
                           QStringLiteral("/b.d/x.tar.txt"), QStringLiteral("/b/novel.epub")}));
}

TEST_F(BooksPanelTest, GridFollowsTheSortMenu)
{
    add("Bleak House", "Charles Dickens", "1853");
    add("emma", "Jane Austen", "1815");
    add("Sense and Sensibility", "Jane Austen", "1811");
    BooksPanel panel(store);
    panel.show();
    auto* titleAction = panel.findChild<QAction*>(QStringLiteral("titleSortAction"));
    auto* authorAction = panel.findChild<QAction*>(QStringLiteral("authorSortAction"));
    ASSERT_TRUE(titleAction && authorAction);
    EXPECT_EQ(titleAction->text() + u'/' + authorAction->text(), QStringLiteral("Title/Author"));
    EXPECT_FALSE(titleAction->icon().isNull());
    EXPECT_TRUE(authorAction->icon().isNull());
    EXPECT_EQ(titles(panel),
              (std::vector<std::string>{"Bleak House", "emma", "Sense and Sensibility"}));
    // The orders themselves are the sorting's tests; here, that the menu reaches the grid.
    authorAction->trigger();
    EXPECT_EQ(panel.sortOrder(), SortOrder::author);
    EXPECT_TRUE(titleAction->icon().isNull());
    EXPECT_FALSE(authorAction->icon().isNull());
    EXPECT_EQ(titles(panel),
              (std::vector<std::string>{"Sense and Sensibility", "emma", "Bleak House"}));

    // Shown anew, the panel starts from the title order again.
    panel.hide();
    panel.show();
    EXPECT_EQ(panel.sortOrder(), SortOrder::title);
}

TEST_F(BooksPanelTest, FollowsTheStoreKeepsTilesOfUnchangedBooksAndShowsANewOne)
{
    const Book first = add("Book 0");
    for (int i = 1; i < 12; ++i) {
        add("Book " + std::to_string(i));
    }
    BooksPanel panel(store);
    panel.resize(panel.width(), 500);
    panel.show();
    BookCoverTile* firstTile = tiles(panel)[0];

    add("Zebra"); // sorts last, below the fold: scrolled into view and marked
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    BookCoverTile* tile = tiles(panel).back();
    EXPECT_TRUE(tile->isMarked());
    EXPECT_FALSE(tiles(panel).front()->isMarked());
    const auto* viewport = panel.findChild<QScrollArea*>()->viewport();
    const QRect shown(tile->mapTo(viewport, tile->mainLayerRect().topLeft()),
                      tile->mainLayerRect().size());
    EXPECT_TRUE(viewport->rect().contains(shown));

    store.updateProgress(first.id, 5);
    QCoreApplication::processEvents();
    EXPECT_EQ(tiles(panel)[0], firstTile);
    EXPECT_EQ(firstTile->book().currentWordIndex, 5);

    for (const Book& book : std::vector<Book>(store.books())) {
        store.removeBook(book);
    }
    QCoreApplication::processEvents();
    EXPECT_TRUE(tiles(panel).empty());
    EXPECT_TRUE(panel.findChild<EmptyLibraryView*>()->isVisible());
}

TEST_F(BooksPanelTest, RemovalIsConfirmedOrCancelled)
{
    const Book book = add("Dune", "Frank Herbert", "1965");
    BooksPanel panel(store);
    panel.show();
    QSignalSpy removed(&panel, &BooksPanel::removeRequested);
    QSignalSpy selected(&panel, &BooksPanel::selectRequested);

    // Each answer: the Cancel button, Escape, then the Remove button.
    for (const char* answer : {"cancelButton", "", "removeButton"}) {
        BookCoverTile* tile = tiles(panel)[0];
        QEnterEvent enter(QPointF(30, 30), QPointF(30, 30), tile->mapToGlobal(QPointF(30, 30)));
        QApplication::sendEvent(tile, &enter);
        auto* button = tile->findChild<SymbolButton*>(QStringLiteral("deleteButton"));
        QTest::mouseClick(button, Qt::LeftButton, {}, button->hitRect().center());
        QMessageBox* alert = openAlert(panel);
        ASSERT_NE(alert, nullptr);
        EXPECT_EQ(alert->text(), QStringLiteral("Remove \"Dune\"?"));
        EXPECT_EQ(alert->informativeText(),
                  QStringLiteral("This will remove the book from your library."));
        EXPECT_EQ(alert->windowTitle(), QStringLiteral("Remove Book"));
        EXPECT_EQ(alert->defaultButton()->objectName(), QStringLiteral("cancelButton"));
        EXPECT_LT(alert->grab().toImage().pixelColor(3, 3).lightness(), 60); // dark, not stock
        ASSERT_TRUE(panel.bookToDelete());
        EXPECT_EQ(panel.bookToDelete()->id, book.id);
        if (*answer) {
            QTest::mouseClick(alert->findChild<QPushButton*>(QLatin1String(answer)),
                              Qt::LeftButton);
        } else {
            QTest::keyClick(alert, Qt::Key_Escape);
        }
        QCoreApplication::processEvents();
        EXPECT_FALSE(panel.bookToDelete());
        EXPECT_EQ(selected.count(), 0);
    }
    ASSERT_EQ(removed.count(), 1);
    EXPECT_EQ(removed[0][0].value<Book>(), book);
    EXPECT_EQ(openAlert(panel), nullptr);
    // The panel only asks; the host removes.
    EXPECT_EQ(store.books().size(), 1u);
}

} // namespace
} // namespace tavrin
