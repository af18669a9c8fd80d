// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/view/CofferView.h"

#include "core/base/CommandIds.h"
#include "core/base/EditPrompts.h"
#include "core/base/OptionsData.h"
#include "core/base/Profile.h"
#include "core/base/Prompts.h"
#include "core/base/SettingsSchema.h"
#include "core/base/StringTable.h"
#include "core/base/TextUtil.h"
#include "core/seal/SecretBuffer.h"
#include "core/shell/CommandMap.h"
#include "core/store/AccountDlgData.h"
#include "core/store/CodePage.h"
#include "core/store/CofferDoc.h"
#include "core/store/FileSession.h"
#include "core/store/KeyDialogRules.h"
#include "core/store/RecentFileList.h"
#include "core/tree/TreeOrder.h"
#include "core/tree/TreeSearch.h"
#include "gui/controls/DragTextButton.h"
#include "gui/controls/DragTextEdit.h"
#include "gui/controls/LinkLabel.h"
#include "gui/model/DocNotifier.h"
#include "gui/model/RecordTreeModel.h"
#include "gui/settings/Settings.h"
#include "gui/view/AccountTreeCtrl.h"
#include "gui/view/FieldList.h"
#include "gui/view/LabelEditDelegate.h"
#include "gui/view/OtpPanel.h"
#include "gui/view/StartHint.h"
#include "gui/view/TreeDrop.h"
#include "gui/view/TreeFilter.h"
#include "gui/view/ViewHost.h"
#include "gui/view/ViewTexts.h"
#include "platform/Clipboard.h"
#include "platform/Translations.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>

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

// Characters of the average width that a typical account name takes, with
// the tree's indentation and icon on top.
constexpr int TREE_NAME_CHARS = 22;

} // namespace

CCofferView::CCofferView(CFileSession& session, CRecordTreeModel& model, CPrompts& prompts,
                         CEditPrompts& editPrompts, CViewHost& host, CSettings& settings,
                         QWidget* pParent)
    : ETSLayoutFormView(pParent), m_session(session), m_doc(session.Doc()), m_prompts(prompts),
      m_editPrompts(editPrompts), m_host(host), m_settings(settings),
      m_importCommand(session, prompts, editPrompts) {
    setObjectName(QStringLiteral("CofferView"));
    m_pModel = &model;
    m_bMaskShown = IsMaskPasswords();
    m_nTreeWidth = static_cast<int>(m_settings.Values().m_nTreeWidth);
    setMouseTracking(true);
    CreateControls();
    // A stored width stays (the user dragged it there); without one the
    // tree fits a typical name in its font, whatever the font's size, and
    // that width is kept from now on.
    if (m_nTreeWidth == 0) {
        m_nTreeWidth = DefaultTreeWidth();
        KeepTreeWidth();
    }
    m_nSplitterShown = m_nTreeWidth;
    connect(&m_settings, &CSettings::Changed, this, &CCofferView::OnSettingsChanged);
    ApplyCodePage();
    RegisterCommands();
    UpdateStartHint();
}

int CCofferView::DefaultTreeWidth() const {
    const int nChar = m_pTree->fontMetrics().averageCharWidth();
    const int nIcon = m_pTree->style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, m_pTree);
    // The file and group levels indent an account's name.
    return std::max(SPLITTER_MIN + 1,
                    TREE_NAME_CHARS * nChar + 2 * m_pTree->indentation() + nIcon + nChar);
}

CCofferView::~CCofferView() {
    for (int nId : {ID_ACCOUNT_ADD, ID_GROUP_ADD, ID_ITEM_EDIT, ID_ITEM_DELETE, ID_TOOLS_MASK,
                    ID_TOOLS_HEALTH, ID_INDICATOR_GROUPS, ID_INDICATOR_ACCOUNTS, IDC_FIND_NEXT,
                    ID_EDIT_COPY_PASSWORD, ID_EDIT_COPY_USERNAME, ID_EDIT_COPY_NAME})
        m_host.Commands().Unregister(nId);
}

void CCofferView::CreateControls() {
    m_pTree = new CAccountTreeCtrl(*m_pModel, this);
    // Whoever builds the model again (the notifier, a command of the view),
    // the tree's selection changes of the meantime are no choice of the
    // user's.
    connect(m_pModel, &QAbstractItemModel::modelAboutToBeReset, this,
            [this] { m_bRebuilding = true; });
    // A file saved in another format may now hold its texts in another code
    // page (a database's UTF-8).
    connect(m_pModel, &QAbstractItemModel::modelReset, this, [this] {
        m_bRebuilding = false;
        ApplyCodePage();
        if (m_bOtpRow != m_doc.IsDatabase())
            RebuildLayout();
    });
    connect(m_pTree, &CAccountTreeCtrl::CurrentItemChanged, this, &CCofferView::OnSelChanged);
    connect(m_pTree, &CAccountTreeCtrl::CurrentItemChanged, this, &CCofferView::CurrentChanged);
    connect(m_pTree, &CAccountTreeCtrl::LabelEdited, this, &CCofferView::OnLabelEdited);
    connect(m_pTree, &CDragTreeCtrl::ItemsDropped, this, &CCofferView::OnItemsDropped);
    connect(m_pTree, &CAccountTreeCtrl::ItemContextMenu, this, &CCofferView::ShowContextMenu);
    connect(m_pTree, &QTreeView::doubleClicked, this, &CCofferView::OnItemDoubleClicked);
    connect(m_pTree, &CAccountTreeCtrl::TypedToFilter, this, &CCofferView::StartFilter);
    connect(m_pTree, &CAccountTreeCtrl::CurrentItemChanged, this, [this] {
        if (IsFiltering() && !m_pTreeFilter->IsMoving() && !m_bRebuilding)
            m_pTreeFilter->NotePicked();
    });
    connect(m_pTree, &CAccountTreeCtrl::ItemEditKey, this,
            [this](const QModelIndex& item) { EditAccount(item); });
    connect(m_pTree, &CAccountTreeCtrl::ItemDeleteKey, this, [this](const QModelIndex& item) {
        RunTreeCommand(CAccountTreeCtrl::GetItemLevel(item) == 1 ? ID_TREE_GROUP_DELETE
                                                                 : ID_TREE_ACCOUNT_DELETE,
                       item);
    });

    m_pFilter = new QLineEdit(this);
    SetControlId(m_pFilter, IDC_FILTER, "Filter", TrText(IDS_FILTER_NAME));
    m_pFilter->setPlaceholderText(TrText(IDS_FILTER_NAME));
    m_pFilter->setClearButtonEnabled(true);
    m_pFilter->setEnabled(false);
    connect(m_pFilter, &QLineEdit::textChanged, this, &CCofferView::OnFilterChanged);
    m_pTreeFilter = std::make_unique<CTreeFilter>(*m_pTree, *m_pModel);
    m_refilter.setSingleShot(true);
    m_refilter.setInterval(0);
    connect(&m_refilter, &QTimer::timeout, this, [this] {
        m_pTreeFilter->Reapply();
        m_host.RequestCommandUpdate();
    });
    auto* pFilterKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_K), this);
    connect(pFilterKey, &QShortcut::activated, this, &CCofferView::FocusFilter);

    // The account's name heads its details: the tree may show it cut off,
    // or not at all while the filter's field has the focus.
    m_pAccountName = new QLabel(this);
    m_pAccountName->setProperty("controlId", IDC_ACCOUNT_NAME);
    m_pAccountName->setObjectName(QStringLiteral("AccountName"));
    m_pAccountName->setTextFormat(Qt::PlainText);
    m_pAccountName->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont nameFont = m_pAccountName->font();
    nameFont.setBold(true);
    m_pAccountName->setFont(nameFont);

    m_pUserNameLabel = new QLabel(TrText(IDS_USERNAME_LABEL), this);
    SetControlId(m_pUserNameLabel, IDC_USERNAME_LABEL, "UserNameLabel", m_pUserNameLabel->text());
    m_pUserName = new QLineEdit(this);
    m_pUserName->setReadOnly(true);
    SetControlId(m_pUserName, IDC_USERNAME, "UserName", m_pUserNameLabel->text());

    m_pPasswordLabel = new QLabel(TrText(IDS_PASSWORD_LABEL), this);
    SetControlId(m_pPasswordLabel, IDC_PASSWORD_LABEL, "PasswordLabel", m_pPasswordLabel->text());
    m_pPassword = new QLineEdit(this);
    m_pPassword->setReadOnly(true);
    SetControlId(m_pPassword, IDC_PASSWORD, "Password", m_pPasswordLabel->text());

    const auto makeButton = [this](int nId, const char* pszName, const char* pszTip, int nIcon) {
        auto* pButton = new CDragTextButton(this);
        SetControlId(pButton, nId, pszName, TrText(pszTip));
        pButton->setToolTip(TrText(pszTip));
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

    m_pCommentsLabel = new QLabel(TrText(IDS_COMMENTS_LABEL), this);
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
        auto* pLink = new CLinkLabel(TrText(IDS_LINK_NONE), this);
        SetControlId(pLink, nId, pszName, TrText(pszAccessible));
        pLink->SetAutoSize(false);
        pLink->SetPrompts(&m_prompts);
        return pLink;
    };
    m_pWebSite = makeLink(IDC_WEBSITE, "WebSite", KH_TEXT("Keyhaven", "Web Site"));
    m_pEMail = makeLink(IDC_EMAIL, "EMail", KH_TEXT("Keyhaven", "E-Mail"));
    m_pOtp = new COtpPanel(m_doc, this);
    m_pFieldsLabel = new QLabel(TrText(IDS_FIELDS_LABEL), this);
    SetControlId(m_pFieldsLabel, IDC_FIELDS_LABEL, "FieldsLabel", m_pFieldsLabel->text());
    m_pFields = new CFieldList(this);
    SetControlId(m_pFields, IDC_FIELDS, "Fields", m_pFieldsLabel->text());

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
    m_pStartHint = new CStartHint(m_host, this);
    m_pStartHint->hide();
    ClearDetails();
}

void CCofferView::RegisterCommands() {
    CCommandMap& commands = m_host.Commands();
    // The panes' counts follow the current item.
    connect(this, &CCofferView::CurrentChanged, this, [this] { m_host.RequestCommandUpdate(); });
    const auto enableWithKey = [this](CCmdUI& ui) { ui.Enable(HasKey()); };
    commands.Register(
        ID_ACCOUNT_ADD, [this] { AddAccount(); }, enableWithKey);
    commands.Register(
        ID_GROUP_ADD, [this] { AddGroup(); }, enableWithKey);
    commands.Register(
        ID_ITEM_EDIT, [this] { OnItemEdit(); }, enableWithKey);
    commands.Register(
        ID_ITEM_DELETE, [this] { OnItemDelete(); }, enableWithKey);
    commands.Register(
        ID_FILE_IMPORT,
        [this] {
            if (IsMainMode())
                m_importCommand.OnFileImport(
                    [this](const SImportShown& shown) { ShowImported(shown); });
        },
        [this](CCmdUI& ui) {
            ui.Enable(m_importCommand.IsEnabled() && IsMainMode() && !m_host.IsLocked());
        });
    commands.Register(
        ID_TOOLS_HEALTH, [this] { OnToolsHealth(); },
        [this](CCmdUI& ui) { ui.Enable(HasKey() && IsMainMode() && !m_host.IsLocked()); });
    commands.Register(
        ID_TOOLS_MASK, [this] { OnToolsMask(); },
        [this](CCmdUI& ui) {
            ui.Enable();
            ui.SetCheck(IsMaskPasswords());
        });
    commands.Register(
        IDC_FIND_NEXT, [this] { OnFindNext(); }, [](CCmdUI& ui) { ui.Enable(); });
    // The copy commands take the tree's current item.
    for (const int nId : {ID_EDIT_COPY_PASSWORD, ID_EDIT_COPY_USERNAME, ID_EDIT_COPY_NAME})
        commands.Register(
            nId, [this, nId] { CopyField(m_pTree->currentIndex(), nId); },
            [this, nId](CCmdUI& ui) { ui.Enable(CanCopy(m_pTree->currentIndex(), nId)); });
    // The panes count the file; while the filter narrows the tree, what it
    // shows of the file.
    commands.RegisterUpdate(ID_INDICATOR_GROUPS, [this](CCmdUI& ui) {
        ui.Enable();
        ui.SetText(IsFiltering() ? FormatCountText(IDS_GROUPS_SHOWN_FORMAT, CountGroupItems(),
                                                   FormatCount(m_pTreeFilter->ShownGroups()))
                                 : CountText(IDS_GROUPS_FORMAT, CountGroupItems()));
    });
    commands.RegisterUpdate(ID_INDICATOR_ACCOUNTS, [this](CCmdUI& ui) {
        ui.Enable();
        ui.SetText(IsFiltering() ? FormatCountText(IDS_ACCOUNTS_SHOWN_FORMAT, CountFileAccounts(),
                                                   FormatCount(m_pTreeFilter->ShownAccounts()))
                                 : CountText(IDS_ACCOUNTS_FORMAT, CountFileAccounts()));
    });
}

bool CCofferView::HasKey() const {
    return m_doc.HasKey();
}

bool CCofferView::IsMainMode() const {
    return m_host.IsMainInterface();
}

QString CCofferView::ToQt(const std::string& strStored) const {
    return QString::fromStdString(m_doc.CodePage().ToUtf8(strStored));
}

void CCofferView::ApplyCodePage() {
    const CCodePage& codePage = m_doc.CodePage();
    m_pCopyUserName->SetCodePage(codePage);
    m_pCopyPassword->SetCodePage(codePage);
    m_pWebSite->SetCodePage(codePage);
    m_pEMail->SetCodePage(codePage);
}

void CCofferView::Follow(CDocNotifier& notifier) {
    connect(&notifier, &CDocNotifier::InitialUpdate, this, [this] { InitialUpdate(false); });
    connect(&notifier, &CDocNotifier::UpdateAllViews, this, [this] { Update(false); });
    connect(&notifier, &CDocNotifier::RecordsChanged, this, &CCofferView::OnRecordsChanged);
    connect(&notifier, &CDocNotifier::Emptied, this, &CCofferView::OnEmptied);
}

void CCofferView::InitialUpdate(bool bReload) {
    // A new file may come with another code page.
    ApplyCodePage();
    m_findFrom = QPersistentModelIndex();
    m_curGroup = m_curAccount = QPersistentModelIndex();
    CSecretBuffer::Wipe(m_strSelectGroup);
    CSecretBuffer::Wipe(m_strSelectAccount);
    m_nSplitterShown = m_nTreeWidth;
    Update(bReload);
    RebuildLayout();
}

void CCofferView::ClearTree() {
    // The notifier has emptied it already when the document was emptied.
    if (m_pModel->FileIndex().isValid())
        m_pModel->Clear();
    // The search's next start and the current items went with the rows.
    m_findFrom = QPersistentModelIndex();
}

void CCofferView::ShowNothing() {
    ClearTree();
    m_curGroup = m_curAccount = QPersistentModelIndex();
    ClearDetails();
    m_pTree->setEnabled(false);
    ResetFilter();
    EnableFilter(false);
}

void CCofferView::ResetFilter() {
    // The tree's rows went: so did what the filter hid and kept.
    m_refilter.stop();
    m_pTreeFilter->Drop();
    static_cast<CLabelEditDelegate*>(m_pTree->itemDelegate())->SetHighlight(nullptr, nullptr);
    const QSignalBlocker blocker(m_pFilter);
    m_pFilter->clear();
}

void CCofferView::EnableFilter(bool bEnable) {
    m_pFilter->setEnabled(bEnable);
}

bool CCofferView::IsFiltering() const {
    return m_pTreeFilter->IsActive();
}

void CCofferView::OnFilterChanged(const QString& strText) {
    if (!HasKey())
        return;
    auto* pDelegate = static_cast<CLabelEditDelegate*>(m_pTree->itemDelegate());
    std::string strQuery;
    // A character the code page cannot hold is in no account.
    const bool bStorable = m_doc.CodePage().FromUtf8(strText.toStdString(), strQuery);
    if (!bStorable)
        strQuery = strText.toStdString();
    m_refilter.stop();
    m_pTreeFilter->SetQuery(strQuery, m_doc.CodePage(), !bStorable);
    // Nothing matches and the file's row is current: the panel lets go of the
    // account the tree now hides, so no copy reaches it unseen.
    if (m_pTreeFilter->IsActive() && CAccountTreeCtrl::GetItemLevel(m_pTree->currentIndex()) == 0) {
        m_curAccount = QPersistentModelIndex();
        ClearDetails();
    }
    pDelegate->SetHighlight(m_pTreeFilter->Rule(), &m_doc.CodePage());
    m_pTree->viewport()->update();
    m_host.RequestCommandUpdate();
}

void CCofferView::FocusFilter() {
    if (!m_pFilter->isEnabled())
        return;
    m_pFilter->setFocus(Qt::ShortcutFocusReason);
    m_pFilter->selectAll();
}

void CCofferView::StartFilter(const QString& strText) {
    if (!m_pFilter->isEnabled())
        return;
    m_pFilter->setFocus(Qt::OtherFocusReason);
    m_pFilter->end(false);
    m_pFilter->insert(strText);
}

void CCofferView::ClearFilter() {
    m_pFilter->clear();
    // An empty field sends no change: the tree is made whole all the same.
    if (IsFiltering())
        OnFilterChanged(QString());
}

void CCofferView::showEvent(QShowEvent* pEvent) {
    ETSLayoutFormView::showEvent(pEvent);
    EnableFilter(m_pModel->FileIndex().isValid() && !m_host.IsLocked());
}

bool CCofferView::eventFilter(QObject* pWatched, QEvent* pEvent) {
    if (pWatched == m_pFilter && pEvent->type() == QEvent::KeyPress) {
        const auto* pKey = static_cast<QKeyEvent*>(pEvent);
        if (pKey->modifiers() == Qt::NoModifier) {
            switch (pKey->key()) {
            case Qt::Key_Escape:
                ClearFilter();
                m_pTree->setFocus(Qt::OtherFocusReason);
                return true;
            case Qt::Key_Return:
            case Qt::Key_Enter:
            case Qt::Key_Down:
                m_pTree->setFocus(Qt::OtherFocusReason);
                return true;
            default:
                break;
            }
        }
    }
    return ETSLayoutFormView::eventFilter(pWatched, pEvent);
}

void CCofferView::OnEmptied() {
    ShowNothing();
}

void CCofferView::ResetSearch() {
    m_findFrom = QPersistentModelIndex();
}

void CCofferView::OnFindNext() {
    const CViewHost::SFindRequest request = m_host.FindRequest();
    const QString& strShown = request.strText;
    const SFindOptions& options = request.options;
    std::string strText;
    // A text the code page cannot hold is in no label: nothing is found.
    const bool bStorable = m_doc.CodePage().FromUtf8(strShown.toStdString(), strText);
    const QModelIndex file = m_pModel->FileIndex();
    if (file.isValid() && bStorable) {
        if (!m_findFrom.isValid() && m_pModel->rowCount(file) > 0)
            m_findFrom = m_pModel->index(0, 0, file);
        if (!m_findFrom.isValid())
            m_findFrom = m_pTree->currentIndex();
        const std::optional<STreePos> found =
            FindItem(*m_pModel, strText, options, m_pModel->PosOf(m_findFrom), m_doc.CodePage());
        if (found) {
            // An item the filter hides is shown with the whole tree.
            if (IsFiltering() && !m_pTreeFilter->IsShown(m_pModel->IndexAt(*found)))
                ClearFilter();
            m_pTree->SelectItem(m_pModel->IndexAt(*found));
            m_findFrom = m_pModel->IndexAt(NextFindStart(*m_pModel, *found));
            return;
        }
    }
    m_findFrom = QPersistentModelIndex();
    m_prompts.MessageBox(FormatText(IDS_CANT_FIND, strShown.toStdString()), EMsgIcon::exclamation);
    m_host.FocusSearch();
}

void CCofferView::Update(bool bReload) {
    UpdateStartHint();
    if (!HasKey()) {
        ShowNothing();
        return;
    }
    // The panel goes blank; the new selection shows what it shows.
    ClearDetails();
    if (bReload)
        m_pModel->Reload();
    m_findFrom = QPersistentModelIndex();
    m_pTree->setEnabled(true);
    ResetFilter();
    EnableFilter(!m_host.IsLocked());
    ChooseSelection();
}

void CCofferView::OnRecordsChanged(const SRecordNotice& notice) {
    // A reset arrives as a whole update (Update), never here.
    if (IsFiltering())
        m_refilter.start();
    // The panel shows the current account's texts, which may be the ones
    // that changed.
    if (notice.m_eKind == SRecordNotice::accountChanged && m_curAccount.isValid() &&
        RecordOf(m_curAccount) == notice.m_pRecord)
        OnSelChanged(m_curAccount);
}

void CCofferView::RememberPlace() {
    // Locked, the filter goes: the place kept is the whole tree's.
    ClearFilter();
    EnableFilter(false);
    m_place = SPlace();
    const QModelIndex file = m_pModel->FileIndex();
    if (!file.isValid())
        return;
    m_place.m_bKept = true;
    for (int i = 0; i < m_pModel->GroupCount(); ++i) {
        if (m_pTree->isExpanded(m_pModel->IndexAt({i, -1})))
            m_place.m_vecExpanded.push_back(i);
    }
    const STreePos current = m_pModel->PosOf(m_pTree->currentIndex());
    m_place.m_nGroup = current.m_nGroup;
    m_place.m_nAccount = current.m_nAccount;
    m_place.m_nScroll = m_pTree->verticalScrollBar()->value();
}

void CCofferView::RestorePlace() {
    const SPlace place = std::exchange(m_place, SPlace());
    const QModelIndex file = m_pModel->FileIndex();
    EnableFilter(file.isValid());
    if (!place.m_bKept || !file.isValid())
        return;
    const int nGroups = m_pModel->GroupCount();
    // The first selection of a new tree opened a group of its own.
    for (int i = 0; i < nGroups; ++i)
        m_pTree->setExpanded(m_pModel->IndexAt({i, -1}),
                             std::find(place.m_vecExpanded.begin(), place.m_vecExpanded.end(), i) !=
                                 place.m_vecExpanded.end());
    if (place.m_nGroup >= 0 && place.m_nGroup < nGroups) {
        QModelIndex item = m_pModel->IndexAt({place.m_nGroup, place.m_nAccount});
        if (!item.isValid())
            item = m_pModel->IndexAt({place.m_nGroup, -1});
        m_pTree->SelectItem(item);
    }
    // The scroll range follows the expanded rows only once laid out.
    m_pTree->doItemsLayout();
    m_pTree->verticalScrollBar()->setValue(place.m_nScroll);
}

void CCofferView::ChooseSelection() {
    QModelIndex group;
    QModelIndex account;
    const int nGroups = m_pModel->GroupCount();
    for (int i = 0; i < nGroups && !account.isValid(); ++i) {
        if (m_pModel->AccountCount(i) > 0) {
            group = m_pModel->IndexAt({i, -1});
            account = m_pModel->IndexAt({i, 0});
        }
    }
    if (!group.isValid() && nGroups > 0)
        group = m_pModel->IndexAt({0, -1});
    if (!m_strSelectGroup.empty()) {
        group = m_pModel->FindGroup(m_strSelectGroup);
        account = QModelIndex();
        CSecretBuffer::Wipe(m_strSelectGroup);
    }
    if (!m_strSelectAccount.empty()) {
        account = QModelIndex();
        for (int i = 0; group.isValid() && i < m_pModel->AccountRows(group) && !account.isValid();
             ++i) {
            const QModelIndex candidate = m_pModel->index(i, 0, group);
            if (RecordOf(candidate)->Account() == m_strSelectAccount)
                account = candidate;
        }
        CSecretBuffer::Wipe(m_strSelectAccount);
    }
    m_curGroup = group;
    m_curAccount = account;
    if (m_curGroup.isValid())
        m_pTree->SelectItem(m_curAccount.isValid() ? m_curAccount : m_curGroup);
}

void CCofferView::ShowImported(const SImportShown& shown) {
    m_strSelectGroup = shown.m_strFirstGroup;
    m_strSelectAccount = shown.m_strFirstAccount;
    // The document told the model of the import as one reset, so the rows
    // are new already: only the selection is chosen again.
    Update(false);
    for (const std::string& strGroup : shown.m_astrGroups) {
        const QModelIndex group = m_pModel->FindGroup(strGroup);
        if (group.isValid())
            m_pTree->setExpanded(group, true);
    }
}

const CPasswordInfo* CCofferView::RecordOf(const QModelIndex& item) const {
    return m_pModel->RecordOf(item);
}

void CCofferView::OnSelChanged(const QModelIndex& item) {
    if (m_bRebuilding)
        return;
    switch (CAccountTreeCtrl::GetItemLevel(item)) {
    case 0:
        return; // the file item: the panel keeps what it shows
    case 2:
        m_curAccount = item;
        m_curGroup = item.parent();
        ShowAccount(*RecordOf(item));
        return;
    default:
        m_curGroup = item;
        m_curAccount = QPersistentModelIndex();
        ClearDetails();
        return;
    }
}

std::string CCofferView::ShownPassword(const CPasswordInfo& info) const {
    if (info.Password().empty())
        return {};
    return IsMaskPasswords() ? std::string(IDS_MASKED_PASSWORD) : info.Password();
}

void CCofferView::ShowAccount(const CPasswordInfo& info) {
    m_pCopyUserName->SetDragText(info.UserName());
    m_pCopyPassword->SetDragText(info.Password());
    m_pCopyUserName->setEnabled(!info.UserName().empty());
    m_pCopyPassword->setEnabled(!info.Password().empty());
    m_pAccountName->setText(ToQt(info.Account()));
    m_pUserName->setText(ToQt(info.UserName()));
    m_pPassword->setText(ToQt(ShownPassword(info)));
    // A text longer than its box shows its beginning, not its end.
    m_pUserName->setCursorPosition(0);
    m_pPassword->setCursorPosition(0);
    m_pComments->setPlainText(ToQt(CommentsForDisplay(info.Comments())));
    ShowLink(m_pEMail, info.EMail(),
             info.EMail().empty() ? std::string() : IDS_MAILTO + info.EMail());
    ShowLink(m_pWebSite, info.WebSite(), info.WebSite());
    m_pOtp->Show(&info);
    m_pFields->ShowFields(m_doc.DatabaseCustomFields(info), IsMaskPasswords());
}

void CCofferView::ShowLink(CLinkLabel* pLink, const std::string& strText,
                           const std::string& strTarget) {
    pLink->SetLinkText(ToQt(strText));
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
    m_pAccountName->clear();
    m_pUserName->clear();
    m_pPassword->clear();
    m_pComments->clear();
    ShowLink(m_pWebSite, {}, {});
    ShowLink(m_pEMail, {}, {});
    m_pOtp->Show(nullptr);
    m_pFields->ShowFields({}, IsMaskPasswords());
}

void CCofferView::OnToolsMask() {
    m_settings.Change(
        [](SShellSettings& values) { values.m_bMaskPasswords = values.m_bMaskPasswords ? 0 : 1; });
}

bool CCofferView::IsMaskPasswords() const {
    return m_settings.Values().m_bMaskPasswords != 0;
}

void CCofferView::OnSettingsChanged() {
    // The masking may have changed (the command, the Options dialog): the
    // selected account's password is shown anew.
    if (IsMaskPasswords() == m_bMaskShown)
        return;
    m_bMaskShown = IsMaskPasswords();
    m_pFields->SetMask(m_bMaskShown);
    if (m_curAccount.isValid())
        m_pPassword->setText(ToQt(ShownPassword(*RecordOf(m_curAccount))));
}

void CCofferView::KeepTreeWidth() {
    m_settings.Change(
        [this](SShellSettings& values) { values.m_nTreeWidth = unsigned(m_nTreeWidth); });
}

void CCofferView::AfterChange() {
    m_session.OnContentChanged();
}

void CCofferView::OnItemEdit() {
    switch (CAccountTreeCtrl::GetItemLevel(m_pTree->currentIndex())) {
    case 1:
        EditGroup(m_curGroup);
        break;
    case 2:
        EditAccount(m_curAccount);
        break;
    default:
        break;
    }
}

void CCofferView::OnItemDelete() {
    switch (CAccountTreeCtrl::GetItemLevel(m_pTree->currentIndex())) {
    case 1:
        DeleteGroup(m_curGroup);
        break;
    case 2:
        DeleteAccount(m_curAccount);
        break;
    default:
        break;
    }
}

void CCofferView::OnItemDoubleClicked(const QModelIndex& item) {
    if (CAccountTreeCtrl::GetItemLevel(item) == 2)
        EditAccount(item);
}

SAccountDlgData CCofferView::NewDialogData() const {
    SAccountDlgData dlg;
    dlg.m_bMaskPasswords = IsMaskPasswords();
    dlg.m_generator = m_settings.Values().m_generator;
    dlg.m_fnGeneratorSettings = [this](SGeneratorSettings& generator) {
        m_host.OpenOptions(OPTIONS_PAGE_GENERATOR);
        generator = m_settings.Values().m_generator;
    };
    return dlg;
}

void CCofferView::SelectNeighbour(const QModelIndex& item) {
    const QModelIndex parent = item.parent();
    const int nRow = item.row();
    const int nCount = m_pModel->rowCount(parent);
    // Rows the filter hides are passed over.
    int nNext = nRow + 1;
    while (nNext < nCount && m_pTree->isRowHidden(nNext, parent))
        ++nNext;
    int nPrevious = nRow - 1;
    while (nPrevious >= 0 && m_pTree->isRowHidden(nPrevious, parent))
        --nPrevious;
    const QModelIndex next = nNext < nCount   ? m_pModel->index(nNext, 0, parent)
                             : nPrevious >= 0 ? m_pModel->index(nPrevious, 0, parent)
                                              : parent;
    m_pTree->SelectItem(next);
    if (CAccountTreeCtrl::GetItemLevel(next) == 0) {
        // The file item keeps the panel as it is, but nothing it showed of
        // the item going away may stay current.
        m_curGroup = m_curAccount = QPersistentModelIndex();
        ClearDetails();
    }
}

template <class F> void CCofferView::Removing(F fnRemove) {
    m_bRebuilding = true;
    fnRemove();
    m_bRebuilding = false;
}

void CCofferView::ShowRecord(const CPasswordInfo* pRecord) {
    const QModelIndex item = m_pModel->IndexOf(pRecord);
    if (!item.isValid())
        return;
    m_pTree->SelectItem(item);
    OnSelChanged(item);
}

void CCofferView::AddAccount(const QModelIndex& group) {
    if (!IsMainMode() || !HasKey())
        return;
    const QModelIndex target = group.isValid() ? group : QModelIndex(m_curGroup);
    SAccountDlgData dlg = NewDialogData();
    if (target.isValid())
        dlg.m_strGroup = RecordOf(target)->Group();
    FillDatabaseDlgData(dlg, m_doc, nullptr);
    if (!m_editPrompts.RunAccountDlg(dlg))
        return;
    const CPasswordInfo* pNew = m_doc.AddAccount(dlg.m_strGroup, AccountTexts(dlg));
    if (!pNew)
        return;
    KeepDatabaseExtras(m_doc, pNew, dlg);
    ShowRecord(pNew);
    AfterChange();
}

void CCofferView::EditAccount(const QModelIndex& item) {
    const QModelIndex edited = item.isValid() ? item : QModelIndex(m_curAccount);
    if (!IsMainMode() || CAccountTreeCtrl::GetItemLevel(edited) != 2)
        return;
    const CPasswordInfo* pOld = RecordOf(edited);
    SAccountDlgData dlg = NewDialogData();
    dlg.m_strGroup = RecordOf(edited.parent())->Group();
    FillAccountDlgData(dlg, *pOld);
    FillDatabaseDlgData(dlg, m_doc, pOld);
    if (!m_editPrompts.RunAccountDlg(dlg))
        return;
    if (!m_doc.FindGroup(dlg.m_strGroup))
        return;
    // The record keeps its item, which moves to its new name and group.
    const CPasswordInfo* pNew = nullptr;
    Removing([&] { pNew = m_doc.ReplaceAccount(pOld, dlg.m_strGroup, AccountTexts(dlg)); });
    KeepDatabaseExtras(m_doc, pNew, dlg);
    if (pNew)
        ShowRecord(pNew);
    AfterChange();
}

void CCofferView::OnToolsHealth() {
    if (!HasKey() || !IsMainMode() || m_host.IsLocked())
        return;
    SHealthDlgData health;
    health.m_strThreshold = m_settings.Values().m_strHealthThreshold;
    health.m_fnEditAccount = [this](const CPasswordInfo* pAccount) {
        const QModelIndex item = m_pModel->IndexOf(pAccount);
        if (!item.isValid())
            return;
        // The account edited is the one the tree shows selected afterwards.
        m_pTree->SelectItem(item);
        EditAccount(item);
    };
    m_editPrompts.RunPasswordHealth(health);
    if (health.m_strThreshold != m_settings.Values().m_strHealthThreshold)
        m_settings.Change(
            [&](SShellSettings& values) { values.m_strHealthThreshold = health.m_strThreshold; });
}

void CCofferView::DeleteAccount(const QModelIndex& item) {
    const QPersistentModelIndex deleted = item.isValid() ? item : QModelIndex(m_curAccount);
    if (!deleted.isValid() || CAccountTreeCtrl::GetItemLevel(deleted) != 2)
        return;
    const CPasswordInfo* pRecord = RecordOf(deleted);
    if (m_settings.Values().m_bDeleteConfirmA) {
        const std::string strQuestion =
            FormatText(IDS_CONFIRM_DELETE_ACCOUNT, m_doc.CodePage().ToUtf8(pRecord->Account()));
        if (m_prompts.MessageBox(strQuestion, EMsgIcon::question, EMsgButtons::yesNo) !=
            EMsgAnswer::yes)
            return;
    }
    if (!IsMainMode() || !deleted.isValid())
        return;
    if (deleted == m_curAccount)
        SelectNeighbour(deleted);
    // The record is gone before the save, so an automatic save never writes it.
    Removing([&] { m_doc.DeleteAccount(pRecord); });
    AfterChange();
}

void CCofferView::AddGroup() {
    if (!IsMainMode() || !HasKey() || !m_pModel->FileIndex().isValid())
        return;
    std::string strName;
    if (!m_editPrompts.RunAddGroup(strName))
        return;
    const QModelIndex item = m_pModel->IndexOf(m_doc.AddGroup(strName));
    m_curGroup = item;
    m_curAccount = QPersistentModelIndex();
    m_pTree->SelectItem(item);
    AfterChange();
}

void CCofferView::EditGroup(const QModelIndex& item) {
    const QModelIndex edited = item.isValid() ? item : QModelIndex(m_curGroup);
    if (CAccountTreeCtrl::GetItemLevel(edited) != 1)
        return;
    std::string strGroup = RecordOf(edited)->Group();
    std::string strName;
    if (!m_editPrompts.RunEditGroup(strGroup, strName))
        return;
    CPasswordInfo* pRenamed = m_doc.FindGroup(strGroup);
    if (!pRenamed || !m_pModel->IndexOf(pRenamed).isValid())
        return;
    // The group moves to its new place in the alphabet, accounts and all.
    m_doc.RenameGroup(pRenamed, strName);
    ShowRecord(pRenamed);
    AfterChange();
}

const char* CCofferView::RenameRefusal(const QModelIndex& item, const std::string& strLabel,
                                       const std::string& strName) const {
    const bool bGroup = CAccountTreeCtrl::GetItemLevel(item) == 1;
    if (IsBlank(strLabel))
        return bGroup ? IDS_GROUP_EMPTY : IDS_ACCOUNT_EMPTY;
    const CPasswordInfo* pInfo = RecordOf(item);
    const bool bFree =
        bGroup ? m_doc.IsGroupNameFree(strName)
               : m_doc.IsAccountNameFree(RecordOf(item.parent())->Group(), strName, pInfo);
    return bFree ? nullptr : bGroup ? IDS_GROUP_SAME : IDS_ACCOUNT_SAME;
}

void CCofferView::OnLabelEdited(const QModelIndex& item, const QString& strText) {
    const int nLevel = CAccountTreeCtrl::GetItemLevel(item);
    if (nLevel == 0 || !HasKey())
        return;
    std::string strLabel;
    char32_t nBad = 0;
    if (!m_doc.CodePage().FromUtf8(strText.toStdString(), strLabel, &nBad)) {
        m_prompts.MessageBox(CKeyDialogRules::BadCharacterMessage(nBad, IDS_TEXT_BAD_CHARACTER),
                             EMsgIcon::exclamation);
        return;
    }
    const CPasswordInfo* pInfo = RecordOf(item);
    const CPasswordInfo::EText eName = nLevel == 1 ? CPasswordInfo::group : CPasswordInfo::account;
    // A group inside a database's group shows the last part of its path.
    const std::string strName = nLevel == 1 ? m_pModel->GroupNameFor(item, strLabel) : strLabel;
    if (strName == pInfo->TextView(eName) && !IsBlank(strLabel))
        return;
    if (const char* pszRefusal = RenameRefusal(item, strLabel, strName)) {
        m_prompts.MessageBox(pszRefusal, EMsgIcon::exclamation);
        return;
    }
    // The name is kept as typed, blanks and all.
    if (nLevel == 1)
        m_doc.RenameGroup(pInfo, strName);
    else
        m_doc.RenameAccount(pInfo, strName);
    ShowRecord(pInfo);
    // The file keeps its records in the order the tree shows them.
    SortToTreeOrder(m_doc);
    // A new name is new content: saved at once when automatic saving is on.
    AfterChange();
}

void CCofferView::OnItemsDropped(EDropAction eAction, const QModelIndex& drag,
                                 const QModelIndex& target) {
    const bool bGroup = CAccountTreeCtrl::GetItemLevel(drag) == 1;
    if (!HasKey() || CAccountTreeCtrl::GetItemLevel(target) != 1)
        return;
    CTreeDrop drop(*m_pModel, m_doc, m_editPrompts);
    QModelIndex result;
    Removing([&] {
        switch (eAction) {
        case EDropAction::leftDrop:
            // A dropped account moves; a dropped group gives copies of its
            // accounts and keeps its own.
            result =
                bGroup ? drop.CopyChildren(drag, target, false) : drop.CopyItem(drag, target, true);
            break;
        case EDropAction::moveHere:
        case EDropAction::copyHere:
            if (!bGroup)
                result = drop.CopyItem(drag, target, eAction == EDropAction::moveHere);
            break;
        case EDropAction::moveAllHere:
        case EDropAction::copyAllHere:
            if (bGroup)
                result = drop.CopyChildren(drag, target, eAction == EDropAction::moveAllHere);
            break;
        }
    });
    // A copy leaves the selection where it was.
    if (result.isValid() && eAction != EDropAction::copyHere && eAction != EDropAction::copyAllHere)
        m_pTree->SelectItem(result);
    // Items that went may have taken the selection with them.
    OnSelChanged(m_pTree->currentIndex());
    if (drop.HasChanged()) {
        // The file keeps its records in the order the tree shows them.
        SortToTreeOrder(m_doc);
        AfterChange();
    }
}

void CCofferView::DeleteGroup(const QModelIndex& item) {
    const QModelIndex deleted = item.isValid() ? item : QModelIndex(m_curGroup);
    if (CAccountTreeCtrl::GetItemLevel(deleted) != 1)
        return;
    std::string strGroup = RecordOf(deleted)->Group();
    if (!m_editPrompts.RunDeleteGroup(strGroup))
        return;
    CPasswordInfo* pRecord = m_doc.FindGroup(strGroup);
    const QModelIndex group = m_pModel->IndexOf(pRecord);
    if (!group.isValid())
        return;
    // The groups inside a database's group go with it, and so may the
    // current one.
    bool bCurrentGoes = false;
    for (QModelIndex above = m_curGroup; above.isValid() && !bCurrentGoes; above = above.parent())
        bCurrentGoes = above == group;
    if (bCurrentGoes)
        SelectNeighbour(group);
    Removing([&] { m_doc.DeleteGroup(pRecord); });
    AfterChange();
}

int CCofferView::CountGroupItems() const {
    return m_pModel->GroupCount();
}

int CCofferView::CountFileAccounts() const {
    int nCount = 0;
    for (int g = 0; g < m_pModel->GroupCount(); ++g)
        nCount += m_pModel->AccountCount(g);
    return nCount;
}

int CCofferView::CountCurrentGroupAccounts() const {
    return m_curGroup.isValid() ? m_pModel->AccountRows(m_curGroup) : 0;
}

void CCofferView::SelectByNames(const std::string& strGroup, const std::string& strAccount) {
    m_strSelectGroup = strGroup;
    m_strSelectAccount = strAccount;
    OnUpdate();
}

std::string CCofferView::CurrentGroupLabel() const {
    return m_curGroup.isValid() ? RecordOf(m_curGroup)->Group() : std::string();
}

std::string CCofferView::CurrentAccountLabel() const {
    return m_curAccount.isValid() ? RecordOf(m_curAccount)->Account() : std::string();
}

void CCofferView::ShowContextMenu(const QModelIndex& item, const QPoint& ptGlobal) {
    QMenu menu(this);
    const auto add = [&menu](const char* pszText, int nId, bool bEnabled) {
        QAction* pAction = menu.addAction(TrText(pszText));
        pAction->setProperty("commandId", nId);
        pAction->setEnabled(bEnabled);
        return pAction;
    };
    const QPersistentModelIndex clicked(item);
    switch (CAccountTreeCtrl::GetItemLevel(item)) {
    case 0:
        menu.setObjectName(QStringLiteral("TREE_FILE"));
        add(IDS_TREE_FILE_ADDGROUP, ID_TREE_FILE_ADDGROUP, true);
        add(IDS_TREE_FILE_PROPERTIES, ID_FILE_PROPERTY_CONTEXT,
            m_host.Commands().Update(ID_FILE_PROPERTY_CONTEXT).bEnabled);
        break;
    case 1:
        menu.setObjectName(QStringLiteral("TREE_GROUP"));
        add(IDS_TREE_GROUP_EDIT, ID_TREE_GROUP_EDIT, true);
        add(IDS_TREE_GROUP_DELETE, ID_TREE_GROUP_DELETE, true);
        add(IDS_TREE_GROUP_ADDGROUP, ID_TREE_GROUP_ADDGROUP, true);
        add(IDS_TREE_GROUP_ADDACCOUNT, ID_TREE_GROUP_ADDACCOUNT, true);
        menu.addSeparator();
        AddCopyItems(menu, item, {ID_EDIT_COPY_NAME});
        break;
    default:
        menu.setObjectName(QStringLiteral("TREE_ACCOUNT"));
        add(IDS_TREE_ACCOUNT_EDIT, ID_TREE_ACCOUNT_EDIT, true);
        add(IDS_TREE_ACCOUNT_DELETE, ID_TREE_ACCOUNT_DELETE, true);
        add(IDS_TREE_ACCOUNT_ADD, ID_TREE_ACCOUNT_ADD, true);
        menu.addSeparator();
        AddCopyItems(menu, item, {ID_EDIT_COPY_PASSWORD, ID_EDIT_COPY_USERNAME, ID_EDIT_COPY_NAME});
        break;
    }
    QAction* pChosen = menu.exec(ptGlobal);
    if (pChosen && clicked.isValid())
        RunTreeCommand(pChosen->property("commandId").toInt(), clicked);
}

void CCofferView::AddCopyItems(QMenu& menu, const QModelIndex& item,
                               std::initializer_list<int> ids) const {
    // The Edit menu's items with their keys, for the item clicked.
    for (const int nId : ids) {
        QAction* pAction = menu.addAction(TrText(FindCommandText(COMMAND_MENU_TEXTS, nId)));
        pAction->setProperty("commandId", nId);
        pAction->setEnabled(CanCopy(item, nId));
    }
}

std::string CCofferView::FieldToCopy(const QModelIndex& item, int nId) const {
    const int nLevel = CAccountTreeCtrl::GetItemLevel(item);
    if (nLevel == 0 || !HasKey() || m_host.IsLocked())
        return {};
    const CPasswordInfo& record = *RecordOf(item);
    switch (nId) {
    case ID_EDIT_COPY_PASSWORD:
        return nLevel == 2 ? record.Password() : std::string();
    case ID_EDIT_COPY_USERNAME:
        return nLevel == 2 ? record.UserName() : std::string();
    case ID_EDIT_COPY_NAME:
        return nLevel == 2 ? record.Account() : record.Group();
    default:
        return {};
    }
}

bool CCofferView::CanCopy(const QModelIndex& item, int nId) const {
    std::string strText = FieldToCopy(item, nId);
    const bool bCan = !strText.empty();
    CSecretBuffer::Wipe(strText);
    return bCan;
}

void CCofferView::CopyField(const QModelIndex& item, int nId) {
    std::string strText = FieldToCopy(item, nId);
    if (strText.empty())
        return;
    // The password takes the Copy / Drag Password button's way: marked as a
    // secret and cleared after the delay.
    if (nId == ID_EDIT_COPY_PASSWORD)
        CClipboard::SetPassword(strText, m_doc.CodePage());
    else
        CClipboard::SetText(strText, m_doc.CodePage());
    CSecretBuffer::Wipe(strText);
}

void CCofferView::RunTreeCommand(int nId, const QModelIndex& item) {
    switch (nId) {
    case ID_EDIT_COPY_PASSWORD:
    case ID_EDIT_COPY_USERNAME:
    case ID_EDIT_COPY_NAME:
        CopyField(item, nId);
        break;
    case ID_TREE_ACCOUNT_EDIT:
        EditAccount(item);
        break;
    case ID_TREE_ACCOUNT_DELETE:
        DeleteAccount(item);
        break;
    case ID_TREE_ACCOUNT_ADD:
        AddAccount(item.parent());
        break;
    case ID_TREE_GROUP_EDIT:
        EditGroup(item);
        break;
    case ID_TREE_GROUP_DELETE:
        DeleteGroup(item);
        break;
    case ID_TREE_GROUP_ADDACCOUNT:
        AddAccount(item);
        break;
    case ID_TREE_GROUP_ADDGROUP:
    case ID_TREE_FILE_ADDGROUP:
        AddGroup();
        break;
    case ID_FILE_PROPERTY_CONTEXT:
        m_host.RunCommand(ID_FILE_PROPERTY_CONTEXT);
        break;
    default:
        break;
    }
}

int CCofferView::CommentsMinHeight() const {
    int nHeight = 18;
    if (!m_settings.Values().m_bShowToolBar)
        nHeight += 24;
    if (!m_settings.Values().m_bShowStatusBar)
        nHeight += 18;
    if (!m_settings.Values().m_bShowSearchBar)
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
    // The filter's field sits above the tree, as wide as the tree.
    CLayoutPanePtr pTreeColumn = CreatePane(LAY_VERTICAL, LAY_FIXED_HORZ, 2, 0);
    const int nFilterHeight = m_pFilter->sizeHint().height();
    pTreeColumn->AddItem(CreateItem(IDC_FILTER, LAY_FIXED, m_nTreeWidth + 1, nFilterHeight,
                                    m_nTreeWidth + 1, nFilterHeight));
    pTreeColumn->AddItem(CreateItem(IDC_TREE, LAY_FIXED_HORZ, m_nTreeWidth + 1, 0, 0, 0));
    pRoot->AddPane(pTreeColumn);
    pRoot->AddItem(CreateItem(IDC_SPACER, LAY_FIXED_HORZ, SPACER_WIDTH, 0, 0, 0));
    CLayoutPanePtr pColumn = CreatePane(LAY_VERTICAL, LAY_GREEDY, 5, 5);
    // Its height stays the same with a name and without one.
    const int nNameHeight = m_pAccountName->fontMetrics().height() + 2;
    pColumn->AddItem(CreateItem(IDC_ACCOUNT_NAME, LAY_FIXED_VERT, 0, nNameHeight, 60, nNameHeight));
    pColumn->AddItem(natural(IDC_USERNAME_LABEL, LAY_FIXED));
    pColumn->AddPane(row(IDC_USERNAME, IDC_COPY_USERNAME));
    pColumn->AddItem(natural(IDC_PASSWORD_LABEL, LAY_FIXED));
    pColumn->AddPane(row(IDC_PASSWORD, IDC_COPY_PASSWORD));
    m_bOtpRow = m_doc.IsDatabase();
    for (QWidget* pControl : DatabaseControls())
        pControl->setVisible(m_bOtpRow && m_pStartHint->isHidden());
    if (m_bOtpRow) {
        pColumn->AddItem(natural(IDC_OTP_LABEL, LAY_FIXED));
        pColumn->AddPane(row(IDC_OTP, IDC_COPY_OTP));
        pColumn->AddItem(natural(IDC_FIELDS_LABEL, LAY_FIXED));
        // A few fields at a glance; more scroll.
        const int nFieldsHeight = 5 * m_pFields->fontMetrics().height() + 12;
        pColumn->AddItem(
            CreateItem(IDC_FIELDS, LAY_FIXED_VERT, 0, nFieldsHeight, 60, nFieldsHeight));
    }
    pColumn->AddItem(natural(IDC_COMMENTS_LABEL, LAY_FIXED));
    pColumn->AddItem(CreateItem(IDC_COMMENTS, LAY_GREEDY, 0, 0, 60, CommentsMinHeight()));
    pColumn->AddItem(link(IDC_WEBSITE));
    pColumn->AddItem(link(IDC_EMAIL));
    pRoot->AddPane(pColumn);
    SetRootPane(pRoot);
    update();
}

std::array<QWidget*, 5> CCofferView::DatabaseControls() const {
    return {m_pOtp->Label(), m_pOtp->CodeBox(), m_pOtp->CopyButton(), m_pFieldsLabel, m_pFields};
}

bool CCofferView::IsOverSplitter(int x, int nTolerance) const {
    return std::abs(x - SplitterX()) < nTolerance;
}

void CCofferView::UpdateStartHint() {
    const bool bShow = !HasKey() && !m_host.IsLocked();
    // Every command update comes here: a hidden hint has nothing to follow.
    if (bShow) {
        const CRecentFileList* pRecent = m_session.GetRecentFileList();
        m_pStartHint->Refresh(pRecent ? pRecent->Names() : std::vector<std::string>());
    }
    if (bShow == !m_pStartHint->isHidden())
        return;
    // The hidden controls leave the Tab order and the accessibility tree
    // with it, not only the screen.
    for (QWidget* pControl : std::initializer_list<QWidget*>{
             m_pFilter, m_pTree, m_pSpacer, m_pAccountName, m_pUserNameLabel, m_pUserName,
             m_pCopyUserName, m_pPasswordLabel, m_pPassword, m_pCopyPassword, m_pCommentsLabel,
             m_pComments, m_pWebSite, m_pEMail})
        pControl->setVisible(!bShow);
    for (QWidget* pControl : DatabaseControls())
        pControl->setVisible(!bShow && m_bOtpRow);
    m_pStartHint->setGeometry(rect());
    m_pStartHint->setVisible(bShow);
    if (bShow) {
        m_pStartHint->raise();
        const QWidget* pFocus = QApplication::focusWidget();
        if (!pFocus || isAncestorOf(pFocus))
            m_pStartHint->FocusFirst();
    }
    update();
}

void CCofferView::resizeEvent(QResizeEvent* pEvent) {
    ETSLayoutFormView::resizeEvent(pEvent);
    m_pStartHint->setGeometry(rect());
}

void CCofferView::paintEvent(QPaintEvent* pEvent) {
    ETSLayoutFormView::paintEvent(pEvent);
    if (m_pStartHint->isVisible())
        return;
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
        KeepTreeWidth();
        RebuildLayout();
        return;
    }
    ETSLayoutFormView::mouseReleaseEvent(pEvent);
}
