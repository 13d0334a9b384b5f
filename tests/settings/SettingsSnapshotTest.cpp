// Renders the settings panel with each second column, over a dark reading area. With
// TAVRIN_SNAPSHOT_DIR set, the images are also written there for a look by eye.
#include "settings/SettingsPanel.h"

#include "library/PanelStyle.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

#include <ostream>

namespace tavrin {
namespace {

/// The reading area the reader window puts behind its panels.
class ReadingArea : public QWidget
{
public:
    void paintEvent(QPaintEvent* /*event*/) override
    {
        QPainter(this).fillRect(rect(), QColor(8, 8, 8));
    }
};

QImage onReadingArea(QWidget& panel)
{
    // Grabbed as a child, as it is shown: a window would paint its own background first.
    ReadingArea area;
    area.resize(panel.size());
    QWidget* oldParent = panel.parentWidget();
    panel.setParent(&area);
    panel.move(0, 0);
    panel.show();
    area.show();
    // Let pending layout requests run, as the event loop would before painting.
    QCoreApplication::processEvents();
    const QImage image = area.grab().toImage();
    panel.setParent(oldParent);
    return image;
}

void keep(const QImage& image, const QString& name)
{
    const QString dir = qEnvironmentVariable("TAVRIN_SNAPSHOT_DIR");
    if (!dir.isEmpty()) {
        QDir().mkpath(dir);
        image.save(QDir(dir).filePath(name));
    }
}

struct Snapshot
{
    std::optional<SettingsSubPanel> column;
    const char* file;
};

void PrintTo(const Snapshot& snapshot, std::ostream* out)
{
    *out << snapshot.file;
}

class SettingsSnapshotTest : public ::testing::TestWithParam<Snapshot>
{};

TEST_P(SettingsSnapshotTest, RendersOnThePanelBackground)
{
    SettingsPanel panel;
    SettingsData values;
    values.orpColor = {0.9, 0.3, 0.2, 1.0};
    values.backgroundColor = {0.05, 0.05, 0.2, 1.0};
    panel.setValues(values);
    panel.resize(panel.width(), 960);
    panel.show();
    if (GetParam().column) {
        panel.toggleSubPanel(*GetParam().column);
        QTest::qWait(SettingsPanel::kTransitionMs + 80);
    }
    const QImage image = onReadingArea(panel);
    keep(image, QString::fromLatin1(GetParam().file));
    EXPECT_EQ(image.width(), GetParam().column ? 760 : 380);
    const QColor expected = PanelStyle::panelBackground();
    for (const int x : {4, image.width() - 4}) {
        const QColor actual = image.pixelColor(x, image.height() - 4);
        EXPECT_NEAR(actual.red(), expected.red() * 0.97 + 8 * 0.03, 2) << x;
        EXPECT_NEAR(actual.blue(), expected.blue() * 0.97 + 8 * 0.03, 2) << x;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Columns, SettingsSnapshotTest,
    ::testing::Values(Snapshot{std::nullopt, "settings-main.png"},
                      Snapshot{SettingsSubPanel::background, "settings-background.png"},
                      Snapshot{SettingsSubPanel::highlight, "settings-highlight.png"},
                      Snapshot{SettingsSubPanel::controls, "settings-controls.png"}));

} // namespace
} // namespace tavrin
