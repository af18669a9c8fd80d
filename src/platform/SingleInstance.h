// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

#include <memory>

// One running copy per user. The first copy holds a lock file and listens on
// a local socket of the same name; a later copy finds the lock taken, asks
// the socket "UWM_ARE_YOU_ME" and waits a short time for the same words back.
// The first copy answers and then announces the question, so that its main
// window can come to the front.
class CSingleInstance : public QObject {
    Q_OBJECT
public:
    // strName is a plain name placed in the user's runtime folder, or an
    // absolute path.
    explicit CSingleInstance(const QString& strName, QObject* pParent = nullptr);
    ~CSingleInstance() override;

    // The per-user name: the program's instance name followed by the user id.
    static QString DefaultName();
    // Where the socket of a plain name lives: the private folder. A path too
    // long for a socket address gives a short one in the private temporary
    // folder instead. Empty when no private folder can be had.
    static QString SocketPath(const QString& strName);
    // A folder only this user can enter: $XDG_RUNTIME_DIR when it is one,
    // else "keyhaven-UID" in the temporary folder, made 0700, or failing
    // that (someone else took the name) ".keyhaven-run" in the home folder.
    static QString PrivateFolder();
    // "keyhaven-UID" in the temporary folder, when it is (or is made) ours.
    static QString PrivateTempFolder();
    // Whether strFolder is a real folder (no link) of this user, closed to
    // others; one of ours that is open is closed first.
    static bool IsPrivateFolder(const QString& strFolder);
    // How old a lock file that names no process must be to be taken over.
    static constexpr qint64 MALFORMED_LOCK_AGE_MS = 5000;
    static constexpr qsizetype SOCKET_PATH_MAX = 100;

    // True when this process is the first copy and now answers the
    // question. False when another copy holds the lock.
    bool Claim();
    // Asks the first copy; true when it answered within nTimeoutMs.
    bool AskFirstInstance(int nTimeoutMs = 200) const;

    const QString& ServerPath() const { return m_strPath; }
    bool IsListening() const { return m_pServer && m_pServer->isListening(); }

signals:
    // A later copy asked and has been answered.
    void AreYouMe();

private:
    void OnNewConnection();
    // The lock, taking over one of ours that names no process.
    bool TryLock();

    QString m_strPath;
    QString m_strLockPath;
    QLockFile m_lock;
    std::unique_ptr<QLocalServer> m_pServer;
};
