#include "display/FontResolver.h"

#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontInfo>

#include <utility>
#include <vector>

namespace tavrin {
namespace {

// The reader's font list resolves to the metric-compatible faces that scripts/install-deps
// installs; names with no such face are missing, and drawn in a fixed-pitch face.
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
    const QFont font = FontResolver::resolve(QStringLiteral("Tavrin No Such Font"), 137.5);
    EXPECT_EQ(font.family(), QFontDatabase::systemFont(QFontDatabase::FixedFont).family());
    EXPECT_EQ(font.pixelSize(), 138); // device-independent pixels
    EXPECT_TRUE(QFontInfo(font).fixedPitch());
}

} // namespace
} // namespace tavrin
