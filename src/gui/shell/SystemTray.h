// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QIcon>
#include <QMenu>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QSystemTrayIcon>
#include <QTimer>

#include "core/shell/TrayClicks.h"

#include <functional>
#include <memory>

class CBlockedTrayMenu;
class CCommandMap;

// The program's icon in the desktop's notification area with its menu:
// "Main Window", "Password Bar", "Lock" and "Exit". The default item is
// shown in bold and a left click runs it, in the X11 tray and in a D-Bus
// tray alike (a double click counts as one click). A desktop that offers no
// tray leaves the icon pending: it is added as soon as a tray appears, and again after the tray has
// gone and come back, unless the user hid the icon.
class CSystemTray : public QObject {
    Q_OBJECT
public:
    // The tray menu runs its commands through commands, which also decides
    // their enable rules when the menu opens.
    explicit CSystemTray(CCommandMap& commands, QObject* pParent = nullptr);
    ~CSystemTray() override;

    // The tool tip keeps at most 63 characters. True when the icon is in a
    // tray now; false leaves it pending (or hidden when bHidden).
    bool Create(const QString& strTip, int nIconId, int nId, bool bHidden);
    // Shows icon number nIconId (":/icons/<number>.svg"); while the icon is
    // hidden the image is remembered for its return.
    bool SetIcon(int nIconId);
    // The default item by command id, or by position in the menu when
    // bByPos (separators count, as they do in the menu).
    bool SetMenuDefaultItem(int nItem, bool bByPos);
    bool HideIcon();
    bool ShowIcon();
    bool AddIcon();
    bool RemoveIcon();

    // Whether the icon is in a tray now, so a window hidden there can come back.
    bool IsShown() const { return !m_bRemoved && !m_bHidden; }

    // What a click on the icon does: a left click runs the default item, and
    // the rest of a double click does nothing more.
    void OnTrayNotification(QSystemTrayIcon::ActivationReason eReason);
    // A left click on a message shown beside the icon (which the X11 tray
    // places over the icon) counts as a click on the icon; so does a click
    // on the desktop's notification of a D-Bus tray.
    void OnMessageClicked();

    // A message beside the icon: the X11 tray's balloon, the desktop's
    // notification with a D-Bus tray. False while the icon is in no tray.
    bool ShowMessage(const QString& strTitle, const QString& strText);
    // The messages shown in this run, oldest first.
    const QStringList& Messages() const { return m_listMessages; }

    int IconId() const { return m_nIconId; }
    int Id() const { return m_nId; }
    QString ToolTip() const { return m_strTip; }
    int DefaultCommand() const;
    bool IsHidden() const { return m_bHidden; }
    bool IsRemoved() const { return m_bRemoved; }
    bool IsPending() const { return m_bShowIconPending; }
    QMenu* Menu() { return m_pMenu.get(); }
    // Enables the items by their rules and marks the default in bold, as
    // right before the menu opens and whenever the commands' states change.
    void UpdateMenu();

    // Whether the desktop offers a tray now. Widget tests, which run without
    // one, stand in a desktop that has one (or has none) here; an empty
    // function gives the question back to the desktop.
    using CAvailability = std::function<bool()>;
    static void SetAvailability(CAvailability fnAvailable);
    static bool IsTrayAvailable();

    static constexpr int TIP_MAX = 63;
    // How often a pending icon looks for a tray.
    static constexpr int PENDING_POLL_MS = 1000;
    // How long a message stays beside the icon.
    static constexpr int MESSAGE_MS = 15000;

signals:
    // The tray went away while the icon was in it: a window hidden there has
    // no way back until another tray appears.
    void Lost();

private:
    void BuildMenu();
    void OnPoll();
    QAction* ActionAt(int nPos) const;
    void RunDefault(int nCommand);

    CCommandMap& m_commands;
    std::unique_ptr<QMenu> m_pMenu;
    // Opens the menu when a modal dialog keeps the click from the icon.
    std::unique_ptr<CBlockedTrayMenu> m_pBlockedMenu;
    QSystemTrayIcon m_icon;
    QTimer m_timerPoll;
    QElapsedTimer m_clock;
    CTrayClicks m_clicks;
    QString m_strTip;
    QStringList m_listMessages;
    int m_nIconId = 0;
    int m_nId = 0;
    bool m_bEnabled = false;
    bool m_bHidden = true;
    bool m_bRemoved = true;
    bool m_bShowIconPending = false;
    // The icon sits in a D-Bus tray, whose left click is a single activation.
    bool m_bDBusTray = false;
    int m_nDefaultMenuItem = 0;
    bool m_bDefaultByPos = true;
};
