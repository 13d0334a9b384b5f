#include "SessionFixture.h"

#include "library/FileSizeLimit.h"
#include "settings/Presets.h"
#include "settings/SettingsFile.h"

#include <QFile>

#include <functional>

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
        std::vector<Field> fields;
        for (const auto& change : changes) {
            fields.push_back(change.first);
        }
        return fields;
    }
};

TEST_F(SessionSettingsTest, EachChangeWritesTheFileAndAnUnchangedValueDoesNot)
{
    // Each setter is given the initial value (false) or a new one (true).
    const ColorData grey{0.8, 0.8, 0.8, 1.0};
    const struct
    {
        Field field;
        std::function<void(ReaderSession&, bool)> set;
    } cases[] = {
        {Field::selectedFont,
         [](auto& s, bool n) { s.setSelectedFont(n ? "Georgia" : "Courier New"); }},
        {Field::fontSize, [](auto& s, bool n) { s.setFontSize(n ? 48.0 : 60.0); }},
        {Field::wpm, [](auto& s, bool n) { s.setWpm(n ? 450.0 : 300.0); }},
        {Field::backgroundColor,
         [&](auto& s, bool n) {
             s.setBackgroundColor(n ? grey : ColorData{0, 0, 0, 1});
         }},
        {Field::textColor,
         [&](auto& s, bool n) {
             s.setTextColor(n ? grey : ColorData{1, 1, 1, 1});
         }},
        {Field::orpColor,
         [](auto& s, bool n) {
             s.setOrpColor(n ? Presets::standardBlue() : Presets::standardRed());
         }},
    };
    for (const auto& c : cases) {
        clearRecords();
        c.set(session, false);
        EXPECT_FALSE(QFile::exists(settingsPath())) << "an unchanged value writes nothing";
        EXPECT_TRUE(changes.empty());

        c.set(session, true);
        EXPECT_EQ(changedFields(), std::vector<Field>{c.field});
        EXPECT_EQ(SettingsFile::load(settingsPath()), session.settingsData());
        c.set(session, false); // back to the initial value for the next case
        ASSERT_TRUE(QFile::remove(settingsPath()));
    }
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
