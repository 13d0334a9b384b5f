#include "library/TextFitting.h"

#include "widgets/PanelStyle.h"

#include <QFontMetricsF>

#include <gtest/gtest.h>

namespace tavrin {
namespace {

QFont coverFont()
{
    return PanelStyle::systemFont(13, QFont::Bold);
}

double widest(const QStringList& lines, const QFont& font)
{
    double result = 0.0;
    for (const QString& line : lines) {
        result = std::max(result, QFontMetricsF(font).horizontalAdvance(line));
    }
    return result;
}

TEST(TextFittingTest, WrapStaysWithinTheWidth)
{
    // Cut at the last allowed line with an ellipsis.
    QStringList lines = TextFitting::wrap(
        QStringLiteral("one two three four five six seven eight nine ten"), coverFont(), 80.0, 2);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[1].endsWith(QChar(0x2026))) << lines[1].toStdString();
    EXPECT_LE(widest(lines, coverFont()), 80.0 + 0.5);
    // A word too long for a line is broken.
    lines = TextFitting::wrap(QStringLiteral("Supercalifragilisticexpialidocious"), coverFont(),
                              60.0, 4);
    EXPECT_GT(lines.size(), 1);
    EXPECT_LE(widest(lines, coverFont()), 60.0 + 0.5);
}

TEST(TextFittingTest, LongTextShrinksBeforeItIsCut)
{
    const QFont font = coverFont();
    // Five words of which only one fits a line at full size: five lines. Shrunk by about a
    // quarter, two fit.
    const QString word = QStringLiteral("WWWWWWW");
    const double width = QFontMetricsF(font).horizontalAdvance(word) * 1.6;
    const QString text = QStringList(5, word).join(QLatin1Char(' '));
    const auto fitted = TextFitting::fit(text, font, width, 500.0, 4, 0.6);
    EXPECT_LT(fitted.scale, 1.0);
    EXPECT_GE(fitted.scale, 0.6);
    EXPECT_LE(fitted.lines.size(), 4);
    EXPECT_EQ(fitted.lines.join(QLatin1Char(' ')), text); // nothing cut
    EXPECT_LE(widest(fitted.lines, font) * fitted.scale, width + 0.5);
}

TEST(TextFittingTest, TextTooLongEvenAtTheSmallestSizeIsCutAtFourLines)
{
    const QFont font = coverFont();
    const QString text = QStringList(60, QStringLiteral("WAR AND PEACE")).join(QLatin1Char(' '));
    const auto fitted = TextFitting::fit(text, font, 120.0, 500.0, 4, 0.6);
    EXPECT_DOUBLE_EQ(fitted.scale, 0.6);
    ASSERT_EQ(fitted.lines.size(), 4);
    EXPECT_TRUE(fitted.lines.last().endsWith(QChar(0x2026)));
    EXPECT_LE(widest(fitted.lines, font) * fitted.scale, 120.0 + 0.5);
}

} // namespace
} // namespace tavrin
