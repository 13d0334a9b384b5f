#pragma once

class QKeyEvent;
class QWidget;

// Full screen, the ways out of it and out of the application, and pointer hiding: the window
// services whose form differs by platform. Here: Qt's full-screen window state, which a
// window manager honours, toggled with F11; the standard quit keys (Ctrl+Q); and a blank
// override cursor that the reader removes at the pointer's next movement.

namespace tavrin::WindowPlatform {

/// Puts the window into full screen unless it is already there; a null window is ignored.
void enterFullScreen(QWidget* window);

/// Leaves full screen, or enters it.
void toggleFullScreen(QWidget* window);

/// Takes the window out of full screen, if it is in it.
void leaveFullScreen(QWidget* window);

/// The key that enters and leaves full screen.
bool isFullScreenKey(const QKeyEvent& event);

/// The platform's keys for quitting the application.
bool isQuitKey(const QKeyEvent& event);

/// Hides the pointer over every window of the application until showPointer().
void hidePointer();

/// Shows the pointer again if hidePointer() hid it; otherwise does nothing.
void showPointer();

bool isPointerHidden();

} // namespace tavrin::WindowPlatform
