#pragma once

#include "common/Observers.h"
#include "library/BookContents.h"
#include "session/Animation.h"
#include "session/Playback.h"
#include "session/ReadingSettings.h"
#include "session/ReadingTime.h"
#include "session/SessionField.h"
#include "session/WindowChrome.h"
#include "settings/ColorData.h"
#include "settings/SettingsData.h"
#include "tokenize/WordToken.h"

#include <QString>
#include <QUuid>

#include <chrono>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tavrin {

struct Book;
class Clock;
class LibraryStore;

/// The reader state of the open book and the one object the window talks to: it holds the
/// word list, the position and the open book, and puts the reader's commands together from
/// its parts (the reading settings, playback, the window chrome and the navigation
/// functions). Every change of a field is reported through `changed` together with the
/// animation the window should use. Main thread only.
class ReaderSession
{
public:
    using Field = SessionField;

    /// settingsPath: the settings file; std::nullopt = no settings persistence.
    ReaderSession(LibraryStore& library, Clock& clock, std::optional<QString> settingsPath);
    ~ReaderSession();
    ReaderSession(const ReaderSession&) = delete;
    ReaderSession& operator=(const ReaderSession&) = delete;

    LibraryStore& library() { return m_library; }

    ColorData backgroundColor() const { return m_settings.data().backgroundColor; }
    ColorData textColor() const { return m_settings.data().textColor; }
    ColorData orpColor() const { return m_settings.data().orpColor; }
    const std::string& selectedFont() const { return m_settings.data().selectedFont; }
    double fontSize() const { return m_settings.data().fontSize; }
    double wpm() const { return m_settings.data().wpm; }
    bool showSettings() const { return m_chrome.showSettings(); }
    bool showBooks() const { return m_chrome.showBooks(); }
    bool showGear() const { return m_chrome.showGear(); }
    bool showContents() const { return m_chrome.showContents(); }
    bool anyPanelOpen() const { return m_chrome.anyPanelOpen(); }
    const std::vector<WordToken>& tokens() const { return m_tokens; }
    /// The open book's chapters and headings; reported with tokens.
    const std::vector<ContentsEntry>& contents() const { return m_contents; }
    std::int64_t currentIndex() const { return m_currentIndex; }
    bool isPlaying() const { return m_playback.isPlaying(); }
    bool isPaused() const { return m_playback.isPaused(); }
    bool isLoading() const { return m_isLoading; }
    std::optional<QUuid> currentBookID() const { return m_currentBookID; }
    const std::string& feedbackText() const { return m_chrome.feedbackText(); }
    bool showFeedback() const { return m_chrome.showFeedback(); }
    /// 0.0 on the first word, 1.0 on the last; 0.0 with fewer than two words.
    double progress() const;
    /// Playback ran to the last word and stopped there.
    bool isFinished() const { return m_isFinished; }
    /// A book is open, stopped at the start of a chapter, and has not been played since it
    /// was opened in this run: the moment to say which key starts reading.
    bool showsStartHint() const;
    /// Where the reader is and how long the rest takes at the current speed, for example
    /// "Chapter 3 of 12 · 42% · 9 min left in chapter · 2 h 14 min left"; empty with no book.
    std::string whereText() const;

    // A change of one of the six settings writes the settings file once; setting a value
    // equal to the current one changes nothing and writes nothing.
    void setBackgroundColor(ColorData color) { m_settings.setBackgroundColor(color); }
    void setTextColor(ColorData color) { m_settings.setTextColor(color); }
    void setOrpColor(ColorData color) { m_settings.setOrpColor(color); }
    void setSelectedFont(std::string font) { m_settings.setSelectedFont(std::move(font)); }
    void setFontSize(double size) { m_settings.setFontSize(size); }
    void setWpm(double wpm) { m_settings.setWpm(wpm); }
    void setShowSettings(bool show, Animation animation = {})
    {
        m_chrome.setShowSettings(show, animation);
    }
    void setShowBooks(bool show, Animation animation = {})
    {
        m_chrome.setShowBooks(show, animation);
    }
    void setLoading(bool loading);

    /// Enters Playing from any state and shows the current word for a full interval.
    void startPlayback();
    /// Stores currentIndex as the open book's reading position.
    void saveCurrentProgress();

    void handleSpacebar();
    void handleArrow(bool right, bool fine);
    void handleChapter(bool forward);
    void handleSkip(bool forward);
    void handleFontSize(bool increase);
    /// Q and E: to the start of this or the previous sentence, or of the next one.
    void handleSentence(bool forward);
    /// One word back or forward; only while not reading.
    void handleWordStep(bool forward);
    /// Makes the word at index the current one (a click in the text around it).
    void goToWord(std::int64_t index);
    /// Goes to the first word of a chapter or heading from the contents and closes them.
    void goToContentsEntry(std::int64_t index);
    /// Closes the open panel, or asks the window to leave full screen when none is open.
    void handleEscape();
    /// Shows the text below the word; it fades 1.5 s after the latest message.
    void showHUD(std::string text) { m_chrome.showHUD(std::move(text)); }

    /// Applies the settings file, if it reads whole, through the setters above.
    void loadSettings() { m_settings.load(); }
    const SettingsData& settingsData() const { return m_settings.data(); }

    /// Pointer movement over the window: pauses playback, shows the controls, restarts
    /// the idle timer.
    void pointerMoved();
    /// Shows the controls as pointer movement does, without pausing.
    void showControls() { m_chrome.showControls(); }
    /// The gear button; at most one panel is open at a time.
    void toggleSettingsPanel() { m_chrome.toggleSettingsPanel(); }
    /// The library button.
    void toggleBooksPanel() { m_chrome.toggleBooksPanel(); }
    /// The contents button and T; only with a book open.
    void toggleContentsPanel();
    void setShowContents(bool show, Animation animation = {})
    {
        m_chrome.setShowContents(show, animation);
    }
    /// A press or drag on the progress bar at this fraction of its width.
    void seekToFraction(double fraction);

    /// Makes a library book the document being read, stopped at its saved word.
    void openBook(const Book& book);
    /// The same with the book's words and contents already read (off the main thread).
    void openBook(const Book& book, std::vector<WordToken> tokens,
                  std::vector<ContentsEntry> contents);
    /// Removes a book from the library, closing it first if it is the open one.
    void removeBook(const Book& book);

    /// Every change of a field, with the animation the window should use for it.
    Observers<Field, Animation> changed;
    /// Hide the pointer until it next moves.
    Observers<> pointerHideRequested;
    /// Escape with no panel open.
    Observers<> leaveFullScreenRequested;

private:
    void notify(Field field, Animation animation) { changed.notify(field, animation); }
    void setCurrentIndex(std::int64_t index);
    void setFinished(bool finished);
    /// Moves to target (if any) as a key does: saves, shows "Word N", keeps reading.
    void moveToWord(std::optional<std::int64_t> target);
    std::chrono::nanoseconds currentInterval() const;
    void pausePlayback();
    void wordEnded();
    /// After a move by key: saves the position and restarts the word's full interval.
    void afterMove(std::string hud);
    /// Puts a new word list in place with its position and book, stopped.
    void replaceDocument(std::vector<WordToken> tokens, std::vector<ContentsEntry> contents,
                         std::int64_t index, std::optional<QUuid> bookID);

    LibraryStore& m_library;
    ReadingSettings m_settings;
    WindowChrome m_chrome;
    Playback m_playback;
    std::vector<WordToken> m_tokens;
    std::vector<ContentsEntry> m_contents;
    ReadingTime m_readingTime;
    std::int64_t m_currentIndex = 0;
    bool m_isFinished = false;
    /// Books played since they were opened in this run; their start hint does not return.
    std::set<QUuid> m_playedBooks;
    Subscription m_libraryWriteFailed;
    Subscription m_libraryChanged;
    bool m_libraryEmpty = true;
    bool m_isLoading = false;
    std::optional<QUuid> m_currentBookID;
};

} // namespace tavrin
