#include "display/HighlightSpan.h"

#include <gtest/gtest.h>

#include <QString>

#include <string>
#include <tuple>

namespace tavrin {
namespace {

TEST(HighlightSpanTest, SelectsOneUserPerceivedCharacter)
{
    const std::tuple<const char16_t*, int, HighlightSpan> cases[] = {
        {u"a", 0, {0, 1}},
        {u"the", 1, {1, 2}},
        {u"abc", 9, {2, 3}},  // past the end: the last one
        {u"abc", -3, {0, 1}}, // negative: the first one
        {u"e\u0301xo", 1, {2, 3}},
        {u"xe\u0301\u0308o", 1, {1, 4}},
        {u"\U0001F600o", 1, {2, 3}},
        {u"o\U0001F44D\U0001F3FDo", 1, {1, 5}},
        {u"\U0001F468\u200D\U0001F469\u200D\U0001F467x", 1, {8, 9}},
        {u"\U0001F1EB\U0001F1F7\U0001F1E9\U0001F1EA", 1, {4, 8}},
        {u"\u05E9\u05DC\u05D5\u05DD", 1, {1, 2}},
    };
    for (const auto& [word, orpIdx, span] : cases) {
        EXPECT_EQ(highlightSpan(QString::fromUtf16(word), orpIdx), span)
            << QString::fromUtf16(word).toStdString() << " " << orpIdx;
    }
    EXPECT_FALSE(highlightSpan(QString(), 0));
}

TEST(DrawablePrefixTest, CutsOnlyAtCharacterBoundariesOutsideSurrogatePairs)
{
    const QString word = QStringLiteral("internationalization");
    const QString accents = QString::fromUtf16(u"e\u0301").repeated(100); // cuts at even offsets
    const QString emoji = QString::fromUtf16(u"\U0001F600").repeated(100);
    const QString flags = QString::fromUtf16(u"\U0001F1EB\U0001F1F7").repeated(50); // 4 units each
    const QString marks = QStringLiteral("a") + QString(10'000, QChar(0x0301));     // one character
    // Man, ZWJ, man, ZWJ, … joins into one character; offset 3 starts a surrogate pair.
    const QString chain = QString::fromUtf16(u"\U0001F468\u200D").repeated(100);
    const std::tuple<QString, qsizetype, qsizetype> cases[] = {
        {word, 20, 20},  {word, 4096, 20}, {word, 6, 6},      {accents, 51, 50}, {accents, 50, 50},
        {emoji, 33, 32}, {flags, 10, 8},   {marks, 100, 100}, {chain, 4, 3},
    };
    for (const auto& [text, maxUnits, size] : cases) {
        EXPECT_EQ(drawablePrefix(text, maxUnits), text.first(size)) << maxUnits;
    }
}

} // namespace
} // namespace tavrin
