// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/dialogs/GroupDialog.h"

// Renames a group: the group is chosen in the list (the caller's group
// preselected), the new name follows the rule of a new group's name, so
// renaming a group to its own name is refused too.
class CEditGroupDlg : public CGroupDialog {
    Q_OBJECT
public:
    static constexpr int IDC_GROUP = 1097;

    CEditGroupDlg(const CCofferDoc& doc, CPrompts& prompts, QWidget* pParent = nullptr);

    // Fills the list with m_strGroup preselected; run before showing.
    void Load() { FillGroups(); }
    void accept() override;
};
