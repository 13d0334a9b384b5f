#pragma once

#include <QCache>
#include <QImage>
#include <QSet>
#include <QString>

namespace tavrin {

/// Decoded cover images, made when a tile first paints and kept in a small least-recently
/// used cache, so that a library of a thousand books neither decodes every cover up front
/// nor holds every full-size image. Images are decoded straight to the tile's size. Main
/// thread only.
class CoverImageCache
{
public:
    /// The cache the tiles share.
    static CoverImageCache& shared();

    explicit CoverImageCache(int maxKilobytes);

    /// The image file at path scaled, aspect kept, to fill pixelSize and centre-cropped;
    /// a null image when the file is missing or unreadable (remembered, not retried).
    QImage imageCover(const QString& path, QSize pixelSize);

    /// The generated cover of title at a logical size and device pixel ratio.
    QImage generatedCover(const QString& title, QSize size, double devicePixelRatio);

    void clear();
    /// How many image files have been decoded since construction or clear().
    int decodeCount() const { return m_decodeCount; }

private:
    QCache<QString, QImage> m_images;
    QSet<QString> m_unreadable;
    int m_decodeCount = 0;
};

} // namespace tavrin
