#include "gui/dialogs/DialogButtons.h"

#include "core/base/CommandIds.h"
#include "core/base/StringTable.h"
#include "gui/controls/HoverButton.h"

#include <QDialog>
#include <QHBoxLayout>

namespace {

CHoverButton* MakeButton(QDialog* pDialog, const char* pszText, int nIcon, int nId,
                         const char* pszName) {
    auto* pButton = new CHoverButton(QString::fromUtf8(pszText), pDialog);
    pButton->SetIconId(nIcon);
    pButton->setProperty("controlId", nId);
    pButton->setObjectName(QString::fromLatin1(pszName));
    pButton->setAccessibleName(QString::fromUtf8(pszText));
    return pButton;
}

} // namespace

SDialogButtons MakeOkCancelRow(QDialog* pDialog) {
    SDialogButtons buttons;
    buttons.m_pOk = MakeButton(pDialog, IDS_BUTTON_OK, IDI_OK, IDOK, "okButton");
    buttons.m_pOk->setDefault(true);
    buttons.m_pCancel =
        MakeButton(pDialog, IDS_BUTTON_CANCEL, IDI_CANCEL, IDCANCEL, "cancelButton");
    buttons.m_pCancel->setAutoDefault(false);
    QObject::connect(buttons.m_pOk, &QPushButton::clicked, pDialog, &QDialog::accept);
    QObject::connect(buttons.m_pCancel, &QPushButton::clicked, pDialog, &QDialog::reject);
    auto* pRow = new QHBoxLayout;
    pRow->addStretch(1);
    pRow->addWidget(buttons.m_pOk);
    pRow->addWidget(buttons.m_pCancel);
    buttons.m_pRow = pRow;
    return buttons;
}
