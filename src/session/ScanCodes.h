#pragma once

#include <QtGlobal>

#include <cstdint>
#include <optional>

// The native codes of the reader's keys on this platform. The keys are bound by their
// position on the keyboard (the letters name the keys of a US layout), so the same keys work
// whatever layout is active. Porting to another platform means changing only this file.

namespace tavrin::ScanCodes {

/// The native codes of the physical keys the reader uses.
struct ReaderKeys
{
    std::uint32_t space;
    std::uint32_t w;
    std::uint32_t s;
    std::uint32_t d;
    std::uint32_t a;
    std::uint32_t left;
    std::uint32_t right;
    std::uint32_t up;
    std::uint32_t down;
    std::uint32_t q;
    std::uint32_t e;
    std::uint32_t t;
    std::uint32_t comma;
    std::uint32_t period;
    std::uint32_t escape;
};

#if defined(Q_OS_MACOS)

// Virtual key codes (QKeyEvent::nativeVirtualKey()); A is 0, so every code is meaningful.
inline constexpr std::optional<ReaderKeys> kReaderKeys =
    ReaderKeys{49, 13, 1, 2, 0, 123, 124, 126, 125, 12, 14, 17, 43, 47, 53};

/// The physical key of a key event, from what QKeyEvent reports.
constexpr std::optional<std::uint32_t> physicalKey(std::uint32_t /*nativeScanCode*/,
                                                   std::uint32_t nativeVirtualKey)
{
    return nativeVirtualKey;
}

#elif defined(Q_OS_UNIX)

// X11 and Wayland keycodes (QKeyEvent::nativeScanCode()): evdev codes plus 8, so 0 never
// names a key and means the platform gave none (as on the offscreen platform).
inline constexpr std::optional<ReaderKeys> kReaderKeys =
    ReaderKeys{65, 25, 39, 40, 38, 113, 114, 111, 116, 24, 26, 28, 59, 60, 9};

/// The physical key of a key event, from what QKeyEvent reports.
constexpr std::optional<std::uint32_t> physicalKey(std::uint32_t nativeScanCode,
                                                   std::uint32_t /*nativeVirtualKey*/)
{
    return nativeScanCode != 0 ? std::optional<std::uint32_t>{nativeScanCode} : std::nullopt;
}

#else

// No table yet: keys are recognised by their Qt::Key, which follows the active layout.
inline constexpr std::optional<ReaderKeys> kReaderKeys = std::nullopt;

/// The physical key of a key event, from what QKeyEvent reports.
constexpr std::optional<std::uint32_t> physicalKey(std::uint32_t /*nativeScanCode*/,
                                                   std::uint32_t /*nativeVirtualKey*/)
{
    return std::nullopt;
}

#endif

} // namespace tavrin::ScanCodes
