#include "platform/SingleInstance.h"

#include "core/base/StringTable.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>

#include <algorithm>

#include <unistd.h>

namespace {

QByteArray Question() {
    return QByteArray(IDS_ARE_YOU_ME) + '\n';
}

} // namespace

CSingleInstance::CSingleInstance(const QString& strName, QObject* pParent)
    : QObject(pParent), m_strPath(SocketPath(strName)), m_lock(SocketPath(strName) + ".lock") {
    // Only a lock whose process has gone is stale; a long-running first copy
    // keeps its lock however old the file is.
    m_lock.setStaleLockTime(0);
}

CSingleInstance::~CSingleInstance() {
    if (m_pServer)
        m_pServer->close();
}

QString CSingleInstance::DefaultName() {
    return QString::fromLatin1(IDS_MUTEX_NAME) + '-' + QString::number(getuid());
}

QString CSingleInstance::SocketPath(const QString& strName) {
    QString strPath;
    const QString strRuntime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (QDir::isAbsolutePath(strName))
        strPath = strName;
    else if (!strRuntime.isEmpty() && QFileInfo(strRuntime).isDir())
        strPath = QDir(strRuntime).filePath(strName);
    else
        strPath = QDir(QDir::tempPath()).filePath(strName);
    if (QFile::encodeName(strPath).size() <= SOCKET_PATH_MAX)
        return strPath;
    // A socket address holds about a hundred bytes. A longer path is replaced
    // by a short one in the temporary folder that still depends on the whole
    // path and the user, so that separate runtime folders stay apart.
    const QByteArray digest =
        QCryptographicHash::hash(QFile::encodeName(strPath), QCryptographicHash::Sha256).toHex();
    return QDir(QDir::tempPath())
        .filePath(QStringLiteral("keyhaven-%1-%2")
                      .arg(getuid())
                      .arg(QString::fromLatin1(digest.left(24))));
}

bool CSingleInstance::Claim() {
    if (!m_lock.tryLock(0)) {
        if (m_lock.error() == QLockFile::LockFailedError)
            return false;
        // The folder refuses the lock file: run unguarded rather than never
        // start at all.
    }
    m_pServer = std::make_unique<QLocalServer>();
    m_pServer->setSocketOptions(QLocalServer::UserAccessOption);
    // A socket left by a copy that crashed would block the name; the lock
    // says that no copy is running now.
    QLocalServer::removeServer(m_strPath);
    connect(m_pServer.get(), &QLocalServer::newConnection, this, &CSingleInstance::OnNewConnection);
    m_pServer->listen(m_strPath);
    return true;
}

void CSingleInstance::OnNewConnection() {
    while (QLocalSocket* pSocket = m_pServer->nextPendingConnection()) {
        connect(pSocket, &QLocalSocket::disconnected, pSocket, &QObject::deleteLater);
        connect(pSocket, &QLocalSocket::readyRead, this, [this, pSocket]() {
            if (!pSocket->canReadLine()) {
                // Anything longer than the question is not the question.
                if (pSocket->bytesAvailable() > Question().size())
                    pSocket->abort();
                return;
            }
            const QByteArray line = pSocket->readLine(Question().size() + 1);
            if (line != Question()) {
                pSocket->abort();
                return;
            }
            pSocket->write(Question());
            pSocket->flush();
            pSocket->disconnectFromServer();
            emit AreYouMe();
        });
    }
}

bool CSingleInstance::AskFirstInstance(int nTimeoutMs) const {
    QElapsedTimer timer;
    timer.start();
    const auto remaining = [&]() { return std::max(0, nTimeoutMs - int(timer.elapsed())); };

    QLocalSocket socket;
    socket.connectToServer(m_strPath);
    if (!socket.waitForConnected(remaining()))
        return false;
    socket.write(Question());
    socket.flush();
    while (socket.bytesToWrite() > 0)
        if (remaining() == 0 || !socket.waitForBytesWritten(remaining()))
            return false;
    QByteArray answer;
    while (!answer.contains('\n')) {
        const int nLeft = remaining();
        if (nLeft == 0 || !socket.waitForReadyRead(nLeft))
            break;
        answer += socket.readAll();
    }
    return answer == Question();
}
