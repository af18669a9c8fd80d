// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/KeyDialog.h"

#include "core/seal/HeapScrub.h"
#include "core/seal/SecretBuffer.h"

#include "core/base/Prompts.h"
#include "core/base/StringTable.h"
#include "core/store/CodePage.h"
#include "gui/controls/HoverButton.h"
#include "gui/controls/StrengthMeter.h"
#include "gui/dialogs/IconButtonRow.h"
#include "platform/Translations.h"

#include <QLabel>
#include <QLineEdit>
#include <QVariant>

CKeyDialog::CKeyDialog(CPrompts& prompts, QWidget* pParent, const CCodePage* pCodePage)
    : QDialog(pParent), m_prompts(prompts),
      m_pCodePage(pCodePage ? pCodePage : &CCodePage::Default()) {
    setModal(true);
    // A fixed dialog with no help button, like every small dialog of the program.
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

QLineEdit* CKeyDialog::Edit(EKeyField eField) const {
    const auto it = m_mapEdits.find(eField);
    return it == m_mapEdits.end() ? nullptr : it->second;
}

QLineEdit* CKeyDialog::MakeKeyEdit(EKeyField eField, int nId, const char* pszObjectName,
                                   const QString& strAccessibleName) {
    auto* pEdit = new QLineEdit(this);
    pEdit->setEchoMode(QLineEdit::Password);
    // Every character shows as "*", whatever the style would choose.
    pEdit->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
    pEdit->setProperty("controlId", nId);
    pEdit->setObjectName(QString::fromLatin1(pszObjectName));
    pEdit->setAccessibleName(strAccessibleName);
    pEdit->setMinimumWidth(240);
    m_mapEdits[eField] = pEdit;
    return pEdit;
}

QLabel* CKeyDialog::MakeLabel(const QString& strText, const char* pszObjectName, int nId) {
    auto* pLabel = new QLabel(strText, this);
    pLabel->setObjectName(QString::fromLatin1(pszObjectName));
    pLabel->setAccessibleName(strText);
    pLabel->setTextFormat(Qt::PlainText);
    if (nId >= 0)
        pLabel->setProperty("controlId", nId);
    return pLabel;
}

QLabel* CKeyDialog::MakeExplanation() {
    QLabel* pLabel = MakeLabel(TrText(IDS_KEY_EXPLAINED), "keyExplained");
    pLabel->setWordWrap(true);
    // As wide as the edits: a fixed-size dialog would otherwise grow to the
    // whole sentence's width.
    pLabel->setMaximumWidth(320);
    return pLabel;
}

CStrengthMeter* CKeyDialog::MakeMeter() {
    m_pMeter = new CStrengthMeter(this);
    m_pMeter->Follow(Edit(KEYFIELD_NEW));
    return m_pMeter;
}

QLayout* CKeyDialog::MakeButtonRow() {
    const SIconButtonRow row = MakeIconButtonRow(*this);
    m_pOkButton = row.m_pOk;
    m_pCancelButton = row.m_pCancel;
    return row.m_pLayout;
}

std::string CKeyDialog::Text(EKeyField eField) const {
    const QLineEdit* pEdit = Edit(eField);
    if (!pEdit)
        return {};
    // The conversion's buffer is the toolkit's, not the scrubbed heap's.
    QByteArray utf8 = pEdit->text().toUtf8();
    std::string strText(utf8.constData(), static_cast<std::size_t>(utf8.size()));
    ScrubBytes(utf8.data(), static_cast<std::size_t>(utf8.size()));
    return strText;
}

void CKeyDialog::WipeEdit(QLineEdit& edit) {
    // The copy shares the edit's own buffer: wiping through it wipes the
    // typed KEY where the edit keeps it, which clear() alone would only
    // hand back to the allocator.
    const QString strShared = edit.text();
    if (!strShared.isEmpty())
        ScrubBytes(const_cast<QChar*>(strShared.constData()),
                   static_cast<std::size_t>(strShared.size()) * sizeof(QChar));
    edit.clear();
}

void CKeyDialog::Clear() {
    for (auto& [eField, pEdit] : m_mapEdits)
        WipeEdit(*pEdit);
    CSecretBuffer::Wipe(m_strKeyValue);
    CSecretBuffer::Wipe(m_strKey);
}

void CKeyDialog::accept() {
    SKeyDlgOutcome outcome = OnOK();
    if (outcome.m_bClose && !WeakKeyAccepted()) {
        CSecretBuffer::Wipe(outcome.m_strKey);
        Edit(KEYFIELD_NEW)->setFocus(Qt::OtherFocusReason);
        Edit(KEYFIELD_NEW)->selectAll();
        return;
    }
    if (outcome.m_bClose) {
        m_strKeyValue = outcome.m_strKeyValue;
        m_strKey = outcome.m_strKey;
        CSecretBuffer::Wipe(outcome.m_strKey);
        QDialog::accept();
        return;
    }
    Apply(outcome);
}

bool CKeyDialog::WeakKeyAccepted() {
    if (!m_pMeter || !m_pMeter->Strength() || *m_pMeter->Strength() >= EStrength::reasonable)
        return true;
    return m_prompts.MessageBox(IDS_WEAK_KEY_QUESTION, EMsgIcon::exclamation,
                                EMsgButtons::yesNoDefaultNo) == EMsgAnswer::yes;
}

void CKeyDialog::Apply(const SKeyDlgOutcome& outcome) {
    if (!outcome.m_strMessage.empty())
        m_prompts.MessageBox(outcome.m_strMessage, EMsgIcon::exclamation);
    for (auto& [eField, pEdit] : m_mapEdits) {
        if (outcome.m_nEmpty & eField)
            pEdit->clear();
    }
    if (QLineEdit* pFocus = Edit(outcome.m_eFocus))
        pFocus->setFocus(Qt::OtherFocusReason);
}
