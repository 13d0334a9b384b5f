#pragma once

#include "session/SessionField.h"

#include <functional>
#include <memory>
#include <string>

namespace tavrin {

class Clock;
class OneShotTimer;

/// What the window shows around the word: which panel is open (at most one of library,
/// settings and contents), whether the controls are up (they go after 3 s without pointer
/// movement unless a panel is open or keepControls says so), and the status message (HUD),
/// which fades 1.5 s after the latest one.
class WindowChrome
{
public:
    /// How a panel slides in or out.
    static constexpr Animation kPanelToggle = Animation::easeInOut(0.2);

    WindowChrome(Clock& clock, FieldNotifier notify);
    ~WindowChrome();
    WindowChrome(const WindowChrome&) = delete;
    WindowChrome& operator=(const WindowChrome&) = delete;

    bool showSettings() const { return m_showSettings; }
    bool showBooks() const { return m_showBooks; }
    bool showContents() const { return m_showContents; }
    bool showGear() const { return m_showGear; }
    bool anyPanelOpen() const { return m_showSettings || m_showBooks || m_showContents; }
    const std::string& feedbackText() const { return m_feedbackText; }
    bool showFeedback() const { return m_showFeedback; }

    void setShowSettings(bool show, Animation animation = {});
    void setShowBooks(bool show, Animation animation = {});
    void toggleSettingsPanel();
    void toggleBooksPanel();
    void toggleContentsPanel();
    void setShowContents(bool show, Animation animation = {});
    /// Closes whichever panel is open; false when none was.
    bool closePanels();

    /// Shows the controls and restarts the idle timer.
    void showControls();
    /// Hides the controls at once (reading starts).
    void hideControls();
    void resetIdleTimer();

    void showHUD(std::string text);

    /// The controls went idle: the pointer should hide until it next moves.
    std::function<void()> wentIdle;
    /// While this says so, the controls stay up when idle (an empty library, for instance).
    std::function<bool()> keepControls;

private:
    void setShowGear(bool show, Animation animation);
    void idleTimeUp();

    FieldNotifier m_notify;
    bool m_showSettings = false;
    bool m_showBooks = false;
    bool m_showContents = false;
    bool m_showGear = false;
    std::string m_feedbackText;
    bool m_showFeedback = false;
    std::unique_ptr<OneShotTimer> m_idleTimer;
    std::unique_ptr<OneShotTimer> m_feedbackTimer;
};

} // namespace tavrin
