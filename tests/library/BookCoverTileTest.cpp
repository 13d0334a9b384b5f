#include "library/BookCoverTile.h"

#include "library/CoverImageCache.h"
#include "library/LibraryGeometry.h"
#include "library/SymbolButton.h"

#include <QApplication>
#include <QEnterEvent>
#include <QFile>
#include <QImage>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace tavrin {
namespace {

constexpr int kMargin = BookCoverTile::kMargin;

Book makeBook(const std::string& title, std::int64_t current = 0, std::int64_t total = 0)
{
    Book book;
    book.id = QUuid::createUuid();
    book.title = title;
    book.author = "Jane Austen";
    book.year = "1813";
    book.currentWordIndex = current;
    book.totalWords = total;
    return book;
}

QImage renderOnGrey(QWidget& widget)
{
    QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor(128, 128, 128));
    widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

void sendMove(QWidget* widget, QPoint pos)
{
    QMouseEvent event(QEvent::MouseMove, pos, widget->mapToGlobal(pos), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void sendEnter(QWidget* widget, QPoint pos)
{
    QEnterEvent event(pos, pos, widget->mapToGlobal(pos));
    QApplication::sendEvent(widget, &event);
}

void sendLeave(QWidget* widget)
{
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(widget, &event);
}

int brightness(QRgb pixel)
{
    return (qRed(pixel) + qGreen(pixel) + qBlue(pixel)) / 3;
}

class BookCoverTileTest : public ::testing::Test
{
protected:
    void SetUp() override { CoverImageCache::shared().clear(); }

    QString writeImage(const QString& name, const QColor& color, const char* format = "JPG")
    {
        QImage image(300, 450, QImage::Format_RGB32);
        image.fill(color);
        const QString path = dir.filePath(name);
        EXPECT_TRUE(image.save(path, format));
        return path;
    }

    QTemporaryDir dir;
};

TEST_F(BookCoverTileTest, ProgressBarFollowsTheReadFraction)
{
    // Stored positions are not clamped by the library; the bar stays on the cover.
    const struct
    {
        std::int64_t current, total;
        double width;
    } cases[] = {
        {500, 1000, 74.0}, {3, 0, 0.0}, {5, -3, 0.0}, {2500, 1000, 148.0}, {-10, 1000, 0.0}};
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(BookCoverTile(makeBook("T", c.current, c.total), false).progressBarWidth(),
                         c.width)
            << c.current << "/" << c.total;
    }

    BookCoverTile tile(makeBook("T", 500, 1000), false);
    tile.resize(tile.sizeHint());
    const QImage image = renderOnGrey(tile);
    const int barY = kMargin + LibraryGeometry::kCoverHeight - 2;
    // The bar (white at 0.7) ends at 74; beyond it the cover shows.
    EXPECT_GT(brightness(image.pixel(kMargin + 40, barY)), 170);
    EXPECT_LT(brightness(image.pixel(kMargin + 110, barY)), 170);
}

TEST_F(BookCoverTileTest, LoadsTheStoredImageOnlyWhenFirstPainted)
{
    Book book = makeBook("Pictured");
    book.coverImagePath = writeImage(QStringLiteral("cover.jpg"), Qt::yellow).toStdString();
    BookCoverTile first(book, false);
    BookCoverTile second(book, false);
    first.resize(first.sizeHint());
    second.resize(second.sizeHint());
    EXPECT_EQ(CoverImageCache::shared().decodeCount(), 0);

    const QImage image = renderOnGrey(first);
    EXPECT_EQ(CoverImageCache::shared().decodeCount(), 1);
    const QRgb centre = image.pixel(kMargin + 74, kMargin + 111);
    EXPECT_GT(qRed(centre), 230);
    EXPECT_GT(qGreen(centre), 230);
    EXPECT_LT(qBlue(centre), 40);

    renderOnGrey(second);
    EXPECT_EQ(CoverImageCache::shared().decodeCount(), 1);
    EXPECT_TRUE(first.showsCoverImage());
}

TEST_F(BookCoverTileTest, MissingOrUnreadableImageFallsBackToTheGeneratedCover)
{
    Book missing = makeBook("Moby Dick");
    missing.coverImagePath = dir.filePath(QStringLiteral("gone.jpg")).toStdString();
    Book garbage = makeBook("Moby Dick");
    const QString garbagePath = dir.filePath(QStringLiteral("garbage.jpg"));
    QFile file(garbagePath);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\xFF\xD8\xFF not really a jpeg");
    file.close();
    garbage.coverImagePath = garbagePath.toStdString();
    const Book plain = makeBook("Moby Dick");

    QImage reference;
    for (const Book& book : {plain, missing, garbage}) {
        BookCoverTile tile(book, false);
        tile.resize(tile.sizeHint());
        EXPECT_FALSE(tile.showsCoverImage());
        const QImage image = renderOnGrey(tile).copy(tile.coverRect().adjusted(3, 3, -3, -3));
        if (reference.isNull()) {
            reference = image;
        } else {
            EXPECT_EQ(image, reference);
        }
    }
}

TEST_F(BookCoverTileTest, ActiveTileHasTheWhiteOutlineAndGlow)
{
    BookCoverTile active(makeBook("Dune"), true);
    BookCoverTile inactive(makeBook("Dune"), false);
    active.resize(active.sizeHint());
    inactive.resize(inactive.sizeHint());
    const QImage on = renderOnGrey(active);
    const QImage off = renderOnGrey(inactive);
    const int midY = kMargin + LibraryGeometry::kCoverHeight / 2;

    // On the cover's left edge: the 2.5-wide white outline covers the pixel completely.
    EXPECT_GE(brightness(on.pixel(kMargin, midY)), 250);
    EXPECT_LT(brightness(off.pixel(kMargin, midY)), 200);
    // Outside the cover: a white glow lightens the grey, a dark shadow darkens it.
    EXPECT_GT(brightness(on.pixel(kMargin - 2, midY)), 132);
    EXPECT_LT(brightness(off.pixel(kMargin - 3, midY)), 124);
}

TEST_F(BookCoverTileTest, DeleteButtonShowsOnlyUnderThePointer)
{
    QWidget host;
    auto* tile = new BookCoverTile(makeBook("Dune"), false, &host);
    tile->resize(tile->sizeHint());
    host.show();
    auto* button = tile->findChild<SymbolButton*>(QStringLiteral("deleteButton"));
    ASSERT_NE(button, nullptr);
    EXPECT_FALSE(button->isVisible());

    sendEnter(tile, QPoint(kMargin + 20, kMargin + 20));
    EXPECT_TRUE(tile->isHovered());
    EXPECT_TRUE(button->isVisible());
    // The button stands 5 right of and 5 above the tile's top-right corner.
    const QRect glyph = button->hitRect().translated(button->pos());
    EXPECT_EQ(glyph.right() + 1, kMargin + LibraryGeometry::kCoverWidth + 5);
    EXPECT_EQ(glyph.top(), kMargin - 5);

    // The margin kept for the glow is not part of the tile.
    sendMove(tile, QPoint(2, kMargin + 100));
    EXPECT_FALSE(tile->isHovered());
    EXPECT_FALSE(button->isVisible());
    sendMove(tile, QPoint(kMargin + 74, kMargin + 240));
    EXPECT_TRUE(button->isVisible());
    sendLeave(tile);
    EXPECT_FALSE(button->isVisible());
}

TEST_F(BookCoverTileTest, ClicksSelectOrDelete)
{
    QWidget host;
    auto* tile = new BookCoverTile(makeBook("Dune"), false, &host);
    tile->resize(tile->sizeHint());
    host.show();
    QSignalSpy selected(tile, &BookCoverTile::selectRequested);
    QSignalSpy deleted(tile, &BookCoverTile::deleteRequested);

    // In the gap between the cover and the title.
    QTest::mouseClick(tile, Qt::LeftButton, {},
                      QPoint(kMargin + 74, kMargin + LibraryGeometry::kCoverHeight + 5));
    EXPECT_EQ(selected.count(), 1);
    // Outside the main layer, in the margin: nothing.
    QTest::mouseClick(tile, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(selected.count(), 1);

    sendEnter(tile, QPoint(kMargin + 20, kMargin + 20));
    auto* button = tile->findChild<SymbolButton*>(QStringLiteral("deleteButton"));
    QTest::mouseClick(button, Qt::LeftButton, {}, button->hitRect().center());
    EXPECT_EQ(deleted.count(), 1);
    EXPECT_EQ(selected.count(), 1);
}

} // namespace
} // namespace tavrin
