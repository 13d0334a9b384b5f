#include "app/Fader.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>

#include <vector>

namespace tavrin {
namespace {

class FaderTest : public ::testing::Test
{
protected:
    FaderTest()
    {
        window.resize(200, 200);
        window.show();
        layer->resize(50, 50);
    }

    QWidget window;
    QWidget* layer = new QWidget(&window);
    std::vector<double> steps;
    Fader fader{layer, [this](double opacity) { steps.push_back(opacity); }};
};

TEST_F(FaderTest, StartsHiddenAndJumpsWithoutAnimation)
{
    EXPECT_FALSE(layer->isVisible());
    EXPECT_EQ(fader.opacity(), 0.0);
    fader.fadeTo(true, Animation::immediate());
    EXPECT_TRUE(layer->isVisible());
    EXPECT_EQ(fader.opacity(), 1.0);
    fader.fadeTo(false, Animation::immediate());
    EXPECT_FALSE(layer->isVisible());
    EXPECT_EQ(steps.back(), 0.0);
}

TEST_F(FaderTest, FadeInShowsAtOnceAndFadeOutHidesAtItsEnd)
{
    fader.fadeTo(true, Animation::easeIn(0.15));
    EXPECT_TRUE(layer->isVisible()) << "visible from the first frame";
    EXPECT_TRUE(QTest::qWaitFor([this] { return fader.opacity() == 1.0; }, 2000));

    fader.fadeTo(false, Animation::easeOut(0.2));
    QTest::qWait(50);
    EXPECT_TRUE(layer->isVisible()) << "still fading";
    EXPECT_GT(fader.opacity(), 0.0);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !layer->isVisible(); }, 2000));
    EXPECT_EQ(fader.opacity(), 0.0);
    for (std::size_t i = 1; i < steps.size(); ++i) {
        ASSERT_GE(steps[i], 0.0);
        ASSERT_LE(steps[i], 1.0);
    }
}

TEST_F(FaderTest, AReversalMidFadeEndsWhereAskedLast)
{
    fader.fadeTo(true, Animation::easeInOut(0.3));
    fader.fadeTo(false, Animation::easeInOut(0.5)); // before any frame: nothing to fade
    EXPECT_TRUE(QTest::qWaitFor([this] { return !layer->isVisible(); }, 2000));
    EXPECT_FALSE(fader.isShown());

    fader.fadeTo(true, Animation::easeInOut(0.3));
    QTest::qWait(100);
    fader.fadeTo(false, Animation::immediate()); // playing hides the controls at once
    EXPECT_FALSE(layer->isVisible());
    QTest::qWait(400);
    EXPECT_FALSE(layer->isVisible()) << "the cancelled fade-in does not come back";
}

} // namespace
} // namespace tavrin
