#pragma once

namespace tavrin {

/// How the window should animate a change of a displayed flag. The session decides which
/// change animates how; the window only realises it.
struct Animation
{
    enum class Curve
    {
        none,
        easeIn,
        easeOut,
        easeInOut
    };
    Curve curve = Curve::none;
    double seconds = 0.0;

    static constexpr Animation immediate() { return {}; }
    static constexpr Animation easeIn(double s) { return {Curve::easeIn, s}; }
    static constexpr Animation easeOut(double s) { return {Curve::easeOut, s}; }
    static constexpr Animation easeInOut(double s) { return {Curve::easeInOut, s}; }
    bool operator==(const Animation&) const = default;
};

} // namespace tavrin
