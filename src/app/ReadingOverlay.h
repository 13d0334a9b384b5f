#pragma once

#include "common/Observers.h"
#include "session/ReaderSession.h"

#include <QObject>
#include <QRectF>
#include <QString>

class QWidget;

namespace tavrin {

class CentredText;
class ContextView;
class Fader;

/// What the window shows around the word to guide the reader, following the session: the
/// text around the word while reading is paused (a click on a word reads on from there), the
/// one-line hint under the word or title (the empty library's way in, "Space to read", the
/// end of the book), and with the controls the line of where the reader is and the time left.
class ReadingOverlay : public QObject
{
    Q_OBJECT

public:
    /// The layers are made children of window; the window stacks and places them.
    ReadingOverlay(ReaderSession& session, QWidget* window);
    ~ReadingOverlay() override;

    ContextView* contextView() const { return m_context; }
    CentredText* hintLine() const { return m_hint; }
    CentredText* whereLine() const { return m_where; }

    /// wordHeight: the line box of the word or title; hud and pause: the status message's
    /// band and the pause symbol's box, which the text around the word keeps clear of.
    void layOut(QSizeF window, double wordHeight, const QRectF& hud, const QRectF& pause);

    /// Whether the text around the word is up: reading has started and is paused.
    static bool showsContext(const ReaderSession& session);
    /// The hint under the word or title; empty when none is due.
    static QString hintText(ReaderSession& session);

private:
    void onChanged(ReaderSession::Field field, Animation animation);
    void updateContext();
    void updateHint();
    void updateWhere(Animation animation);
    // A colour dragged in the picker changes many times a second; it re-resolves no font.
    void updateColors();
    void updateFonts();

    ReaderSession& m_session;
    ContextView* m_context;
    CentredText* m_hint;
    CentredText* m_where;
    Fader* m_contextFader;
    Fader* m_whereFader;
    Subscription m_changedSubscription;
    Subscription m_booksSubscription;
};

} // namespace tavrin
