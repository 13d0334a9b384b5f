#include "ContentViewFixture.h"

#include "display/FontResolver.h"
#include "settings/SettingsFile.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>

namespace tavrin::test {
namespace {

using namespace std::chrono_literals;

using ContentViewStartupTest = ContentViewFixture;

TEST_F(ContentViewStartupTest, FreshStartShowsTheTitleTheWayToABookAndTheControls)
{
    library.setLastOpenBook(QUuid::createUuid()); // a last book that is gone changes nothing
    show();
    ASSERT_TRUE(title()->isVisible());
    EXPECT_FALSE(wordView()->isVisible());
    EXPECT_EQ(title()->text(), QStringLiteral("Tavrin"));
    EXPECT_EQ(QFontInfo(title()->textFont()).pixelSize(), 60); // sizes are pixels, not points
    auto* hint = child<CentredText>("hintText");
    EXPECT_EQ(hint->text(), QStringLiteral("Drop a book here or click + to add one"));
    EXPECT_TRUE(buttonColumn()->isVisible()) << "up from the start with an empty library";
    EXPECT_FALSE(progressBar()->isVisible());

    // The title's white ink sits at the window's centre on black.
    const QImage image = view().grab(QRect(0, 0, buttonColumn()->x(), view().height())).toImage();
    EXPECT_EQ(image.pixelColor(5, 5), QColor(Qt::black));
    QRect ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y).lightness() > 215) {
                ink |= QRect(x, y, 1, 1);
            }
        }
    }
    ASSERT_GT(ink.width(), 100);
    EXPECT_NEAR(ink.center().x(), view().width() / 2.0, 10.0);
    EXPECT_NEAR(ink.center().y(), view().height() / 2.0, 20.0);

    clock.advance(10s);
    EXPECT_TRUE(session.showGear()) << "kept up until a book is added";
    addLastBook(makeTokens(3));
    EXPECT_FALSE(hint->isVisible());
    clock.advance(3s);
    EXPECT_FALSE(session.showGear());
}

// F11, Escape and Ctrl+Q, the hints under the word and the text around it while paused: the
// end-to-end test.
TEST_F(ContentViewStartupTest, StartLoadsSettingsReopensTheLastBookStoppedAndFillsTheScreen)
{
    SettingsData settings;
    settings.fontSize = 40.0;
    settings.backgroundColor = {0.0, 0.0, 0.5, 1.0};
    ASSERT_TRUE(SettingsFile::save(settingsPath(), settings));
    addLastBook(makeTokens(10), 4);
    QCursor::setPos(400, 300);
    show();
    reportPointerAgain(view().mapFromGlobal(QPoint(400, 300)));
    EXPECT_FALSE(session.showGear()) << "appearing under the resting pointer is no movement";
    ASSERT_TRUE(wordView()->isVisible());
    EXPECT_FALSE(title()->isVisible());
    EXPECT_EQ(wordView()->word(), QStringLiteral("w4"));
    EXPECT_EQ(wordView()->fontSize(), 40.0);
    EXPECT_EQ(view().grab().toImage().pixel(5, 5), qRgb(0, 0, 128));
    clock.advance(99ms);
    EXPECT_FALSE(view().isFullScreen());
    clock.advance(1ms);
    EXPECT_TRUE(view().isFullScreen()) << "a tenth of a second after appearing";
    clock.advance(10s);
    EXPECT_FALSE(session.isPlaying()) << "nothing plays by itself";
}

TEST_F(ContentViewStartupTest, AWindowBuiltOverASessionShowsItsControlsAndMessage)
{
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

TEST_F(ContentViewStartupTest, LoadingLineAndMessageUseTheirOwnLookClearOfTheWord)
{
    show();
    auto* loading = child<CentredText>("loadingText");
    EXPECT_FALSE(loading->isVisible());
    session.setLoading(true);
    ASSERT_TRUE(loading->isVisible());
    EXPECT_EQ(loading->text(), QStringLiteral("Loading\u2026"));
    EXPECT_EQ(loading->opacity(), 0.5);
    session.setSelectedFont("Times New Roman");
    EXPECT_EQ(loading->textFont(), FontResolver::resolve(QStringLiteral("Times New Roman"), 24.0));
    session.setFontSize(120); // the word's line box at the largest size
    const QFontMetricsF word(wordView()->wordFont());
    const double wordTop = view().height() / 2.0 - (word.ascent() + word.descent()) / 2.0;
    EXPECT_LE(loading->geometry().bottom(), wordTop);
    EXPECT_GE(hud()->geometry().top(), view().height() - wordTop);
    session.setLoading(false);
    EXPECT_FALSE(loading->isVisible());

    session.showHUD("310 WPM");
    EXPECT_TRUE(QFontInfo(hud()->textFont()).fixedPitch());
    EXPECT_EQ(QFontInfo(hud()->textFont()).pixelSize(), 18);
    EXPECT_TRUE(hud()->testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_TRUE(waitFor([this] { return hud()->opacity() == 0.55; }));
    session.setTextColor({0.0, 1.0, 0.0, 1.0});
    EXPECT_EQ(hud()->color(), QColor(0, 255, 0));
    EXPECT_EQ(wordView()->textColor(), QColor(0, 255, 0));
}

} // namespace
} // namespace tavrin::test
