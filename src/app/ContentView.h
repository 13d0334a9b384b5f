#pragma once

#include "common/Observers.h"
#include "session/ReaderSession.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace tavrin {

class ButtonColumn;
class CentredText;
class Clock;
class CoverView;
class DocumentLoader;
class Fader;
class OneShotTimer;
class PanelHost;
class ORPWordView;
class PauseSymbolView;
class PointerMotionFilter;
class ProgressBar;
class ReadingOverlay;
struct Book;

/// The reader window: a stack of layers over the background colour with the current word in
/// the middle, drawn from the reader session and acting only through it. Everything else
/// appears only when needed: the pause sign, the "Loading…" line, the status message after a
/// command, and while the pointer moves the settings and library buttons, the progress bar
/// and the cover of the open book. The panels (PanelHost) slide in from the right edge.
class ContentView : public QWidget
{
    Q_OBJECT

public:
    /// The stack above the background, bottom to top. The cover of the open book and the
    /// library and settings strips have their places reserved between the others.
    enum class Layer
    {
        word,
        context,
        pauseSymbol,
        cover,
        loading,
        hint,
        hud,
        libraryStrip,
        settingsStrip,
        contentsStrip,
        buttonColumn,
        progressBar
    };

    /// clock times the delayed full-screen request; the session's own timers come from
    /// the clock it was made with. loader imports the files chosen in the open dialog or
    /// dropped on the library panel; without one nothing is imported.
    ContentView(ReaderSession& session, Clock& clock, DocumentLoader* loader = nullptr,
                QWidget* parent = nullptr);
    ~ContentView() override;
    ContentView(const ContentView&) = delete;
    ContentView& operator=(const ContentView&) = delete;

    ReaderSession& session() { return m_session; }
    PanelHost& panels() { return *m_panels; }

    /// Puts the window into full screen 0.1 s from now, unless it is already.
    void enterFullScreen();
    /// Gives the keyboard back to the window from any control inside it.
    void takeKeyboardBack();

Q_SIGNALS:
    /// The platform's quit keys were pressed.
    void quitRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    /// Runs once when the window is first shown.
    void appear();
    void onChanged(ReaderSession::Field field, Animation animation);
    void onPointerMoved();

    /// Puts a widget in its layer, above the layers below it and under those above.
    void addToLayer(Layer layer, QWidget* widget);
    void layOut();
    void showWordOrTitle();
    void updateWord();
    void updateTextColor();
    void updateFonts();
    void updateControls(Animation animation);
    void updateCover(Animation animation);
    /// The library's record of the open book, or nullptr.
    const Book* openBookRecord() const;

    ReaderSession& m_session;
    std::unique_ptr<OneShotTimer> m_fullScreenTimer;

    ORPWordView* m_wordView;
    CentredText* m_title;
    PauseSymbolView* m_pauseSymbol;
    CentredText* m_loadingLine;
    CentredText* m_hud;
    ButtonColumn* m_buttonColumn;
    ProgressBar* m_progressBar;
    CoverView* m_cover;
    PanelHost* m_panels;
    ReadingOverlay* m_overlay;
    Fader* m_coverFader;
    Fader* m_hudFader;
    Fader* m_buttonFader;
    Fader* m_progressFader;
    PointerMotionFilter* m_pointerFilter;

    std::vector<std::pair<Layer, QWidget*>> m_layers;
    bool m_appeared = false;
    Subscription m_changedSubscription;
    Subscription m_pointerHideSubscription;
    Subscription m_booksSubscription;
    Subscription m_leaveFullScreenSubscription;
};

} // namespace tavrin
