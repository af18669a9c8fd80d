#pragma once

#include <QObject>
#include <QString>

// Hears the desktop say that the user is going away: the login manager locks
// the session or the machine prepares to sleep (system bus), or the screen
// saver turns on (session bus). Without a bus the watcher stays silent.
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

private:
    void WatchOwnSession();
};
