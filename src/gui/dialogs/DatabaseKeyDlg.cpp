// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/DatabaseKeyDlg.h"

#include "core/interchange/DatabaseKey.h"
#include "core/seal/SecretBuffer.h"
#include "platform/Translations.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLineEdit* MakeEdit(QWidget* pParent, const char* pszName, const char* pszAccessible,
                    bool bMasked) {
    auto* pEdit = new QLineEdit(pParent);
    pEdit->setObjectName(QString::fromLatin1(pszName));
    pEdit->setAccessibleName(TrText(pszAccessible));
    if (bMasked)
        pEdit->setEchoMode(QLineEdit::Password);
    return pEdit;
}

// Overwrites what the edit held before it is emptied.
void WipeEdit(QLineEdit* pEdit) {
    if (!pEdit)
        return;
    pEdit->setText(QString(pEdit->text().size(), QLatin1Char(' ')));
    pEdit->clear();
}

} // namespace

CDatabaseKeyDlg::CDatabaseKeyDlg(CPrompts& prompts, const QString& strFileName,
                                 EDatabaseKeyKind eKind, QWidget* pParent)
    : QDialog(pParent), m_prompts(prompts), m_bNew(IsNewDatabaseKey(eKind)) {
    setObjectName(QStringLiteral("DatabaseKeyDlg"));
    setWindowTitle(TrText(DatabaseKeyTitle(eKind)));
    auto* pLayout = new QVBoxLayout(this);
    auto* pName = new QLabel(strFileName, this);
    pName->setObjectName(QStringLiteral("DatabaseName"));
    pName->setTextFormat(Qt::PlainText);
    pLayout->addWidget(pName);

    auto* pForm = new QFormLayout();
    pLayout->addLayout(pForm);
    m_pPassword = MakeEdit(this, "DatabasePassword", KH_TEXT("Keyhaven", "Password"), true);
    pForm->addRow(TrText(KH_TEXT("Keyhaven", "&Password:")), m_pPassword);
    if (m_bNew) {
        m_pConfirm =
            MakeEdit(this, "DatabaseConfirm", KH_TEXT("Keyhaven", "Confirm password"), true);
        pForm->addRow(TrText(KH_TEXT("Keyhaven", "&Confirm:")), m_pConfirm);
    }
    m_pNoPassword = new QCheckBox(
        TrText(KH_TEXT("Keyhaven", "&No password (the key file alone opens it)")), this);
    m_pNoPassword->setObjectName(QStringLiteral("NoPassword"));
    m_pNoPassword->setAccessibleName(TrText(KH_TEXT("Keyhaven", "No password")));
    pForm->addRow(QString(), m_pNoPassword);
    connect(m_pNoPassword, &QCheckBox::toggled, this, &CDatabaseKeyDlg::OnNoPassword);

    auto* pKeyRow = new QHBoxLayout();
    m_pKeyFile = MakeEdit(this, "DatabaseKeyFile", KH_TEXT("Keyhaven", "Key file"), false);
    pKeyRow->addWidget(m_pKeyFile);
    m_pBrowse = new QPushButton(TrText(KH_TEXT("Keyhaven", "&Browse...")), this);
    m_pBrowse->setObjectName(QStringLiteral("BrowseKeyFile"));
    m_pBrowse->setAccessibleName(TrText(KH_TEXT("Keyhaven", "Browse")));
    m_pBrowse->setAutoDefault(false);
    pKeyRow->addWidget(m_pBrowse);
    // A row holding a layout gets no buddy of its own: the label names the edit.
    auto* pKeyLabel = new QLabel(TrText(KH_TEXT("Keyhaven", "&Key file (optional):")), this);
    pKeyLabel->setBuddy(m_pKeyFile);
    pForm->addRow(pKeyLabel, pKeyRow);
    connect(m_pBrowse, &QPushButton::clicked, this, &CDatabaseKeyDlg::Browse);

    auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    pLayout->addWidget(pButtons);
    connect(pButtons, &QDialogButtonBox::accepted, this, &CDatabaseKeyDlg::accept);
    connect(pButtons, &QDialogButtonBox::rejected, this, &CDatabaseKeyDlg::reject);
    m_pPassword->setFocus(Qt::OtherFocusReason);
}

CDatabaseKeyDlg::~CDatabaseKeyDlg() {
    WipeEdit(m_pPassword);
    WipeEdit(m_pConfirm);
    CSecretBuffer::Wipe(m_key.m_strPassword);
}

void CDatabaseKeyDlg::OnNoPassword(bool bChecked) {
    for (QLineEdit* pEdit : {m_pPassword, m_pConfirm}) {
        if (!pEdit)
            continue;
        if (bChecked)
            WipeEdit(pEdit);
        pEdit->setEnabled(!bChecked);
    }
}

void CDatabaseKeyDlg::Browse() {
    SFilePrompt prompt;
    prompt.m_strTitle = DATABASE_KEY_FILE_TITLE;
    prompt.m_strFilter = DATABASE_KEY_FILE_FILTERS;
    prompt.m_strDefaultExt.clear();
    prompt.m_strInitialName = m_pKeyFile->text().toStdString();
    std::string strPath;
    if (m_prompts.PromptOpenFile(prompt, strPath))
        m_pKeyFile->setText(QString::fromStdString(strPath));
}

void CDatabaseKeyDlg::accept() {
    SDatabaseKey key;
    key.m_bNoPassword = m_pNoPassword->isChecked();
    key.m_strKeyFile = m_pKeyFile->text().trimmed().toStdString();
    const char* pszRefusal = DatabaseKeyRefusal(
        key.m_bNoPassword, m_pPassword->text().toStdString(),
        m_pConfirm ? m_pConfirm->text().toStdString() : m_pPassword->text().toStdString(),
        key.m_strKeyFile);
    if (pszRefusal) {
        m_prompts.MessageBox(pszRefusal, EMsgIcon::exclamation);
        WipeEdit(m_pConfirm);
        (m_bNew && !key.m_bNoPassword ? m_pPassword : m_pKeyFile)->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (!key.m_bNoPassword)
        key.m_strPassword = m_pPassword->text().toStdString();
    m_key = std::move(key);
    QDialog::accept();
}
