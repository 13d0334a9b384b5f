#include "SessionFixture.h"

#include "library/FileSizeLimit.h"
#include "settings/Presets.h"
#include "settings/SettingsFile.h"

#include <QFile>

#include <functional>
#include <ranges>

namespace tavrin::test {
namespace {

using Field = ReaderSession::Field;

class SessionSettingsTest : public SessionFixture
{
protected:
    QByteArray fileBytes() const
    {
        QFile file(settingsPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    std::vector<Field> changedFields() const
    {
        const auto fields = std::views::keys(changes);
        return {fields.begin(), fields.end()};
    }
};

TEST_F(SessionSettingsTest, EachChangeWritesTheFileAndAnUnchangedValueDoesNot)
{
    const std::function<void(const SettingsData&)> setters[] = {
        [this](const auto& d) { session.setSelectedFont(d.selectedFont); },
        [this](const auto& d) { session.setFontSize(d.fontSize); },
        [this](const auto& d) { session.setWpm(d.wpm); },
        [this](const auto& d) { session.setBackgroundColor(d.backgroundColor); },
        [this](const auto& d) { session.setTextColor(d.textColor); },
        [this](const auto& d) { session.setOrpColor(d.orpColor); },
    };
    const SettingsData initial = session.settingsData();
    const ColorData grey{0.8, 0.8, 0.8, 1.0};
    const SettingsData next{"Georgia", 48.0, 450.0, grey, grey, Presets::standardBlue()};
    for (const auto& set : setters) {
        set(initial);
        EXPECT_FALSE(QFile::exists(settingsPath()));
    }
    for (const auto& set : setters) {
        set(next);
        EXPECT_EQ(SettingsFile::load(settingsPath()), session.settingsData());
    }
    EXPECT_EQ(session.settingsData(), next);
    EXPECT_EQ(changedFields(),
              (std::vector<Field>{Field::selectedFont, Field::fontSize, Field::wpm,
                                  Field::backgroundColor, Field::textColor, Field::orpColor}));
}

TEST_F(SessionSettingsTest, LoadAssignsInOrderAndRewritesTheFile)
{
    // Out-of-range values are taken as they stand: only keyboard steps are limited.
    const QByteArray json = R"({"wpm":5,"fontSize":500,"selectedFont":"Georgia","extra":[1,2],)"
                            R"("backgroundColor":{"r":0.05,"g":0.05,"b":0.2,"a":1},)"
                            R"("textColor":{"r":0.8,"g":0.8,"b":0.8,"a":1},)"
                            R"("orpColor":{"r":0,"g":0,"b":1,"a":1}})";
    QFile file(settingsPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(json) == json.size());
    file.close();

    // A session without a settings file neither reads nor writes one.
    ReaderSession detached(library, clock, std::nullopt);
    detached.loadSettings();
    detached.setWpm(320.0);
    EXPECT_EQ(detached.wpm(), 320.0);
    EXPECT_EQ(fileBytes(), json);

    session.loadSettings();
    EXPECT_EQ(changedFields(),
              (std::vector<Field>{Field::selectedFont, Field::fontSize, Field::wpm,
                                  Field::backgroundColor, Field::textColor, Field::orpColor}));
    const SettingsData expected{
        "Georgia", 500.0, 5.0, {0.05, 0.05, 0.2, 1.0}, {0.8, 0.8, 0.8, 1.0}, {0.0, 0.0, 1.0, 1.0}};
    EXPECT_EQ(session.settingsData(), expected);
    EXPECT_EQ(SettingsFile::load(settingsPath()), expected);
    EXPECT_FALSE(fileBytes().contains("extra"));
}

TEST_F(SessionSettingsTest, AWriteThatFailsIsShownAndTheChangeStays)
{
    open(makeTokens(5));
    {
        const FileSizeLimit diskFull(0);
        session.setWpm(420.0);
        EXPECT_EQ(session.feedbackText(), "Couldn't save the settings: disk full");
        session.handleSkip(true);
        EXPECT_EQ(session.feedbackText(), "Couldn't save the library: disk full");
    }
    EXPECT_EQ(session.wpm(), 420.0);
    EXPECT_EQ(session.currentIndex(), 4);
}

} // namespace
} // namespace tavrin::test
