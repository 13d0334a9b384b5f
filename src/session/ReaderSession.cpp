#include "session/ReaderSession.h"

#include "library/LibraryStore.h"
#include "session/Clock.h"
#include "session/PlaybackTiming.h"
#include "settings/Presets.h"
#include "settings/SettingsFile.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace tavrin {

namespace {

constexpr double kLowestWpm = 60.0;
constexpr double kHighestWpm = 600.0;
constexpr double kWpmStep = 10.0;
constexpr double kWpmFineStep = 1.0;
constexpr double kSmallestFont = 20.0;
constexpr double kLargestFont = 120.0;
constexpr double kFontStep = 2.0;
constexpr std::int64_t kSkipWords = 25;

constexpr std::chrono::milliseconds kHudVisible{1500};
constexpr std::chrono::milliseconds kIdleDelay{3000};

constexpr Animation kHudShow = Animation::easeIn(0.15);
constexpr Animation kHudHide = Animation::easeOut(0.4);
constexpr Animation kControlsShow = Animation::easeInOut(0.3);
constexpr Animation kControlsHide = Animation::easeInOut(0.5);
constexpr Animation kPanelToggle = Animation::easeInOut(0.2);

/// One step of a keyboard-adjusted value, kept within its limits. A value that is not a
/// number (never written by this program) steps from the lowest limit.
double stepWithin(double value, double delta, double lowest, double highest)
{
    const double base = std::isnan(value) ? lowest : value;
    return std::max(lowest, std::min(highest, base + delta));
}

/// The number shown in the HUD: the integer part of a value already within its limits.
std::string integerText(double value)
{
    return std::to_string(static_cast<long long>(std::trunc(value)));
}

} // namespace

ReaderSession::ReaderSession(LibraryStore& library, Clock& clock,
                             std::optional<QString> settingsPath)
    : m_library(library), m_clock(clock), m_settingsPath(std::move(settingsPath)),
      m_idleTimer(clock.createTimer()), m_playbackTimer(clock.createTimer()),
      m_orpColor(Presets::standardRed()), m_feedbackTimer(clock.createTimer())
{}

ReaderSession::~ReaderSession() = default;

double ReaderSession::progress() const
{
    if (m_tokens.size() < 2) {
        return 0.0;
    }
    return static_cast<double>(m_currentIndex) / static_cast<double>(m_tokens.size() - 1);
}

template<typename T>
bool ReaderSession::assign(T& member, T value, Field field, Animation animation)
{
    if (member == value) {
        return false;
    }
    member = std::move(value);
    changed.notify(field, animation);
    return true;
}

template<typename T> void ReaderSession::assignSetting(T& member, T value, Field field)
{
    if (assign(member, std::move(value), field)) {
        saveSettings();
    }
}

void ReaderSession::setBackgroundColor(ColorData color)
{
    assignSetting(m_backgroundColor, color, Field::backgroundColor);
}

void ReaderSession::setTextColor(ColorData color)
{
    assignSetting(m_textColor, color, Field::textColor);
}

void ReaderSession::setOrpColor(ColorData color)
{
    assignSetting(m_orpColor, color, Field::orpColor);
}

void ReaderSession::setSelectedFont(std::string font)
{
    assignSetting(m_selectedFont, std::move(font), Field::selectedFont);
}

void ReaderSession::setFontSize(double size)
{
    assignSetting(m_fontSize, size, Field::fontSize);
}

void ReaderSession::setWpm(double wpm)
{
    assignSetting(m_wpm, wpm, Field::wpm);
}

void ReaderSession::setShowSettings(bool show, Animation animation)
{
    assign(m_showSettings, show, Field::showSettings, animation);
}

void ReaderSession::setShowBooks(bool show, Animation animation)
{
    assign(m_showBooks, show, Field::showBooks, animation);
}

void ReaderSession::setLoading(bool loading)
{
    assign(m_isLoading, loading, Field::isLoading);
}

void ReaderSession::setShowGear(bool show, Animation animation)
{
    assign(m_showGear, show, Field::showGear, animation);
}

void ReaderSession::setCurrentIndex(std::int64_t index)
{
    assign(m_currentIndex, index, Field::currentIndex);
}

void ReaderSession::setPlayState(bool playing, bool paused)
{
    // Both flags change before anyone is told, so no observer ever sees "paused but not
    // playing".
    const bool playingChanged = std::exchange(m_isPlaying, playing) != playing;
    const bool pausedChanged = std::exchange(m_isPaused, paused) != paused;
    if (playingChanged) {
        changed.notify(Field::isPlaying, {});
    }
    if (pausedChanged) {
        changed.notify(Field::isPaused, {});
    }
}

void ReaderSession::startPlayback()
{
    if (m_tokens.empty()) {
        return;
    }
    m_playbackTimer->cancel();
    setPlayState(true, false);
    m_wordStart = m_clock.now();
    scheduleNext();
}

void ReaderSession::scheduleNext()
{
    if (!m_isPlaying || m_isPaused) {
        return;
    }
    if (m_currentIndex < 0 || m_currentIndex >= static_cast<std::int64_t>(m_tokens.size())) {
        return;
    }
    const auto& token = m_tokens[static_cast<std::size_t>(m_currentIndex)];
    const auto interval = PlaybackTiming::wordInterval(token.pauseMultiplier, m_wpm);
    const auto now = m_clock.now();
    m_wordEnd = PlaybackTiming::wordDeadline(m_wordStart, interval, now);
    m_wordStart = m_wordEnd - interval;
    m_playbackTimer->start(m_wordEnd - now, [this] { wordTimeUp(); });
}

void ReaderSession::wordTimeUp()
{
    if (!m_isPlaying || m_isPaused) {
        return;
    }
    if (m_currentIndex >= static_cast<std::int64_t>(m_tokens.size()) - 1) {
        m_playbackTimer->cancel();
        setPlayState(false, false);
        return;
    }
    m_wordStart = m_wordEnd;
    setCurrentIndex(m_currentIndex + 1);
    // The next word's timer runs before the library is written, so the write's cost is
    // taken out of the word's time rather than added to it.
    scheduleNext();
    saveCurrentProgress();
}

void ReaderSession::saveCurrentProgress()
{
    if (m_currentBookID) {
        m_library.updateProgress(*m_currentBookID, m_currentIndex);
    }
}

void ReaderSession::pausePlayback()
{
    m_playbackTimer->cancel();
    setPlayState(true, true);
    saveCurrentProgress();
}

void ReaderSession::handleSpacebar()
{
    if (m_tokens.empty()) {
        return;
    }
    if (m_isPlaying && !m_isPaused) {
        pausePlayback();
        return;
    }
    startPlayback();
    setShowGear(false, {});
    pointerHideRequested.notify();
}

void ReaderSession::handleArrow(bool right, bool fine)
{
    const double step = fine ? kWpmFineStep : kWpmStep;
    setWpm(stepWithin(m_wpm, right ? step : -step, kLowestWpm, kHighestWpm));
    showHUD(integerText(m_wpm) + " WPM");
    if (m_isPlaying && !m_isPaused) {
        startPlayback();
    }
}

void ReaderSession::handleChapter(bool forward)
{
    if (m_tokens.empty()) {
        return;
    }
    const auto count = static_cast<std::int64_t>(m_tokens.size());
    const auto chapterAt = [this](std::int64_t i) {
        return m_tokens[static_cast<std::size_t>(i)].chapterIndex;
    };
    const auto firstIndexWhere = [&](auto predicate) -> std::optional<std::int64_t> {
        for (std::int64_t i = 0; i < count; ++i) {
            if (predicate(chapterAt(i))) {
                return i;
            }
        }
        return std::nullopt;
    };

    const std::int64_t c = chapterAt(m_currentIndex);
    if (forward) {
        const auto next = firstIndexWhere([c](std::int64_t chapter) { return chapter > c; });
        if (!next) {
            return;
        }
        setCurrentIndex(*next);
    } else {
        const auto start =
            firstIndexWhere([c](std::int64_t chapter) { return chapter == c; }).value_or(0);
        if (start < m_currentIndex) {
            setCurrentIndex(start);
        } else if (c - 1 >= 0) {
            const auto previous =
                firstIndexWhere([c](std::int64_t chapter) { return chapter == c - 1; });
            if (previous) {
                setCurrentIndex(*previous);
            }
        }
    }
    saveCurrentProgress();
    showHUD("Chapter " + std::to_string(chapterAt(m_currentIndex) + 1));
    if (m_isPlaying && !m_isPaused) {
        startPlayback();
    }
}

void ReaderSession::handleSkip(bool forward)
{
    if (m_tokens.empty()) {
        return;
    }
    const auto last = static_cast<std::int64_t>(m_tokens.size()) - 1;
    const std::int64_t target = m_currentIndex + (forward ? kSkipWords : -kSkipWords);
    setCurrentIndex(std::max<std::int64_t>(0, std::min(last, target)));
    saveCurrentProgress();
    showHUD("Word " + std::to_string(m_currentIndex + 1));
    if (m_isPlaying && !m_isPaused) {
        startPlayback();
    }
}

void ReaderSession::handleFontSize(bool increase)
{
    setFontSize(
        stepWithin(m_fontSize, increase ? kFontStep : -kFontStep, kSmallestFont, kLargestFont));
    showHUD(integerText(m_fontSize) + " pt");
}

void ReaderSession::showHUD(std::string text)
{
    assign(m_feedbackText, std::move(text), Field::feedbackText);
    assign(m_showFeedback, true, Field::showFeedback, kHudShow);
    m_feedbackTimer->start(
        kHudVisible, [this] { assign(m_showFeedback, false, Field::showFeedback, kHudHide); });
}

SettingsData ReaderSession::settingsData() const
{
    SettingsData data;
    data.selectedFont = m_selectedFont;
    data.fontSize = m_fontSize;
    data.wpm = m_wpm;
    data.backgroundColor = m_backgroundColor;
    data.textColor = m_textColor;
    data.orpColor = m_orpColor;
    return data;
}

void ReaderSession::loadSettings()
{
    if (!m_settingsPath) {
        return;
    }
    const auto loaded = SettingsFile::load(*m_settingsPath);
    if (!loaded) {
        return;
    }
    setSelectedFont(loaded->selectedFont);
    setFontSize(loaded->fontSize);
    setWpm(loaded->wpm);
    setBackgroundColor(loaded->backgroundColor);
    setTextColor(loaded->textColor);
    setOrpColor(loaded->orpColor);
}

void ReaderSession::saveSettings()
{
    if (m_settingsPath) {
        // A failed write leaves the new value in effect; it is lost only at the next start.
        static_cast<void>(SettingsFile::save(*m_settingsPath, settingsData()));
    }
}

void ReaderSession::pointerMoved()
{
    if (m_isPlaying && !m_isPaused) {
        pausePlayback();
    }
    setShowGear(true, kControlsShow);
    resetIdleTimer();
}

void ReaderSession::resetIdleTimer()
{
    m_idleTimer->start(kIdleDelay, [this] { idleTimeUp(); });
}

void ReaderSession::idleTimeUp()
{
    // An open panel keeps the controls up until the next idle period after it closes.
    if (m_showSettings || m_showBooks) {
        return;
    }
    setShowGear(false, kControlsHide);
    pointerHideRequested.notify();
}

void ReaderSession::toggleSettingsPanel()
{
    setShowSettings(!m_showSettings, kPanelToggle);
    if (m_showSettings) {
        setShowBooks(false, kPanelToggle);
    }
}

void ReaderSession::toggleBooksPanel()
{
    setShowBooks(!m_showBooks, kPanelToggle);
    if (m_showBooks) {
        setShowSettings(false, kPanelToggle);
    }
}

void ReaderSession::seekToFraction(double fraction)
{
    if (m_tokens.empty()) {
        return;
    }
    const double clamped = std::isnan(fraction) ? 0.0 : std::clamp(fraction, 0.0, 1.0);
    const auto last = static_cast<double>(m_tokens.size() - 1);
    setCurrentIndex(static_cast<std::int64_t>(clamped * last));
    saveCurrentProgress();
}

void ReaderSession::replaceDocument(std::vector<WordToken> tokens, std::int64_t index,
                                    std::optional<QUuid> bookID)
{
    m_playbackTimer->cancel();
    // Everything is in place before the first notification, so an observer never sees a
    // position that lies outside the new word list.
    m_tokens = std::move(tokens);
    const bool indexChanged = std::exchange(m_currentIndex, index) != index;
    const bool bookChanged = std::exchange(m_currentBookID, bookID) != bookID;
    const bool playingChanged = std::exchange(m_isPlaying, false);
    const bool pausedChanged = std::exchange(m_isPaused, false);
    changed.notify(Field::tokens, {});
    if (indexChanged) {
        changed.notify(Field::currentIndex, {});
    }
    if (bookChanged) {
        changed.notify(Field::currentBookID, {});
    }
    if (playingChanged) {
        changed.notify(Field::isPlaying, {});
    }
    if (pausedChanged) {
        changed.notify(Field::isPaused, {});
    }
}

void ReaderSession::openBook(const Book& book)
{
    openBook(book, m_library.loadWords(book));
}

void ReaderSession::openBook(const Book& book, std::vector<WordToken> tokens)
{
    const QUuid id = book.id;
    saveCurrentProgress();

    // The store's record is read after the save above, so reopening the book being read
    // keeps the word on screen even when the caller's copy of the record is older.
    std::int64_t index = book.currentWordIndex;
    const auto& books = m_library.books();
    if (const auto it =
            std::find_if(books.begin(), books.end(), [&id](const Book& b) { return b.id == id; });
        it != books.end()) {
        index = it->currentWordIndex;
    }
    // A stored position outside the word list (a hand-edited library) would leave nothing
    // to draw; it is brought into range. With no words at all it is kept, so that saving
    // before the next book opens writes back what was stored rather than 0.
    if (!tokens.empty()) {
        index = std::clamp<std::int64_t>(index, 0, static_cast<std::int64_t>(tokens.size()) - 1);
    }
    replaceDocument(std::move(tokens), index, id);
    m_library.setLastOpenBook(id);
}

void ReaderSession::removeBook(const Book& book)
{
    if (m_currentBookID && *m_currentBookID == book.id) {
        replaceDocument({}, 0, std::nullopt);
        m_library.setLastOpenBook(std::nullopt);
    }
    m_library.removeBook(book);
}

} // namespace tavrin
