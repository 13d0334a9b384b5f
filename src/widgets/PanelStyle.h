#pragma once

#include <QColor>
#include <QFont>

class QLabel;
class QString;
class QWidget;

namespace tavrin::PanelStyle {

/// The look shared by the library and settings panels. Sizes are logical pixels. The three
/// text styles stand for a desktop toolkit's named styles: large title 26 px bold, title 3
/// 20 px regular, body 13 px regular, all in the application's default (system) family.

/// sRGB 0.1, 0.1, 0.14 at opacity 0.97: the background of both panels.
QColor panelBackground();
/// White at the given opacity, the colour of nearly every text and symbol on the panels.
QColor white(double alpha);

/// The system family at a pixel size and weight.
QFont systemFont(int pixelSize, QFont::Weight weight = QFont::Normal);
QFont largeTitleFont();
QFont title3Font();
QFont bodyFont();

/// A style sheet of the panels' look, compiled in from styles/<name>.qss ("menu", "alert",
/// "pop-up-button", "slider", "list", "scroll-bar", "scroll-bar-hover"); read once.
QString styleSheet(const char* name);

/// The thin dark scroll bar of the panels' lists, its handle brightening under the pointer.
/// Set on the bar alone: a style sheet on an ancestor would re-polish every widget below it.
QString scrollBarStyle();

/// Takes root and everything in it out of the keyboard focus chain: the reader's keys, F11
/// and the quit keys must reach the window after any use of a panel, and a control that
/// kept the focus would take letters and Home or Page Up for itself.
void keepKeyboardOff(QWidget* root);

/// A label in white at the given opacity, as every text of the panels is drawn.
QLabel* label(const QString& text, const QFont& font, double alpha, QWidget* parent);

constexpr int kLargeTitleSize = 26;
constexpr int kTitle3Size = 20;
constexpr int kBodySize = 13;

/// The divider under a panel header and between sections.
constexpr double kDividerAlpha = 0.15;

} // namespace tavrin::PanelStyle
