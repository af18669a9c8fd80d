// SPDX-License-Identifier: GPL-3.0-or-later
// The frame's idle countdowns with short intervals, the idle exit that keeps
// unsaved changes, the lock that follows the desktop's, the hot key's way
// back, and the password that leaves the clipboard.

#include "core/base/CommandIds.h"
#include "core/store/CodePage.h"
#include "core/store/FieldCipher.h"
#include "gui/shell/FrameFixture.h"
#include "gui/shell/SystemTray.h"
#include "platform/Clipboard.h"
#include "support/SampleDocument.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QFile>
#include <QMimeData>
#include <QStatusBar>
#include <QTest>

#include <algorithm>
#include <memory>
#include <vector>

class IdleLockTest : public QObject {
    Q_OBJECT

private slots:
    void autoLockHidesAndLocksAfterTheIdleTime();
    void inputKeepsRestartingTheCountdowns();
    void modalDialogKeepsBothFromActing();
    void autoExitEndsAnUnchangedFile();
    void autoExitSavesChangesBeforeEnding();
    void autoExitLocksWhenChangesHaveNowhereToGo();
    void endBySignalOrSession_data();
    void endBySignalOrSession();
    void desktopLockFollowsTheSetting();
    void desktopLockWaitsForAnOpenDialog();
    void aLockActsOverTheBusyBoxOfWorkItStops_data();
    void aLockActsOverTheBusyBoxOfWorkItStops();
    void hotKeyComesBackThroughTheKey();
    void hotKeyWithoutXServerFailsQuietly();
    void passwordOnClipboardIsMarkedAndCleared();

private:
    static void Idle(CFrameFixture& fx, unsigned nLockMs, unsigned nExitMs) {
        fx.m_profile.WriteProfileInt("Settings", "AutoMin", nLockMs);
        fx.m_profile.WriteProfileInt("Settings", "AutoExit", nExitMs);
    }
    // The frame shown with a document that has a KEY but no file, its idle
    // countdowns started.
    static CMainFrame& ShownWithKey(CFrameFixture& fx) {
        CMainFrame& frame = fx.Frame();
        frame.ActivateFrame(true);
        fx.GiveKey("secret");
        frame.RestartIdleTimers();
        return frame;
    }
    static void Touch(CMainFrame& frame) { QTest::keyClick(&frame, Qt::Key_Shift); }
    static bool IsLockedInTray(CFrameFixture& fx) {
        CMainFrame& frame = fx.Frame();
        return !frame.isVisible() && frame.Mode() == EInterface::trayMain && frame.IsLocked() &&
               frame.Tray().IconId() == 358;
    }
};

void IdleLockTest::autoLockHidesAndLocksAfterTheIdleTime() {
    CFrameFixture fx;
    Idle(fx, 150, 0);
    CMainFrame& frame = ShownWithKey(fx);
    QVERIFY(frame.isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(IsLockedInTray(fx), 3000);
    QVERIFY(!frame.IsClosed());
    // Coming back asks for the KEY.
    fx.m_prompts.TypeCheckKey("secret");
    frame.RunCommand(ID_TRAY_MAINWINDOW);
    QVERIFY(frame.isVisible());
    QVERIFY(!frame.IsLocked());
    QVERIFY(fx.m_vecFailures.empty());
}

void IdleLockTest::inputKeepsRestartingTheCountdowns() {
    CFrameFixture fx;
    Idle(fx, 300, 450);
    CMainFrame& frame = ShownWithKey(fx);
    for (int i = 0; i < 8; ++i) {
        QTest::qWait(100);
        Touch(frame);
    }
    // 800 ms have passed, never 300 without input.
    QVERIFY(frame.isVisible());
    QVERIFY(!frame.IsClosed());
    QTRY_VERIFY_WITH_TIMEOUT(IsLockedInTray(fx), 3000);
}

void IdleLockTest::modalDialogKeepsBothFromActing() {
    CFrameFixture fx;
    Idle(fx, 100, 200);
    CMainFrame& frame = ShownWithKey(fx);
    auto* pDialog = new QDialog(&frame);
    pDialog->setModal(true);
    pDialog->show();
    frame.RestartIdleTimers();
    QTest::qWait(400);
    QVERIFY(frame.isVisible());
    QVERIFY(!frame.IsClosed());
    delete pDialog;
    // The countdowns stopped; only input starts them again.
    QTest::qWait(300);
    QVERIFY(frame.isVisible());
    frame.Settings().Change([&](SShellSettings& values) {
        values.m_nAutoExitMs = 0;
    }); // the Options dialog's new value counts at once
    Touch(frame);
    QTRY_VERIFY_WITH_TIMEOUT(IsLockedInTray(fx), 3000);
    QVERIFY(!frame.IsClosed());
}

void IdleLockTest::autoExitEndsAnUnchangedFile() {
    CFrameFixture fx;
    Idle(fx, 0, 100);
    CMainFrame& frame = fx.Frame();
    frame.ActivateFrame(true);
    QTRY_VERIFY_WITH_TIMEOUT(frame.IsClosed(), 3000);
    // No question was asked.
    QVERIFY(fx.m_prompts.Messages().empty());
    QVERIFY(fx.m_vecFailures.empty());
}

void IdleLockTest::autoExitSavesChangesBeforeEnding() {
    CFrameFixture fx;
    Idle(fx, 0, 150);
    const std::string strPath = fx.WriteKeyedFile("Work.pwd", "k");
    CMainFrame& frame = fx.Frame();
    frame.ActivateFrame(true);
    fx.m_prompts.TypeCheckKey("k");
    QVERIFY(fx.m_pDoc->Session().OpenDocumentFile(strPath));
    CPasswordInfo texts;
    texts.SetAccount("Bank");
    texts.SetPassword("left unsaved");
    QVERIFY(fx.m_pDoc->AddAccount("My Passwords", texts));
    fx.m_pDoc->SetModifiedFlag(true);
    frame.RestartIdleTimers();
    QTRY_VERIFY_WITH_TIMEOUT(frame.IsClosed(), 3000);
    QVERIFY(!fx.m_pDoc->IsModified());

    // The change reached the file.
    CSessionDoc reread;
    QVERIFY(reread.ReadArchiveFile(strPath, CCodePage::Default()) == EFileError::none);
    QVERIFY(reread.Key().Accepts("k"));
    reread.DecipherList();
    const bool bFound =
        std::any_of(reread.Records().begin(), reread.Records().end(), [](const auto& info) {
            return info.Account() == "Bank" && info.Password() == "left unsaved";
        });
    QVERIFY(bFound);
    QVERIFY(fx.m_vecFailures.empty());
}

void IdleLockTest::autoExitLocksWhenChangesHaveNowhereToGo() {
    CFrameFixture fx;
    Idle(fx, 0, 100);
    // A new file, never saved: a save would have to ask for a name.
    CMainFrame& frame = ShownWithKey(fx);
    fx.m_pDoc->SetModifiedFlag(true);
    QTRY_VERIFY_WITH_TIMEOUT(IsLockedInTray(fx), 3000);
    QVERIFY(!frame.IsClosed());
    QVERIFY(fx.m_pDoc->IsModified());
    QVERIFY(fx.m_prompts.Messages().empty());
    QVERIFY(fx.m_vecFailures.empty());
}

void IdleLockTest::endBySignalOrSession_data() {
    // nWay: 0 a termination signal, 1 the session manager letting us ask,
    // 2 the session manager letting nobody ask; nAnswer to the question.
    QTest::addColumn<int>("nWay");
    QTest::addColumn<bool>("bAutoSave");
    QTest::addColumn<bool>("bReadOnly");
    QTest::addColumn<int>("nAnswer");
    QTest::addColumn<bool>("bSaved");
    QTest::newRow("signal, auto-save") << 0 << true << false << 0 << true;
    QTest::newRow("signal, no auto-save") << 0 << false << false << 0 << false;
    QTest::newRow("signal, read-only") << 0 << true << true << 0 << false;
    QTest::newRow("session, cancel") << 1 << true << false << int(EMsgAnswer::cancel) << false;
    QTest::newRow("session, yes") << 1 << false << false << int(EMsgAnswer::yes) << true;
    QTest::newRow("session, silent") << 2 << true << false << 0 << true;
}

void IdleLockTest::endBySignalOrSession() {
    QFETCH(int, nWay);
    QFETCH(bool, bAutoSave);
    QFETCH(bool, bReadOnly);
    QFETCH(int, nAnswer);
    QFETCH(bool, bSaved);
    CFrameFixture fx;
    const std::string strPath = fx.WriteKeyedFile("Work.pwd", "k");
    CMainFrame& frame = fx.Frame();
    frame.ActivateFrame(true);
    fx.m_prompts.TypeCheckKey("k");
    QVERIFY(fx.m_pDoc->Session().OpenDocumentFile(strPath));
    fx.m_pDoc->SetModifiedFlag(true);
    ChangeFileOptions(fx.m_pDoc->Session(),
                      [&](SFileOptions& options) { options.m_bAutoSave = bAutoSave; });
    if (bReadOnly)
        QFile::setPermissions(QString::fromStdString(strPath), QFile::ReadOwner);
    if (nAnswer != 0)
        fx.m_prompts.AnswerMessage(EMsgAnswer(nAnswer));
    const bool bCancelled = nAnswer == int(EMsgAnswer::cancel);
    if (nWay == 0)
        frame.EndWithoutQuestions();
    else
        QCOMPARE(frame.CommitSession(nWay == 1), !bCancelled);
    // Only the session manager's end that may ask asks; a signal ends the
    // program, with the settings Exit writes.
    QCOMPARE(fx.m_prompts.Messages().size(), size_t(nWay == 1 ? 1 : 0));
    QCOMPARE(fx.m_pDoc->IsModified(), !bSaved);
    QCOMPARE(frame.IsClosed(), nWay == 0);
    QCOMPARE(fx.m_profile.HasValue("Settings", "Generate"), nWay == 0);
    QVERIFY(fx.m_vecFailures.empty());
}

void IdleLockTest::desktopLockFollowsTheSetting() {
    CFrameFixture fx;
    CMainFrame& frame = ShownWithKey(fx);
    QCOMPARE(frame.Settings().Values().m_bLockOnScreenLock, 1); // on by default
    frame.Settings().Change([&](SShellSettings& values) { values.m_bLockOnScreenLock = 0; });
    frame.OnDesktopLock();
    QVERIFY(frame.isVisible());
    QVERIFY(!frame.IsLocked());
    frame.Settings().Change([&](SShellSettings& values) { values.m_bLockOnScreenLock = 1; });
    frame.OnDesktopLock();
    QVERIFY(IsLockedInTray(fx));
}

void IdleLockTest::desktopLockWaitsForAnOpenDialog() {
    CFrameFixture fx;
    CMainFrame& frame = ShownWithKey(fx);
    auto* pDialog = new QDialog(&frame);
    pDialog->setModal(true);
    pDialog->show();
    frame.OnDesktopLock();
    QTest::qWait(600);
    QVERIFY(frame.isVisible());
    delete pDialog;
    QTRY_VERIFY_WITH_TIMEOUT(IsLockedInTray(fx), 3000);
}

void IdleLockTest::aLockActsOverTheBusyBoxOfWorkItStops_data() {
    QTest::addColumn<bool>("bImport"); // work a lock stops, or a key derivation
    QTest::addColumn<int>("nModals");  // the busy box and any question with it
    QTest::addColumn<bool>("bIdle");   // the idle lock, or the desktop's
    QTest::addColumn<bool>("bLocksAtOnce");
    QTest::newRow("import, idle lock") << true << 1 << true << true;
    QTest::newRow("import, desktop lock") << true << 1 << false << true;
    QTest::newRow("import under a question") << true << 2 << false << false;
    QTest::newRow("key derivation") << false << 1 << false << false;
}

void IdleLockTest::aLockActsOverTheBusyBoxOfWorkItStops() {
    QFETCH(bool, bImport);
    QFETCH(int, nModals);
    QFETCH(bool, bIdle);
    QFETCH(bool, bLocksAtOnce);
    CFrameFixture fx;
    Idle(fx, bIdle ? 150 : 0, 0);
    CMainFrame& frame = ShownWithKey(fx);
    bool bLockedMeanwhile = false;
    fx.m_prompts.DuringBusy([&]() {
        // Modal windows standing in for the busy box and a question.
        std::vector<std::unique_ptr<QDialog>> modals;
        for (int i = 0; i < nModals; ++i) {
            modals.push_back(std::make_unique<QDialog>(&frame));
            modals.back()->setWindowModality(Qt::ApplicationModal);
            modals.back()->show();
        }
        if (bIdle) {
            bLockedMeanwhile = QTest::qWaitFor([&]() { return frame.IsLocked(); }, 3000);
        } else {
            frame.OnDesktopLock();
            bLockedMeanwhile = frame.IsLocked();
        }
    });
    const EBusyEnd eEnd = fx.m_prompts.RunBusy(
        "Opening a.kdbx ...", [](const CCancelToken&) {},
        bImport ? EBusyKind::stoppedByLock : EBusyKind::cancellable);
    QCOMPARE(bLockedMeanwhile, bLocksAtOnce);
    QCOMPARE(eEnd == EBusyEnd::interrupted, bLocksAtOnce);
    // Held back, the lock comes once the windows have gone.
    QTRY_VERIFY_WITH_TIMEOUT(IsLockedInTray(fx), 3000);
    QVERIFY(fx.m_vecFailures.empty());
}

void IdleLockTest::hotKeyComesBackThroughTheKey() {
    CFrameFixture fx;
    CMainFrame& frame = ShownWithKey(fx);
    frame.Lock();
    fx.m_prompts.CancelCheckKey();
    frame.OnHotKey();
    QVERIFY(IsLockedInTray(fx));
    QCOMPARE(frame.Tray().DefaultCommand(), ID_TRAY_MAINWINDOW);
    fx.m_prompts.TypeCheckKey("secret");
    frame.OnHotKey();
    QVERIFY(frame.isVisible());
    QCOMPARE(frame.Mode(), EInterface::main);
    QVERIFY(!frame.IsLocked());
    // Shown, the hot key only brings the window forward: no KEY asked.
    const std::size_t nCalls = fx.m_prompts.Calls().size();
    frame.OnHotKey();
    QVERIFY(frame.isVisible());
    QCOMPARE(fx.m_prompts.Calls().size(), nCalls);
    QVERIFY(fx.m_vecFailures.empty());
}

void IdleLockTest::hotKeyWithoutXServerFailsQuietly() {
    CFrameFixture fx;
    fx.m_profile.WriteProfileInt("Settings", "HotKey", 75);
    fx.m_profile.WriteProfileInt("Settings", "HotKeyFlag", 4);
    CMainFrame& frame = fx.Frame();
    frame.ActivateFrame(true);
    QVERIFY(fx.m_prompts.Messages().empty());
    // Offscreen there is no X server: the registration fails, the choice is
    // kept for the next run.
    QVERIFY(!frame.SetHotKey('J', 2));
    QCOMPARE(frame.Settings().Values().m_wHotKey, unsigned('J'));
    QCOMPARE(frame.Settings().Values().m_wHotKeyFlags, 2u);
    QVERIFY(frame.SetHotKey(0, 0));
    frame.SetHotKey(75, 4);
    frame.Exit();
    QCOMPARE(fx.m_profile.GetProfileInt("Settings", "HotKey", 0), 75u);
    QCOMPARE(fx.m_profile.GetProfileInt("Settings", "HotKeyFlag", 0), 4u);
    QVERIFY(fx.m_prompts.Messages().empty());
}

void IdleLockTest::passwordOnClipboardIsMarkedAndCleared() {
    CFrameFixture fx;
    fx.m_profile.WriteProfileInt("Settings", "ClipboardClear", 1);
    CMainFrame& frame = fx.Frame();
    frame.ActivateFrame(true);
    QClipboard* pClipboard = QGuiApplication::clipboard();
    const QString strHint = QString::fromLatin1(CClipboard::SECRET_HINT_TYPE);

    CClipboard::SetPassword("pw-one", CCodePage::Default());
    QCOMPARE(pClipboard->text(), QStringLiteral("pw-one"));
    QCOMPARE(frame.statusBar()->currentMessage(),
             QStringLiteral("Password copied; clipboard cleared in 1 s"));
    QCOMPARE(pClipboard->mimeData()->data(strHint), QByteArray("secret"));
    QTRY_VERIFY_WITH_TIMEOUT(pClipboard->text().isEmpty(), 3000);

    // A text that replaced the password stays.
    CClipboard::SetPassword("pw-two", CCodePage::Default());
    pClipboard->setText(QStringLiteral("someone else's"));
    QTest::qWait(1500);
    QCOMPARE(pClipboard->text(), QStringLiteral("someone else's"));

    // Plain texts carry no hint; off (0) nothing is removed.
    CClipboard::SetText("user", CCodePage::Default());
    QVERIFY(!pClipboard->mimeData()->hasFormat(strHint));
    frame.Settings().Change([&](SShellSettings& values) { values.m_nClipboardClearSec = 0; });
    CClipboard::SetPassword("pw-three", CCodePage::Default());
    QCOMPARE(frame.statusBar()->currentMessage(), QStringLiteral("Password copied"));
    QTest::qWait(1500);
    QCOMPARE(pClipboard->text(), QStringLiteral("pw-three"));
}

QTEST_MAIN(IdleLockTest)
#include "IdleLockTest.moc"
