#include "settings/SettingsPanel.h"

#include "settings/ColorColumn.h"
#include "settings/InlineColorPicker.h"
#include "settings/PanelColumn.h"
#include "settings/SubPanelRowButton.h"
#include "settings/SwatchButton.h"
#include "widgets/SymbolButton.h"

#include <QComboBox>
#include <QLabel>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QVariantAnimation>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace tavrin {
namespace {

class SettingsPanelTest : public ::testing::Test
{
protected:
    SettingsPanelTest()
    {
        panel.resize(panel.width(), 900);
        panel.show();
    }

    template<typename T> T* find(const char* name) const
    {
        T* widget = panel.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    QString text(const char* labelName) const { return find<QLabel>(labelName)->text(); }

    void press(const char* rowName)
    {
        QTest::mouseClick(find<SubPanelRowButton>(rowName), Qt::LeftButton);
    }

    // Waits for the transitions to end, not for a time, so a busy machine cannot cut it short.
    void settle()
    {
        EXPECT_TRUE(QTest::qWaitFor(
            [this] {
                const auto animations = panel.findChildren<QVariantAnimation*>();
                return std::none_of(animations.begin(), animations.end(), [](auto* animation) {
                    return animation->state() == QAbstractAnimation::Running;
                });
            },
            5000));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QString columnTitle() const
    {
        PanelColumn* column = panel.activeColumn();
        return column ? column->findChild<QLabel*>(QStringLiteral("columnTitleLabel"))->text()
                      : QString();
    }

    // The four rows' chevrons, as "left right left left ".
    QString chevrons() const
    {
        QString result;
        for (const char* name : {"backgroundRowButton", "textColorRowButton", "highlightRowButton",
                                 "controlsRowButton"}) {
            result += find<SubPanelRowButton>(name)->chevronName().mid(8) + QLatin1Char(' ');
        }
        return result;
    }

    SettingsPanel panel;
};

TEST_F(SettingsPanelTest, RowsOpenReplaceAndCloseTheSecondColumn)
{
    press("backgroundRowButton");
    EXPECT_EQ(panel.activeSubPanel(), SettingsSubPanel::background);
    EXPECT_EQ(columnTitle(), QStringLiteral("Background"));
    EXPECT_EQ(panel.width(), 760);
    EXPECT_EQ(chevrons(), QStringLiteral("right left left left "));
    settle();
    // In place to the left of the main column.
    EXPECT_EQ(panel.activeColumn()->geometry(), QRect(0, 0, 380, panel.height()));
    EXPECT_EQ(find<QWidget>("mainColumn")->x(), 380);

    press("textColorRowButton");
    EXPECT_EQ(panel.activeSubPanel(), SettingsSubPanel::textColor);
    EXPECT_EQ(columnTitle(), QStringLiteral("Text Color"));
    EXPECT_EQ(chevrons(), QStringLiteral("left right left left "));
    settle();
    EXPECT_EQ(panel.findChild<QWidget*>(QStringLiteral("backgroundColumn")), nullptr);

    press("textColorRowButton");
    EXPECT_FALSE(panel.activeSubPanel());
    EXPECT_EQ(chevrons(), QStringLiteral("left left left left "));
    // It slides away before the panel narrows again.
    EXPECT_EQ(panel.width(), 760);
    settle();
    EXPECT_EQ(panel.width(), 380);
    EXPECT_EQ(panel.findChild<PanelColumn*>(QStringLiteral("textColorColumn")), nullptr);

    press("highlightRowButton");
    EXPECT_EQ(columnTitle(), QStringLiteral("Highlight"));
}

TEST_F(SettingsPanelTest, ValuesFromOutsideAreShownNotReportedBackAndSlidersReachTheirEnds)
{
    QSignalSpy sizes(&panel, &SettingsPanel::fontSizeChanged);
    QSignalSpy speeds(&panel, &SettingsPanel::wpmChanged);
    QSignalSpy fonts(&panel, &SettingsPanel::fontChanged);
    auto* size = find<QSlider>("fontSizeSlider");
    auto* speed = find<QSlider>("speedSlider");
    const auto labels = [this] {
        return text("sizeLabel") + QStringLiteral(", ") + text("speedLabel");
    };
    EXPECT_EQ(labels(), QStringLiteral("Size: 60pt, Speed: 300 WPM"));
    // Out of range: shown held to the range, kept as given (the file is not rewritten).
    for (const double huge : {1e300, std::numeric_limits<double>::infinity()}) {
        panel.setFontSize(huge);
        panel.setWpm(huge);
        EXPECT_EQ(labels(), QStringLiteral("Size: 120pt, Speed: 600 WPM"));
    }
    panel.setWpm(std::nan(""));
    panel.setFontSize(20.0);
    EXPECT_EQ(labels(), QStringLiteral("Size: 24pt, Speed: 60 WPM"));
    EXPECT_EQ(size->value(), size->minimum());
    EXPECT_EQ(panel.fontSize(), 20.0);
    panel.setSelectedFont(QStringLiteral("Georgia"));
    EXPECT_EQ(find<QComboBox>("fontComboBox")->currentText(), QStringLiteral("Georgia"));
    EXPECT_EQ(sizes.count() + speeds.count() + fonts.count(), 0);

    // Moving a slider then writes a value within its range.
    QTest::keyClick(size, Qt::Key_Right);
    QTest::keyClick(size, Qt::Key_End);
    QTest::keyClick(speed, Qt::Key_End);
    EXPECT_EQ(labels(), QStringLiteral("Size: 120pt, Speed: 600 WPM"));
    QTest::keyClick(size, Qt::Key_Home);
    QTest::keyClick(speed, Qt::Key_Home);
    EXPECT_EQ(labels(), QStringLiteral("Size: 24pt, Speed: 60 WPM"));
    ASSERT_EQ(sizes.count(), 3);
    EXPECT_EQ(sizes[0][0].toDouble(), 26.0);
    EXPECT_EQ(sizes[1][0].toDouble(), 120.0);
    EXPECT_EQ(sizes[2][0].toDouble(), 24.0);
    ASSERT_EQ(speeds.count(), 2);
    EXPECT_EQ(speeds[1][0].toDouble(), 60.0);

    // A click on the track jumps there (not a page towards it).
    QTest::mouseClick(speed, Qt::LeftButton, {},
                      QPoint(speed->width() * 3 / 4, speed->height() / 2));
    EXPECT_NEAR(panel.wpm(), 465.0, 12.0);
    // A drag lands on the size slider's steps of 2.
    size->setSliderDown(true);
    size->setSliderPosition(51);
    size->setSliderDown(false);
    EXPECT_EQ(panel.fontSize(), 52.0);
    EXPECT_EQ(sizes.last()[0].toDouble(), 52.0);
    EXPECT_EQ(text("sizeLabel"), QStringLiteral("Size: 52pt"));
}

TEST_F(SettingsPanelTest, SwatchesAndPickersReportTheirColumnsColourAndThePickerFollows)
{
    QSignalSpy highlights(&panel, &SettingsPanel::orpColorChanged);
    panel.setWidthLimit(800 - 72); // the smallest window: the column narrows, all of it inside
    press("highlightRowButton");
    settle();
    EXPECT_EQ(panel.width(), 728);
    PanelColumn* column = panel.activeColumn();
    ASSERT_EQ(column->geometry(), QRect(0, 0, 348, panel.height()));
    for (QWidget* part : column->findChildren<QWidget*>()) {
        EXPECT_TRUE(column->rect().contains(QRect(part->mapTo(column, QPoint()), part->size())))
            << part->objectName().toStdString();
    }
    auto* blue = column->findChild<SwatchButton*>(QStringLiteral("blueSwatchButton"));
    QTest::mouseClick(blue, Qt::LeftButton, {}, blue->rect().center());
    const QColor expected(0, 0, 255);
    ASSERT_EQ(highlights.count(), 1);
    EXPECT_EQ(highlights[0][0].value<QColor>(), expected);
    EXPECT_EQ(panel.orpColor(), expected);

    auto* picker = column->findChild<InlineColorPicker*>();
    EXPECT_EQ(picker->selection(), expected);
    EXPECT_NEAR(picker->hue(), 2.0 / 3, 1e-4);

    // A change from elsewhere (a key command, say) moves the picker too.
    panel.setOrpColor(Qt::yellow);
    EXPECT_NEAR(picker->hue(), 1.0 / 6, 1e-4);

    // The picker's own behaviour (the hue kept through black) is its tests'; here, the wiring.
    QSignalSpy backgrounds(&panel, &SettingsPanel::backgroundColorChanged);
    press("backgroundRowButton");
    settle();
    picker = panel.activeColumn()->findChild<InlineColorPicker*>();
    QTest::mouseClick(picker, Qt::LeftButton, {}, picker->squareRect().center().toPoint());
    ASSERT_EQ(backgrounds.count(), 1);
    EXPECT_EQ(panel.backgroundColor(), picker->selection());
    EXPECT_EQ(highlights.count(), 1);
}

} // namespace
} // namespace tavrin
