// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/MainFrame.h"

#include "core/base/CommandIds.h"
#include "core/base/OptionsData.h"
#include "core/base/Profile.h"
#include "core/base/Prompts.h"
#include "core/base/SettingsSchema.h"
#include "core/base/StringTable.h"
#include "core/base/TextUtil.h"
#include "core/link/LinkCommand.h"
#include "core/shell/AutoExitRule.h"
#include "core/shell/HotKeyBinding.h"
#include "core/shell/PlacementFit.h"
#include "core/shell/StartupFile.h"
#include "core/store/CodePage.h"
#include "core/store/CofferDoc.h"
#include "core/store/ConvertOffer.h"
#include "core/store/FileIO.h"
#include "core/store/FileSession.h"
#include "core/store/RecentFileList.h"
#include "gui/model/DocNotifier.h"
#include "gui/settings/Settings.h"
#include "gui/shell/AboutDlg.h"
#include "gui/shell/ClipboardStatus.h"
#include "gui/shell/HelpWindow.h"
#include "gui/shell/LockTimers.h"
#include "gui/shell/MenuCharFilter.h"
#include "gui/shell/PasswordBarDlg.h"
#include "gui/shell/SearchBar.h"
#include "gui/shell/SystemTray.h"
#include "gui/shell/TextFieldKeys.h"
#include "platform/AutostartEntry.h"
#include "platform/Clipboard.h"
#include "platform/DesktopLinkOpener.h"
#include "platform/GlobalHotKey.h"
#include "platform/PortalHotKey.h"
#include "platform/QtPrintDevice.h"
#include "platform/SessionLockWatcher.h"
#include "platform/Translations.h"
#include "platform/WindowSystem.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStatusBar>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>
#include <QWindowStateChangeEvent>

#include <algorithm>

namespace {

QString Text(const char* pszText) {
    return TrText(pszText);
}

// The part of a command prompt shown in the status bar, and the tool tip.
QString PromptPart(int nId, bool bToolTip) {
    const QString strPrompt = Text(FindCommandText(COMMAND_PROMPTS, nId));
    const qsizetype nBreak = strPrompt.indexOf('\n');
    if (bToolTip)
        return nBreak < 0 ? QString() : strPrompt.mid(nBreak + 1);
    return nBreak < 0 ? strPrompt : strPrompt.left(nBreak);
}

QIcon CommandIcon(int nId) {
    const QString strPath = QStringLiteral(":/icons/cmd-%1.svg").arg(nId);
    return QFile::exists(strPath) ? QIcon(strPath) : QIcon();
}

QIcon NumberedIcon(int nId) {
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(nId));
}

// The checkable commands of the menus; their check marks follow the update
// functions, never the click alone.
bool IsCheckCommand(int nId) {
    switch (nId) {
    case ID_VIEW_TOOLBAR:
    case ID_VIEW_STATUS_BAR:
    case ID_VIEW_SEARCHBAR:
    case ID_VIEW_ONTOP:
    case IDM_ONTOP:
    case ID_TOOLS_MASK:
    case ID_RECENT_ADDHERE:
    case ID_RECENT_CLEAR:
        return true;
    default:
        return false;
    }
}

QList<QKeySequence> Accelerators(int nId) {
    switch (nId) {
    case ID_ACCOUNT_ADD:
        return {QKeySequence(Qt::CTRL | Qt::Key_A)};
    case ID_ITEM_DELETE:
        return {QKeySequence(Qt::CTRL | Qt::Key_D)};
    case ID_ITEM_EDIT:
        return {QKeySequence(Qt::CTRL | Qt::Key_E)};
    case ID_VIEW_SEARCHBAR:
        return {QKeySequence(Qt::CTRL | Qt::Key_F)};
    case ID_GROUP_ADD:
        return {QKeySequence(Qt::CTRL | Qt::Key_G)};
    case ID_FILE_NEW:
        return {QKeySequence(Qt::CTRL | Qt::Key_N)};
    case ID_FILE_OPEN:
        return {QKeySequence(Qt::CTRL | Qt::Key_O)};
    case ID_FILE_SAVE:
        return {QKeySequence(Qt::CTRL | Qt::Key_S)};
    case ID_EDIT_COPY_PASSWORD:
        return {QKeySequence(Qt::CTRL | Qt::Key_C)};
    case ID_EDIT_COPY_USERNAME:
        return {QKeySequence(Qt::CTRL | Qt::Key_B)};
    case ID_EDIT_COPY:
        // Ctrl+C copies the selected account's password; a text field takes
        // its own copy keys first anyway.
        return {QKeySequence(Qt::CTRL | Qt::Key_Insert)};
    case ID_EDIT_PASTE:
        return {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)};
    case ID_EDIT_CUT:
        return {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)};
    case ID_EDIT_UNDO:
        return {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)};
    case ID_HELP_CONTENTS:
        return {QKeySequence(Qt::Key_F1)};
    case ID_VIEW_PASSWORDBAR:
        return {QKeySequence(Qt::Key_F2)};
    case ID_VIEW_ONTOP:
        return {QKeySequence(Qt::Key_F3)};
    case ID_NEXT_PANE:
        return {QKeySequence(Qt::Key_F6)};
    case ID_PREV_PANE:
        return {QKeySequence(Qt::SHIFT | Qt::Key_F6)};
    default:
        return {};
    }
}

// Long enough to read a long path after the save dialog has closed.
constexpr int EXPORT_WRITTEN_SHOWN_MS = 15000;

// The commands of the accelerator table that no menu shows.
constexpr int ACCELERATOR_ONLY[] = {ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_CUT,
                                    ID_EDIT_UNDO, ID_NEXT_PANE,  ID_PREV_PANE};

void EmptyClipboardIfText() {
    CClipboard::EmptyIfText();
}

// The edit key commands act on the focused text field.
template <class Fn> bool ForFocusedEdit(Fn fn) {
    QWidget* pFocus = QApplication::focusWidget();
    if (auto* pLine = qobject_cast<QLineEdit*>(pFocus))
        return fn(pLine), true;
    if (auto* pText = qobject_cast<QTextEdit*>(pFocus))
        return fn(pText), true;
    if (auto* pPlain = qobject_cast<QPlainTextEdit*>(pFocus))
        return fn(pPlain), true;
    return false;
}

} // namespace

CMainFrame::CMainFrame(CProfile& profile, CPrompts& prompts, CFileSession& session,
                       CSettings& settings, QWidget* pParent)
    : QMainWindow(pParent), m_profile(profile), m_prompts(prompts), m_session(session),
      m_doc(session.Doc()), m_settings(settings), m_fileCommands(session, prompts),
      m_exportCommand(session, prompts) {
    m_bCanStayOnTop = !CWindowSystem::IsWayland();
    setObjectName(QStringLiteral("MainFrame"));
    setAccessibleName(Text(IDS_APP_TITLE));
    UpdateFrameTitle();
    setWindowIcon(NumberedIcon(IDR_MAINFRAME));
    // Dialogs shown while this window is hidden (the Check Key on the way out
    // of the tray, its messages) have no parent to take the icon from.
    QApplication::setWindowIcon(windowIcon());
    // The bars are switched from the View menu only.
    setContextMenuPolicy(Qt::NoContextMenu);
    m_session.SetPrompts(&m_prompts);
    m_session.SetMainWindowShown(IsMainInterface());

    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    CreatePin();
    ExplainOnTopUnavailable();
    CreateHotKeyGrabber();
    CreateTray();
    CreateSearchBar();
    CreateConvertBar();
    RegisterFrameCommands();
    RegisterDocumentCommands();
    RegisterFileViewCommands();

    auto* pSlot = new QWidget(this);
    pSlot->setObjectName(QStringLiteral("ViewSlot"));
    setCentralWidget(pSlot);

    // What the commands' states depend on besides the document (followed
    // through its notices) and the view (which asks itself).
    m_interface.SetOnChange([this]() { RequestCommandUpdate(); });
    connect(qApp, &QApplication::focusChanged, this, &CMainFrame::RequestCommandUpdate);
    // A window manager that maximises the window may send the new size
    // before the new state, so a size is taken for the normal one only once
    // the window has kept it, in the normal state, for a moment.
    m_timerNormal.setSingleShot(true);
    m_timerNormal.setInterval(NORMAL_SETTLE_MS);
    connect(&m_timerNormal, &QTimer::timeout, this, &CMainFrame::NoteNormalGeometry);

    m_pLockTimers = std::make_unique<CLockTimers>([this]() { return IsLockHeldBack(); });
    connect(m_pLockTimers.get(), &CLockTimers::IdleLockDue, this, &CMainFrame::OnAutoLock);
    connect(m_pLockTimers.get(), &CLockTimers::IdleExitDue, this, &CMainFrame::OnAutoExit);
    // The setting may have been switched off in the dialog the lock waited for.
    connect(m_pLockTimers.get(), &CLockTimers::DesktopLockDue, this, [this]() {
        if (!m_bDestroyed && Values().m_bLockOnScreenLock)
            LockInterface();
    });
    qApp->installEventFilter(this);
    RestartIdleTimers();
    m_pHotKey = std::make_unique<CHotKeyBinding>(m_pHotKeyGrabber.get());
    m_pLockWatcher = std::make_unique<CSessionLockWatcher>();
    connect(m_pLockWatcher.get(), &CSessionLockWatcher::LockRequested, this,
            &CMainFrame::OnDesktopLock);
    // A copied password goes after the delay set at the moment of the copy.
    CClipboard::SetClearDelay([this]() { return Values().m_nClipboardClearSec; });
    // The status bar counts down how long the password stays there.
    m_pClipboardStatus = std::make_unique<CClipboardStatus>(*statusBar());
    CClipboard::SetPasswordWatch([this](CClipboard::EPassword eState, unsigned nSeconds) {
        m_pClipboardStatus->OnPassword(eState, nSeconds);
    });
    // The check marks follow the settings, whichever part changed them.
    connect(&m_settings, &CSettings::Changed, this, &CMainFrame::RequestCommandUpdate);
    UpdateCommandUI();
}

CMainFrame::~CMainFrame() {
    m_pLockTimers.reset();
    qApp->removeEventFilter(this);
    // Focus moves while the base window's destructor hides the widgets, after
    // this frame's part is gone: the frame must not hear of it then.
    disconnect(qApp, nullptr, this, nullptr);
    CClipboard::SetClearDelay({});
    CClipboard::SetPasswordWatch({});
    // The grab goes before the grabber that holds it.
    m_pHotKey.reset();
    if (!m_bDestroyed)
        OnDestroy();
    // The view takes its commands back from this frame when it goes, so it
    // goes while the frame's members still exist, not with the base widget.
    delete takeCentralWidget();
    m_pView = nullptr;
}

// --- settings ---

const SShellSettings& CMainFrame::Values() const {
    return m_settings.Values();
}

void CMainFrame::SaveSettings() {
    Values().Save(m_profile);
    m_profile.WriteProfileString(BarStateSection(), BAR_STATE_VALUE,
                                 saveState().toBase64().toStdString());
}

std::string CMainFrame::BarStateSection() {
    return std::string(PROFILE_BAR_STATE) + "-Summary";
}

// --- actions, menus and bars ---

QAction* CMainFrame::NewAction(int nId) {
    auto* pAction = new QAction(Text(FindCommandText(COMMAND_MENU_TEXTS, nId)), this);
    pAction->setObjectName(QStringLiteral("cmd%1").arg(nId));
    pAction->setProperty("commandId", nId);
    pAction->setStatusTip(PromptPart(nId, false));
    pAction->setToolTip(PromptPart(nId, true));
    pAction->setIcon(CommandIcon(nId));
    pAction->setShortcuts(Accelerators(nId));
    pAction->setCheckable(IsCheckCommand(nId));
    connect(pAction, &QAction::triggered, this, [this, nId]() { RunCommand(nId); });
    m_mapActions[nId] = pAction;
    return pAction;
}

void CMainFrame::CreateActions() {
    for (const CCommandText& entry : COMMAND_MENU_TEXTS) {
        switch (entry.nId) {
        case ID_TRAY_MAINWINDOW:
        case ID_TRAY_PASSWORDBAR:
        case ID_TRAY_LOCK:
        case ID_TRAY_EXIT:
            continue; // the tray menu makes its own
        default:
            NewAction(entry.nId);
        }
    }
    // The always-on-top item of the pin carries no key: F3 belongs to the
    // View menu's item.
    Action(IDM_ONTOP)->setShortcuts({});
    for (const int nId : ACCELERATOR_ONLY) {
        QAction* pAction = NewAction(nId);
        addAction(pAction);
    }
    for (int nId = ID_FILE_MRU_FILE1; nId <= ID_FILE_MRU_FILE4; ++nId)
        NewAction(nId);
}

QAction* CMainFrame::Action(int nId) const {
    const auto it = m_mapActions.find(nId);
    return it == m_mapActions.end() ? nullptr : it->second;
}

QMenu* CMainFrame::NewMenu(const char* pszText, const char* pszName, QWidget* pParent) {
    auto* pMenu = new QMenu(Text(pszText), pParent);
    pMenu->setObjectName(QString::fromLatin1(pszName));
    if (!m_pMenuChar)
        m_pMenuChar = new CMenuCharFilter(this);
    m_pMenuChar->Attach(pMenu);
    // The states are brought up to date right before a menu opens.
    connect(pMenu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUI);
    return pMenu;
}

void CMainFrame::CreateMenus() {
    QMenuBar* pBar = menuBar();
    pBar->setObjectName(QStringLiteral("MenuBar"));
    const auto add = [this](QMenu* pMenu, std::initializer_list<int> ids) {
        for (const int nId : ids) {
            if (nId == 0)
                pMenu->addSeparator();
            else
                pMenu->addAction(Action(nId));
        }
    };

    QMenu* pFile = NewMenu(IDS_MENU_FILE, "menuFile", pBar);
    add(pFile, {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_CLOSE, ID_FILE_SAVE, ID_FILE_SAVE_AS, 0,
                ID_FILE_PRINT, ID_FILE_IMPORT, ID_FILE_EXPORT, 0, ID_FILE_PROPERTY, 0});
    m_pRecentMenu = NewMenu(IDS_MENU_RECENT, "menuRecent", pFile);
    connect(m_pRecentMenu, &QMenu::aboutToShow, this, &CMainFrame::UpdateRecentMenu);
    add(m_pRecentMenu, {ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE2, ID_FILE_MRU_FILE3, ID_FILE_MRU_FILE4,
                        0, ID_RECENT_ADDHERE, ID_RECENT_CLEAR});
    pFile->addMenu(m_pRecentMenu);
    pFile->addSeparator();
    add(pFile, {ID_APP_EXIT});
    pBar->addMenu(pFile);

    QMenu* pEdit = NewMenu(IDS_MENU_EDIT, "menuEdit", pBar);
    add(pEdit, {ID_ACCOUNT_ADD, ID_GROUP_ADD, 0, ID_ITEM_EDIT, ID_ITEM_DELETE, 0,
                ID_EDIT_COPY_PASSWORD, ID_EDIT_COPY_USERNAME, ID_EDIT_COPY_NAME});
    pBar->addMenu(pEdit);

    QMenu* pView = NewMenu(IDS_MENU_VIEW, "menuView", pBar);
    add(pView, {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, ID_VIEW_SEARCHBAR, 0, ID_VIEW_PASSWORDBAR,
                ID_VIEW_ONTOP});
    pBar->addMenu(pView);

    QMenu* pTools = NewMenu(IDS_MENU_TOOLS, "menuTools", pBar);
    add(pTools, {ID_TOOLS_CHANGEKEY, ID_TOOLS_MASK, ID_TOOLS_HEALTH, 0, ID_TOOLS_LOCK, 0,
                 ID_TOOLS_OPTIONS});
    pBar->addMenu(pTools);

    QMenu* pHelp = NewMenu(IDS_MENU_HELP, "menuHelp", pBar);
    add(pHelp, {ID_HELP_CONTENTS, 0, ID_HELP_WEBSITE, ID_HELP_SUPPORT, 0, ID_APP_ABOUT});
    pBar->addMenu(pHelp);

    // Its title names the drop-down for screen readers.
    m_pDropdownMenu = NewMenu(KH_TEXT("Keyhaven", "Add"), "ToolBarDropdown", this);
    m_pDropdownMenu->setProperty("controlId", IDR_TOOLBAR_DROPDOWN);
    add(m_pDropdownMenu, {ID_ACCOUNT_ADD, ID_GROUP_ADD});
}

void CMainFrame::CreateToolBar() {
    m_pToolBar = new QToolBar(TrText(KH_TEXT("Keyhaven", "Toolbar")), this);
    m_pToolBar->setObjectName(QStringLiteral("ToolBar"));
    m_pToolBar->setProperty("controlId", ID_VIEW_TOOLBAR);
    m_pToolBar->setMovable(false);
    m_pToolBar->setIconSize(QSize(16, 16));
    m_pToolBar->toggleViewAction()->setVisible(false);
    for (const int nId :
         {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, 0, ID_ACCOUNT_ADD, ID_ITEM_EDIT, ID_ITEM_DELETE,
          0, ID_TOOLS_OPTIONS, 0, ID_VIEW_PASSWORDBAR, 0, ID_TOOLS_LOCK}) {
        if (nId == 0) {
            m_pToolBar->addSeparator();
            continue;
        }
        QAction* pAction = Action(nId);
        m_pToolBar->addAction(pAction);
        QWidget* pButton = m_pToolBar->widgetForAction(pAction);
        pButton->setObjectName(QStringLiteral("tool%1").arg(nId));
        pButton->setAccessibleName(pAction->toolTip());
    }
    auto* pAdd = qobject_cast<QToolButton*>(m_pToolBar->widgetForAction(Action(ID_ACCOUNT_ADD)));
    pAdd->setMenu(m_pDropdownMenu);
    pAdd->setPopupMode(QToolButton::MenuButtonPopup);
    addToolBar(Qt::TopToolBarArea, m_pToolBar);
}

void CMainFrame::CreateStatusBar() {
    QStatusBar* pStatus = statusBar();
    pStatus->setObjectName(QStringLiteral("StatusBar"));
    pStatus->setProperty("controlId", ID_VIEW_STATUS_BAR);
    const auto pane = [pStatus](const char* pszText, const char* pszName, int nId) {
        auto* pLabel = new QLabel(Text(pszText), pStatus);
        pLabel->setObjectName(QString::fromLatin1(pszName));
        pLabel->setProperty("controlId", nId);
        return pLabel;
    };
    m_pPanePrompt = pane(IDS_READY, "PanePrompt", ID_SEPARATOR);
    m_pPaneGroups = pane(IDS_INDICATOR_GROUPS, "PaneGroups", ID_INDICATOR_GROUPS);
    m_pPaneAccounts = pane(IDS_INDICATOR_ACCOUNTS, "PaneAccounts", ID_INDICATOR_ACCOUNTS);
    m_pPaneGroups->setMinimumWidth(86);
    m_pPaneAccounts->setMinimumWidth(72);
    // Command prompts cover the "Ready" pane while an item is highlighted.
    pStatus->addWidget(m_pPanePrompt, 1);
    pStatus->addPermanentWidget(m_pPaneGroups);
    pStatus->addPermanentWidget(m_pPaneAccounts);
}

void CMainFrame::CreateSearchBar() {
    m_pSearchBar = new CSearchBar(m_commands, this);
    m_pSearchBar->toggleViewAction()->setVisible(false);
    addToolBarBreak(Qt::TopToolBarArea);
    addToolBar(Qt::TopToolBarArea, m_pSearchBar);
    m_pSearchBar->hide();
}

void CMainFrame::CreateConvertBar() {
    m_pConvertBar = new QToolBar(Text(IDS_CONVERT_BAR_TITLE), this);
    m_pConvertBar->setObjectName(QStringLiteral("ConvertBar"));
    m_pConvertBar->setAccessibleName(Text(IDS_CONVERT_BAR_TITLE));
    m_pConvertBar->setMovable(false);
    m_pConvertBar->setFloatable(false);
    m_pConvertBar->toggleViewAction()->setVisible(false);
    auto* pText = new QLabel(Text(IDS_CONVERT_BAR_TEXT), m_pConvertBar);
    pText->setObjectName(QStringLiteral("ConvertText"));
    pText->setWordWrap(true);
    pText->setContentsMargins(6, 0, 6, 0);
    m_pConvertBar->addWidget(pText);
    QAction* pConvert = m_pConvertBar->addAction(Text(IDS_CONVERT_BAR_SAVE));
    m_pConvertBar->widgetForAction(pConvert)->setObjectName(QStringLiteral("ConvertSave"));
    QAction* pLater = m_pConvertBar->addAction(Text(IDS_CONVERT_BAR_LATER));
    m_pConvertBar->widgetForAction(pLater)->setObjectName(QStringLiteral("ConvertLater"));
    // The conversion follows Save As's rules: a new KEY, then the offer to
    // remove the old file.
    connect(pConvert, &QAction::triggered, this, [this]() {
        if (m_session.OnConvertToSealed())
            m_pConvertBar->hide();
        UpdateCommandUI();
    });
    connect(pLater, &QAction::triggered, m_pConvertBar, &QWidget::hide);
    addToolBarBreak(Qt::TopToolBarArea);
    addToolBar(Qt::TopToolBarArea, m_pConvertBar);
    m_pConvertBar->hide();
}

void CMainFrame::OfferConversion() {
    const std::string& strPath = m_session.GetPathName();
    if (!m_session.IsOpen() || !m_doc.HasKey() || !HasPwdExtension(strPath)) {
        m_strConvertPath.clear();
        m_pConvertBar->hide();
        return;
    }
    // The views and the path name both announce a file; the second notice
    // of the same one leaves the bar as the first left it.
    if (strPath == m_strConvertPath)
        return;
    m_strConvertPath = strPath;
    m_pConvertBar->setVisible(CConvertOffer(m_profile).TakeOffer(strPath));
}

void CMainFrame::CreatePin() {
    m_pPin = new QToolButton(menuBar());
    m_pPin->setObjectName(QStringLiteral("CaptionPin"));
    m_pPin->setDefaultAction(Action(IDM_ONTOP));
    m_pPin->setAutoRaise(true);
    m_pPin->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_pPin->setAccessibleName(TrText(KH_TEXT("Keyhaven", "Always on Top")));
    menuBar()->setCornerWidget(m_pPin, Qt::TopRightCorner);
    UpdatePin();
}

void CMainFrame::ExplainOnTopUnavailable() {
    if (m_bCanStayOnTop)
        return;
    // Disabled, the item and the pin say why rather than doing nothing.
    for (const int nId : {ID_VIEW_ONTOP, IDM_ONTOP}) {
        QAction* pAction = Action(nId);
        pAction->setToolTip(Text(IDS_ONTOP_UNAVAILABLE));
        pAction->setStatusTip(Text(IDS_ONTOP_UNAVAILABLE));
        for (QObject* pOwner : pAction->associatedObjects()) {
            if (auto* pMenu = qobject_cast<QMenu*>(pOwner))
                pMenu->setToolTipsVisible(true);
        }
    }
}

void CMainFrame::UpdatePin() {
    const bool bOnTop = m_bCanStayOnTop && Values().m_bOnTop != 0;
    Action(IDM_ONTOP)->setIcon(NumberedIcon(bOnTop ? IDB_PIN_ON : IDB_PIN_OFF));
    Action(IDM_ONTOP)->setChecked(bOnTop);
}

void CMainFrame::CreateHotKeyGrabber() {
    // Wayland lets no program grab keys: the desktop portal binds the key
    // there; elsewhere the X server grabs it.
    if (CWindowSystem::IsWayland()) {
        auto pPortal = std::make_unique<CPortalHotKey>();
        connect(pPortal.get(), &CPortalHotKey::Activated, this, &CMainFrame::OnHotKey);
        m_pHotKeyGrabber = std::move(pPortal);
        m_bHotKeyAvailable = CPortalHotKey::IsAvailable();
    } else {
        auto pX11 = std::make_unique<CGlobalHotKey>();
        connect(pX11.get(), &CGlobalHotKey::Activated, this, &CMainFrame::OnHotKey);
        m_pHotKeyGrabber = std::move(pX11);
        m_bHotKeyAvailable = CGlobalHotKey::IsAvailable();
    }
}

void CMainFrame::CreateTray() {
    m_pTray = std::make_unique<CSystemTray>(m_commands, this);
    // A desktop without a tray leaves the icon pending; the program runs on.
    m_pTray->Create(Text(IDS_APP_TITLE), IDR_MAINFRAME, IDR_TRAY, false);
    m_pTray->SetIcon(IDI_TRAY);
    m_pTray->SetMenuDefaultItem(ID_TRAY_LOCK, false);
    connect(m_pTray.get(), &CSystemTray::Lost, this, &CMainFrame::OnTrayLost);
    if (Values().m_bHideTray && m_bHotKeyAvailable)
        m_pTray->HideIcon();
}

bool CMainFrame::RunCommand(int nId) {
    const bool bRan = m_commands.Execute(nId);
    // The window may have closed for good inside the command.
    if (!m_bDestroyed)
        UpdateCommandUI();
    return bRan;
}

void CMainFrame::SetTrayDefault(int nCommand) {
    m_pTray->SetMenuDefaultItem(nCommand, false);
}

void CMainFrame::RequestCommandUpdate() {
    if (m_bUpdatePosted || m_bDestroyed)
        return;
    m_bUpdatePosted = true;
    QMetaObject::invokeMethod(
        this,
        [this]() {
            m_bUpdatePosted = false;
            if (!m_bDestroyed)
                UpdateCommandUI();
        },
        Qt::QueuedConnection);
}

void CMainFrame::Follow(CDocNotifier& notifier) {
    for (const auto pSignal :
         {&CDocNotifier::InitialUpdate, &CDocNotifier::Emptied, &CDocNotifier::UpdateAllViews,
          &CDocNotifier::PathNameChanged, &CDocNotifier::RecentFileListChanged})
        connect(&notifier, pSignal, this, &CMainFrame::RequestCommandUpdate);
    connect(&notifier, &CDocNotifier::RecordsChanged, this, &CMainFrame::RequestCommandUpdate);
    connect(&notifier, &CDocNotifier::ModifiedChanged, this, &CMainFrame::RequestCommandUpdate);
}

void CMainFrame::UpdateCommandUI() {
    // A D-Bus tray host draws the menu from the states it was last sent and
    // need not ask before a click: they follow every change, not the menu's
    // opening only.
    m_pTray->UpdateMenu();
    for (const auto& [nId, pAction] : m_mapActions) {
        const CCmdUI ui = m_commands.Update(nId);
        pAction->setEnabled(ui.bEnabled);
        if (ui.nCheck >= 0)
            pAction->setChecked(ui.nCheck == 1);
        else if (pAction->isCheckable())
            pAction->setChecked(false);
    }
    const CCmdUI groups = m_commands.Update(ID_INDICATOR_GROUPS);
    if (groups.bHasText)
        m_pPaneGroups->setText(QString::fromStdString(groups.strText));
    const CCmdUI accounts = m_commands.Update(ID_INDICATOR_ACCOUNTS);
    if (accounts.bHasText)
        m_pPaneAccounts->setText(QString::fromStdString(accounts.strText));
    m_pSearchBar->UpdateButtons();
    UpdateFrameTitle();
    emit CommandUIUpdated();
}

void CMainFrame::UpdateFrameTitle() {
    QString strTitle = Text(IDS_APP_TITLE);
    // A locked window left in the taskbar names nothing of the file.
    if (HasKey() && !IsLocked()) {
        // The label is the file name's (UTF-8), as the tree's file item shows it.
        std::string strLabel = FileLabel(m_doc.FileName());
        if (strLabel.empty())
            strLabel = FileLabel(m_session.GetTitle());
        strTitle =
            QString::fromStdString(strLabel + (m_doc.IsModified() ? "*" : "") + " - ") + strTitle;
    }
    setWindowTitle(strTitle);
}

void CMainFrame::UpdateRecentMenu() {
    const CRecentFileList* pList = m_session.GetRecentFileList();
    const int nCount = pList ? pList->GetCount() : 0;
    for (int i = 0; i < RECENT_FILE_COUNT; ++i) {
        QAction* pAction = Action(ID_FILE_MRU_FILE1 + i);
        if (i < nCount) {
            // Paths are the file system's names, not stored texts; an "&"
            // in one is shown as itself, not as a mnemonic.
            QString strPath = QString::fromStdString((*pList)[i]);
            strPath.replace(QLatin1Char('&'), QStringLiteral("&&"));
            pAction->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(strPath));
            pAction->setVisible(true);
        } else {
            // An empty list still shows one greyed line.
            pAction->setText(Text(IDS_RECENT_EMPTY));
            pAction->setVisible(i == 0);
        }
    }
    UpdateCommandUI();
}

void CMainFrame::ApplyBarFlags() {
    m_pToolBar->setVisible(Values().m_bShowToolBar != 0);
    statusBar()->setVisible(Values().m_bShowStatusBar != 0);
    m_pSearchBar->setVisible(Values().m_bShowSearchBar != 0);
    emit BarsChanged();
}

void CMainFrame::SetView(QWidget* pView) {
    m_pView = pView;
    setCentralWidget(pView);
}

QString CMainFrame::GetSearchText() const {
    return m_pSearchBar->SearchText();
}

CViewHost::SFindRequest CMainFrame::FindRequest() const {
    return {GetSearchText(), {m_pSearchBar->IsMatchCase(), m_pSearchBar->IsMatchWholeWord()}};
}

void CMainFrame::FocusSearch() {
    m_pSearchBar->Edit()->setFocus(Qt::OtherFocusReason);
}

bool CMainFrame::HasKey() const {
    return m_doc.HasKey();
}

bool CMainFrame::IsModalOpen() const {
    return QApplication::activeModalWidget() != nullptr;
}

bool CMainFrame::IsLockHeldBack() const {
    if (!IsModalOpen())
        return false;
    if (!m_prompts.IsLockStoppableWorkRunning())
        return true;
    // That work's busy box is one modal window; it goes with the work. A
    // question above or below it still holds the lock back.
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::count_if(windows.begin(), windows.end(), [](const QWidget* pWindow) {
               return pWindow->isVisible() && pWindow->isModal();
           }) > 1;
}

// --- commands of the document ---

void CMainFrame::RegisterDocumentCommands() {
    const auto query = [this](CCmdUI& ui) {
        bool bEnabled = false;
        bool bChecked = false;
        if (m_session.QueryCommand(ui.nId, bEnabled, bChecked)) {
            ui.Enable(bEnabled);
            if (bChecked || ui.nId == ID_RECENT_ADDHERE)
                ui.SetCheck(bChecked);
        }
    };
    m_commands.Register(
        ID_FILE_NEW, [this]() { m_session.OnFileNew(); }, query);
    m_commands.Register(
        ID_FILE_OPEN,
        [this]() {
            if (IsMainInterface())
                m_session.OnFileOpen();
        },
        [](CCmdUI& ui) { ui.Enable(); });
    m_commands.Register(
        ID_FILE_CLOSE, [this]() { m_session.OnFileClose(); }, query);
    m_commands.Register(
        ID_FILE_SAVE, [this]() { m_session.OnFileSave(); }, query);
    m_commands.Register(
        ID_FILE_SAVE_AS, [this]() { m_session.OnFileSaveAs(); }, query);
    m_commands.Register(
        ID_TOOLS_CHANGEKEY, [this]() { m_session.OnChangeKey(); }, query);
    m_commands.Register(
        ID_RECENT_ADDHERE, [this]() { m_session.OnRecentAddHere(); }, query);
    for (int i = 0; i < RECENT_FILE_COUNT; ++i) {
        m_commands.Register(
            ID_FILE_MRU_FILE1 + i, [this, i]() { m_session.OnOpenRecentFile(i); },
            [this, i](CCmdUI& ui) {
                const CRecentFileList* pList = m_session.GetRecentFileList();
                ui.Enable(pList && i < pList->GetCount());
            });
    }
}

void CMainFrame::RegisterFileViewCommands() {
    m_commands.Register(
        ID_FILE_EXPORT, [this]() { m_exportCommand.OnFileExport(); },
        [this](CCmdUI& ui) { ui.Enable(m_exportCommand.IsEnabled()); });
    // Where the export went stays in the status bar for a while; with the
    // bar hidden it is said in a message instead, so it is never unsaid.
    m_exportCommand.SetWrittenHandler([this](const std::string& strText) {
        if (Values().m_bShowStatusBar)
            statusBar()->showMessage(QString::fromStdString(strText), EXPORT_WRITTEN_SHOWN_MS);
        else
            m_prompts.MessageBox(strText, EMsgIcon::information);
    });
    m_commands.Register(
        ID_FILE_PRINT,
        [this]() {
            CQtPrintDevice device;
            m_fileCommands.OnFilePrint(device);
        },
        [this](CCmdUI& ui) { ui.Enable(m_fileCommands.IsPrintEnabled()); });
    m_commands.Register(
        ID_FILE_PROPERTY, [this]() { m_fileCommands.OnFileProperty(); },
        [this](CCmdUI& ui) { ui.Enable(m_session.IsPropertiesEnabled()); });
    // The file item's context menu always offers it; a file that is not on
    // disk is reported by the command.
    m_commands.Register(ID_FILE_PROPERTY_CONTEXT, [this]() { m_fileCommands.OnFileProperty(); });
}

// --- commands of the frame ---

void CMainFrame::RegisterFrameCommands() {
    const auto always = [](CCmdUI& ui) { ui.Enable(); };
    const auto noModal = [this](CCmdUI& ui) { ui.Enable(!IsModalOpen()); };

    m_commands.Register(ID_APP_EXIT, [this]() { Exit(); });
    m_commands.Register(
        ID_TOOLS_OPTIONS, [this]() { OpenOptions(OPTIONS_PAGE_START); }, noModal);
    m_commands.Register(
        ID_VIEW_TOOLBAR,
        [this]() {
            m_settings.Change(
                [](SShellSettings& values) { values.m_bShowToolBar = !values.m_bShowToolBar; });
            ApplyBarFlags();
        },
        [this](CCmdUI& ui) {
            ui.Enable();
            ui.SetCheck(Values().m_bShowToolBar != 0);
        });
    m_commands.Register(
        ID_VIEW_STATUS_BAR,
        [this]() {
            m_settings.Change(
                [](SShellSettings& values) { values.m_bShowStatusBar = !values.m_bShowStatusBar; });
            ApplyBarFlags();
        },
        [this](CCmdUI& ui) {
            ui.Enable();
            ui.SetCheck(Values().m_bShowStatusBar != 0);
        });
    m_commands.Register(
        ID_VIEW_SEARCHBAR, [this]() { OnViewSearchBar(); },
        [this](CCmdUI& ui) {
            ui.Enable();
            ui.SetCheck(Values().m_bShowSearchBar != 0);
        });
    const auto onTopCheck = [this](CCmdUI& ui) {
        ui.Enable(m_bCanStayOnTop);
        ui.SetCheck(m_bCanStayOnTop && Values().m_bOnTop != 0);
    };
    m_commands.Register(
        ID_VIEW_ONTOP, [this]() { OnViewOnTop(); }, onTopCheck);
    m_commands.Register(
        IDM_ONTOP, [this]() { OnViewOnTop(); }, onTopCheck);
    m_commands.Register(
        ID_TOOLS_LOCK, [this]() { Handle(EInterfaceEvent::lockCommand); },
        [this](CCmdUI& ui) { ui.Enable(HasKey()); });
    m_commands.Register(
        ID_RECENT_CLEAR,
        [this]() {
            m_settings.Change(
                [](SShellSettings& values) { values.m_bClearRecent = !values.m_bClearRecent; });
        },
        [this](CCmdUI& ui) {
            ui.Enable();
            ui.SetCheck(Values().m_bClearRecent != 0);
        });
    m_commands.Register(
        ID_HELP_CONTENTS, [this]() { ShowHelp(); }, always);
    m_commands.Register(
        ID_APP_ABOUT, [this]() { ShowAbout(); }, always);
    m_commands.Register(ID_HELP_WEBSITE, [this]() { OpenWebLink(IDS_PRODUCT_WEBSITE); });
    m_commands.Register(ID_HELP_SUPPORT,
                        [this]() { OpenWebLink(std::string("mailto:") + IDS_SUPPORT_ADDRESS); });

    // The tray menu.
    m_commands.Register(
        ID_TRAY_MAINWINDOW, [this]() { RestoreMainWindow(); }, noModal);
    m_commands.Register(
        ID_TRAY_LOCK, [this]() { Handle(EInterfaceEvent::trayLock); },
        [this](CCmdUI& ui) { ui.Enable(!IsModalOpen() && HasKey()); });
    m_commands.Register(
        ID_TRAY_EXIT, [this]() { Handle(EInterfaceEvent::trayExit); }, noModal);

    // The edit keys reach the focused text field.
    const auto editUpdate = [](CCmdUI& ui) { ui.Enable(ForFocusedEdit([](auto*) {})); };
    m_commands.Register(
        ID_EDIT_COPY, []() { ForFocusedEdit([](auto* p) { p->copy(); }); }, editUpdate);
    m_commands.Register(
        ID_EDIT_CUT, []() { ForFocusedEdit([](auto* p) { p->cut(); }); }, editUpdate);
    m_commands.Register(
        ID_EDIT_PASTE, []() { ForFocusedEdit([](auto* p) { p->paste(); }); }, editUpdate);
    m_commands.Register(
        ID_EDIT_UNDO, []() { ForFocusedEdit([](auto* p) { p->undo(); }); }, editUpdate);
}

void CMainFrame::OnViewSearchBar() {
    if (!IsMainInterface())
        return;
    const bool bShow = !Values().m_bShowSearchBar;
    if (bShow)
        m_pSearchBar->Edit()->clear();
    m_settings.Change([bShow](SShellSettings& values) { values.m_bShowSearchBar = bShow ? 1 : 0; });
    m_pSearchBar->setVisible(bShow);
    if (bShow)
        m_pSearchBar->Edit()->setFocus(Qt::ShortcutFocusReason);
    emit SearchReset();
    emit BarsChanged();
}

void CMainFrame::OnViewOnTop() {
    if (!IsMainInterface() || !m_bCanStayOnTop)
        return;
    m_settings.Change([](SShellSettings& values) { values.m_bOnTop = !values.m_bOnTop; });
    ApplyOnTop();
    UpdatePin();
}

void CMainFrame::ApplyOnTop() {
    // The stored choice stays for a desktop that honours it.
    if (!m_bCanStayOnTop)
        return;
    const Qt::WindowFlags flags = Values().m_bOnTop ? windowFlags() | Qt::WindowStaysOnTopHint
                                                    : windowFlags() & ~Qt::WindowStaysOnTopHint;
    // QWidget::setWindowFlags re-creates the native window, which the window
    // manager then places anew (a frame's height lower on each round). The
    // native window takes the new z-order in place; the widget only records it.
    overrideWindowFlags(flags);
    if (QWindow* pWindow = windowHandle())
        pWindow->setFlags(flags);
}

// --- start-up ---

void CMainFrame::ActivateFrame(bool bShow) {
    if (!m_bFirstActivate) {
        if (bShow)
            show();
        return;
    }
    m_bFirstActivate = false;
    // A combination taken by another program fails silently; the tray stays
    // the way back.
    (void)SetHotKey(Values().m_wHotKey, Values().m_wHotKeyFlags);
    const bool bAuto = m_profile.Get(EIntSetting::startedAuto) != 0;
    // The Password Bar cannot be the first interface until it exists.
    const bool bStartBar = Values().m_nStartBar != 0 && HasPasswordBar();
    if (bStartBar || bAuto)
        RestoreWindowPlacement(false);
    m_session.SetSkipKeyCheck(bAuto);
    UpdateRecentMenu();

    // The first interface is the interface state's choice.
    m_interface.Start(bAuto, bStartBar);
    if (bStartBar && !bAuto) {
        ShowPasswordBar(m_interface.Mode());
    } else {
        SetMode(m_interface.Mode());
        if (!bAuto)
            RestoreWindowPlacement(bShow);
    }

    // The bar opens the file itself when it is the interface shown, so its
    // KEY check is the bar's own.
    OpenStartupFile(bStartBar && !bAuto);
    if (bAuto && HasKey()) {
        m_pTray->SetIcon(IDI_TRAY_LOCKED);
        // Locked from the start: the file waits on disk for its KEY.
        UnloadForLock();
    }
    // A desktop without a tray would leave nothing to come back with: the
    // start waits minimised in the taskbar instead, as locked as in the tray.
    if (bAuto && !m_pTray->IsShown())
        MinimizeToTaskbar();
    m_session.SetSkipKeyCheck(false);
    UpdateCommandUI();
}

void CMainFrame::SetMode(EInterface eMode) {
    m_interface.Enter(eMode);
    m_session.SetMainWindowShown(eMode == EInterface::main);
    // The tray's default item is the way back, or the lock while shown.
    if (eMode == EInterface::trayMain)
        SetTrayDefault(ID_TRAY_MAINWINDOW);
    else if (eMode == EInterface::trayBar)
        SetTrayDefault(ID_TRAY_PASSWORDBAR);
    else
        SetTrayDefault(ID_TRAY_LOCK);
}

SInterfaceFacts CMainFrame::Facts() const {
    return {HasKey(), m_pPasswordBar != nullptr, Values().m_nExit2Min, Values().m_nMin2Lock};
}

void CMainFrame::Handle(EInterfaceEvent eEvent) {
    Carry(m_interface.Decide(eEvent, Facts()));
}

void CMainFrame::Carry(const SInterfaceStep& step) {
    switch (step.eAction) {
    case EInterfaceAction::none:
        return;
    case EInterfaceAction::raiseMain:
        ShowFrame();
        return;
    case EInterfaceAction::raiseBar:
        m_pPasswordBar->raise();
        m_pPasswordBar->activateWindow();
        return;
    case EInterfaceAction::mainToBar:
        SaveWindowPlacement();
        ShowPasswordBar(step.eNext);
        return;
    case EInterfaceAction::barToMain:
        m_pPasswordBar->hide();
        SetMode(step.eNext);
        ShowFrame();
        return;
    case EInterfaceAction::mainToTray:
        HideToTray(step);
        return;
    case EInterfaceAction::barToTray:
        HideBarToTray(step);
        return;
    case EInterfaceAction::unlockToMain:
    case EInterfaceAction::unlockToBar:
        ComeBack(step.eNext);
        return;
    case EInterfaceAction::barLocks:
        m_pPasswordBar->Lock();
        return;
    case EInterfaceAction::barHandsOver:
        m_pPasswordBar->OnMainWindow();
        return;
    case EInterfaceAction::exit:
        Exit();
        return;
    case EInterfaceAction::exitFromBar:
        ExitFromBar();
        return;
    }
}

void CMainFrame::ComeBack(EInterface eNext) {
    // The Check Key prompt runs its own event loop, in which the window's
    // return from the taskbar would ask a second time.
    m_interface.SetRestoring(true);
    const bool bFromTaskbar = eNext == EInterface::main && isVisible();
    if (bFromTaskbar)
        ShowFrame();
    if (!CheckKeyToComeBack()) {
        if (bFromTaskbar) {
            MinimizeToTaskbar();
            m_timeRefused.start();
        }
        m_interface.SetRestoring(false);
        return;
    }
    if (eNext == EInterface::bar) {
        m_interface.SetRestoring(false);
        if (centralWidget())
            centralWidget()->show();
        ShowPasswordBar(eNext);
        return;
    }
    if (m_pPasswordBar)
        m_pPasswordBar->hide();
    if (centralWidget())
        centralWidget()->show();
    SetMode(eNext);
    ShowFrame();
    m_interface.SetRestoring(false);
}

bool CMainFrame::IsStartHidden() const {
    return !IsMainInterface();
}

void CMainFrame::OpenStartupFile(bool bThroughBar) {
    const CStartupFileChoice choice = ChooseStartupFile(
        m_profile, [](const std::string& strPath) { return FileExists(strPath); });
    if (choice.m_pszMessage) {
        m_prompts.MessageBox(choice.m_pszMessage, EMsgIcon::exclamation);
        return;
    }
    if (choice.m_strPath.empty())
        return;
    if (bThroughBar) {
        m_pPasswordBar->OpenFile(choice.m_strPath);
        return;
    }
    m_session.OpenReplacing(choice.m_strPath);
}

// --- placement ---

void CMainFrame::SaveWindowPlacement() {
    const bool bMaxed = isMaximized() || (isMinimized() && m_bMaxBeforeMin);
    QRect rect = geometry();
    if (isMaximized() || isMinimized() || isFullScreen())
        rect = m_rectNormal.isValid() ? m_rectNormal : normalGeometry();
    m_settings.Change([&](SShellSettings& values) {
        if (rect.isValid())
            values.m_strWindowRect = FormatPlacementRect(
                rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height());
        values.m_bMaxed = bMaxed ? 1 : 0;
    });
}

void CMainFrame::RestoreWindowPlacement(bool bShow) {
    const std::string strRect = Values().m_strWindowRect;
    const std::string strState = m_profile.GetProfileString(BarStateSection(), BAR_STATE_VALUE, "");
    if (!strState.empty())
        restoreState(QByteArray::fromBase64(QByteArray::fromStdString(strState)));
    ApplyBarFlags();
    const bool bMaxed = Values().m_bMaxed == 1;

    CLayoutRect saved;
    if (ParsePlacementRect(strRect, saved.left, saved.top, saved.right, saved.bottom)) {
        const QRect area =
            (screen() ? screen() : QGuiApplication::primaryScreen())->availableVirtualGeometry();
        const CLayoutRect available{area.left(), area.top(), area.left() + area.width(),
                                    area.top() + area.height()};
        auto fitted = FitPlacement(saved, available);
        // A rectangle that cannot be placed gives way to the first-run one.
        if (!fitted && ParsePlacementRect(SettingEntry(ETextSetting::windowRect)->m_pszDefault,
                                          saved.left, saved.top, saved.right, saved.bottom))
            fitted = FitPlacement(saved, available);
        if (fitted)
            setGeometry(fitted->left, fitted->top, fitted->Width(), fitted->Height());
    }
    m_rectNormal = geometry();
    // Shown at its normal size first, the window tells the window manager the
    // size to restore to; a window that appears maximised has none.
    if (bShow)
        show();
    if (bMaxed)
        setWindowState(windowState() | Qt::WindowMaximized);
    if (m_profile.Get(EIntSetting::onTop) == 1) {
        if (m_bCanStayOnTop)
            OnViewOnTop();
        else
            // kept, and written back, for a desktop that honours it
            m_settings.Change([](SShellSettings& values) { values.m_bOnTop = 1; });
    }
}

// --- hiding, locking and coming back ---

void CMainFrame::HideToTray(bool bLock) {
    Handle(bLock ? EInterfaceEvent::lockCommand : EInterfaceEvent::mainHide);
}

void CMainFrame::HideToTray(const SInterfaceStep& step) {
    EmptyClipboardIfText();
    SetMode(step.eNext);
    const bool bLocking = m_interface.Hide(step.eNext, step.bLock, HasKey());
    if (bLocking)
        m_pTray->SetIcon(IDI_TRAY_LOCKED);
    if (m_pTray->IsShown())
        hide();
    else
        MinimizeToTaskbar();
    if (bLocking) {
        ExplainLock();
        UnloadForLock();
    }
}

void CMainFrame::UnloadForLock() {
    // An import must not end in a document that has let go of its records:
    // it is stopped, and says so once the lock is done.
    m_prompts.StopWorkForLock();
    emit DocumentUnloading();
    if (m_pPasswordBar)
        m_pPasswordBar->ResetBar();
    m_session.UnloadForLock();
}

void CMainFrame::ExplainLock() {
    // Locked, the program leaves no window and no task bar button, and a
    // user new to it would think it ended. Without a tray the window waits
    // in the task bar, which shows where it is by itself.
    if (!m_bLockExplained)
        m_bLockExplained = m_pTray->ShowMessage(Text(IDS_APP_TITLE), Text(IDS_LOCKED_IN_TRAY));
}

void CMainFrame::MinimizeToTaskbar() {
    // Without a tray icon nothing would bring a hidden window back, so the
    // window stays in the taskbar. A locked window shows none of the file
    // until the KEY is typed again.
    if (IsLocked() && centralWidget())
        centralWidget()->hide();
    UpdateFrameTitle();
    if (!isVisible() || !isMinimized())
        showMinimized();
}

void CMainFrame::OnTrayLost() {
    if (IsHiddenMode() && !isVisible() && !m_bDestroyed)
        MinimizeToTaskbar();
}

void CMainFrame::Lock() {
    HideToTray(true);
}

void CMainFrame::RestoreMainWindow() {
    Handle(EInterfaceEvent::trayMainWindow);
}

bool CMainFrame::CheckKeyToComeBack() {
    switch (m_interface.UnlockCheck(m_session.IsUnloaded(), HasKey())) {
    case EUnlockCheck::reloadFile:
        // The file is read again under its KEY, which the reading asks for.
        if (!m_session.ReloadAfterLock())
            return false;
        emit DocumentReloaded();
        m_pTray->SetIcon(IDI_TRAY);
        break;
    case EUnlockCheck::askKey:
        if (!m_session.CheckKeyToUnlock())
            return false;
        m_pTray->SetIcon(IDI_TRAY);
        m_session.CheckFileAfterLock();
        break;
    case EUnlockCheck::none:
        break;
    }
    m_interface.Unlocked();
    return true;
}

void CMainFrame::OnHotKey() {
    if (m_bDestroyed)
        return;
    Handle(EInterfaceEvent::hotKey);
}

void CMainFrame::LockInterface() {
    Handle(EInterfaceEvent::lockInterface);
}

bool CMainFrame::SetHotKey(unsigned wHotKey, unsigned wHotKeyFlags) {
    m_settings.Change([&](SShellSettings& values) {
        values.m_wHotKey = wHotKey & 0xFFFF;
        values.m_wHotKeyFlags = wHotKeyFlags & 0xFFFF;
    });
    return m_pHotKey->Change(Values().m_wHotKey, Values().m_wHotKeyFlags);
}

void CMainFrame::OnDesktopLock() {
    if (!Values().m_bLockOnScreenLock || m_bDestroyed)
        return;
    m_pLockTimers->DesktopLocked();
}

// --- idle countdowns ---

bool CMainFrame::eventFilter(QObject* pWatched, QEvent* pEvent) {
    switch (pEvent->type()) {
    case QEvent::WindowBlocked:
    case QEvent::WindowUnblocked:
    case QEvent::Show:
        // A modal window opened or closed over the frame, or the frame shows
        // again after commands changed while it was hidden.
        if (pWatched == this)
            RequestCommandUpdate();
        break;
    case QEvent::ShortcutOverride:
        // Offered to the focused widget before the window's shortcuts: a text
        // field keeps its own keys.
        if (CTextFieldKeys::ClaimOverride(pWatched, *static_cast<QKeyEvent*>(pEvent)))
            return true;
        break;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
        // Each event reaches the window and then its widget; one restart
        // suffices.
        if (pWatched->isWidgetType())
            RestartIdleTimers();
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(pWatched, pEvent);
}

void CMainFrame::RestartIdleTimers() {
    if (m_bDestroyed || !m_pLockTimers)
        return;
    m_pLockTimers->Restart(Values().m_nAutoLockMs, Values().m_nAutoExitMs);
}

void CMainFrame::OnAutoLock() {
    LockInterface();
}

bool CMainFrame::SaveWithoutAsking() {
    const std::string& strPath = m_session.GetPathName();
    if (!FileExists(strPath) || IsReadOnlyFile(strPath) || !m_session.OnSaveDocument(strPath))
        return false;
    m_doc.SetModifiedFlag(false);
    return true;
}

void CMainFrame::OnAutoExit() {
    // Ends without a question, but never drops changes not yet saved: they
    // are saved first, and when that cannot be done the program locks.
    const EAutoExitEnd eEnd = DecideAutoExit(m_doc.IsModified(), m_session.HasFilePath(),
                                             [this]() { return SaveWithoutAsking(); });
    if (eEnd == EAutoExitEnd::lock) {
        LockInterface();
        return;
    }
    Exit();
}

bool CMainFrame::IsEchoOfRefusal() const {
    // The window system confirms the states the program asked for later, so
    // the return from the taskbar that a refused KEY undid can still arrive.
    return m_timeRefused.isValid() && m_timeRefused.elapsed() < REFUSAL_ECHO_MS;
}

void CMainFrame::ShowFrame() {
    if (isMinimized()) {
        // Back in the state it had before it was minimised.
        Qt::WindowStates eState = windowState() & ~Qt::WindowMinimized;
        if (m_bMaxBeforeMin)
            eState |= Qt::WindowMaximized;
        setWindowState(eState);
    }
    UpdateFrameTitle();
    show();
    raise();
    activateWindow();
}

void CMainFrame::RaiseFromSecondStart() {
    // A window minimised for want of a tray comes back (through the KEY when
    // locked); one hidden in a tray stays there.
    if (IsHiddenMode() && (isVisible() || !m_pTray->IsShown())) {
        RestoreMainWindow();
        return;
    }
    if (!IsMainInterface() || !isVisible())
        return;
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

// --- the Password Bar ---

void CMainFrame::SetPasswordBar(CPasswordBarDlg* pBar) {
    m_pPasswordBar = pBar;
    connect(pBar, &CPasswordBarDlg::LockClicked, this,
            [this]() { Handle(EInterfaceEvent::barLock); });
    connect(pBar, &CPasswordBarDlg::MinimizeClicked, this,
            [this]() { Handle(EInterfaceEvent::barMinimise); });
    connect(pBar, &CPasswordBarDlg::CloseClicked, this,
            [this]() { Handle(EInterfaceEvent::barClose); });
    connect(pBar, &CPasswordBarDlg::MainWindowClicked, this,
            [this]() { Handle(EInterfaceEvent::barMainWindow); });
    pBar->SetGeneratorSettingsOpener([this](SGeneratorSettings& generator) {
        OpenOptions(OPTIONS_PAGE_GENERATOR);
        generator = Values().m_generator;
    });
    RegisterBarCommands();
}

void CMainFrame::RegisterBarCommands() {
    m_commands.Register(
        ID_VIEW_PASSWORDBAR, [this]() { SwitchToPasswordBar(); }, [](CCmdUI& ui) { ui.Enable(); });
    m_commands.Register(
        ID_TRAY_PASSWORDBAR, [this]() { RestorePasswordBar(); },
        [this](CCmdUI& ui) { ui.Enable(!IsModalOpen()); });
    RequestCommandUpdate();
}

void CMainFrame::SwitchToPasswordBar() {
    Handle(EInterfaceEvent::passwordBarCommand);
}

void CMainFrame::ShowPasswordBar(EInterface eNext) {
    emit PasswordBarShowing();
    m_pPasswordBar->FillGroups();
    m_pPasswordBar->show();
    m_pPasswordBar->raise();
    m_pPasswordBar->activateWindow();
    hide();
    SetMode(eNext);
}

void CMainFrame::RestorePasswordBar() {
    Handle(EInterfaceEvent::trayPasswordBar);
}

void CMainFrame::HideBarToTray(const SInterfaceStep& step) {
    SetMode(step.eNext);
    const bool bLocking = m_interface.Hide(step.eNext, step.bLock, HasKey());
    if (bLocking)
        m_pTray->SetIcon(IDI_TRAY_LOCKED);
    m_pPasswordBar->hide();
    // With no tray icon to come back through, the main window waits in the
    // taskbar instead (showing nothing of a locked file).
    if (!m_pTray->IsShown())
        MinimizeToTaskbar();
    if (bLocking) {
        ExplainLock();
        UnloadForLock();
    }
}

void CMainFrame::ExitFromBar() {
    m_pPasswordBar->hide();
    Exit();
    // A save question answered with Cancel keeps the program: the bar
    // comes back rather than leaving no window at all.
    if (!m_bDestroyed && Mode() == EInterface::bar)
        m_pPasswordBar->show();
}

// --- closing ---

void CMainFrame::Exit() {
    m_bExitRequested = true;
    close();
}

void CMainFrame::EndWithoutQuestions() {
    if (m_bDestroyed)
        return;
    // Left unsaved when it cannot be saved silently, as before the end.
    (void)m_session.SaveWithoutQuestion();
    if (isVisible())
        SaveWindowPlacement();
    OnDestroy();
    close();
    emit Closed();
}

bool CMainFrame::CommitSession(bool bInteract) {
    if (m_bDestroyed)
        return true;
    if (!bInteract) {
        (void)m_session.SaveWithoutQuestion();
        return true;
    }
    return m_session.SaveModified();
}

void CMainFrame::closeEvent(QCloseEvent* pEvent) {
    if (m_bDestroyed) {
        pEvent->accept();
        return;
    }
    const bool bFromCaption = !m_bExitRequested;
    m_bExitRequested = false;
    if (bFromCaption) {
        SaveWindowPlacement();
        EmptyClipboardIfText();
        const SInterfaceStep step = m_interface.Decide(EInterfaceEvent::mainClose, Facts());
        if (step.eAction != EInterfaceAction::exit) {
            pEvent->ignore();
            Carry(step);
            return;
        }
    }
    if (!m_session.SaveModified()) {
        pEvent->ignore();
        return;
    }
    if (isVisible())
        SaveWindowPlacement();
    OnDestroy();
    pEvent->accept();
    emit Closed();
}

void CMainFrame::OnDestroy() {
    m_bDestroyed = true;
    if (m_pLockTimers)
        m_pLockTimers->Stop();
    if (m_pPasswordBar) {
        if (Mode() == EInterface::bar)
            m_pPasswordBar->SavePosition();
        m_pPasswordBar->hide();
        m_pPasswordBar->WritePosition();
    }
    if (m_pHotKey)
        m_pHotKey->Release();
    SaveSettings();
    if (Values().m_bClearRecent && m_session.GetRecentFileList())
        m_session.GetRecentFileList()->Clear();
    EmptyClipboardIfText();
    m_pTray->RemoveIcon();
}

void CMainFrame::moveEvent(QMoveEvent* pEvent) {
    QMainWindow::moveEvent(pEvent);
    m_timerNormal.start();
}

void CMainFrame::resizeEvent(QResizeEvent* pEvent) {
    QMainWindow::resizeEvent(pEvent);
    m_timerNormal.start();
}

void CMainFrame::NoteNormalGeometry() {
    if (windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen))
        return;
    m_rectNormal = geometry();
}

void CMainFrame::changeEvent(QEvent* pEvent) {
    QMainWindow::changeEvent(pEvent);
    if (pEvent->type() != QEvent::WindowStateChange || m_bDestroyed)
        return;
    const auto* pChange = static_cast<QWindowStateChangeEvent*>(pEvent);
    const bool bWasMinimized = (pChange->oldState() & Qt::WindowMinimized) != 0;
    if (!(windowState() & Qt::WindowMinimized)) {
        // Back from the taskbar after a minimise that found no tray: the
        // same way back as the tray's "Main Window".
        if (bWasMinimized && IsHiddenMode() && isVisible() && !m_interface.IsRestoring() &&
            !IsEchoOfRefusal())
            QMetaObject::invokeMethod(this, &CMainFrame::RestoreMainWindow, Qt::QueuedConnection);
        return;
    }
    if (bWasMinimized)
        return;
    m_bMaxBeforeMin = (pChange->oldState() & Qt::WindowMaximized) != 0;
    // The window never stays minimised: it goes to the tray. Leaving the
    // state change first keeps the window system's bookkeeping in order.
    QMetaObject::invokeMethod(this, &CMainFrame::OnMinimized, Qt::QueuedConnection);
}

void CMainFrame::OnMinimized() {
    if (m_bDestroyed || !(windowState() & Qt::WindowMinimized))
        return;
    SaveWindowPlacement();
    EmptyClipboardIfText();
    Handle(EInterfaceEvent::mainMinimise);
    // The window keeps its minimised state while hidden: leaving that state
    // maps the native window again, and a window mapped behind the toolkit's
    // back is an empty frame that nothing paints. It is left on the way back
    // out (ShowFrame); without a tray the window stays in the taskbar.
}

// --- help, about and links ---

void CMainFrame::ShowHelp() {
    if (!m_pHelpWindow)
        m_pHelpWindow = new CHelpWindow(this);
    m_pHelpWindow->show();
    m_pHelpWindow->raise();
    m_pHelpWindow->activateWindow();
}

void CMainFrame::ShowAbout() {
    CAboutDlg dlg(&m_prompts, this);
    dlg.exec();
}

void CMainFrame::OpenWebLink(const std::string& strTarget) {
    const int nResult = OpenLink(strTarget, m_doc.CodePage());
    if (nResult <= LINK_FAILURE_MAX)
        m_prompts.MessageBox(LinkErrorMessage(nResult), EMsgIcon::exclamation);
}

// --- options ---

bool CMainFrame::OpenOptions(int nStartPage) {
    SOptionsData options;
    TransferOptions(options, false);
    options.m_nStartPage = nStartPage;
    options.m_fnApply = [this](const SOptionsData& applied) {
        SOptionsData copy = applied;
        TransferOptions(copy, true);
    };
    options.m_fnHotKeyChecked = [this](bool bHideTray, unsigned wHotKey, unsigned wHotKeyFlags) {
        OnHotKeyChecked(bHideTray, wHotKey, wHotKeyFlags);
    };
    if (!m_prompts.RunOptions(options))
        return false;
    TransferOptions(options, true);
    return true;
}

void CMainFrame::TransferOptions(SOptionsData& options, bool bToSettings) {
    if (bToSettings) {
        m_settings.Change([&options](SShellSettings& values) { values.FromOptions(options); });
        m_session.TakeFileOptions(options);
        ApplyOptions();
        return;
    }
    Values().ToOptions(options);
    options.m_bHotKeyAvailable = m_bHotKeyAvailable;
    m_session.GiveFileOptions(options);
}

void CMainFrame::ApplyOptions() {
    ApplyTrayIcon();
    // The entry follows "WinStart"; a desktop without an autostart folder
    // leaves it as it was, which the next Apply tries again.
    ApplyWinStart(Values().m_nWinStart != 0, CurrentProgramPath());
    ApplyLockSettings();
    UpdateCommandUI();
}

void CMainFrame::ApplyTrayIcon() {
    if (Values().m_bHideTray && m_bHotKeyAvailable)
        m_pTray->HideIcon();
    else
        m_pTray->ShowIcon();
}

void CMainFrame::ApplyLockSettings() {
    // The new combination replaces the old one at once (a taken one fails
    // quietly, as at start-up), and the idle countdowns start over with the
    // new times.
    SetHotKey(Values().m_wHotKey, Values().m_wHotKeyFlags);
    RestartIdleTimers();
}

void CMainFrame::OnHotKeyChecked(bool bHideTray, unsigned wHotKey, unsigned wHotKeyFlags) {
    // In effect at once, and held, so that what is saved is what is in effect
    // even when the dialog is cancelled afterwards.
    m_settings.Change([&](SShellSettings& values) {
        values.m_bHideTray = bHideTray ? 1 : 0;
        values.m_wHotKey = wHotKey;
        values.m_wHotKeyFlags = wHotKeyFlags;
    });
    ApplyTrayIcon();
    ApplyLockSettings();
}
