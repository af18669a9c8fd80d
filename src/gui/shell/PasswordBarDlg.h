// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/EditPrompts.h"
#include "core/store/CofferDoc.h"
#include "core/store/FileSession.h"

#include <QPersistentModelIndex>
#include <QPoint>
#include <QRect>
#include <QWidget>

#include <functional>
#include <string>

class CDragTextButton;
class CEditPrompts;
class CHoverButton;
class CHoverComboBox;
class CPrompts;
class CSettings;
class CGroupRowsModel;
class CRecordListModel;
class CRecordTreeModel;
class QComboBox;
class QLabel;
class QMenu;

// The Password Bar: a thin, captionless, always-on-top strip that stands in
// for the main window when all the user wants is to pick an account and hand
// its user name or password to another program. A group list and an account
// list choose the account; icon buttons copy or drag its user name and
// password, open its web site, write to its e-mail address, and lock,
// minimise, go back to the main window or close. A menu button opens files,
// saves, and adds and edits accounts through the account dialog. Tab walks
// the lists and buttons from left to right, Enter copies the password and
// Escape or F2 go back to the main window.
//
// The two lists show the document's record model (the one the main tree
// shows), so every change of the records reaches them as it happens; a
// fill chooses the group and account by name. What happens to the program's state when it locks,
// hides or hands over to the main window is the frame's: the bar does its own part (its position,
// the clipboard) and then signals.
class CPasswordBarDlg : public QWidget {
    Q_OBJECT
public:
    CPasswordBarDlg(CFileSession& session, CRecordTreeModel& model, CSettings& settings,
                    CPrompts& prompts, CEditPrompts& editPrompts, QWidget* pParent = nullptr);
    ~CPasswordBarDlg() override;

    // Lists the document's groups, choosing m_strCurGroup (the top group
    // when ""), then the account list.
    void FillGroups();
    // Lists the accounts of the group chosen, choosing m_strCurAccount (the
    // top account when "" or missing).
    void FillAccounts();
    // Takes the chosen account and enables the buttons by its texts.
    void SelectAccount();
    // Typed into the account list: it lists only the accounts of the group
    // chosen whose fields hold every word (the main view's filter rule);
    // Backspace takes the last character back, Escape clears it.
    void SetAccountFilter(const QString& strText);
    const QString& AccountFilter() const { return m_strFilter; }
    // Empty lists, nothing to act on.
    void ResetBar();
    // Keeps the bar's place for the next time it is shown.
    void SavePosition();
    // Moves the bar flush to an edge of the screen it comes near.
    void SnapToEdges();
    // Opens strPath in place of the open file (nothing when it is the file
    // already open); the KEY check is the document's, over the bar.
    void OpenFile(const std::string& strPath);
    // Hands the bar's place to the settings; the frame calls it as the
    // program ends.
    void WritePosition();

    // The Lock button's action, also taken by the idle lock, the desktop's
    // lock and the tray's Lock while the bar is in use.
    void Lock();
    // The Main Window button's action, also taken by the tray's Main Window
    // while the bar is in use.
    void OnMainWindow();

    // The menu's commands (also reached by tests).
    void OnOpen();
    void OnSave();
    void OnAddAccount();
    void OnEditAccount();

    // The group and account to choose as the lists fill next.
    void Choose(const std::string& strGroup, const std::string& strAccount) {
        m_strCurGroup = strGroup;
        m_strCurAccount = strAccount;
    }
    // The account dialog's generator-settings button: opens the Options
    // dialog on the generator page and hands back the settings then in use.
    void SetGeneratorSettingsOpener(std::function<void(SGeneratorSettings&)> fnOpen) {
        m_fnGeneratorSettings = std::move(fnOpen);
    }

    // The controls, for the frame and tests.
    CHoverComboBox* GroupList() const { return m_pGroups; }
    CHoverComboBox* AccountList() const { return m_pAccounts; }
    CDragTextButton* CopyUserNameButton() const { return m_pCopyUserName; }
    CDragTextButton* CopyPasswordButton() const { return m_pCopyPassword; }
    CHoverButton* Button(int nId) const;
    QMenu* Menu() const { return m_pMenu; }

    const CPasswordInfo* m_pCurAccount = nullptr;
    const CCofferDoc::CInfoList* m_pInfoList = nullptr;
    std::string m_strCurGroup;
    std::string m_strCurAccount;
    QPoint m_ptBar;
    // Whether the bar places itself (not on Wayland, where the compositor
    // does, and the bar is a normal window that neither snaps nor stays on
    // top).
    const bool m_bPlaced;
    // A dialog opened from the bar is running: the idle timers wait.
    bool m_bModalOpen = false;
    // The grip at the bar's left end, in the bar's pixels.
    QRect m_rcGrip{0, 0, 10, 21};

    // The control numbers of the bar's buttons.
    static constexpr int IDC_COPY_USERNAME = 1139;
    static constexpr int IDC_COPY_PASSWORD = 1140;
    static constexpr int IDC_HYPERLINK = 1141;
    static constexpr int IDC_EMAIL = 1142;
    static constexpr int IDC_MENU = 1144;
    static constexpr int IDC_MAIN_WINDOW = 1154;
    static constexpr int IDC_LOCK = 1156;
    static constexpr int IDC_CLOSE = 1159;
    static constexpr int IDC_MINIMIZE = 1160;

signals:
    // The bar's buttons, after the bar's own part: the frame changes the
    // program's state. Lock and Minimise pass the bar's choice to the view
    // first, Close does not.
    void LockClicked();
    void MinimizeClicked();
    void CloseClicked();
    void MainWindowClicked();
    // The bar's choice of group and account, for the main view to select.
    void NamesForView(const std::string& strGroup, const std::string& strAccount);

protected:
    void showEvent(QShowEvent* pEvent) override;
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;
    // Enter copies the password, Escape and F2 go back to the main window.
    void keyPressEvent(QKeyEvent* pEvent) override;
    void closeEvent(QCloseEvent* pEvent) override;
    // The account list's typing goes to its filter.
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;
    void ShowAccountFilter(const QString& strText);

private:
    void CreateControls();
    // The two lists over the record model, and what the bar holds of their
    // choice following the model's changes.
    void CreateLists();
    void OnModelChanged();
    void OnModelReset();
    // A list shows nothing, or its root's children.
    // Over the group rows or the account rows.
    template <class TRows> void CloseList(CHoverComboBox* pList, TRows& rows);
    template <class TRows>
    void OpenList(CHoverComboBox* pList, TRows& rows, const QModelIndex& sourceRoot);
    // The record of a list's current row, or none.
    template <class TRows>
    static const CPasswordInfo* CurrentRecord(const QComboBox* pList, const TRows& rows);
    // The lists' own changes count as the user's choice only while they list
    // the document, outside a fill and outside a change of the model.
    bool IsFollowing() const { return !m_bFilling && !m_bModelChanging && m_pInfoList != nullptr; }
    void CreateMenu();
    // The copy and link keys while the bar is active.
    void CreateKeys();
    // Ctrl+T: the current one-time code of the account shown, where its
    // database keeps one-time password settings.
    void CopyOneTimeCode();
    CHoverButton* NewButton(int nId, int nIcon, const char* pszTip);
    void ShowMenu();
    void OnMinimize();
    void OnClose();
    void OnEnter();
    void OpenTarget(const std::string& strTarget);
    // An account added or edited through the dialog: shown in its group.
    void ShowChangedAccount(const SAccountDlgData& dlg);
    SAccountDlgData NewDialogData();
    bool HasKey() const { return m_doc.HasKey(); }

    CFileSession& m_session;
    CCofferDoc& m_doc;
    CRecordTreeModel& m_model;
    CSettings& m_settings;
    CPrompts& m_prompts;
    CEditPrompts& m_editPrompts;
    QLabel* m_pGrip = nullptr;
    CDragTextButton* m_pCopyUserName = nullptr;
    CDragTextButton* m_pCopyPassword = nullptr;
    CHoverComboBox* m_pGroups = nullptr;
    CHoverComboBox* m_pAccounts = nullptr;
    CGroupRowsModel* m_pGroupRows = nullptr;
    CRecordListModel* m_pAccountRows = nullptr;
    bool m_bFilling = false;
    bool m_bModelChanging = false;
    // The account chosen, in the record model: it follows the account
    // wherever a change takes it.
    QPersistentModelIndex m_chosenAccount;
    QMenu* m_pMenu = nullptr;
    QString m_strFilter;
    std::function<void(SGeneratorSettings&)> m_fnGeneratorSettings;
};
