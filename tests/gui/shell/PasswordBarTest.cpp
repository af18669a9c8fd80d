// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/CommandIds.h"
#include "gui/shell/PasswordBarDlg.h"

#include "core/base/OptionsData.h"
#include "core/base/SettingKeys.h"
#include "core/store/FieldCipher.h"
#include "gui/controls/DragTextButton.h"
#include "gui/controls/HoverComboBox.h"
#include "gui/model/DocNotifier.h"
#include "gui/shell/AccessibleNames.h"
#include "gui/shell/FrameFixture.h"
#include "gui/shell/SystemTray.h"
#include "platform/WindowSystem.h"
#include "support/ScriptedEditPrompts.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDialog>
#include <QScopeGuard>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

namespace {

// A bar over a document that holds a KEY and these records:
//   Bank: "home" (user name and password), "nopass" (user name only),
//         "Site" (web site and e-mail)
//   Empty: no account
//   Mail: "Mail", "mail"
struct CBarFixture {
    CBarFixture() {
        fx.m_pDoc->Session().SetPrompts(&fx.m_prompts);
        m_edits.m_fnFail = [this](const std::string& strWhy) {
            fx.m_vecFailures.push_back(strWhy);
        };
        fx.GiveKey("secret");
        CSessionDoc& doc = *fx.m_pDoc;
        for (const char* pszGroup : {"Bank", "Empty", "Mail"})
            doc.AddGroup(pszGroup);
        Account("Bank", "home", "ann", "pw1");
        Account("Bank", "nopass", "bob", "");
        CPasswordInfo site;
        site.SetAccount("Site");
        site.SetWebSite("https://example.org/");
        site.SetEMail("x@example.org");
        doc.AddAccount("Bank", site);
        Account("Mail", "Mail", "upper", "u");
        Account("Mail", "mail", "lower", "l");
        doc.SetModifiedFlag(false);
        // Shown as an opened file is.
        doc.InitialUpdate();
        m_pBar = std::make_unique<CPasswordBarDlg>(doc.Session(), m_notifier.Model(), fx.Settings(),
                                                   fx.m_prompts, m_edits);
    }

    void Account(const char* pszGroup, const char* pszName, const char* pszUser,
                 const char* pszPassword) {
        CPasswordInfo info;
        info.SetAccount(pszName);
        info.SetUserName(pszUser);
        info.SetPassword(pszPassword);
        fx.m_pDoc->AddAccount(pszGroup, info);
    }

    bool Enabled(int nId) const { return m_pBar->Button(nId)->isEnabled(); }
    static QStringList Listed(const QComboBox* pList) {
        QStringList list;
        for (int i = 0; i < pList->count(); ++i)
            list << pList->itemText(i);
        return list;
    }
    QString Shown(const QComboBox* pList) const { return pList->currentText(); }
    void Choose(QComboBox* pList, const QString& strText) {
        pList->setCurrentIndex(pList->findText(strText, Qt::MatchExactly | Qt::MatchCaseSensitive));
        emit pList->activated(pList->currentIndex());
    }

    CFrameFixture fx;
    CDocNotifier m_notifier{*fx.m_pDoc};
    CScriptedEditPrompts m_edits;
    std::unique_ptr<CPasswordBarDlg> m_pBar;
};

} // namespace

class CPasswordBarTest : public QObject {
    Q_OBJECT
private slots:
    void fillsAndSelectsByTheListRules();
    void withoutAFileEverythingIsOff();
    void addAndEditActOnTheDialogsGroupAndTheAccountShown();
    void openingAskesOnlyWhatItMust();
    void buttonsDoTheirPartThenSignal();
    void snapsToTheEdges();
    void theKeyboardReachesEveryControl();
    void onWaylandANormalWindowThatKeepsTheStoredPlace();
    void startsInTheBarAndSwitchesBothWays();
    void trayMenuIsCurrentBeforeItOpens();
    void accountDialogOpensTheGeneratorPage();
    void keysActOnTheAccountShownAndToolsNameTheBar();
    void typingIntoTheAccountListFiltersIt();
    void editsElsewhereReachTheListsAndKeepTheChoice();

public slots:
    // The desktop's link service, as the bar's buttons reach it.
    void OpenUrl(const QUrl& url) { m_listOpened << url.toString(); }

private:
    QStringList m_listOpened;
};

void CPasswordBarTest::fillsAndSelectsByTheListRules() {
    CBarFixture b;
    CPasswordBarDlg& bar = *b.m_pBar;
    bar.FillGroups();
    // No group asked for: the top group and its top account.
    QCOMPARE(b.Shown(bar.GroupList()), QString("Bank"));
    QCOMPARE(bar.AccountList()->count(), 3);
    QCOMPARE(b.Shown(bar.AccountList()), QString("home"));
    QVERIFY(b.Enabled(CPasswordBarDlg::IDC_LOCK));
    QVERIFY(b.Enabled(CPasswordBarDlg::IDC_COPY_USERNAME));
    QVERIFY(b.Enabled(CPasswordBarDlg::IDC_COPY_PASSWORD));
    QVERIFY(!b.Enabled(CPasswordBarDlg::IDC_HYPERLINK));
    QCOMPARE(bar.CopyPasswordButton()->GetDragText(), std::string("pw1"));

    // An empty password disables only its own button.
    b.Choose(bar.AccountList(), "nopass");
    QVERIFY(b.Enabled(CPasswordBarDlg::IDC_COPY_USERNAME));
    QVERIFY(!b.Enabled(CPasswordBarDlg::IDC_COPY_PASSWORD));
    b.Choose(bar.AccountList(), "Site");
    QVERIFY(b.Enabled(CPasswordBarDlg::IDC_HYPERLINK));
    QVERIFY(b.Enabled(CPasswordBarDlg::IDC_EMAIL));
    QVERIFY(!b.Enabled(CPasswordBarDlg::IDC_COPY_USERNAME));

    // A group without accounts: an enabled, empty account list and the
    // four account buttons off.
    b.Choose(bar.GroupList(), "Empty");
    QVERIFY(bar.AccountList()->isEnabled());
    QCOMPARE(bar.AccountList()->count(), 0);
    for (int nId : {CPasswordBarDlg::IDC_COPY_USERNAME, CPasswordBarDlg::IDC_COPY_PASSWORD,
                    CPasswordBarDlg::IDC_HYPERLINK, CPasswordBarDlg::IDC_EMAIL})
        QVERIFY(!b.Enabled(nId));
    QVERIFY(bar.m_pCurAccount == nullptr);

    // Names handed over by the view choose by their beginning, ignoring
    // case; an account that is not there gives the top one.
    bar.m_strCurGroup = "ma";
    bar.m_strCurAccount = "nothing";
    bar.FillGroups();
    QCOMPARE(b.Shown(bar.GroupList()), QString("Mail"));
    QCOMPARE(bar.AccountList()->currentIndex(), 0);
    // Of two names equal but for case, the one asked for.
    const QString strSecond = bar.AccountList()->itemText(1);
    bar.m_strCurAccount = strSecond.toStdString();
    bar.FillGroups();
    QCOMPARE(b.Shown(bar.AccountList()), strSecond);
    QCOMPARE(bar.m_strCurAccount, strSecond.toStdString());
    QVERIFY(b.fx.m_vecFailures.empty());
}

void CPasswordBarTest::withoutAFileEverythingIsOff() {
    CBarFixture b;
    CPasswordBarDlg& bar = *b.m_pBar;
    bar.FillGroups();
    QVERIFY(bar.GroupList()->count() > 0);
    // The file is closed: nothing of it stays listed.
    b.fx.m_pDoc->Session().OnFileClose();
    bar.FillGroups();
    QCOMPARE(bar.GroupList()->count(), 0);
    QVERIFY(!bar.GroupList()->isEnabled());
    QVERIFY(!bar.AccountList()->isEnabled());
    QVERIFY(!b.Enabled(CPasswordBarDlg::IDC_LOCK));
    QVERIFY(bar.m_pCurAccount == nullptr);
    // Add and Edit do nothing: no dialog opens (none is scripted).
    bar.OnAddAccount();
    bar.OnEditAccount();
    QVERIFY(b.fx.m_vecFailures.empty());
    QVERIFY(b.m_edits.m_vecAccountOpened.empty());
}

void CPasswordBarTest::addAndEditActOnTheDialogsGroupAndTheAccountShown() {
    CBarFixture b;
    CPasswordBarDlg& bar = *b.m_pBar;
    // Of "Mail" and "mail", the one listed second is shown: a search by
    // its name ignoring case would find the other.
    bar.m_strCurGroup = "Mail";
    bar.FillGroups();
    const std::string strShown = bar.AccountList()->itemText(1).toStdString();
    bar.m_strCurAccount = strShown;
    bar.FillGroups();
    const std::string strOtherUser = strShown == "mail" ? "upper" : "lower";
    const std::string strShownUser = bar.m_pCurAccount->UserName();

    // Edit opens on the account shown and replaces that one.
    b.m_edits.AnswerAccount([&bar](SAccountDlgData& dlg) {
        [&] { QVERIFY(bar.m_bModalOpen); }();
        dlg.m_strUserName = "changed";
        return true;
    });
    bar.OnEditAccount();
    QCOMPARE(b.m_edits.m_vecAccountOpened.at(0).m_strUserName, strShownUser);
    QVERIFY(!bar.m_bModalOpen);
    QCOMPARE(b.Shown(bar.AccountList()).toStdString(), strShown);
    QCOMPARE(bar.m_pCurAccount->UserName(), std::string("changed"));
    int nOther = 0;
    for (const CPasswordInfo& info : b.fx.m_pDoc->Records())
        nOther += info.UserName() == strOtherUser ? 1 : 0;
    QCOMPARE(nOther, 1);
    QVERIFY(b.fx.m_pDoc->IsModified());

    // An account added into another group than the one shown lands in the
    // dialog's group, and the bar shows it there.
    b.m_edits.AnswerAccount([](SAccountDlgData& dlg) {
        dlg.m_strGroup = "Empty";
        dlg.m_strAccount = "new one";
        dlg.m_strPassword = "p";
        return true;
    });
    bar.OnAddAccount();
    QCOMPARE(b.m_edits.m_vecAccountOpened.at(1).m_strGroup, std::string("Mail"));
    QCOMPARE(b.Shown(bar.GroupList()), QString("Empty"));
    QCOMPARE(b.Shown(bar.AccountList()), QString("new one"));
    QVERIFY(b.Enabled(CPasswordBarDlg::IDC_COPY_PASSWORD));

    // Cancel changes nothing.
    b.m_edits.AnswerAccount([](SAccountDlgData&) { return false; });
    const std::size_t nRecords = b.fx.m_pDoc->Records().size();
    bar.OnAddAccount();
    QCOMPARE(b.fx.m_pDoc->Records().size(), nRecords);
    QVERIFY(b.fx.m_vecFailures.empty());
}

void CPasswordBarTest::openingAskesOnlyWhatItMust() {
    CBarFixture b;
    CPasswordBarDlg& bar = *b.m_pBar;
    const std::string strPath = b.fx.WriteKeyedFile("other.pwd", "other");
    // The file chosen is opened through its KEY; no other dialog follows.
    b.fx.m_prompts.AnswerOpenFile(strPath);
    b.fx.m_prompts.TypeCheckKey("other");
    bar.OnOpen();
    QVERIFY(!bar.m_bModalOpen);
    QCOMPARE(b.fx.m_pDoc->Session().GetPathName(), strPath);
    QVERIFY(bar.GroupList()->isEnabled());
    QVERIFY(b.m_edits.m_vecAccountOpened.empty());
    // The file already open: nothing at all, not even a question.
    b.fx.m_pDoc->SetModifiedFlag(true);
    b.fx.m_prompts.ClearRecord();
    bar.OpenFile(strPath);
    QVERIFY(b.fx.m_prompts.Calls().empty());
    QVERIFY(b.fx.m_vecFailures.empty());
}

void CPasswordBarTest::buttonsDoTheirPartThenSignal() {
    CBarFixture b;
    CPasswordBarDlg& bar = *b.m_pBar;
    bar.FillGroups();
    bar.move(200, 100);
    QSignalSpy names(&bar, &CPasswordBarDlg::NamesForView);
    QSignalSpy locked(&bar, &CPasswordBarDlg::LockClicked);
    QSignalSpy closed(&bar, &CPasswordBarDlg::CloseClicked);
    QSignalSpy mainWindow(&bar, &CPasswordBarDlg::MainWindowClicked);

    // Lock hands the choice to the view but keeps the old place.
    const QPoint ptBefore = bar.m_ptBar;
    bar.Button(CPasswordBarDlg::IDC_LOCK)->click();
    QCOMPARE(locked.count(), 1);
    QCOMPARE(names.count(), 1);
    QCOMPARE(names.at(0).at(0).value<std::string>(), std::string("Bank"));
    QCOMPARE(names.at(0).at(1).value<std::string>(), std::string("home"));
    QCOMPARE(bar.m_ptBar, ptBefore);
    // Close keeps the place and does not hand anything over.
    bar.Button(CPasswordBarDlg::IDC_CLOSE)->click();
    QCOMPARE(closed.count(), 1);
    QCOMPARE(names.count(), 1);
    QCOMPARE(bar.m_ptBar, QPoint(200, 100));
    // Main Window hands over and leaves the bar empty.
    bar.Button(CPasswordBarDlg::IDC_MAIN_WINDOW)->click();
    QCOMPARE(mainWindow.count(), 1);
    QCOMPARE(names.count(), 2);
    QCOMPARE(bar.AccountList()->count(), 0);
    // The place reaches the settings when the bar is done.
    bar.WritePosition();
    b.fx.Settings().Values().Save(b.fx.m_profile);
    QCOMPARE(b.fx.m_profile.GetProfileInt("Settings", "barx", 0), 200u);
    QCOMPARE(b.fx.m_profile.GetProfileInt("Settings", "bary", 0), 100u);
}

void CPasswordBarTest::snapsToTheEdges() {
    CBarFixture b;
    CPasswordBarDlg& bar = *b.m_pBar;
    bar.FillGroups();
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    bar.move(10, 200);
    QTest::mouseMove(&bar, QPoint(4, 8));
    QTRY_COMPARE(bar.frameGeometry().left(), 0);
    // A move outside the grip leaves the bar where it is.
    bar.move(10, 200);
    QTest::mouseMove(&bar, QPoint(bar.width() / 2, 8));
    QCOMPARE(bar.frameGeometry().left(), 10);
}

// Tab walks every control from left to right and Shift+Tab back, a click
// leaves the keyboard where it was, Enter copies the password (or presses
// the button reached), Escape and F2 hand over to the main window, and the
// window system's close is the bar's Close.
void CPasswordBarTest::theKeyboardReachesEveryControl() {
    CBarFixture b;
    CPasswordInfo full;
    full.SetAccount("full");
    full.SetUserName("fay");
    full.SetPassword("pw9");
    full.SetWebSite("https://example.org/");
    full.SetEMail("fay@example.org");
    b.fx.m_pDoc->AddAccount("Bank", full);
    CPasswordBarDlg& bar = *b.m_pBar;
    bar.FillGroups();
    b.Choose(bar.AccountList(), "full");
    bar.show();
    bar.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&bar));
    // The keyboard starts on the lists.
    QCOMPARE(QApplication::focusWidget(), bar.GroupList());

    const std::vector<QWidget*> order = {bar.CopyUserNameButton(),
                                         bar.CopyPasswordButton(),
                                         bar.GroupList(),
                                         bar.AccountList(),
                                         bar.Button(CPasswordBarDlg::IDC_HYPERLINK),
                                         bar.Button(CPasswordBarDlg::IDC_EMAIL),
                                         bar.Button(CPasswordBarDlg::IDC_LOCK),
                                         bar.Button(CPasswordBarDlg::IDC_MINIMIZE),
                                         bar.Button(CPasswordBarDlg::IDC_MAIN_WINDOW),
                                         bar.Button(CPasswordBarDlg::IDC_CLOSE),
                                         bar.Button(CPasswordBarDlg::IDC_MENU)};
    const auto walk = [](Qt::KeyboardModifiers modifiers) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, modifiers);
        return QApplication::focusWidget();
    };
    // From the group list round to it again, each control once, in order,
    // and back the other way.
    const std::size_t nGroups = 2;
    const std::size_t nCount = order.size();
    for (std::size_t i = 1; i <= nCount; ++i)
        QCOMPARE(walk(Qt::NoModifier), order[(nGroups + i) % nCount]);
    for (std::size_t i = 1; i <= nCount; ++i)
        QCOMPARE(walk(Qt::ShiftModifier), order[(nGroups + nCount - i) % nCount]);

    // A click acts without taking the keyboard.
    QApplication::clipboard()->clear();
    QTest::mouseClick(bar.CopyUserNameButton(), Qt::LeftButton);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("fay"));
    QCOMPARE(QApplication::focusWidget(), bar.GroupList());

    // Enter on either list copies the password of the account chosen; on a
    // button it presses that button; with no password it copies nothing.
    const struct {
        QWidget* pFocus;
        const char* pszAccount;
        const char* pszCopied;
    } enters[] = {{bar.GroupList(), "full", "pw9"},
                  {bar.AccountList(), "home", "pw1"},
                  {bar.AccountList(), "nopass", ""}};
    for (const auto& e : enters) {
        b.Choose(bar.AccountList(), QString::fromLatin1(e.pszAccount));
        e.pFocus->setFocus(Qt::TabFocusReason);
        QApplication::clipboard()->clear();
        QTest::keyClick(e.pFocus, Qt::Key_Return);
        QCOMPARE(QApplication::clipboard()->text(), QString::fromLatin1(e.pszCopied));
    }
    b.Choose(bar.AccountList(), "home");
    bar.AccountList()->setFocus(Qt::TabFocusReason);
    QTest::keyClick(bar.AccountList(), Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("pw1"));
    QSignalSpy locked(&bar, &CPasswordBarDlg::LockClicked);
    bar.Button(CPasswordBarDlg::IDC_LOCK)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(bar.Button(CPasswordBarDlg::IDC_LOCK), Qt::Key_Return);
    QCOMPARE(locked.count(), 1);
    QCOMPARE(QApplication::clipboard()->text(), QString());

    // Escape clears the account list's filter first; then Escape and F2,
    // from a list or a button, hand the account chosen to the main window.
    QSignalSpy mainWindow(&bar, &CPasswordBarDlg::MainWindowClicked);
    QSignalSpy names(&bar, &CPasswordBarDlg::NamesForView);
    QTest::keyClicks(bar.AccountList(), "home");
    QTest::keyClick(bar.AccountList(), Qt::Key_Escape);
    QCOMPARE(bar.AccountFilter(), QString());
    QCOMPARE(mainWindow.count(), 0);
    const std::pair<QWidget*, Qt::Key> handOvers[] = {
        {bar.AccountList(), Qt::Key_Escape},
        {bar.Button(CPasswordBarDlg::IDC_LOCK), Qt::Key_F2},
        {bar.GroupList(), Qt::Key_F2}};
    for (const auto& [pFocus, key] : handOvers) {
        bar.FillGroups();
        b.Choose(bar.AccountList(), "home");
        names.clear();
        QTest::keyClick(pFocus, key);
        QCOMPARE(names.count(), 1);
        QCOMPARE(names.at(0).at(1).value<std::string>(), std::string("home"));
    }
    QCOMPARE(mainWindow.count(), 3);
    // Shown again, the bar has the keyboard on the lists, not on a button.
    bar.hide();
    bar.show();
    QCOMPARE(bar.focusWidget(), bar.GroupList());

    // Closed by the window system (Alt+F4): the bar's Close, whose outcome
    // is the frame's.
    QSignalSpy closed(&bar, &CPasswordBarDlg::CloseClicked);
    bar.move(120, 80);
    QApplication::clipboard()->setText(QStringLiteral("copied"));
    QVERIFY(!bar.close());
    QCOMPARE(closed.count(), 1);
    QVERIFY(bar.isVisible());
    QCOMPARE(bar.m_ptBar, QPoint(120, 80));
    QCOMPARE(QApplication::clipboard()->text(), QString());
    QVERIFY(b.fx.m_vecFailures.empty());
}

// Wayland lets no window place itself or stay above the others: the bar is
// a normal window there, does not snap, and leaves the place stored for the
// desktops that honour it.
void CPasswordBarTest::onWaylandANormalWindowThatKeepsTheStoredPlace() {
    CWindowSystem::SetWaylandProbe([]() { return true; });
    const auto restore = qScopeGuard([]() { CWindowSystem::SetWaylandProbe({}); });
    CBarFixture b;
    b.fx.Settings().Change([](SShellSettings& values) {
        values.m_nBarX = 300;
        values.m_nBarY = 40;
    });
    b.m_pBar = std::make_unique<CPasswordBarDlg>(b.fx.m_pDoc->Session(), b.m_notifier.Model(),
                                                 b.fx.Settings(), b.fx.m_prompts, b.m_edits);
    CPasswordBarDlg& bar = *b.m_pBar;
    QCOMPARE(bar.windowFlags() & Qt::WindowType_Mask, Qt::Window);
    QVERIFY(!(bar.windowFlags() & Qt::WindowStaysOnTopHint));
    QVERIFY(!(bar.windowFlags() & Qt::FramelessWindowHint));
    QVERIFY(bar.pos() != QPoint(300, 40));
    bar.FillGroups();
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    bar.move(10, 200);
    QTest::mouseMove(&bar, QPoint(4, 8));
    QTest::qWait(50);
    QCOMPARE(bar.frameGeometry().left(), 10);
    bar.SnapToEdges();
    QCOMPARE(bar.frameGeometry().left(), 10);
    bar.SavePosition();
    bar.WritePosition();
    QCOMPARE(b.fx.Settings().Values().m_nBarX, 300u);
    QCOMPARE(b.fx.Settings().Values().m_nBarY, 40u);
}

// With "StartBar" set the program starts in the bar, which opens the
// start-up file through its own KEY check; F2 and the bar's Main Window
// button switch between the two interfaces, and the tray's Password Bar
// brings the bar back from the tray after the KEY.
void CPasswordBarTest::startsInTheBarAndSwitchesBothWays() {
    CFrameFixture fx;
    CScriptedEditPrompts edits;
    fx.m_pDoc->Session().SetPrompts(&fx.m_prompts);
    const std::string strPath = fx.WriteKeyedFile("Start.pwd", "k");
    fx.m_profile.Set(EIntSetting::startBar, 1);
    fx.m_profile.Set(ETextSetting::pathCommandLine, strPath);
    CMainFrame& frame = fx.Frame();
    CDocNotifier notifier(*fx.m_pDoc);
    CPasswordBarDlg bar(fx.m_pDoc->Session(), notifier.Model(), fx.Settings(), fx.m_prompts, edits);
    frame.SetPasswordBar(&bar);
    fx.m_prompts.TypeCheckKey("k");
    frame.ActivateFrame(true);
    QCOMPARE(frame.Mode(), EInterface::bar);
    QVERIFY(bar.isVisible());
    QVERIFY(!frame.isVisible());
    QCOMPARE(fx.m_pDoc->Session().GetPathName(), strPath);
    QVERIFY(bar.GroupList()->isEnabled());

    bar.Button(CPasswordBarDlg::IDC_MAIN_WINDOW)->click();
    QCOMPARE(frame.Mode(), EInterface::main);
    QVERIFY(frame.isVisible());
    QVERIFY(!bar.isVisible());
    QVERIFY(frame.RunCommand(ID_VIEW_PASSWORDBAR));
    QCOMPARE(frame.Mode(), EInterface::bar);
    QVERIFY(bar.isVisible());
    // Escape and F2 are the Main Window button's keys.
    for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_F2}) {
        QTest::keyClick(bar.GroupList(), key);
        QCOMPARE(frame.Mode(), EInterface::main);
        QVERIFY(frame.isVisible());
        QVERIFY(!bar.isVisible());
        QVERIFY(frame.RunCommand(ID_VIEW_PASSWORDBAR));
        QVERIFY(bar.isVisible());
    }
    // The tray's Main Window and Password Bar switch while a window is shown.
    QVERIFY(frame.RunCommand(ID_TRAY_MAINWINDOW));
    QCOMPARE(frame.Mode(), EInterface::main);
    QVERIFY(frame.isVisible());
    QVERIFY(!bar.isVisible());
    QVERIFY(frame.RunCommand(ID_TRAY_PASSWORDBAR));
    QCOMPARE(frame.Mode(), EInterface::bar);
    QVERIFY(bar.isVisible());
    QVERIFY(!frame.isVisible());

    // Locked from the bar, back through the tray's "Password Bar".
    bar.Lock();
    QCOMPARE(frame.Mode(), EInterface::trayBar);
    QVERIFY(frame.IsLocked());
    QVERIFY(!bar.isVisible());
    QCOMPARE(frame.Tray().DefaultCommand(), ID_TRAY_PASSWORDBAR);
    fx.m_prompts.CancelCheckKey();
    frame.RestorePasswordBar();
    QVERIFY(!bar.isVisible());
    fx.m_prompts.TypeCheckKey("k");
    frame.RestorePasswordBar();
    QVERIFY(bar.isVisible());
    QCOMPARE(frame.Mode(), EInterface::bar);
    QVERIFY(!frame.IsLocked());

    // Close by "Exit2Min": 1 hides the bar into the tray unlocked, 2 locks
    // it too (0, the exit, is the desktop case's).
    frame.Settings().Change([&](SShellSettings& values) { values.m_nExit2Min = 1; });
    bar.Button(CPasswordBarDlg::IDC_CLOSE)->click();
    QCOMPARE(frame.Mode(), EInterface::trayBar);
    QVERIFY(!frame.IsLocked());
    QVERIFY(!frame.IsClosed());
    frame.RestorePasswordBar();
    QVERIFY(bar.isVisible());
    // The window system's close (Alt+F4) goes the same way.
    bar.close();
    QCOMPARE(frame.Mode(), EInterface::trayBar);
    QVERIFY(!bar.isVisible());
    frame.RestorePasswordBar();
    QVERIFY(bar.isVisible());
    frame.Settings().Change([&](SShellSettings& values) { values.m_nExit2Min = 2; });
    bar.Button(CPasswordBarDlg::IDC_CLOSE)->click();
    QCOMPARE(frame.Mode(), EInterface::trayBar);
    QVERIFY(frame.IsLocked());
    QVERIFY(!frame.IsClosed());

    // The tray's Exit ends the program from the bar whatever "Exit2Min" says.
    fx.m_prompts.TypeCheckKey("k");
    frame.RestorePasswordBar();
    QCOMPARE(frame.Mode(), EInterface::bar);
    frame.Commands().Execute(ID_TRAY_EXIT);
    QVERIFY(frame.IsClosed());
    QVERIFY(fx.m_vecFailures.empty());
}

// A D-Bus tray host draws the menu and sends its clicks without opening the
// menu here: the items' states are current all along, in the order the
// program sets itself up (the bar comes after the main window shows).
void CPasswordBarTest::trayMenuIsCurrentBeforeItOpens() {
    CFrameFixture fx;
    CScriptedEditPrompts edits;
    fx.GiveKey("k");
    CMainFrame& frame = fx.Frame();
    frame.ActivateFrame(true);
    CDocNotifier notifier(*fx.m_pDoc);
    CPasswordBarDlg bar(fx.m_pDoc->Session(), notifier.Model(), fx.Settings(), fx.m_prompts, edits);
    frame.SetPasswordBar(&bar);
    QAction* pBarItem = nullptr;
    for (QAction* pAction : frame.Tray().Menu()->actions())
        if (pAction->property("commandId").toInt() == ID_TRAY_PASSWORDBAR)
            pBarItem = pAction;
    QVERIFY(pBarItem != nullptr);
    QTRY_VERIFY(pBarItem->isEnabled());
    // A modal dialog disables it, and its end enables it again.
    {
        QDialog dlg;
        dlg.setModal(true);
        dlg.show();
        QTRY_VERIFY(!pBarItem->isEnabled());
    }
    QTRY_VERIFY(pBarItem->isEnabled());
    // The host's click, with the main window shown: the bar takes its place.
    pBarItem->trigger();
    QCOMPARE(frame.Mode(), EInterface::bar);
    QVERIFY(bar.isVisible());
    QVERIFY(!frame.isVisible());
    QVERIFY(fx.m_vecFailures.empty());
}

// The account dialog opened from the bar opens the Options dialog on the
// generator page, whose settings that dialog and the next one generate with.
void CPasswordBarTest::accountDialogOpensTheGeneratorPage() {
    CBarFixture b;
    b.fx.Frame().SetPasswordBar(b.m_pBar.get());
    b.m_pBar->FillGroups();
    b.fx.m_prompts.AnswerOptions([](SOptionsData& data) { data.m_generator.m_strLength = "12"; });
    b.m_edits.AnswerAccount([](SAccountDlgData& dlg) {
        if (dlg.m_fnGeneratorSettings)
            dlg.m_fnGeneratorSettings(dlg.m_generator);
        return false;
    });
    b.m_edits.AnswerAccount([](SAccountDlgData&) { return false; });
    b.m_pBar->OnAddAccount();
    b.m_pBar->OnEditAccount();
    QCOMPARE(b.fx.m_prompts.OptionsStartPage(), OPTIONS_PAGE_GENERATOR);
    QCOMPARE(b.m_edits.m_vecAccountOpened.back().m_generator.m_strLength, std::string("12"));
}

void CPasswordBarTest::keysActOnTheAccountShownAndToolsNameTheBar() {
    CAccessibleNames names; // as the program installs them
    CBarFixture b;
    CPasswordBarDlg& bar = *b.m_pBar;
    bar.FillGroups();
    bar.show();
    bar.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&bar));
    for (const char* pszScheme : {"https", "mailto"})
        QDesktopServices::setUrlHandler(QString::fromLatin1(pszScheme), this, "OpenUrl");
    // The account, the key with Ctrl, and the clipboard's text or the link opened.
    const char* const cases[][3] = {{"home", "U", "ann"},
                                    {"home", "P", "pw1"},
                                    {"home", "C", "pw1"},
                                    {"nopass", "P", ""},
                                    {"home", "O", ""},
                                    {"Site", "O", "https://example.org/"},
                                    {"Site", "M", "mailto:x@example.org"}};
    for (const auto& c : cases) {
        QApplication::clipboard()->clear();
        m_listOpened.clear();
        b.Choose(bar.AccountList(), QString::fromLatin1(c[0]));
        QTest::keyClick(bar.AccountList(), c[1][0], Qt::ControlModifier);
        QCOMPARE(m_listOpened.join(QString()) + QApplication::clipboard()->text(),
                 QString::fromLatin1(c[2]));
    }
    for (const char* pszScheme : {"https", "mailto"})
        QDesktopServices::unsetUrlHandler(QString::fromLatin1(pszScheme));
    QCOMPARE(bar.CopyPasswordButton()->toolTip(),
             QStringLiteral("Copy / Drag Password (Ctrl+P, Ctrl+C)"));

    // Screen readers hear which list it is, then what it shows; the bar is a window.
    QAccessibleInterface* pGroups = QAccessible::queryAccessibleInterface(bar.GroupList());
    QCOMPARE(pGroups->text(QAccessible::Name), QStringLiteral("Group"));
    QCOMPARE(pGroups->text(QAccessible::Value), QStringLiteral("Bank"));
    QCOMPARE(QAccessible::queryAccessibleInterface(bar.AccountList())->text(QAccessible::Name),
             QStringLiteral("Account"));
    QCOMPARE(QAccessible::queryAccessibleInterface(&bar)->role(), QAccessible::Window);
}

void CPasswordBarTest::typingIntoTheAccountListFiltersIt() {
    CBarFixture b;
    CPasswordBarDlg& bar = *b.m_pBar;
    bar.FillGroups();
    const auto listed = [&bar] {
        QStringList list;
        for (int i = 0; i < bar.AccountList()->count(); ++i)
            list << bar.AccountList()->itemText(i);
        return list;
    };
    QCOMPARE(listed(), (QStringList{"home", "nopass", "Site"}));
    // The web site or the e-mail, in any case; the match is chosen.
    QTest::keyClicks(bar.AccountList(), "EXAMPLE");
    QCOMPARE(bar.AccountFilter(), QStringLiteral("EXAMPLE"));
    QCOMPARE(listed(), QStringList{"Site"});
    QCOMPARE(b.Shown(bar.AccountList()), QStringLiteral("Site"));
    QVERIFY(b.Enabled(CPasswordBarDlg::IDC_HYPERLINK));
    QCOMPARE(bar.AccountList()->toolTip(), QStringLiteral("Filter: EXAMPLE"));
    // Escape lists the group whole, the account chosen kept.
    QTest::keyClick(bar.AccountList(), Qt::Key_Escape);
    QCOMPARE(bar.AccountFilter(), QString());
    QCOMPARE(listed(), (QStringList{"home", "nopass", "Site"}));
    QCOMPARE(b.Shown(bar.AccountList()), QStringLiteral("Site"));

    // A user name; Backspace takes characters back.
    QTest::keyClicks(bar.AccountList(), "bobx");
    QCOMPARE(listed(), QStringList());
    QVERIFY(!b.Enabled(CPasswordBarDlg::IDC_COPY_USERNAME));
    QTest::keyClick(bar.AccountList(), Qt::Key_Backspace);
    QCOMPARE(listed(), QStringList{"nopass"});
    QVERIFY(b.Enabled(CPasswordBarDlg::IDC_COPY_USERNAME));
    // A password is never searched.
    bar.SetAccountFilter("pw1");
    QCOMPARE(listed(), QStringList());

    // The group chosen still applies.
    bar.SetAccountFilter("LOW");
    QCOMPARE(listed(), QStringList());
    b.Choose(bar.GroupList(), "Mail");
    QCOMPARE(listed(), QStringList{"mail"});
    QCOMPARE(bar.CopyPasswordButton()->GetDragText(), std::string("l"));
    // A bar reset (a lock, another file) forgets the filter.
    bar.ResetBar();
    QCOMPARE(bar.AccountFilter(), QString());
}

// The main window edits the document while the bar lists it: the lists
// follow each change without a fill, and the bar's choice (names, record,
// buttons) follows the records it chose.
void CPasswordBarTest::editsElsewhereReachTheListsAndKeepTheChoice() {
    CBarFixture b;
    CPasswordBarDlg& bar = *b.m_pBar;
    CSessionDoc& doc = *b.fx.m_pDoc;
    bar.m_strCurAccount = "nopass";
    bar.FillGroups();
    const CPasswordInfo* pChosen = bar.m_pCurAccount;

    b.Account("Bank", "alpha", "al", "pa");
    doc.AddGroup("Aardvark");
    QCOMPARE(b.Listed(bar.GroupList()),
             (QStringList{"Aardvark", "Bank", "Empty", "Mail", "My Passwords"}));
    QCOMPARE(b.Listed(bar.AccountList()), (QStringList{"alpha", "home", "nopass", "Site"}));
    QCOMPARE(b.Shown(bar.GroupList()), QString("Bank"));
    QCOMPARE(b.Shown(bar.AccountList()), QString("nopass"));

    // Renamed and given a password: the same record under its new name.
    doc.RenameGroup(doc.FindGroup("Bank"), "Vault");
    CPasswordInfo texts = *pChosen;
    texts.SetAccount("zulu");
    texts.SetPassword("new");
    doc.ReplaceAccount(pChosen, "Vault", texts);
    QCOMPARE(b.Listed(bar.GroupList()),
             (QStringList{"Aardvark", "Empty", "Mail", "My Passwords", "Vault"}));
    QCOMPARE(b.Listed(bar.AccountList()), (QStringList{"alpha", "home", "Site", "zulu"}));
    QCOMPARE(b.Shown(bar.AccountList()), QString("zulu"));
    QCOMPARE(bar.m_strCurGroup, std::string("Vault"));
    QCOMPARE(bar.m_strCurAccount, std::string("zulu"));
    QVERIFY(bar.m_pCurAccount == pChosen);
    QVERIFY(b.Enabled(CPasswordBarDlg::IDC_COPY_PASSWORD));
    QCOMPARE(bar.CopyPasswordButton()->GetDragText(), std::string("new"));

    // Moved to another group, then the account shown deleted: the bar
    // shows another account of the group it lists, never the one gone.
    doc.ReplaceAccount(pChosen, "Mail", texts);
    QCOMPARE(b.Listed(bar.AccountList()), (QStringList{"alpha", "home", "Site"}));
    QCOMPARE(b.Shown(bar.AccountList()), QString("alpha"));
    doc.DeleteAccount(bar.m_pCurAccount);
    QCOMPARE(b.Listed(bar.AccountList()), (QStringList{"home", "Site"}));
    QCOMPARE(bar.m_pCurAccount->Account(), b.Shown(bar.AccountList()).toStdString());

    // Narrowed, an account added that holds the words is listed.
    bar.SetAccountFilter("example");
    b.Account("Vault", "Example two", "x", "y");
    QCOMPARE(b.Listed(bar.AccountList()), (QStringList{"Example two", "Site"}));

    // The group shown deleted: a neighbour, here one without accounts.
    bar.SetAccountFilter(QString());
    doc.DeleteGroup(doc.FindGroup("Vault"));
    QCOMPARE(b.Listed(bar.GroupList()), (QStringList{"Aardvark", "Empty", "Mail", "My Passwords"}));
    QCOMPARE(b.Shown(bar.GroupList()), QString("My Passwords"));
    QCOMPARE(bar.m_strCurGroup, std::string("My Passwords"));
    QCOMPARE(bar.AccountList()->count(), 0);
    QVERIFY(bar.m_pCurAccount == nullptr);
    QVERIFY(!b.Enabled(CPasswordBarDlg::IDC_COPY_USERNAME));
    QVERIFY(b.fx.m_vecFailures.empty());
}

QTEST_MAIN(CPasswordBarTest)
#include "PasswordBarTest.moc"
