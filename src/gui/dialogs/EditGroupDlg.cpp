// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/EditGroupDlg.h"

#include "core/base/StringTable.h"

CEditGroupDlg::CEditGroupDlg(const CCofferDoc& doc, CPrompts& prompts, QWidget* pParent)
    : CGroupDialog(doc, prompts, IDS_EDIT_GROUP_CAPTION, pParent) {
    setObjectName(QStringLiteral("EditGroupDlg"));
    AddLabel(IDS_CHOOSE_GROUP_LABEL);
    AddGroupList(IDC_GROUP);
    AddLabel(IDS_NEW_NAME_LABEL);
    AddNameEdit();
    AddButtons();
}

void CEditGroupDlg::accept() {
    if (CheckName())
        QDialog::accept();
}
