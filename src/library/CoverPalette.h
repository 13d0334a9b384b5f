#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace tavrin::CoverPalette {

/// An sRGB colour, components 0…1, opaque.
struct Rgb
{
    double r = 0.0;
    double g = 0.0;
    double b = 0.0;

    bool operator==(const Rgb&) const = default;
};

/// The two colours of a generated cover's diagonal gradient, the darker one first.
struct Pair
{
    Rgb first;
    Rgb second;

    bool operator==(const Pair&) const = default;
};

constexpr std::size_t kRowCount = 8;

/// The fixed palette the generated covers choose from.
const std::array<Pair, kRowCount>& rows();

/// h = h × 31 + c over the title's code points (UTF-8 in; invalid bytes count as U+FFFD),
/// wrapping around like a signed 64-bit integer.
std::int64_t titleHash(std::string_view utf8Title);

/// The palette row of a title: |hash| mod 8, where the most negative hash gives 0. Stable
/// across runs, so a book keeps its colours.
std::size_t rowIndex(std::string_view utf8Title);

inline const Pair& colors(std::string_view utf8Title)
{
    return rows()[rowIndex(utf8Title)];
}

} // namespace tavrin::CoverPalette
