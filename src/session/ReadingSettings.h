#pragma once

#include "common/WriteError.h"
#include "session/SessionField.h"
#include "settings/SettingsData.h"

#include <QString>

#include <functional>
#include <optional>
#include <string>

namespace tavrin {

/// The six reading settings and the file that keeps them. A change of a value writes the
/// file once; setting a value equal to the current one changes nothing and writes nothing.
class ReadingSettings
{
public:
    /// path: the settings file; std::nullopt = nothing is read or written.
    ReadingSettings(std::optional<QString> path, FieldNotifier notify);

    const SettingsData& data() const { return m_data; }

    void setBackgroundColor(ColorData color);
    void setTextColor(ColorData color);
    void setOrpColor(ColorData color);
    void setSelectedFont(std::string font);
    void setFontSize(double size);
    void setWpm(double wpm);

    /// Applies the settings file, if it reads whole: each changed value is reported as its
    /// setter would, and the file is written once.
    void load();
    void save();

    /// A change could not be written to the file; it stays in effect for this run.
    std::function<void(WriteError)> saveFailed;

private:
    template<typename T> void assign(T& member, T value, SessionField field);

    std::optional<QString> m_path;
    FieldNotifier m_notify;
    SettingsData m_data;
};

} // namespace tavrin
