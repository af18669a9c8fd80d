#include "gui/view/CofferView.h"

#include "core/base/CommandIds.h"
#include "core/base/EditPrompts.h"
#include "core/base/OptionsData.h"
#include "core/base/Profile.h"
#include "core/base/Prompts.h"
#include "core/base/SettingsSchema.h"
#include "core/base/StringTable.h"
#include "core/base/TextUtil.h"
#include "core/shell/CommandMap.h"
#include "core/store/AccountDlgData.h"
#include "core/store/CodePage.h"
#include "core/store/CofferDoc.h"
#include "core/store/KeyDialogRules.h"
#include "core/tree/TreeOrder.h"
#include "core/tree/TreeSearch.h"
#include "gui/controls/DragTextButton.h"
#include "gui/controls/DragTextEdit.h"
#include "gui/controls/LinkLabel.h"
#include "gui/shell/MainFrame.h"
#include "gui/shell/SearchBar.h"
#include "gui/view/AccountTreeCtrl.h"
#include "gui/view/TreeDrop.h"
#include "gui/view/TreeWidgetLabels.h"
#include "gui/view/ViewTexts.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace {

void SetControlId(QWidget* pWidget, int nId, const char* pszName, const QString& strAccessible) {
    pWidget->setProperty("controlId", nId);
    pWidget->setObjectName(QString::fromLatin1(pszName));
    pWidget->setAccessibleName(strAccessible);
}

bool IsBlank(const std::string& strText) {
    return strText.find_first_not_of(" \t\r\n") == std::string::npos;
}

std::string FormatCount(const char* pszFormat, int nCount) {
    char szText[64];
    std::snprintf(szText, sizeof szText, pszFormat, nCount);
    return szText;
}

} // namespace

CCofferView::CCofferView(CCofferDoc& doc, CProfile& profile, CPrompts& prompts,
                         CEditPrompts& editPrompts, CMainFrame& frame, QWidget* pParent)
    : ETSLayoutFormView(pParent), m_doc(doc), m_profile(profile), m_prompts(prompts),
      m_editPrompts(editPrompts), m_frame(frame) {
    setObjectName(QStringLiteral("CofferView"));
    m_bMaskPasswords = m_profile.Get(EIntSetting::maskPasswords) != 0;
    m_nTreeWidth = static_cast<int>(m_profile.Get(EIntSetting::treeWidth));
    m_nSplitterShown = m_nTreeWidth;
    setMouseTracking(true);
    CreateControls();
    ApplyCodePage();
    RegisterCommands();
}

CCofferView::~CCofferView() {
    m_profile.Set(EIntSetting::maskPasswords, m_bMaskPasswords ? 1 : 0);
    m_profile.Set(EIntSetting::treeWidth, static_cast<unsigned>(m_nTreeWidth));
    for (int nId : {ID_ACCOUNT_ADD, ID_GROUP_ADD, ID_ITEM_EDIT, ID_ITEM_DELETE, ID_TOOLS_MASK,
                    ID_INDICATOR_GROUPS, ID_INDICATOR_ACCOUNTS, IDC_FIND_NEXT})
        m_frame.Commands().Unregister(nId);
}

void CCofferView::CreateControls() {
    m_pTree = new CAccountTreeCtrl(this);
    connect(m_pTree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* pCurrent) { OnSelChanged(pCurrent); });
    connect(m_pTree, &CAccountTreeCtrl::TreeChanged, this, &CCofferView::OnTreeChanged);
    connect(m_pTree, &CAccountTreeCtrl::LabelEdited, this, &CCofferView::OnLabelEdited);
    connect(m_pTree, &CDragTreeCtrl::ItemsDropped, this, &CCofferView::OnItemsDropped);
    connect(m_pTree, &CAccountTreeCtrl::ItemContextMenu, this, &CCofferView::ShowContextMenu);
    connect(m_pTree, &QTreeWidget::itemDoubleClicked, this, &CCofferView::OnItemDoubleClicked);
    connect(m_pTree, &CAccountTreeCtrl::ItemEditKey, this, &CCofferView::EditAccount);
    connect(m_pTree, &CAccountTreeCtrl::ItemDeleteKey, this, [this](QTreeWidgetItem* pItem) {
        RunTreeCommand(CAccountTreeCtrl::GetItemLevel(pItem) == 1 ? ID_TREE_GROUP_DELETE
                                                                  : ID_TREE_ACCOUNT_DELETE,
                       pItem);
    });

    m_pUserNameLabel = new QLabel(QString::fromLatin1(IDS_USERNAME_LABEL), this);
    SetControlId(m_pUserNameLabel, IDC_USERNAME_LABEL, "UserNameLabel", m_pUserNameLabel->text());
    m_pUserName = new QLineEdit(this);
    m_pUserName->setReadOnly(true);
    SetControlId(m_pUserName, IDC_USERNAME, "UserName", m_pUserNameLabel->text());

    m_pPasswordLabel = new QLabel(QString::fromLatin1(IDS_PASSWORD_LABEL), this);
    SetControlId(m_pPasswordLabel, IDC_PASSWORD_LABEL, "PasswordLabel", m_pPasswordLabel->text());
    m_pPassword = new QLineEdit(this);
    m_pPassword->setReadOnly(true);
    SetControlId(m_pPassword, IDC_PASSWORD, "Password", m_pPasswordLabel->text());

    const auto makeButton = [this](int nId, const char* pszName, const char* pszTip, int nIcon) {
        auto* pButton = new CDragTextButton(this);
        SetControlId(pButton, nId, pszName, QString::fromLatin1(pszTip));
        pButton->setToolTip(QString::fromLatin1(pszTip));
        pButton->SetIcon(nIcon);
        // Reached with Tab (a keyboard user copies with Space or Enter),
        // never taken by a click, which leaves the focus in the tree.
        pButton->setFocusPolicy(Qt::TabFocus);
        return pButton;
    };
    m_pCopyUserName =
        makeButton(IDC_COPY_USERNAME, "CopyUserName", IDS_COPY_USERNAME_TIP, IDI_USERNAME);
    m_pCopyPassword =
        makeButton(IDC_COPY_PASSWORD, "CopyPassword", IDS_COPY_PASSWORD_TIP, IDI_PASSWORD);
    m_pCopyPassword->SetSecret(true);

    m_pCommentsLabel = new QLabel(QString::fromLatin1(IDS_COMMENTS_LABEL), this);
    SetControlId(m_pCommentsLabel, IDC_COMMENTS_LABEL, "CommentsLabel", m_pCommentsLabel->text());
    m_pComments = new CDragTextEdit(this);
    m_pComments->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The panel shows the account, the account dialog edits it: the text can
    // be selected, copied and dragged out, never changed here.
    m_pComments->setReadOnly(true);
    m_pComments->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_pComments->EnableDragDrop(CDragDropText::DRAG_SOURCE);
    SetControlId(m_pComments, IDC_COMMENTS, "Comments", m_pCommentsLabel->text());

    const auto makeLink = [this](int nId, const char* pszName, const char* pszAccessible) {
        auto* pLink = new CLinkLabel(QString::fromLatin1(IDS_LINK_NONE), this);
        SetControlId(pLink, nId, pszName, QString::fromLatin1(pszAccessible));
        pLink->SetAutoSize(false);
        pLink->SetPrompts(&m_prompts);
        return pLink;
    };
    m_pWebSite = makeLink(IDC_WEBSITE, "WebSite", "Web Site");
    m_pEMail = makeLink(IDC_EMAIL, "EMail", "E-Mail");

    // The gap between the tree and the details, where the splitter is taken.
    m_pSpacer = new QWidget(this);
    SetControlId(m_pSpacer, IDC_SPACER, "Spacer", QString());
    m_pSpacer->setAttribute(Qt::WA_TransparentForMouseEvents);

    m_pDragLine = new QWidget(this);
    m_pDragLine->setObjectName(QStringLiteral("SplitterDragLine"));
    m_pDragLine->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_pDragLine->setAutoFillBackground(true);
    QPalette palette = m_pDragLine->palette();
    palette.setColor(QPalette::Window, QColor(100, 100, 100));
    m_pDragLine->setPalette(palette);
    m_pDragLine->hide();
    ClearDetails();
}

void CCofferView::RegisterCommands() {
    CCommandMap& commands = m_frame.Commands();
    const auto enableWithKey = [this](CCmdUI& ui) { ui.Enable(HasKey()); };
    commands.Register(
        ID_ACCOUNT_ADD, [this] { AddAccount(nullptr); }, enableWithKey);
    commands.Register(
        ID_GROUP_ADD, [this] { AddGroup(); }, enableWithKey);
    commands.Register(
        ID_ITEM_EDIT, [this] { OnItemEdit(); }, enableWithKey);
    commands.Register(
        ID_ITEM_DELETE, [this] { OnItemDelete(); }, enableWithKey);
    commands.Register(
        ID_TOOLS_MASK, [this] { OnToolsMask(); },
        [this](CCmdUI& ui) {
            ui.Enable();
            ui.SetCheck(m_bMaskPasswords);
        });
    commands.Register(
        IDC_FIND_NEXT, [this] { OnFindNext(); }, [](CCmdUI& ui) { ui.Enable(); });
    commands.RegisterUpdate(ID_INDICATOR_GROUPS, [this](CCmdUI& ui) {
        ui.Enable();
        ui.SetText(FormatCount(IDS_GROUPS_FORMAT, CountGroupItems()));
    });
    commands.RegisterUpdate(ID_INDICATOR_ACCOUNTS, [this](CCmdUI& ui) {
        ui.Enable();
        ui.SetText(FormatCount(IDS_ACCOUNTS_FORMAT, CountCurrentGroupAccounts()));
    });
}

bool CCofferView::HasKey() const {
    return !m_doc.m_strKey.empty();
}

bool CCofferView::IsMainMode() const {
    return m_frame.IsMainInterface();
}

QString CCofferView::ToQt(const std::string& strStored) const {
    return QString::fromStdString(m_doc.CodePage().ToUtf8(strStored));
}

void CCofferView::ApplyCodePage() {
    const CCodePage& codePage = m_doc.CodePage();
    m_pTree->SetCodePage(codePage);
    m_pCopyUserName->SetCodePage(codePage);
    m_pCopyPassword->SetCodePage(codePage);
    m_pWebSite->SetCodePage(codePage);
    m_pEMail->SetCodePage(codePage);
}

void CCofferView::OnInitialUpdate() {
    // A new file may come with another code page.
    ApplyCodePage();
    m_hFindFrom = nullptr;
    m_hCurGroup = nullptr;
    m_hCurAccount = nullptr;
    m_strSelectGroup.clear();
    m_strSelectAccount.clear();
    m_nSplitterShown = m_nTreeWidth;
    OnUpdate();
    RebuildLayout();
}

void CCofferView::ClearTree() {
    // The panel goes blank through the usual selection handling first.
    if (m_hRootItem && m_hRootItem->childCount() > 0 &&
        m_pTree->currentItem() != m_hRootItem->child(0))
        m_pTree->setCurrentItem(m_hRootItem->child(0));
    m_bRebuilding = true;
    m_pTree->clear();
    m_hRootItem = nullptr;
    // The search's next start went with the old items: it starts over.
    m_hFindFrom = nullptr;
    m_bRebuilding = false;
}

void CCofferView::ShowNothing() {
    ClearTree();
    m_hCurGroup = m_hCurAccount = nullptr;
    ClearDetails();
    m_pTree->setEnabled(false);
}

void CCofferView::OnEmptied() {
    ShowNothing();
}

void CCofferView::OnPathNameChanged() {
    if (m_hRootItem)
        m_hRootItem->setText(0, QString::fromStdString(FileLabel(m_doc.m_strFileName)));
}

void CCofferView::ResetSearch() {
    m_hFindFrom = nullptr;
}

void CCofferView::OnFindNext() {
    const QString strShown = m_frame.GetSearchText();
    const SFindOptions options{m_frame.SearchBar()->IsMatchCase(),
                               m_frame.SearchBar()->IsMatchWholeWord()};
    std::string strText;
    // A text the code page cannot hold is in no label: nothing is found.
    const bool bStorable = m_doc.CodePage().FromUtf8(strShown.toStdString(), strText);
    std::optional<STreePos> found;
    if (m_hRootItem && bStorable) {
        const CTreeWidgetLabels labels(m_hRootItem, m_pTree->ItemText(m_hRootItem));
        if (!m_hFindFrom && m_hRootItem->childCount() > 0)
            m_hFindFrom = m_hRootItem->child(0);
        if (!m_hFindFrom)
            m_hFindFrom = m_pTree->currentItem();
        found = FindItem(labels, strText, options, labels.PosOf(m_hFindFrom), m_doc.CodePage());
        if (found) {
            m_pTree->SelectItem(labels.ItemAt(*found));
            m_hFindFrom = labels.ItemAt(NextFindStart(labels, *found));
            return;
        }
    }
    m_hFindFrom = nullptr;
    m_prompts.MessageBox(IDS_CANT_FIND + ("\"" + strShown.toStdString() + "\""),
                         EMsgIcon::exclamation);
    m_frame.SearchBar()->Edit()->setFocus(Qt::OtherFocusReason);
}

void CCofferView::OnUpdate() {
    if (!HasKey()) {
        ShowNothing();
        return;
    }
    ClearTree();
    m_pTree->setEnabled(true);
    m_hRootItem = new QTreeWidgetItem();
    // The file's name is UTF-8 like every path, not a stored text.
    m_hRootItem->setText(0, QString::fromStdString(FileLabel(m_doc.m_strFileName)));
    m_hRootItem->setIcon(0, CAccountTreeCtrl::Image(CAccountTreeCtrl::IMAGE_FILE));
    m_hRootItem->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);

    // Groups and accounts are sorted once here and added in bulk, so a file
    // of any size builds in O(n log n).
    QList<QTreeWidgetItem*> groups;
    for (const STreeGroup& group : SortedTree(m_doc.m_listInfo, m_doc.CodePage())) {
        QTreeWidgetItem* pGroupItem = m_pTree->NewItem(group.m_pGroup);
        QList<QTreeWidgetItem*> accounts;
        accounts.reserve(static_cast<qsizetype>(group.m_accounts.size()));
        for (CPasswordInfo* pAccount : group.m_accounts)
            accounts.append(m_pTree->NewItem(pAccount));
        pGroupItem->addChildren(accounts);
        groups.append(pGroupItem);
    }
    m_hRootItem->addChildren(groups);
    m_pTree->addTopLevelItem(m_hRootItem);
    ChooseSelection();
}

void CCofferView::RememberPlace() {
    m_place = SPlace();
    if (!m_hRootItem)
        return;
    m_place.m_bKept = true;
    QTreeWidgetItem* pCurrent = m_pTree->currentItem();
    for (int i = 0; i < m_hRootItem->childCount(); ++i) {
        QTreeWidgetItem* pGroup = m_hRootItem->child(i);
        if (pGroup->isExpanded())
            m_place.m_vecExpanded.push_back(i);
        if (pCurrent == pGroup)
            m_place.m_nGroup = i;
        else if (pCurrent && pCurrent->parent() == pGroup) {
            m_place.m_nGroup = i;
            m_place.m_nAccount = pGroup->indexOfChild(pCurrent);
        }
    }
    m_place.m_nScroll = m_pTree->verticalScrollBar()->value();
}

void CCofferView::RestorePlace() {
    const SPlace place = std::exchange(m_place, SPlace());
    if (!place.m_bKept || !m_hRootItem)
        return;
    const int nGroups = m_hRootItem->childCount();
    // The first selection of a new tree opened a group of its own.
    for (int i = 0; i < nGroups; ++i)
        m_hRootItem->child(i)->setExpanded(std::find(place.m_vecExpanded.begin(),
                                                     place.m_vecExpanded.end(),
                                                     i) != place.m_vecExpanded.end());
    if (place.m_nGroup >= 0 && place.m_nGroup < nGroups) {
        QTreeWidgetItem* pGroup = m_hRootItem->child(place.m_nGroup);
        QTreeWidgetItem* pItem = pGroup;
        if (place.m_nAccount >= 0 && place.m_nAccount < pGroup->childCount())
            pItem = pGroup->child(place.m_nAccount);
        m_pTree->SelectItem(pItem);
    }
    // The scroll range follows the expanded rows only once laid out.
    m_pTree->doItemsLayout();
    m_pTree->verticalScrollBar()->setValue(place.m_nScroll);
}

void CCofferView::ChooseSelection() {
    // Only items of the tree just built are ever stored here.
    QTreeWidgetItem* pGroup = nullptr;
    QTreeWidgetItem* pAccount = nullptr;
    const int nGroups = m_hRootItem->childCount();
    for (int i = 0; i < nGroups && !pAccount; ++i) {
        if (m_hRootItem->child(i)->childCount() > 0) {
            pGroup = m_hRootItem->child(i);
            pAccount = pGroup->child(0);
        }
    }
    if (!pGroup && nGroups > 0)
        pGroup = m_hRootItem->child(0);
    if (!m_strSelectGroup.empty()) {
        pGroup = FindGroupItem(m_strSelectGroup);
        pAccount = nullptr;
        m_strSelectGroup.clear();
    }
    if (!m_strSelectAccount.empty()) {
        pAccount = nullptr;
        for (int i = 0; pGroup && i < pGroup->childCount() && !pAccount; ++i) {
            if (CAccountTreeCtrl::GetItemData(pGroup->child(i))->Account() == m_strSelectAccount)
                pAccount = pGroup->child(i);
        }
        m_strSelectAccount.clear();
    }
    m_hCurGroup = pGroup;
    m_hCurAccount = pAccount;
    if (m_hCurGroup)
        m_pTree->SelectItem(m_hCurAccount ? m_hCurAccount : m_hCurGroup);
}

QTreeWidgetItem* CCofferView::FindGroupItem(const std::string& strLabel) const {
    if (!m_hRootItem)
        return nullptr;
    for (int i = 0; i < m_hRootItem->childCount(); ++i) {
        QTreeWidgetItem* pItem = m_hRootItem->child(i);
        if (CAccountTreeCtrl::GetItemData(pItem)->Group() == strLabel)
            return pItem;
    }
    return nullptr;
}

void CCofferView::OnSelChanged(QTreeWidgetItem* pItem) {
    if (m_bRebuilding)
        return;
    switch (CAccountTreeCtrl::GetItemLevel(pItem)) {
    case 0:
        return; // the file item: the panel keeps what it shows
    case 2:
        m_hCurAccount = pItem;
        m_hCurGroup = pItem->parent();
        ShowAccount(*CAccountTreeCtrl::GetItemData(pItem));
        return;
    default:
        m_hCurGroup = pItem;
        m_hCurAccount = nullptr;
        ClearDetails();
        return;
    }
}

std::string CCofferView::ShownPassword(const CPasswordInfo& info) const {
    if (info.Password().empty())
        return {};
    return m_bMaskPasswords ? std::string(IDS_MASKED_PASSWORD) : info.Password();
}

void CCofferView::ShowAccount(const CPasswordInfo& info) {
    m_pCopyUserName->SetDragText(info.UserName());
    m_pCopyPassword->SetDragText(info.Password());
    m_pCopyUserName->setEnabled(!info.UserName().empty());
    m_pCopyPassword->setEnabled(!info.Password().empty());
    m_pUserName->setText(ToQt(info.UserName()));
    m_pPassword->setText(ToQt(ShownPassword(info)));
    // A text longer than its box shows its beginning, not its end.
    m_pUserName->setCursorPosition(0);
    m_pPassword->setCursorPosition(0);
    m_pComments->setPlainText(ToQt(CommentsForDisplay(info.Comments())));
    ShowLink(m_pEMail, info.EMail(),
             info.EMail().empty() ? std::string() : IDS_MAILTO + info.EMail());
    ShowLink(m_pWebSite, info.WebSite(), info.WebSite());
}

void CCofferView::ShowLink(CLinkLabel* pLink, const std::string& strText,
                           const std::string& strTarget) {
    pLink->setText(ToQt(strText));
    pLink->SetLinkTarget(strTarget);
    pLink->setEnabled(!strText.empty());
    pLink->setToolTip(strTarget.empty() ? QString() : ToQt(strTarget));
    pLink->update();
}

void CCofferView::ClearDetails() {
    m_pCopyUserName->SetDragText({});
    m_pCopyPassword->SetDragText({});
    m_pCopyUserName->setEnabled(false);
    m_pCopyPassword->setEnabled(false);
    m_pUserName->clear();
    m_pPassword->clear();
    m_pComments->clear();
    ShowLink(m_pWebSite, {}, {});
    ShowLink(m_pEMail, {}, {});
}

void CCofferView::OnToolsMask() {
    m_bMaskPasswords = !m_bMaskPasswords;
    if (m_hCurAccount)
        m_pPassword->setText(ToQt(ShownPassword(*CAccountTreeCtrl::GetItemData(m_hCurAccount))));
}

void CCofferView::SetMaskPasswords(bool bMask) {
    if (bMask != m_bMaskPasswords)
        OnToolsMask();
}

void CCofferView::AfterChange() {
    m_doc.OnContentChanged();
}

void CCofferView::OnItemEdit() {
    switch (CAccountTreeCtrl::GetItemLevel(m_pTree->currentItem())) {
    case 1:
        EditGroup(m_hCurGroup);
        break;
    case 2:
        EditAccount(m_hCurAccount);
        break;
    default:
        break;
    }
}

void CCofferView::OnItemDelete() {
    switch (CAccountTreeCtrl::GetItemLevel(m_pTree->currentItem())) {
    case 1:
        DeleteGroup(m_hCurGroup);
        break;
    case 2:
        DeleteAccount(m_hCurAccount);
        break;
    default:
        break;
    }
}

void CCofferView::OnItemDoubleClicked(QTreeWidgetItem* pItem) {
    if (CAccountTreeCtrl::GetItemLevel(pItem) == 2)
        EditAccount(pItem);
}

SAccountDlgData CCofferView::NewDialogData() const {
    SAccountDlgData dlg;
    dlg.m_bMaskPasswords = m_bMaskPasswords;
    dlg.m_generator.m_nFlags = m_frame.m_nGenFlags;
    dlg.m_generator.m_strBegin = m_frame.m_strGenBegin;
    dlg.m_generator.m_strEnd = m_frame.m_strGenEnd;
    dlg.m_generator.m_strLength = m_frame.m_strGenLength;
    dlg.m_fnGeneratorSettings = [this](SGeneratorSettings& generator) {
        m_frame.OpenOptions(OPTIONS_PAGE_GENERATOR);
        generator = {m_frame.m_nGenFlags, m_frame.m_strGenBegin, m_frame.m_strGenEnd,
                     m_frame.m_strGenLength};
    };
    return dlg;
}

void CCofferView::SelectNeighbour(QTreeWidgetItem* pItem) {
    QTreeWidgetItem* pParent = pItem->parent();
    const int nIndex = pParent->indexOfChild(pItem);
    QTreeWidgetItem* pNext = nIndex + 1 < pParent->childCount() ? pParent->child(nIndex + 1)
                             : nIndex > 0                       ? pParent->child(nIndex - 1)
                                                                : pParent;
    m_pTree->SelectItem(pNext);
    if (pNext == m_hRootItem) {
        // The file item keeps the panel as it is, but nothing it showed of
        // the item going away may stay current.
        m_hCurGroup = m_hCurAccount = nullptr;
        ClearDetails();
    }
}

void CCofferView::RemoveItem(QTreeWidgetItem* pItem) {
    for (QTreeWidgetItem* p = m_hFindFrom; p; p = p->parent()) {
        if (p == pItem)
            m_hFindFrom = nullptr;
    }
    if (m_hCurAccount && (m_hCurAccount == pItem || m_hCurAccount->parent() == pItem))
        m_hCurAccount = nullptr;
    if (m_hCurGroup == pItem)
        m_hCurGroup = nullptr;
    m_bRebuilding = true;
    delete pItem;
    m_bRebuilding = false;
}

void CCofferView::ShowNewAccount(QTreeWidgetItem* pGroupItem, CPasswordInfo* pInfo) {
    QTreeWidgetItem* pItem = m_pTree->NewItem(pInfo);
    m_pTree->InsertSorted(pGroupItem, pItem);
    m_hCurGroup = pGroupItem;
    m_hCurAccount = pItem;
    m_pTree->SelectItem(pItem);
}

void CCofferView::AddAccount(QTreeWidgetItem* pGroup) {
    if (!IsMainMode() || !HasKey())
        return;
    if (!pGroup)
        pGroup = m_hCurGroup;
    SAccountDlgData dlg = NewDialogData();
    if (pGroup)
        dlg.m_strGroup = CAccountTreeCtrl::GetItemData(pGroup)->Group();
    if (!m_editPrompts.RunAccountDlg(dlg))
        return;
    CPasswordInfo* pNew = m_doc.AddAccount(dlg.m_strGroup, AccountTexts(dlg));
    QTreeWidgetItem* pGroupItem = FindGroupItem(dlg.m_strGroup);
    if (!pNew || !pGroupItem)
        return;
    ShowNewAccount(pGroupItem, pNew);
    AfterChange();
}

void CCofferView::EditAccount(QTreeWidgetItem* pItem) {
    if (!pItem)
        pItem = m_hCurAccount;
    if (!IsMainMode() || CAccountTreeCtrl::GetItemLevel(pItem) != 2)
        return;
    CPasswordInfo* pOld = CAccountTreeCtrl::GetItemData(pItem);
    SAccountDlgData dlg = NewDialogData();
    dlg.m_strGroup = CAccountTreeCtrl::GetItemData(pItem->parent())->Group();
    FillAccountDlgData(dlg, *pOld);
    if (!m_editPrompts.RunAccountDlg(dlg))
        return;
    QTreeWidgetItem* pGroupItem = FindGroupItem(dlg.m_strGroup);
    if (!pGroupItem)
        return;
    // The item goes before its record, so nothing ever shows a record that
    // is gone.
    RemoveItem(pItem);
    CPasswordInfo* pNew = m_doc.ReplaceAccount(pOld, dlg.m_strGroup, AccountTexts(dlg));
    if (pNew)
        ShowNewAccount(pGroupItem, pNew);
    AfterChange();
}
void CCofferView::DeleteAccount(QTreeWidgetItem* pItem) {
    if (!pItem)
        pItem = m_hCurAccount;
    if (!pItem || CAccountTreeCtrl::GetItemLevel(pItem) != 2)
        return;
    if (m_frame.m_bDeleteConfirmA) {
        const std::string strQuestion =
            IDS_CONFIRM_DELETE_ACCOUNT + m_doc.CodePage().ToUtf8(m_pTree->ItemText(pItem)) + "?";
        if (m_prompts.MessageBox(strQuestion, EMsgIcon::question, EMsgButtons::yesNo) !=
            EMsgAnswer::yes)
            return;
    }
    if (!IsMainMode())
        return;
    if (pItem == m_hCurAccount)
        SelectNeighbour(pItem);
    CPasswordInfo* pRecord = CAccountTreeCtrl::GetItemData(pItem);
    RemoveItem(pItem);
    m_doc.DeleteAccount(pRecord);
    // The record is gone before the save, so an automatic save never writes it.
    AfterChange();
}

void CCofferView::AddGroup() {
    if (!IsMainMode() || !HasKey() || !m_hRootItem)
        return;
    std::string strName;
    if (!m_editPrompts.RunAddGroup(strName))
        return;
    QTreeWidgetItem* pItem = m_pTree->NewItem(m_doc.AddGroup(strName));
    m_pTree->InsertSorted(m_hRootItem, pItem);
    m_hCurGroup = pItem;
    m_hCurAccount = nullptr;
    m_pTree->SelectItem(pItem);
    AfterChange();
}

void CCofferView::EditGroup(QTreeWidgetItem* pItem) {
    if (!pItem)
        pItem = m_hCurGroup;
    if (CAccountTreeCtrl::GetItemLevel(pItem) != 1)
        return;
    std::string strGroup = CAccountTreeCtrl::GetItemData(pItem)->Group();
    std::string strName;
    if (!m_editPrompts.RunEditGroup(strGroup, strName))
        return;
    QTreeWidgetItem* pRenamed = FindGroupItem(strGroup);
    if (!pRenamed)
        return;
    m_doc.RenameGroup(CAccountTreeCtrl::GetItemData(pRenamed), strName);
    // The group moves to its new place in the alphabet, accounts and all.
    ResortItem(pRenamed, strName);
    AfterChange();
}

void CCofferView::ResortItem(QTreeWidgetItem* pItem, const std::string& strLabel) {
    QTreeWidgetItem* pParent = pItem->parent();
    const bool bExpanded = pItem->isExpanded();
    m_bRebuilding = true;
    pParent->takeChild(pParent->indexOfChild(pItem));
    m_pTree->SetItemText(pItem, strLabel);
    m_pTree->InsertSorted(pParent, pItem);
    m_bRebuilding = false;
    pItem->setExpanded(bExpanded);
    m_pTree->SelectItem(pItem);
    OnSelChanged(pItem);
}

const char* CCofferView::RenameRefusal(QTreeWidgetItem* pItem, const std::string& strName) const {
    const bool bGroup = CAccountTreeCtrl::GetItemLevel(pItem) == 1;
    if (IsBlank(strName))
        return bGroup ? IDS_GROUP_EMPTY : IDS_ACCOUNT_EMPTY;
    const CPasswordInfo* pInfo = CAccountTreeCtrl::GetItemData(pItem);
    const bool bFree =
        bGroup ? m_doc.IsGroupNameFree(strName)
               : m_doc.IsAccountNameFree(CAccountTreeCtrl::GetItemData(pItem->parent())->Group(),
                                         strName, pInfo);
    return bFree ? nullptr : bGroup ? IDS_GROUP_SAME : IDS_ACCOUNT_SAME;
}

void CCofferView::OnLabelEdited(QTreeWidgetItem* pItem, const QString& strText) {
    const int nLevel = CAccountTreeCtrl::GetItemLevel(pItem);
    if (nLevel == 0 || !HasKey())
        return;
    std::string strName;
    char32_t nBad = 0;
    if (!m_doc.CodePage().FromUtf8(strText.toStdString(), strName, &nBad)) {
        m_prompts.MessageBox(CKeyDialogRules::BadCharacterMessage(nBad, IDS_TEXT_BAD_CHARACTER),
                             EMsgIcon::exclamation);
        return;
    }
    CPasswordInfo* pInfo = CAccountTreeCtrl::GetItemData(pItem);
    const CPasswordInfo::EText eName = nLevel == 1 ? CPasswordInfo::group : CPasswordInfo::account;
    if (strName == pInfo->TextView(eName) && !IsBlank(strName))
        return;
    if (const char* pszRefusal = RenameRefusal(pItem, strName)) {
        m_prompts.MessageBox(pszRefusal, EMsgIcon::exclamation);
        return;
    }
    // The name is kept as typed, blanks and all.
    if (nLevel == 1)
        m_doc.RenameGroup(pInfo, strName);
    else
        m_doc.RenameAccount(pInfo, strName);
    ResortItem(pItem, strName);
    emit m_pTree->TreeChanged();
    // A new name is new content: saved at once when automatic saving is on.
    AfterChange();
}

void CCofferView::OnItemsDropped(EDropAction eAction, QTreeWidgetItem* pDrag,
                                 QTreeWidgetItem* pTarget) {
    const bool bGroup = CAccountTreeCtrl::GetItemLevel(pDrag) == 1;
    if (!HasKey() || CAccountTreeCtrl::GetItemLevel(pTarget) != 1)
        return;
    CTreeDrop drop(*m_pTree, m_doc, m_editPrompts, [this](QTreeWidgetItem* p) { RemoveItem(p); });
    QTreeWidgetItem* pResult = nullptr;
    switch (eAction) {
    case EDropAction::leftDrop:
        // A dropped account moves; a dropped group gives copies of its
        // accounts and keeps its own.
        pResult =
            bGroup ? drop.CopyChildren(pDrag, pTarget, false) : drop.CopyItem(pDrag, pTarget, true);
        break;
    case EDropAction::moveHere:
    case EDropAction::copyHere:
        if (!bGroup)
            pResult = drop.CopyItem(pDrag, pTarget, eAction == EDropAction::moveHere);
        break;
    case EDropAction::moveAllHere:
    case EDropAction::copyAllHere:
        if (bGroup)
            pResult = drop.CopyChildren(pDrag, pTarget, eAction == EDropAction::moveAllHere);
        break;
    }
    // A copy leaves the selection where it was.
    if (pResult && eAction != EDropAction::copyHere && eAction != EDropAction::copyAllHere)
        m_pTree->SelectItem(pResult);
    // Items that went may have taken the selection with them.
    OnSelChanged(m_pTree->currentItem());
    if (drop.HasChanged()) {
        emit m_pTree->TreeChanged();
        AfterChange();
    }
}

void CCofferView::DeleteGroup(QTreeWidgetItem* pItem) {
    if (!pItem)
        pItem = m_hCurGroup;
    if (CAccountTreeCtrl::GetItemLevel(pItem) != 1)
        return;
    std::string strGroup = CAccountTreeCtrl::GetItemData(pItem)->Group();
    if (!m_editPrompts.RunDeleteGroup(strGroup))
        return;
    QTreeWidgetItem* pDeleted = FindGroupItem(strGroup);
    if (!pDeleted)
        return;
    if (pDeleted == m_hCurGroup)
        SelectNeighbour(pDeleted);
    CPasswordInfo* pRecord = CAccountTreeCtrl::GetItemData(pDeleted);
    RemoveItem(pDeleted);
    m_doc.DeleteGroup(pRecord);
    AfterChange();
}

void CCofferView::OnTreeChanged() {
    std::vector<CPasswordInfo*> order;
    order.reserve(m_doc.m_listInfo.size());
    for (int i = 0; m_hRootItem && i < m_hRootItem->childCount(); ++i) {
        QTreeWidgetItem* pGroup = m_hRootItem->child(i);
        order.push_back(CAccountTreeCtrl::GetItemData(pGroup));
        for (int j = 0; j < pGroup->childCount(); ++j)
            order.push_back(CAccountTreeCtrl::GetItemData(pGroup->child(j)));
    }
    m_doc.RebuildOrder(order);
    m_doc.OnOrderChanged();
}

int CCofferView::CountGroupItems() const {
    return m_hRootItem ? m_hRootItem->childCount() : 0;
}

int CCofferView::CountCurrentGroupAccounts() const {
    return m_hCurGroup ? m_hCurGroup->childCount() : 0;
}

void CCofferView::SelectByNames(const std::string& strGroup, const std::string& strAccount) {
    m_strSelectGroup = strGroup;
    m_strSelectAccount = strAccount;
    OnUpdate();
}

std::string CCofferView::CurrentGroupLabel() const {
    return m_hCurGroup ? CAccountTreeCtrl::GetItemData(m_hCurGroup)->Group() : std::string();
}

std::string CCofferView::CurrentAccountLabel() const {
    return m_hCurAccount ? CAccountTreeCtrl::GetItemData(m_hCurAccount)->Account() : std::string();
}

void CCofferView::ShowContextMenu(QTreeWidgetItem* pItem, const QPoint& ptGlobal) {
    QMenu menu(this);
    const auto add = [&menu](const char* pszText, int nId, bool bEnabled) {
        QAction* pAction = menu.addAction(QString::fromLatin1(pszText));
        pAction->setProperty("commandId", nId);
        pAction->setEnabled(bEnabled);
        return pAction;
    };
    switch (CAccountTreeCtrl::GetItemLevel(pItem)) {
    case 0:
        menu.setObjectName(QStringLiteral("TREE_FILE"));
        add(IDS_TREE_FILE_ADDGROUP, ID_TREE_FILE_ADDGROUP, true);
        add(IDS_TREE_FILE_PROPERTIES, ID_FILE_PROPERTY_CONTEXT,
            m_frame.Commands().Update(ID_FILE_PROPERTY_CONTEXT).bEnabled);
        break;
    case 1:
        menu.setObjectName(QStringLiteral("TREE_GROUP"));
        add(IDS_TREE_GROUP_EDIT, ID_TREE_GROUP_EDIT, true);
        add(IDS_TREE_GROUP_DELETE, ID_TREE_GROUP_DELETE, true);
        add(IDS_TREE_GROUP_ADDGROUP, ID_TREE_GROUP_ADDGROUP, true);
        add(IDS_TREE_GROUP_ADDACCOUNT, ID_TREE_GROUP_ADDACCOUNT, true);
        break;
    default:
        menu.setObjectName(QStringLiteral("TREE_ACCOUNT"));
        add(IDS_TREE_ACCOUNT_EDIT, ID_TREE_ACCOUNT_EDIT, true);
        add(IDS_TREE_ACCOUNT_DELETE, ID_TREE_ACCOUNT_DELETE, true);
        add(IDS_TREE_ACCOUNT_ADD, ID_TREE_ACCOUNT_ADD, true);
        break;
    }
    QAction* pChosen = menu.exec(ptGlobal);
    if (pChosen)
        RunTreeCommand(pChosen->property("commandId").toInt(), pItem);
}

void CCofferView::RunTreeCommand(int nId, QTreeWidgetItem* pItem) {
    switch (nId) {
    case ID_TREE_ACCOUNT_EDIT:
        EditAccount(pItem);
        break;
    case ID_TREE_ACCOUNT_DELETE:
        DeleteAccount(pItem);
        break;
    case ID_TREE_ACCOUNT_ADD:
        AddAccount(pItem->parent());
        break;
    case ID_TREE_GROUP_EDIT:
        EditGroup(pItem);
        break;
    case ID_TREE_GROUP_DELETE:
        DeleteGroup(pItem);
        break;
    case ID_TREE_GROUP_ADDACCOUNT:
        AddAccount(pItem);
        break;
    case ID_TREE_GROUP_ADDGROUP:
    case ID_TREE_FILE_ADDGROUP:
        AddGroup();
        break;
    case ID_FILE_PROPERTY_CONTEXT:
        m_frame.RunCommand(ID_FILE_PROPERTY_CONTEXT);
        break;
    default:
        break;
    }
}

int CCofferView::CommentsMinHeight() const {
    int nHeight = 18;
    if (!m_frame.m_bShowToolBar)
        nHeight += 24;
    if (!m_frame.m_bShowStatusBar)
        nHeight += 18;
    if (!m_frame.m_bShowSearchBar)
        nHeight += 39;
    return nHeight;
}

void CCofferView::RebuildLayout() {
    const auto natural = [this](int nId, unsigned nMode) {
        const QSize size = FindControl(nId)->sizeHint();
        return CreateItem(nId, nMode, size.width(), size.height());
    };
    const auto row = [&](int nBox, int nButton) {
        CLayoutPanePtr pRow = CreatePane(LAY_HORIZONTAL, LAY_FIXED_VERT, 5, 0);
        pRow->AddItem(CreateItem(nBox, LAY_GREEDY, 0, 0, 60, 18));
        pRow->AddItem(natural(nButton, LAY_FIXED));
        return pRow;
    };
    const auto link = [this](int nId) {
        const int nHeight = FindControl(nId)->sizeHint().height();
        return CreateItem(nId, LAY_FIXED_VERT, 0, nHeight, 60, nHeight);
    };

    CLayoutPanePtr pRoot = CreateRootPane(LAY_HORIZONTAL);
    pRoot->AddItem(CreateItem(IDC_TREE, LAY_FIXED_HORZ, m_nTreeWidth + 1, 0, 0, 0));
    pRoot->AddItem(CreateItem(IDC_SPACER, LAY_FIXED_HORZ, SPACER_WIDTH, 0, 0, 0));
    CLayoutPanePtr pColumn = CreatePane(LAY_VERTICAL, LAY_GREEDY, 5, 5);
    pColumn->AddItem(natural(IDC_USERNAME_LABEL, LAY_FIXED));
    pColumn->AddPane(row(IDC_USERNAME, IDC_COPY_USERNAME));
    pColumn->AddItem(natural(IDC_PASSWORD_LABEL, LAY_FIXED));
    pColumn->AddPane(row(IDC_PASSWORD, IDC_COPY_PASSWORD));
    pColumn->AddItem(natural(IDC_COMMENTS_LABEL, LAY_FIXED));
    pColumn->AddItem(CreateItem(IDC_COMMENTS, LAY_GREEDY, 0, 0, 60, CommentsMinHeight()));
    pColumn->AddItem(link(IDC_WEBSITE));
    pColumn->AddItem(link(IDC_EMAIL));
    pRoot->AddPane(pColumn);
    SetRootPane(pRoot);
    update();
}

bool CCofferView::IsOverSplitter(int x, int nTolerance) const {
    return std::abs(x - SplitterX()) < nTolerance;
}

void CCofferView::paintEvent(QPaintEvent* pEvent) {
    ETSLayoutFormView::paintEvent(pEvent);
    QPainter painter(this);
    painter.setPen(Qt::black);
    const int x = m_nSplitterShown + SPLITTER_OFFSET;
    painter.drawLine(x, 0, x, height() - 1);
}

void CCofferView::ShowDragLine() {
    // A child of its own above the panes: a line painted by the view itself
    // would be hidden by the controls it crosses.
    m_pDragLine->setGeometry(SplitterX(), 0, 1, height());
    m_pDragLine->setVisible(m_nTreeWidth != m_nSplitterShown);
    m_pDragLine->raise();
}

void CCofferView::mousePressEvent(QMouseEvent* pEvent) {
    const int x = pEvent->position().toPoint().x();
    if (pEvent->button() == Qt::LeftButton && IsOverSplitter(x, 2)) {
        grabMouse(Qt::SizeHorCursor);
        m_bSplitterDrag = true;
        ShowDragLine();
        return;
    }
    ETSLayoutFormView::mousePressEvent(pEvent);
}

void CCofferView::mouseMoveEvent(QMouseEvent* pEvent) {
    const int x = pEvent->position().toPoint().x();
    if (!m_bSplitterDrag) {
        setCursor(IsOverSplitter(x, 3) ? Qt::SizeHorCursor : Qt::ArrowCursor);
        return;
    }
    const int nWidth = x - SPLITTER_OFFSET;
    if (nWidth > SPLITTER_MIN && x < width() - SPLITTER_RIGHT_MARGIN) {
        m_nTreeWidth = nWidth;
        ShowDragLine();
    }
}

void CCofferView::mouseReleaseEvent(QMouseEvent* pEvent) {
    if (m_bSplitterDrag && pEvent->button() == Qt::LeftButton) {
        releaseMouse();
        m_bSplitterDrag = false;
        m_nSplitterShown = m_nTreeWidth;
        m_pDragLine->hide();
        RebuildLayout();
        return;
    }
    ETSLayoutFormView::mouseReleaseEvent(pEvent);
}
