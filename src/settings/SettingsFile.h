#pragma once

#include "common/Result.h"
#include "common/WriteError.h"

#include "settings/SettingsData.h"

#include <QString>

#include <optional>
#include <string>
#include <string_view>

namespace tavrin::SettingsFile {

/// "settings.json" in the data directory; empty when there is no data directory.
QString defaultPath();

/// Reads the file strictly; nullopt when it cannot be read or decoded.
std::optional<SettingsData> load(const QString& path);

/// Replaces the file in one step (a temporary file renamed over it). A failed write leaves
/// the previous file whole.
Status<WriteError> save(const QString& path, const SettingsData& settings);

/// The compact JSON object: "selectedFont", "fontSize", "wpm", "backgroundColor",
/// "textColor", "orpColor", colours as {"r","g","b","a"}, in that order. Every number reads
/// back as the same double. nullopt for a value JSON cannot hold (NaN, infinity) or a font
/// name that is not valid UTF-8.
std::optional<std::string> encode(const SettingsData& settings);

/// All six members and the four members of each colour are required; a number without a
/// fraction reads as the same double; other members are ignored.
std::optional<SettingsData> decode(std::string_view json);

} // namespace tavrin::SettingsFile
