#include "session/ReaderSession.h"

#include "library/LibraryStore.h"
#include "session/Navigation.h"
#include "session/PlaybackTiming.h"

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
    : m_library(library),
      m_settings(std::move(settingsPath), [this](Field f, Animation a) { notify(f, a); }),
      m_chrome(clock, [this](Field f, Animation a) { notify(f, a); }),
      m_playback(clock, [this](Field f, Animation a) { notify(f, a); })
{
    m_playback.wordEnded = [this] { wordEnded(); };
    m_chrome.wentIdle = [this] { pointerHideRequested.notify(); };
    // With nothing to read, the way to a first book stays in view.
    m_chrome.keepControls = [this] { return m_library.books().empty(); };
    // A write that fails is the one failure the reader must hear of: what they change or
    // read would be lost at the next start.
    m_settings.saveFailed = [this](WriteError error) {
        showHUD("Couldn't save the settings: " + describe(error));
    };
    m_libraryWriteFailed = m_library.writeFailed.subscribe(
        [this](WriteError error) { showHUD("Couldn't save the library: " + describe(error)); });
    // The controls were kept up for the empty library; from its first book on they go when
    // idle, counted from then.
    m_libraryEmpty = m_library.books().empty();
    m_libraryChanged = m_library.booksChanged.subscribe([this] {
        const bool empty = m_library.books().empty();
        if (std::exchange(m_libraryEmpty, empty) && !empty && m_chrome.showGear()) {
            m_chrome.resetIdleTimer();
        }
    });
}

ReaderSession::~ReaderSession() = default;

double ReaderSession::progress() const
{
    if (m_tokens.size() < 2) {
        return 0.0;
    }
    return static_cast<double>(m_currentIndex) / static_cast<double>(m_tokens.size() - 1);
}

void ReaderSession::setLoading(bool loading)
{
    if (std::exchange(m_isLoading, loading) != loading) {
        notify(Field::isLoading, {});
    }
}

void ReaderSession::setCurrentIndex(std::int64_t index)
{
    if (std::exchange(m_currentIndex, index) != index) {
        setFinished(false);
        notify(Field::currentIndex, {});
    }
}

void ReaderSession::setFinished(bool finished)
{
    if (std::exchange(m_isFinished, finished) != finished) {
        notify(Field::isFinished, {});
    }
}

bool ReaderSession::showsStartHint() const
{
    if (!m_currentBookID || m_tokens.empty() || isPlaying() ||
        m_playedBooks.contains(*m_currentBookID)) {
        return false;
    }
    const auto chapter = m_tokens[static_cast<std::size_t>(m_currentIndex)].chapterIndex;
    return m_currentIndex == 0 ||
           m_tokens[static_cast<std::size_t>(m_currentIndex - 1)].chapterIndex != chapter;
}

std::string ReaderSession::whereText() const
{
    if (m_tokens.empty()) {
        return {};
    }
    return ReadingTime::describe(m_readingTime.at(m_currentIndex, wpm()));
}

std::chrono::nanoseconds ReaderSession::currentInterval() const
{
    const auto& token = m_tokens[static_cast<std::size_t>(m_currentIndex)];
    return PlaybackTiming::wordInterval(token.pauseMultiplier, wpm());
}

void ReaderSession::startPlayback()
{
    if (m_tokens.empty()) {
        return;
    }
    if (m_currentBookID) {
        m_playedBooks.insert(*m_currentBookID);
    }
    m_playback.start(currentInterval());
}

void ReaderSession::wordEnded()
{
    if (m_currentIndex >= static_cast<std::int64_t>(m_tokens.size()) - 1) {
        m_playback.stop();
        setFinished(true);
        return;
    }
    setCurrentIndex(m_currentIndex + 1);
    // The next word's timer runs before the library is written, so the write's cost is
    // taken out of the word's time rather than added to it.
    m_playback.advance(currentInterval());
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
    m_playback.pause();
    saveCurrentProgress();
}

void ReaderSession::handleSpacebar()
{
    if (m_tokens.empty()) {
        return;
    }
    if (m_playback.isRunning()) {
        pausePlayback();
        return;
    }
    if (m_isFinished) {
        // Space after the last word reads the book again.
        setCurrentIndex(0);
        saveCurrentProgress();
    }
    startPlayback();
    m_chrome.hideControls();
    pointerHideRequested.notify();
}

void ReaderSession::handleArrow(bool right, bool fine)
{
    const double step = fine ? kWpmFineStep : kWpmStep;
    setWpm(stepWithin(wpm(), right ? step : -step, kLowestWpm, kHighestWpm));
    showHUD(integerText(wpm()) + " WPM");
    if (m_playback.isRunning()) {
        startPlayback();
    }
}

void ReaderSession::afterMove(std::string hud)
{
    // The message first, so that a failed save can replace it.
    showHUD(std::move(hud));
    saveCurrentProgress();
    if (m_playback.isRunning()) {
        startPlayback();
    }
}

void ReaderSession::handleChapter(bool forward)
{
    const auto target = Navigation::chapterStep(m_tokens, m_currentIndex, forward);
    if (!target) {
        return;
    }
    setCurrentIndex(*target);
    afterMove("Chapter " +
              std::to_string(m_tokens[static_cast<std::size_t>(*target)].chapterIndex + 1));
}

void ReaderSession::handleSkip(bool forward)
{
    if (!m_tokens.empty()) {
        moveToWord(
            Navigation::skip(static_cast<std::int64_t>(m_tokens.size()), m_currentIndex, forward));
    }
}

void ReaderSession::handleFontSize(bool increase)
{
    setFontSize(
        stepWithin(fontSize(), increase ? kFontStep : -kFontStep, kSmallestFont, kLargestFont));
    showHUD(integerText(fontSize()) + " pt");
}

void ReaderSession::moveToWord(std::optional<std::int64_t> target)
{
    if (!target) {
        return;
    }
    setCurrentIndex(*target);
    afterMove("Word " + std::to_string(m_currentIndex + 1));
}

void ReaderSession::handleSentence(bool forward)
{
    moveToWord(Navigation::sentenceStep(m_tokens, m_currentIndex, forward));
}

void ReaderSession::handleWordStep(bool forward)
{
    if (m_playback.isRunning()) {
        return;
    }
    moveToWord(
        Navigation::wordStep(static_cast<std::int64_t>(m_tokens.size()), m_currentIndex, forward));
}

void ReaderSession::goToWord(std::int64_t index)
{
    if (index < 0 || index >= static_cast<std::int64_t>(m_tokens.size())) {
        return;
    }
    setCurrentIndex(index);
    saveCurrentProgress();
}

void ReaderSession::goToContentsEntry(std::int64_t index)
{
    if (index < 0 || index >= static_cast<std::int64_t>(m_tokens.size())) {
        return;
    }
    setCurrentIndex(index);
    m_chrome.setShowContents(false, WindowChrome::kPanelToggle);
    // A book of one chapter (plain text) has its headings for chapters: they are counted.
    const bool oneChapter = m_tokens.front().chapterIndex == m_tokens.back().chapterIndex;
    const std::int64_t number = oneChapter
                                    ? BookContents::currentEntry(m_contents, index) + 1
                                    : m_tokens[static_cast<std::size_t>(index)].chapterIndex + 1;
    afterMove("Chapter " + std::to_string(number));
}

void ReaderSession::toggleContentsPanel()
{
    if (m_tokens.empty() && !showContents()) {
        return;
    }
    m_chrome.toggleContentsPanel();
}

void ReaderSession::handleEscape()
{
    if (!m_chrome.closePanels()) {
        leaveFullScreenRequested.notify();
    }
}

void ReaderSession::pointerMoved()
{
    if (m_playback.isRunning()) {
        pausePlayback();
    }
    m_chrome.showControls();
}

void ReaderSession::seekToFraction(double fraction)
{
    if (m_tokens.empty()) {
        return;
    }
    setCurrentIndex(Navigation::seek(static_cast<std::int64_t>(m_tokens.size()), fraction));
    saveCurrentProgress();
}

void ReaderSession::replaceDocument(std::vector<WordToken> tokens,
                                    std::vector<ContentsEntry> contents, std::int64_t index,
                                    std::optional<QUuid> bookID)
{
    const auto [playingChanged, pausedChanged] = m_playback.stopQuietly();
    // Everything is in place before the first notification, so an observer never sees a
    // position that lies outside the new word list.
    m_tokens = std::move(tokens);
    m_contents = std::move(contents);
    m_readingTime.setTokens(m_tokens);
    const bool finishedChanged = std::exchange(m_isFinished, false);
    const bool indexChanged = std::exchange(m_currentIndex, index) != index;
    const bool bookChanged = std::exchange(m_currentBookID, bookID) != bookID;
    notify(Field::tokens, {});
    if (indexChanged) {
        notify(Field::currentIndex, {});
    }
    if (bookChanged) {
        notify(Field::currentBookID, {});
    }
    if (playingChanged) {
        notify(Field::isPlaying, {});
    }
    if (pausedChanged) {
        notify(Field::isPaused, {});
    }
    if (finishedChanged) {
        notify(Field::isFinished, {});
    }
}

void ReaderSession::openBook(const Book& book)
{
    auto tokens = m_library.loadWords(book);
    auto contents = LibraryStore::loadContents(book, tokens);
    openBook(book, std::move(tokens), std::move(contents));
}

void ReaderSession::openBook(const Book& book, std::vector<WordToken> tokens,
                             std::vector<ContentsEntry> contents)
{
    const QUuid id = book.id;
    saveCurrentProgress();

    // The store's record is read after the save above, so reopening the book being read
    // keeps the word on screen even when the caller's copy of the record is older.
    std::int64_t index = book.currentWordIndex;
    if (const Book* stored = m_library.find(id)) {
        index = stored->currentWordIndex;
    }
    // A stored position outside the word list (a hand-edited library) would leave nothing
    // to draw; it is brought into range. With no words at all it is kept, so that saving
    // before the next book opens writes back what was stored rather than 0.
    if (!tokens.empty()) {
        index = std::clamp<std::int64_t>(index, 0, static_cast<std::int64_t>(tokens.size()) - 1);
    }
    replaceDocument(std::move(tokens), std::move(contents), index, id);
    m_library.setLastOpenBook(id);
}

void ReaderSession::removeBook(const Book& book)
{
    if (m_currentBookID && *m_currentBookID == book.id) {
        replaceDocument({}, {}, 0, std::nullopt);
        m_library.setLastOpenBook(std::nullopt);
    }
    m_library.removeBook(book);
}

} // namespace tavrin
