// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/FrameFixture.h"
#include "support/SampleDocument.h"

#include "core/base/CommandIds.h"
#include "core/base/SettingKeys.h"
#include "core/base/SettingsSchema.h"
#include "core/base/StringTable.h"
#include "core/kdbx/KdbxDatabase.h"
#include "core/store/CodePage.h"
#include "gui/shell/SearchBar.h"
#include "gui/shell/SystemTray.h"
#include "platform/Translations.h"
#include "platform/WindowSystem.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QStatusBar>
#include <QStyleHints>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>
#include <map>

namespace {

struct SAccelerator {
    QKeySequence key;
    int nId;
};

const SAccelerator EXPECTED_ACCELERATORS[] = {
    {QKeySequence(Qt::CTRL | Qt::Key_A), ID_ACCOUNT_ADD},
    {QKeySequence(Qt::CTRL | Qt::Key_D), ID_ITEM_DELETE},
    {QKeySequence(Qt::CTRL | Qt::Key_E), ID_ITEM_EDIT},
    {QKeySequence(Qt::CTRL | Qt::Key_F), ID_VIEW_SEARCHBAR},
    {QKeySequence(Qt::CTRL | Qt::Key_G), ID_GROUP_ADD},
    {QKeySequence(Qt::CTRL | Qt::Key_N), ID_FILE_NEW},
    {QKeySequence(Qt::CTRL | Qt::Key_O), ID_FILE_OPEN},
    {QKeySequence(Qt::CTRL | Qt::Key_S), ID_FILE_SAVE},
    {QKeySequence(Qt::CTRL | Qt::Key_C), ID_EDIT_COPY_PASSWORD},
    {QKeySequence(Qt::CTRL | Qt::Key_B), ID_EDIT_COPY_USERNAME},
    {QKeySequence(Qt::CTRL | Qt::Key_Insert), ID_EDIT_COPY},
    {QKeySequence(Qt::CTRL | Qt::Key_V), ID_EDIT_PASTE},
    {QKeySequence(Qt::SHIFT | Qt::Key_Insert), ID_EDIT_PASTE},
    {QKeySequence(Qt::CTRL | Qt::Key_X), ID_EDIT_CUT},
    {QKeySequence(Qt::SHIFT | Qt::Key_Delete), ID_EDIT_CUT},
    {QKeySequence(Qt::CTRL | Qt::Key_Z), ID_EDIT_UNDO},
    {QKeySequence(Qt::ALT | Qt::Key_Backspace), ID_EDIT_UNDO},
    {QKeySequence(Qt::Key_F1), ID_HELP_CONTENTS},
    {QKeySequence(Qt::Key_F2), ID_VIEW_PASSWORDBAR},
    {QKeySequence(Qt::Key_F3), ID_VIEW_ONTOP},
    {QKeySequence(Qt::Key_F6), ID_NEXT_PANE},
    {QKeySequence(Qt::SHIFT | Qt::Key_F6), ID_PREV_PANE},
};

// The letter after a single "&", upper case, or none.
QChar Mnemonic(const QString& strText) {
    for (qsizetype i = 0; i + 1 < strText.size(); ++i) {
        if (strText[i] != '&')
            continue;
        if (strText[i + 1] != '&')
            return strText[i + 1].toUpper();
        ++i;
    }
    return {};
}

// The menu's items and its submenus' items, each menu checked on the way
// as users drive it: every item has a text and a letter of its own in its
// menu, a key named in the text is the item's key, separators only part
// items.
void CheckMenu(QMenu* pMenu, std::map<int, int>& mapMenuCount) {
    const QString strMenu = pMenu->objectName();
    QList<QChar> letters;
    const QList<QAction*> actions = pMenu->actions();
    for (qsizetype i = 0; i < actions.size(); ++i) {
        QAction* pAction = actions[i];
        if (pAction->isSeparator()) {
            QVERIFY2(i > 0 && i + 1 < actions.size() && !actions[i + 1]->isSeparator(),
                     qPrintable(strMenu));
            continue;
        }
        const int nId = pAction->property("commandId").toInt();
        // Recent files are named when the menu opens.
        if (nId >= ID_FILE_MRU_FILE1 && nId <= ID_FILE_MRU_FILE4)
            continue;
        const QString strText = pAction->menu() ? pAction->menu()->title() : pAction->text();
        const QString strWhere = strMenu + ": " + strText;
        QVERIFY2(!Mnemonic(strText).isNull(), qPrintable(strWhere));
        QVERIFY2(!letters.contains(Mnemonic(strText)), qPrintable(strWhere));
        letters << Mnemonic(strText);
        if (pAction->menu()) {
            CheckMenu(pAction->menu(), mapMenuCount);
            continue;
        }
        // The item is the command's action, with the command table's text.
        ++mapMenuCount[nId];
        QCOMPARE(pAction->text(), TrText(FindCommandText(COMMAND_MENU_TEXTS, nId)));
        const qsizetype nTab = strText.indexOf('\t');
        QCOMPARE(pAction->shortcut().toString(), nTab < 0 ? QString() : strText.mid(nTab + 1));
    }
}

QList<int> IdsOf(const QList<QAction*>& actions) {
    QList<int> ids;
    for (QAction* pAction : actions)
        ids << (pAction->isSeparator() ? 0 : pAction->property("commandId").toInt());
    return ids;
}

bool ClipboardHas(bool bImage) {
    const QMimeData* pData = QGuiApplication::clipboard()->mimeData();
    return pData && (bImage ? pData->hasImage() : pData->hasText());
}

bool Enabled(CMainFrame& frame, int nId) {
    return frame.Commands().Update(nId).bEnabled;
}

} // namespace

class CMainFrameTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void menusAreMadeOfTheCommandTable();
    void acceleratorTableIsComplete();
    void toolbarAndDropDown();
    void statusBarPanes();
    void searchBarControls();
    void enableRulesFollowTheKey();
    void trayCommandsWaitForModalDialogs();
    void placementIsSavedAsText();
    void placementIsRestored();
    void placementFromTheFileIsKeptOnTheScreen();
    void barsAreRememberedAcrossRuns();
    void firstActivationPlainStart();
    void firstActivationAtLogon();
    void firstActivationWithPasswordBarAsDefault();
    void startupMessages_data();
    void startupMessages();
    void startupFileAsksForKey();
    void startupFileAtLogonSkipsKeyAndLocks();
    void closeButton_data();
    void closeButton();
    void exitCommandsEndWhateverExit2Min();
    void minimiseGoesToTray();
    void withoutTrayHidingMinimisesToTheTaskbar();
    void windowHiddenInAVanishingTrayReturnsToTheTaskbar();
    void clipboardEmptiedOnlyForText();
    void searchBarToggleFocusesAndEmpties();
    void onTopOnlyInMainWindow();
    void onWaylandAlwaysOnTopIsOffAndSaysWhy();
    void restoreAsksForKeyWhenLocked();
    void restoreAsksForTheWholeKeyOfADatabaseKeptInMemory();
    void unlockPromptShowsTheFileNameAsItIs();
    void recentMenuShowsPathsAsTheyAre();
    void trayClickRunsDefaultOncePerDoubleClick();
    void firstLockSaysOnceWhereTheProgramWent();
    void clearRecentOnExit();
    void captionNamesTheFileAndItsChanges();
    void sharedMenuLetterRunsTheItemFoundFromTheBottom();
    void dialogsWithoutParentCarryTheProgramsIcon();
    void frameSettingsWrittenAtExit();

private:
    QTemporaryDir m_dataHome;
};

void CMainFrameTest::initTestCase() {
    // The document makes its backup folder below the data folder.
    qputenv("XDG_DATA_HOME", m_dataHome.path().toLocal8Bit());
}

void CMainFrameTest::menusAreMadeOfTheCommandTable() {
    CFrameFixture fx;
    CMainFrame& frame = fx.Frame();
    QList<QChar> letters;
    std::map<int, int> mapMenuCount;
    for (QAction* pTop : frame.menuBar()->actions()) {
        QVERIFY(pTop->menu());
        QVERIFY2(!Mnemonic(pTop->text()).isNull(), qPrintable(pTop->text()));
        QVERIFY2(!letters.contains(Mnemonic(pTop->text())), qPrintable(pTop->text()));
        letters << Mnemonic(pTop->text());
        CheckMenu(pTop->menu(), mapMenuCount);
    }
    QCOMPARE(letters.size(), 5);
    // Every command of the table is in the menus once, but the tray's (its
    // menu makes its own) and the pin's; each shows a prompt in the status
    // bar but Export, whose table row has none.
    for (const CCommandText& entry : COMMAND_MENU_TEXTS) {
        const bool bElsewhere = entry.nId == IDM_ONTOP || entry.nId == ID_TRAY_MAINWINDOW ||
                                entry.nId == ID_TRAY_PASSWORDBAR || entry.nId == ID_TRAY_LOCK ||
                                entry.nId == ID_TRAY_EXIT;
        QCOMPARE(mapMenuCount[entry.nId], bElsewhere ? 0 : 1);
        if (!bElsewhere)
            QCOMPARE(frame.Action(entry.nId)->statusTip().isEmpty(), entry.nId == ID_FILE_EXPORT);
    }
    // Recent: four file entries, then "Add Here" and "Clear on Exit".
    QMenu* pRecent = frame.findChild<QMenu*>("menuRecent");
    QVERIFY(pRecent);
    QCOMPARE(IdsOf(pRecent->actions()),
             QList<int>({ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE2, ID_FILE_MRU_FILE3, ID_FILE_MRU_FILE4,
                         0, ID_RECENT_ADDHERE, ID_RECENT_CLEAR}));
    for (int nId = ID_FILE_MRU_FILE1; nId <= ID_FILE_MRU_FILE4; ++nId)
        QCOMPARE(frame.Action(nId)->statusTip(), frame.Action(ID_FILE_MRU_FILE1)->statusTip());

    // The window-level always-on-top item is the pin at the menu bar's end:
    // the View menu's item, whose key it leaves to that item.
    auto* pPin = qobject_cast<QToolButton*>(frame.menuBar()->cornerWidget(Qt::TopRightCorner));
    QVERIFY(pPin);
    QCOMPARE(pPin->defaultAction()->property("commandId").toInt(), IDM_ONTOP);
    QCOMPARE(pPin->defaultAction()->text(), frame.Action(ID_VIEW_ONTOP)->text());
    QVERIFY(pPin->defaultAction()->shortcuts().isEmpty());
    QVERIFY(!pPin->defaultAction()->statusTip().isEmpty());
}

void CMainFrameTest::acceleratorTableIsComplete() {
    CFrameFixture fx;
    CMainFrame& frame = fx.Frame();
    std::map<QString, int> mapOwner;
    for (QAction* pAction : frame.findChildren<QAction*>()) {
        for (const QKeySequence& key : pAction->shortcuts()) {
            const QString strKey = key.toString();
            // Two commands on one key would make the key do nothing.
            QVERIFY2(!mapOwner.count(strKey), qPrintable(strKey));
            mapOwner[strKey] = pAction->property("commandId").toInt();
        }
    }
    for (const SAccelerator& accel : EXPECTED_ACCELERATORS)
        QCOMPARE(mapOwner[accel.key.toString()], accel.nId);
    QCOMPARE(mapOwner.size(), std::size(EXPECTED_ACCELERATORS));
}

void CMainFrameTest::toolbarAndDropDown() {
    CFrameFixture fx;
    CMainFrame& frame = fx.Frame();
    QCOMPARE(IdsOf(frame.ToolBar()->actions()),
             QList<int>({ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, 0, ID_ACCOUNT_ADD, ID_ITEM_EDIT,
                         ID_ITEM_DELETE, 0, ID_TOOLS_OPTIONS, 0, ID_VIEW_PASSWORDBAR, 0,
                         ID_TOOLS_LOCK}));
    auto* pAdd =
        qobject_cast<QToolButton*>(frame.ToolBar()->widgetForAction(frame.Action(ID_ACCOUNT_ADD)));
    QVERIFY(pAdd && pAdd->menu());
    QCOMPARE(pAdd->popupMode(), QToolButton::MenuButtonPopup);
    QCOMPARE(pAdd->menu()->objectName(), QString("ToolBarDropdown"));
    QCOMPARE(IdsOf(pAdd->menu()->actions()), QList<int>({ID_ACCOUNT_ADD, ID_GROUP_ADD}));
    QCOMPARE(pAdd->toolTip(), QString("Add Account"));
}

void CMainFrameTest::statusBarPanes() {
    CFrameFixture fx;
    CMainFrame& frame = fx.Frame();
    auto* pPrompt = frame.statusBar()->findChild<QLabel*>("PanePrompt");
    auto* pGroups = frame.statusBar()->findChild<QLabel*>("PaneGroups");
    auto* pAccounts = frame.statusBar()->findChild<QLabel*>("PaneAccounts");
    QVERIFY(pPrompt && pGroups && pAccounts);
    QCOMPARE(pPrompt->text(), QString("Ready"));
    QCOMPARE(pGroups->text(), QString("Groups"));
    QCOMPARE(pAccounts->text(), QString("Accounts"));
    QCOMPARE(pGroups->property("controlId").toInt(), ID_INDICATOR_GROUPS);
    QCOMPARE(pAccounts->property("controlId").toInt(), ID_INDICATOR_ACCOUNTS);

    // Whoever knows the counts feeds the panes through their update rules.
    int nGroups = 2;
    frame.Commands().RegisterUpdate(
        ID_INDICATOR_GROUPS, [&](CCmdUI& ui) { ui.SetText(std::to_string(nGroups) + " Groups"); });
    frame.UpdateCommandUI();
    QCOMPARE(pGroups->text(), QString("2 Groups"));
    // A change asks for the update, which runs once the events queued have.
    nGroups = 3;
    frame.RequestCommandUpdate();
    frame.RequestCommandUpdate();
    QCOMPARE(pGroups->text(), QString("2 Groups"));
    QCoreApplication::sendPostedEvents();
    QCOMPARE(pGroups->text(), QString("3 Groups"));
}

void CMainFrameTest::searchBarControls() {
    CFrameFixture fx;
    CSearchBar* pBar = fx.Frame().SearchBar();
    QCOMPARE(pBar->property("controlId").toInt(), ID_VIEW_SEARCHBAR);
    QCOMPARE(pBar->Edit()->property("controlId").toInt(), 1168);
    QCOMPARE(pBar->FindNextButton()->property("controlId").toInt(), 1169);
    QCOMPARE(pBar->FindNextButton()->text(), QString("Find Next"));
    QVERIFY(pBar->FindNextButton()->isDefault());
    QCOMPARE(pBar->MatchWordBox()->property("controlId").toInt(), 1176);
    QCOMPARE(pBar->MatchWordBox()->text(), QString("Match whole word"));
    QCOMPARE(pBar->MatchCaseBox()->property("controlId").toInt(), 1177);
    QCOMPARE(pBar->MatchCaseBox()->text(), QString("Match case "));
    QCOMPARE(pBar->HideButton()->property("controlId").toInt(), ID_VIEW_SEARCHBAR);
    QCOMPARE(pBar->HideButton()->text(), QString("Hide"));
    QVERIFY(pBar->isHidden());
    // Searching belongs to the view: until it takes the command, Find Next
    // cannot be pressed.
    fx.Frame().UpdateCommandUI();
    QVERIFY(!pBar->FindNextButton()->isEnabled());
    int nSearches = 0;
    fx.Frame().Commands().Register(1169, [&]() { ++nSearches; });
    fx.Frame().UpdateCommandUI();
    QVERIFY(pBar->FindNextButton()->isEnabled());
    QTest::keyClick(pBar->Edit(), Qt::Key_Return);
    QCOMPARE(nSearches, 1);
}

void CMainFrameTest::enableRulesFollowTheKey() {
    CFrameFixture fx;
    CMainFrame& frame = fx.Frame();
    frame.UpdateCommandUI();
    for (const int nId : {ID_FILE_CLOSE, ID_FILE_SAVE_AS, ID_TOOLS_CHANGEKEY, ID_TOOLS_LOCK,
                          ID_TRAY_LOCK, ID_FILE_SAVE})
        QVERIFY2(!Enabled(frame, nId), qPrintable(QString::number(nId)));
    for (const int nId : {ID_FILE_NEW, ID_FILE_OPEN, ID_APP_EXIT, ID_HELP_CONTENTS, ID_HELP_WEBSITE,
                          ID_HELP_SUPPORT, ID_APP_ABOUT, ID_RECENT_ADDHERE, ID_RECENT_CLEAR,
                          ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, ID_VIEW_SEARCHBAR, ID_VIEW_ONTOP,
                          IDM_ONTOP, ID_TRAY_MAINWINDOW, ID_TRAY_EXIT, ID_TOOLS_OPTIONS})
        QVERIFY2(Enabled(frame, nId), qPrintable(QString::number(nId)));
    // Commands whose owners are not part of the frame stay disabled until
    // they are carried by someone.
    for (const int nId : {ID_ACCOUNT_ADD, ID_GROUP_ADD, ID_ITEM_EDIT, ID_ITEM_DELETE, ID_FILE_PRINT,
                          ID_TOOLS_MASK, ID_VIEW_PASSWORDBAR, ID_TRAY_PASSWORDBAR})
        QVERIFY2(!Enabled(frame, nId), qPrintable(QString::number(nId)));
    QVERIFY(!frame.Action(ID_FILE_CLOSE)->isEnabled());

    fx.GiveKey();
    frame.UpdateCommandUI();
    for (const int nId :
         {ID_FILE_CLOSE, ID_FILE_SAVE_AS, ID_TOOLS_CHANGEKEY, ID_TOOLS_LOCK, ID_TRAY_LOCK})
        QVERIFY2(Enabled(frame, nId), qPrintable(QString::number(nId)));
    QVERIFY(frame.Action(ID_FILE_CLOSE)->isEnabled());
    QVERIFY(!Enabled(frame, ID_FILE_SAVE));
    fx.m_pDoc->SetModifiedFlag(true);
    QVERIFY(Enabled(frame, ID_FILE_SAVE));

    // Check marks follow the settings they show.
    QVERIFY(frame.Action(ID_RECENT_ADDHERE)->isChecked());
    frame.RunCommand(ID_RECENT_ADDHERE);
    QVERIFY(!fx.m_pDoc->Session().FileOptions().m_bAddToRecent);
    QVERIFY(!frame.Action(ID_RECENT_ADDHERE)->isChecked());
}

void CMainFrameTest::trayCommandsWaitForModalDialogs() {
    CFrameFixture fx;
    CMainFrame& frame = fx.Frame();
    fx.GiveKey();
    QDialog dlg;
    dlg.setModal(true);
    dlg.show();
    QTRY_VERIFY(QApplication::activeModalWidget() == &dlg);
    for (const int nId : {ID_TRAY_MAINWINDOW, ID_TRAY_EXIT, ID_TRAY_LOCK})
        QVERIFY(!Enabled(frame, nId));
    dlg.hide();
    QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
    for (const int nId : {ID_TRAY_MAINWINDOW, ID_TRAY_EXIT, ID_TRAY_LOCK})
        QVERIFY(Enabled(frame, nId));
}

void CMainFrameTest::placementIsSavedAsText() {
    CFrameFixture fx;
    CMainFrame& frame = fx.Frame();
    // Kept in the settings, which write it under the window's keys.
    const auto saved = [&] {
        frame.SaveWindowPlacement();
        frame.SaveSettings();
    };
    frame.setGeometry(10, 20, 300, 200);
    saved();
    QCOMPARE(fx.m_profile.GetProfileString("Window size", "Rect", ""),
             std::string("0010 0020 0310 0220"));
    QCOMPARE(fx.m_profile.GetProfileInt("Window Size", "IsMaxed", 9), 0u);

    frame.setGeometry(-8, 5, 400, 300);
    saved();
    QCOMPARE(fx.m_profile.GetProfileString("Window size", "Rect", ""),
             std::string("-008 0005 0392 0305"));

    frame.show();
    frame.showMaximized();
    QTRY_VERIFY(frame.isMaximized());
    saved();
    QCOMPARE(fx.m_profile.GetProfileInt("Window Size", "IsMaxed", 9), 1u);
    // The normal rectangle, not the maximised one, is what comes back.
    QCOMPARE(fx.m_profile.GetProfileString("Window size", "Rect", ""),
             std::string("-008 0005 0392 0305"));
}

void CMainFrameTest::placementIsRestored() {
    {
        // A fresh user.
        CFrameFixture fx;
        fx.Frame().RestoreWindowPlacement(false);
        QCOMPARE(fx.Frame().geometry(), QRect(218, 100, 493, 443));
        QVERIFY(!fx.Frame().isVisible());
        QCOMPARE(fx.Frame().Settings().Values().m_bOnTop, 0);
    }
    {
        CFrameFixture fx;
        fx.m_profile.WriteProfileString("Window size", "Rect", "0100 0050 0600 0450");
        fx.m_profile.WriteProfileInt("Window size", "top", 1);
        fx.Frame().RestoreWindowPlacement(true);
        QVERIFY(fx.Frame().isVisible());
        QCOMPARE(fx.Frame().geometry(), QRect(100, 50, 500, 400));
        QCOMPARE(fx.Frame().Settings().Values().m_bOnTop, 1);
        QVERIFY(fx.Frame().windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(fx.Frame().Action(IDM_ONTOP)->isChecked());
    }
    {
        // An empty text leaves the window where it is; maximised comes back.
        CFrameFixture fx;
        fx.m_profile.WriteProfileString("Window size", "Rect", "");
        fx.m_profile.WriteProfileInt("window size", "IsMaxed", 1);
        fx.Frame().setGeometry(30, 40, 320, 240);
        fx.Frame().RestoreWindowPlacement(true);
        QTRY_VERIFY(fx.Frame().isMaximized());
        QCOMPARE(fx.Frame().normalGeometry(), QRect(30, 40, 320, 240));
    }
}

void CMainFrameTest::placementFromTheFileIsKeptOnTheScreen() {
    const QRect area = QGuiApplication::primaryScreen()->availableVirtualGeometry();
    {
        // Ten thousand pixels square would be half a gigabyte of pixels.
        CFrameFixture fx;
        fx.m_profile.WriteProfileString("Window size", "Rect", "-999 -999 9999 9999");
        fx.Frame().RestoreWindowPlacement(false);
        QCOMPARE(fx.Frame().geometry(), area);
    }
    {
        CFrameFixture fx;
        fx.m_profile.WriteProfileString("Window size", "Rect", "9000 9000 9300 9200");
        fx.Frame().RestoreWindowPlacement(false);
        QCOMPARE(fx.Frame().geometry().size(), QSize(300, 200));
        QVERIFY(area.contains(fx.Frame().geometry()));
    }
    {
        // The fields are read at fixed places: this one reads as 10 pixels
        // wide and millions high, which is cut to the screen's height.
        CFrameFixture fx;
        fx.m_profile.WriteProfileString("Window size", "Rect", "-0001 -9999 -2147483648 -5");
        fx.Frame().RestoreWindowPlacement(false);
        QVERIFY(area.contains(fx.Frame().geometry()));
        QCOMPARE(fx.Frame().geometry().height(), area.height());
    }
    {
        // Inverted corners: the first-run place.
        CFrameFixture fx;
        fx.m_profile.WriteProfileString("Window size", "Rect", "0600 0500 0100 0100");
        fx.Frame().RestoreWindowPlacement(false);
        QCOMPARE(fx.Frame().geometry(), QRect(218, 100, 493, 443));
    }
}

void CMainFrameTest::barsAreRememberedAcrossRuns() {
    CMemoryProfile profile;
    {
        CFrameFixture fx(&profile);
        fx.Frame().ActivateFrame(true);
        QVERIFY(fx.Frame().ToolBar()->isVisible());
        fx.Frame().RunCommand(ID_VIEW_TOOLBAR);
        fx.Frame().RunCommand(ID_VIEW_STATUS_BAR);
        QVERIFY(!fx.Frame().ToolBar()->isVisible());
        QVERIFY(!fx.Frame().statusBar()->isVisible());
        fx.Frame().Exit();
        QVERIFY(fx.Frame().IsClosed());
    }
    QCOMPARE(profile.GetProfileInt("Window size", "tool", 9), 0u);
    QCOMPARE(profile.GetProfileInt("Window size", "status", 9), 0u);
    QVERIFY(!profile.GetProfileString("Keyhaven-Summary", "State", "").empty());
    CFrameFixture fx(&profile);
    fx.Frame().ActivateFrame(true);
    QVERIFY(!fx.Frame().ToolBar()->isVisible());
    QVERIFY(!fx.Frame().statusBar()->isVisible());
    QVERIFY(!fx.Frame().Action(ID_VIEW_TOOLBAR)->isChecked());
    fx.Frame().RunCommand(ID_VIEW_TOOLBAR);
    QVERIFY(fx.Frame().ToolBar()->isVisible());
    QVERIFY(fx.Frame().Action(ID_VIEW_TOOLBAR)->isChecked());
}

void CMainFrameTest::firstActivationPlainStart() {
    CFrameFixture fx;
    fx.Frame().ActivateFrame(true);
    QCOMPARE(fx.Frame().Mode(), EInterface::main);
    QVERIFY(!fx.Frame().IsLocked());
    QVERIFY(fx.Frame().isVisible());
    QCOMPARE(fx.Frame().Tray().DefaultCommand(), ID_TRAY_LOCK);
    QCOMPARE(fx.Frame().Tray().IconId(), 240);
    QVERIFY(fx.m_prompts.Messages().empty());
    // A later activation does not run the start again.
    fx.m_profile.WriteProfileInt("Start", "Auto", 1);
    fx.Frame().ActivateFrame(true);
    QCOMPARE(fx.Frame().Mode(), EInterface::main);
}

void CMainFrameTest::firstActivationAtLogon() {
    CFrameFixture fx;
    fx.m_profile.WriteProfileInt("Start", "Auto", 1);
    fx.m_profile.WriteProfileString("Window size", "Rect", "0100 0050 0600 0450");
    fx.Frame().ActivateFrame(true);
    QCOMPARE(fx.Frame().Mode(), EInterface::trayMain);
    QVERIFY(fx.Frame().IsLocked());
    QVERIFY(!fx.Frame().isVisible());
    QVERIFY(fx.Frame().IsStartHidden());
    QCOMPARE(fx.Frame().Tray().DefaultCommand(), ID_TRAY_MAINWINDOW);
    // No file with a KEY was opened: the icon stays the normal one.
    QCOMPARE(fx.Frame().Tray().IconId(), 240);
    // The placement is restored without showing the window.
    QCOMPARE(fx.Frame().geometry(), QRect(100, 50, 500, 400));
    // Coming back needs no KEY when the document has none.
    fx.Frame().RunCommand(ID_TRAY_MAINWINDOW);
    QVERIFY(fx.Frame().isVisible());
    QCOMPARE(fx.Frame().Mode(), EInterface::main);
    QVERIFY(!fx.Frame().IsLocked());
    QVERIFY(fx.m_vecFailures.empty());
}

void CMainFrameTest::firstActivationWithPasswordBarAsDefault() {
    // Until the Password Bar exists, a start that would show it shows the
    // main window instead, so that the user always gets an interface.
    CFrameFixture fx;
    fx.m_profile.WriteProfileInt("Settings", "StartBar", 1);
    fx.Frame().ActivateFrame(true);
    QCOMPARE(fx.Frame().Settings().Values().m_nStartBar, 1);
    QCOMPARE(fx.Frame().Mode(), EInterface::main);
    QVERIFY(fx.Frame().isVisible());
}

void CMainFrameTest::startupMessages_data() {
    QTest::addColumn<int>("nMode");
    QTest::addColumn<QString>("strRecorded");
    QTest::addColumn<QString>("strMessage");
    QTest::newRow("last, none recorded") << 1 << QString() << "There is no last file to open.";
    QTest::newRow("last, nothing ever opened") << 1 << QString() << QString();
    QTest::newRow("last, deleted") << 1 << "/nowhere/x.pwd"
                                   << "The last file was not found.";
    QTest::newRow("fixed, none recorded")
        << 2 << QString() << "There is no specified file to open.";
    QTest::newRow("fixed, deleted") << 2 << "/nowhere/y.pwd"
                                    << "The specified file was not found.";
    QTest::newRow("none") << 0 << "/nowhere/z.pwd" << QString();
}

void CMainFrameTest::startupMessages() {
    QFETCH(int, nMode);
    QFETCH(QString, strRecorded);
    QFETCH(QString, strMessage);
    CFrameFixture fx;
    fx.m_profile.WriteProfileInt("Settings", "2", unsigned(3 + 8 * nMode));
    // Files were opened before, except on a first start.
    if (!QByteArray(QTest::currentDataTag()).contains("ever"))
        fx.m_profile.WriteProfileString("Recent File List", "File1", "/nowhere/once.pwd");
    if (!strRecorded.isEmpty())
        fx.m_profile.WriteProfileString("Path", nMode == 2 ? "2" : "1", strRecorded.toStdString());
    fx.Frame().ActivateFrame(true);
    if (strMessage.isEmpty()) {
        QVERIFY(fx.m_prompts.Messages().empty());
    } else {
        QCOMPARE(fx.m_prompts.Messages().size(), 1u);
        QCOMPARE(QString::fromStdString(fx.m_prompts.Messages()[0].m_strText), strMessage);
        QCOMPARE(fx.m_prompts.Messages()[0].m_eIcon, EMsgIcon::exclamation);
        QCOMPARE(fx.m_prompts.Messages()[0].m_eButtons, EMsgButtons::ok);
    }
    QVERIFY(!fx.m_pDoc->HasKey());
    QCOMPARE(fx.Frame().Mode(), EInterface::main);
}

void CMainFrameTest::startupFileAsksForKey() {
    CFrameFixture fx;
    const std::string strPath = fx.WriteKeyedFile("Work.pwd", "secret");
    // The last-file mode has nothing recorded, but the command line wins.
    fx.m_profile.WriteProfileInt("Settings", "2", 3 + 8);
    fx.m_profile.WriteProfileString("Path", "4", strPath);
    fx.m_prompts.TypeCheckKey("secret");
    fx.Frame().ActivateFrame(true);
    QVERIFY(fx.m_prompts.Messages().empty());
    QVERIFY(fx.m_pDoc->HasKey());
    QCOMPARE(fx.m_pDoc->Session().GetPathName(), strPath);
    QVERIFY(fx.m_pDoc->Session().IsOpen());
    QCOMPARE(fx.m_recent.GetCount(), 1);
    QVERIFY(!fx.Frame().IsLocked());
    QCOMPARE(fx.Frame().Tray().IconId(), 240);
    QVERIFY(fx.m_vecFailures.empty());
    QCOMPARE(fx.m_prompts.UnusedAnswers(), std::string());
}

void CMainFrameTest::startupFileAtLogonSkipsKeyAndLocks() {
    CFrameFixture fx;
    const std::string strPath = fx.WriteKeyedFile("Home.pwd", "secret");
    fx.m_profile.WriteProfileString("Path", "4", strPath);
    fx.m_profile.WriteProfileInt("Start", "Auto", 1);
    fx.Frame().ActivateFrame(true);
    // No Check Key at logon: the KEY is asked when the user comes back, and
    // until then nothing of the file is held.
    QVERIFY(fx.m_prompts.Calls().empty());
    QVERIFY(fx.m_pDoc->Session().IsUnloaded());
    QVERIFY(!fx.m_pDoc->HasKey() && fx.m_pDoc->Records().empty());
    QVERIFY(!fx.m_pDoc->Session().IsSkippingKeyCheck());
    QCOMPARE(fx.Frame().Mode(), EInterface::trayMain);
    QVERIFY(fx.Frame().IsLocked());
    QCOMPARE(fx.Frame().Tray().IconId(), 358);
    QVERIFY(!fx.Frame().isVisible());

    fx.m_prompts.TypeCheckKey("secret");
    fx.Frame().Tray().OnTrayNotification(QSystemTrayIcon::DoubleClick);
    QVERIFY(fx.Frame().isVisible());
    QVERIFY(!fx.Frame().IsLocked());
    QVERIFY(fx.m_pDoc->HasKey());
    QCOMPARE(fx.Frame().Tray().IconId(), 240);
    QCOMPARE(fx.Frame().Tray().DefaultCommand(), ID_TRAY_LOCK);
    QVERIFY(fx.m_vecFailures.empty());
}

void CMainFrameTest::closeButton_data() {
    QTest::addColumn<int>("nExit2Min");
    QTest::addColumn<bool>("bKey");
    QTest::addColumn<bool>("bClosed");
    QTest::addColumn<bool>("bLocked");
    QTest::newRow("exit") << 0 << true << true << false;
    QTest::newRow("hide") << 1 << true << false << false;
    QTest::newRow("hide and lock") << 2 << true << false << true;
    QTest::newRow("hide, nothing to lock") << 2 << false << false << false;
}

void CMainFrameTest::closeButton() {
    QFETCH(int, nExit2Min);
    QFETCH(bool, bKey);
    QFETCH(bool, bClosed);
    QFETCH(bool, bLocked);
    CFrameFixture fx;
    fx.m_profile.WriteProfileInt("Settings", "Exit2Min", unsigned(nExit2Min));
    fx.Frame().ActivateFrame(true);
    if (bKey)
        fx.GiveKey();
    fx.Frame().close();
    QCOMPARE(fx.Frame().IsClosed(), bClosed);
    QVERIFY(!fx.Frame().isVisible());
    if (!bClosed) {
        QCOMPARE(fx.Frame().Mode(), EInterface::trayMain);
        QCOMPARE(fx.Frame().Tray().DefaultCommand(), ID_TRAY_MAINWINDOW);
    }
    QCOMPARE(fx.Frame().IsLocked(), bLocked);
    QCOMPARE(fx.Frame().Tray().IconId(), bLocked ? 358 : 240);
}

void CMainFrameTest::exitCommandsEndWhateverExit2Min() {
    for (const int nCommand : {ID_APP_EXIT, ID_TRAY_EXIT}) {
        CFrameFixture fx;
        fx.m_profile.WriteProfileInt("Settings", "Exit2Min", 1);
        fx.Frame().ActivateFrame(true);
        bool bQuit = false;
        QObject::connect(&fx.Frame(), &CMainFrame::Closed, [&]() { bQuit = true; });
        fx.Frame().RunCommand(nCommand);
        QVERIFY(fx.Frame().IsClosed());
        QVERIFY(bQuit);
    }
    // A modified file asks first; Cancel keeps the program running.
    CFrameFixture fx;
    fx.Frame().ActivateFrame(true);
    fx.GiveKey();
    fx.m_pDoc->SetModifiedFlag(true);
    fx.m_prompts.AnswerMessage(EMsgAnswer::cancel);
    fx.Frame().RunCommand(ID_APP_EXIT);
    QVERIFY(!fx.Frame().IsClosed());
    QVERIFY(fx.Frame().isVisible());
    QCOMPARE(fx.m_prompts.Messages().size(), 1u);
    QVERIFY(fx.m_vecFailures.empty());
}

void CMainFrameTest::minimiseGoesToTray() {
    for (const int nMin2Lock : {0, 1}) {
        CFrameFixture fx;
        fx.m_profile.WriteProfileInt("Settings", "Min2Lock", unsigned(nMin2Lock));
        fx.Frame().ActivateFrame(true);
        fx.GiveKey();
        fx.Frame().showMinimized();
        QTRY_COMPARE(fx.Frame().Mode(), EInterface::trayMain);
        QVERIFY(!fx.Frame().isVisible());
        QCOMPARE(fx.Frame().IsLocked(), nMin2Lock == 1);
        QCOMPARE(fx.Frame().Tray().IconId(), nMin2Lock ? 358 : 240);
        QVERIFY(!fx.Frame().IsClosed());
        // Hidden, it stays so: nothing shows it again behind its back.
        QTest::qWait(50);
        QVERIFY(!fx.Frame().isVisible());
        // The tray's Main Window brings it back, no longer minimised.
        if (nMin2Lock)
            fx.m_prompts.TypeCheckKey("secret");
        fx.Frame().RunCommand(ID_TRAY_MAINWINDOW);
        QVERIFY(fx.Frame().isVisible());
        QVERIFY(!fx.Frame().isMinimized());
        QCOMPARE(fx.Frame().Mode(), EInterface::main);
    }
}

void CMainFrameTest::withoutTrayHidingMinimisesToTheTaskbar() {
    // Close, minimise and lock: each would hide the window with no icon to
    // bring it back, so each leaves it minimised in the taskbar instead.
    for (const int nWay : {0, 1, 2}) {
        CFrameFixture fx;
        fx.m_bTray = false;
        fx.m_profile.WriteProfileInt("Settings", "Exit2Min", 2);
        fx.m_profile.WriteProfileInt("Settings", "Min2Lock", 1);
        CMainFrame& frame = fx.Frame();
        frame.ActivateFrame(true);
        frame.SetView(new QWidget);
        fx.GiveKey("secret");
        if (nWay == 0)
            frame.close();
        else if (nWay == 1)
            frame.showMinimized();
        else
            frame.RunCommand(ID_TOOLS_LOCK);
        QTRY_COMPARE(frame.Mode(), EInterface::trayMain);
        QCoreApplication::processEvents();
        QVERIFY(frame.isVisible());
        QVERIFY(frame.isMinimized());
        QVERIFY(frame.IsLocked());
        QVERIFY(!frame.IsClosed());
        // The file stays out of sight while locked, its name too.
        QVERIFY(frame.View()->isHidden());
        QCOMPARE(frame.windowTitle(), QStringLiteral("Keyhaven"));

        // The taskbar button brings it back through the KEY; a refusal
        // minimises it again.
        const auto checkKeys = [&fx]() {
            return std::count_if(
                fx.m_prompts.Calls().begin(), fx.m_prompts.Calls().end(),
                [](const SPromptCall& call) { return call.m_eKind == EPromptKind::checkKey; });
        };
        fx.m_prompts.CancelCheckKey();
        frame.showNormal();
        QTRY_VERIFY(frame.isMinimized());
        QCOMPARE(frame.Mode(), EInterface::trayMain);
        QVERIFY(frame.View()->isHidden());
        QTest::qWait(CMainFrame::REFUSAL_ECHO_MS + 100);
        QVERIFY(frame.isMinimized());
        QCOMPARE(checkKeys(), 1);

        // A second start raises it whatever its state, asking the KEY too.
        fx.m_prompts.TypeCheckKey("secret");
        frame.RaiseFromSecondStart();
        QCOMPARE(frame.Mode(), EInterface::main);
        QVERIFY(!frame.isMinimized());
        QVERIFY(frame.isVisible());
        QVERIFY(!frame.View()->isHidden());
        QVERIFY(!frame.IsLocked());
        QVERIFY(frame.windowTitle().endsWith(QStringLiteral(" - Keyhaven")));
        QCoreApplication::processEvents();
        QCOMPARE(checkKeys(), 2);
        QVERIFY(fx.m_vecFailures.empty());
    }
}

void CMainFrameTest::windowHiddenInAVanishingTrayReturnsToTheTaskbar() {
    CFrameFixture fx;
    CMainFrame& frame = fx.Frame();
    frame.ActivateFrame(true);
    frame.HideToTray(false);
    QVERIFY(!frame.isVisible());
    fx.m_bTray = false;
    QTRY_VERIFY_WITH_TIMEOUT(frame.isVisible(), 3 * CSystemTray::PENDING_POLL_MS);
    QVERIFY(frame.isMinimized());
    QCOMPARE(frame.Mode(), EInterface::trayMain);
    frame.showNormal();
    QTRY_COMPARE(frame.Mode(), EInterface::main);
    QVERIFY(!frame.isMinimized());
}

void CMainFrameTest::clipboardEmptiedOnlyForText() {
    QClipboard* pClipboard = QGuiApplication::clipboard();
    {
        CFrameFixture fx;
        fx.m_profile.WriteProfileInt("Settings", "Exit2Min", 1);
        fx.Frame().ActivateFrame(true);
        pClipboard->setText("hunter2");
        fx.Frame().close();
        QVERIFY(!ClipboardHas(false));
    }
    {
        CFrameFixture fx;
        fx.m_profile.WriteProfileInt("Settings", "Exit2Min", 1);
        fx.Frame().ActivateFrame(true);
        QImage image(4, 4, QImage::Format_RGB32);
        image.fill(Qt::red);
        pClipboard->setImage(image);
        fx.Frame().close();
        QVERIFY(ClipboardHas(true));
        // And at exit.
        pClipboard->setText("hunter2");
        fx.Frame().Exit();
        QVERIFY(fx.Frame().IsClosed());
        QVERIFY(!ClipboardHas(false));
    }
}

void CMainFrameTest::searchBarToggleFocusesAndEmpties() {
    CFrameFixture fx;
    CMainFrame& frame = fx.Frame();
    frame.ActivateFrame(true);
    frame.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    int nResets = 0;
    connect(&frame, &CMainFrame::SearchReset, [&]() { ++nResets; });
    CSearchBar* pBar = frame.SearchBar();
    pBar->Edit()->setText("old text");

    QTest::keyClick(&frame, Qt::Key_F, Qt::ControlModifier);
    QVERIFY(pBar->isVisible());
    QCOMPARE(frame.Settings().Values().m_bShowSearchBar, 1);
    QVERIFY(pBar->Edit()->text().isEmpty());
    QTRY_VERIFY(pBar->Edit()->hasFocus());
    QVERIFY(frame.Action(ID_VIEW_SEARCHBAR)->isChecked());

    QTest::keyClicks(pBar->Edit(), "bank");
    QCOMPARE(frame.GetSearchText(), QString("bank"));
    QTest::mouseClick(pBar->HideButton(), Qt::LeftButton);
    QVERIFY(!pBar->isVisible());
    QCOMPARE(frame.Settings().Values().m_bShowSearchBar, 0);
    QCOMPARE(nResets, 2);

    // Hidden in the tray, the toggle does nothing.
    frame.HideToTray(false);
    frame.Commands().ExecuteUnchecked(ID_VIEW_SEARCHBAR);
    QCOMPARE(frame.Settings().Values().m_bShowSearchBar, 0);
}

// No window may stay above the others on Wayland: both items are disabled
// and say why, pressing them changes nothing, and the stored choice is kept.
void CMainFrameTest::onWaylandAlwaysOnTopIsOffAndSaysWhy() {
    CWindowSystem::SetWaylandProbe([]() { return true; });
    const auto restore = qScopeGuard([]() { CWindowSystem::SetWaylandProbe({}); });
    CFrameFixture fx;
    fx.m_profile.Set(EIntSetting::onTop, 1);
    CMainFrame& frame = fx.Frame();
    frame.ActivateFrame(true);
    frame.UpdateCommandUI();
    for (const int nId : {ID_VIEW_ONTOP, IDM_ONTOP}) {
        QVERIFY2(!frame.Action(nId)->isEnabled(), qPrintable(QString::number(nId)));
        QVERIFY(!frame.Action(nId)->isChecked());
        QCOMPARE(frame.Action(nId)->toolTip(), QString::fromUtf8(IDS_ONTOP_UNAVAILABLE));
    }
    frame.Commands().ExecuteUnchecked(ID_VIEW_ONTOP);
    frame.Commands().ExecuteUnchecked(IDM_ONTOP);
    QVERIFY(!(frame.windowFlags() & Qt::WindowStaysOnTopHint));
    frame.OnDestroy();
    QCOMPARE(fx.m_profile.Get(EIntSetting::onTop), 1u);
}

void CMainFrameTest::onTopOnlyInMainWindow() {
    CFrameFixture fx;
    CMainFrame& frame = fx.Frame();
    frame.ActivateFrame(true);
    frame.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    const QIcon iconOff = frame.Action(IDM_ONTOP)->icon();
    QTest::keyClick(&frame, Qt::Key_F3);
    QCOMPARE(frame.Settings().Values().m_bOnTop, 1);
    QVERIFY(frame.windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(frame.isVisible());
    QVERIFY(frame.Action(IDM_ONTOP)->isChecked());
    QVERIFY(frame.Action(IDM_ONTOP)->icon().cacheKey() != iconOff.cacheKey());

    // The pin toggles it back.
    auto* pPin = qobject_cast<QToolButton*>(frame.menuBar()->cornerWidget(Qt::TopRightCorner));
    pPin->click();
    QCOMPARE(frame.Settings().Values().m_bOnTop, 0);
    QVERIFY(!(frame.windowFlags() & Qt::WindowStaysOnTopHint));

    frame.HideToTray(false);
    frame.Commands().ExecuteUnchecked(ID_VIEW_ONTOP);
    frame.Commands().ExecuteUnchecked(IDM_ONTOP);
    QCOMPARE(frame.Settings().Values().m_bOnTop, 0);
    QVERIFY(!frame.isVisible());
}

void CMainFrameTest::restoreAsksForKeyWhenLocked() {
    CFrameFixture fx;
    CMainFrame& frame = fx.Frame();
    frame.ActivateFrame(true);
    MakeKeyedDoc(*fx.m_pDoc, "secret", {}, "Work.pwd");
    frame.RunCommand(ID_TOOLS_LOCK);
    QVERIFY(frame.IsLocked());
    QVERIFY(!frame.isVisible());

    fx.m_prompts.CancelCheckKey();
    frame.RunCommand(ID_TRAY_MAINWINDOW);
    QVERIFY(!frame.isVisible());
    QVERIFY(frame.IsLocked());
    QCOMPARE(frame.Tray().IconId(), 358);
    QCOMPARE(frame.Tray().DefaultCommand(), ID_TRAY_MAINWINDOW);
    QCOMPARE(fx.m_prompts.Calls().back().m_strDetail, std::string("KEY for:  Work.pwd"));

    fx.m_prompts.TypeCheckKey("wrong");
    fx.m_prompts.TypeCheckKey("secret");
    frame.RunCommand(ID_TRAY_MAINWINDOW);
    QVERIFY(frame.isVisible());
    QCOMPARE(frame.Mode(), EInterface::main);
    QVERIFY(!frame.IsLocked());
    QCOMPARE(frame.Tray().IconId(), 240);
    QVERIFY(fx.m_vecFailures.empty());
}

void CMainFrameTest::restoreAsksForTheWholeKeyOfADatabaseKeptInMemory() {
    // The format outlives the document, whose session asks it to the end.
    CKdbxDatabaseFormat format;
    format.SetNewDatabaseCost(std::uint64_t(1) << 20, 1);
    CFrameFixture fx;
    fx.m_pDoc->SetDatabaseFormat(&format);
    fx.m_prompts.m_pCodePage = &CCodePage::Utf8();
    const std::string strFolder = fx.m_dir.path().toStdString();
    const std::string strKeyFile = strFolder + "/vault.keyx";
    const std::string strPath = strFolder + "/Vault.kdbx";
    CDatabaseKey key = CDatabaseKey::OfPassword("pw");
    key.SetKeyFile("the key file's bytes");
    std::list<CPasswordInfo> records;
    std::string strBytes;
    QVERIFY(format.NewDatabase("Vault")->Write(records, key, strBytes).bWritten);
    QCOMPARE(WriteFileAtomic(strPath, strBytes), EFileError::none);
    QCOMPARE(WriteFileAtomic(strKeyFile, "the key file's bytes"), EFileError::none);

    CMainFrame& frame = fx.Frame();
    frame.ActivateFrame(true);
    fx.m_prompts.AnswerDatabaseKey({"pw", false, strKeyFile});
    QVERIFY(fx.m_pDoc->Session().OpenDocumentFile(strPath));
    // Not saved: the database stays in memory over the lock.
    fx.m_pDoc->Session().OnContentChanged();
    frame.RunCommand(ID_TOOLS_LOCK);
    QVERIFY(frame.IsLocked());
    QVERIFY(!fx.m_pDoc->Session().IsUnloaded());

    // The password without the key file is refused; Cancel stays locked.
    fx.m_prompts.ClearRecord();
    fx.m_prompts.AnswerDatabaseKey({"pw", false, ""});
    fx.m_prompts.CancelDatabaseKey();
    frame.RunCommand(ID_TRAY_MAINWINDOW);
    QVERIFY(frame.IsLocked());
    QVERIFY(!frame.isVisible());
    QCOMPARE(fx.m_prompts.MessageTexts(), std::vector<std::string>{IDS_KEY_INVALID});
    const SPromptCall& asked = fx.m_prompts.Calls().front();
    QCOMPARE(asked.m_eKind, EPromptKind::databaseKey);
    QCOMPARE(int(asked.m_eDatabaseKey), int(EDatabaseKeyKind::unlock));
    QCOMPARE(asked.m_file.m_strInitialName, strKeyFile);

    fx.m_prompts.AnswerDatabaseKey({"pw", false, strKeyFile});
    frame.RunCommand(ID_TRAY_MAINWINDOW);
    QVERIFY(!frame.IsLocked());
    QVERIFY(frame.isVisible());
    QVERIFY(fx.m_pDoc->IsModified());
    QVERIFY(fx.m_vecFailures.empty());
}

void CMainFrameTest::unlockPromptShowsTheFileNameAsItIs() {
    CFrameFixture fx;
    CMainFrame& frame = fx.Frame();
    frame.ActivateFrame(true);
    // A file system name, not a stored text: no code-page conversion.
    MakeKeyedDoc(*fx.m_pDoc, "secret", {}, "Cl\xC3\xA9s.pwd");
    frame.RunCommand(ID_TOOLS_LOCK);
    fx.m_prompts.TypeCheckKey("secret");
    frame.RunCommand(ID_TRAY_MAINWINDOW);
    QVERIFY(frame.isVisible());
    QCOMPARE(fx.m_prompts.Calls().back().m_strDetail, std::string("KEY for:  Cl\xC3\xA9s.pwd"));
}

void CMainFrameTest::recentMenuShowsPathsAsTheyAre() {
    CFrameFixture fx;
    fx.m_recent.Add("/tmp/Tom & Jerry/Cl\xC3\xA9s.pwd");
    fx.m_recent.Add("/tmp/plain.pwd");
    CMainFrame& frame = fx.Frame();
    frame.ActivateFrame(true);
    // The entries carry their paths before the menu ever opens (assistive
    // tools read them from the closed menu).
    QCOMPARE(frame.Action(ID_FILE_MRU_FILE1)->text(), QString("&1 /tmp/plain.pwd"));
    // The "&" is doubled so that it shows instead of underlining a letter.
    QCOMPARE(frame.Action(ID_FILE_MRU_FILE2)->text(),
             QString::fromUtf8("&2 /tmp/Tom && Jerry/Cl\xC3\xA9s.pwd"));
    QVERIFY(frame.Action(ID_FILE_MRU_FILE2)->isVisible());
    QVERIFY(!frame.Action(ID_FILE_MRU_FILE3)->isVisible());
}

void CMainFrameTest::trayClickRunsDefaultOncePerDoubleClick() {
    CFrameFixture fx;
    CMainFrame& frame = fx.Frame();
    frame.ActivateFrame(true);
    fx.GiveKey("secret");
    // Past the double-click time, the next click is a gesture of its own.
    const auto nextGesture = []() {
        QTest::qWait(QGuiApplication::styleHints()->mouseDoubleClickInterval() + 50);
    };
    // A double click as the X11 tray reports it: press, press, double click.
    const auto doubleClick = [&frame]() {
        for (const auto eReason :
             {QSystemTrayIcon::Trigger, QSystemTrayIcon::Trigger, QSystemTrayIcon::DoubleClick})
            frame.Tray().OnTrayNotification(eReason);
    };
    // The default "Lock" while the window is shown; the rest of the double
    // click does not ask for the KEY to come back.
    doubleClick();
    QVERIFY(!frame.isVisible());
    QVERIFY(frame.IsLocked());
    QCOMPARE(frame.Tray().DefaultCommand(), ID_TRAY_MAINWINDOW);
    QVERIFY(fx.m_prompts.Calls().empty());
    // The menu marks the default in bold.
    frame.Tray().UpdateMenu();
    for (QAction* pAction : frame.Tray().Menu()->actions())
        if (!pAction->isSeparator())
            QCOMPARE(pAction->font().bold(),
                     pAction->property("commandId").toInt() == ID_TRAY_MAINWINDOW);

    // One click comes back through the KEY, asked once; the rest of a double
    // click does not lock again what it brought back.
    nextGesture();
    fx.m_prompts.TypeCheckKey("secret");
    doubleClick();
    QVERIFY(frame.isVisible());
    QVERIFY(!frame.IsLocked());
    QCOMPARE(fx.m_prompts.Calls().size(), 1u);

    // The click runs its command even while a rule would disable it.
    nextGesture();
    frame.Tray().OnTrayNotification(QSystemTrayIcon::Trigger);
    QVERIFY(frame.IsLocked());
    QDialog dlg;
    dlg.setModal(true);
    dlg.show();
    QTRY_VERIFY(QApplication::activeModalWidget() == &dlg);
    nextGesture();
    fx.m_prompts.TypeCheckKey("secret");
    frame.Tray().OnTrayNotification(QSystemTrayIcon::Trigger);
    QVERIFY(frame.isVisible());
    dlg.hide();
    // The menu's button and the middle button run nothing.
    nextGesture();
    frame.Tray().OnTrayNotification(QSystemTrayIcon::Context);
    frame.Tray().OnTrayNotification(QSystemTrayIcon::MiddleClick);
    QVERIFY(!frame.IsLocked());
    QVERIFY(fx.m_vecFailures.empty());
}

void CMainFrameTest::firstLockSaysOnceWhereTheProgramWent() {
    const QStringList once{
        QStringLiteral("Keyhaven is locked. Click its icon in the tray to come back.")};
    CFrameFixture fx;
    fx.m_profile.WriteProfileInt("Settings", "Exit2Min", 1);
    // Without a tray the window waits in the task bar, and says nothing.
    fx.m_bTray = false;
    CMainFrame& frame = fx.Frame();
    frame.ActivateFrame(true);
    fx.GiveKey("secret");
    frame.RunCommand(ID_TOOLS_LOCK);
    QTRY_VERIFY(frame.isMinimized());
    QVERIFY(frame.Tray().Messages().isEmpty());
    fx.m_prompts.TypeCheckKey("secret");
    frame.RestoreMainWindow();
    QVERIFY(!frame.IsLocked());
    // Hidden without a lock: nothing to say yet.
    fx.m_bTray = true;
    QTRY_VERIFY(frame.Tray().IsShown());
    frame.close();
    QCOMPARE(frame.Mode(), EInterface::trayMain);
    QVERIFY(frame.Tray().Messages().isEmpty());
    frame.RestoreMainWindow();
    // The first lock into the tray says it, whichever way it locks; the
    // next ones do not.
    frame.RunCommand(ID_TOOLS_LOCK);
    QCOMPARE(frame.Tray().Messages(), once);
    fx.m_prompts.TypeCheckKey("secret");
    frame.RestoreMainWindow();
    QVERIFY(frame.isVisible());
    frame.LockInterface();
    QVERIFY(frame.IsLocked());
    QCOMPARE(frame.Tray().Messages(), once);
    QVERIFY(fx.m_vecFailures.empty());
}

void CMainFrameTest::clearRecentOnExit() {
    for (const bool bClear : {false, true}) {
        CFrameFixture fx;
        fx.m_recent.Add("/a.pwd");
        fx.m_recent.Add("/b.pwd");
        fx.Frame().ActivateFrame(true);
        if (bClear)
            fx.Frame().RunCommand(ID_RECENT_CLEAR);
        QCOMPARE(fx.Frame().Action(ID_RECENT_CLEAR)->isChecked(), bClear);
        fx.Frame().Exit();
        QCOMPARE(fx.m_recent.GetCount(), bClear ? 0 : 2);
        QCOMPARE(fx.m_profile.GetProfileInt("Settings", "1", 99), bClear ? 4u : 0u);
    }
}

void CMainFrameTest::dialogsWithoutParentCarryTheProgramsIcon() {
    CFrameFixture fx;
    CMainFrame& frame = fx.Frame();
    frame.ActivateFrame(true);
    frame.HideToTray(false);
    // What the prompts show while the window is hidden has no parent.
    QDialog dialog;
    QVERIFY(!dialog.windowIcon().isNull());
    QCOMPARE(dialog.windowIcon().cacheKey(), frame.windowIcon().cacheKey());
}

void CMainFrameTest::sharedMenuLetterRunsTheItemFoundFromTheBottom() {
    CFrameFixture fx;
    CMainFrame& frame = fx.Frame();
    frame.ActivateFrame(true);
    frame.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    auto* pFile = frame.findChild<QMenu*>(QStringLiteral("menuFile"));
    auto* pRecent = frame.findChild<QMenu*>(QStringLiteral("menuRecent"));
    QVERIFY(pFile && pRecent);

    // A translation may give two items one letter: with "Proper&ties" beside
    // "Recen&t", searched from the bottom, the Recent submenu is found first
    // and opens at once.
    QAction* pProperties = nullptr;
    for (QAction* pAction : pFile->actions())
        if (pAction->text().contains(QStringLiteral("roperties")))
            pProperties = pAction;
    QVERIFY(pProperties);
    pProperties->setText(QStringLiteral("Proper&ties"));
    pFile->popup(QPoint(0, 0));
    QTRY_VERIFY(pFile->isVisible());
    QTest::keyClick(pFile, Qt::Key_T);
    QTRY_VERIFY(pRecent->isVisible());
    pRecent->close();
    pFile->close();

    // A letter of one item only is the menu's own business: Alt+F, X exits.
    pFile->popup(QPoint(0, 0));
    QTRY_VERIFY(pFile->isVisible());
    QTest::keyClick(pFile, Qt::Key_X);
    QTRY_VERIFY(fx.Frame().IsClosed());
}

void CMainFrameTest::captionNamesTheFileAndItsChanges() {
    CFrameFixture fx;
    QCOMPARE(fx.Frame().windowTitle(), QString("Keyhaven"));
    const std::string strPath = fx.WriteKeyedFile("Named.pwd", "k");
    fx.m_profile.WriteProfileString("Path", "4", strPath);
    fx.m_prompts.TypeCheckKey("k");
    fx.Frame().ActivateFrame(true);
    QCOMPARE(fx.m_pDoc->Session().GetPathName(), strPath);
    QCOMPARE(fx.Frame().windowTitle(), QString("Named - Keyhaven"));
    fx.m_pDoc->SetModifiedFlag(true);
    fx.Frame().UpdateCommandUI();
    QCOMPARE(fx.Frame().windowTitle(), QString("Named* - Keyhaven"));
}

void CMainFrameTest::frameSettingsWrittenAtExit() {
    CFrameFixture fx;
    fx.m_profile.WriteProfileInt("Settings", "1", 0x94);
    fx.m_profile.WriteProfileInt("Settings", "Exit2Min", 2);
    fx.m_profile.WriteProfileString("Settings", "Begin", "7");
    fx.Frame();
    QCOMPARE(fx.Frame().Settings().Values().m_bClearRecent, 1);
    QCOMPARE(fx.Frame().Settings().Values().m_nLockChoice, 2);
    QCOMPARE(fx.Frame().Settings().Values().m_nExitChoice, 2);
    QCOMPARE(fx.Frame().Settings().Values().m_generator.m_strBegin, std::string("7"));
    fx.Frame().Settings().Change([&](SShellSettings& values) {
        values.m_nLockChoice = 3;
        values.m_nMin2Lock = 1;
    });
    fx.Frame().ActivateFrame(true);
    fx.Frame().Exit();
    QCOMPARE(fx.m_profile.GetProfileInt("Settings", "1", 0), unsigned(4 + 3 * 8 + 2 * 64));
    QCOMPARE(fx.m_profile.GetProfileInt("Settings", "Min2Lock", 0), 1u);
    QCOMPARE(fx.m_profile.GetProfileInt("Settings", "Exit2Min", 0), 2u);
    QCOMPARE(fx.m_profile.GetProfileString("Settings", "Begin", ""), std::string("7"));
    // Never set: the strong default of new settings.
    QCOMPARE(fx.m_profile.GetProfileInt("Settings", "Generate", 0), 47u);
    QCOMPARE(fx.m_profile.GetProfileInt("Window size", "search", 9), 0u);
}

QTEST_MAIN(CMainFrameTest)
#include "MainFrameTest.moc"
