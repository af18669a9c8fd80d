// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/BlockedTrayMenu.h"

#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QWidget>

#include <cstdint>
#include <cstring>

#include <xcb/xproto.h>

namespace {

// The class the toolkit gives the small window that the X tray embeds.
constexpr const char TRAY_ICON_CLASS[] = "QSystemTrayIconSys";
constexpr std::uint32_t RIGHT_BUTTON = 3;
// The toolkit takes the pointer through the X input extension, whose button
// press comes as a generic event of this type.
constexpr std::uint16_t XI_BUTTON_PRESS = 4;

// The first 32 bytes of the input extension's device event, which is all
// this filter reads (the connection library moves what follows).
struct SDeviceEventHead {
    std::uint8_t m_nResponseType;
    std::uint8_t m_nExtension;
    std::uint16_t m_nSequence;
    std::uint32_t m_nLength;
    std::uint16_t m_nEventType;
    std::uint16_t m_nDevice;
    std::uint32_t m_nTime;
    std::uint32_t m_nDetail;
    std::uint32_t m_nRoot;
    std::uint32_t m_nEvent;
    std::uint32_t m_nChild;
};
static_assert(sizeof(SDeviceEventHead) == 32);

struct SPress {
    std::uint32_t m_nWindow = 0;
    std::uint32_t m_nButton = 0;
};

// The window and button of a button press, in either form; nothing else.
bool ReadPress(const void* pMessage, SPress& press) {
    const auto* pEvent = static_cast<const xcb_generic_event_t*>(pMessage);
    const std::uint8_t nType = pEvent->response_type & 0x7F;
    if (nType == XCB_BUTTON_PRESS) {
        const auto* pPress = static_cast<const xcb_button_press_event_t*>(pMessage);
        press = {pPress->event, pPress->detail};
        return true;
    }
    if (nType != XCB_GE_GENERIC)
        return false;
    SDeviceEventHead head;
    std::memcpy(&head, pMessage, sizeof(head));
    if (head.m_nEventType != XI_BUTTON_PRESS)
        return false;
    press = {head.m_nEvent, head.m_nDetail};
    return true;
}

} // namespace

CBlockedTrayMenu::CBlockedTrayMenu(QMenu* pMenu) : m_pMenu(pMenu) {
    qApp->installNativeEventFilter(this);
}

CBlockedTrayMenu::~CBlockedTrayMenu() {
    if (qApp)
        qApp->removeNativeEventFilter(this);
}

bool CBlockedTrayMenu::IsTrayIconWindow(quint32 nWindow) {
    const QWidgetList widgets = QApplication::topLevelWidgets();
    for (const QWidget* pWidget : widgets) {
        if (pWidget->internalWinId() == nWindow &&
            std::strcmp(pWidget->metaObject()->className(), TRAY_ICON_CLASS) == 0)
            return true;
    }
    return false;
}

bool CBlockedTrayMenu::nativeEventFilter(const QByteArray& eventType, void* pMessage,
                                         qintptr* /*pResult*/) {
    if (eventType != "xcb_generic_event_t" || !m_pMenu ||
        QApplication::activeModalWidget() == nullptr)
        return false;
    SPress press;
    if (!ReadPress(pMessage, press) || press.m_nButton != RIGHT_BUTTON ||
        !IsTrayIconWindow(press.m_nWindow))
        return false;
    // The press can come more than once (the pointer and its device each
    // report it); a repeat that reached the toolkit would close the menu as
    // a click outside it.
    if (!m_pMenu->isVisible())
        m_pMenu->popup(QCursor::pos());
    return true;
}
