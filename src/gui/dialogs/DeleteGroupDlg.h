// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/dialogs/GroupDialog.h"

// Chooses the group to delete, with the warning that its accounts go too;
// the warning is the confirmation. The last group of a file is never deleted.
class CDeleteGroupDlg : public CGroupDialog {
    Q_OBJECT
public:
    static constexpr int IDC_GROUP = 1098;

    CDeleteGroupDlg(const CCofferDoc& doc, CPrompts& prompts, QWidget* pParent = nullptr);

    void Load() { FillGroups(); }
    void accept() override;
};
