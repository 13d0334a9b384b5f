#include "library/BookCoverTile.h"

#include "library/CoverImageCache.h"
#include "library/LibraryGeometry.h"
#include "widgets/SymbolButton.h"

#include <QApplication>
#include <QEnterEvent>
#include <QFile>
#include <QImage>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <tuple>
#include <utility>

namespace tavrin {
namespace {

constexpr int kMargin = BookCoverTile::kMargin;
const Book kDune{{}, "Dune", {}, {}, {}, {}, 0, 0, {}, {}};

QImage renderOnGrey(QWidget& widget)
{
    widget.resize(widget.sizeHint());
    QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor(128, 128, 128));
    widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

int brightness(QRgb pixel)
{
    return (qRed(pixel) + qGreen(pixel) + qBlue(pixel)) / 3;
}

TEST(BookCoverTileTest, ProgressBarStaysOnTheCover)
{
    // (position, length, width): an empty book draws no bar, a position past the end stops
    // at the cover's edge.
    for (const auto& [position, length, width] : {std::tuple{0, 1000, 0.0},
                                                  {500, 1000, 74.0},
                                                  {5, 0, 0.0},
                                                  {-3, 10, 0.0},
                                                  {2000, 1000, 148.0}}) {
        const Book book{{}, "T", {}, {}, {}, {}, position, length, {}, {}};
        EXPECT_DOUBLE_EQ(BookCoverTile(book, false, nullptr).progressBarWidth(), width)
            << position << "/" << length;
    }
}

TEST(LibraryGeometryTest, GridCentresThreeColumnsAndRowsTakeTheirTallestTile)
{
    // 148 wide columns 18 apart, rows 24 apart, 28 of padding all round.
    const auto wide = LibraryGeometry::layoutGrid({222, 230, 222, 200}, 600);
    EXPECT_EQ(
        wide.cells,
        (std::vector<QRect>{
            {60, 28, 148, 222}, {226, 28, 148, 230}, {392, 28, 148, 222}, {60, 282, 148, 200}}));
    EXPECT_EQ(wide.contentSize, QSize(600, 510));
    // Narrower than the grid: the content keeps its width and scrolls.
    const auto narrow = LibraryGeometry::layoutGrid({222}, 300);
    EXPECT_EQ(narrow.cells, std::vector<QRect>{QRect(28, 28, 148, 222)});
    EXPECT_EQ(narrow.contentSize, QSize(536, 278));
}

TEST(BookCoverTileTest, LoadsTheStoredImageOnceWhenFirstPaintedOrFallsBackToTheGeneratedCover)
{
    CoverImageCache::shared().clear();
    const QTemporaryDir dir;
    QImage yellow(300, 450, QImage::Format_RGB32);
    yellow.fill(Qt::yellow);
    const QString path = dir.filePath(QStringLiteral("cover.jpg"));
    const QString garbage = dir.filePath(QStringLiteral("garbage.jpg"));
    ASSERT_TRUE(yellow.save(path, "JPG") && QFile::copy(path, garbage));
    ASSERT_TRUE(QFile::resize(garbage, 20));
    Book book{{}, "Moby Dick", {}, {}, {}, path.toStdString(), 0, 0, {}, {}};
    BookCoverTile first(book, false);
    BookCoverTile second(book, false);
    EXPECT_EQ(CoverImageCache::shared().decodeCount(), 0);
    const QImage image = renderOnGrey(first);
    EXPECT_EQ(CoverImageCache::shared().decodeCount(), 1);
    EXPECT_LT(qBlue(image.pixel(kMargin + 74, kMargin + 111)), 40);
    renderOnGrey(second);
    EXPECT_EQ(CoverImageCache::shared().decodeCount(), 1);
    EXPECT_TRUE(first.showsCoverImage());

    // No image, a missing one or an unreadable one: the same generated cover.
    QImage reference;
    for (const QString& name : {QString(), dir.filePath(QStringLiteral("gone.jpg")), garbage}) {
        book.coverImagePath = name.isEmpty() ? std::nullopt : std::optional(name.toStdString());
        BookCoverTile tile(book, false);
        EXPECT_FALSE(tile.showsCoverImage());
        const QImage cover = renderOnGrey(tile).copy(tile.coverRect().adjusted(3, 3, -3, -3));
        if (reference.isNull()) {
            reference = cover;
        } else {
            EXPECT_EQ(cover, reference);
        }
    }
    const int decodes = CoverImageCache::shared().decodeCount();
    BookCoverTile again(book, false);
    renderOnGrey(again);
    EXPECT_EQ(CoverImageCache::shared().decodeCount(), decodes)
        << "an unreadable image is tried once";
}

TEST(BookCoverTileTest, ActiveTileHasTheWhiteOutlineAndGlow)
{
    BookCoverTile active(kDune, true);
    BookCoverTile inactive(kDune, false);
    const QImage on = renderOnGrey(active);
    const QImage off = renderOnGrey(inactive);
    const int midY = kMargin + LibraryGeometry::kCoverHeight / 2;

    // On the cover's left edge: the 2.5-wide white outline covers the pixel completely.
    EXPECT_GE(brightness(on.pixel(kMargin, midY)), 250);
    EXPECT_LT(brightness(off.pixel(kMargin, midY)), 200);
    // Outside the cover: a white glow lightens the grey, a dark shadow darkens it.
    EXPECT_GT(brightness(on.pixel(kMargin - 4, midY)), 128);
    EXPECT_LT(brightness(off.pixel(kMargin - 3, midY)), 124);
}

TEST(BookCoverTileTest, DeleteButtonShowsOnlyUnderThePointer)
{
    QWidget host;
    auto* tile = new BookCoverTile(kDune, false, &host);
    tile->resize(tile->sizeHint());
    host.show();
    QSignalSpy selected(tile, &BookCoverTile::selectRequested);
    QSignalSpy deleted(tile, &BookCoverTile::deleteRequested);
    auto* button = tile->findChild<SymbolButton*>(QStringLiteral("deleteButton"));
    ASSERT_NE(button, nullptr);
    EXPECT_FALSE(button->isVisible());

    QEnterEvent enter(QPointF(30, 30), QPointF(30, 30), tile->mapToGlobal(QPointF(30, 30)));
    QApplication::sendEvent(tile, &enter);
    EXPECT_TRUE(button->isVisible());
    // Its shadow's margin is not part of it.
    ASSERT_LT(button->rect().left(), button->hitRect().left());
    for (const auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, QPointF(1, 1), button->mapToGlobal(QPointF(1, 1)), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, {});
        QApplication::sendEvent(button, &event);
    }
    EXPECT_EQ(deleted.count(), 0);
    QTest::mouseClick(button, Qt::LeftButton, {}, button->hitRect().center());
    EXPECT_EQ(deleted.count(), 1);
    EXPECT_EQ(selected.count(), 0);
    // A press on the cover selects only if released there.
    QTest::mousePress(tile, Qt::LeftButton, {}, QPoint(kMargin + 20, kMargin + 100));
    QTest::mouseRelease(tile, Qt::LeftButton, {}, QPoint(2, kMargin + 100));
    EXPECT_EQ(selected.count(), 0);
    QTest::mouseClick(tile, Qt::LeftButton, {}, QPoint(kMargin + 20, kMargin + 100));
    EXPECT_EQ(selected.count(), 1);

    // The margin kept for the glow is not part of the tile.
    for (const auto& [pos, shown] : {std::pair{QPoint(2, kMargin + 100), false},
                                     {QPoint(kMargin + 74, kMargin + 240), true}}) {
        QMouseEvent move(QEvent::MouseMove, pos, tile->mapToGlobal(pos), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(tile, &move);
        EXPECT_EQ(button->isVisible(), shown);
    }
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(tile, &leave);
    EXPECT_FALSE(button->isVisible());
}

} // namespace
} // namespace tavrin
