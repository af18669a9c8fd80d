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
// only the events already posted run (sendPostedEvents), never a timer, so a
// state that waited for a timer to be asked again would be found stale.
class CCommandStatesTest : public QObject {
    Q_OBJECT
private slots:
    void statesFollowTheViewAndTheDocumentOncePerBurst();
    void statesFollowTheLockAndModalWindows();
    void editCommandsFollowTheFocus();
};

namespace {

// A frame and its view over "A / B: 1, 2", following the document as the
// program wires them.
CMainFrame& Shown(CViewFixture& fx, bool bOnScreen) {
    fx.NewKeyedDocument("A / B: 1, 2");
    fx.Show();
    fx.m_pFrame->Follow(fx.m_notifier);
    if (bOnScreen) {
        fx.m_pFrame->show();
        fx.m_pFrame->activateWindow();
        if (!QTest::qWaitForWindowActive(fx.m_pFrame.get()))
            fx.m_vecFailures.push_back("the frame never became active");
    }
    QCoreApplication::sendPostedEvents();
    return *fx.m_pFrame;
}

bool Enabled(const CMainFrame& frame, int nId) {
    return frame.Action(nId)->isEnabled();
}

} // namespace

void CCommandStatesTest::statesFollowTheViewAndTheDocumentOncePerBurst() {
    CViewFixture fx;
    CMainFrame& frame = Shown(fx, false);
    const auto pane = [&frame](const char* pszName) {
        return frame.findChild<QLabel*>(QString::fromLatin1(pszName))->text();
    };
    QCOMPARE(pane("PaneAccounts"), QStringLiteral("2 Accounts"));
    QVERIFY(!Enabled(frame, ID_FILE_SAVE));
    // The live filter narrows what the pane counts as it is typed.
    fx.m_pView->FilterBox()->setText(QStringLiteral("1"));
    QCoreApplication::sendPostedEvents();
    QCOMPARE(pane("PaneAccounts"), QStringLiteral("1 of 2 Accounts shown"));
    fx.m_pView->ClearFilter();
    QCoreApplication::sendPostedEvents();

    // Many notices in a row ask the commands once, after the last.
    int nAsked = 0;
    frame.Commands().Register(
        ID_HELP_CONTENTS, [] {}, [&nAsked](CCmdUI& ui) { ui.Enable(++nAsked > 0); });
    for (int i = 0; i < 50; ++i)
        fx.Group("G" + std::to_string(i));
    fx.m_pDoc->SetModifiedFlag(true);
    QCOMPARE(nAsked, 0);
    QCoreApplication::sendPostedEvents();
    QCOMPARE(nAsked, 1);
    QCOMPARE(pane("PaneGroups"), QStringLiteral("52 Groups"));
    QVERIFY(Enabled(frame, ID_FILE_SAVE));
}

void CCommandStatesTest::statesFollowTheLockAndModalWindows() {
    CViewFixture fx;
    CMainFrame& frame = Shown(fx, true);
    QVERIFY(Enabled(frame, ID_TOOLS_OPTIONS));
    auto* pDialog = new QDialog(&frame);
    pDialog->setModal(true);
    pDialog->show();
    QCoreApplication::sendPostedEvents();
    QVERIFY(!Enabled(frame, ID_TOOLS_OPTIONS));
    delete pDialog;
    QCoreApplication::sendPostedEvents();
    QVERIFY(Enabled(frame, ID_TOOLS_OPTIONS));

    // Locked as the idle time locks: nothing can be brought into the file.
    QVERIFY(Enabled(frame, ID_FILE_IMPORT));
    frame.Lock();
    QCoreApplication::sendPostedEvents();
    QVERIFY(!Enabled(frame, ID_FILE_IMPORT));
    QVERIFY(fx.m_vecFailures.empty());
}

void CCommandStatesTest::editCommandsFollowTheFocus() {
    CViewFixture fx;
    CMainFrame& frame = Shown(fx, true);
    frame.SearchBar()->show();
    QWidget* pButton = frame.SearchBar()->FindNextButton();
    QWidget* pEdit = frame.SearchBar()->Edit();
    for (QWidget* pFocus : {pButton, pEdit, pButton}) {
        pFocus->setFocus();
        QCoreApplication::sendPostedEvents();
        const bool bEdit = pFocus != pButton;
        for (int nId : {ID_EDIT_PASTE, ID_EDIT_COPY, ID_EDIT_CUT, ID_EDIT_UNDO})
            QCOMPARE(Enabled(frame, nId), bEdit);
    }
    QVERIFY(fx.m_vecFailures.empty());
}

QTEST_MAIN(CCommandStatesTest)
#include "CommandStatesTest.moc"
