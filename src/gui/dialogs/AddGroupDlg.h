// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/dialogs/GroupDialog.h"

// Asks the name of a new group: not empty, and no group of the file has it
// (names that differ in case are different names).
class CAddGroupDlg : public CGroupDialog {
    Q_OBJECT
public:
    CAddGroupDlg(const CCofferDoc& doc, CPrompts& prompts, QWidget* pParent = nullptr);

    void accept() override;
};
