// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/StatusNotifierHost.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QVariant>

namespace {

bool AskWatcher() {
    const QString strWatcher = QStringLiteral("org.kde.StatusNotifierWatcher");
    QDBusConnection session = QDBusConnection::sessionBus();
    if (!session.isConnected() || !session.interface() ||
        !session.interface()->isServiceRegistered(strWatcher))
        return false;
    QDBusInterface watcher(strWatcher, QStringLiteral("/StatusNotifierWatcher"), strWatcher,
                           session);
    return watcher.isValid() && watcher.property("IsStatusNotifierHostRegistered").toBool();
}

} // namespace

bool CStatusNotifierHost::IsPresent() {
    static const bool bPresent = AskWatcher();
    return bPresent;
}
