// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SessionLockWatcher.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace {

const QString LOGIN_SERVICE = QStringLiteral("org.freedesktop.login1");
const QString LOGIN_PATH = QStringLiteral("/org/freedesktop/login1");
const QString LOGIN_MANAGER = QStringLiteral("org.freedesktop.login1.Manager");
const QString LOGIN_SESSION = QStringLiteral("org.freedesktop.login1.Session");
const QString PROPERTIES = QStringLiteral("org.freedesktop.DBus.Properties");
const QString LOCKED_HINT = QStringLiteral("LockedHint");
// GNOME's screen saver speaks its own interface, with the same signal.
const QString SCREEN_SAVERS[] = {QStringLiteral("org.freedesktop.ScreenSaver"),
                                 QStringLiteral("org.gnome.ScreenSaver")};

} // namespace

CSessionLockWatcher::CSessionLockWatcher(QObject* pParent) : QObject(pParent) {
    QDBusConnection session = QDBusConnection::sessionBus();
    if (session.isConnected())
        for (const QString& strInterface : SCREEN_SAVERS)
            session.connect(QString(), QString(), strInterface, QStringLiteral("ActiveChanged"),
                            this, SLOT(OnScreenSaverActive(bool)));
    QDBusConnection system = QDBusConnection::systemBus();
    if (!system.isConnected())
        return;
    system.connect(LOGIN_SERVICE, LOGIN_PATH, LOGIN_MANAGER, QStringLiteral("PrepareForSleep"),
                   this, SLOT(OnPrepareForSleep(bool)));
    WatchOwnSession();
}

void CSessionLockWatcher::WatchOwnSession() {
    // The Lock signal comes from the session's own object; which one that
    // is, the manager tells by the process id. Asked without waiting, so a
    // slow or absent login manager never holds up the start.
    QDBusMessage call = QDBusMessage::createMethodCall(LOGIN_SERVICE, LOGIN_PATH, LOGIN_MANAGER,
                                                       QStringLiteral("GetSessionByPID"));
    call << quint32(QCoreApplication::applicationPid());
    auto* pWatcher =
        new QDBusPendingCallWatcher(QDBusConnection::systemBus().asyncCall(call), this);
    connect(
        pWatcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* pCall) {
            const QDBusPendingReply<QDBusObjectPath> reply = *pCall;
            pCall->deleteLater();
            if (reply.isError())
                return; // not in a session of the login manager
            QDBusConnection system = QDBusConnection::systemBus();
            const QString strPath = reply.value().path();
            system.connect(LOGIN_SERVICE, strPath, LOGIN_SESSION, QStringLiteral("Lock"), this,
                           SLOT(OnSessionLock()));
            // Desktops that lock on their own (GNOME's shell) say so only
            // through the session's LockedHint.
            system.connect(LOGIN_SERVICE, strPath, PROPERTIES, QStringLiteral("PropertiesChanged"),
                           this, SLOT(OnSessionProperties(QString, QVariantMap, QStringList)));
        });
}

void CSessionLockWatcher::OnScreenSaverActive(bool bActive) {
    if (bActive)
        emit LockRequested();
}

void CSessionLockWatcher::OnPrepareForSleep(bool bStart) {
    if (bStart)
        emit LockRequested();
}

void CSessionLockWatcher::OnSessionLock() {
    emit LockRequested();
}

void CSessionLockWatcher::OnSessionProperties(const QString& strInterface,
                                              const QVariantMap& changed,
                                              const QStringList& invalidated) {
    if (strInterface != LOGIN_SESSION)
        return;
    const auto it = changed.constFind(LOCKED_HINT);
    if (it == changed.constEnd()) {
        // Only "changed" without the value: the next value is news again.
        if (invalidated.contains(LOCKED_HINT))
            m_bLockedHint = false;
        return;
    }
    const bool bWasLocked = m_bLockedHint;
    m_bLockedHint = it->toBool();
    if (m_bLockedHint && !bWasLocked)
        emit LockRequested();
}
