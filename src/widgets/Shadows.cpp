#include "widgets/Shadows.h"

#include <QCache>
#include <QColor>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace tavrin::Shadows {

namespace {

/// Radii of three box blurs whose succession approximates a Gaussian of sigma.
std::array<int, 3> boxRadii(double sigma)
{
    constexpr int kPasses = 3;
    const double ideal = std::sqrt(12.0 * sigma * sigma / kPasses + 1.0);
    int lower = static_cast<int>(std::floor(ideal));
    if (lower % 2 == 0) {
        --lower;
    }
    const int upper = lower + 2;
    const double m =
        (12.0 * sigma * sigma - kPasses * lower * lower - 4.0 * kPasses * lower - 3.0 * kPasses) /
        (-4.0 * lower - 4.0);
    const int useLower = static_cast<int>(std::lround(m));
    std::array<int, 3> radii{};
    for (int i = 0; i < kPasses; ++i) {
        radii[static_cast<std::size_t>(i)] = ((i < useLower ? lower : upper) - 1) / 2;
    }
    return radii;
}

/// One box pass over n samples spaced by stride in src, written packed into dst.
void boxPass(const unsigned char* src, unsigned char* dst, int n, int stride, int radius)
{
    const int window = 2 * radius + 1;
    int sum = 0;
    for (int i = 0; i < std::min(radius, n); ++i) {
        sum += src[i * stride];
    }
    for (int i = 0; i < n; ++i) {
        const int entering = i + radius;
        const int leaving = i - radius - 1;
        if (entering < n) {
            sum += src[entering * stride];
        }
        if (leaving >= 0) {
            sum -= src[leaving * stride];
        }
        dst[i] = static_cast<unsigned char>((sum + window / 2) / window);
    }
}

QCache<QString, QImage>& cache()
{
    // Cost in kilobytes: a few hundred shadows of tile size.
    static QCache<QString, QImage> images(16 * 1024);
    return images;
}

QImage renderShadow(const QPainterPath& shape, const QColor& color, double radius, double dpr,
                    double margin)
{
    const QRectF bounds = shape.boundingRect();
    const QSize pixels(static_cast<int>(std::ceil((bounds.width() + 2 * margin) * dpr)),
                       static_cast<int>(std::ceil((bounds.height() + 2 * margin) * dpr)));
    QImage mask(pixels, QImage::Format_Alpha8);
    mask.fill(0);
    {
        QPainter painter(&mask);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(dpr, dpr);
        painter.translate(margin - bounds.left(), margin - bounds.top());
        painter.fillPath(shape, Qt::black);
    }
    // Alpha8 rows may be padded; blur a packed copy.
    std::vector<unsigned char> packed(static_cast<std::size_t>(pixels.width()) *
                                      static_cast<std::size_t>(pixels.height()));
    for (int y = 0; y < pixels.height(); ++y) {
        std::copy_n(mask.constScanLine(y), pixels.width(),
                    packed.begin() + static_cast<std::ptrdiff_t>(y) * pixels.width());
    }
    blurMask(packed.data(), pixels.width(), pixels.height(), radius / 2.0 * dpr);

    QImage shadow(pixels, QImage::Format_ARGB32_Premultiplied);
    const QRgb tint = color.rgba();
    for (int y = 0; y < pixels.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(shadow.scanLine(y));
        const unsigned char* coverage =
            packed.data() + static_cast<std::ptrdiff_t>(y) * pixels.width();
        for (int x = 0; x < pixels.width(); ++x) {
            const int a = qAlpha(tint) * coverage[x] / 255;
            row[x] = qPremultiply(qRgba(qRed(tint), qGreen(tint), qBlue(tint), a));
        }
    }
    shadow.setDevicePixelRatio(dpr);
    return shadow;
}

} // namespace

void blurMask(unsigned char* mask, int width, int height, double sigma)
{
    if (sigma <= 0.0 || width <= 0 || height <= 0) {
        return;
    }
    std::vector<unsigned char> scratch(static_cast<std::size_t>(std::max(width, height)));
    for (const int radius : boxRadii(sigma)) {
        if (radius <= 0) {
            continue;
        }
        for (int y = 0; y < height; ++y) {
            unsigned char* row = mask + static_cast<std::ptrdiff_t>(y) * width;
            boxPass(row, scratch.data(), width, 1, radius);
            std::copy_n(scratch.data(), width, row);
        }
        for (int x = 0; x < width; ++x) {
            boxPass(mask + x, scratch.data(), height, width, radius);
            for (int y = 0; y < height; ++y) {
                mask[static_cast<std::ptrdiff_t>(y) * width + x] =
                    scratch[static_cast<std::size_t>(y)];
            }
        }
    }
}

void paint(QPainter& painter, const QPainterPath& shape, const QColor& color, double radius,
           const QString& cacheKey)
{
    if (shape.isEmpty() || color.alpha() == 0) {
        return;
    }
    const double dpr = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const double margin = std::ceil(radius * 1.5) + 2.0;
    const QRectF bounds = shape.boundingRect();
    const QPointF origin = bounds.topLeft() - QPointF(margin, margin);

    if (cacheKey.isEmpty()) {
        painter.drawImage(origin, renderShadow(shape, color, radius, dpr, margin));
        return;
    }
    const QString key = cacheKey + QLatin1Char('|') + QString::number(dpr) + QLatin1Char('|') +
                        QString::number(color.rgba(), 16) + QLatin1Char('|') +
                        QString::number(radius);
    if (const QImage* cached = cache().object(key)) {
        painter.drawImage(origin, *cached);
        return;
    }
    auto* image = new QImage(renderShadow(shape, color, radius, dpr, margin));
    painter.drawImage(origin, *image);
    cache().insert(key, image, std::max<qsizetype>(1, image->sizeInBytes() / 1024));
}

} // namespace tavrin::Shadows
