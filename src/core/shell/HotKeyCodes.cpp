// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/shell/HotKeyCodes.h"

#include <array>
#include <utility>

namespace {

// Qt::Key values of the special keys.
constexpr int QT_KEY_ESCAPE = 0x01000000;
constexpr int QT_KEY_F1 = 0x01000030;
constexpr int QT_KEY_F24 = 0x01000047;
constexpr unsigned VK_F1 = 0x70;

// Keys whose codes differ between the two worlds. Letters, digits and the
// space bar share their codes; F1 to F24 run in parallel.
constexpr std::array<std::pair<int, unsigned>, 29> KEY_TABLE{{
    {QT_KEY_ESCAPE, 0x1B}, // Escape
    {0x01000001, 0x09},    // Tab
    {0x01000003, 0x08},    // Backspace
    {0x01000004, 0x0D},    // Return
    {0x01000006, 0x2D},    // Insert
    {0x01000007, 0x2E},    // Delete
    {0x01000008, 0x13},    // Pause
    {0x01000009, 0x2C},    // Print
    {0x01000010, 0x24},    // Home
    {0x01000011, 0x23},    // End
    {0x01000012, 0x25},    // Left
    {0x01000013, 0x26},    // Up
    {0x01000014, 0x27},    // Right
    {0x01000015, 0x28},    // Down
    {0x01000016, 0x21},    // PageUp
    {0x01000017, 0x22},    // PageDown
    {0x3B, 0xBA},          // ;
    {0x3D, 0xBB},          // =
    {0x2C, 0xBC},          // ,
    {0x2D, 0xBD},          // -
    {0x2E, 0xBE},          // .
    {0x2F, 0xBF},          // /
    {0x60, 0xC0},          // `
    {0x5B, 0xDB},          // [
    {0x5C, 0xDC},          // backslash
    {0x5D, 0xDD},          // ]
    {0x27, 0xDE},          // '
    {0x01000005, 0x0D},    // Enter on the keypad, read back as Return
    {0x01000002, 0x09},    // Backtab (Shift+Tab), read back as Tab
}};

bool IsSharedCode(int nQtKey) {
    return nQtKey == 0x20 || (nQtKey >= '0' && nQtKey <= '9') || (nQtKey >= 'A' && nQtKey <= 'Z');
}

} // namespace

unsigned VirtualKeyFromQtKey(int nQtKey) {
    if (IsSharedCode(nQtKey))
        return unsigned(nQtKey);
    if (nQtKey >= QT_KEY_F1 && nQtKey <= QT_KEY_F24)
        return VK_F1 + unsigned(nQtKey - QT_KEY_F1);
    for (const auto& [nQt, wVk] : KEY_TABLE) {
        if (nQt == nQtKey)
            return wVk;
    }
    return 0;
}

int QtKeyFromVirtualKey(unsigned wVirtualKey) {
    if (IsSharedCode(int(wVirtualKey)))
        return int(wVirtualKey);
    if (wVirtualKey >= VK_F1 && wVirtualKey < VK_F1 + 24)
        return QT_KEY_F1 + int(wVirtualKey - VK_F1);
    // The first row of a code wins, so Return and Tab come back as themselves.
    for (const auto& [nQt, wVk] : KEY_TABLE) {
        if (wVk == wVirtualKey)
            return nQt;
    }
    return 0;
}

bool IsExtendedVirtualKey(unsigned wVirtualKey) {
    return (wVirtualKey >= 0x21 && wVirtualKey <= 0x28) || wVirtualKey == 0x2D ||
           wVirtualKey == 0x2E;
}

SHotKey HotKeyFromQt(int nQtKey, std::uint32_t nQtModifiers) {
    const unsigned wVk = VirtualKeyFromQtKey(nQtKey);
    if (wVk == 0)
        return {};
    unsigned wFlags = 0;
    if (nQtModifiers & QT_SHIFT_MODIFIER)
        wFlags |= HOTKEYF_SHIFT;
    if (nQtModifiers & QT_CONTROL_MODIFIER)
        wFlags |= HOTKEYF_CONTROL;
    if (nQtModifiers & QT_ALT_MODIFIER)
        wFlags |= HOTKEYF_ALT;
    if (IsExtendedVirtualKey(wVk))
        wFlags |= HOTKEYF_EXT;
    return {wVk, wFlags};
}

std::uint32_t QtModifiersFromHotKeyFlags(unsigned wFlags) {
    std::uint32_t nModifiers = 0;
    if (wFlags & HOTKEYF_SHIFT)
        nModifiers |= QT_SHIFT_MODIFIER;
    if (wFlags & HOTKEYF_CONTROL)
        nModifiers |= QT_CONTROL_MODIFIER;
    if (wFlags & HOTKEYF_ALT)
        nModifiers |= QT_ALT_MODIFIER;
    return nModifiers;
}

bool IsRefusedModifiers(unsigned wFlags) {
    return (wFlags & (HOTKEYF_SHIFT | HOTKEYF_CONTROL | HOTKEYF_ALT)) == HOTKEYF_SHIFT;
}
