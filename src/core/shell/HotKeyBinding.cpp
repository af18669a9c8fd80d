// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/shell/HotKeyBinding.h"

#include "core/shell/HotKeyGrabber.h"

CHotKeyBinding::~CHotKeyBinding() {
    Release();
}

void CHotKeyBinding::Release() {
    if (m_held.IsValid() && m_pGrabber)
        m_pGrabber->Release(m_held);
    m_held = {};
}

bool CHotKeyBinding::Change(unsigned wHotKey, unsigned wHotKeyFlags) {
    const SHotKeyGrab grab =
        (wHotKey & 0xFF) == 0 ? SHotKeyGrab{} : MapHotKey(wHotKey, wHotKeyFlags);
    // The combination held already stays held: through the desktop portal a
    // new binding may ask the user again, at every Apply of the options.
    if (grab.IsValid() && grab == m_held)
        return true;
    Release();
    if ((wHotKey & 0xFF) == 0)
        return true;
    if (!grab.IsValid() || !m_pGrabber || !m_pGrabber->Grab(grab))
        return false;
    m_held = grab;
    return true;
}
