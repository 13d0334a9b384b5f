#pragma once

#include "settings/ColorData.h"

#include <string>

namespace tavrin {

/// The six reading settings as stored in "settings.json".
struct SettingsData
{
    std::string selectedFont = "Courier New";
    double fontSize = 60.0;
    double wpm = 300.0;
    ColorData backgroundColor{0.0, 0.0, 0.0, 1.0};
    ColorData textColor{1.0, 1.0, 1.0, 1.0};
    ColorData orpColor{1.0, 0.0, 0.0, 1.0};

    bool operator==(const SettingsData&) const = default;
};

} // namespace tavrin
