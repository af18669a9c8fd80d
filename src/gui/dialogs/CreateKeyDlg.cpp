// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/CreateKeyDlg.h"

#include "core/base/StringTable.h"
#include "gui/controls/StrengthMeter.h"
#include "platform/Translations.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CCreateKeyDlg::CCreateKeyDlg(CPrompts& prompts, QWidget* pParent, const CCodePage* pCodePage)
    : CKeyDialog(prompts, pParent, pCodePage) {
    setObjectName(QStringLiteral("createKeyDlg"));
    setWindowTitle(TrText(IDS_CREATEKEY_CAPTION));
    setProperty("controlId", static_cast<int>(IDD));

    const QString strKeyLabel = TrText(IDS_CREATEKEY_LABEL);
    const QString strConfirmLabel = TrText(IDS_CREATEKEY_CONFIRM_LABEL);
    QLabel* pKeyLabel = MakeLabel(strKeyLabel, "newKeyLabel");
    QLineEdit* pKeyEdit = MakeKeyEdit(KEYFIELD_NEW, IDC_NEW_KEY, "newKeyEdit", strKeyLabel);
    QLabel* pConfirmLabel = MakeLabel(strConfirmLabel, "confirmKeyLabel");
    QLineEdit* pConfirmEdit =
        MakeKeyEdit(KEYFIELD_CONFIRM, IDC_CONFIRM_KEY, "confirmKeyEdit", strConfirmLabel);
    pKeyLabel->setBuddy(pKeyEdit);
    pConfirmLabel->setBuddy(pConfirmEdit);

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(MakeExplanation());
    pLayout->addSpacing(4);
    pLayout->addWidget(pKeyLabel);
    pLayout->addWidget(pKeyEdit);
    pLayout->addWidget(MakeMeter());
    pLayout->addWidget(pConfirmLabel);
    pLayout->addWidget(pConfirmEdit);
    pLayout->addSpacing(6);
    pLayout->addLayout(MakeButtonRow());
    pLayout->setSizeConstraint(QLayout::SetFixedSize);
    pKeyEdit->setFocus();
}

SKeyDlgOutcome CCreateKeyDlg::OnOK() {
    return CKeyDialogRules::CreateKeyOk(Text(KEYFIELD_NEW), Text(KEYFIELD_CONFIRM), CodePage());
}
