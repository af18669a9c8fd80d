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
const QString SCREEN_SAVER = QStringLiteral("org.freedesktop.ScreenSaver");

} // namespace

CSessionLockWatcher::CSessionLockWatcher(QObject* pParent) : QObject(pParent) {
    QDBusConnection session = QDBusConnection::sessionBus();
    if (session.isConnected())
        session.connect(QString(), QString(), SCREEN_SAVER, QStringLiteral("ActiveChanged"), this,
                        SLOT(OnScreenSaverActive(bool)));
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
    connect(pWatcher, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* pCall) {
                const QDBusPendingReply<QDBusObjectPath> reply = *pCall;
                pCall->deleteLater();
                if (reply.isError())
                    return; // not in a session of the login manager
                QDBusConnection::systemBus().connect(LOGIN_SERVICE, reply.value().path(),
                                                     LOGIN_SESSION, QStringLiteral("Lock"), this,
                                                     SLOT(OnSessionLock()));
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
