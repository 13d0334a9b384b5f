#pragma once

#include "common/Observers.h"
#include "session/Animation.h"
#include "settings/ColorData.h"
#include "settings/SettingsData.h"
#include "tokenize/WordToken.h"

#include <QString>
#include <QUuid>

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tavrin {

struct Book;
class Clock;
class LibraryStore;
class OneShotTimer;

/// The reader state of the open book and everything that changes it: the six reading
/// settings, the word list and position, the play state with its word timer, the panel and
/// control flags with the idle timer, and the status message (HUD) with its timer. The
/// window draws from it and acts only through its operations; every change of a field is
/// reported through `changed` together with the animation the window should use.
/// Main thread only.
class ReaderSession
{
public:
    enum class Field
    {
        backgroundColor,
        textColor,
        selectedFont,
        fontSize,
        wpm,
        showSettings,
        showBooks,
        showGear,
        tokens,
        currentIndex,
        isPlaying,
        isPaused,
        isLoading,
        currentBookID,
        orpColor,
        feedbackText,
        showFeedback
    };

    /// settingsPath: the settings file; std::nullopt = no settings persistence.
    ReaderSession(LibraryStore& library, Clock& clock, std::optional<QString> settingsPath);
    ~ReaderSession();
    ReaderSession(const ReaderSession&) = delete;
    ReaderSession& operator=(const ReaderSession&) = delete;

    LibraryStore& library() { return m_library; }

    ColorData backgroundColor() const { return m_backgroundColor; }
    ColorData textColor() const { return m_textColor; }
    ColorData orpColor() const { return m_orpColor; }
    const std::string& selectedFont() const { return m_selectedFont; }
    double fontSize() const { return m_fontSize; }
    double wpm() const { return m_wpm; }
    bool showSettings() const { return m_showSettings; }
    bool showBooks() const { return m_showBooks; }
    bool showGear() const { return m_showGear; }
    const std::vector<WordToken>& tokens() const { return m_tokens; }
    std::int64_t currentIndex() const { return m_currentIndex; }
    bool isPlaying() const { return m_isPlaying; }
    bool isPaused() const { return m_isPaused; }
    bool isLoading() const { return m_isLoading; }
    std::optional<QUuid> currentBookID() const { return m_currentBookID; }
    const std::string& feedbackText() const { return m_feedbackText; }
    bool showFeedback() const { return m_showFeedback; }
    /// 0.0 on the first word, 1.0 on the last; 0.0 with fewer than two words.
    double progress() const;

    // A change of one of the six settings writes the settings file once; setting a value
    // equal to the current one changes nothing and writes nothing.
    void setBackgroundColor(ColorData color);
    void setTextColor(ColorData color);
    void setOrpColor(ColorData color);
    void setSelectedFont(std::string font);
    void setFontSize(double size);
    void setWpm(double wpm);
    void setShowSettings(bool show, Animation animation = {});
    void setShowBooks(bool show, Animation animation = {});
    void setLoading(bool loading);

    /// Enters Playing from any state and shows the current word for a full interval.
    void startPlayback();
    /// Arms the word timer for the word at currentIndex (Playing only).
    void scheduleNext();
    /// Stores currentIndex as the open book's reading position.
    void saveCurrentProgress();

    void handleSpacebar();
    void handleArrow(bool right, bool fine);
    void handleChapter(bool forward);
    void handleSkip(bool forward);
    void handleFontSize(bool increase);
    /// Shows the text below the word; it fades 1.5 s after the latest message.
    void showHUD(std::string text);

    /// Applies the settings file, if it reads whole, through the setters above.
    void loadSettings();
    void saveSettings();
    SettingsData settingsData() const;

    /// Pointer movement over the window: pauses playback, shows the controls, restarts
    /// the idle timer.
    void pointerMoved();
    void resetIdleTimer();
    /// The gear button; at most one panel is open at a time.
    void toggleSettingsPanel();
    /// The library button.
    void toggleBooksPanel();
    /// A press or drag on the progress bar at this fraction of its width.
    void seekToFraction(double fraction);

    /// Makes a library book the document being read, stopped at its saved word.
    void openBook(const Book& book);
    /// The same with the book's words already read from its cache (off the main thread).
    void openBook(const Book& book, std::vector<WordToken> tokens);
    /// Removes a book from the library, closing it first if it is the open one.
    void removeBook(const Book& book);

    /// Every change of a field, with the animation the window should use for it.
    Observers<Field, Animation> changed;
    /// Hide the pointer until it next moves.
    Observers<> pointerHideRequested;

private:
    template<typename T> bool assign(T& member, T value, Field field, Animation animation = {});
    template<typename T> void assignSetting(T& member, T value, Field field);
    void setShowGear(bool show, Animation animation);
    void setCurrentIndex(std::int64_t index);
    void setPlayState(bool playing, bool paused);
    void pausePlayback();
    void wordTimeUp();
    void idleTimeUp();
    /// Puts a new word list in place with its position and book, stopped.
    void replaceDocument(std::vector<WordToken> tokens, std::int64_t index,
                         std::optional<QUuid> bookID);

    LibraryStore& m_library;
    Clock& m_clock;
    std::optional<QString> m_settingsPath;

    ColorData m_backgroundColor{0.0, 0.0, 0.0, 1.0};
    ColorData m_textColor{1.0, 1.0, 1.0, 1.0};
    std::string m_selectedFont = "Courier New";
    double m_fontSize = 60.0;
    double m_wpm = 300.0;
    bool m_showSettings = false;
    bool m_showBooks = false;
    bool m_showGear = false;
    std::unique_ptr<OneShotTimer> m_idleTimer;
    std::vector<WordToken> m_tokens;
    std::int64_t m_currentIndex = 0;
    bool m_isPlaying = false;
    bool m_isPaused = false;
    std::unique_ptr<OneShotTimer> m_playbackTimer;
    /// When the word on screen nominally began; its deadline is measured from here.
    std::chrono::nanoseconds m_wordStart{0};
    std::chrono::nanoseconds m_wordEnd{0};
    bool m_isLoading = false;
    std::optional<QUuid> m_currentBookID;
    ColorData m_orpColor;
    std::string m_feedbackText;
    bool m_showFeedback = false;
    std::unique_ptr<OneShotTimer> m_feedbackTimer;
};

} // namespace tavrin
