#pragma once

#include "common/Observers.h"
#include "settings/SettingsData.h"
#include "settings/SettingsSubPanel.h"

#include <QColor>
#include <QString>
#include <QWidget>

#include <map>
#include <optional>

class QComboBox;
class QLabel;
class QSlider;

namespace tavrin {

class PanelColumn;
class ReaderSession;
class SubPanelRowButton;

/// The settings panel: font, size and speed in a 380-wide main column, and rows that
/// open a second column of the same width to its left, for the three colours (swatches
/// and a free picker) and the keyboard legend. The column slides out from under the main
/// column with a fade; while one is open or moving the panel is 760 wide, growing to the
/// left, so the host should keep its right edge in place.
///
/// Values set from outside (setValues and the setters) are shown and never reported
/// back; a signal fires only for a change the user makes.
class SettingsPanel : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kColumnWidth = 380;
    static constexpr int kTransitionMs = 200;

    explicit SettingsPanel(QWidget* parent = nullptr);
    /// A panel that shows the session's settings as they change and changes them there.
    explicit SettingsPanel(ReaderSession& session, QWidget* parent = nullptr);

    void setValues(const SettingsData& values);
    void setSelectedFont(const QString& font);
    void setFontSize(double fontSize);
    void setWpm(double wpm);
    void setBackgroundColor(const QColor& color);
    void setTextColor(const QColor& color);
    void setOrpColor(const QColor& color);

    QString selectedFont() const { return m_selectedFont; }
    double fontSize() const { return m_fontSize; }
    double wpm() const { return m_wpm; }
    QColor backgroundColor() const { return m_backgroundColor; }
    QColor textColor() const { return m_textColor; }
    QColor orpColor() const { return m_orpColor; }

    /// The widest the panel may grow: a second column narrows (down to what its swatches and
    /// picker need) rather than reach past it, so a small window shows it whole.
    void setWidthLimit(int limit);

    std::optional<SettingsSubPanel> activeSubPanel() const { return m_activeSubPanel; }
    /// As pressing the rows: opens that column (replacing another), or closes it when it
    /// is the open one; animated.
    void toggleSubPanel(SettingsSubPanel panel);
    /// The open column, or nullptr.
    PanelColumn* activeColumn() const;

    QSize sizeHint() const override;

Q_SIGNALS:
    void fontChanged(const QString& font);
    void fontSizeChanged(double fontSize);
    void wpmChanged(double wpm);
    void backgroundColorChanged(const QColor& color);
    void textColorChanged(const QColor& color);
    void orpColorChanged(const QColor& color);
    void closeRequested();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* buildMainColumn();
    PanelColumn* buildColumn(SettingsSubPanel panel);
    void showColumn(PanelColumn* column, bool entering);
    void placeColumns();
    void updateWidth();
    void colorChosen(SettingsSubPanel panel, const QColor& color);
    QColor colorFor(SettingsSubPanel panel) const;

    QString m_selectedFont;
    double m_fontSize = 0.0;
    double m_wpm = 0.0;
    QColor m_backgroundColor;
    QColor m_textColor;
    QColor m_orpColor;

    /// The second column's width within the width limit.
    int secondColumnWidth() const;

    int m_widthLimit = 2 * kColumnWidth;
    std::optional<SettingsSubPanel> m_activeSubPanel;
    PanelColumn* m_activeColumn = nullptr;
    /// Every column on screen, the open one and any still sliding away, with its slide
    /// progress (1 = in place).
    std::map<PanelColumn*, double> m_columnProgress;

    QWidget* m_mainColumn = nullptr;
    QComboBox* m_fontCombo = nullptr;
    QLabel* m_sizeLabel = nullptr;
    QSlider* m_sizeSlider = nullptr;
    QLabel* m_speedLabel = nullptr;
    QSlider* m_speedSlider = nullptr;
    std::map<SettingsSubPanel, SubPanelRowButton*> m_rows;
    Subscription m_sessionSubscription;
};

} // namespace tavrin
