#include "session/ReadingSettings.h"

#include "settings/SettingsFile.h"

#include <utility>

namespace tavrin {

ReadingSettings::ReadingSettings(std::optional<QString> path, FieldNotifier notify)
    : m_path(std::move(path)), m_notify(std::move(notify))
{}

template<typename T> void ReadingSettings::assign(T& member, T value, SessionField field)
{
    if (assignField(member, std::move(value), field, m_notify)) {
        save();
    }
}

void ReadingSettings::setBackgroundColor(ColorData color)
{
    assign(m_data.backgroundColor, color, SessionField::backgroundColor);
}

void ReadingSettings::setTextColor(ColorData color)
{
    assign(m_data.textColor, color, SessionField::textColor);
}

void ReadingSettings::setOrpColor(ColorData color)
{
    assign(m_data.orpColor, color, SessionField::orpColor);
}

void ReadingSettings::setSelectedFont(std::string font)
{
    assign(m_data.selectedFont, std::move(font), SessionField::selectedFont);
}

void ReadingSettings::setFontSize(double size)
{
    assign(m_data.fontSize, size, SessionField::fontSize);
}

void ReadingSettings::setWpm(double wpm)
{
    assign(m_data.wpm, wpm, SessionField::wpm);
}

void ReadingSettings::load()
{
    if (!m_path) {
        return;
    }
    const auto loaded = SettingsFile::load(*m_path);
    if (!loaded) {
        return;
    }
    // In the setters' order, but one write of the file for all six.
    bool changed = false;
    const auto take = [&](auto& member, auto value, SessionField field) {
        changed = assignField(member, std::move(value), field, m_notify) || changed;
    };
    take(m_data.selectedFont, loaded->selectedFont, SessionField::selectedFont);
    take(m_data.fontSize, loaded->fontSize, SessionField::fontSize);
    take(m_data.wpm, loaded->wpm, SessionField::wpm);
    take(m_data.backgroundColor, loaded->backgroundColor, SessionField::backgroundColor);
    take(m_data.textColor, loaded->textColor, SessionField::textColor);
    take(m_data.orpColor, loaded->orpColor, SessionField::orpColor);
    if (changed) {
        save();
    }
}

void ReadingSettings::save()
{
    if (!m_path) {
        return;
    }
    // A value JSON cannot hold comes only from a hand-edited file and is not the reader's
    // problem to hear of; the file then stays as it was.
    if (const auto saved = SettingsFile::save(*m_path, m_data);
        !saved && saveFailed && SettingsFile::encode(m_data)) {
        saveFailed(saved.error());
    }
}

} // namespace tavrin
