#pragma once

#include "library/Book.h"

#include <QWidget>

#include <optional>
#include <vector>

namespace tavrin {

class BookCoverTile;

/// The content of the library's scroll area: one tile per book in three fixed columns.
/// setBooks() reuses the tiles of books it already shows, so a progress update or a change
/// of sort order neither rebuilds the widgets nor reloads their covers.
class BookGrid : public QWidget
{
    Q_OBJECT

public:
    explicit BookGrid(QWidget* parent = nullptr);

    void setBooks(const std::vector<Book>& books, const std::optional<QUuid>& activeID);
    void setActiveID(const std::optional<QUuid>& activeID);
    /// The tiles in grid order.
    const std::vector<BookCoverTile*>& tiles() const { return m_tiles; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void selectRequested(const tavrin::Book& book);
    void deleteRequested(const tavrin::Book& book);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    BookCoverTile* makeTile(const Book& book, bool active);
    void placeTiles();

    std::vector<BookCoverTile*> m_tiles;
    QSize m_contentSize;
};

} // namespace tavrin
