// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/AccountDlg.h"

#include "core/base/Prompts.h"
#include "core/base/StringTable.h"
#include "core/base/TextUtil.h"
#include "core/generator/PasswordGenerator.h"
#include "core/link/LinkCommand.h"
#include "core/store/CodePage.h"
#include "core/store/CofferDoc.h"
#include "core/store/KeyDialogRules.h"
#include "gui/controls/DragEdit.h"
#include "gui/controls/DragTextEdit.h"
#include "gui/controls/HoverButton.h"
#include "gui/controls/HoverComboBox.h"
#include "gui/controls/MaskedValueDelegate.h"
#include "gui/controls/StrengthMeter.h"
#include "gui/dialogs/AccountAttachmentsTab.h"
#include "gui/dialogs/AccountFieldsTab.h"
#include "gui/dialogs/AccountHistoryTab.h"
#include "gui/dialogs/AccountOtpTab.h"
#include "gui/dialogs/AccountPropertiesTab.h"
#include "gui/dialogs/AccountTabTexts.h"
#include "gui/dialogs/IconButtonRow.h"
#include "platform/DesktopLinkOpener.h"
#include "platform/Translations.h"

#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// The clipboard drawn for paste buttons where the desktop theme has no
// "edit-paste".
constexpr int IDI_PASTE = 463;
constexpr const char* PASTE_THEME_ICON = "edit-paste";
constexpr int IDI_GENERATE = 336;
constexpr int IDI_GENERATOR_SETTINGS = 461;
constexpr int IDI_BROWSE = 322;
constexpr int IDI_TEST_LINK = 462;

QString Latin(const char* psz) {
    return TrText(psz);
}

} // namespace

CAccountDlg::CAccountDlg(const CCofferDoc& doc, CPrompts& prompts, QWidget* pParent)
    : QDialog(pParent), m_fnOpenLink([&doc](const std::string& strTarget) {
          return OpenLink(strTarget, doc.CodePage());
      }),
      m_doc(doc), m_prompts(prompts) {
    setObjectName(QStringLiteral("AccountDlg"));
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowTitle(Latin(IDS_ADD_ACCOUNT_CAPTION));
    CreateControls();
}

CAccountDlg::~CAccountDlg() {
    // The password should not outlive the dialog in its controls.
    m_pPassword->clear();
}

CDragEdit* CAccountDlg::MakeEdit(int nId, const char* pszName, const char* pszLabel) {
    auto* pEdit = new CDragEdit(m_pAccountPage);
    pEdit->setProperty("controlId", nId);
    pEdit->setObjectName(QString::fromLatin1(pszName));
    pEdit->setAccessibleName(Latin(pszLabel));
    pEdit->EnableDragDrop(CDragDropText::DRAG_SOURCE | CDragDropText::DROP_TARGET);
    return pEdit;
}

CHoverButton* CAccountDlg::MakeIconButton(int nId, const char* pszName, const char* pszTip,
                                          int nIcon) {
    auto* pButton = new CHoverButton(m_pAccountPage);
    pButton->SetIconId(nIcon);
    pButton->setProperty("controlId", nId);
    pButton->setObjectName(QString::fromLatin1(pszName));
    pButton->setToolTip(Latin(pszTip));
    pButton->setAccessibleName(Latin(pszTip));
    pButton->setAutoDefault(false);
    pButton->setFocusPolicy(Qt::TabFocus);
    return pButton;
}

CHoverButton* CAccountDlg::Button(int nId) const {
    for (CHoverButton* pButton : findChildren<CHoverButton*>()) {
        if (pButton->property("controlId").toInt() == nId)
            return pButton;
    }
    return nullptr;
}

void CAccountDlg::CreateControls() {
    // Made first, so that the controls keep their order in the focus chain.
    m_pAccountPage = new QWidget(this);
    m_pAccountPage->setObjectName(QStringLiteral("AccountPage"));
    m_pGroup = new CHoverComboBox(m_pAccountPage);
    m_pGroup->setProperty("controlId", static_cast<int>(IDC_GROUP));
    m_pGroup->setObjectName(QStringLiteral("GroupList"));
    m_pGroup->setAccessibleName(Latin(IDS_GROUP_LABEL));
    connect(m_pGroup, &QComboBox::activated, this, &CAccountDlg::OnGroupChosen);

    m_pAccount = MakeEdit(IDC_ACCOUNT, "Account", IDS_ACCOUNT_LABEL);
    m_pAccount->setMaxLength(MAX_ACCOUNT_LENGTH);
    m_pUserName = MakeEdit(IDC_USERNAME, "UserName", IDS_USERNAME_LABEL);
    m_pPassword = MakeEdit(IDC_PASSWORD, "Password", IDS_PASSWORD_LABEL);
    m_pWebSite = MakeEdit(IDC_WEBSITE, "WebSite", IDS_HYPERLINK_LABEL);
    m_pEMail = MakeEdit(IDC_EMAIL, "EMail", IDS_EMAIL_LABEL);
    m_pComments = new CDragTextEdit(m_pAccountPage);
    m_pComments->setProperty("controlId", static_cast<int>(IDC_COMMENTS));
    m_pComments->setObjectName(QStringLiteral("Comments"));
    m_pComments->setAccessibleName(Latin(IDS_COMMENTS_LABEL));
    m_pComments->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_pComments->EnableDragDrop(CDragDropText::DRAG_SOURCE | CDragDropText::DROP_TARGET);

    CHoverButton* pPasteUser =
        MakeIconButton(IDC_PASTE_USERNAME, "PasteUserName", IDS_PASTE_USERNAME_TIP, IDI_PASTE);
    CHoverButton* pGenerate =
        MakeIconButton(IDC_GENERATE, "GeneratePassword", IDS_GENERATE_PASSWORD_TIP, IDI_GENERATE);
    m_pSettings = MakeIconButton(IDC_GENERATOR_SETTINGS, "GeneratorSettings",
                                 IDS_GENERATOR_SETTINGS_TIP, IDI_GENERATOR_SETTINGS);
    CHoverButton* pPasteWeb =
        MakeIconButton(IDC_PASTE_WEBSITE, "PasteHyperlink", IDS_PASTE_HYPERLINK_TIP, IDI_PASTE);
    CHoverButton* pBrowse = MakeIconButton(IDC_BROWSE, "Browse", IDS_BROWSE_TIP, IDI_BROWSE);
    CHoverButton* pTest =
        MakeIconButton(IDC_TEST_LINK, "TestHyperlink", IDS_TEST_HYPERLINK_TIP, IDI_TEST_LINK);
    CHoverButton* pPasteMail =
        MakeIconButton(IDC_PASTE_EMAIL, "PasteEMail", IDS_PASTE_EMAIL_TIP, IDI_PASTE);
    for (CHoverButton* pPaste : {pPasteUser, pPasteWeb, pPasteMail})
        pPaste->SetThemeIcon(QString::fromLatin1(PASTE_THEME_ICON), IDI_PASTE);
    connect(pPasteUser, &QPushButton::clicked, this, [this] { OnPaste(m_pUserName); });
    connect(pPasteWeb, &QPushButton::clicked, this, [this] { OnPaste(m_pWebSite); });
    connect(pPasteMail, &QPushButton::clicked, this, [this] { OnPaste(m_pEMail); });
    connect(pGenerate, &QPushButton::clicked, this, &CAccountDlg::OnGeneratePassword);
    connect(m_pSettings, &QPushButton::clicked, this, &CAccountDlg::OnGeneratorSettings);
    connect(pBrowse, &QPushButton::clicked, this, &CAccountDlg::OnBrowse);
    connect(pTest, &QPushButton::clicked, this, &CAccountDlg::OnTestHyperlink);
    // Masked passwords can be shown here, so a generated one can be read.
    m_pShowPassword = new QPushButton(Latin(IDS_SHOW_PASSWORD), m_pAccountPage);
    m_pShowPassword->setCheckable(true);
    m_pShowPassword->setAutoDefault(false);
    m_pShowPassword->setProperty("controlId", static_cast<int>(IDC_SHOW_PASSWORD));
    m_pShowPassword->setObjectName(QStringLiteral("ShowPassword"));
    m_pShowPassword->setAccessibleName(Latin(IDS_SHOW_PASSWORD_NAME));
    connect(m_pShowPassword, &QPushButton::toggled, this, &CAccountDlg::ShowPassword);
    // The meter follows the password as it is typed, pasted or generated.
    m_pStrength = new CStrengthMeter(m_pAccountPage);
    m_pStrength->Follow(m_pPassword);

    auto* pGrid = new QGridLayout(m_pAccountPage);
    pGrid->setContentsMargins(0, 0, 0, 0);
    const auto label = [this, pGrid](int nRow, const char* pszText, QWidget* pBuddy) {
        auto* pLabel = new QLabel(Latin(pszText), m_pAccountPage);
        pLabel->setBuddy(pBuddy);
        pGrid->addWidget(pLabel, nRow, 0);
    };
    label(0, IDS_GROUP_LABEL, m_pGroup);
    pGrid->addWidget(m_pGroup, 0, 2, 1, 3);
    label(1, IDS_ACCOUNT_LABEL, m_pAccount);
    pGrid->addWidget(m_pAccount, 1, 2, 1, 3);
    label(2, IDS_USERNAME_LABEL, m_pUserName);
    pGrid->addWidget(pPasteUser, 2, 1);
    pGrid->addWidget(m_pUserName, 2, 2, 1, 3);
    label(3, IDS_PASSWORD_LABEL, m_pPassword);
    pGrid->addWidget(pGenerate, 3, 1);
    pGrid->addWidget(m_pPassword, 3, 2);
    pGrid->addWidget(m_pSettings, 3, 3);
    pGrid->addWidget(m_pShowPassword, 3, 4);
    pGrid->addWidget(m_pStrength, 4, 2, 1, 3);
    label(5, IDS_HYPERLINK_LABEL, m_pWebSite);
    pGrid->addWidget(pPasteWeb, 5, 1);
    pGrid->addWidget(m_pWebSite, 5, 2);
    pGrid->addWidget(pBrowse, 5, 3);
    pGrid->addWidget(pTest, 5, 4);
    label(6, IDS_EMAIL_LABEL, m_pEMail);
    pGrid->addWidget(pPasteMail, 6, 1);
    pGrid->addWidget(m_pEMail, 6, 2, 1, 3);
    label(7, IDS_COMMENTS_LABEL, m_pComments);
    pGrid->addWidget(m_pComments, 7, 1, 1, 4);
    pGrid->setColumnStretch(2, 1);
    pGrid->setRowStretch(7, 1);
    m_pUserName->setMinimumWidth(260);

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(m_pAccountPage, 1);
    pLayout->addLayout(MakeIconButtonRow(*this).m_pLayout);
    setTabOrder(m_pGroup, m_pAccount);
}

QString CAccountDlg::ToQt(const std::string& strStored) const {
    return QString::fromStdString(m_doc.CodePage().ToUtf8(strStored));
}

void CAccountDlg::Load(const SAccountDlgData& input) {
    m_data = input;
    m_pAccount->setText(ToQt(input.m_strAccount));
    m_pUserName->setText(ToQt(input.m_strUserName));
    m_pPassword->setText(ToQt(input.m_strPassword));
    m_pWebSite->setText(ToQt(input.m_strWebSite));
    m_pEMail->setText(ToQt(input.m_strEMail));
    m_strShownComments = ToQt(CommentsForDisplay(input.m_strComments));
    m_pComments->setPlainText(m_strShownComments);

    m_bEditMode = !input.m_strAccount.empty();
    setWindowTitle(Latin(m_bEditMode ? IDS_EDIT_ACCOUNT_CAPTION : IDS_ADD_ACCOUNT_CAPTION));
    if (input.m_extras)
        CreateTabs(*input.m_extras, input.m_history);
    m_pShowPassword->setChecked(!input.m_bMaskPasswords);
    ShowPassword(!input.m_bMaskPasswords);
    m_strOrigAccount = input.m_strAccount;
    // The settings live in the Options dialog, which only a caller that
    // can open it offers.
    m_pSettings->setEnabled(static_cast<bool>(input.m_fnGeneratorSettings));
    FillGroups();
    m_strOrigGroup = m_data.m_strGroup;
    // As the edits show them: a name cut at the edit's length is no change.
    m_listShownTexts = ShownTexts();
    if (m_pTabs)
        m_shownExtras = ShownExtras();
    m_pAccount->setFocus(Qt::OtherFocusReason);
}

void CAccountDlg::CreateTabs(const SRecordExtras& extras,
                             const std::vector<SRecordVersion>& history) {
    if (!m_pTabs) {
        m_pTabs = new QTabWidget(this);
        m_pTabs->setObjectName(QStringLiteral("AccountTabs"));
        // Every tab in sight: the dialog grows to show them all rather than
        // hiding some behind scroll arrows.
        m_pTabs->setUsesScrollButtons(false);
        auto* pLayout = static_cast<QVBoxLayout*>(layout());
        pLayout->removeWidget(m_pAccountPage);
        pLayout->insertWidget(0, m_pTabs, 1);
        m_pTabs->addTab(m_pAccountPage, Latin(IDS_TAB_ACCOUNT));
        m_pTabs->tabBar()->setAccessibleTabName(0, Latin(IDS_TAB_ACCOUNT_NAME));
        m_pFieldsTab = new CAccountFieldsTab(m_pTabs);
        m_pTabs->addTab(m_pFieldsTab, Latin(IDS_TAB_FIELDS));
        m_pOtpTab = new CAccountOtpTab(m_doc, m_pTabs);
        m_pOtpTab->m_fnAccount = [this] { return m_pAccount->text().toStdString(); };
        m_pTabs->addTab(m_pOtpTab, Latin(IDS_TAB_OTP));
        m_pPropertiesTab = new CAccountPropertiesTab(m_pTabs);
        m_pTabs->addTab(m_pPropertiesTab, Latin(IDS_TAB_PROPERTIES));
        m_pAttachmentsTab = new CAccountAttachmentsTab(m_prompts, m_pTabs);
        m_pTabs->addTab(m_pAttachmentsTab, Latin(IDS_TAB_ATTACHMENTS));
        m_pHistoryTab = new CAccountHistoryTab(m_doc.CodePage(), m_pTabs);
        m_pHistoryTab->m_fnRestore = [this](const SRecordVersion& version) { Restore(version); };
        m_pTabs->addTab(m_pHistoryTab, Latin(IDS_TAB_HISTORY));
    }
    LoadExtras(extras);
    m_pHistoryTab->Load(history);
    m_pTabs->setTabEnabled(m_pTabs->indexOf(m_pHistoryTab), !history.empty());
    m_pTabs->setCurrentWidget(m_pAccountPage);
}

void CAccountDlg::LoadExtras(const SRecordExtras& extras) {
    m_pFieldsTab->Load(extras.fields);
    m_pOtpTab->Load(extras.strOtp);
    m_pPropertiesTab->Load(extras.tags, extras.nExpiry);
    m_pAttachmentsTab->Load(extras.attachments);
}

SRecordExtras CAccountDlg::ShownExtras() const {
    SRecordExtras extras;
    extras.fields = m_pFieldsTab->Fields();
    extras.strOtp = m_pOtpTab->Uri();
    extras.tags = m_pPropertiesTab->Tags();
    extras.nExpiry = m_pPropertiesTab->Expiry();
    extras.attachments = m_pAttachmentsTab->Attachments();
    return extras;
}

bool CAccountDlg::ReadExtras(SRecordExtras& extras) {
    m_pFieldsTab->CommitEdit();
    const std::string strWhy = m_pFieldsTab->CheckNames();
    if (!strWhy.empty()) {
        Refuse(strWhy, m_pFieldsTab->Table());
        return false;
    }
    const std::string strProblem = m_pOtpTab->Problem();
    if (!strProblem.empty()) {
        Refuse(FormatText(IDS_OTP_REFUSED, strProblem), m_pOtpTab->UriEdit());
        return false;
    }
    extras = ShownExtras();
    // Untouched, they go back as they came, whatever the tabs would tidy.
    if (extras == m_shownExtras && m_data.m_extras)
        extras = *m_data.m_extras;
    return true;
}

void CAccountDlg::Restore(const SRecordVersion& version) {
    m_pAccount->setText(ToQt(version.strAccount));
    m_pUserName->setText(ToQt(version.strUserName));
    m_pPassword->setText(ToQt(version.strPassword));
    m_pWebSite->setText(ToQt(version.strWebSite));
    m_pEMail->setText(ToQt(version.strEMail));
    m_pComments->setPlainText(ToQt(CommentsForDisplay(version.strComments)));
    LoadExtras(version.extras);
    m_pTabs->setCurrentWidget(m_pAccountPage);
}

void CAccountDlg::ShowTabOf(const QWidget* pControl) {
    if (!m_pTabs)
        return;
    for (int nTab = 0; nTab < m_pTabs->count(); ++nTab) {
        if (m_pTabs->widget(nTab)->isAncestorOf(pControl))
            m_pTabs->setCurrentIndex(nTab);
    }
}

QStringList CAccountDlg::ShownTexts() const {
    return {m_pAccount->text(), m_pUserName->text(), m_pWebSite->text(), m_pEMail->text()};
}

bool CAccountDlg::IsChanged() const {
    return m_data.m_strGroup != m_strOrigGroup || ShownTexts() != m_listShownTexts ||
           m_pComments->toPlainText() != m_strShownComments ||
           m_pPassword->text() != ToQt(m_data.m_strPassword) ||
           (m_pTabs && ShownExtras() != m_shownExtras);
}

void CAccountDlg::ShowPassword(bool bShown) {
    SetEditMasked(*m_pPassword, !bShown);
    m_pShowPassword->setText(Latin(bShown ? IDS_HIDE_PASSWORD : IDS_SHOW_PASSWORD));
    if (m_pTabs) {
        m_pFieldsTab->SetMasked(!bShown);
        m_pHistoryTab->SetMasked(!bShown);
        m_pOtpTab->SetMasked(!bShown);
    }
}

void CAccountDlg::FillGroups() {
    m_pChoice = std::make_unique<CGroupChoice>(m_doc.Records(), m_doc.CodePage());
    m_pGroup->clear();
    for (const SGroupEntry& entry : m_pChoice->Entries())
        m_pGroup->addItem(ToQt(entry.m_strText));
    const int nShown = m_pChoice->Preselect(m_data.m_strGroup);
    m_pGroup->setCurrentIndex(nShown);
    // The group shown is the group the account goes to.
    if (nShown >= 0)
        m_data.m_strGroup = m_pChoice->Entries()[static_cast<std::size_t>(nShown)].m_strText;
}

void CAccountDlg::OnGroupChosen(int nIndex) {
    if (m_pChoice && nIndex >= 0 && nIndex < m_pChoice->Count())
        m_data.m_strGroup = m_pChoice->Entries()[static_cast<std::size_t>(nIndex)].m_strText;
}

void CAccountDlg::Refuse(const std::string& strMessage, QWidget* pFocus) {
    m_prompts.MessageBox(strMessage, EMsgIcon::exclamation);
    ShowTabOf(pFocus);
    pFocus->setFocus(Qt::OtherFocusReason);
}

bool CAccountDlg::FromEdit(QWidget* pEdit, const QString& strText, std::string& strStored) {
    char32_t nBad = 0;
    if (m_doc.CodePage().FromUtf8(strText.toStdString(), strStored, &nBad))
        return true;
    m_prompts.MessageBox(CKeyDialogRules::BadCharacterMessage(nBad, IDS_TEXT_BAD_CHARACTER),
                         EMsgIcon::exclamation);
    ShowTabOf(pEdit);
    pEdit->setFocus(Qt::OtherFocusReason);
    return false;
}

bool CAccountDlg::ReadComments(std::string& strComments) {
    const QString strShown = m_pComments->toPlainText();
    // Untouched comments keep their bytes, whatever line ends they hold.
    if (strShown == m_strShownComments) {
        strComments = m_data.m_strComments;
        return true;
    }
    std::string strStored;
    if (!FromEdit(m_pComments, strShown, strStored))
        return false;
    strComments = CommentsForStore(strStored);
    return true;
}

void CAccountDlg::accept() {
    std::string strAccount;
    if (!FromEdit(m_pAccount, m_pAccount->text(), strAccount))
        return;
    if (strAccount.empty()) {
        Refuse(IDS_ACCOUNT_EMPTY, m_pAccount);
        return;
    }
    if (!m_pChoice || m_pChoice->Count() == 0) {
        Refuse(IDS_ACCOUNT_NEEDS_GROUP, m_pAccount);
        return;
    }
    if (!m_doc.IsAccountNameFree(m_data.m_strGroup, strAccount, m_data.m_pEditing)) {
        m_pAccount->clear();
        Refuse(IDS_ACCOUNT_SAME, m_pAccount);
        return;
    }
    SAccountDlgData result = m_data;
    result.m_strAccount = strAccount;
    if (!FromEdit(m_pUserName, m_pUserName->text(), result.m_strUserName) ||
        !FromEdit(m_pPassword, m_pPassword->text(), result.m_strPassword) ||
        !FromEdit(m_pWebSite, m_pWebSite->text(), result.m_strWebSite) ||
        !FromEdit(m_pEMail, m_pEMail->text(), result.m_strEMail) ||
        !ReadComments(result.m_strComments))
        return;
    if (m_pTabs) {
        SRecordExtras extras;
        if (!ReadExtras(extras))
            return;
        result.m_extras = std::move(extras);
    }
    m_data = std::move(result);
    QDialog::accept();
}

void CAccountDlg::reject() {
    // A generated password or a long comment is work that Escape should not
    // throw away unasked; No, the default, keeps the dialog open.
    if (m_pTabs)
        m_pFieldsTab->CommitEdit();
    if (IsChanged() && m_prompts.MessageBox(IDS_DISCARD_ACCOUNT_CHANGES, EMsgIcon::question,
                                            EMsgButtons::yesNoDefaultNo) != EMsgAnswer::yes)
        return;
    QDialog::reject();
}

void CAccountDlg::OnPaste(QLineEdit* pTarget) {
    const QMimeData* pData = QGuiApplication::clipboard()->mimeData();
    if (pData && pData->hasText())
        pTarget->setText(CDragEdit::SingleLine(pData->text()));
}

void CAccountDlg::OnGeneratePassword() {
    const SGeneratorSettings& gen = m_data.m_generator;
    m_pPassword->setText(QString::fromLatin1(CPasswordGenerator().GeneratePassword(
        gen.m_nFlags, CPasswordGenerator::TextToNumber(gen.m_strBegin),
        CPasswordGenerator::TextToNumber(gen.m_strEnd),
        CPasswordGenerator::TextToNumber(gen.m_strLength))));
}

void CAccountDlg::OnBrowse() {
    SFilePrompt prompt;
    prompt.m_strTitle = IDS_BROWSE_TITLE;
    prompt.m_strFilter = IDS_ALL_FILES_FILTER;
    prompt.m_strDefaultExt.clear();
    prompt.m_bConfirmOverwrite = false;
    std::string strPath;
    if (m_prompts.PromptOpenFile(prompt, strPath))
        m_pWebSite->setText(QString::fromStdString(strPath));
}

void CAccountDlg::OnTestHyperlink() {
    QString strText = m_pWebSite->text();
    while (strText.startsWith(QLatin1Char(' ')))
        strText.remove(0, 1);
    while (strText.endsWith(QLatin1Char(' ')))
        strText.chop(1);
    std::string strTarget;
    if (strText.isEmpty() || !FromEdit(m_pWebSite, strText, strTarget))
        return;
    const int nResult = m_fnOpenLink(strTarget);
    if (nResult <= LINK_FAILURE_MAX)
        m_prompts.MessageBox(LinkErrorMessage(nResult), EMsgIcon::exclamation);
}

void CAccountDlg::OnGeneratorSettings() {
    // The next Generate uses the settings as the Options dialog left them.
    if (m_data.m_fnGeneratorSettings)
        m_data.m_fnGeneratorSettings(m_data.m_generator);
}
