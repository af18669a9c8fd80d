// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/MappedWindowPlace.h"

#include <QExposeEvent>
#include <QGuiApplication>
#include <QWindow>

#include <xcb/xcb.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

// Set while a shown window waits for its first exposure.
const char* const PENDING_PROPERTY = "keyhavenPlacePending";

xcb_connection_t* Connection() {
    auto* pX11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return pX11 ? pX11->connection() : nullptr;
}

} // namespace

CMappedWindowPlace::CMappedWindowPlace(QObject* pParent) : QObject(pParent) {}

bool CMappedWindowPlace::SyncWithServer(QWindow* pWindow) {
    xcb_connection_t* pConnection = Connection();
    if (pConnection == nullptr || pWindow == nullptr || pWindow->handle() == nullptr)
        return false;
    const xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(pConnection));
    if (screens.rem == 0)
        return false;
    const auto window = static_cast<xcb_window_t>(pWindow->winId());
    xcb_translate_coordinates_reply_t* pReply = xcb_translate_coordinates_reply(
        pConnection, xcb_translate_coordinates(pConnection, window, screens.data->root, 0, 0),
        nullptr);
    if (pReply == nullptr)
        return false;
    const int nX = pReply->dst_x;
    const int nY = pReply->dst_y;
    std::free(pReply);
    // The toolkit's place in the server's pixels.
    const qreal dRatio = pWindow->devicePixelRatio();
    const QRect rcWindow = pWindow->geometry();
    const int nKnownX = static_cast<int>(std::lround(rcWindow.x() * dRatio));
    const int nKnownY = static_cast<int>(std::lround(rcWindow.y() * dRatio));
    if (nX == nKnownX && nY == nKnownY)
        return false;
    // What a manager sends after moving a window inside its frame: a
    // synthetic notice with the place relative to the root window.
    xcb_configure_notify_event_t event;
    std::memset(&event, 0, sizeof event);
    event.response_type = XCB_CONFIGURE_NOTIFY;
    event.event = window;
    event.window = window;
    event.above_sibling = XCB_NONE;
    event.x = static_cast<std::int16_t>(nX);
    event.y = static_cast<std::int16_t>(nY);
    event.width = static_cast<std::uint16_t>(std::lround(rcWindow.width() * dRatio));
    event.height = static_cast<std::uint16_t>(std::lround(rcWindow.height() * dRatio));
    event.border_width = 0;
    event.override_redirect = 0;
    xcb_send_event(pConnection, 0, window, XCB_EVENT_MASK_STRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&event));
    xcb_flush(pConnection);
    return true;
}

bool CMappedWindowPlace::eventFilter(QObject* pWatched, QEvent* pEvent) {
    const QEvent::Type eType = pEvent->type();
    if (eType != QEvent::Show && eType != QEvent::Expose)
        return false;
    auto* pWindow = qobject_cast<QWindow*>(pWatched);
    if (pWindow == nullptr || !pWindow->isTopLevel())
        return false;
    // Pop-up menus and tooltips are placed by the program itself, unframed.
    const Qt::WindowType eKind = pWindow->type();
    if (eKind == Qt::Popup || eKind == Qt::ToolTip || eKind == Qt::SplashScreen)
        return false;
    if (eType == QEvent::Show) {
        pWindow->setProperty(PENDING_PROPERTY, true);
    } else if (pWindow->isExposed() && pWindow->property(PENDING_PROPERTY).toBool()) {
        pWindow->setProperty(PENDING_PROPERTY, false);
        SyncWithServer(pWindow);
    }
    return false;
}
