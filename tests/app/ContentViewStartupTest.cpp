#include "ContentViewFixture.h"

#include "display/FontResolver.h"
#include "settings/ColorConversion.h"
#include "settings/SettingsFile.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QSignalSpy>

#include <algorithm>

namespace tavrin::test {
namespace {

using namespace std::chrono_literals;

/// How many pixels of an image are near white, and their centre.
std::pair<int, QPointF> whiteInk(const QImage& image)
{
    int count = 0;
    QPointF sum;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (std::min({pixel.red(), pixel.green(), pixel.blue()}) > 215) {
                ++count;
                sum += QPointF(x + 0.5, y + 0.5);
            }
        }
    }
    return {count, count > 0 ? sum / count : sum};
}

class ContentViewStartupTest : public ContentViewFixture
{
protected:
    CentredText* hint() const { return child<CentredText>("hintText"); }
};

TEST_F(ContentViewStartupTest, FreshStartShowsTheTitleTheWayToABookAndTheControls)
{
    library.setLastOpenBook(QUuid::createUuid()); // a last book that is gone changes nothing
    show();
    ASSERT_TRUE(title()->isVisible());
    EXPECT_FALSE(wordView()->isVisible());
    EXPECT_FALSE(session.currentBookID());
    EXPECT_EQ(title()->text(), QStringLiteral("Tavrin"));
    EXPECT_EQ(title()->textFont(), FontResolver::resolve(QStringLiteral("Courier New"), 60.0));
    EXPECT_EQ(QFontInfo(title()->textFont()).pixelSize(), 60); // sizes are pixels, not points
    EXPECT_EQ(title()->color(), QColor(Qt::white));
    EXPECT_EQ(hint()->text(), QStringLiteral("Drop a book here or click + to add one"));
    EXPECT_TRUE(hint()->isVisible());
    EXPECT_TRUE(buttonColumn()->isVisible()) << "up from the start with an empty library";
    EXPECT_FALSE(progressBar()->isVisible());
    EXPECT_FALSE(pauseSymbol()->isVisible());
    EXPECT_FALSE(hud()->isVisible());

    const QImage image = view().grab(QRect(0, 0, buttonColumn()->x(), view().height())).toImage();
    EXPECT_EQ(image.pixelColor(5, 5), QColor(Qt::black));
    const auto [count, centre] = whiteInk(image);
    ASSERT_GT(count, 100);
    EXPECT_NEAR(centre.x(), view().width() / 2.0, 10.0);
    EXPECT_NEAR(centre.y(), view().height() / 2.0, 20.0);

    clock.advance(10s);
    EXPECT_TRUE(session.showGear()) << "kept up until a book is added";
    addLastBook(makeTokens(3));
    EXPECT_FALSE(hint()->isVisible());
    clock.advance(3s);
    EXPECT_FALSE(session.showGear());
}

TEST_F(ContentViewStartupTest, TheLineUnderTheWordAndTheTextAroundItFollowTheReading)
{
    addLastBook(makeTokens(3));
    show();
    auto* context = child<QWidget>("contextView");
    struct Step
    {
        const char* name;
        bool space;
        std::chrono::milliseconds then;
        const char* hint;
        bool context;
        double progress;
    };
    for (const Step& s :
         {Step{"opened at its start", false, 0ms, "Space to read", false, 0.0},
          Step{"reading", true, 0ms, "", false, 0.0}, Step{"paused", true, 0ms, "", true, 0.0},
          Step{"played to the end", true, 5s, "The end \u00b7 Space to read again", false, 1.0},
          Step{"read again", true, 0ms, "", false, 0.0}}) {
        SCOPED_TRACE(s.name);
        if (s.space) {
            QTest::keyClick(&view(), Qt::Key_Space);
        }
        clock.advance(s.then);
        EXPECT_EQ(hint()->text(), QString::fromUtf8(s.hint));
        EXPECT_EQ(hint()->isVisible(), *s.hint != '\0');
        EXPECT_TRUE(waitFor([&] { return context->isVisible() == s.context; }));
        EXPECT_EQ(progressBar()->progress(), s.progress);
    }
    EXPECT_GT(hint()->geometry().top(), view().height() / 2 + 20) << "under the word";
}

TEST_F(ContentViewStartupTest, StartLoadsSettingsAndReopensTheLastBookStopped)
{
    SettingsData settings;
    settings.fontSize = 40.0;
    settings.wpm = 250.0;
    settings.backgroundColor = {0.0, 0.0, 0.5, 1.0};
    ASSERT_TRUE(SettingsFile::save(settingsPath(), settings));
    addLastBook(makeTokens(10), 4);

    show();
    EXPECT_EQ(session.fontSize(), 40.0);
    EXPECT_EQ(session.wpm(), 250.0);
    ASSERT_TRUE(wordView()->isVisible());
    EXPECT_FALSE(title()->isVisible());
    EXPECT_EQ(wordView()->word(), QStringLiteral("w4"));
    EXPECT_EQ(wordView()->fontSize(), 40.0);
    EXPECT_EQ(view().grab().toImage().pixel(5, 5), qRgb(0, 0, 128));

    clock.advance(10s);
    EXPECT_FALSE(session.isPlaying()) << "nothing plays by itself";
    EXPECT_EQ(wordView()->word(), QStringLiteral("w4"));
}

TEST_F(ContentViewStartupTest,
       FullScreenATenthOfASecondAfterAppearingF11TogglesEscapeLeavesQuitAsks)
{
    show();
    clock.advance(99ms);
    EXPECT_FALSE(view().isFullScreen());
    clock.advance(1ms);
    ASSERT_TRUE(view().isFullScreen());
    QTest::keyClick(&view(), Qt::Key_F11);
    EXPECT_FALSE(view().isFullScreen());
    QTest::keyClick(&view(), Qt::Key_F11);
    EXPECT_TRUE(view().isFullScreen());
    QTest::keyClick(&view(), Qt::Key_Escape); // with no panel open
    EXPECT_FALSE(view().isFullScreen());

    QSignalSpy quit(&view(), &ContentView::quitRequested);
    QTest::keyClick(&view(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(quit.count(), 1);
}

TEST_F(ContentViewStartupTest, ControlsFollowTheSessionWhenTheWindowIsRebuilt)
{
    // A window made over a session already showing its controls and a message shows them.
    addLastBook(makeTokens(10));
    session.openBook(library.books().front());
    session.pointerMoved();
    session.showHUD("Word 1");
    show();
    EXPECT_TRUE(buttonColumn()->isVisible());
    EXPECT_TRUE(progressBar()->isVisible());
    EXPECT_TRUE(hud()->isVisible());
    EXPECT_EQ(hud()->text(), QStringLiteral("Word 1"));
}

TEST_F(ContentViewStartupTest, LoadingLineAndMessageUseTheirOwnLook)
{
    show();
    auto* loading = child<CentredText>("loadingText");
    EXPECT_FALSE(loading->isVisible());
    session.setLoading(true);
    ASSERT_TRUE(loading->isVisible());
    EXPECT_EQ(loading->text(), QStringLiteral("Loading\u2026"));
    EXPECT_EQ(loading->textFont(), FontResolver::resolve(QStringLiteral("Courier New"), 24.0));
    EXPECT_EQ(loading->opacity(), 0.5);
    session.setSelectedFont("Times New Roman");
    EXPECT_EQ(loading->textFont(), FontResolver::resolve(QStringLiteral("Times New Roman"), 24.0));
    // At the largest size the word's line box stays clear of "Loading…" and the message.
    session.setFontSize(120);
    const QFontMetricsF word(wordView()->wordFont());
    const double wordTop = view().height() / 2.0 - (word.ascent() + word.descent()) / 2.0;
    EXPECT_LE(loading->geometry().bottom(), wordTop);
    EXPECT_GE(hud()->geometry().top(), view().height() - wordTop);
    session.setLoading(false);
    EXPECT_FALSE(loading->isVisible());

    session.showHUD("310 WPM");
    EXPECT_TRUE(QFontInfo(hud()->textFont()).fixedPitch());
    EXPECT_EQ(QFontInfo(hud()->textFont()).pixelSize(), 18);
    EXPECT_EQ(hud()->textFont().weight(), QFont::Light);
    EXPECT_TRUE(hud()->testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_TRUE(waitFor([this] { return hud()->opacity() == 0.55; }));
    session.setTextColor({0.0, 1.0, 0.0, 1.0});
    EXPECT_EQ(hud()->color(), QColor(0, 255, 0));
    EXPECT_EQ(wordView()->textColor(), QColor(0, 255, 0));
}

} // namespace
} // namespace tavrin::test
