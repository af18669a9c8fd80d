// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/interchange/ImportCommand.h"
#include "gui/layout/ETSLayoutFormView.h"
#include "gui/view/DragTreeCtrl.h"

#include <QPersistentModelIndex>
#include <QTimer>

#include <array>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

class CFieldList;
class COtpPanel;
class CAccountTreeCtrl;
class CCofferDoc;
class CFileSession;
class CDragTextEdit;
class CEditPrompts;
class CDragTextButton;
class CDocNotifier;
struct SRecordNotice;
class CRecordTreeModel;
class CTreeFilter;
class CLinkLabel;
class CStartHint;
class CSettings;
class CViewHost;
class CPasswordInfo;
class CPrompts;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;

// The main window's view: the open file as a tree (the file, its groups,
// their accounts) beside the selected account's details, with the two
// copy-and-drag buttons and the two links. The tree shows the document's
// record model (the notifier's, shared with the Password Bar), which follows
// the document's notices; the view owns the account and group commands,
// which change the document through its store operations.
class CCofferView : public ETSLayoutFormView {
    Q_OBJECT
public:
    CCofferView(CFileSession& session, CRecordTreeModel& model, CPrompts& prompts,
                CEditPrompts& editPrompts, CViewHost& host, CSettings& settings,
                QWidget* pParent = nullptr);
    ~CCofferView() override;

signals:
    // The tree's current item changed: the status panes count its group.
    void CurrentChanged();

public:
    // Follows the document's notices from now on (the notifier has brought
    // the model up to date before each).
    void Follow(CDocNotifier& notifier);
    // The records as the tree shows them.
    CRecordTreeModel& Model() const { return *m_pModel; }

    // A new or opened document (or none): forget the selection and rebuild.
    void OnInitialUpdate() { InitialUpdate(true); }
    // Rebuilds the tree from the document and chooses the selection.
    void OnUpdate() { Update(true); }
    // One group or account changed: what the panel shows with it.
    void OnRecordsChanged(const SRecordNotice& notice);
    // The document's content is gone until its next initial update.
    void OnEmptied();
    // The live filter: the tree narrows to the accounts matching the
    // field's words as they are typed; clearing it shows the whole tree.
    void OnFilterChanged(const QString& strText);
    // Ctrl+K: the filter's field takes the focus, its text selected.
    void FocusFilter();
    // A character typed in the tree starts the filter with it.
    void StartFilter(const QString& strText);
    // Empties the field: the whole tree as it was before filtering.
    void ClearFilter();
    bool IsFiltering() const;
    // The next Find Next starts from the beginning.
    void ResetSearch();
    // Selects the next item whose label contains the search bar's text,
    // going on after the last one found.
    void OnFindNext();
    void OnToolsMask();
    // Tools > Password Health: the accounts whose passwords need attention,
    // each of them opened for editing from the list.
    void OnToolsHealth();
    // The masking is the settings' (the command, the Options dialog's
    // Security page); the password shown follows each change.
    bool IsMaskPasswords() const;
    // A drop in the tree: the accounts are copied or moved, and the list
    // takes the tree's order when anything changed.
    void OnItemsDropped(EDropAction eAction, const QModelIndex& drag, const QModelIndex& target);
    // An in-place rename of a group or account, checked like the dialogs:
    // an empty name or a sibling's name is refused with their messages.
    void OnLabelEdited(const QModelIndex& item, const QString& strText);
    // Edit and Delete act on the current item by its level: a group or an
    // account; the file item does nothing.
    void OnItemEdit();
    void OnItemDelete();
    // The account and group commands. An invalid item means the current
    // group or account.
    void AddAccount(const QModelIndex& group = {});
    void EditAccount(const QModelIndex& item = {});
    void DeleteAccount(const QModelIndex& item = {});
    void AddGroup();
    void EditGroup(const QModelIndex& item = {});
    void DeleteGroup(const QModelIndex& item = {});
    // After an import: the tree rebuilt from the list, the groups that
    // received accounts expanded and the first imported account selected.
    void ShowImported(const SImportShown& shown);
    // Lays the view out again with the frame's current bar visibility.
    void RebuildLayout();
    // The Password Bar's choice: selected when the view is rebuilt now.
    void SelectByNames(const std::string& strGroup, const std::string& strAccount);
    // Before the lock unloads the document: where the tree stands (the
    // current item, the expanded groups, the scroll position), kept as rows,
    // so nothing of the file stays in memory while locked.
    void RememberPlace();
    // After the file was read again: the tree as it stood. Rows that no
    // longer exist (the file changed meanwhile) are left out.
    void RestorePlace();

    // What the status panes and the Password Bar read.
    int CountGroupItems() const;
    int CountFileAccounts() const;
    int CountCurrentGroupAccounts() const;
    std::string CurrentGroupLabel() const;
    std::string CurrentAccountLabel() const;
    // The comments box's minimum height for the frame's bars.
    int CommentsMinHeight() const;

    CAccountTreeCtrl* Tree() const { return m_pTree; }
    QLineEdit* FilterBox() const { return m_pFilter; }
    QLineEdit* UserNameBox() const { return m_pUserName; }
    QLineEdit* PasswordBox() const { return m_pPassword; }
    CDragTextEdit* CommentsBox() const { return m_pComments; }
    CDragTextButton* CopyUserNameButton() const { return m_pCopyUserName; }
    CDragTextButton* CopyPasswordButton() const { return m_pCopyPassword; }
    CLinkLabel* WebSiteLink() const { return m_pWebSite; }
    CLinkLabel* EMailLink() const { return m_pEMail; }
    QLabel* AccountNameLabel() const { return m_pAccountName; }
    COtpPanel* OtpPanel() const { return m_pOtp; }
    CFieldList* FieldList() const { return m_pFields; }
    CStartHint* StartHint() const { return m_pStartHint; }
    // The hint takes the place of the tree and the details while no file is
    // open and the program is not locked; the tree and details come back
    // with a file.
    void UpdateStartHint();
    // The tree's width when none is stored: a typical name in the tree's
    // font fits.
    int DefaultTreeWidth() const;

    // The width the tree has, or takes while the splitter is dragged; the
    // settings keep it once the drag ends.
    int m_nTreeWidth = 160;
    int m_nSplitterShown = 160;
    bool m_bSplitterDrag = false;

    // The splitter: the line sits this far right of the tree width, in the
    // gap between the tree and the details.
    static constexpr int SPLITTER_OFFSET = 8;
    static constexpr int SPACER_WIDTH = 1;
    static constexpr int SPLITTER_MIN = 80;
    static constexpr int SPLITTER_RIGHT_MARGIN = 140;

protected:
    void paintEvent(QPaintEvent* pEvent) override;
    // Back from a lock that kept the document: the filter's field works
    // again once the window shows.
    void showEvent(QShowEvent* pEvent) override;
    // Escape in the filter's field clears it; Enter and Down go to the tree.
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;
    void mouseReleaseEvent(QMouseEvent* pEvent) override;
    void resizeEvent(QResizeEvent* pEvent) override;

private:
    void CreateControls();
    void OnSettingsChanged();
    void KeepTreeWidth();
    void RegisterCommands();
    void ClearDetails();
    QString ToQt(const std::string& strStored) const;
    // The controls convert the document's texts with its code page.
    void ApplyCodePage();
    // The two above; bReload builds the model again, which the notifier has
    // done already when it tells.
    void InitialUpdate(bool bReload);
    void Update(bool bReload);
    void ClearTree();
    // No tree, no details: the state of a document without a KEY.
    void ShowNothing();
    // The filter's field is usable only while the tree shows a file.
    void EnableFilter(bool bEnable);
    // The tree was built again: no filter, an empty field.
    void ResetFilter();
    void ShowAccount(const CPasswordInfo& info);
    void ShowLink(CLinkLabel* pLink, const std::string& strText, const std::string& strTarget);
    std::string ShownPassword(const CPasswordInfo& info) const;
    std::array<QWidget*, 5> DatabaseControls() const;
    void OnSelChanged(const QModelIndex& item);
    void OnItemDoubleClicked(const QModelIndex& item);
    // Selects what takes the place of item before it goes: its next
    // sibling, else the previous one, else its parent.
    void SelectNeighbour(const QModelIndex& item);
    // Selects the record's item and shows it in the panel, even when it was
    // current already (a changed or moved record).
    void ShowRecord(const CPasswordInfo* pRecord);
    // Runs a store operation that takes records away without the panel
    // following the selection on its way.
    template <class F> void Removing(F fnRemove);
    // The message refusing strName for item, or none.
    // strLabel as typed, strName the record's name it gives.
    const char* RenameRefusal(const QModelIndex& item, const std::string& strLabel,
                              const std::string& strName) const;
    const CPasswordInfo* RecordOf(const QModelIndex& item) const;
    struct SAccountDlgData NewDialogData() const;
    void ChooseSelection();
    void ShowContextMenu(const QModelIndex& item, const QPoint& ptGlobal);
    void AddCopyItems(QMenu& menu, const QModelIndex& item, std::initializer_list<int> ids) const;
    // A command of the tree's context menus, for the item clicked.
    void RunTreeCommand(int nId, const QModelIndex& item);
    // What a copy command (ID_EDIT_COPY_...) of item puts on the clipboard;
    // empty when it has nothing to copy (the file item, a group's password).
    std::string FieldToCopy(const QModelIndex& item, int nId) const;
    bool CanCopy(const QModelIndex& item, int nId) const;
    void CopyField(const QModelIndex& item, int nId);
    bool HasKey() const;
    bool IsMainMode() const;
    void AfterChange();
    int SplitterX() const { return m_nTreeWidth + SPLITTER_OFFSET; }
    bool IsOverSplitter(int x, int nTolerance) const;
    void ShowDragLine();

    CFileSession& m_session;
    CCofferDoc& m_doc;
    CPrompts& m_prompts;
    CEditPrompts& m_editPrompts;
    CViewHost& m_host;
    CSettings& m_settings;
    CImportCommand m_importCommand;
    CRecordTreeModel* m_pModel = nullptr;
    CAccountTreeCtrl* m_pTree = nullptr;
    QLabel* m_pAccountName = nullptr;
    QLabel* m_pUserNameLabel = nullptr;
    QLineEdit* m_pUserName = nullptr;
    CDragTextButton* m_pCopyUserName = nullptr;
    QLabel* m_pPasswordLabel = nullptr;
    QLineEdit* m_pPassword = nullptr;
    CDragTextButton* m_pCopyPassword = nullptr;
    QLabel* m_pCommentsLabel = nullptr;
    CDragTextEdit* m_pComments = nullptr;
    CLinkLabel* m_pWebSite = nullptr;
    CLinkLabel* m_pEMail = nullptr;
    // The one-time code's row and the further fields, laid out while a
    // database is open.
    COtpPanel* m_pOtp = nullptr;
    QLabel* m_pFieldsLabel = nullptr;
    CFieldList* m_pFields = nullptr;
    bool m_bOtpRow = false;
    QWidget* m_pSpacer = nullptr;
    QLineEdit* m_pFilter = nullptr;
    std::unique_ptr<CTreeFilter> m_pTreeFilter;
    // Changes of the records while filtering: the rule is applied again
    // once they are all in (a drop sends a notice per account).
    QTimer m_refilter;
    // The splitter's line while it is dragged.
    QWidget* m_pDragLine = nullptr;
    CStartHint* m_pStartHint = nullptr;
    bool m_bRebuilding = false;
    // The masking the password box shows.
    bool m_bMaskShown = true;

    // The current group and account (the group of a current account).
    QPersistentModelIndex m_curGroup;
    QPersistentModelIndex m_curAccount;
    // Where the next Find Next starts; none to start over.
    QPersistentModelIndex m_findFrom;
    // The names the next rebuild selects (the Password Bar's choice).
    std::string m_strSelectGroup;
    std::string m_strSelectAccount;
    // The place RememberPlace kept: group and account rows of the current
    // item (-1: none), the expanded groups' rows, the scroll position.
    struct SPlace {
        bool m_bKept = false;
        int m_nGroup = -1;
        int m_nAccount = -1;
        std::vector<int> m_vecExpanded;
        int m_nScroll = 0;
    } m_place;
};
