// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/dialogs/KeyDialog.h"

// "Create KEY": a new KEY typed twice. On OK, m_strKeyValue holds its check
// value.
class CCreateKeyDlg : public CKeyDialog {
    Q_OBJECT

public:
    enum { IDD = 216, IDC_NEW_KEY = 1036, IDC_CONFIRM_KEY = 1068 };

    explicit CCreateKeyDlg(CPrompts& prompts, QWidget* pParent = nullptr,
                           const CCodePage* pCodePage = nullptr);

protected:
    SKeyDlgOutcome OnOK() override;
};
