#include "library/BookGrid.h"

#include "library/BookCoverTile.h"
#include "library/LibraryGeometry.h"

#include <QHash>
#include <QResizeEvent>

namespace tavrin {

BookGrid::BookGrid(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("bookGrid"));
}

BookCoverTile* BookGrid::makeTile(const Book& book, bool active)
{
    auto* tile = new BookCoverTile(book, active, this);
    if (isVisible()) {
        tile->show();
    }
    // The tile's book is read when it fires, so a signal always carries the current record.
    connect(tile, &BookCoverTile::selectRequested, this,
            [this, tile] { Q_EMIT selectRequested(tile->book()); });
    connect(tile, &BookCoverTile::deleteRequested, this,
            [this, tile] { Q_EMIT deleteRequested(tile->book()); });
    return tile;
}

void BookGrid::setBooks(const std::vector<Book>& books, const std::optional<QUuid>& activeID)
{
    // Tiles by book id; a damaged library may repeat an id, so each id keeps a list.
    QHash<QUuid, std::vector<BookCoverTile*>> spare;
    for (BookCoverTile* tile : m_tiles) {
        spare[tile->book().id].push_back(tile);
    }
    std::vector<BookCoverTile*> tiles;
    tiles.reserve(books.size());
    for (const Book& book : books) {
        const bool active = activeID && book.id == *activeID;
        auto found = spare.find(book.id);
        if (found != spare.end() && !found->empty()) {
            BookCoverTile* tile = found->front();
            found->erase(found->begin());
            tile->setBook(book);
            tile->setActive(active);
            tiles.push_back(tile);
        } else {
            tiles.push_back(makeTile(book, active));
        }
    }
    for (const auto& unused : spare) {
        for (BookCoverTile* tile : unused) {
            delete tile;
        }
    }
    m_tiles = std::move(tiles);
    placeTiles();
}

void BookGrid::setActiveID(const std::optional<QUuid>& activeID)
{
    for (BookCoverTile* tile : m_tiles) {
        tile->setActive(activeID && tile->book().id == *activeID);
    }
}

void BookGrid::placeTiles()
{
    std::vector<int> heights;
    heights.reserve(m_tiles.size());
    for (const BookCoverTile* tile : m_tiles) {
        heights.push_back(tile->mainLayerHeight());
    }
    const LibraryGeometry::GridLayout layout = LibraryGeometry::layoutGrid(heights, width());
    for (std::size_t i = 0; i < m_tiles.size(); ++i) {
        const int m = BookCoverTile::kMargin;
        m_tiles[i]->setGeometry(layout.cells[i].adjusted(-m, -m, m, m));
    }
    if (layout.contentSize.height() != m_contentSize.height()) {
        m_contentSize = layout.contentSize;
        setMinimumHeight(m_contentSize.height());
        updateGeometry();
    }
    m_contentSize = layout.contentSize;
}

QSize BookGrid::sizeHint() const
{
    return m_contentSize;
}

QSize BookGrid::minimumSizeHint() const
{
    return {LibraryGeometry::kGridWidth + 2 * LibraryGeometry::kGridPadding,
            m_contentSize.height()};
}

void BookGrid::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (event->oldSize().width() != event->size().width()) {
        placeTiles();
    }
}

} // namespace tavrin
