#pragma once

#include <QString>

namespace tavrin::DataLocation {

/// The per-user directory that holds the token caches, covers and "settings.json": the
/// platform's generic data location joined with "Tavrin" (~/.local/share/Tavrin/ on Linux,
/// honouring XDG_DATA_HOME), with a trailing separator. Empty when the platform reports no
/// such location; callers then skip every file they would have read or written there.
QString appSupportDir();

} // namespace tavrin::DataLocation
