#pragma once

namespace tavrin {

/// The second columns of the settings panel, in the order their rows appear.
enum class SettingsSubPanel
{
    background,
    textColor,
    highlight,
    controls
};

} // namespace tavrin
