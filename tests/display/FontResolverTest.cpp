#include "display/FontResolver.h"

#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontInfo>

#include <utility>
#include <vector>

namespace tavrin {
namespace {

// The reader's font list resolves to the metric-compatible faces that scripts/install-deps
// installs; names with no such face are missing, not silently drawn in some other font.
TEST(FontResolverTest, FindsTheFaceThatStandsForTheName)
{
    const std::pair<const char*, std::vector<const char*>> cases[] = {
        {"Liberation Sans", {"Arial", "arial"}},
        {"Nimbus Sans", {"Helvetica"}},
        {"Liberation Mono", {"Courier New", "Liberation Mono"}},
        {"Liberation Serif", {"Times New Roman"}},
        {"P052", {"Palatino"}},
        {"Noto Serif", {"Georgia"}},
        {"DejaVu Sans", {"DejaVu Sans"}},
        {"", {"Tavrin No Such Font", "", "   "}}};
    for (const auto& [installed, requested] : cases) {
        for (const char* name : requested) {
            EXPECT_EQ(FontResolver::installedFamily(QString::fromUtf8(name)),
                      QString::fromUtf8(installed))
                << name;
        }
    }
}

TEST(FontResolverTest, MissingFamilyFallsBackToFixedPitchAtRequestedSize)
{
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    for (const qreal size : {12.0, 60.0, 137.5}) {
        const QFont font = FontResolver::resolve(QStringLiteral("Tavrin No Such Font"), size);
        EXPECT_EQ(font.family(), fixed.family());
        EXPECT_EQ(font.pixelSize(), std::lround(size)); // device-independent pixels
        EXPECT_TRUE(QFontInfo(font).fixedPitch());
    }
}

} // namespace
} // namespace tavrin
