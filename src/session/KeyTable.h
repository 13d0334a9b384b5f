#pragma once

#include <cstdint>
#include <optional>

namespace tavrin {

class ReaderSession;

/// The commands the reader's keys run.
enum class ReaderCommand
{
    playPause,
    nextChapter,
    previousChapter,
    skipForward,
    skipBack,
    faster,
    slower,
    fasterFine,
    slowerFine,
    largerFont,
    smallerFont,
    sentenceBack,
    sentenceForward,
    wordBack,
    wordForward,
    contents,
    escape
};

/// Which key runs which command. Keys are matched by physical position where the platform
/// reports it, else by their Qt::Key. Shift matters only on the two arrows (a fine speed
/// step); Control, Alt or Meta make the sentence, word, contents and Escape keys pass on, so
/// that shortcuts on those letters keep working. A key with a command is always consumed,
/// whether or not the command changes anything; every other key passes on.
namespace KeyTable {

/// The command for a key press. physicalKey is the platform's code for the key
/// (ScanCodes::physicalKey), nullopt when the platform reports none; qtKey is the event's
/// Qt::Key value, used only then.
std::optional<ReaderCommand> commandFor(std::optional<std::uint32_t> physicalKey, int qtKey,
                                        bool shift, bool shortcutModifier = false);

/// The same, from the three values a QKeyEvent carries besides its modifiers.
std::optional<ReaderCommand> commandForEvent(std::uint32_t nativeScanCode,
                                             std::uint32_t nativeVirtualKey, int qtKey, bool shift,
                                             bool shortcutModifier = false);

/// Runs a command on the session.
void run(ReaderCommand command, ReaderSession& session);

} // namespace KeyTable

} // namespace tavrin
