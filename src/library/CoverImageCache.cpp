#include "library/CoverImageCache.h"

#include "library/GeneratedCover.h"

#include <QImageReader>
#include <QPainter>

#include <cmath>

namespace tavrin {

namespace {

QImage decodeToFill(const QString& path, QSize target)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    QSize source = reader.size();
    const bool turned = reader.transformation().testFlag(QImageIOHandler::TransformationRotate90);
    if (source.isValid() && !source.isEmpty()) {
        // Decode directly at the needed size (JPEG scales while decoding); the size the
        // reader reports is before any rotation from the file's orientation tag.
        const QSize wanted = turned ? target.transposed() : target;
        const double scale = std::max(static_cast<double>(wanted.width()) / source.width(),
                                      static_cast<double>(wanted.height()) / source.height());
        if (scale < 1.0) {
            reader.setScaledSize(
                QSize(std::max(1, static_cast<int>(std::ceil(source.width() * scale))),
                      std::max(1, static_cast<int>(std::ceil(source.height() * scale)))));
        }
    }
    QImage image = reader.read();
    if (image.isNull()) {
        return {};
    }
    image = image.scaled(target, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
    const QRect crop((image.width() - target.width()) / 2, (image.height() - target.height()) / 2,
                     target.width(), target.height());
    return image.copy(crop).convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

int kilobytes(const QImage& image)
{
    return std::max(1, static_cast<int>(image.sizeInBytes() / 1024));
}

} // namespace

CoverImageCache& CoverImageCache::shared()
{
    // About 250 tile-sized covers at a device pixel ratio of 1.
    static CoverImageCache cache(32 * 1024);
    return cache;
}

CoverImageCache::CoverImageCache(int maxKilobytes) : m_images(maxKilobytes) {}

QImage CoverImageCache::imageCover(const QString& path, QSize pixelSize)
{
    if (path.isEmpty() || pixelSize.isEmpty() || m_unreadable.contains(path)) {
        return {};
    }
    const QString key =
        QStringLiteral("file:%1x%2:").arg(pixelSize.width()).arg(pixelSize.height()) + path;
    if (const QImage* cached = m_images.object(key)) {
        return *cached;
    }
    ++m_decodeCount;
    QImage image = decodeToFill(path, pixelSize);
    if (image.isNull()) {
        m_unreadable.insert(path);
        return {};
    }
    m_images.insert(key, new QImage(image), kilobytes(image));
    return image;
}

QImage CoverImageCache::generatedCover(const QString& title, QSize size, double devicePixelRatio)
{
    const QString key = QStringLiteral("generated:%1x%2@%3:")
                            .arg(size.width())
                            .arg(size.height())
                            .arg(devicePixelRatio) +
                        title;
    if (const QImage* cached = m_images.object(key)) {
        return *cached;
    }
    QImage image(QSize(static_cast<int>(std::ceil(size.width() * devicePixelRatio)),
                       static_cast<int>(std::ceil(size.height() * devicePixelRatio))),
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        GeneratedCover::paint(painter, QRectF(QPointF(0, 0), QSizeF(size)), title);
    }
    m_images.insert(key, new QImage(image), kilobytes(image));
    return image;
}

void CoverImageCache::clear()
{
    m_images.clear();
    m_unreadable.clear();
    m_decodeCount = 0;
}

} // namespace tavrin
