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
    // Where the socket of a plain name lives: $XDG_RUNTIME_DIR when it is a
    // folder, else the temporary folder (the name carries the user id). A
    // path too long for a socket address gives a short one instead.
    static QString SocketPath(const QString& strName);
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

    QString m_strPath;
    QLockFile m_lock;
    std::unique_ptr<QLocalServer> m_pServer;
};
