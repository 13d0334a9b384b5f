#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

namespace tavrin {

class ReaderSession;

/// The reader's keyboard: installed on the application, it sees every key press of the
/// reader window, whichever widget of it has focus, and runs the command the session's key
/// table binds to the key's physical position. A key with a command is consumed, repeats
/// included; every other key goes on to the window. Key presses meant for another window
/// (a dialog) or for an open pop-up menu are left alone, so those can still be typed into
/// and navigated.
class KeyEventFilter : public QObject
{
    Q_OBJECT

public:
    KeyEventFilter(ReaderSession& session, QWidget* readerWindow, QObject* parent = nullptr);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool isForReaderWindow(QObject* receiver) const;

    ReaderSession& m_session;
    QPointer<QWidget> m_window;
};

} // namespace tavrin
