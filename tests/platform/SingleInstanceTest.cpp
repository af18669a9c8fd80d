// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SingleInstance.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>

#include <atomic>
#include <thread>

#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

namespace {

QString UniqueName() {
    return QStringLiteral("keyhaven-test-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
}

// Asks from another thread, as a second process would, while this thread's
// event loop lets the first copy answer.
bool AskWhileServing(const CSingleInstance& asker, int nTimeoutMs, qint64* pElapsed = nullptr) {
    std::atomic<int> nResult{-1};
    QElapsedTimer timer;
    timer.start();
    std::thread thread([&]() { nResult = asker.AskFirstInstance(nTimeoutMs) ? 1 : 0; });
    while (nResult < 0)
        QTest::qWait(5);
    thread.join();
    if (pElapsed)
        *pElapsed = timer.elapsed();
    return nResult == 1;
}

// Sets an environment variable for one scope.
class CScopedEnv {
public:
    CScopedEnv(const char* pszName, const QByteArray& value)
        : m_pszName(pszName), m_bHad(qEnvironmentVariableIsSet(pszName)), m_old(qgetenv(pszName)) {
        if (value.isNull())
            qunsetenv(pszName);
        else
            qputenv(pszName, value);
    }
    ~CScopedEnv() {
        if (m_bHad)
            qputenv(m_pszName, m_old);
        else
            qunsetenv(m_pszName);
    }
    CScopedEnv(const CScopedEnv&) = delete;
    CScopedEnv& operator=(const CScopedEnv&) = delete;

private:
    const char* m_pszName;
    bool m_bHad;
    QByteArray m_old;
};

// A first copy of the name claims and listens; a second is refused and
// finds it.
bool FirstCopyServesASecond(const QString& strName) {
    CSingleInstance first(strName);
    if (!first.Claim() || !first.IsListening())
        return false;
    CSingleInstance second(strName);
    return !second.Claim() && AskWhileServing(second, 200);
}

mode_t ModeOf(const QString& strPath) {
    struct stat st {};
    return ::lstat(QFile::encodeName(strPath).constData(), &st) == 0 ? st.st_mode : 0;
}

} // namespace

class CSingleInstanceTest : public QObject {
    Q_OBJECT
private slots:
    void defaultNameIsPerUserInRuntimeFolder();
    void secondCopyFindsTheFirst();
    void firstCopyAnswersAndAnnounces();
    void silentFirstCopyTimesOut();
    void lockOfAGoneCopyIsTakenOver();
    void longRuntimeFolderStillWorks();
    void strangersAreNotAnswered();
    void withoutRuntimeFolderAPrivateOneIsMade();
    void aMalformedLockOfOurOwnIsTakenOver();
};

void CSingleInstanceTest::defaultNameIsPerUserInRuntimeFolder() {
    const QString strName = CSingleInstance::DefaultName();
    QVERIFY(strName.startsWith("Keyhaven-34563126-726E-41d0-9C98-9F5919153C1C-"));
    QVERIFY(strName.size() > 46);
    QTemporaryDir runtime;
    const QByteArray oldRuntime = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    QCOMPARE(CSingleInstance::SocketPath("x"), QDir(runtime.path()).filePath("x"));
    QCOMPARE(CSingleInstance::SocketPath("/abs/path"), QString("/abs/path"));
    qputenv("XDG_RUNTIME_DIR", oldRuntime);
}

void CSingleInstanceTest::secondCopyFindsTheFirst() {
    const QString strName = UniqueName();
    CSingleInstance first(strName);
    QVERIFY(first.Claim());
    QVERIFY(first.IsListening());
    CSingleInstance second(strName);
    QVERIFY(!second.Claim());
    QVERIFY(!second.IsListening());
    QVERIFY(AskWhileServing(second, 200));
}

void CSingleInstanceTest::firstCopyAnswersAndAnnounces() {
    const QString strName = UniqueName();
    CSingleInstance first(strName);
    QVERIFY(first.Claim());
    QSignalSpy spy(&first, &CSingleInstance::AreYouMe);
    CSingleInstance second(strName);
    QVERIFY(!second.Claim());
    QVERIFY(AskWhileServing(second, 200));
    QTRY_COMPARE(spy.count(), 1);
    QVERIFY(AskWhileServing(second, 200));
    QTRY_COMPARE(spy.count(), 2);
}

void CSingleInstanceTest::silentFirstCopyTimesOut() {
    // A copy that holds the lock but does not answer (still starting, or
    // hung) keeps the second waiting no longer than the time-out.
    const QString strName = UniqueName();
    CSingleInstance first(strName);
    QVERIFY(first.Claim());
    const QString strPath = first.ServerPath();
    QLocalServer mute;
    QLocalServer::removeServer(strPath);
    QVERIFY(mute.listen(strPath));
    CSingleInstance second(strName);
    QVERIFY(!second.Claim());
    qint64 nElapsed = 0;
    QVERIFY(!AskWhileServing(second, 200, &nElapsed));
    QVERIFY2(nElapsed < 1500, qPrintable(QString::number(nElapsed)));
}

void CSingleInstanceTest::lockOfAGoneCopyIsTakenOver() {
    const QString strName = UniqueName();
    {
        CSingleInstance first(strName);
        QVERIFY(first.Claim());
    }
    // A socket file left behind (a crash) does not block the next start.
    QLocalServer leftover;
    QVERIFY(leftover.listen(CSingleInstance::SocketPath(strName)));
    CSingleInstance next(strName);
    QVERIFY(next.Claim());
    QVERIFY(next.IsListening());
    CSingleInstance third(strName);
    QVERIFY(!third.Claim());
    QVERIFY(AskWhileServing(third, 200));
}

void CSingleInstanceTest::longRuntimeFolderStillWorks() {
    QTemporaryDir base;
    const QString strDeep = base.path() + "/" + QString(90, QChar('r'));
    QVERIFY(QDir().mkpath(strDeep));
    const QByteArray oldRuntime = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", strDeep.toLocal8Bit());
    const QString strName = UniqueName();
    const QString strPath = CSingleInstance::SocketPath(strName);
    QVERIFY(strPath.size() <= CSingleInstance::SOCKET_PATH_MAX);
    // Another runtime folder gives another short path.
    const QString strOther = base.path() + "/" + QString(90, QChar('s'));
    QVERIFY(QDir().mkpath(strOther));
    qputenv("XDG_RUNTIME_DIR", strOther.toLocal8Bit());
    QVERIFY(CSingleInstance::SocketPath(strName) != strPath);
    qputenv("XDG_RUNTIME_DIR", strDeep.toLocal8Bit());

    QVERIFY(FirstCopyServesASecond(strName));
    qputenv("XDG_RUNTIME_DIR", oldRuntime);
}

void CSingleInstanceTest::strangersAreNotAnswered() {
    const QString strName = UniqueName();
    CSingleInstance first(strName);
    QVERIFY(first.Claim());
    QSignalSpy spy(&first, &CSingleInstance::AreYouMe);
    QLocalSocket socket;
    socket.connectToServer(first.ServerPath());
    QVERIFY(socket.waitForConnected(1000));
    socket.write("WHO_ARE_YOU\n");
    socket.flush();
    QTRY_COMPARE(socket.state(), QLocalSocket::UnconnectedState);
    QCOMPARE(socket.readAll(), QByteArray());
    QCOMPARE(spy.count(), 0);
}

void CSingleInstanceTest::withoutRuntimeFolderAPrivateOneIsMade() {
    QTemporaryDir temp;
    QTemporaryDir home;
    const CScopedEnv noRuntime("XDG_RUNTIME_DIR", QByteArray());
    const CScopedEnv tmpdir("TMPDIR", QFile::encodeName(temp.path()));
    const CScopedEnv homeDir("HOME", QFile::encodeName(home.path()));
    const QString strOwn = temp.path() + QStringLiteral("/keyhaven-%1").arg(::geteuid());

    // The name in the shared folder, made 0700, or closed again when ours.
    QCOMPARE(CSingleInstance::SocketPath("x"), strOwn + "/x");
    QCOMPARE(ModeOf(strOwn) & 07777, mode_t(0700));
    QVERIFY(::chmod(QFile::encodeName(strOwn).constData(), 0777) == 0);
    QCOMPARE(CSingleInstance::SocketPath("x"), strOwn + "/x");
    QCOMPARE(ModeOf(strOwn) & 07777, mode_t(0700));

    // A link of that name, even to a folder of ours, is not ours to trust.
    QVERIFY(QDir(strOwn).removeRecursively());
    QVERIFY(QFile::link(home.path(), strOwn));
    QCOMPARE(CSingleInstance::SocketPath("x"), home.path() + "/.keyhaven-run/x");
    QCOMPARE(ModeOf(home.path() + "/.keyhaven-run") & 07777, mode_t(0700));
    QVERIFY(QFile::remove(strOwn));

    if (::geteuid() != 0)
        QSKIP("a folder of another owner needs the superuser to make");
    QVERIFY(QDir().mkdir(strOwn));
    QVERIFY(::chown(QFile::encodeName(strOwn).constData(), 43210, 43210) == 0);
    QCOMPARE(CSingleInstance::SocketPath("x"), home.path() + "/.keyhaven-run/x");
    // The copy still starts, answers and is found there.
    const QString strName = UniqueName();
    QVERIFY(FirstCopyServesASecond(strName));
}

void CSingleInstanceTest::aMalformedLockOfOurOwnIsTakenOver() {
    const QString strName = UniqueName();
    const QString strLock = CSingleInstance::SocketPath(strName) + ".lock";
    QFile garbage(strLock);
    QVERIFY(garbage.open(QIODevice::WriteOnly));
    garbage.write("\x01\x02 not a lock\n");
    garbage.close();
    // Just written, it may be a copy starting this very moment.
    CSingleInstance early(strName);
    QVERIFY(!early.Claim());
    const qint64 nOld = QDateTime::currentSecsSinceEpoch() - 60;
    const utimbuf times{nOld, nOld};
    QVERIFY(::utime(QFile::encodeName(strLock).constData(), &times) == 0);
    QVERIFY(FirstCopyServesASecond(strName));
}

QTEST_MAIN(CSingleInstanceTest)
#include "SingleInstanceTest.moc"
