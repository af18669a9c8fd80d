// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// The stored hot key ("HotKey", "HotKeyFlag") in the X server's terms. The
// stored form is the hot-key control's: a virtual-key code and a modifier
// byte (0x01 Shift, 0x02 Ctrl, 0x04 Alt, 0x08 extended key, which is not a
// modifier and is dropped).
inline constexpr unsigned HOTKEYF_SHIFT = 0x01;
inline constexpr unsigned HOTKEYF_CONTROL = 0x02;
inline constexpr unsigned HOTKEYF_ALT = 0x04;
inline constexpr unsigned HOTKEYF_EXT = 0x08;

// X modifier masks (core protocol).
inline constexpr std::uint16_t X_SHIFT_MASK = 0x0001;
inline constexpr std::uint16_t X_LOCK_MASK = 0x0002; // CapsLock
inline constexpr std::uint16_t X_CONTROL_MASK = 0x0004;
inline constexpr std::uint16_t X_MOD1_MASK = 0x0008; // Alt
inline constexpr std::uint16_t X_MOD2_MASK = 0x0010; // NumLock

struct SHotKeyGrab {
    std::uint32_t nKeySym = 0; // 0: the key has no X counterpart
    std::uint16_t nModifiers = 0;
    bool IsValid() const { return nKeySym != 0; }
    bool operator==(const SHotKeyGrab&) const = default;
};

// The keysym and modifier mask of a stored hot key; an invalid grab for
// wHotKey 0 or a key without counterpart.
SHotKeyGrab MapHotKey(unsigned wHotKey, unsigned wHotKeyFlags);

// The modifier masks to grab for one combination, so that it also fires
// while CapsLock, NumLock or both are on.
inline constexpr std::uint16_t HOTKEY_LOCK_VARIANTS[] = {0, X_LOCK_MASK, X_MOD2_MASK,
                                                         X_LOCK_MASK | X_MOD2_MASK};

// Whether a key press with this state is the grabbed combination, whatever
// the lock keys.
bool IsHotKeyState(std::uint16_t nState, std::uint16_t nModifiers);
