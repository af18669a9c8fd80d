// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// The global hot key is stored as "HotKey" (a Windows virtual-key code) and
// "HotKeyFlag" (the key-combination control's modifier byte), so settings
// files keep one meaning everywhere. The control maps Qt's keys and
// modifiers to that form and back; the numbers of Qt's enums are written out
// here so that the table stays testable without Qt.

inline constexpr unsigned HOTKEYF_SHIFT = 0x01;
inline constexpr unsigned HOTKEYF_CONTROL = 0x02;
inline constexpr unsigned HOTKEYF_ALT = 0x04;
// Set by the control for the keys of the navigation block; not a modifier.
inline constexpr unsigned HOTKEYF_EXT = 0x08;

// Qt::KeyboardModifier values.
inline constexpr std::uint32_t QT_SHIFT_MODIFIER = 0x02000000;
inline constexpr std::uint32_t QT_CONTROL_MODIFIER = 0x04000000;
inline constexpr std::uint32_t QT_ALT_MODIFIER = 0x08000000;

struct SHotKey {
    unsigned m_wVirtualKey = 0; // 0: no hot key
    unsigned m_wFlags = 0;
};

// The virtual-key code of a Qt key (Qt::Key value), 0 for a key the hot key
// cannot use (modifier keys themselves among them).
unsigned VirtualKeyFromQtKey(int nQtKey);
// The Qt key of a stored virtual-key code, 0 when it has none.
int QtKeyFromVirtualKey(unsigned wVirtualKey);
// Whether the control sets HOTKEYF_EXT for this virtual key.
bool IsExtendedVirtualKey(unsigned wVirtualKey);

// A key press (Qt key and Qt modifiers) as the stored pair; {0, 0} when
// the key cannot be a hot key.
SHotKey HotKeyFromQt(int nQtKey, std::uint32_t nQtModifiers);
// The Qt modifiers of a stored modifier byte (HOTKEYF_EXT ignored).
std::uint32_t QtModifiersFromHotKeyFlags(unsigned wFlags);

// The control refuses Shift as the only modifier: a hot key on Shift+letter
// would take a capital letter away from every program.
bool IsRefusedModifiers(unsigned wFlags);
