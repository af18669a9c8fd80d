// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/DeleteGroupDlg.h"

#include "core/base/StringTable.h"
#include "gui/controls/HoverComboBox.h"

CDeleteGroupDlg::CDeleteGroupDlg(const CCofferDoc& doc, CPrompts& prompts, QWidget* pParent)
    : CGroupDialog(doc, prompts, IDS_DELETE_GROUP_CAPTION, pParent) {
    setObjectName(QStringLiteral("DeleteGroupDlg"));
    AddLabel(IDS_CHOOSE_GROUP_LABEL);
    AddGroupList(IDC_GROUP);
    AddLabel(IDS_DELETE_GROUP_WARNING);
    AddButtons();
}

void CDeleteGroupDlg::accept() {
    if (GroupList()->count() < 2) {
        Refuse(IDS_LAST_GROUP);
        return;
    }
    QDialog::accept();
}
