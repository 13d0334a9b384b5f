#include "session/KeyTable.h"

#include "session/ReaderSession.h"
#include "session/ScanCodes.h"

#include <QtCore/qnamespace.h>

namespace tavrin::KeyTable {

namespace {

struct Binding
{
    std::uint32_t ScanCodes::ReaderKeys::*nativeCode;
    int qtKey;
    ReaderCommand command;
    /// With Shift held, where Shift changes the command.
    ReaderCommand shifted;
    /// Passes on when Control, Alt or Meta is held, so that shortcuts such as Ctrl+Q (quit)
    /// keep working.
    bool plainOnly = false;
};

constexpr Binding binding(std::uint32_t ScanCodes::ReaderKeys::*nativeCode, int qtKey,
                          ReaderCommand command)
{
    return {nativeCode, qtKey, command, command};
}

constexpr Binding plain(std::uint32_t ScanCodes::ReaderKeys::*nativeCode, int qtKey,
                        ReaderCommand command)
{
    return {nativeCode, qtKey, command, command, true};
}

using K = ScanCodes::ReaderKeys;
using C = ReaderCommand;
constexpr Binding kBindings[] = {
    binding(&K::space, Qt::Key_Space, C::playPause),
    binding(&K::w, Qt::Key_W, C::nextChapter),
    binding(&K::s, Qt::Key_S, C::previousChapter),
    binding(&K::d, Qt::Key_D, C::skipForward),
    binding(&K::a, Qt::Key_A, C::skipBack),
    {&K::left, Qt::Key_Left, C::slower, C::slowerFine},
    {&K::right, Qt::Key_Right, C::faster, C::fasterFine},
    binding(&K::up, Qt::Key_Up, C::largerFont),
    binding(&K::down, Qt::Key_Down, C::smallerFont),
    plain(&K::q, Qt::Key_Q, C::sentenceBack),
    plain(&K::e, Qt::Key_E, C::sentenceForward),
    plain(&K::comma, Qt::Key_Comma, C::wordBack),
    plain(&K::period, Qt::Key_Period, C::wordForward),
    plain(&K::t, Qt::Key_T, C::contents),
    plain(&K::escape, Qt::Key_Escape, C::escape),
};

} // namespace

std::optional<ReaderCommand> commandFor(std::optional<std::uint32_t> physicalKey, int qtKey,
                                        bool shift, bool shortcutModifier)
{
    // A key the platform names by position is judged by position alone: on another layout
    // the key that types "a" may sit where Q is, and must not skip back.
    const bool byPosition = physicalKey && ScanCodes::kReaderKeys;
    for (const auto& b : kBindings) {
        const bool matches =
            byPosition ? *physicalKey == (*ScanCodes::kReaderKeys).*b.nativeCode : qtKey == b.qtKey;
        if (matches) {
            if (b.plainOnly && shortcutModifier) {
                return std::nullopt;
            }
            return shift ? b.shifted : b.command;
        }
    }
    return std::nullopt;
}

std::optional<ReaderCommand> commandForEvent(std::uint32_t nativeScanCode,
                                             std::uint32_t nativeVirtualKey, int qtKey, bool shift,
                                             bool shortcutModifier)
{
    return commandFor(ScanCodes::physicalKey(nativeScanCode, nativeVirtualKey), qtKey, shift,
                      shortcutModifier);
}

void run(ReaderCommand command, ReaderSession& session)
{
    switch (command) {
    case ReaderCommand::playPause:
        session.handleSpacebar();
        break;
    case ReaderCommand::nextChapter:
        session.handleChapter(true);
        break;
    case ReaderCommand::previousChapter:
        session.handleChapter(false);
        break;
    case ReaderCommand::skipForward:
        session.handleSkip(true);
        break;
    case ReaderCommand::skipBack:
        session.handleSkip(false);
        break;
    case ReaderCommand::faster:
        session.handleArrow(true, false);
        break;
    case ReaderCommand::slower:
        session.handleArrow(false, false);
        break;
    case ReaderCommand::fasterFine:
        session.handleArrow(true, true);
        break;
    case ReaderCommand::slowerFine:
        session.handleArrow(false, true);
        break;
    case ReaderCommand::largerFont:
        session.handleFontSize(true);
        break;
    case ReaderCommand::smallerFont:
        session.handleFontSize(false);
        break;
    case ReaderCommand::sentenceBack:
        session.handleSentence(false);
        break;
    case ReaderCommand::sentenceForward:
        session.handleSentence(true);
        break;
    case ReaderCommand::wordBack:
        session.handleWordStep(false);
        break;
    case ReaderCommand::wordForward:
        session.handleWordStep(true);
        break;
    case ReaderCommand::contents:
        session.toggleContentsPanel();
        break;
    case ReaderCommand::escape:
        session.handleEscape();
        break;
    }
}

} // namespace tavrin::KeyTable
