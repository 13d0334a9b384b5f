#include "library/CoverPalette.h"

#include <QList>
#include <QString>

#include <limits>

namespace tavrin::CoverPalette {

const std::array<Pair, kRowCount>& rows()
{
    static const std::array<Pair, kRowCount> palette{{
        {{0.35, 0.15, 0.55}, {0.55, 0.3, 0.75}},
        {{0.1, 0.25, 0.6}, {0.25, 0.5, 0.8}},
        {{0.55, 0.12, 0.12}, {0.78, 0.32, 0.22}},
        {{0.08, 0.38, 0.28}, {0.18, 0.58, 0.48}},
        {{0.48, 0.3, 0.06}, {0.7, 0.52, 0.16}},
        {{0.28, 0.06, 0.4}, {0.5, 0.2, 0.62}},
        {{0.06, 0.2, 0.5}, {0.26, 0.42, 0.72}},
        {{0.5, 0.06, 0.28}, {0.72, 0.28, 0.5}},
    }};
    return palette;
}

std::int64_t titleHash(std::string_view utf8Title)
{
    // Unsigned arithmetic wraps by definition; the bits are those of the signed wrap-around.
    std::uint64_t h = 0;
    const QString title =
        QString::fromUtf8(utf8Title.data(), static_cast<qsizetype>(utf8Title.size()));
    for (const auto codePoint : title.toUcs4()) {
        h = h * 31U + codePoint;
    }
    return static_cast<std::int64_t>(h);
}

std::size_t rowIndex(std::string_view utf8Title)
{
    const std::int64_t h = titleHash(utf8Title);
    if (h == std::numeric_limits<std::int64_t>::min()) {
        return 0;
    }
    const std::uint64_t magnitude = static_cast<std::uint64_t>(h < 0 ? -h : h);
    return static_cast<std::size_t>(magnitude % kRowCount);
}

} // namespace tavrin::CoverPalette
