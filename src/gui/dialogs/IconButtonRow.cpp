// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/IconButtonRow.h"

#include "core/base/CommandIds.h"
#include "core/base/StringTable.h"
#include "gui/controls/HoverButton.h"
#include "platform/Translations.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QVariant>

namespace {

CHoverButton* MakeButton(QDialog& dialog, const char* pszText, int nIcon, int nId,
                         const char* pszName) {
    auto* pButton = new CHoverButton(TrText(pszText), &dialog);
    pButton->SetIconId(nIcon);
    pButton->setProperty("controlId", nId);
    pButton->setObjectName(QString::fromLatin1(pszName));
    pButton->setAccessibleName(pButton->text());
    return pButton;
}

} // namespace

SIconButtonRow MakeIconButtonRow(QDialog& dialog) {
    SIconButtonRow row;
    row.m_pOk = MakeButton(dialog, IDS_BUTTON_OK, IDI_OK, IDOK, "okButton");
    row.m_pOk->setDefault(true);
    row.m_pCancel = MakeButton(dialog, IDS_BUTTON_CANCEL, IDI_CANCEL, IDCANCEL, "cancelButton");
    row.m_pCancel->setAutoDefault(false);
    // accept() and reject() are virtual: a dialog's own OK rule runs.
    QObject::connect(row.m_pOk, &QPushButton::clicked, &dialog, &QDialog::accept);
    QObject::connect(row.m_pCancel, &QPushButton::clicked, &dialog, &QDialog::reject);

    auto* pRow = new QHBoxLayout;
    pRow->addStretch(1);
    pRow->addWidget(row.m_pOk);
    pRow->addWidget(row.m_pCancel);
    row.m_pLayout = pRow;
    return row;
}
