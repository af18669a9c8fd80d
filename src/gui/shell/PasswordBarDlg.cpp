// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/PasswordBarDlg.h"

#include "core/base/Profile.h"
#include "core/base/Prompts.h"
#include "core/base/SettingKeys.h"
#include "core/base/StringTable.h"
#include "core/link/LinkCommand.h"
#include "core/otp/OtpCode.h"
#include "core/otp/OtpSettings.h"
#include "core/seal/SecretBuffer.h"
#include "core/shell/BarSnap.h"
#include "core/store/AccountDlgData.h"
#include "core/store/CodePage.h"
#include "core/store/FileIO.h"
#include "gui/controls/DragTextButton.h"
#include "gui/controls/HoverButton.h"
#include "gui/controls/HoverComboBox.h"
#include "gui/model/GroupRowsModel.h"
#include "gui/model/RecordListModel.h"
#include "gui/model/RecordTreeModel.h"
#include "gui/settings/Settings.h"
#include "platform/Clipboard.h"
#include "platform/DesktopLinkOpener.h"
#include "platform/TaskbarHint.h"
#include "platform/Translations.h"
#include "platform/WindowSystem.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QWindow>

#include <ctime>
#include <map>

namespace {

// The bar's menu: its items and their command numbers.
constexpr int ID_BAR_MAINWINDOW = 32911;
constexpr int ID_BAR_OPEN = 32921;
constexpr int ID_BAR_SAVE = 32933;
constexpr int ID_BAR_ADD_ACCOUNT = 32914;
constexpr int ID_BAR_EDIT_ACCOUNT = 32977;
constexpr int ID_BAR_EXIT = 32907;

constexpr int IDC_GRIP = 1149;
constexpr int IDC_GROUPS = 1158;
constexpr int IDC_ACCOUNTS = 1137;
constexpr int ICON_GRIP = 345;
constexpr int LIST_WIDTH = 110;

struct SBarButton {
    int m_nId;
    int m_nIcon;
    const char* m_pszTip;
};

// The buttons right of the two lists, left to right.
constexpr SBarButton TRAILING_BUTTONS[] = {
    {CPasswordBarDlg::IDC_HYPERLINK, 354, KH_TEXT("Keyhaven", "Open Hyperlink")},
    {CPasswordBarDlg::IDC_EMAIL, 352, KH_TEXT("Keyhaven", "Send E-Mail")},
    {CPasswordBarDlg::IDC_LOCK, 357, KH_TEXT("Keyhaven", "Lock Program")},
    {CPasswordBarDlg::IDC_MINIMIZE, 350, KH_TEXT("Keyhaven", "Minimize")},
    {CPasswordBarDlg::IDC_MAIN_WINDOW, 349, KH_TEXT("Keyhaven", "Main Window")},
    {CPasswordBarDlg::IDC_CLOSE, 348, KH_TEXT("Keyhaven", "Close")},
    {CPasswordBarDlg::IDC_MENU, 351, KH_TEXT("Keyhaven", "Show Menu")},
};

const char* const BAR_TITLE = KH_TEXT("Keyhaven", "Password Bar");
// What is typed into the account list, shown back while it filters.
const char* const BAR_FILTER = KH_TEXT("Keyhaven", "Filter: %1");

// The keys that act on the account shown while the bar is active, and the
// buttons they press.
struct SBarKey {
    QKeyCombination m_key;
    int m_nButton;
};
constexpr SBarKey BAR_KEYS[] = {
    {Qt::CTRL | Qt::Key_U, CPasswordBarDlg::IDC_COPY_USERNAME},
    {Qt::CTRL | Qt::Key_P, CPasswordBarDlg::IDC_COPY_PASSWORD},
    {Qt::CTRL | Qt::Key_C, CPasswordBarDlg::IDC_COPY_PASSWORD},
    {Qt::CTRL | Qt::Key_O, CPasswordBarDlg::IDC_HYPERLINK},
    {Qt::CTRL | Qt::Key_M, CPasswordBarDlg::IDC_EMAIL},
};

// A thin, captionless strip above every window where the window system
// lets the program place it; on Wayland, which allows neither, a small
// normal window.
Qt::WindowFlags BarWindowFlags(bool bWayland) {
    if (bWayland)
        return Qt::Window;
    return Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint;
}

} // namespace

CPasswordBarDlg::CPasswordBarDlg(CFileSession& session, CRecordTreeModel& model,
                                 CSettings& settings, CPrompts& prompts, CEditPrompts& editPrompts,
                                 QWidget* pParent)
    : QWidget(pParent, BarWindowFlags(CWindowSystem::IsWayland())),
      m_bPlaced(!CWindowSystem::IsWayland()), m_session(session), m_doc(session.Doc()),
      m_model(model), m_settings(settings), m_prompts(prompts), m_editPrompts(editPrompts) {
    setObjectName(QStringLiteral("PasswordBar"));
    setWindowTitle(TrText(BAR_TITLE));
    // A move over the grip pulls the bar to the edges, pressed or not.
    setMouseTracking(true);
    CreateControls();
    CreateLists();
    CreateKeys();
    CreateMenu();
    m_ptBar = QPoint(int(m_settings.Values().m_nBarX), int(m_settings.Values().m_nBarY));
    // On Wayland the compositor places the bar (and keeps its last size);
    // the grip that would move it has nothing to do.
    if (m_bPlaced)
        move(m_ptBar);
    else
        m_pGrip->hide();
    ResetBar();
}

CPasswordBarDlg::~CPasswordBarDlg() = default;

CHoverButton* CPasswordBarDlg::NewButton(int nId, int nIcon, const char* pszTip) {
    CHoverButton* pButton = nId == IDC_COPY_USERNAME || nId == IDC_COPY_PASSWORD
                                ? new CDragTextButton(this)
                                : new CHoverButton(this);
    pButton->setObjectName(QStringLiteral("bar%1").arg(nId));
    pButton->SetIcon(nIcon);
    pButton->setToolTip(TrText(pszTip));
    pButton->setAccessibleName(TrText(pszTip));
    // Tab reaches every button, but a click leaves the keyboard where it
    // was: the account list keeps its filter and its keys.
    pButton->setFocusPolicy(Qt::TabFocus);
    return pButton;
}

void CPasswordBarDlg::CreateControls() {
    auto* pLayout = new QHBoxLayout(this);
    pLayout->setContentsMargins(0, 1, 2, 1);
    pLayout->setSpacing(1);

    m_pGrip = new QLabel(this);
    m_pGrip->setObjectName(QStringLiteral("bar%1").arg(IDC_GRIP));
    m_pGrip->setPixmap(QIcon(QStringLiteral(":/icons/%1.svg").arg(ICON_GRIP))
                           .pixmap(m_rcGrip.width(), m_rcGrip.height()));
    m_pGrip->setFixedSize(m_rcGrip.size());
    m_pGrip->setCursor(Qt::SizeAllCursor);
    // The grip's presses and moves are the bar's own.
    m_pGrip->setAttribute(Qt::WA_TransparentForMouseEvents);
    pLayout->addWidget(m_pGrip);

    const CCodePage& codePage = m_doc.CodePage();
    m_pCopyUserName = static_cast<CDragTextButton*>(
        NewButton(IDC_COPY_USERNAME, 355, KH_TEXT("Keyhaven", "Copy / Drag User Name")));
    m_pCopyPassword = static_cast<CDragTextButton*>(
        NewButton(IDC_COPY_PASSWORD, 356, KH_TEXT("Keyhaven", "Copy / Drag Password")));
    m_pCopyUserName->SetCodePage(codePage);
    m_pCopyPassword->SetCodePage(codePage);
    m_pCopyPassword->SetSecret(true);
    pLayout->addWidget(m_pCopyUserName);
    pLayout->addWidget(m_pCopyPassword);

    const auto newList = [this, pLayout](int nId, const char* pszName) {
        auto* pList = new CHoverComboBox(this);
        pList->setObjectName(QStringLiteral("bar%1").arg(nId));
        pList->setAccessibleName(TrText(pszName));
        pList->setMinimumWidth(LIST_WIDTH);
        pList->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        pLayout->addWidget(pList, 1);
        return pList;
    };
    m_pGroups = newList(IDC_GROUPS, KH_TEXT("Keyhaven", "Group"));
    m_pAccounts = newList(IDC_ACCOUNTS, KH_TEXT("Keyhaven", "Account"));
    m_pAccounts->installEventFilter(this);

    for (const SBarButton& button : TRAILING_BUTTONS)
        pLayout->addWidget(NewButton(button.m_nId, button.m_nIcon, button.m_pszTip));

    connect(Button(IDC_HYPERLINK), &QPushButton::clicked, this, [this]() {
        if (m_pCurAccount && !m_pCurAccount->WebSite().empty())
            OpenTarget(m_pCurAccount->WebSite());
    });
    connect(Button(IDC_EMAIL), &QPushButton::clicked, this, [this]() {
        if (m_pCurAccount && !m_pCurAccount->EMail().empty())
            OpenTarget("mailto:" + m_pCurAccount->EMail());
    });
    connect(Button(IDC_LOCK), &QPushButton::clicked, this, &CPasswordBarDlg::Lock);
    connect(Button(IDC_MINIMIZE), &QPushButton::clicked, this, &CPasswordBarDlg::OnMinimize);
    connect(Button(IDC_MAIN_WINDOW), &QPushButton::clicked, this, &CPasswordBarDlg::OnMainWindow);
    connect(Button(IDC_CLOSE), &QPushButton::clicked, this, &CPasswordBarDlg::OnClose);
    connect(Button(IDC_MENU), &QPushButton::clicked, this, &CPasswordBarDlg::ShowMenu);
}

void CPasswordBarDlg::CreateKeys() {
    std::map<int, QStringList> mapKeyNames;
    for (const SBarKey& key : BAR_KEYS) {
        auto* pShortcut = new QShortcut(QKeySequence(key.m_key), this);
        const int nButton = key.m_nButton;
        // A disabled button (nothing to copy or open) ignores the click.
        connect(pShortcut, &QShortcut::activated, this,
                [this, nButton]() { Button(nButton)->click(); });
        mapKeyNames[nButton] << QKeySequence(key.m_key).toString(QKeySequence::NativeText);
    }
    auto* pOtpKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_T), this);
    connect(pOtpKey, &QShortcut::activated, this, &CPasswordBarDlg::CopyOneTimeCode);
    // "Copy / Drag Password (Ctrl+P, Ctrl+C)"
    for (const auto& [nButton, names] : mapKeyNames) {
        CHoverButton* pButton = Button(nButton);
        pButton->setToolTip(
            QStringLiteral("%1 (%2)").arg(pButton->toolTip(), names.join(QStringLiteral(", "))));
    }
}

void CPasswordBarDlg::CopyOneTimeCode() {
    if (m_pCurAccount == nullptr)
        return;
    const CPasswordInfo& account = *m_pCurAccount;
    const SOtpRead read = OtpFromEntryFields([this, &account](std::string_view strName) {
        return m_doc.DatabaseField(account, strName);
    });
    if (!read)
        return;
    std::string strCode = OtpCode(read.settings, static_cast<std::int64_t>(std::time(nullptr)));
    if (!strCode.empty())
        CClipboard::SetPassword(strCode, m_doc.CodePage());
    CSecretBuffer::Wipe(strCode);
}

void CPasswordBarDlg::CreateMenu() {
    m_pMenu = new QMenu(this);
    m_pMenu->setObjectName(QStringLiteral("BarMenu"));
    const auto add = [this](int nId, const char* pszText, void (CPasswordBarDlg::*pfn)()) {
        QAction* pAction = m_pMenu->addAction(TrText(pszText));
        pAction->setProperty("commandId", nId);
        connect(pAction, &QAction::triggered, this, pfn);
    };
    add(ID_BAR_MAINWINDOW, KH_TEXT("Keyhaven", "Main Window"), &CPasswordBarDlg::OnMainWindow);
    m_pMenu->addSeparator();
    add(ID_BAR_OPEN, KH_TEXT("Keyhaven", "Open..."), &CPasswordBarDlg::OnOpen);
    add(ID_BAR_SAVE, KH_TEXT("Keyhaven", "Save"), &CPasswordBarDlg::OnSave);
    m_pMenu->addSeparator();
    add(ID_BAR_ADD_ACCOUNT, KH_TEXT("Keyhaven", "Add Account..."), &CPasswordBarDlg::OnAddAccount);
    add(ID_BAR_EDIT_ACCOUNT, KH_TEXT("Keyhaven", "Edit Account..."),
        &CPasswordBarDlg::OnEditAccount);
    m_pMenu->addSeparator();
    add(ID_BAR_EXIT, KH_TEXT("Keyhaven", "Exit"), &CPasswordBarDlg::OnClose);
}

CHoverButton* CPasswordBarDlg::Button(int nId) const {
    return findChild<CHoverButton*>(QStringLiteral("bar%1").arg(nId));
}

// --- the lists ---

void CPasswordBarDlg::CreateLists() {
    m_pGroupRows = new CGroupRowsModel(m_model, this);
    m_pAccountRows = new CRecordListModel(m_model, this);
    m_pGroups->setModel(m_pGroupRows);
    m_pAccounts->setModel(m_pAccountRows);
    // A row the user picks, or one a change of the model moves the list to
    // (its current row went).
    connect(m_pGroups, &QComboBox::currentIndexChanged, this, [this]() {
        if (IsFollowing())
            FillAccounts();
    });
    connect(m_pAccounts, &QComboBox::currentIndexChanged, this, [this]() {
        if (IsFollowing())
            SelectAccount();
    });
    // Connected after the lists' models, so both lists have followed each
    // change before the bar looks at them; while they follow it, a list's
    // new current row is not yet the bar's business (the other list may
    // not have seen the change yet).
    const auto changing = [this]() { m_bModelChanging = true; };
    connect(&m_model, &QAbstractItemModel::modelAboutToBeReset, this, changing);
    connect(&m_model, &QAbstractItemModel::rowsAboutToBeInserted, this, changing);
    connect(&m_model, &QAbstractItemModel::rowsAboutToBeRemoved, this, changing);
    connect(&m_model, &QAbstractItemModel::rowsAboutToBeMoved, this, changing);
    connect(&m_model, &QAbstractItemModel::modelReset, this, &CPasswordBarDlg::OnModelReset);
    connect(&m_model, &QAbstractItemModel::dataChanged, this, &CPasswordBarDlg::OnModelChanged);
    connect(&m_model, &QAbstractItemModel::rowsInserted, this, &CPasswordBarDlg::OnModelChanged);
    connect(&m_model, &QAbstractItemModel::rowsRemoved, this, &CPasswordBarDlg::OnModelChanged);
    connect(&m_model, &QAbstractItemModel::rowsMoved, this, &CPasswordBarDlg::OnModelChanged);
}

void CPasswordBarDlg::OnModelChanged() {
    m_bModelChanging = false;
    if (!IsFollowing())
        return;
    // The lists show the change already. When the group chosen went, the
    // group list chose another, whose accounts are listed now; when the
    // account chosen went to another group, the list chooses again by name.
    // Otherwise the names and texts the bar holds of the choice are taken
    // again (a rename, new texts of the account, the account gone).
    const QModelIndex group = m_pGroupRows->mapToSource(
        m_pGroupRows->index(m_pGroups->currentIndex(), 0, m_pGroups->rootModelIndex()));
    const QModelIndex listed = m_pAccountRows->mapToSource(m_pAccounts->rootModelIndex());
    if (!group.isValid() || group != listed ||
        (m_chosenAccount.isValid() && m_chosenAccount.parent() != listed)) {
        FillAccounts();
        return;
    }
    m_strCurGroup = m_model.RecordOf(group)->Group();
    SelectAccount();
}

void CPasswordBarDlg::OnModelReset() {
    m_bModelChanging = false;
    m_pCopyUserName->SetCodePage(m_doc.CodePage());
    m_pCopyPassword->SetCodePage(m_doc.CodePage());
    if (m_pInfoList == nullptr || m_bFilling)
        return;
    // Built again from the document: the choice is found again by its
    // names, which outlast a content that is gone for now (a file unloaded
    // while locked).
    const std::string strGroup = m_strCurGroup;
    const std::string strAccount = m_strCurAccount;
    FillGroups();
    if (!m_model.FileIndex().isValid())
        Choose(strGroup, strAccount);
}

template <class TRows> void CPasswordBarDlg::CloseList(CHoverComboBox* pList, TRows& rows) {
    const QScopedValueRollback<bool> filling(m_bFilling, true);
    rows.SetOpen(false);
    pList->setRootModelIndex({});
    pList->setCurrentIndex(-1);
}

template <class TRows>
void CPasswordBarDlg::OpenList(CHoverComboBox* pList, TRows& rows, const QModelIndex& sourceRoot) {
    pList->setRootModelIndex(rows.Open(sourceRoot));
}

template <class TRows>
const CPasswordInfo* CPasswordBarDlg::CurrentRecord(const QComboBox* pList, const TRows& rows) {
    const int nRow = pList->currentIndex();
    return nRow < 0 ? nullptr : rows.RecordOf(rows.index(nRow, 0, pList->rootModelIndex()));
}

void CPasswordBarDlg::FillGroups() {
    if (!HasKey()) {
        // No file: nothing of an earlier one may stay listed, since its
        // records are gone.
        Button(IDC_LOCK)->setEnabled(false);
        CloseList(m_pGroups, *m_pGroupRows);
        m_pGroups->setEnabled(false);
        m_pInfoList = nullptr;
        FillAccounts();
        return;
    }
    m_pInfoList = &m_doc.Records();
    Button(IDC_LOCK)->setEnabled(true);
    m_pGroups->setEnabled(true);
    {
        const QScopedValueRollback<bool> filling(m_bFilling, true);
        OpenList(m_pGroups, *m_pGroupRows, m_model.FileIndex());
        const QModelIndex root = m_pGroups->rootModelIndex();
        m_pGroups->setCurrentIndex(m_strCurGroup.empty()
                                       ? (m_pGroups->count() > 0 ? 0 : -1)
                                       : m_pGroupRows->FindRow(root, m_strCurGroup, true));
    }
    FillAccounts();
}

void CPasswordBarDlg::FillAccounts() {
    const CPasswordInfo* pGroup = CurrentRecord(m_pGroups, *m_pGroupRows);
    if (pGroup == nullptr || m_pInfoList == nullptr) {
        CloseList(m_pAccounts, *m_pAccountRows);
        m_pAccounts->setEnabled(false);
        m_strCurGroup.clear();
        SelectAccount();
        return;
    }
    m_strCurGroup = pGroup->Group();
    m_pAccounts->setEnabled(true);
    {
        const QScopedValueRollback<bool> filling(m_bFilling, true);
        m_pAccountRows->SetWords(m_strFilter);
        OpenList(m_pAccounts, *m_pAccountRows,
                 m_pGroupRows->mapToSource(m_pGroupRows->index(m_pGroups->currentIndex(), 0,
                                                               m_pGroups->rootModelIndex())));
        // Narrowed, only the very name keeps the account chosen.
        const int nFound =
            m_strCurAccount.empty()
                ? -1
                : m_pAccountRows->FindRow(m_pAccounts->rootModelIndex(), m_strCurAccount,
                                          !m_pAccountRows->IsNarrowed());
        if (m_pAccounts->count() > 0) {
            m_pAccounts->setCurrentIndex(nFound < 0 ? 0 : nFound);
            m_strCurAccount.clear();
        } else {
            m_pAccounts->setCurrentIndex(-1);
        }
    }
    SelectAccount();
}

void CPasswordBarDlg::SelectAccount() {
    const int nRow = m_pAccounts->currentIndex();
    m_chosenAccount = nRow < 0 ? QModelIndex()
                               : m_pAccountRows->mapToSource(
                                     m_pAccountRows->index(nRow, 0, m_pAccounts->rootModelIndex()));
    m_pCurAccount = m_model.RecordOf(m_chosenAccount);
    if (m_pCurAccount == nullptr) {
        for (int nId : {IDC_COPY_USERNAME, IDC_COPY_PASSWORD, IDC_HYPERLINK, IDC_EMAIL})
            Button(nId)->setEnabled(false);
        m_pCopyUserName->SetDragText({});
        m_pCopyPassword->SetDragText({});
        m_strCurAccount.clear();
        return;
    }
    m_pCopyUserName->setEnabled(!m_pCurAccount->UserName().empty());
    m_pCopyPassword->setEnabled(!m_pCurAccount->Password().empty());
    Button(IDC_HYPERLINK)->setEnabled(!m_pCurAccount->WebSite().empty());
    Button(IDC_EMAIL)->setEnabled(!m_pCurAccount->EMail().empty());
    m_strCurAccount = m_pCurAccount->Account();
    m_pCopyUserName->SetDragText(m_pCurAccount->UserName());
    m_pCopyPassword->SetDragText(m_pCurAccount->Password());
}

// The list shows what is typed into it as its tool tip, its description for
// screen readers and, when nothing matches, in the empty field.
void CPasswordBarDlg::ShowAccountFilter(const QString& strText) {
    m_strFilter = strText;
    const QString strShown = strText.isEmpty() ? QString() : TrText(BAR_FILTER).arg(strText);
    m_pAccounts->setToolTip(strShown);
    m_pAccounts->setAccessibleDescription(strShown);
    m_pAccounts->setPlaceholderText(strShown);
}

void CPasswordBarDlg::SetAccountFilter(const QString& strText) {
    ShowAccountFilter(strText);
    // The account chosen stays chosen while it still matches.
    if (m_pCurAccount)
        m_strCurAccount = m_pCurAccount->Account();
    FillAccounts();
}

bool CPasswordBarDlg::eventFilter(QObject* pWatched, QEvent* pEvent) {
    if (pWatched != m_pAccounts || pEvent->type() != QEvent::KeyPress || !m_pAccounts->isEnabled())
        return QWidget::eventFilter(pWatched, pEvent);
    const auto* pKey = static_cast<QKeyEvent*>(pEvent);
    const Qt::KeyboardModifiers modifiers = pKey->modifiers() & ~Qt::KeypadModifier;
    if (modifiers != Qt::NoModifier && modifiers != Qt::ShiftModifier)
        return false;
    const QString strText = pKey->text();
    if (pKey->key() == Qt::Key_Escape || pKey->key() == Qt::Key_Backspace) {
        if (m_strFilter.isEmpty())
            return false;
        SetAccountFilter(pKey->key() == Qt::Key_Escape ? QString() : m_strFilter.chopped(1));
        return true;
    }
    // A blank separates words once a word has begun; before, it opens the list.
    if (!strText.isEmpty() && strText.at(0).isPrint() &&
        (!strText.at(0).isSpace() || !m_strFilter.isEmpty())) {
        SetAccountFilter(m_strFilter + strText);
        return true;
    }
    return false;
}

void CPasswordBarDlg::ResetBar() {
    ShowAccountFilter(QString());
    m_pInfoList = nullptr;
    CloseList(m_pGroups, *m_pGroupRows);
    CloseList(m_pAccounts, *m_pAccountRows);
    m_pCurAccount = nullptr;
    for (int nId : {IDC_LOCK, IDC_COPY_USERNAME, IDC_COPY_PASSWORD, IDC_HYPERLINK, IDC_EMAIL})
        Button(nId)->setEnabled(false);
    m_pCopyUserName->SetDragText({});
    m_pCopyPassword->SetDragText({});
    CSecretBuffer::Wipe(m_strCurGroup);
    CSecretBuffer::Wipe(m_strCurAccount);
}

// --- place ---

void CPasswordBarDlg::SavePosition() {
    // A Wayland window does not know its place: the stored one stays for the
    // desktops that honour it.
    if (m_bPlaced)
        m_ptBar = pos();
}

void CPasswordBarDlg::WritePosition() {
    m_settings.Change([this](SShellSettings& values) {
        values.m_nBarX = unsigned(m_ptBar.x());
        values.m_nBarY = unsigned(m_ptBar.y());
    });
}

void CPasswordBarDlg::SnapToEdges() {
    const QScreen* pScreen = QGuiApplication::primaryScreen();
    if (pScreen == nullptr || !m_bPlaced)
        return;
    const QRect rect = frameGeometry();
    const SBarSnap snap = ::SnapToEdges(rect.left(), rect.top(), rect.left() + rect.width(),
                                        pScreen->geometry().width());
    if (snap.m_nX != rect.left() || snap.m_nY != rect.top())
        move(snap.m_nX, snap.m_nY);
}

// --- buttons ---

void CPasswordBarDlg::OpenTarget(const std::string& strTarget) {
    const int nResult = OpenLink(strTarget, m_doc.CodePage());
    if (nResult <= LINK_FAILURE_MAX)
        m_prompts.MessageBox(LinkErrorMessage(nResult), EMsgIcon::exclamation);
}

void CPasswordBarDlg::Lock() {
    CClipboard::EmptyIfText();
    emit NamesForView(m_strCurGroup, m_strCurAccount);
    emit LockClicked();
}

void CPasswordBarDlg::OnMinimize() {
    SavePosition();
    CClipboard::EmptyIfText();
    emit NamesForView(m_strCurGroup, m_strCurAccount);
    emit MinimizeClicked();
}

void CPasswordBarDlg::OnClose() {
    SavePosition();
    CClipboard::EmptyIfText();
    emit CloseClicked();
}

void CPasswordBarDlg::OnMainWindow() {
    SavePosition();
    emit NamesForView(m_strCurGroup, m_strCurAccount);
    emit MainWindowClicked();
    ResetBar();
}

void CPasswordBarDlg::ShowMenu() {
    CHoverButton* pButton = Button(IDC_MENU);
    pButton->ResetHover();
    // Right-aligned under the button, unless that runs off the desktop.
    const QRect rect(pButton->mapToGlobal(QPoint(0, 0)), pButton->size());
    const QScreen* pScreen = screen();
    const int nDesktopRight = pScreen ? pScreen->virtualGeometry().right() : rect.right();
    const int nRight = rect.right() > nDesktopRight ? rect.left() : rect.right();
    const QSize size = m_pMenu->sizeHint();
    m_pMenu->popup(QPoint(nRight - size.width() + 1, rect.bottom() + 1));
}

// --- the menu's commands ---

void CPasswordBarDlg::OnOpen() {
    m_bModalOpen = true;
    SFilePrompt prompt;
    std::string strPath;
    if (m_prompts.PromptOpenFile(prompt, strPath))
        OpenFile(strPath);
    m_bModalOpen = false;
}

void CPasswordBarDlg::OpenFile(const std::string& strPath) {
    if (strPath == m_session.GetPathName())
        return;
    // A close that leaves the file open was cancelled.
    if (HasKey() && m_session.OnFileClose() != 1 && HasKey())
        return;
    ResetBar();
    m_pGroups->setEnabled(false);
    m_pAccounts->setEnabled(false);
    if (m_session.OpenReplacing(strPath))
        FillGroups();
}

void CPasswordBarDlg::OnSave() {
    if (!m_doc.IsModified())
        return;
    if (m_session.HasFilePath() && IsReadOnlyFile(m_session.GetPathName()) &&
        m_prompts.MessageBox(IDS_SAVE_READONLY, EMsgIcon::exclamation, EMsgButtons::yesNo) !=
            EMsgAnswer::yes)
        return;
    m_session.DoFileSave();
}

SAccountDlgData CPasswordBarDlg::NewDialogData() {
    SAccountDlgData dlg;
    // The program's settings: the generator's changed there are also the
    // next dialog's.
    dlg.m_bMaskPasswords = m_settings.Values().m_bMaskPasswords != 0;
    dlg.m_generator = m_settings.Values().m_generator;
    dlg.m_strGroup = m_strCurGroup;
    dlg.m_fnGeneratorSettings = m_fnGeneratorSettings;
    return dlg;
}

void CPasswordBarDlg::OnAddAccount() {
    if (!HasKey())
        return;
    SAccountDlgData dlg = NewDialogData();
    FillDatabaseDlgData(dlg, m_doc, nullptr);
    m_bModalOpen = true;
    const bool bOk = m_editPrompts.RunAccountDlg(dlg);
    m_bModalOpen = false;
    const CPasswordInfo* pNew = bOk ? m_doc.AddAccount(dlg.m_strGroup, AccountTexts(dlg)) : nullptr;
    if (!pNew)
        return;
    KeepDatabaseExtras(m_doc, pNew, dlg);
    ShowChangedAccount(dlg);
}

void CPasswordBarDlg::OnEditAccount() {
    // The account shown is the one edited, whatever other account's name
    // begins like its own.
    const CPasswordInfo* pOld = m_pCurAccount;
    if (!HasKey() || pOld == nullptr)
        return;
    SAccountDlgData dlg = NewDialogData();
    FillAccountDlgData(dlg, *pOld);
    FillDatabaseDlgData(dlg, m_doc, pOld);
    m_bModalOpen = true;
    const bool bOk = m_editPrompts.RunAccountDlg(dlg);
    m_bModalOpen = false;
    if (!bOk)
        return;
    // The record goes; the lists follow the model, and the bar chooses
    // again once the new record is in.
    m_pCurAccount = nullptr;
    CPasswordInfo* pNew = nullptr;
    {
        const QScopedValueRollback<bool> filling(m_bFilling, true);
        pNew = m_doc.ReplaceAccount(pOld, dlg.m_strGroup, AccountTexts(dlg));
    }
    if (pNew == nullptr) {
        FillGroups();
        return;
    }
    KeepDatabaseExtras(m_doc, pNew, dlg);
    ShowChangedAccount(dlg);
}

void CPasswordBarDlg::ShowChangedAccount(const SAccountDlgData& dlg) {
    // The record is in the group chosen in the dialog; the bar shows it there.
    m_strCurGroup = dlg.m_strGroup;
    m_strCurAccount = dlg.m_strAccount;
    m_doc.SetModifiedFlag(true);
    FillGroups();
    emit NamesForView(m_strCurGroup, m_strCurAccount);
    // The document's own save is for the main window's commands; the bar
    // saves as the file's auto-save asks.
    if (m_session.FileOptions().m_bAutoSave)
        m_session.DoFileSave();
}

// --- input ---

void CPasswordBarDlg::mousePressEvent(QMouseEvent* pEvent) {
    if (pEvent->button() == Qt::LeftButton && m_rcGrip.contains(pEvent->position().toPoint()) &&
        windowHandle() != nullptr) {
        // The window manager moves the bar as if its caption were held.
        windowHandle()->startSystemMove();
        return;
    }
    QWidget::mousePressEvent(pEvent);
}

void CPasswordBarDlg::mouseMoveEvent(QMouseEvent* pEvent) {
    if (m_rcGrip.contains(pEvent->position().toPoint()))
        SnapToEdges();
    QWidget::mouseMoveEvent(pEvent);
}

void CPasswordBarDlg::keyPressEvent(QKeyEvent* pEvent) {
    // The keys reach the bar when the control with the focus leaves them:
    // the account list takes Escape first to clear its filter.
    switch (pEvent->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        OnEnter();
        break;
    case Qt::Key_Escape:
    case Qt::Key_F2:
        // F2 brings the bar from the main window, and takes it back.
        OnMainWindow();
        break;
    default:
        QWidget::keyPressEvent(pEvent);
        return;
    }
    pEvent->accept();
}

void CPasswordBarDlg::OnEnter() {
    // A button reached with Tab is pressed; on the lists Enter copies the
    // password of the account chosen (a disabled button ignores the click).
    auto* pButton = qobject_cast<QAbstractButton*>(focusWidget());
    (pButton ? pButton : m_pCopyPassword)->click();
}

void CPasswordBarDlg::closeEvent(QCloseEvent* pEvent) {
    // The program only ever hides the bar: a close comes from the window
    // system (Alt+F4, a Wayland title bar's button), and is the bar's Close.
    pEvent->ignore();
    OnClose();
}

void CPasswordBarDlg::showEvent(QShowEvent* pEvent) {
    QWidget::showEvent(pEvent);
    // The keyboard comes back to the lists, not to the button that handed
    // over nor to the first button, whose turn comes with Tab.
    if (focusWidget() != m_pGroups && focusWidget() != m_pAccounts)
        m_pGroups->setFocus(Qt::OtherFocusReason);
    // The window manager takes the hint once it has mapped the bar: the bar
    // comes back through the tray, not through a task bar button.
    QTimer::singleShot(0, this, [this]() { SkipTaskbar(*this); });
}
