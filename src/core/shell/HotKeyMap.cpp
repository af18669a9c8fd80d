// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/shell/HotKeyMap.h"

namespace {

// Keysyms of the X protocol's keysym table.
constexpr std::uint32_t XK_BACKSPACE = 0xFF08;
constexpr std::uint32_t XK_TAB = 0xFF09;
constexpr std::uint32_t XK_RETURN = 0xFF0D;
constexpr std::uint32_t XK_PAUSE = 0xFF13;
constexpr std::uint32_t XK_ESCAPE = 0xFF1B;
constexpr std::uint32_t XK_HOME = 0xFF50;
constexpr std::uint32_t XK_LEFT = 0xFF51;
constexpr std::uint32_t XK_UP = 0xFF52;
constexpr std::uint32_t XK_RIGHT = 0xFF53;
constexpr std::uint32_t XK_DOWN = 0xFF54;
constexpr std::uint32_t XK_PRIOR = 0xFF55;
constexpr std::uint32_t XK_NEXT = 0xFF56;
constexpr std::uint32_t XK_END = 0xFF57;
constexpr std::uint32_t XK_PRINT = 0xFF61;
constexpr std::uint32_t XK_INSERT = 0xFF63;
constexpr std::uint32_t XK_KP_MULTIPLY = 0xFFAA;
constexpr std::uint32_t XK_KP_ADD = 0xFFAB;
constexpr std::uint32_t XK_KP_SUBTRACT = 0xFFAD;
constexpr std::uint32_t XK_KP_DECIMAL = 0xFFAE;
constexpr std::uint32_t XK_KP_DIVIDE = 0xFFAF;
constexpr std::uint32_t XK_KP_0 = 0xFFB0;
constexpr std::uint32_t XK_F1 = 0xFFBE;
constexpr std::uint32_t XK_DELETE = 0xFFFF;

struct SKeyPair {
    unsigned nVirtualKey;
    std::uint32_t nKeySym;
};

// Keys whose code is not a character of its own; the punctuation keys are
// those of a US layout, as the control names them.
constexpr SKeyPair NAMED_KEYS[] = {
    {0x08, XK_BACKSPACE},  {0x09, XK_TAB},
    {0x0D, XK_RETURN},     {0x13, XK_PAUSE},
    {0x1B, XK_ESCAPE},     {0x20, ' '},
    {0x21, XK_PRIOR},      {0x22, XK_NEXT},
    {0x23, XK_END},        {0x24, XK_HOME},
    {0x25, XK_LEFT},       {0x26, XK_UP},
    {0x27, XK_RIGHT},      {0x28, XK_DOWN},
    {0x2C, XK_PRINT},      {0x2D, XK_INSERT},
    {0x2E, XK_DELETE},     {0x6A, XK_KP_MULTIPLY},
    {0x6B, XK_KP_ADD},     {0x6D, XK_KP_SUBTRACT},
    {0x6E, XK_KP_DECIMAL}, {0x6F, XK_KP_DIVIDE},
    {0xBA, ';'},           {0xBB, '='},
    {0xBC, ','},           {0xBD, '-'},
    {0xBE, '.'},           {0xBF, '/'},
    {0xC0, '`'},           {0xDB, '['},
    {0xDC, '\\'},          {0xDD, ']'},
    {0xDE, '\''},
};

std::uint32_t KeySymOf(unsigned nVirtualKey) {
    if (nVirtualKey >= 'A' && nVirtualKey <= 'Z')
        return nVirtualKey - 'A' + 'a'; // the unshifted symbol of the key
    if (nVirtualKey >= '0' && nVirtualKey <= '9')
        return nVirtualKey;
    if (nVirtualKey >= 0x60 && nVirtualKey <= 0x69)
        return XK_KP_0 + (nVirtualKey - 0x60);
    if (nVirtualKey >= 0x70 && nVirtualKey <= 0x87)
        return XK_F1 + (nVirtualKey - 0x70);
    for (const SKeyPair& pair : NAMED_KEYS) {
        if (pair.nVirtualKey == nVirtualKey)
            return pair.nKeySym;
    }
    return 0;
}

} // namespace

SHotKeyGrab MapHotKey(unsigned wHotKey, unsigned wHotKeyFlags) {
    SHotKeyGrab grab;
    grab.nKeySym = KeySymOf(wHotKey & 0xFF);
    if (!grab.IsValid())
        return {};
    if (wHotKeyFlags & HOTKEYF_SHIFT)
        grab.nModifiers |= X_SHIFT_MASK;
    if (wHotKeyFlags & HOTKEYF_CONTROL)
        grab.nModifiers |= X_CONTROL_MASK;
    if (wHotKeyFlags & HOTKEYF_ALT)
        grab.nModifiers |= X_MOD1_MASK;
    return grab;
}

bool IsHotKeyState(std::uint16_t nState, std::uint16_t nModifiers) {
    constexpr std::uint16_t RELEVANT = X_SHIFT_MASK | X_CONTROL_MASK | X_MOD1_MASK;
    return (nState & RELEVANT) == nModifiers;
}
