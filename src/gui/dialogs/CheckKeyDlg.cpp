// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/CheckKeyDlg.h"

#include "core/base/StringTable.h"
#include "platform/Translations.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CCheckKeyDlg::CCheckKeyDlg(CPrompts& prompts, QWidget* pParent, const CCodePage* pCodePage)
    : CKeyDialog(prompts, pParent, pCodePage) {
    setObjectName(QStringLiteral("checkKeyDlg"));
    setWindowTitle(TrText(IDS_CHECKKEY_CAPTION));
    setProperty("controlId", static_cast<int>(IDD));

    const QString strPrompt = TrText(IDS_KEY_PROMPT);
    m_pPromptLabel = MakeLabel(strPrompt, "promptLabel", IDC_PROMPT);
    // A long file name must not widen the dialog beyond its edit.
    m_pPromptLabel->setMinimumWidth(240);
    m_pPromptLabel->setMaximumWidth(PROMPT_MAX_WIDTH);
    QLineEdit* pKeyEdit = MakeKeyEdit(KEYFIELD_TYPED, IDC_TYPED_KEY, "typedKeyEdit", strPrompt);
    m_pPromptLabel->setBuddy(pKeyEdit);

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(m_pPromptLabel);
    pLayout->addWidget(pKeyEdit);
    pLayout->addSpacing(6);
    pLayout->addLayout(MakeButtonRow());
    pLayout->setSizeConstraint(QLayout::SetFixedSize);
    pKeyEdit->setFocus();
}

void CCheckKeyDlg::SetPrompt(const QString& strPrompt) {
    m_strPrompt = strPrompt;
    // A cut name says it was cut; the whole prompt stays in the tool tip.
    m_pPromptLabel->setText(m_pPromptLabel->fontMetrics().elidedText(
        strPrompt, Qt::ElideRight, PROMPT_MAX_WIDTH - 2 * m_pPromptLabel->margin()));
    m_pPromptLabel->setAccessibleName(strPrompt);
    m_pPromptLabel->setToolTip(strPrompt);
    Edit(KEYFIELD_TYPED)->setAccessibleName(strPrompt);
}

QString CCheckKeyDlg::Prompt() const {
    return m_strPrompt;
}

SKeyDlgOutcome CCheckKeyDlg::OnOK() {
    if (!m_fnAccept)
        return CKeyDialogRules::CheckKeyOk(Text(KEYFIELD_TYPED), m_strKeyValue, CodePage());
    // Deriving a sealed file's key takes about half a second.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    SKeyDlgOutcome outcome =
        CKeyDialogRules::CheckKeyOk(Text(KEYFIELD_TYPED), m_fnAccept, CodePage());
    QApplication::restoreOverrideCursor();
    return outcome;
}
