#include "library/BooksPanel.h"

#include "library/BookCoverTile.h"
#include "library/BookGrid.h"
#include "library/BookSorting.h"
#include "library/DropHighlight.h"
#include "library/EmptyLibraryView.h"
#include "library/FileDropFilter.h"
#include "library/LibraryStore.h"
#include "widgets/PanelHeader.h"
#include "widgets/PanelStyle.h"
#include "widgets/PillButton.h"

#include <QHideEvent>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace tavrin {

namespace {

QString toQString(const std::string& s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

BooksPanel::BooksPanel(LibraryStore& library, QWidget* parent) : QWidget(parent), m_library(library)
{
    setObjectName(QStringLiteral("booksPanel"));
    setFixedWidth(kWidth);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    auto* drops = new FileDropFilter(this);
    connect(drops, &FileDropFilter::fileDropped, this, &BooksPanel::fileDropped);
    connect(drops, &FileDropFilter::targeted, this, &BooksPanel::setDropTargeted);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildHeader());

    m_body = new QStackedWidget(this);
    m_emptyView = new EmptyLibraryView(m_body);
    m_scrollArea = new QScrollArea(m_body);
    m_scrollArea->setObjectName(QStringLiteral("booksScrollArea"));
    m_scrollArea->setFrameShape(QFrame::NoFrame);
    m_scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scrollArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_scrollArea->verticalScrollBar()->setStyleSheet(PanelStyle::scrollBarStyle());
    m_scrollArea->setWidgetResizable(true);
    m_scrollArea->setAutoFillBackground(false);
    m_scrollArea->viewport()->setAutoFillBackground(false);
    m_grid = new BookGrid;
    m_scrollArea->setWidget(m_grid);
    // setWidget turns the background filling on; the panel's colour must show through.
    m_grid->setAutoFillBackground(false);
    m_body->addWidget(m_emptyView);
    m_body->addWidget(m_scrollArea);
    layout->addWidget(m_body, 1);

    connect(m_grid, &BookGrid::selectRequested, this, &BooksPanel::selectRequested);
    connect(m_grid, &BookGrid::deleteRequested, this, &BooksPanel::requestRemoval);

    m_dropHighlight = new DropHighlight(this);
    m_dropHighlight->hide();

    m_subscription = m_library.booksChanged.subscribe([this] { scheduleRebuild(); });
    rebuild();
}

BooksPanel::~BooksPanel() = default;

QWidget* BooksPanel::buildHeader()
{
    auto* header = new PanelHeader(QStringLiteral("Library"), this);
    connect(header, &PanelHeader::closeRequested, this, &BooksPanel::closeRequested);

    PillButton::Look sortLook;
    sortLook.font = PanelStyle::systemFont(17, QFont::Medium);
    sortLook.foreground = PanelStyle::white(0.7);
    sortLook.background = PanelStyle::white(0.1);
    sortLook.paddingX = 14;
    sortLook.paddingY = 11;
    m_sortButton = new PillButton(QStringLiteral("Sort"), sortLook, header);
    m_sortButton->setObjectName(QStringLiteral("sortButton"));
    m_sortMenu = new QMenu(m_sortButton);
    m_sortMenu->setObjectName(QStringLiteral("sortMenu"));
    m_sortMenu->setStyleSheet(PanelStyle::styleSheet("menu"));
    m_titleAction = m_sortMenu->addAction(QStringLiteral("Title"));
    m_titleAction->setObjectName(QStringLiteral("titleSortAction"));
    m_authorAction = m_sortMenu->addAction(QStringLiteral("Author"));
    m_authorAction->setObjectName(QStringLiteral("authorSortAction"));
    connect(m_titleAction, &QAction::triggered, this, [this] { setSortOrder(SortOrder::title); });
    connect(m_authorAction, &QAction::triggered, this, [this] { setSortOrder(SortOrder::author); });
    connect(m_sortButton, &PillButton::clicked, this, [this] {
        updateSortMenu();
        m_sortMenu->popup(m_sortButton->mapToGlobal(QPoint(0, m_sortButton->height() + 4)));
    });
    updateSortMenu();
    header->addControl(m_sortButton);

    PillButton::Look addLook;
    addLook.symbol = Symbols::Symbol::plus;
    addLook.symbolPointSize = 16.0;
    addLook.symbolWeight = QFont::Bold;
    addLook.spacing = 8;
    addLook.font = PanelStyle::systemFont(17, QFont::Medium);
    addLook.foreground = PanelStyle::white(0.9);
    addLook.background = PanelStyle::white(0.14);
    addLook.paddingX = 18;
    addLook.paddingY = 11;
    auto* addButton = new PillButton(QStringLiteral("Add Book"), addLook, header);
    addButton->setObjectName(QStringLiteral("addBookButton"));
    connect(addButton, &PillButton::clicked, this, &BooksPanel::addRequested);
    header->addControl(addButton);
    return header;
}

QSize BooksPanel::sizeHint() const
{
    return {kWidth, 720};
}

void BooksPanel::setCurrentBookID(const std::optional<QUuid>& id)
{
    if (m_currentBookID == id) {
        return;
    }
    m_currentBookID = id;
    m_grid->setActiveID(id);
}

void BooksPanel::setSortOrder(SortOrder order)
{
    if (m_sortOrder == order) {
        return;
    }
    m_sortOrder = order;
    updateSortMenu();
    rebuild();
}

void BooksPanel::updateSortMenu()
{
    const QIcon check(Symbols::pixmap(Symbols::Symbol::checkmark, 13.0, QFont::DemiBold,
                                      PanelStyle::white(0.9), devicePixelRatioF()));
    m_titleAction->setIcon(m_sortOrder == SortOrder::title ? check : QIcon());
    m_authorAction->setIcon(m_sortOrder == SortOrder::author ? check : QIcon());
}

void BooksPanel::scheduleRebuild()
{
    if (m_rebuildPending) {
        return;
    }
    m_rebuildPending = true;
    // Coalesces bursts of changes (progress is reported after every word) into one pass,
    // and waits while the panel is hidden.
    QTimer::singleShot(0, this, [this] {
        if (m_rebuildPending && isVisible()) {
            rebuild();
        }
    });
}

void BooksPanel::rebuild()
{
    m_rebuildPending = false;
    m_sortedBooks = BookSorting::sorted(m_library.books(), m_sortOrder);
    m_grid->setBooks(m_sortedBooks, m_currentBookID);
    m_body->setCurrentWidget(m_sortedBooks.empty() ? static_cast<QWidget*>(m_emptyView)
                                                   : static_cast<QWidget*>(m_scrollArea));
    QSet<QUuid> ids;
    for (const Book& book : m_sortedBooks) {
        ids.insert(book.id);
    }
    if (m_shownIDs) {
        // A book added since (an import or a drop): the last of them is brought into view.
        for (auto tile = m_grid->tiles().rbegin(); tile != m_grid->tiles().rend(); ++tile) {
            if (!m_shownIDs->contains((*tile)->book().id)) {
                showNewBook(*tile);
                break;
            }
        }
    }
    m_shownIDs = std::move(ids);
}

void BooksPanel::requestRemoval(const Book& book)
{
    if (m_removeAlert) {
        return;
    }
    m_bookToDelete = book;

    m_removeAlert = new QMessageBox(this);
    m_removeAlert->setObjectName(QStringLiteral("removeAlert"));
    // The window title is short: a window manager cuts a long one, and the text says it.
    m_removeAlert->setWindowTitle(QStringLiteral("Remove Book"));
    m_removeAlert->setStyleSheet(PanelStyle::styleSheet("alert"));
    m_removeAlert->setText(QStringLiteral("Remove \"%1\"?").arg(toQString(book.title)));
    m_removeAlert->setInformativeText(
        QStringLiteral("This will remove the book from your library."));
    QPushButton* remove =
        m_removeAlert->addButton(QStringLiteral("Remove"), QMessageBox::DestructiveRole);
    remove->setObjectName(QStringLiteral("removeButton"));
    QPushButton* cancel =
        m_removeAlert->addButton(QStringLiteral("Cancel"), QMessageBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    // Return must not remove a book by accident.
    m_removeAlert->setDefaultButton(cancel);
    m_removeAlert->setEscapeButton(cancel);
    m_removeAlert->setWindowModality(Qt::WindowModal);
    QMessageBox* alert = m_removeAlert;
    connect(alert, &QMessageBox::finished, this, [this, alert, remove] {
        alert->disconnect(this);
        alert->deleteLater();
        if (alert == m_removeAlert) {
            finishRemoval(alert->clickedButton() == remove);
        }
    });
    alert->open();
}

void BooksPanel::finishRemoval(bool confirmed)
{
    std::optional<Book> book = std::move(m_bookToDelete);
    m_bookToDelete.reset();
    m_removeAlert = nullptr;
    if (confirmed && book) {
        Q_EMIT removeRequested(*book);
    }
}

void BooksPanel::showNewBook(BookCoverTile* tile)
{
    constexpr int kMarkMs = 1500;
    tile->setMarked(true);
    QPointer<BookCoverTile> guard(tile);
    // After the scroll area has taken the grid's new height.
    QTimer::singleShot(0, this, [this, guard] {
        if (guard) {
            m_scrollArea->ensureWidgetVisible(guard, 0, BookCoverTile::kMargin);
        }
    });
    QTimer::singleShot(kMarkMs, tile, [tile] { tile->setMarked(false); });
}

void BooksPanel::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.fillRect(rect(), PanelStyle::panelBackground());
}

void BooksPanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_dropHighlight->setGeometry(rect());
}

void BooksPanel::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_resetOnShow) {
        // Shown anew: the view state starts over.
        m_resetOnShow = false;
        setSortOrder(SortOrder::title);
        setDropTargeted(false);
    }
    if (m_rebuildPending) {
        rebuild();
    }
}

void BooksPanel::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous()) {
        m_resetOnShow = true;
    }
}

void BooksPanel::setDropTargeted(bool targeted)
{
    if (m_isDropTargeted == targeted) {
        return;
    }
    m_isDropTargeted = targeted;
    m_emptyView->setHighlighted(targeted);
    m_dropHighlight->setVisible(targeted);
    m_dropHighlight->raise();
}

} // namespace tavrin
