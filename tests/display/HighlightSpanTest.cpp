#include "display/HighlightSpan.h"

#include <gtest/gtest.h>

#include <QString>

#include <string>

namespace tavrin {
namespace {

struct SpanCase
{
    const char* name;
    const char16_t* word;
    int orpIdx;
    HighlightSpan span;
};

class HighlightSpanCases : public testing::TestWithParam<SpanCase>
{};

TEST_P(HighlightSpanCases, SelectsOneUserPerceivedCharacter)
{
    const auto span = highlightSpan(QString::fromUtf16(GetParam().word), GetParam().orpIdx);
    ASSERT_TRUE(span.has_value());
    EXPECT_EQ(span->start, GetParam().span.start);
    EXPECT_EQ(span->end, GetParam().span.end);
}

INSTANTIATE_TEST_SUITE_P(
    Words, HighlightSpanCases,
    testing::Values(
        SpanCase{"single", u"a", 0, {0, 1}}, SpanCase{"the", u"the", 1, {1, 2}},
        SpanCase{"pastTheEndClamps", u"abc", 9, {2, 3}},
        SpanCase{"oneLetterClamps", u"a", 4, {0, 1}},
        SpanCase{"negativeIsFirst", u"abc", -3, {0, 1}},
        SpanCase{"accentBefore", u"e\u0301xo", 1, {2, 3}},
        SpanCase{"accentedHighlight", u"xe\u0301\u0308o", 1, {1, 4}},
        SpanCase{"emojiBefore", u"\U0001F600o", 1, {2, 3}},
        SpanCase{"emojiHighlighted", u"o\U0001F44D\U0001F3FDo", 1, {1, 5}},
        SpanCase{"zwjFamilyBefore", u"\U0001F468\u200D\U0001F469\u200D\U0001F467x", 1, {8, 9}},
        SpanCase{"flagPairs", u"\U0001F1EB\U0001F1F7\U0001F1E9\U0001F1EA", 1, {4, 8}},
        SpanCase{"hebrew", u"\u05E9\u05DC\u05D5\u05DD", 1, {1, 2}}),
    [](const testing::TestParamInfo<SpanCase>& p) { return std::string(p.param.name); });

TEST(DrawablePrefixTest, KeepsWordsThatFit)
{
    const QString word = QStringLiteral("internationalization");
    EXPECT_EQ(drawablePrefix(word, 20), word);
    EXPECT_EQ(drawablePrefix(word, 4096), word);
    EXPECT_EQ(drawablePrefix(word, 6), QStringLiteral("intern"));
}

TEST(DrawablePrefixTest, CutsOnlyAtCharacterBoundaries)
{
    // "é" as e + combining acute: boundaries at even offsets only.
    const QString accents = QString::fromUtf16(u"e\u0301").repeated(100);
    EXPECT_EQ(drawablePrefix(accents, 51).size(), 50);
    EXPECT_EQ(drawablePrefix(accents, 50).size(), 50);

    // Surrogate pairs.
    const QString emoji = QString::fromUtf16(u"\U0001F600").repeated(100);
    EXPECT_EQ(drawablePrefix(emoji, 33).size(), 32);

    // Regional indicators pair up: four code units per flag.
    const QString flags = QString::fromUtf16(u"\U0001F1EB\U0001F1F7").repeated(50);
    EXPECT_EQ(drawablePrefix(flags, 10).size(), 8);
}

TEST(DrawablePrefixTest, CutsOneHugeCharacterOutsideSurrogatePairs)
{
    const QString marks = QStringLiteral("a") + QString(10'000, QChar(0x0301));
    EXPECT_EQ(drawablePrefix(marks, 100).size(), 100);

    // Man, ZWJ, man, ZWJ, … joins into one character; offset 3 starts a surrogate pair.
    const QString chain = QString::fromUtf16(u"\U0001F468\u200D").repeated(100);
    EXPECT_EQ(drawablePrefix(chain, 4).size(), 3);
}

} // namespace
} // namespace tavrin
