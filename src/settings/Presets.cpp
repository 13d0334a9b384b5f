#include "settings/Presets.h"

namespace tavrin::Presets {

namespace {

constexpr ColorData kStandardRed{1.0, 0.0, 0.0, 1.0};
constexpr ColorData kStandardOrange{1.0, 0.5, 0.0, 1.0};
constexpr ColorData kStandardYellow{1.0, 1.0, 0.0, 1.0};
constexpr ColorData kStandardGreen{0.0, 1.0, 0.0, 1.0};
constexpr ColorData kStandardBlue{0.0, 0.0, 1.0, 1.0};

ColorData opaque(double r, double g, double b)
{
    return ColorData{r, g, b, 1.0};
}

} // namespace

const std::vector<std::string>& availableFonts()
{
    static const std::vector<std::string> fonts{"Arial",       "Helvetica",       "Georgia",
                                                "Courier New", "Times New Roman", "Palatino"};
    return fonts;
}

const std::vector<NamedColor>& backgroundPresets()
{
    static const std::vector<NamedColor> presets{
        {"Black", opaque(0.0, 0.0, 0.0)},       {"Dark Gray", opaque(0.15, 0.15, 0.15)},
        {"Warm Dark", opaque(0.12, 0.1, 0.08)}, {"Navy", opaque(0.05, 0.05, 0.2)},
        {"White", opaque(1.0, 1.0, 1.0)},       {"Cream", opaque(0.98, 0.96, 0.9)},
    };
    return presets;
}

const std::vector<NamedColor>& textPresets()
{
    static const std::vector<NamedColor> presets{
        {"White", opaque(1.0, 1.0, 1.0)},        {"Cream", opaque(0.98, 0.96, 0.9)},
        {"Light Gray", opaque(0.8, 0.8, 0.8)},   {"Black", opaque(0.0, 0.0, 0.0)},
        {"Soft Yellow", opaque(1.0, 0.95, 0.7)},
    };
    return presets;
}

const std::vector<NamedColor>& highlightPresets()
{
    static const std::vector<NamedColor> presets{
        {"Red", kStandardRed},     {"Orange", kStandardOrange}, {"Yellow", kStandardYellow},
        {"Green", kStandardGreen}, {"Blue", kStandardBlue},
    };
    return presets;
}

ColorData standardRed()
{
    return kStandardRed;
}

ColorData standardOrange()
{
    return kStandardOrange;
}

ColorData standardYellow()
{
    return kStandardYellow;
}

ColorData standardGreen()
{
    return kStandardGreen;
}

ColorData standardBlue()
{
    return kStandardBlue;
}

} // namespace tavrin::Presets
