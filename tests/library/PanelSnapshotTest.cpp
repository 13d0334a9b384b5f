// Renders the library panel as the reader shows it, over a dark reading area. With
// TAVRIN_SNAPSHOT_DIR set, the images are also written there for a look by eye.
#include "library/BookCoverTile.h"
#include "library/BookGrid.h"
#include "library/BooksPanel.h"
#include "library/LibraryStore.h"
#include "library/PanelStyle.h"
#include "support/TestHome.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QEnterEvent>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>

#include <gtest/gtest.h>

namespace tavrin {
namespace {

/// The reading area the reader window puts behind its panels.
class ReadingArea : public QWidget
{
public:
    void paintEvent(QPaintEvent* /*event*/) override
    {
        QPainter(this).fillRect(rect(), QColor(8, 8, 8));
    }
};

QImage onReadingArea(QWidget& panel)
{
    // Grabbed as a child, as it is shown: a window would paint its own background first.
    ReadingArea area;
    area.resize(panel.size());
    QWidget* oldParent = panel.parentWidget();
    panel.setParent(&area);
    panel.move(0, 0);
    panel.show();
    area.show();
    // Let pending layout requests run, as the event loop would before painting.
    QCoreApplication::processEvents();
    const QImage image = area.grab().toImage();
    panel.setParent(oldParent);
    return image;
}

void keep(const QImage& image, const char* name)
{
    const QString dir = qEnvironmentVariable("TAVRIN_SNAPSHOT_DIR");
    if (!dir.isEmpty()) {
        QDir().mkpath(dir);
        image.save(QDir(dir).filePath(QString::fromLatin1(name)));
    }
}

QByteArray jpegCover(const QColor& top, const QColor& bottom)
{
    QImage image(600, 900, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, 0, 900);
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    painter.fillRect(image.rect(), gradient);
    painter.setPen(Qt::white);
    QFont font;
    font.setPixelSize(90);
    painter.setFont(font);
    painter.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("COVER"));
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG");
    return bytes;
}

void expectPanelBackground(const QImage& image, QPoint at)
{
    // panelBG at 0.97 over the reading area.
    const QColor expected = PanelStyle::panelBackground();
    const QColor actual = image.pixelColor(at);
    EXPECT_NEAR(actual.red(), expected.red() * 0.97 + 8 * 0.03, 2);
    EXPECT_NEAR(actual.blue(), expected.blue() * 0.97 + 8 * 0.03, 2);
}

class PanelSnapshotTest : public ::testing::Test
{
protected:
    test::TestHome home;
    LibraryStore store;
};

TEST_F(PanelSnapshotTest, EmptyLibrary)
{
    BooksPanel panel(store);
    panel.resize(BooksPanel::kWidth, 760);
    panel.show();
    const QImage image = onReadingArea(panel);
    keep(image, "library-empty.png");
    expectPanelBackground(image, QPoint(10, 700));
    // The empty state is centred below the header.
    QRect lit;
    for (int y = 150; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) > 60) {
                lit = lit.united(QRect(x, y, 1, 1));
            }
        }
    }
    ASSERT_FALSE(lit.isEmpty());
    EXPECT_NEAR(lit.center().x(), BooksPanel::kWidth / 2, 3);
}

TEST_F(PanelSnapshotTest, LibraryWithBooks)
{
    const std::vector<WordToken> words(1000, WordToken{"word", 1.0, false, 0});
    store.addBook("Dune", "Frank Herbert", "1965", words, 500, std::nullopt);
    store.addBook("Moby Dick", "Herman Melville", "1851", words, 0, std::nullopt);
    const Book pictured =
        store.addBook("The Left Hand of Darkness", "Ursula K. Le Guin", "1969", words, 900,
                      jpegCover(QColor(40, 90, 160), QColor(10, 20, 40)));
    store.addBook("War and Peace", "Leo Tolstoy", "", words, 120, std::nullopt);
    store.addBook("A Very Long Title That Goes On And On Past Two Lines", "", "", words, 0,
                  std::nullopt);
    store.addBook("\xC3\xA9tude", "Anonymous", "2001", words, 1000, std::nullopt);
    BooksPanel panel(store);
    panel.setCurrentBookID(store.books()[0].id);
    panel.resize(BooksPanel::kWidth, 900);
    panel.show();

    // Hover the pictured book so its delete button shows.
    for (BookCoverTile* tile : panel.findChild<BookGrid*>()->tiles()) {
        if (tile->book().id == pictured.id) {
            QEnterEvent enter(QPointF(40, 40), QPointF(40, 40), tile->mapToGlobal(QPointF(40, 40)));
            QApplication::sendEvent(tile, &enter);
        }
    }
    const QImage image = onReadingArea(panel);
    keep(image, "library-books.png");
    expectPanelBackground(image, QPoint(4, 880));
}

} // namespace
} // namespace tavrin
