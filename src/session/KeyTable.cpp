#include "session/KeyTable.h"

#include "session/ReaderSession.h"
#include "session/ScanCodes.h"

#include <QtCore/qnamespace.h>

namespace tavrin::KeyTable {

namespace {

/// The reader's keys, independent of how the platform names them.
enum class Key
{
    space,
    w,
    s,
    d,
    a,
    left,
    right,
    up,
    down
};

std::optional<Key> keyFromNative(std::uint32_t code, const ScanCodes::ReaderKeys& keys)
{
    if (code == keys.space) {
        return Key::space;
    }
    if (code == keys.w) {
        return Key::w;
    }
    if (code == keys.s) {
        return Key::s;
    }
    if (code == keys.d) {
        return Key::d;
    }
    if (code == keys.a) {
        return Key::a;
    }
    if (code == keys.left) {
        return Key::left;
    }
    if (code == keys.right) {
        return Key::right;
    }
    if (code == keys.up) {
        return Key::up;
    }
    if (code == keys.down) {
        return Key::down;
    }
    return std::nullopt;
}

std::optional<Key> keyFromQt(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Space:
        return Key::space;
    case Qt::Key_W:
        return Key::w;
    case Qt::Key_S:
        return Key::s;
    case Qt::Key_D:
        return Key::d;
    case Qt::Key_A:
        return Key::a;
    case Qt::Key_Left:
        return Key::left;
    case Qt::Key_Right:
        return Key::right;
    case Qt::Key_Up:
        return Key::up;
    case Qt::Key_Down:
        return Key::down;
    default:
        return std::nullopt;
    }
}

ReaderCommand commandFor(Key key, bool shift)
{
    switch (key) {
    case Key::space:
        return ReaderCommand::playPause;
    case Key::w:
        return ReaderCommand::nextChapter;
    case Key::s:
        return ReaderCommand::previousChapter;
    case Key::d:
        return ReaderCommand::skipForward;
    case Key::a:
        return ReaderCommand::skipBack;
    case Key::left:
        return shift ? ReaderCommand::slowerFine : ReaderCommand::slower;
    case Key::right:
        return shift ? ReaderCommand::fasterFine : ReaderCommand::faster;
    case Key::up:
        return ReaderCommand::largerFont;
    case Key::down:
        return ReaderCommand::smallerFont;
    }
    return ReaderCommand::playPause;
}

} // namespace

std::optional<ReaderCommand> commandFor(std::optional<std::uint32_t> physicalKey, int qtKey,
                                        bool shift)
{
    // A key the platform names by position is judged by position alone: on another layout
    // the key that types "a" may sit where Q is, and must not skip back.
    std::optional<Key> key;
    if (physicalKey && ScanCodes::kReaderKeys) {
        key = keyFromNative(*physicalKey, *ScanCodes::kReaderKeys);
    } else {
        key = keyFromQt(qtKey);
    }
    if (!key) {
        return std::nullopt;
    }
    return commandFor(*key, shift);
}

std::optional<ReaderCommand> commandForEvent(std::uint32_t nativeScanCode,
                                             std::uint32_t nativeVirtualKey, int qtKey, bool shift)
{
    return commandFor(ScanCodes::physicalKey(nativeScanCode, nativeVirtualKey), qtKey, shift);
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
    }
}

} // namespace tavrin::KeyTable
