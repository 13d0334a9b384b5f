#pragma once

#include "library/Book.h"

#include <QStringList>
#include <QWidget>

namespace tavrin {

class SymbolButton;

/// One book of the library grid: its cover (the stored image, or the generated cover when
/// there is none or it does not load) with a reading-progress bar, the title, author and
/// year under it, an outline and glow when it is the book open in the reader, and a delete
/// button while the pointer is over it. The cover image is decoded when the tile is first
/// painted, through the shared cover cache.
///
/// The widget is larger than what it shows by kMargin on every side, room for the glow and
/// the delete button, which stands out past the top-right corner; presses there go on to
/// the parent. Place it with mainLayerRect() at the grid cell.
class BookCoverTile : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kMargin = 12;

    BookCoverTile(const Book& book, bool isActive, QWidget* parent = nullptr);

    const Book& book() const { return m_book; }
    void setBook(const Book& book);
    bool isActive() const { return m_isActive; }
    void setActive(bool active);
    bool isHovered() const { return m_isHovered; }
    /// Marks a book just added with a ring round its cover, so the eye finds it.
    bool isMarked() const { return m_isMarked; }
    void setMarked(bool marked);

    /// Height of the cover, the gap and the text lines.
    int mainLayerHeight() const { return m_mainLayerHeight; }
    /// The cover and text, the click target, in widget coordinates.
    QRect mainLayerRect() const;
    QRect coverRect() const;
    /// Width of the progress bar as drawn.
    double progressBarWidth() const;
    /// The title lines as drawn (at most two, the last cut with an ellipsis).
    QStringList titleLines() const { return m_titleLines; }
    /// Whether the cover shows the stored image (false: the generated cover). Loads the
    /// image if the tile has not been painted yet.
    bool showsCoverImage() const;

    QSize sizeHint() const override;

Q_SIGNALS:
    /// The main layer was clicked.
    void selectRequested();
    /// The delete button was pressed.
    void deleteRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void layoutText();
    void updateHover(const QPoint& pos);
    void setHovered(bool hovered);
    /// The stored cover scaled for the tile, or a null image when there is none or it
    /// does not load.
    QImage storedCoverImage() const;
    QImage coverImage() const;

    Book m_book;
    bool m_isActive = false;
    bool m_isHovered = false;
    bool m_isMarked = false;
    bool m_pressed = false;
    QString m_author;
    QString m_year;
    QStringList m_titleLines;
    int m_mainLayerHeight = 0;
    SymbolButton* m_deleteButton = nullptr;
};

} // namespace tavrin
