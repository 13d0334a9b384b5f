#include "library/BookCoverTile.h"

#include "library/CoverImageCache.h"
#include "library/LibraryGeometry.h"
#include "library/TextFitting.h"
#include "widgets/PanelStyle.h"
#include "widgets/Shadows.h"
#include "widgets/SymbolButton.h"

#include <QEnterEvent>
#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace tavrin {

namespace {

constexpr double kCornerRadius = 6.0;
constexpr int kCoverTextGap = 10;
constexpr int kLineGap = 3;
constexpr int kMaxTitleLines = 2;
constexpr int kProgressBarHeight = 3;
/// The delete button's symbol box stands 5 right of and 5 above the tile's top-right corner.
constexpr int kDeleteShift = 5;
constexpr double kDeleteSymbolSize = 22.0;

QFont titleFont()
{
    return PanelStyle::systemFont(14, QFont::DemiBold);
}
QFont authorFont()
{
    return PanelStyle::systemFont(12);
}
QFont yearFont()
{
    return PanelStyle::systemFont(11);
}

QString toQString(const std::string& s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

int lineHeight(const QFont& font)
{
    return static_cast<int>(std::ceil(QFontMetricsF(font).height()));
}

} // namespace

BookCoverTile::BookCoverTile(const Book& book, bool isActive, QWidget* parent)
    : QWidget(parent), m_book(book), m_isActive(isActive)
{
    setObjectName(QStringLiteral("bookCoverTile"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent, false);

    SymbolButton::Look look;
    look.symbol = Symbols::Symbol::xmarkCircleFill;
    look.pointSize = kDeleteSymbolSize;
    look.color = PanelStyle::white(0.9);
    look.shadowColor = QColor::fromRgbF(0.0f, 0.0f, 0.0f, 0.6f);
    look.shadowRadius = 3.0;
    m_deleteButton = new SymbolButton(look, this);
    m_deleteButton->setObjectName(QStringLiteral("deleteButton"));
    m_deleteButton->hide();
    connect(m_deleteButton, &SymbolButton::clicked, this, &BookCoverTile::deleteRequested);

    layoutText();
    const int margin = m_deleteButton->shadowMargin();
    const QSize glyph = m_deleteButton->sizeHint() - QSize(2 * margin, 2 * margin);
    m_deleteButton->setGeometry(
        kMargin + LibraryGeometry::kCoverWidth - glyph.width() + kDeleteShift - margin,
        kMargin - kDeleteShift - margin, glyph.width() + 2 * margin, glyph.height() + 2 * margin);
}

void BookCoverTile::setBook(const Book& book)
{
    if (book == m_book) {
        return;
    }
    const bool textChanged =
        book.title != m_book.title || book.author != m_book.author || book.year != m_book.year;
    m_book = book;
    if (textChanged) {
        layoutText();
    }
    update();
}

void BookCoverTile::setActive(bool active)
{
    if (m_isActive == active) {
        return;
    }
    m_isActive = active;
    update();
}

void BookCoverTile::layoutText()
{
    m_titleLines = TextFitting::wrap(toQString(m_book.title), titleFont(),
                                     LibraryGeometry::kCoverWidth, kMaxTitleLines);
    m_author = m_book.author.empty() ? QString()
                                     : QFontMetricsF(authorFont())
                                           .elidedText(toQString(m_book.author), Qt::ElideRight,
                                                       LibraryGeometry::kCoverWidth);
    m_year = m_book.year.empty() ? QString()
                                 : QFontMetricsF(yearFont())
                                       .elidedText(toQString(m_book.year), Qt::ElideRight,
                                                   LibraryGeometry::kCoverWidth);

    int height = LibraryGeometry::kCoverHeight + kCoverTextGap;
    height += static_cast<int>(std::ceil(
        TextFitting::linesHeight(titleFont(), std::max(1, static_cast<int>(m_titleLines.size())))));
    if (!m_author.isEmpty()) {
        height += kLineGap + lineHeight(authorFont());
    }
    if (!m_year.isEmpty()) {
        height += kLineGap + lineHeight(yearFont());
    }
    if (height != m_mainLayerHeight) {
        m_mainLayerHeight = height;
        updateGeometry();
    }
}

QSize BookCoverTile::sizeHint() const
{
    return {LibraryGeometry::kCoverWidth + 2 * kMargin, m_mainLayerHeight + 2 * kMargin};
}

QRect BookCoverTile::mainLayerRect() const
{
    return {kMargin, kMargin, LibraryGeometry::kCoverWidth, m_mainLayerHeight};
}

QRect BookCoverTile::coverRect() const
{
    return {kMargin, kMargin, LibraryGeometry::kCoverWidth, LibraryGeometry::kCoverHeight};
}

double BookCoverTile::progressBarWidth() const
{
    return LibraryGeometry::progressBarWidth(m_book.currentWordIndex, m_book.totalWords,
                                             LibraryGeometry::kCoverWidth);
}

QImage BookCoverTile::storedCoverImage() const
{
    if (!m_book.coverImagePath) {
        return {};
    }
    const double dpr = devicePixelRatioF();
    const QSize pixels(static_cast<int>(std::ceil(LibraryGeometry::kCoverWidth * dpr)),
                       static_cast<int>(std::ceil(LibraryGeometry::kCoverHeight * dpr)));
    QImage image = CoverImageCache::shared().imageCover(toQString(*m_book.coverImagePath), pixels);
    image.setDevicePixelRatio(dpr);
    return image;
}

QImage BookCoverTile::coverImage() const
{
    QImage image = storedCoverImage();
    if (!image.isNull()) {
        return image;
    }
    return CoverImageCache::shared().generatedCover(
        toQString(m_book.title), QSize(LibraryGeometry::kCoverWidth, LibraryGeometry::kCoverHeight),
        devicePixelRatioF());
}

bool BookCoverTile::showsCoverImage() const
{
    return !storedCoverImage().isNull();
}

void BookCoverTile::setMarked(bool marked)
{
    if (marked != m_isMarked) {
        m_isMarked = marked;
        update();
    }
}

void BookCoverTile::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);

    const QRectF cover = coverRect().toRectF();
    const double outlineWidth = m_isActive ? 2.5 : 1.0;
    QPainterPath outline;
    outline.addRoundedRect(cover, kCornerRadius, kCornerRadius);

    // The shadow falls from the cover with its outline, which reaches half its width out.
    QPainterPath silhouette;
    const double spread = outlineWidth / 2.0;
    silhouette.addRoundedRect(cover.adjusted(-spread, -spread, spread, spread),
                              kCornerRadius + spread, kCornerRadius + spread);
    if (m_isActive) {
        Shadows::paint(painter, silhouette, PanelStyle::white(0.2), 10.0,
                       QStringLiteral("tile-active"));
    } else {
        Shadows::paint(painter, silhouette, QColor::fromRgbF(0.0f, 0.0f, 0.0f, 0.5f), 5.0,
                       QStringLiteral("tile"));
    }

    painter.save();
    painter.setClipPath(outline);
    painter.drawImage(cover, coverImage());
    const double barWidth = progressBarWidth();
    if (barWidth > 0.0) {
        painter.fillRect(
            QRectF(cover.left(), cover.bottom() - kProgressBarHeight, barWidth, kProgressBarHeight),
            PanelStyle::white(0.7));
    }
    painter.restore();

    QPen pen(m_isActive ? PanelStyle::white(1.0) : PanelStyle::white(0.15), outlineWidth);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(outline);

    if (m_isMarked) {
        // Outside the outline, in the panels' accent of plain white, clear of the cover art.
        painter.setPen(QPen(PanelStyle::white(0.85), 3.0));
        painter.drawRoundedRect(cover.adjusted(-5, -5, 5, 5), kCornerRadius + 5, kCornerRadius + 5);
    }

    // Title, author and year, each line centred under the cover.
    const double width = LibraryGeometry::kCoverWidth;
    auto drawLine = [&](const QString& line, const QFont& font, const QColor& color, double top) {
        const QFontMetricsF metrics(font);
        painter.setFont(font);
        painter.setPen(color);
        const double x = cover.left() + (width - metrics.horizontalAdvance(line)) / 2.0;
        painter.drawText(QPointF(x, top + metrics.ascent()), line);
    };
    const QFont title = titleFont();
    const double lineSpacing = QFontMetricsF(title).lineSpacing();
    double y = cover.bottom() + kCoverTextGap;
    for (qsizetype i = 0; i < m_titleLines.size(); ++i) {
        drawLine(m_titleLines[i], title, PanelStyle::white(1.0),
                 y + static_cast<double>(i) * lineSpacing);
    }
    y += std::ceil(
        TextFitting::linesHeight(title, std::max(1, static_cast<int>(m_titleLines.size()))));
    if (!m_author.isEmpty()) {
        y += kLineGap;
        drawLine(m_author, authorFont(), PanelStyle::white(0.5), y);
        y += lineHeight(authorFont());
    }
    if (!m_year.isEmpty()) {
        drawLine(m_year, yearFont(), PanelStyle::white(0.35), y + kLineGap);
    }
}

void BookCoverTile::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton &&
        mainLayerRect().contains(event->position().toPoint())) {
        m_pressed = true;
        event->accept();
        return;
    }
    event->ignore();
}

void BookCoverTile::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_pressed) {
        event->ignore();
        return;
    }
    m_pressed = false;
    if (mainLayerRect().contains(event->position().toPoint())) {
        Q_EMIT selectRequested();
    }
}

void BookCoverTile::mouseMoveEvent(QMouseEvent* event)
{
    updateHover(event->position().toPoint());
    QWidget::mouseMoveEvent(event);
}

void BookCoverTile::enterEvent(QEnterEvent* event)
{
    updateHover(event->position().toPoint());
}

void BookCoverTile::leaveEvent(QEvent* /*event*/)
{
    setHovered(false);
}

void BookCoverTile::updateHover(const QPoint& pos)
{
    setHovered(mainLayerRect().contains(pos) || m_deleteButton->geometry().contains(pos));
}

void BookCoverTile::setHovered(bool hovered)
{
    if (m_isHovered == hovered) {
        return;
    }
    m_isHovered = hovered;
    m_deleteButton->setVisible(hovered);
}

} // namespace tavrin
