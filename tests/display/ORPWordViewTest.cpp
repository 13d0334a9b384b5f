#include "display/ORPWordView.h"

#include "display/OrpIndex.h"

#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <utility>

namespace tavrin {
namespace {

const QColor kText(255, 255, 255);
const QColor kHighlight(0, 255, 0);

QImage blankImage(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

QImage render(ORPWordView& view)
{
    QImage image = blankImage(view.size());
    // Without DrawWindowBackground: only what the view itself paints.
    view.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

struct Ink
{
    qreal centroidX = 0;
    QRect box;
};

// Coverage-weighted centre of the pixels where two renderings differ. Comparing a rendering
// with the highlight colour against one with the highlight in the text colour isolates the
// highlighted character's ink, whatever surrounds it (emoji included, which ignore the pen).
std::optional<Ink> inkDifference(const QImage& a, const QImage& b)
{
    qreal weight = 0, moment = 0;
    Ink ink;
    for (int y = 0; y < a.height(); ++y) {
        const auto* rowA = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* rowB = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            const int w = std::abs(qRed(rowA[x]) - qRed(rowB[x]));
            if (w > 0) {
                weight += w;
                moment += w * (x + 0.5);
                ink.box |= QRect(x, y, 1, 1);
            }
        }
    }
    if (weight == 0) {
        return std::nullopt;
    }
    ink.centroidX = moment / weight;
    return ink;
}

std::optional<Ink> inkOf(const QImage& image)
{
    return inkDifference(image, blankImage(image.size()));
}

// The text drawn with plain QPainter text drawing, independently of the view.
QImage drawPlain(QSize size, const QFont& font, const QString& text, QPointF origin)
{
    QImage image = blankImage(size);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(kText);
    painter.drawText(origin, text);
    return image;
}

std::optional<Ink> highlightInk(ORPWordView& view)
{
    const QColor highlight = view.orpColor();
    view.setOrpColor(view.textColor());
    const QImage plain = render(view);
    view.setOrpColor(highlight);
    return inkDifference(render(view), plain);
}

// A character drawn alone: its ink, with the centroid relative to the middle of its advance
// and the box relative to the baseline.
Ink referenceInk(const QFont& font, const QString& character)
{
    const QFontMetricsF metrics(font);
    const qreal advance = metrics.horizontalAdvance(character);
    const int half = static_cast<int>(std::ceil(metrics.height() * 2 + advance / 2));
    Ink ink =
        inkOf(drawPlain(QSize(2 * half, 2 * half), font, character, QPointF(half / 2.0, half)))
            .value_or(Ink{});
    ink.centroidX -= half / 2.0 + advance / 2;
    ink.box.translate(0, -half);
    return ink;
}

class ORPWordViewTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_view.resize(1000, 360);
        m_view.setTextColor(kText);
        m_view.setOrpColor(kHighlight);
    }

    void showWord(const QString& word)
    {
        m_view.setWord(word);
        m_view.setOrpIndex(orpIndex(word.toStdString()));
    }

    // The highlighted ink is `character`'s (judged by its width) and its centroid lies on the
    // view's centre line, after allowing for the glyph's own ink offset within its advance.
    // With the word's own font, its ascent-descent box is centred vertically too.
    void expectHighlightCentred(const QString& character, const std::string& context,
                                bool inWordFont = false)
    {
        const auto ink = highlightInk(m_view);
        ASSERT_TRUE(ink.has_value()) << context;
        const Ink reference = referenceInk(m_view.wordFont(), character);
        EXPECT_NEAR(ink->centroidX, m_view.width() / 2.0 + reference.centroidX, 1.0) << context;
        EXPECT_NEAR(ink->box.width(), reference.box.width(), 2) << context;
        if (inWordFont) {
            const QFontMetricsF metrics(m_view.wordFont());
            const qreal baseline =
                m_view.height() / 2.0 + (metrics.ascent() - metrics.descent()) / 2;
            EXPECT_NEAR(ink->box.top(), baseline + reference.box.top(), 1) << context;
            EXPECT_NEAR(ink->box.bottom(), baseline + reference.box.bottom(), 1) << context;
        }
    }

    ORPWordView m_view;
};

TEST_F(ORPWordViewTest, HighlightedCharacterIsCentredForEveryLengthFontSizeAndScript)
{
    const QString letters = QStringLiteral("internationalization");
    for (const char* family : {"Courier New", "Arial"}) {
        m_view.setFontName(QString::fromUtf8(family));
        for (const qreal size : {24.0, 120.0, 60.0}) {
            m_view.setFontSize(size);
            for (qsizetype n = 1; n <= letters.size(); ++n) {
                showWord(letters.left(n));
                expectHighlightCentred(letters.mid(m_view.orpIndex(), 1),
                                       std::string(family) + " " + std::to_string(size) + "pt, " +
                                           std::to_string(n) + " characters",
                                       true);
            }
        }
    }
    // Arial at 60: the word, and its highlighted user-perceived character. Where the writing
    // direction changes next to that character, a caret offset is ambiguous.
    const std::pair<const char16_t*, const char16_t*> cases[] = {
        {u"re\u0301sume\u0301", u"s"},                        // é before it
        {u"na\u0308\u0301ive", u"a\u0308\u0301"},             // stacked marks on it
        {u"\U0001F600smile", u"m"},                           // emoji before it
        {u"\U0001F44D\U0001F3FDthumbs", u"h"},                // emoji with a skin tone
        {u"\u05E9\u05DC\u05D5\u05DD\u05D9\u05DD", u"\u05D5"}, // Hebrew, from its right end
        {u"abc\u05E9\u05DC\u05D5\u05DD", u"c"},               // Latin then Hebrew
        {u"\u05E9\u05DC\u05D5123", u"\u05D5"},                // Hebrew then digits
        {u"\u05E9abcd", u"a"},                                // Latin after Hebrew
        {u"\u05E9\u05DCab\u05D5\u05D5", u"a"},                // Latin inside Hebrew
        {u"abc\u05E9defgh", u"\u05E9"},                       // Hebrew inside Latin
    };
    for (const auto& [word, highlighted] : cases) {
        showWord(QString::fromUtf16(word));
        expectHighlightCentred(QString::fromUtf16(highlighted), m_view.word().toStdString());
    }

    // Arabic letters change shape with their neighbours, so no isolated reference glyph
    // exists; the highlighted letter's ink, joined on both sides, is centred.
    showWord(QString::fromUtf16(u"\u0645\u0631\u062D\u0628\u0627"));
    const auto ink = highlightInk(m_view);
    ASSERT_TRUE(ink.has_value());
    EXPECT_NEAR(ink->box.left() + ink->box.width() / 2.0, m_view.width() / 2.0, 1.0);
}

// Pixels whose coverage (red: text and highlight both have it) differs by over a quarter from
// the word drawn as one plain run (best of 16 sub-pixel offsets, inks aligned at their boxes'
// corners); -1 when no box has the same size.
int plainWordMismatch(const QImage& drawn, const QFont& font, const QString& word)
{
    const QRect box = inkOf(drawn).value_or(Ink{}).box;
    int best = -1;
    for (int offset = 0; offset < 16; ++offset) {
        const QImage plain = drawPlain(drawn.size(), font, word,
                                       QPointF(100 + offset % 4 / 4.0, 200 + offset / 4 / 4.0));
        const QRect plainBox = inkOf(plain).value_or(Ink{}).box;
        if (box.isEmpty() || plainBox.size() != box.size()) {
            continue;
        }
        int mismatched = 0;
        for (int i = 0; i < box.width() * box.height(); ++i) {
            const QPoint p(i % box.width(), i / box.width());
            mismatched += std::abs(qRed(drawn.pixel(box.topLeft() + p)) -
                                   qRed(plain.pixel(plainBox.topLeft() + p))) > 64;
        }
        best = best < 0 ? mismatched : std::min(best, mismatched);
    }
    return best;
}

TEST_F(ORPWordViewTest, HighlightLeavesTheShapedWordIntact)
{
    m_view.setFontName(QStringLiteral("Arial"));
    m_view.setFontSize(60);
    m_view.setOrpColor(QColor(255, 0, 0));
    // Joined Arabic letters and Devanagari conjuncts and vowel signs: shaped apart at the
    // highlight, they take other forms. A Hebrew word's full stop stands at its left end.
    for (const char16_t* word :
         {u"\u0645\u0631\u062D\u0628\u0627", u"\u0928\u092E\u0938\u094D\u0924\u0947",
          u"\u0915\u093F\u0924\u093E\u092C", u"\u05E9\u05DC\u05D5\u05DD."}) {
        m_view.setWord(QString::fromUtf16(word));
        for (int orp = 0; orp < 4; ++orp) {
            m_view.setOrpIndex(orp);
            // A pixel or two may differ where the word's own sub-pixel origin falls between the
            // reference's; a word shaped apart differs over whole glyphs.
            const int mismatch =
                plainWordMismatch(render(m_view), m_view.wordFont(), m_view.word());
            EXPECT_GE(mismatch, 0) << m_view.word().toStdString() << " highlighting " << orp;
            EXPECT_LE(mismatch, 2) << m_view.word().toStdString() << " highlighting " << orp;
        }
    }
}

TEST_F(ORPWordViewTest, SizeAndFamilyChangesReachTheFontWithOrWithoutAWord)
{
    // No word shown (no book open): the size still reaches the font, and a family chosen
    // afterwards keeps it.
    m_view.setFontName(QStringLiteral("Arial"));
    m_view.setFontSize(120);
    EXPECT_EQ(m_view.wordFont().pixelSize(), 120);
    m_view.setFontName(QStringLiteral("Times New Roman"));
    EXPECT_EQ(m_view.wordFont().pixelSize(), 120);
    // Sizes that are not positive numbers leave the font as it was.
    for (const qreal bad : {0.0, -12.0, std::nan("")}) {
        m_view.setFontSize(bad);
        EXPECT_DOUBLE_EQ(m_view.fontSize(), 120);
        EXPECT_EQ(m_view.wordFont().pixelSize(), 120);
    }
}

} // namespace
} // namespace tavrin
