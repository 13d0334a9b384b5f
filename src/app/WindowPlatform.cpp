#include "app/WindowPlatform.h"

#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QWidget>

namespace tavrin::WindowPlatform {

void enterFullScreen(QWidget* window)
{
    if (window && !window->isFullScreen()) {
        window->showFullScreen();
    }
}

void toggleFullScreen(QWidget* window)
{
    if (!window) {
        return;
    }
    if (window->isFullScreen()) {
        window->showNormal();
    } else {
        window->showFullScreen();
    }
}

void leaveFullScreen(QWidget* window)
{
    if (window && window->isFullScreen()) {
        window->showNormal();
    }
}

bool isFullScreenKey(const QKeyEvent& event)
{
    return event.key() == Qt::Key_F11;
}

bool isQuitKey(const QKeyEvent& event)
{
    // The theme's binding, and Ctrl+Q where the theme (as on a bare X server) binds none.
    return event.matches(QKeySequence::Quit) ||
           event.keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_Q);
}

bool isPointerHidden()
{
    const QCursor* cursor = QGuiApplication::overrideCursor();
    return cursor && cursor->shape() == Qt::BlankCursor;
}

void hidePointer()
{
    // Override cursors stack; one blank cursor is pushed however often hiding is asked for,
    // so one restore always brings the pointer back.
    if (!isPointerHidden()) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::BlankCursor));
    }
}

void showPointer()
{
    if (isPointerHidden()) {
        QGuiApplication::restoreOverrideCursor();
    }
}

} // namespace tavrin::WindowPlatform
