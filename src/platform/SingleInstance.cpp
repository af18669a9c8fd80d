// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SingleInstance.h"

#include "core/base/StringTable.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>

#include <algorithm>

#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray Question() {
    return QByteArray(IDS_ARE_YOU_ME) + '\n';
}

} // namespace

CSingleInstance::CSingleInstance(const QString& strName, QObject* pParent)
    : QObject(pParent), m_strPath(SocketPath(strName)), m_strLockPath(m_strPath + ".lock"),
      m_lock(m_strLockPath) {
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

QString CSingleInstance::PrivateFolder() {
    const QString strRuntime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!strRuntime.isEmpty() && IsPrivateFolder(strRuntime))
        return strRuntime;
    const QString strTemp = PrivateTempFolder();
    if (!strTemp.isEmpty())
        return strTemp;
    // Someone else holds that name: the home folder is the user's alone.
    const QString strHome = QDir(QDir::homePath()).filePath(QStringLiteral(".keyhaven-run"));
    ::mkdir(QFile::encodeName(strHome).constData(), 0700);
    return IsPrivateFolder(strHome) ? strHome : QString();
}

QString CSingleInstance::PrivateTempFolder() {
    // One of our own in the shared temporary folder: a predictable name there
    // could be taken by anyone, so the folder is made 0700 and used only when
    // it is ours.
    const QString strTemp =
        QDir(QDir::tempPath()).filePath(QStringLiteral("keyhaven-%1").arg(::geteuid()));
    ::mkdir(QFile::encodeName(strTemp).constData(), 0700);
    return IsPrivateFolder(strTemp) ? strTemp : QString();
}

bool CSingleInstance::IsPrivateFolder(const QString& strFolder) {
    const QByteArray path = QFile::encodeName(strFolder);
    struct stat st {};
    if (::lstat(path.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid())
        return false;
    // Ours but opened up (by hand, an old version): closed again.
    return (st.st_mode & 077) == 0 || ::chmod(path.constData(), 0700) == 0;
}

QString CSingleInstance::SocketPath(const QString& strName) {
    if (QDir::isAbsolutePath(strName))
        return strName;
    const QString strFolder = PrivateFolder();
    if (strFolder.isEmpty())
        return {};
    const QString strPath = QDir(strFolder).filePath(strName);
    if (QFile::encodeName(strPath).size() <= SOCKET_PATH_MAX)
        return strPath;
    // A socket address holds about a hundred bytes. A longer path is replaced
    // by a short one in the private temporary folder that still depends on
    // the whole path, so that separate runtime folders stay apart.
    const QByteArray digest =
        QCryptographicHash::hash(QFile::encodeName(strPath), QCryptographicHash::Sha256).toHex();
    const QString strShortName = QString::fromLatin1(digest.left(24));
    const QString strShort = QDir(strFolder).filePath(strShortName);
    if (QFile::encodeName(strShort).size() <= SOCKET_PATH_MAX)
        return strShort;
    const QString strTemp = PrivateTempFolder();
    return strTemp.isEmpty() ? QString() : QDir(strTemp).filePath(strShortName);
}

bool CSingleInstance::TryLock() {
    if (m_lock.tryLock(0))
        return true;
    if (m_lock.error() != QLockFile::LockFailedError)
        return false;
    // A lock file that names no process (garbage, cut short by a full disk)
    // would keep every start out for ever. Only one older than a start
    // takes is ours to remove: a copy starting right now may not have
    // written its details yet.
    qint64 nPid = 0;
    QString strHost;
    QString strApp;
    const QFileInfo info(m_strLockPath);
    if (m_lock.getLockInfo(&nPid, &strHost, &strApp) ||
        info.lastModified().msecsTo(QDateTime::currentDateTime()) < MALFORMED_LOCK_AGE_MS)
        return false;
    return m_lock.removeStaleLockFile() && m_lock.tryLock(0);
}

bool CSingleInstance::Claim() {
    // No private folder at all: run unguarded rather than never start, and
    // never in a place another user could reach.
    if (m_strPath.isEmpty())
        return true;
    if (!TryLock()) {
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
