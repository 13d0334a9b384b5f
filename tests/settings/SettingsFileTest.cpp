#include "settings/SettingsFile.h"

#include "library/FileSizeLimit.h"
#include "settings/Presets.h"
#include "support/TestHome.h"

#include <QDir>

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <iomanip>
#include <limits>
#include <sstream>
#include <utility>
#include <vector>

namespace tavrin {
namespace {

const std::string kStored =
    R"({"selectedFont":"Georgia","fontSize":48,"wpm":5,)"
    R"("backgroundColor":{"r":0.05,"g":0.05,"b":0.2,"a":1},)"
    R"("textColor":{"r":1,"g":1,"b":1,"a":1},"orpColor":{"r":1,"g":0,"b":0,"a":1}})";

std::string replaced(std::string json, const std::string& from, const std::string& to)
{
    const auto at = json.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    json.replace(at, from.size(), to);
    return json;
}

TEST(PresetsTest, SwatchesAreTheDesignedColours)
{
    const auto named = [](const std::vector<Presets::NamedColor>& presets) {
        std::ostringstream out;
        out << std::setprecision(15);
        for (const auto& p : presets) {
            out << p.name << ' ' << p.color.r << ' ' << p.color.g << ' ' << p.color.b << ' '
                << p.color.a << ';';
        }
        return out.str();
    };
    EXPECT_EQ(named(Presets::backgroundPresets()),
              "Black 0 0 0 1;Dark Gray 0.15 0.15 0.15 1;Warm Dark 0.12 0.1 0.08 1;"
              "Navy 0.05 0.05 0.2 1;White 1 1 1 1;Cream 0.98 0.96 0.9 1;");
    EXPECT_EQ(named(Presets::textPresets()), "White 1 1 1 1;Cream 0.98 0.96 0.9 1;"
                                             "Light Gray 0.8 0.8 0.8 1;Black 0 0 0 1;"
                                             "Soft Yellow 1 0.95 0.7 1;");
    EXPECT_EQ(named(Presets::highlightPresets()),
              "Red 1 0 0 1;Orange 1 0.5 0 1;Yellow 1 1 0 1;Green 0 1 0 1;Blue 0 0 1 1;");
}

TEST(SettingsFileTest, WritesAllSixKeysCompactlyInOrder)
{
    SettingsData settings;
    settings.backgroundColor = Presets::backgroundPresets().at(3).color;
    EXPECT_EQ(SettingsFile::encode(settings),
              R"({"selectedFont":"Courier New","fontSize":60.0,"wpm":300.0,)"
              R"("backgroundColor":{"r":0.05,"g":0.05,"b":0.2,"a":1.0},)"
              R"("textColor":{"r":1.0,"g":1.0,"b":1.0,"a":1.0},)"
              R"("orpColor":{"r":1.0,"g":0.0,"b":0.0,"a":1.0}})");
}

TEST(SettingsFileTest, EveryNumberReadsBackExactlyAndWhatJsonCannotHoldIsNotWritten)
{
    for (const double v : {0.1, 1.0 / 3.0, 0.05, -0.0, 22.000000000000004, 5e-324,
                           std::numeric_limits<double>::max(), 9007199254740993.0}) {
        SCOPED_TRACE(v);
        SettingsData settings;
        settings.fontSize = v;
        settings.wpm = -v;
        settings.textColor = {v, v / 7.0, v * 0.3, 1.0 - v};
        const auto back = SettingsFile::decode(SettingsFile::encode(settings).value_or(""));
        ASSERT_TRUE(back);
        EXPECT_EQ(std::bit_cast<std::uint64_t>(back->fontSize), std::bit_cast<std::uint64_t>(v));
        EXPECT_EQ(std::bit_cast<std::uint64_t>(back->wpm), std::bit_cast<std::uint64_t>(-v));
        EXPECT_EQ(back->textColor, settings.textColor);
    }
    SettingsData nan, infinite, badText;
    nan.orpColor.a = std::nan("");
    infinite.orpColor.a = std::numeric_limits<double>::infinity();
    badText.selectedFont = "Bad \xFF";
    for (const SettingsData& bad : {nan, infinite, badText}) {
        EXPECT_FALSE(SettingsFile::encode(bad));
    }
}

// Which member goes where, other members and values out of the sliders' range are the session's
// load test; a colour without alpha, its test of an incomplete file.
TEST(SettingsFileTest, ReadsWholeNumbersInAnyOrder)
{
    const auto loaded = SettingsFile::decode(kStored);
    ASSERT_TRUE(loaded);
    const auto reordered = SettingsFile::decode(
        R"({"orpColor":{"a":1,"b":0,"g":0,"r":1},"wpm":5,"textColor":{"a":1,"r":1,"g":1,"b":1},)"
        R"("fontSize":4.8e1,"backgroundColor":{"b":0.2,"a":1,"r":0.05,"g":0.05},)"
        R"("selectedFont":"Georgia"})");
    EXPECT_EQ(reordered, loaded);
    EXPECT_EQ(SettingsFile::decode("\xEF\xBB\xBF" + kStored), loaded); // an editor's BOM
    EXPECT_EQ(SettingsFile::decode(replaced(kStored, "48", "18446744073709551615"))->fontSize,
              18446744073709551615.0);
}

TEST(SettingsFileTest, RejectsTheWholeFileOnAnyMissingOrMistypedValue)
{
    const std::pair<std::string, std::string> edits[] = {
        {R"("selectedFont":"Georgia",)", ""},
        {R"("fontSize":48,)", ""},
        {R"("backgroundColor":{"r":0.05,"g":0.05,"b":0.2,"a":1},)", ""},
        {R"(,"orpColor":{"r":1,"g":0,"b":0,"a":1})", ""},
        {R"("b":0.2,"a":1})", R"("b":0.2})"},
        {R"("Georgia")", "7"},
        {"48", R"("48")"},
        {":5,", ":true,"},
        {R"({"r":1,"g":1,"b":1,"a":1})", "[1,1,1,1]"},
        {R"({"r":1,)", R"({"r":"1",)"},
        {R"({"r":0.05,)", R"({"r":null,)"},
        {R"("Georgia")", "\"Geor\xC3\x28gia\""},
        {"48", "1e400"},
        {R"("wpm":5)", R"("wpm":5,"x":)" + std::string(9000, '[') + std::string(9000, ']')}};
    std::vector<std::string> cases{kStored.substr(0, kStored.size() / 2), kStored + "}",
                                   "[" + kStored + "]", "", std::string(50000, '{')};
    for (const auto& [from, to] : edits) {
        cases.push_back(replaced(kStored, from, to));
    }
    for (const auto& json : cases) {
        SCOPED_TRACE(json.substr(0, 120));
        EXPECT_FALSE(SettingsFile::decode(json));
    }
}

TEST(SettingsFileTest, SavesAndLoadsTheFileInTheDataDirectoryAndAFailedSaveKeepsIt)
{
    test::TestHome home;
    const QString path = SettingsFile::defaultPath();
    EXPECT_EQ(path, home.dataDir() + QStringLiteral("/settings.json"));
    EXPECT_FALSE(SettingsFile::load(path));
    // This layer creates no directory: the library store does.
    EXPECT_FALSE(SettingsFile::save(path, SettingsData{}));
    ASSERT_TRUE(QDir().mkpath(home.dataDir()));

    SettingsData settings;
    settings.selectedFont = "Palatino";
    settings.fontSize = 22.0;
    settings.textColor = {1.0, 0.95, 0.7, 1.0};
    ASSERT_TRUE(SettingsFile::save(path, settings));
    EXPECT_EQ(SettingsFile::load(path), settings);

    SettingsData broken = settings;
    broken.wpm = std::nan("");
    EXPECT_FALSE(SettingsFile::save(path, broken));
    EXPECT_EQ(SettingsFile::load(path), settings);
    SettingsData longer = settings;
    longer.selectedFont = std::string(10'000, 'F');
    {
        const test::FileSizeLimit diskFull(1024);
        EXPECT_FALSE(SettingsFile::save(path, longer));
    }
    EXPECT_EQ(SettingsFile::load(path), settings);
    // Nothing but the file itself is left in the directory.
    EXPECT_EQ(QDir(home.dataDir()).entryList(QDir::Files),
              QStringList{QStringLiteral("settings.json")});
    EXPECT_FALSE(SettingsFile::save(QString(), settings));
    EXPECT_FALSE(SettingsFile::load(QString()));
}

} // namespace
} // namespace tavrin
