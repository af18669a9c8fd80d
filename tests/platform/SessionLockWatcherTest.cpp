// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop's lock signals on a private bus, which stands in for both the
// session and the system bus; a second connection plays the login manager.

#include "platform/SessionLockWatcher.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString SESSION = QStringLiteral("/org/freedesktop/login1/session/_31");

class CFakeLoginManager : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")
public:
    int m_nAsked = 0;
public slots:
    QDBusObjectPath GetSessionByPID(uint /*nPid*/) {
        ++m_nAsked;
        return QDBusObjectPath(SESSION);
    }
};

void Send(const QString& strPath, const QString& strInterface, const QString& strName,
          const QVariantList& args, const QString& strFrom = QStringLiteral("saver")) {
    QDBusMessage message = QDBusMessage::createSignal(strPath, strInterface, strName);
    message.setArguments(args);
    QDBusConnection::connectToBus(QDBusConnection::SessionBus, strFrom).send(message);
}

void LockedHint(bool bLocked) {
    Send(SESSION, QStringLiteral("org.freedesktop.DBus.Properties"),
         QStringLiteral("PropertiesChanged"),
         {QStringLiteral("org.freedesktop.login1.Session"),
          QVariantMap{{QStringLiteral("LockedHint"), bLocked}}, QStringList()},
         QStringLiteral("login"));
}

} // namespace

class SessionLockWatcherTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        m_bus.start(
            QStringLiteral("dbus-daemon"),
            {QStringLiteral("--session"), QStringLiteral("--nofork"),
             QStringLiteral("--print-address=1"),
             QStringLiteral("--address=unix:path=") + m_dir.filePath(QStringLiteral("bus"))});
        QVERIFY(m_bus.waitForReadyRead(5000));
        const QByteArray address = m_bus.readLine().trimmed();
        // Read at the first use of each bus.
        qputenv("DBUS_SESSION_BUS_ADDRESS", address);
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", address);
        QVERIFY(QDBusConnection::sessionBus().isConnected());
    }
    void cleanupTestCase() {
        m_bus.terminate();
        m_bus.waitForFinished(3000);
    }
    void screenSaversLockWhenTheyTurnOn_data();
    void screenSaversLockWhenTheyTurnOn();
    void loginManagerLocksOnLockAndLockedHint();

private:
    QTemporaryDir m_dir;
    QProcess m_bus;
};

void SessionLockWatcherTest::screenSaversLockWhenTheyTurnOn_data() {
    QTest::addColumn<QString>("strInterface");
    QTest::newRow("freedesktop") << QStringLiteral("org.freedesktop.ScreenSaver");
    QTest::newRow("GNOME") << QStringLiteral("org.gnome.ScreenSaver");
}

void SessionLockWatcherTest::screenSaversLockWhenTheyTurnOn() {
    QFETCH(QString, strInterface);
    CSessionLockWatcher watcher;
    QSignalSpy spy(&watcher, &CSessionLockWatcher::LockRequested);
    const QString strPath =
        QLatin1Char('/') + QString(strInterface).replace(QLatin1Char('.'), QLatin1Char('/'));
    Send(strPath, strInterface, QStringLiteral("ActiveChanged"), {false});
    Send(strPath, strInterface, QStringLiteral("ActiveChanged"), {true});
    QTRY_COMPARE(spy.count(), 1);
    QTest::qWait(100);
    QCOMPARE(spy.count(), 1); // turning off locked nothing
}

void SessionLockWatcherTest::loginManagerLocksOnLockAndLockedHint() {
    QDBusConnection login =
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("login"));
    CFakeLoginManager manager;
    QVERIFY(login.registerService(QStringLiteral("org.freedesktop.login1")));
    QVERIFY(login.registerObject(QStringLiteral("/org/freedesktop/login1"), &manager,
                                 QDBusConnection::ExportAllSlots));
    CSessionLockWatcher watcher;
    QSignalSpy spy(&watcher, &CSessionLockWatcher::LockRequested);
    QTRY_COMPARE(manager.m_nAsked, 1);
    QTest::qWait(200); // the answer reaches the watcher, which subscribes

    // Only the turn to true locks: still locked is no new lock.
    for (const bool bLocked : {false, true, true, false, true})
        LockedHint(bLocked);
    QTRY_COMPARE(spy.count(), 2);
    Send(SESSION, QStringLiteral("org.freedesktop.login1.Session"), QStringLiteral("Lock"), {},
         QStringLiteral("login"));
    QTRY_COMPARE(spy.count(), 3);
    QTest::qWait(100);
    QCOMPARE(spy.count(), 3);
}

QTEST_GUILESS_MAIN(SessionLockWatcherTest)
#include "SessionLockWatcherTest.moc"
