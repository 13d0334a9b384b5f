#include "library/TextFitting.h"

#include "widgets/PanelStyle.h"

#include <QFontMetricsF>

#include <gtest/gtest.h>

#include <tuple>

namespace tavrin {
namespace {

double widest(const QStringList& lines, const QFont& font)
{
    double result = 0.0;
    for (const QString& line : lines) {
        result = std::max(result, QFontMetricsF(font).horizontalAdvance(line));
    }
    return result;
}

TEST(TextFittingTest, WrapBreaksAWordTooLongForALine)
{
    const QFont font = PanelStyle::systemFont(13, QFont::Bold);
    const QStringList lines =
        TextFitting::wrap(QStringLiteral("Supercalifragilisticexpialidocious"), font, 60.0, 4);
    EXPECT_GT(lines.size(), 1);
    EXPECT_LE(widest(lines, font), 60.0 + 0.5);
}

TEST(TextFittingTest, ShrinksBeforeItCutsAndStaysInsideTheBox)
{
    const QFont font = PanelStyle::systemFont(13, QFont::Bold);
    const QString word = QStringLiteral("WWWWWWW");
    const double wordWidth = QFontMetricsF(font).horizontalAdvance(word);
    const QString five = QStringList(5, word).join(QLatin1Char(' '));
    const QString three = QStringList(3, word).join(QLatin1Char(' '));
    const QString epic = QStringList(60, QStringLiteral("WAR AND PEACE")).join(QLatin1Char(' '));
    // (case, text, width, height, expected lines, whether cut with an ellipsis, whether shrunk)
    const std::tuple<const char*, QString, double, double, qsizetype, bool, bool> cases[] = {
        // One word a line at full size: five lines; shrunk by about a quarter, two fit.
        {"too many lines", five, wordWidth * 1.6, 500.0, 3, false, true},
        // Three lines fit the width at full size but not the height.
        {"too high", three, wordWidth * 1.2, TextFitting::linesHeight(font, 3) * 0.7, 3, false,
         true},
        {"fits as it is", three, wordWidth * 1.2, 500.0, 3, false, false},
        {"too long even at the smallest size", epic, 120.0, 500.0, 4, true, true},
        // Cut to the lines that the height holds at the smallest size.
        {"too long and too high", epic, 120.0, TextFitting::linesHeight(font, 2) * 0.6 + 1, 2, true,
         true},
    };
    for (const auto& [name, text, width, height, lines, cut, shrunk] : cases) {
        SCOPED_TRACE(name);
        const auto fitted = TextFitting::fit(text, font, width, height, 4, 0.6);
        EXPECT_EQ(fitted.lines.size(), lines);
        EXPECT_EQ(fitted.scale < 1.0, shrunk);
        EXPECT_GE(fitted.scale, 0.6);
        EXPECT_LE(widest(fitted.lines, font) * fitted.scale, width + 0.5);
        EXPECT_LE(TextFitting::linesHeight(font, static_cast<int>(fitted.lines.size())) *
                      fitted.scale,
                  height + 0.5);
        EXPECT_EQ(fitted.lines.join(QLatin1Char(' ')) != text, cut);
        EXPECT_EQ(fitted.lines.last().endsWith(QChar(0x2026)), cut);
    }
}

} // namespace
} // namespace tavrin
