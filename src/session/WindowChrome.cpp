#include "session/WindowChrome.h"

#include "session/Clock.h"

#include <chrono>
#include <utility>

namespace tavrin {

namespace {

constexpr std::chrono::milliseconds kHudVisible{1500};
constexpr std::chrono::milliseconds kIdleDelay{3000};

constexpr Animation kHudShow = Animation::easeIn(0.15);
constexpr Animation kHudHide = Animation::easeOut(0.4);
constexpr Animation kControlsShow = Animation::easeInOut(0.3);
constexpr Animation kControlsHide = Animation::easeInOut(0.5);

} // namespace

WindowChrome::WindowChrome(Clock& clock, FieldNotifier notify)
    : m_notify(std::move(notify)), m_idleTimer(clock.createTimer()),
      m_feedbackTimer(clock.createTimer())
{}

WindowChrome::~WindowChrome() = default;

void WindowChrome::setShowSettings(bool show, Animation animation)
{
    assignField(m_showSettings, show, SessionField::showSettings, m_notify, animation);
}

void WindowChrome::setShowBooks(bool show, Animation animation)
{
    assignField(m_showBooks, show, SessionField::showBooks, m_notify, animation);
}

void WindowChrome::setShowGear(bool show, Animation animation)
{
    assignField(m_showGear, show, SessionField::showGear, m_notify, animation);
}

void WindowChrome::setShowContents(bool show, Animation animation)
{
    assignField(m_showContents, show, SessionField::showContents, m_notify, animation);
}

void WindowChrome::toggleSettingsPanel()
{
    setShowSettings(!m_showSettings, kPanelToggle);
    if (m_showSettings) {
        setShowBooks(false, kPanelToggle);
        setShowContents(false, kPanelToggle);
    }
}

void WindowChrome::toggleBooksPanel()
{
    setShowBooks(!m_showBooks, kPanelToggle);
    if (m_showBooks) {
        setShowSettings(false, kPanelToggle);
        setShowContents(false, kPanelToggle);
    }
}

void WindowChrome::toggleContentsPanel()
{
    setShowContents(!m_showContents, kPanelToggle);
    if (m_showContents) {
        setShowSettings(false, kPanelToggle);
        setShowBooks(false, kPanelToggle);
    }
}

bool WindowChrome::closePanels()
{
    if (!anyPanelOpen()) {
        return false;
    }
    setShowSettings(false, kPanelToggle);
    setShowBooks(false, kPanelToggle);
    setShowContents(false, kPanelToggle);
    return true;
}

void WindowChrome::showControls()
{
    setShowGear(true, kControlsShow);
    resetIdleTimer();
}

void WindowChrome::hideControls()
{
    setShowGear(false, {});
}

void WindowChrome::resetIdleTimer()
{
    m_idleTimer->start(kIdleDelay, [this] { idleTimeUp(); });
}

void WindowChrome::idleTimeUp()
{
    // An open panel keeps the controls up until the next idle period after it closes.
    if (anyPanelOpen() || (keepControls && keepControls())) {
        return;
    }
    setShowGear(false, kControlsHide);
    if (wentIdle) {
        wentIdle();
    }
}

void WindowChrome::showHUD(std::string text)
{
    assignField(m_feedbackText, std::move(text), SessionField::feedbackText, m_notify);
    assignField(m_showFeedback, true, SessionField::showFeedback, m_notify, kHudShow);
    m_feedbackTimer->start(kHudVisible, [this] {
        assignField(m_showFeedback, false, SessionField::showFeedback, m_notify, kHudHide);
    });
}

} // namespace tavrin
