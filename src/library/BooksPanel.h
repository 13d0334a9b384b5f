#pragma once

#include "common/Observers.h"
#include "library/Book.h"
#include "library/SortOrder.h"

#include <QSet>
#include <QUuid>
#include <QWidget>

#include <optional>
#include <vector>

class QAction;
class QMenu;
class QMessageBox;
class QScrollArea;
class QStackedWidget;

namespace tavrin {

class BookCoverTile;
class BookGrid;
class DropHighlight;
class EmptyLibraryView;
class LibraryStore;
class PillButton;
class SymbolButton;

/// The library panel: every book of the store as a grid of cover tiles, sorted by title
/// or author, with "Add Book", a close button, file drops and a confirmation before a book
/// is removed. It decides nothing itself: every action leaves through a signal, and the
/// host (the reader window) acts on it. It follows the store's booksChanged; the store
/// must outlive the panel.
class BooksPanel : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kWidth = 560;

    explicit BooksPanel(LibraryStore& library, QWidget* parent = nullptr);
    ~BooksPanel() override;
    BooksPanel(const BooksPanel&) = delete;
    BooksPanel& operator=(const BooksPanel&) = delete;

    /// The book open in the reader; its tile is drawn active.
    void setCurrentBookID(const std::optional<QUuid>& id);
    std::optional<QUuid> currentBookID() const { return m_currentBookID; }

    SortOrder sortOrder() const { return m_sortOrder; }
    /// As choosing the order in the Sort menu.
    void setSortOrder(SortOrder order);
    /// The books in the order the grid shows them.
    const std::vector<Book>& sortedBooks() const { return m_sortedBooks; }

    bool isDropTargeted() const { return m_isDropTargeted; }
    /// The book whose removal awaits confirmation; the alert is open exactly while set.
    const std::optional<Book>& bookToDelete() const { return m_bookToDelete; }
    /// Opens the removal confirmation for book, as its tile's delete button does.
    void requestRemoval(const Book& book);

    QSize sizeHint() const override;

Q_SIGNALS:
    void selectRequested(const tavrin::Book& book);
    void addRequested();
    void removeRequested(const tavrin::Book& book);
    void closeRequested();
    /// One per dropped file with an importable extension, in drop order, delivered from
    /// the event loop after the drop has completed.
    void fileDropped(const QString& path);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QWidget* buildHeader();
    void scheduleRebuild();
    void rebuild();
    /// Scrolls a newly added book's tile into view and marks it for a moment.
    void showNewBook(BookCoverTile* tile);
    void setDropTargeted(bool targeted);
    void updateSortMenu();
    void finishRemoval(bool confirmed);

    LibraryStore& m_library;
    Subscription m_subscription;
    std::optional<QUuid> m_currentBookID;
    SortOrder m_sortOrder = SortOrder::title;
    bool m_isDropTargeted = false;
    std::optional<Book> m_bookToDelete;
    std::vector<Book> m_sortedBooks;
    /// The books of the last rebuild, to tell a newly added one; none before the first.
    std::optional<QSet<QUuid>> m_shownIDs;
    bool m_rebuildPending = false;
    bool m_resetOnShow = false;

    PillButton* m_sortButton = nullptr;
    QMenu* m_sortMenu = nullptr;
    QAction* m_titleAction = nullptr;
    QAction* m_authorAction = nullptr;
    QStackedWidget* m_body = nullptr;
    EmptyLibraryView* m_emptyView = nullptr;
    QScrollArea* m_scrollArea = nullptr;
    BookGrid* m_grid = nullptr;
    DropHighlight* m_dropHighlight = nullptr;
    QMessageBox* m_removeAlert = nullptr;
};

} // namespace tavrin
