// The desktop's lock signals on a private bus, which stands in for both the
// session and the system bus; a second connection plays the login manager.

#include "platform/SessionLockWatcher.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString SESSION_PATH = QStringLiteral("/org/freedesktop/login1/session/_31");

// The login manager's one method the watcher calls.
class CFakeLoginManager : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")
public:
    int m_nAsked = 0;

public slots:
    QDBusObjectPath GetSessionByPID(uint /*nPid*/) {
        ++m_nAsked;
        return QDBusObjectPath(SESSION_PATH);
    }
};

} // namespace

class SessionLockWatcherTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void screenSaversLockWhenTheyTurnOn_data();
    void screenSaversLockWhenTheyTurnOn();
    void loginManagerLocksOnLockAndLockedHint();

private:
    void Send(const QDBusConnection& connection, const QString& strPath,
              const QString& strInterface, const QString& strName, const QVariantList& args) {
        QDBusMessage message = QDBusMessage::createSignal(strPath, strInterface, strName);
        message.setArguments(args);
        QVERIFY(connection.send(message));
    }
    void LockedHint(const QDBusConnection& connection, bool bLocked) {
        Send(connection, SESSION_PATH, QStringLiteral("org.freedesktop.DBus.Properties"),
             QStringLiteral("PropertiesChanged"),
             {QStringLiteral("org.freedesktop.login1.Session"),
              QVariantMap{{QStringLiteral("LockedHint"), bLocked}}, QStringList()});
    }

    QTemporaryDir m_dir;
    QProcess m_bus;
};

void SessionLockWatcherTest::initTestCase() {
    QVERIFY(m_dir.isValid());
    m_bus.start(QStringLiteral("dbus-daemon"),
                {QStringLiteral("--session"), QStringLiteral("--nofork"),
                 QStringLiteral("--print-address=1"),
                 QStringLiteral("--address=unix:path=") + m_dir.filePath(QStringLiteral("bus"))});
    QVERIFY(m_bus.waitForStarted());
    QVERIFY(m_bus.waitForReadyRead(5000));
    const QByteArray address = m_bus.readLine().trimmed();
    QVERIFY(!address.isEmpty());
    // Read at the first use of each bus.
    qputenv("DBUS_SESSION_BUS_ADDRESS", address);
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", address);
    QVERIFY(QDBusConnection::sessionBus().isConnected());
}

void SessionLockWatcherTest::cleanupTestCase() {
    m_bus.terminate();
    m_bus.waitForFinished(3000);
}

void SessionLockWatcherTest::screenSaversLockWhenTheyTurnOn_data() {
    QTest::addColumn<QString>("strInterface");
    QTest::addColumn<QString>("strPath");
    QTest::newRow("freedesktop") << QStringLiteral("org.freedesktop.ScreenSaver")
                                 << QStringLiteral("/org/freedesktop/ScreenSaver");
    QTest::newRow("GNOME") << QStringLiteral("org.gnome.ScreenSaver")
                           << QStringLiteral("/org/gnome/ScreenSaver");
}

void SessionLockWatcherTest::screenSaversLockWhenTheyTurnOn() {
    QFETCH(QString, strInterface);
    QFETCH(QString, strPath);
    CSessionLockWatcher watcher;
    QSignalSpy spy(&watcher, &CSessionLockWatcher::LockRequested);
    const QDBusConnection saver =
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("saver"));
    Send(saver, strPath, strInterface, QStringLiteral("ActiveChanged"), {false});
    Send(saver, strPath, strInterface, QStringLiteral("ActiveChanged"), {true});
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

    LockedHint(login, false);
    LockedHint(login, true);
    QTRY_COMPARE(spy.count(), 1);
    // Still locked is no new lock; unlocked and locked again is.
    LockedHint(login, true);
    LockedHint(login, false);
    LockedHint(login, true);
    QTRY_COMPARE(spy.count(), 2);
    Send(login, SESSION_PATH, QStringLiteral("org.freedesktop.login1.Session"),
         QStringLiteral("Lock"), {});
    QTRY_COMPARE(spy.count(), 3);
    QTest::qWait(100);
    QCOMPARE(spy.count(), 3);
}

QTEST_GUILESS_MAIN(SessionLockWatcherTest)
#include "SessionLockWatcherTest.moc"
