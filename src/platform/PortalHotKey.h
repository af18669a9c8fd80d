// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/shell/HotKeyGrabber.h"

#include <QDBusMessage>
#include <QObject>
#include <QString>
#include <QVariantMap>

// The global hot key through the desktop portal's GlobalShortcuts interface,
// for Wayland, where no program may grab keys from the others. The portal
// works by request and answer: a session is created, the one shortcut is
// bound in it with the stored combination as the preferred trigger (the
// desktop may ask the user to confirm it, or choose another), and the portal
// reports each press with its Activated signal. Grab sends the requests and
// answers at once; a refusal that comes later is logged. A changed key
// closes the session and binds the new one in a fresh session, since a
// session binds its shortcuts only once.
class CPortalHotKey : public QObject, public CHotKeyGrabber {
    Q_OBJECT
public:
    explicit CPortalHotKey(QObject* pParent = nullptr);
    ~CPortalHotKey() override;

    // Whether the session bus has a desktop portal that offers global
    // shortcuts.
    static bool IsAvailable();

    bool Grab(const SHotKeyGrab& grab) override;
    void Release(const SHotKeyGrab& grab) override;

    // The trigger the desktop reported for the bound shortcut (empty until
    // it answers, or when it refused).
    const QString& BoundTrigger() const { return m_strBoundTrigger; }

signals:
    // The shortcut was pressed.
    void Activated();
    // The portal answered the binding: bBound false when it was refused or
    // cancelled.
    void BindAnswered(bool bBound);

private slots:
    void OnSessionResponse(uint nResponse, const QVariantMap& results);
    void OnBindResponse(uint nResponse, const QVariantMap& results);
    void OnActivated(const QDBusMessage& message);

private:
    // A fresh handle token and the request path the portal answers under;
    // the answer is connected to pszSlot before the request goes out.
    QString WatchRequest(const char* pszSlot);
    void StopWatching();
    void CloseSession();

    SHotKeyGrab m_grab;
    QString m_strTrigger;
    QString m_strBoundTrigger;
    QString m_strRequestPath;
    QString m_strSession;
    const char* m_pszResponseSlot = nullptr;
    bool m_bActivatedConnected = false;
};
