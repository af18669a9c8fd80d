// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/ChangeKeyDlg.h"

#include "core/base/StringTable.h"
#include "gui/controls/HoverButton.h"
#include "gui/controls/StrengthMeter.h"
#include "platform/Translations.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QVBoxLayout>

CChangeKeyDlg::CChangeKeyDlg(CPrompts& prompts, QWidget* pParent, const CCodePage* pCodePage)
    : CKeyDialog(prompts, pParent, pCodePage) {
    setObjectName(QStringLiteral("changeKeyDlg"));
    setWindowTitle(TrText(IDS_CHANGEKEY_CAPTION));
    setProperty("controlId", static_cast<int>(IDD));

    QIcon icon = CHoverButton::LoadNumberedIcon(IDI_KEY);
    if (icon.isNull())
        icon = QApplication::style()->standardIcon(QStyle::SP_MessageBoxInformation);
    m_pIconLabel = new QLabel(this);
    m_pIconLabel->setObjectName(QStringLiteral("keyIcon"));
    m_pIconLabel->setAccessibleName(TrText(IDS_CHANGEKEY_CAPTION));
    m_pIconLabel->setPixmap(icon.pixmap(32, 32));
    m_pIconLabel->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    const QString strOriginal = TrText(IDS_ORIGINAL_KEY_LABEL);
    const QString strNew = TrText(IDS_NEW_KEY_LABEL);
    const QString strConfirm = TrText(IDS_CHANGEKEY_CONFIRM_LABEL);

    auto* pFields = new QVBoxLayout;
    pFields->addWidget(MakeExplanation());
    pFields->addSpacing(4);
    const struct {
        EKeyField eField;
        int nId;
        const char* pszEdit;
        const char* pszLabel;
        const QString& strText;
    } rows[] = {
        {KEYFIELD_ORIGINAL, IDC_ORIGINAL_KEY, "originalKeyEdit", "originalKeyLabel", strOriginal},
        {KEYFIELD_NEW, IDC_NEW_KEY, "newKeyEdit", "newKeyLabel", strNew},
        {KEYFIELD_CONFIRM, IDC_CONFIRM_KEY, "confirmKeyEdit", "confirmKeyLabel", strConfirm},
    };
    for (const auto& row : rows) {
        QLabel* pLabel = MakeLabel(row.strText, row.pszLabel);
        QLineEdit* pEdit = MakeKeyEdit(row.eField, row.nId, row.pszEdit, row.strText);
        pLabel->setBuddy(pEdit);
        pFields->addWidget(pLabel);
        pFields->addWidget(pEdit);
        if (row.eField == KEYFIELD_NEW)
            pFields->addWidget(MakeMeter());
    }

    auto* pGrid = new QGridLayout(this);
    pGrid->addWidget(m_pIconLabel, 0, 0, Qt::AlignTop);
    pGrid->addLayout(pFields, 0, 1);
    pGrid->setRowMinimumHeight(1, 6);
    pGrid->addLayout(MakeButtonRow(), 2, 1);
    pGrid->setSizeConstraint(QLayout::SetFixedSize);
    Edit(KEYFIELD_ORIGINAL)->setFocus();
}

SKeyDlgOutcome CChangeKeyDlg::OnOK() {
    return CKeyDialogRules::ChangeKeyOk(Text(KEYFIELD_ORIGINAL), Text(KEYFIELD_NEW),
                                        Text(KEYFIELD_CONFIRM), m_strKeyValue, CodePage());
}
