#include "settings/InlineColorPicker.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <string>

namespace tavrin {
namespace {

void send(QWidget* widget, QEvent::Type type, QPointF pos, Qt::MouseButtons buttons)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, pos, widget->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

/// Presses at the first point, moves through the others and releases at the last.
void drag(QWidget* widget, std::initializer_list<QPointF> points)
{
    const QPointF* p = points.begin();
    send(widget, QEvent::MouseButtonPress, *p, Qt::LeftButton);
    for (++p; p != points.end(); ++p) {
        send(widget, QEvent::MouseMove, *p, Qt::LeftButton);
    }
    send(widget, QEvent::MouseButtonRelease, *(points.end() - 1), Qt::NoButton);
}

class InlineColorPickerTest : public ::testing::Test
{
protected:
    InlineColorPickerTest() : picker(QColor::fromRgbF(0.0f, 0.0f, 1.0f))
    {
        picker.resize(picker.sizeHint());
        // The host echoes every colour back, rounded to 8 bits a channel as a binding may.
        QObject::connect(&picker, &InlineColorPicker::selectionChanged, &picker,
                         [this](const QColor& color) { picker.setSelection(QColor(color.rgb())); });
    }

    QPointF inSquare(double fx, double fy) const
    {
        const QRectF r = picker.squareRect();
        return {r.left() + fx * r.width(), r.top() + fy * r.height()};
    }
    QPointF onBar(double fx) const
    {
        const QRectF r = picker.hueBarRect();
        return {r.left() + fx * r.width(), r.center().y()};
    }

    InlineColorPicker picker;
};

TEST_F(InlineColorPickerTest, SquareCornersGiveThePureHueWhiteAndBlack)
{
    QSignalSpy changed(&picker, &InlineColorPicker::selectionChanged);
    drag(&picker, {inSquare(0.5, 0.5), inSquare(1.3, -0.4)});
    EXPECT_EQ(picker.selection(), QColor(0, 0, 255));

    drag(&picker, {inSquare(0.0, 0.0)});
    EXPECT_EQ(picker.selection(), QColor(255, 255, 255));

    drag(&picker, {inSquare(0.7, 0.2), inSquare(0.3, 1.0)});
    EXPECT_EQ(picker.selection(), QColor(0, 0, 0));
    EXPECT_GE(changed.count(), 3);
    EXPECT_EQ(changed.last()[0].value<QColor>(), picker.selection());
}

// The square and the bar show, under every point, the colour a click there picks.
TEST_F(InlineColorPickerTest, SquareAndBarShowTheColoursAClickPicks)
{
    drag(&picker, {onBar(0.55)}); // a hue whose three components all differ
    const QImage shown = picker.grab().toImage();
    const auto expectPicksWhatIsShown = [&](QPointF at) {
        const QPoint pixel = at.toPoint();
        drag(&picker, {QPointF(pixel) + QPointF(0.5, 0.5)});
        const QColor expected = shown.pixelColor(pixel);
        const QColor picked = picker.selection();
        const auto where = std::to_string(pixel.x()) + "," + std::to_string(pixel.y());
        EXPECT_NEAR(picked.red(), expected.red(), 3) << where;
        EXPECT_NEAR(picked.green(), expected.green(), 3) << where;
        EXPECT_NEAR(picked.blue(), expected.blue(), 3) << where;
    };
    // Away from the indicators (top right of the square, 0.55 along the bar).
    for (const double fx : {0.1, 0.4, 0.7}) {
        for (const double fy : {0.3, 0.6, 0.9}) {
            expectPicksWhatIsShown(inSquare(fx, fy));
        }
    }
    drag(&picker, {inSquare(1.0, 0.0)}); // the bar shows its hues at full strength
    for (const double fx : {0.05, 0.2, 0.3, 0.45, 0.7, 0.8, 0.95}) {
        expectPicksWhatIsShown(onBar(fx));
    }
}

TEST_F(InlineColorPickerTest, HueBarClampsAtBothEndsAndTheHueSurvivesBlack)
{
    drag(&picker, {onBar(0.5), onBar(1.4)});
    EXPECT_DOUBLE_EQ(picker.hue(), 0.9999);
    drag(&picker, {onBar(0.5), onBar(-0.3)});
    EXPECT_DOUBLE_EQ(picker.hue(), 0.0);
    EXPECT_EQ(picker.selection(), QColor(255, 0, 0));
    // The indicator above the bar takes presses too.
    drag(&picker, {QPointF(onBar(0.3).x(), picker.hueBarRect().top() - 4)});
    EXPECT_DOUBLE_EQ(picker.hue(), 0.3);

    drag(&picker, {inSquare(0.8, 0.2), inSquare(0.8, 1.0), inSquare(0.8, 1.5)});
    EXPECT_EQ(picker.selection(), QColor(0, 0, 0));
    EXPECT_DOUBLE_EQ(picker.hue(), 0.3);
    EXPECT_DOUBLE_EQ(picker.saturation(), 0.8);
    drag(&picker, {inSquare(0.8, 0.9), inSquare(0.8, 0.0)});
    EXPECT_DOUBLE_EQ(picker.hue(), 0.3);
    EXPECT_NEAR(picker.selection().hueF(), 0.3, 1e-3);
    EXPECT_NEAR(picker.selection().saturationF(), 0.8, 1e-3);
}

TEST_F(InlineColorPickerTest, ColourSetFromOutsideIsReadBack)
{
    // Grey has no hue: the indicator goes to the left end, the square shows red.
    picker.setSelection(QColor::fromRgbF(0.5f, 0.5f, 0.5f, 0.3f));
    EXPECT_DOUBLE_EQ(picker.hue(), 0.0);
    EXPECT_DOUBLE_EQ(picker.saturation(), 0.0);
    EXPECT_NEAR(picker.brightness(), 0.5, 1e-4);

    // Dragging continues from the colour read; a write that changes nothing does not swallow
    // the next outside change.
    drag(&picker, {inSquare(1.0, 0.0)});
    EXPECT_EQ(picker.selection(), QColor(255, 0, 0));
    drag(&picker, {inSquare(1.0, 0.0)});
    EXPECT_EQ(picker.selection(), QColor(255, 0, 0));
    picker.setSelection(Qt::green);
    EXPECT_NEAR(picker.hue(), 1.0 / 3, 1e-4);
}

} // namespace
} // namespace tavrin
