#include "app/CoverView.h"

#include "library/CoverImageCache.h"
#include "library/GeneratedCover.h"
#include "widgets/Shadows.h"

#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace tavrin {

namespace {

constexpr double kCornerRadius = 6.0;
constexpr double kBorderWidth = 1.0;
constexpr float kBorderOpacity = 0.2f;
constexpr float kShadowOpacity = 0.5f;
constexpr double kShadowRadius = 8.0;
// The shadow's blur reaches about three standard deviations (radius / 2 each) past the
// shape.
constexpr int kShadowMargin = 12;

} // namespace

CoverView::CoverView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("coverView"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

int CoverView::shadowMargin()
{
    return kShadowMargin;
}

void CoverView::setBook(const QString& title, const std::optional<QString>& imagePath)
{
    if (title == m_title && imagePath == m_imagePath) {
        return;
    }
    m_title = title;
    m_imagePath = imagePath;
    update();
}

void CoverView::setOpacity(double opacity)
{
    m_opacity = opacity;
    update();
}

bool CoverView::showsImage() const
{
    return !image().isNull();
}

QRectF CoverView::frame() const
{
    return QRectF(rect()).adjusted(kShadowMargin, kShadowMargin, -kShadowMargin, -kShadowMargin);
}

QImage CoverView::image() const
{
    // A cover file deleted while the reader runs is not drawn from the decoded copy.
    if (!m_imagePath || m_imagePath->isEmpty() || !QFileInfo::exists(*m_imagePath)) {
        return {};
    }
    const QSizeF pixels = frame().size() * devicePixelRatioF();
    return CoverImageCache::shared().imageCover(
        *m_imagePath, QSize(static_cast<int>(std::lround(pixels.width())),
                            static_cast<int>(std::lround(pixels.height()))));
}

void CoverView::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setOpacity(m_opacity);

    const QRectF cover = frame();
    QPainterPath shape;
    shape.addRoundedRect(cover, kCornerRadius, kCornerRadius);
    Shadows::paint(painter, shape, QColor::fromRgbF(0.0f, 0.0f, 0.0f, kShadowOpacity),
                   kShadowRadius, QStringLiteral("readerCover"));

    painter.save();
    painter.setClipPath(shape);
    const QImage picture = image();
    if (picture.isNull()) {
        GeneratedCover::paint(painter, cover, m_title);
    } else {
        painter.drawImage(cover, picture);
    }
    painter.restore();

    // The border lies inside the frame, so the frame's size is the cover's size.
    const double inset = kBorderWidth / 2.0;
    painter.setPen(QPen(QColor::fromRgbF(1.0f, 1.0f, 1.0f, kBorderOpacity), kBorderWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(cover.adjusted(inset, inset, -inset, -inset), kCornerRadius - inset,
                            kCornerRadius - inset);
}

} // namespace tavrin
