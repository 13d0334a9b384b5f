#include "display/FontResolver.h"

#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontInfo>

#include <utility>

namespace tavrin {
namespace {

// The reader's font list resolves to the metric-compatible faces that scripts/install-deps
// installs; names with no such face are missing, not silently drawn in some other font.
TEST(FontResolverTest, FindsTheFaceThatStandsForTheName)
{
    const std::pair<const char*, const char*> cases[] = {
        {"Arial", "Liberation Sans"},
        {"arial", "Liberation Sans"},
        {"Helvetica", "Nimbus Sans"},
        {"Courier New", "Liberation Mono"},
        {"Times New Roman", "Liberation Serif"},
        {"Palatino", "P052"},
        {"Georgia", "Noto Serif"},
        {"DejaVu Sans", "DejaVu Sans"},
        {"Liberation Mono", "Liberation Mono"},
        {"Tavrin No Such Font", ""},
        {"", ""},
        {"   ", ""},
    };
    for (const auto& [requested, installed] : cases) {
        EXPECT_EQ(FontResolver::installedFamily(QString::fromUtf8(requested)),
                  QString::fromUtf8(installed))
            << requested;
    }
}

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
