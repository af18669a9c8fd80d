// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/view/ViewFixture.h"

#include "core/base/CommandIds.h"
#include "gui/shell/SearchBar.h"
#include "gui/view/AccountTreeCtrl.h"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

// The commands' states follow the events that change them. Each case lets
// only the events already posted run (QCoreApplication::sendPostedEvents),
// never the event loop's timers, so a state that waited for a timer to be
// asked again would be found stale.
class CCommandStatesTest : public QObject {
    Q_OBJECT
private slots:
    void statesFollowTheViewAndTheDocumentOncePerBurst();
    void statesFollowTheLockAndModalWindows();
    void editCommandsFollowTheFocus();
};

namespace {

// A frame and its view over "A / B: 1, 2", following the document's notices
// as the program wires them, with the states brought up to date once.
CMainFrame& Shown(CViewFixture& fx) {
    fx.NewKeyedDocument("A / B: 1, 2");
    fx.Show();
    fx.m_pFrame->Follow(fx.m_notifier);
    QCoreApplication::sendPostedEvents();
    return *fx.m_pFrame;
}

QString Pane(const CMainFrame& frame, const char* pszName) {
    return frame.findChild<QLabel*>(QString::fromLatin1(pszName))->text();
}

bool Enabled(const CMainFrame& frame, int nId) {
    return frame.Action(nId)->isEnabled();
}

} // namespace

void CCommandStatesTest::statesFollowTheViewAndTheDocumentOncePerBurst() {
    CViewFixture fx;
    CMainFrame& frame = Shown(fx);
    QCOMPARE(Pane(frame, "PaneAccounts"), QStringLiteral("2 Accounts"));
    QVERIFY(!Enabled(frame, ID_FILE_SAVE));

    // The view's current item: the pane counts the new group's accounts.
    fx.m_pView->Tree()->SelectItem(fx.Item(0));
    QCoreApplication::sendPostedEvents();
    QCOMPARE(Pane(frame, "PaneAccounts"), QStringLiteral("0 Accounts"));

    // Many notices in a row ask the commands once, after the last.
    int nAsked = 0;
    frame.Commands().Register(
        ID_HELP_CONTENTS, [] {},
        [&nAsked](CCmdUI& ui) {
            ++nAsked;
            ui.Enable();
        });
    for (int i = 0; i < 50; ++i)
        fx.Group("G" + std::to_string(i));
    fx.m_pDoc->SetModifiedFlag(true);
    QCOMPARE(nAsked, 0);
    QCoreApplication::sendPostedEvents();
    QCOMPARE(nAsked, 1);
    QCOMPARE(Pane(frame, "PaneGroups"), QStringLiteral("52 Groups"));
    QVERIFY(Enabled(frame, ID_FILE_SAVE));
}

void CCommandStatesTest::statesFollowTheLockAndModalWindows() {
    CViewFixture fx;
    CMainFrame& frame = Shown(fx);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    QCoreApplication::sendPostedEvents();
    QVERIFY(Enabled(frame, ID_TOOLS_OPTIONS));

    // A modal dialog over the frame: Options waits for its end.
    auto* pDialog = new QDialog(&frame);
    pDialog->setModal(true);
    pDialog->show();
    QCoreApplication::sendPostedEvents();
    QVERIFY(!Enabled(frame, ID_TOOLS_OPTIONS));
    delete pDialog;
    QCoreApplication::sendPostedEvents();
    QVERIFY(Enabled(frame, ID_TOOLS_OPTIONS));

    // Locked (as the idle time or the desktop's lock locks), nothing can be
    // brought into the file.
    QVERIFY(Enabled(frame, ID_FILE_IMPORT));
    frame.Lock();
    QVERIFY(frame.IsLocked());
    QCoreApplication::sendPostedEvents();
    QVERIFY(!Enabled(frame, ID_FILE_IMPORT));
    QVERIFY(fx.m_vecFailures.empty());
}

void CCommandStatesTest::editCommandsFollowTheFocus() {
    CViewFixture fx;
    CMainFrame& frame = Shown(fx);
    frame.Settings().Change([](SShellSettings& values) { values.m_bShowSearchBar = 1; });
    frame.SearchBar()->show();
    frame.show();
    frame.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    QWidget* pButton = frame.SearchBar()->FindNextButton();
    pButton->setFocus();
    QCoreApplication::sendPostedEvents();
    QVERIFY(!Enabled(frame, ID_EDIT_PASTE));

    frame.SearchBar()->Edit()->setFocus();
    QCoreApplication::sendPostedEvents();
    for (int nId : {ID_EDIT_PASTE, ID_EDIT_COPY, ID_EDIT_CUT, ID_EDIT_UNDO})
        QVERIFY(Enabled(frame, nId));

    pButton->setFocus();
    QCoreApplication::sendPostedEvents();
    QVERIFY(!Enabled(frame, ID_EDIT_PASTE));
}

QTEST_MAIN(CCommandStatesTest)
#include "CommandStatesTest.moc"
