// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/interchange/ExportCommand.h"
#include "core/shell/CommandMap.h"
#include "core/shell/InterfaceState.h"
#include "core/store/FileCommands.h"
#include "gui/shell/PasswordBarDlg.h"
#include "gui/view/ViewHost.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QPointer>
#include <QRect>
#include <QTimer>

#include <functional>
#include <map>
#include <memory>
#include <string>

class CClipboardStatus;
class CCofferDoc;
class CFileSession;
class CDocNotifier;
class CHotKeyGrabber;
class CHotKeyBinding;
class CLockTimers;
class CMenuCharFilter;

class CPrompts;
class CProfile;
class CSearchBar;
class CSessionLockWatcher;
class CSettings;
struct SShellSettings;
class CSystemTray;
struct SOptionsData;
class QAction;
class QLabel;
class QMenu;
class QToolBar;
class QToolButton;

// The program's one top-level window: menus, toolbar, status bar, search bar
// and the slot for the view; the tray icon; the interface state it carries
// out; and the window-level commands. The settings it works with are handed
// to it. Every command is a QAction carrying its number as the property
// "commandId"; the actions run through the command map, whose update
// functions enable and check them. They are asked again whenever something
// they depend on changes (a notice of the document, the view's current item,
// the interface shown or the lock, the focus, a modal window, the settings),
// once for a burst of such changes; nothing asks them on a timer.
class CMainFrame : public QMainWindow, public CViewHost {
    Q_OBJECT
public:
    CMainFrame(CProfile& profile, CPrompts& prompts, CFileSession& session, CSettings& settings,
               QWidget* pParent = nullptr);
    ~CMainFrame() override;

    // --- start-up ---
    // The first call chooses the first state and opens the start-up file;
    // later calls only show the window when bShow.
    void ActivateFrame(bool bShow);
    // Whether the window should be visible once start-up is over.
    bool IsStartHidden() const;

    // The settings the frame works with (and hands to the other parts).
    CSettings& Settings() const { return m_settings; }

    // --- commands ---
    CCommandMap& Commands() override { return m_commands; }
    QAction* Action(int nId) const;
    // Refreshes every action, the search bar's buttons, the status panes and
    // the title.
    void UpdateCommandUI();
    // Something the commands' states depend on changed: one UpdateCommandUI
    // runs once the events already queued are handled, however many
    // requests came before it (an import's thousands of notices: one).
    void RequestCommandUpdate() override;
    // The document's notices change what its commands may do.
    void Follow(CDocNotifier& notifier);
    // "Vault* - Keyhaven": the open file's label, an asterisk while it has
    // unsaved changes; "Keyhaven" alone with no file open or while locked.
    void UpdateFrameTitle();
    // Runs a command by its rules, as a click on its item does.
    bool RunCommand(int nId) override;

    // --- what other parts use ---
    void SetView(QWidget* pView);
    QWidget* View() const { return m_pView; }
    QString GetSearchText() const;
    SFindRequest FindRequest() const override;
    void FocusSearch() override;
    CSearchBar* SearchBar() const { return m_pSearchBar; }
    QToolBar* ToolBar() const { return m_pToolBar; }
    CSystemTray& Tray() { return *m_pTray; }
    // Which interface shows, and whether the open file is locked.
    EInterface Mode() const { return m_interface.Mode(); }
    bool IsLocked() const override { return m_interface.IsLocked(); }
    bool IsMainInterface() const override { return Mode() == EInterface::main; }
    // Both interfaces are in the tray (or, without one, in the taskbar).
    bool IsHiddenMode() const { return m_interface.IsHidden(); }
    bool HasPasswordBar() const { return m_pPasswordBar != nullptr; }
    // The frame's second interface (owned by the application, which wires
    // it to the view); its commands are enabled from here on.
    void SetPasswordBar(CPasswordBarDlg* pBar);
    CPasswordBarDlg* PasswordBar() const { return m_pPasswordBar; }
    // A later start of the program asked for this one: the main window comes
    // to the front unless it is hidden.
    void RaiseFromSecondStart();
    // Gives the Recent entries the list's paths. Done whenever the list
    // changes, not only as the menu opens, so that assistive tools that read
    // menus before they open find each entry's name.
    void UpdateRecentMenu();
    // After a file opened or got another name: the bar that offers to seal
    // a ".pwd" shows, once for each file; for any other file it goes.
    void OfferConversion();
    QToolBar* ConvertBar() const { return m_pConvertBar; }

    // --- window-level operations ---
    void SaveWindowPlacement();
    void RestoreWindowPlacement(bool bShow);
    void OnViewSearchBar();
    void OnViewOnTop();
    void Lock();
    // The tray's Main Window: back from the tray (after the KEY when
    // locked), or from the bar in its place.
    void RestoreMainWindow();
    // F2: the bar in place of the main window.
    void SwitchToPasswordBar();
    // The tray's Password Bar: back from the tray into the bar (after the
    // KEY when locked), or in place of the main window shown.
    void RestorePasswordBar();
    // The global hot key: back from the tray (through the KEY when locked),
    // or to the front when shown.
    void OnHotKey();
    // Releases the combination registered now (if any) and registers the
    // new one (0 = none), keeping it in the settings. False when
    // the registration failed: taken by another program, or no X server.
    bool SetHotKey(unsigned wHotKey, unsigned wHotKeyFlags);
    // Both idle countdowns start over from the settings' idle times.
    void RestartIdleTimers();
    // The desktop session locked or the machine goes to sleep: locks as the
    // Lock command does when "LockOnScreenLock" is on; a modal dialog open
    // defers it to the dialog's end (the busy box of an import does not: the
    // lock stops the import), which the window system tells.
    void OnDesktopLock();
    // The idle countdowns ran out.
    void OnAutoLock();
    void OnAutoExit();
    // The lock of the interface in use: the main window's, or the bar's.
    void LockInterface();
    // The main window shown goes into the tray: the clipboard is emptied
    // when it holds text, and with bLock the file locks as Tools > Lock
    // locks it (when it has a KEY).
    void HideToTray(bool bLock);
    // Ends the program through the orderly close (asks to save a modified file).
    void Exit();
    // A termination signal: ends as Exit does, but without a question; a
    // modified file is saved only where a lock would save it.
    void EndWithoutQuestions();
    // The session manager asks to keep the user's work before the session
    // ends: the unsaved-changes question of Exit when it lets us ask, the
    // silent save of a termination otherwise. False when the user cancels.
    bool CommitSession(bool bInteract);
    void SaveSettings();
    void SetTrayDefault(int nCommand);

    // --- options ---
    // Tools > Options, and the account dialog's generator settings: runs the
    // Options dialog on nStartPage (OPTIONS_PAGE_...) and takes its values
    // on OK; each Apply takes them while the dialog stays open.
    bool OpenOptions(int nStartPage) override;
    // bToSettings false: fills options from the settings, the document and
    // the view; true: takes them back and puts them into effect.
    void TransferOptions(SOptionsData& options, bool bToSettings);
    // Puts the settings held into effect: the tray icon, the autostart
    // entry, the view's masking, the lock settings.
    void ApplyOptions();
    // The window's last steps at exit: the settings written, the recent-file
    // list when "Clear on Exit" is on, the clipboard, the tray icon.
    void OnDestroy();
    bool IsClosed() const { return m_bDestroyed; }

    // Whether this desktop offers a global hot key, as found at start;
    // tests stand in for a desktop without one.
    void SetHotKeyAvailable(bool bAvailable) { m_bHotKeyAvailable = bAvailable; }

    // How long a size must hold before it counts as the normal one.
    static constexpr int NORMAL_SETTLE_MS = 300;
    // How long after a refused KEY a return from the taskbar is taken for
    // the window system's echo of the minimise.
    static constexpr int REFUSAL_ECHO_MS = 500;
    // The value that holds the window's bar state under the profile name.
    static constexpr const char* BAR_STATE_VALUE = "State";

signals:
    // The bars' visibility changed, so the view lays itself out again.
    void BarsChanged();
    // The search bar was switched: the search starts over.
    void SearchReset();
    // The window has closed for good (the application quits).
    void Closed();
    // The Password Bar is about to show: it takes the view's choice now.
    void PasswordBarShowing();
    // The lock is about to unload the document: the view notes its place.
    void DocumentUnloading();
    // The lock ended with the file read again: the view goes back there.
    void DocumentReloaded();
    // Every command's state was asked again (the lock, the document, the
    // recent list may have changed): what follows them refreshes.
    void CommandUIUpdated();

protected:
    // Input anywhere in the program restarts the idle countdowns.
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;
    void closeEvent(QCloseEvent* pEvent) override;
    void changeEvent(QEvent* pEvent) override;
    void moveEvent(QMoveEvent* pEvent) override;
    void resizeEvent(QResizeEvent* pEvent) override;

private:
    // Every change of interface goes through here, so the document knows
    // whether the main window is the one shown and the tray's default item
    // is the way back.
    void SetMode(EInterface eMode);
    // What the interface state decides depends on.
    SInterfaceFacts Facts() const;
    // Carries out the step an event asks for.
    void Handle(EInterfaceEvent eEvent);
    void Carry(const SInterfaceStep& step);
    // The KEY check and the way back from the tray into eNext.
    void ComeBack(EInterface eNext);
    // The main window into the tray, the step's lock taken when the file has a KEY.
    void HideToTray(const SInterfaceStep& step);

    const SShellSettings& Values() const;
    void RegisterDocumentCommands();
    // Export, Print and Properties: views of the open file.
    void RegisterFileViewCommands();
    // Opens the start-up file as the settings choose it, in the main window
    // or through the bar.
    void OpenStartupFile(bool bThroughBar);
    void UpdatePin();
    // Tells the window system the always-on-top state without moving the window.
    void ApplyOnTop();
    void OnMinimized();
    // Hiding with no tray icon to come back through: the taskbar keeps it.
    void MinimizeToTaskbar();
    // Keeps the last normal (not maximised) rectangle for the placement.
    void NoteNormalGeometry();
    void OnTrayLost();
    // Out of the taskbar or the tray, to the front.
    void ShowFrame();
    bool IsEchoOfRefusal() const;
    // Locking stops the work a lock stops (an import), lets go of the
    // document (when it has no unsaved changes that must stay) and of every
    // copy the bar shows.
    void UnloadForLock();
    // The first lock of a run into a tray says where the program went.
    void ExplainLock();
    // The KEY check on the way back from the tray: true when the user may
    // come back (a locked file's KEY was typed, or nothing was locked).
    bool CheckKeyToComeBack();
    // The bar's buttons: the program's state after the bar's own part.
    void RegisterBarCommands();
    void HideBarToTray(const SInterfaceStep& step);
    // The bar filled with the view's choice and shown; the main window hidden.
    void ShowPasswordBar(EInterface eNext);
    // The program ends from the bar's state (asking to save a changed file).
    void ExitFromBar();
    static std::string BarStateSection();
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void CreateSearchBar();
    void CreateConvertBar();
    void CreatePin();
    void ExplainOnTopUnavailable();
    void CreateHotKeyGrabber();
    void CreateTray();
    void RegisterFrameCommands();
    QAction* NewAction(int nId);
    QMenu* NewMenu(const char* pszText, const char* pszName, QWidget* pParent);
    void ApplyBarFlags();
    void ApplyTrayIcon();
    void ApplyLockSettings();
    void OnHotKeyChecked(bool bHideTray, unsigned wHotKey, unsigned wHotKeyFlags);
    void ShowHelp();
    void ShowAbout();
    void OpenWebLink(const std::string& strTarget);
    bool HasKey() const;
    bool IsModalOpen() const;
    // Whether a modal window holds the idle and the desktop's locks back:
    // any but the busy box of work that the lock stops.
    bool IsLockHeldBack() const;
    // The idle exit's save: only where it needs no question.
    bool SaveWithoutAsking();

    CProfile& m_profile;
    CPrompts& m_prompts;
    CFileSession& m_session;
    CCofferDoc& m_doc;
    CSettings& m_settings;
    CCommandMap m_commands;
    CFileCommands m_fileCommands;
    CExportCommand m_exportCommand;
    std::map<int, QAction*> m_mapActions;
    QToolBar* m_pToolBar = nullptr;
    CSearchBar* m_pSearchBar = nullptr;
    QToolBar* m_pConvertBar = nullptr;
    // The ".pwd" the bar was last considered for.
    std::string m_strConvertPath;
    QLabel* m_pPanePrompt = nullptr;
    QLabel* m_pPaneGroups = nullptr;
    QLabel* m_pPaneAccounts = nullptr;
    QToolButton* m_pPin = nullptr;
    QMenu* m_pRecentMenu = nullptr;
    QMenu* m_pDropdownMenu = nullptr;
    CMenuCharFilter* m_pMenuChar = nullptr;
    QWidget* m_pHelpWindow = nullptr;
    QWidget* m_pView = nullptr;
    std::unique_ptr<CSystemTray> m_pTray;
    // Guarded: the bar may go before the frame (tests), never used then.
    QPointer<CPasswordBarDlg> m_pPasswordBar;
    bool m_bUpdatePosted = false;
    bool m_bExitRequested = false;
    bool m_bDestroyed = false;
    bool m_bFirstActivate = true;
    // Whether this desktop offers a global hot key at all (an X server, or
    // the desktop portal's global shortcuts on Wayland); without one the
    // tray icon is never hidden, since nothing else brings the program back.
    bool m_bHotKeyAvailable = false;
    // Whether the window system lets a window stay above the others (not on
    // Wayland, where Always on Top is disabled and says why).
    bool m_bCanStayOnTop = true;
    bool m_bMaxBeforeMin = false;
    QRect m_rectNormal;
    QTimer m_timerNormal;
    // When a KEY was last refused on the way back from the taskbar.
    QElapsedTimer m_timeRefused;
    CInterfaceState m_interface;
    // The idle countdowns and the desktop's lock waiting for a dialog's end.
    std::unique_ptr<CLockTimers> m_pLockTimers;
    std::unique_ptr<CHotKeyGrabber> m_pHotKeyGrabber;
    std::unique_ptr<CHotKeyBinding> m_pHotKey;
    std::unique_ptr<CSessionLockWatcher> m_pLockWatcher;
    std::unique_ptr<CClipboardStatus> m_pClipboardStatus;
    // The first lock's message was shown; it is not shown again this run.
    bool m_bLockExplained = false;
};
