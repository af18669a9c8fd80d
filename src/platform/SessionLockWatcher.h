// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantMap>

// Hears the desktop say that the user is going away: the login manager locks
// the session, marks it locked or the machine prepares to sleep (system bus),
// or the screen saver turns on, the freedesktop one or GNOME's (session bus).
// Without a bus the watcher stays silent.
class CSessionLockWatcher : public QObject {
    Q_OBJECT
public:
    explicit CSessionLockWatcher(QObject* pParent = nullptr);

signals:
    void LockRequested();

private slots:
    void OnScreenSaverActive(bool bActive);
    void OnPrepareForSleep(bool bStart);
    void OnSessionLock();
    void OnSessionProperties(const QString& strInterface, const QVariantMap& changed,
                             const QStringList& invalidated);

private:
    void WatchOwnSession();

    // The session's last known LockedHint: only its turn to true locks.
    bool m_bLockedHint = false;
};
