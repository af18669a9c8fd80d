// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractNativeEventFilter>
#include <QPointer>

class QMenu;

// While a modal dialog is open the toolkit withholds every mouse press from
// the program's other windows, and the tray icon's embedded window is one of
// them: a right click on the icon would show nothing at all. This filter
// sees the press before the toolkit drops it and opens the tray menu itself,
// so the user still gets the menu (whose commands are disabled while the
// dialog is open). Without a modal dialog it lets every event pass, and the
// icon's own handling opens the menu as usual. Only the X11 embedded icon
// needs it; elsewhere it never acts.
class CBlockedTrayMenu : public QAbstractNativeEventFilter {
public:
    // Installs itself for the application's lifetime (or until destroyed).
    explicit CBlockedTrayMenu(QMenu* pMenu);
    ~CBlockedTrayMenu() override;
    CBlockedTrayMenu(const CBlockedTrayMenu&) = delete;
    CBlockedTrayMenu& operator=(const CBlockedTrayMenu&) = delete;

    bool nativeEventFilter(const QByteArray& eventType, void* pMessage, qintptr* pResult) override;

private:
    // The toolkit's own window for the embedded tray icon.
    static bool IsTrayIconWindow(quint32 nWindow);

    QPointer<QMenu> m_pMenu;
};
