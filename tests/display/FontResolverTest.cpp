#include "display/FontResolver.h"

#include "support/CaseName.h"

#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontInfo>

#include <string>

namespace tavrin {
namespace {

struct FamilyCase
{
    const char* requested;
    const char* installed; // empty: not installed
};

class InstalledFamily : public testing::TestWithParam<FamilyCase>
{};

// The reader's font list resolves to the metric-compatible faces that scripts/install-deps
// installs; names with no such face are missing, not silently drawn in some other font.
TEST_P(InstalledFamily, FindsTheFaceThatStandsForTheName)
{
    EXPECT_EQ(FontResolver::installedFamily(QString::fromUtf8(GetParam().requested)),
              QString::fromUtf8(GetParam().installed));
}

INSTANTIATE_TEST_SUITE_P(Families, InstalledFamily,
                         testing::Values(FamilyCase{"Arial", "Liberation Sans"},
                                         FamilyCase{"arial", "Liberation Sans"},
                                         FamilyCase{"Helvetica", "Nimbus Sans"},
                                         FamilyCase{"Courier New", "Liberation Mono"},
                                         FamilyCase{"Times New Roman", "Liberation Serif"},
                                         FamilyCase{"Palatino", "P052"},
                                         FamilyCase{"Georgia", "Noto Serif"},
                                         FamilyCase{"DejaVu Sans", "DejaVu Sans"},
                                         FamilyCase{"Liberation Mono", "Liberation Mono"},
                                         FamilyCase{"Tavrin No Such Font", ""}, FamilyCase{"", ""},
                                         FamilyCase{"   ", ""}),
                         [](const auto& c) { return test::caseName(c.param.requested, c.index); });

TEST(FontResolverTest, MissingFamilyFallsBackToFixedPitchAtRequestedSize)
{
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    for (const qreal size : {12.0, 60.0, 137.5}) {
        const QFont font = FontResolver::resolve(QStringLiteral("Tavrin No Such Font"), size);
        EXPECT_EQ(font.family(), fixed.family());
        EXPECT_EQ(font.pixelSize(), std::lround(size)); // device-independent pixels
        EXPECT_EQ(font.weight(), QFont::Normal);
        EXPECT_EQ(font.style(), QFont::StyleNormal);
        EXPECT_TRUE(QFontInfo(font).fixedPitch());
    }
}

} // namespace
} // namespace tavrin
