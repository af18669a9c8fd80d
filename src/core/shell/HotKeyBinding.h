// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/shell/HotKeyMap.h"

class CHotKeyGrabber;

// The one global hot key of the program. A new combination replaces the
// previous one: the old one is given back to the other programs first, so a
// changed hot key never leaves a stale grab behind until exit.
class CHotKeyBinding {
public:
    explicit CHotKeyBinding(CHotKeyGrabber* pGrabber) : m_pGrabber(pGrabber) {}
    ~CHotKeyBinding();
    CHotKeyBinding(const CHotKeyBinding&) = delete;
    CHotKeyBinding& operator=(const CHotKeyBinding&) = delete;

    // Releases the combination held now (if any) and grabs the stored one
    // (wHotKey 0 = none); the same combination again is kept as it is. True
    // when the new one is held; a key of 0 is not a failure.
    bool Change(unsigned wHotKey, unsigned wHotKeyFlags);
    // Releases the combination held now.
    void Release();
    // The combination held now (invalid when none).
    const SHotKeyGrab& Held() const { return m_held; }

private:
    CHotKeyGrabber* m_pGrabber;
    SHotKeyGrab m_held;
};
