// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/AccountReplaceDlg.h"
#include "platform/Translations.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The buttons' slots: cancel, no, yes, yes to all.
int SlotOf(EReplaceAnswer eAnswer) {
    return static_cast<int>(eAnswer) + 1;
}

} // namespace

CAccountReplaceDlg::CAccountReplaceDlg(const QString& strAccount, QWidget* pParent)
    : QDialog(pParent) {
    setObjectName(QStringLiteral("AccountReplaceDlg"));
    setWindowTitle(TrText(KH_TEXT("Keyhaven", "Account Replace Confirm")));
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(new QLabel(
        TrText(KH_TEXT("Keyhaven", "This group already contains a account named ")), this));
    auto* pName = new QLabel(strAccount, this);
    pName->setObjectName(QStringLiteral("AccountName"));
    pName->setProperty("controlId", IDC_NAME);
    pName->setTextFormat(Qt::PlainText);
    pLayout->addWidget(pName);
    pLayout->addWidget(new QLabel(
        TrText(KH_TEXT("Keyhaven", "Would you like to replace the exiting account?")), this));
    auto* pRow = new QHBoxLayout();
    pLayout->addLayout(pRow);
    pRow->addWidget(AddButton(KH_TEXT("Keyhaven", "&Yes"), IDC_YES, EReplaceAnswer::yes));
    pRow->addWidget(
        AddButton(KH_TEXT("Keyhaven", "Yes to &all"), IDC_YES_ALL, EReplaceAnswer::yesToAll));
    QPushButton* pNo = AddButton(KH_TEXT("Keyhaven", "&NO"), IDC_NO, EReplaceAnswer::no);
    pRow->addWidget(pNo);
    pRow->addWidget(AddButton(KH_TEXT("Keyhaven", "Cancel"), 2, EReplaceAnswer::cancel));
    pNo->setDefault(true);
    pNo->setFocus(Qt::OtherFocusReason);
}

QPushButton* CAccountReplaceDlg::AddButton(const char* pszText, int nId, EReplaceAnswer eAnswer) {
    auto* pButton = new QPushButton(TrText(pszText), this);
    pButton->setProperty("controlId", nId);
    pButton->setAccessibleName(pButton->text().remove(QLatin1Char('&')));
    pButton->setAutoDefault(false);
    connect(pButton, &QPushButton::clicked, this, [this, eAnswer]() {
        m_eAnswer = eAnswer;
        done(static_cast<int>(eAnswer) >= 0 ? Accepted : Rejected);
    });
    m_apButtons[SlotOf(eAnswer)] = pButton;
    return pButton;
}

QPushButton* CAccountReplaceDlg::Button(EReplaceAnswer eAnswer) const {
    return m_apButtons[SlotOf(eAnswer)];
}

void CAccountReplaceDlg::reject() {
    m_eAnswer = EReplaceAnswer::cancel;
    QDialog::reject();
}
