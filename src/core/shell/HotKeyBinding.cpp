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
    Release();
    if ((wHotKey & 0xFF) == 0)
        return true;
    const SHotKeyGrab grab = MapHotKey(wHotKey, wHotKeyFlags);
    if (!grab.IsValid() || !m_pGrabber || !m_pGrabber->Grab(grab))
        return false;
    m_held = grab;
    return true;
}
