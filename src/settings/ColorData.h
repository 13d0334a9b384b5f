#pragma once

namespace tavrin {

/// A colour as sRGB components with opacity, each nominally 0…1.
struct ColorData
{
    double r = 0.0;
    double g = 0.0;
    double b = 0.0;
    double a = 1.0;

    bool operator==(const ColorData&) const = default;
};

} // namespace tavrin
