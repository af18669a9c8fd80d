// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/AddGroupDlg.h"

#include "core/base/StringTable.h"
#include "platform/Translations.h"

#include <QLineEdit>

CAddGroupDlg::CAddGroupDlg(const CCofferDoc& doc, CPrompts& prompts, QWidget* pParent)
    : CGroupDialog(doc, prompts, IDS_ADD_GROUP_CAPTION, pParent) {
    setObjectName(QStringLiteral("AddGroupDlg"));
    AddLabel(IDS_GROUP_NAME_LABEL);
    AddNameEdit();
    NameEdit()->setAccessibleName(TrText(IDS_GROUP_NAME_LABEL));
    AddButtons();
}

void CAddGroupDlg::accept() {
    if (CheckName())
        QDialog::accept();
}
