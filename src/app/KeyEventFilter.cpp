#include "app/KeyEventFilter.h"

#include "session/KeyTable.h"
#include "session/ReaderSession.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <QWindow>

namespace tavrin {

KeyEventFilter::KeyEventFilter(ReaderSession& session, QWidget* readerWindow, QObject* parent)
    : QObject(parent), m_session(session), m_window(readerWindow)
{}

bool KeyEventFilter::isForReaderWindow(QObject* receiver) const
{
    if (!m_window || QApplication::activePopupWidget()) {
        return false;
    }
    // A key press reaches the window's platform window first and is then passed to the
    // focus widget; consuming it at the first of these stops it there.
    if (const auto* widget = qobject_cast<QWidget*>(receiver)) {
        return widget->window() == m_window;
    }
    if (const auto* window = qobject_cast<QWindow*>(receiver)) {
        return window == m_window->windowHandle();
    }
    return false;
}

bool KeyEventFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !isForReaderWindow(watched)) {
        return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    const auto modifiers = key->modifiers();
    const auto command = KeyTable::commandForEvent(
        key->nativeScanCode(), key->nativeVirtualKey(), key->key(),
        modifiers.testFlag(Qt::ShiftModifier),
        (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0);
    if (!command) {
        return false;
    }
    KeyTable::run(*command, m_session);
    return true;
}

} // namespace tavrin
