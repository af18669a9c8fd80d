// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/TaskbarHint.h"

#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace {

// The window state change a client asks of the window manager.
constexpr std::uint32_t NET_WM_STATE_ADD = 1;
constexpr std::uint32_t SOURCE_APPLICATION = 1;

xcb_atom_t Atom(xcb_connection_t* pConnection, const char* pszName) {
    xcb_intern_atom_reply_t* pReply = xcb_intern_atom_reply(
        pConnection,
        xcb_intern_atom(pConnection, 0, static_cast<std::uint16_t>(std::strlen(pszName)), pszName),
        nullptr);
    const xcb_atom_t atom = pReply ? pReply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(pReply);
    return atom;
}

} // namespace

void SkipTaskbar(const QWidget& window) {
    auto* pX11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* pConnection = pX11 ? pX11->connection() : nullptr;
    if (pConnection == nullptr || !window.isVisible())
        return;
    const xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(pConnection));
    if (screens.rem == 0)
        return;
    xcb_client_message_event_t event;
    std::memset(&event, 0, sizeof event);
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = static_cast<xcb_window_t>(window.winId());
    event.type = Atom(pConnection, "_NET_WM_STATE");
    event.data.data32[0] = NET_WM_STATE_ADD;
    event.data.data32[1] = Atom(pConnection, "_NET_WM_STATE_SKIP_TASKBAR");
    event.data.data32[2] = Atom(pConnection, "_NET_WM_STATE_SKIP_PAGER");
    event.data.data32[3] = SOURCE_APPLICATION;
    xcb_send_event(pConnection, 0, screens.data->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&event));
    xcb_flush(pConnection);
}
