// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/GlobalHotKey.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMetaObject>
#include <QtDebug>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace {

struct SFree {
    void operator()(void* p) const { std::free(p); }
};
template <class T> using CXcbReply = std::unique_ptr<T, SFree>;

xcb_window_t RootWindow(xcb_connection_t* pConnection) {
    const xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(pConnection));
    return it.rem > 0 ? it.data->root : xcb_window_t(XCB_WINDOW_NONE);
}

void SayUnavailableOnce() {
    static bool bSaid = false;
    if (bSaid)
        return;
    bSaid = true;
    qWarning("Keyhaven: the global hot key is unavailable, this desktop offers no X server");
}

} // namespace

CGlobalHotKey::CGlobalHotKey(QObject* pParent) : QObject(pParent) {}

CGlobalHotKey::~CGlobalHotKey() {
    while (!m_grabbed.empty())
        Release(m_grabbed.back().grab);
    if (m_bFilterInstalled && QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

xcb_connection_t* CGlobalHotKey::Connection() {
    // Offscreen, the interface exists but has no connection.
    auto* pX11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return pX11 ? pX11->connection() : nullptr;
}

std::vector<std::uint8_t> CGlobalHotKey::KeyCodesOf(std::uint32_t nKeySym) const {
    std::vector<std::uint8_t> keyCodes;
    xcb_connection_t* pConnection = Connection();
    const xcb_setup_t* pSetup = xcb_get_setup(pConnection);
    const int nCount = pSetup->max_keycode - pSetup->min_keycode + 1;
    CXcbReply<xcb_get_keyboard_mapping_reply_t> pReply(xcb_get_keyboard_mapping_reply(
        pConnection,
        xcb_get_keyboard_mapping(pConnection, pSetup->min_keycode, std::uint8_t(nCount)), nullptr));
    if (!pReply)
        return keyCodes;
    const xcb_keysym_t* pSyms = xcb_get_keyboard_mapping_keysyms(pReply.get());
    const int nPerCode = pReply->keysyms_per_keycode;
    // The first two columns are the key's own level and its Shift level.
    for (int i = 0; i < nCount; ++i) {
        for (int nColumn = 0; nColumn < std::min(nPerCode, 2); ++nColumn) {
            if (pSyms[i * nPerCode + nColumn] == nKeySym) {
                keyCodes.push_back(std::uint8_t(pSetup->min_keycode + i));
                break;
            }
        }
    }
    return keyCodes;
}

void CGlobalHotKey::Ungrab(const std::vector<std::uint8_t>& keyCodes,
                           std::uint16_t nModifiers) const {
    xcb_connection_t* pConnection = Connection();
    if (!pConnection)
        return;
    const xcb_window_t root = RootWindow(pConnection);
    for (const std::uint8_t nCode : keyCodes) {
        for (const std::uint16_t nLocks : HOTKEY_LOCK_VARIANTS)
            xcb_ungrab_key(pConnection, nCode, root, nModifiers | nLocks);
    }
    xcb_flush(pConnection);
}

bool CGlobalHotKey::Grab(const SHotKeyGrab& grab) {
    xcb_connection_t* pConnection = Connection();
    if (!pConnection) {
        SayUnavailableOnce();
        return false;
    }
    const std::vector<std::uint8_t> keyCodes = KeyCodesOf(grab.nKeySym);
    if (keyCodes.empty())
        return false;
    const xcb_window_t root = RootWindow(pConnection);
    std::vector<xcb_void_cookie_t> cookies;
    for (const std::uint8_t nCode : keyCodes) {
        for (const std::uint16_t nLocks : HOTKEY_LOCK_VARIANTS)
            cookies.push_back(xcb_grab_key_checked(pConnection, 1, root, grab.nModifiers | nLocks,
                                                   nCode, XCB_GRAB_MODE_ASYNC,
                                                   XCB_GRAB_MODE_ASYNC));
    }
    bool bRefused = false;
    for (const xcb_void_cookie_t cookie : cookies) {
        if (xcb_generic_error_t* pError = xcb_request_check(pConnection, cookie)) {
            bRefused = true; // BadAccess: another client holds it
            std::free(pError);
        }
    }
    if (bRefused) {
        // Ungrabbing a combination someone else holds does not touch theirs.
        Ungrab(keyCodes, grab.nModifiers);
        return false;
    }
    m_grabbed.push_back({grab, keyCodes});
    if (!m_bFilterInstalled) {
        QCoreApplication::instance()->installNativeEventFilter(this);
        m_bFilterInstalled = true;
    }
    return true;
}

void CGlobalHotKey::Release(const SHotKeyGrab& grab) {
    const auto it = std::find_if(m_grabbed.begin(), m_grabbed.end(),
                                 [&grab](const SGrabbed& held) { return held.grab == grab; });
    if (it == m_grabbed.end())
        return;
    Ungrab(it->keyCodes, it->grab.nModifiers);
    m_grabbed.erase(it);
}

bool CGlobalHotKey::nativeEventFilter(const QByteArray& eventType, void* pMessage, qintptr*) {
    if (eventType != "xcb_generic_event_t" || m_grabbed.empty())
        return false;
    const auto* pEvent = static_cast<const xcb_generic_event_t*>(pMessage);
    const std::uint8_t nType = pEvent->response_type & 0x7F;
    if (nType != XCB_KEY_PRESS && nType != XCB_KEY_RELEASE)
        return false;
    const auto* pKey = static_cast<const xcb_key_press_event_t*>(pMessage);
    for (const SGrabbed& held : m_grabbed) {
        const bool bCode = std::find(held.keyCodes.begin(), held.keyCodes.end(), pKey->detail) !=
                           held.keyCodes.end();
        if (!bCode || !IsHotKeyState(pKey->state, held.grab.nModifiers))
            continue;
        // The frame may run a modal KEY check in answer: not from inside the
        // native event handling.
        if (nType == XCB_KEY_PRESS)
            QMetaObject::invokeMethod(this, &CGlobalHotKey::Activated, Qt::QueuedConnection);
        return true;
    }
    return false;
}
