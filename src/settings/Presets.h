#pragma once

#include "settings/ColorData.h"

#include <string>
#include <vector>

namespace tavrin::Presets {

/// A colour swatch offered by the settings panel.
struct NamedColor
{
    std::string name;
    ColorData color;
};

/// "Arial", "Helvetica", "Georgia", "Courier New", "Times New Roman", "Palatino".
const std::vector<std::string>& availableFonts();
const std::vector<NamedColor>& backgroundPresets();
const std::vector<NamedColor>& textPresets();
/// "Red", "Orange", "Yellow", "Green", "Blue": the standard colours below.
const std::vector<NamedColor>& highlightPresets();

/// The standard colours, as fixed sRGB components: the pure primaries and their mixes at full
/// opacity (orange is red with half green). standardRed() is the initial highlight colour.
ColorData standardRed();
ColorData standardOrange();
ColorData standardYellow();
ColorData standardGreen();
ColorData standardBlue();

} // namespace tavrin::Presets
