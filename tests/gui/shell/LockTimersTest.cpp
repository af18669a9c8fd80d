// SPDX-License-Identifier: GPL-3.0-or-later
// The locks the program takes by itself: an idle countdown that runs out,
// and a desktop lock that waits for the modal windows holding it back and
// comes once, as the last of them goes.
#include "gui/shell/LockTimers.h"

#include <QApplication>
#include <QDialog>
#include <QSignalSpy>
#include <QTest>

#include <memory>
#include <vector>

class CLockTimersTest : public QObject {
    Q_OBJECT
private slots:
    void idleCountdownsActAndStop();
    void desktopLockWaitsForTheLastModalWindow();
};

namespace {

bool ModalOpen() {
    return QApplication::activeModalWidget() != nullptr;
}

} // namespace

void CLockTimersTest::idleCountdownsActAndStop() {
    CLockTimers timers(ModalOpen);
    QSignalSpy lock(&timers, &CLockTimers::IdleLockDue);
    QSignalSpy exit(&timers, &CLockTimers::IdleExitDue);
    timers.Restart(50, 120);
    QTRY_COMPARE_WITH_TIMEOUT(exit.count(), 1, 3000);
    QCOMPARE(lock.count(), 1);
    // Stopped, nothing runs out any more, whatever restarts it.
    timers.Restart(30, 0);
    timers.Stop();
    timers.Restart(30, 0);
    QTest::qWait(150);
    QCOMPARE(lock.count(), 1);
}

void CLockTimersTest::desktopLockWaitsForTheLastModalWindow() {
    CLockTimers timers(ModalOpen);
    QSignalSpy due(&timers, &CLockTimers::DesktopLockDue);
    timers.DesktopLocked();
    QCOMPARE(due.count(), 1);
    QVERIFY(!timers.IsDesktopLockPending());

    QWidget window;
    window.show();
    std::vector<std::unique_ptr<QDialog>> modals;
    for (int i = 0; i < 2; ++i) {
        modals.push_back(std::make_unique<QDialog>(&window));
        modals.back()->setWindowModality(Qt::ApplicationModal);
        modals.back()->show();
    }
    QTRY_VERIFY(ModalOpen());
    timers.DesktopLocked();
    timers.DesktopLocked();
    QVERIFY(timers.IsDesktopLockPending());
    // One of two gone: still held back.
    modals.pop_back();
    QTest::qWait(100);
    QCOMPARE(due.count(), 1);
    modals.clear();
    QTRY_COMPARE(due.count(), 2);
    QVERIFY(!timers.IsDesktopLockPending());
    // Later windows and their ends bring no second lock.
    QDialog later(&window);
    later.setModal(true);
    later.show();
    later.hide();
    QTest::qWait(100);
    QCOMPARE(due.count(), 2);
}

QTEST_MAIN(CLockTimersTest)
#include "LockTimersTest.moc"
