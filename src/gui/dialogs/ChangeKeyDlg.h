// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/dialogs/KeyDialog.h"

// "Change Key": the original KEY, then the new one twice. m_strKeyValue holds
// the stored check value on the way in and the new one after OK.
class CChangeKeyDlg : public CKeyDialog {
    Q_OBJECT

public:
    enum {
        IDD = 221,
        IDC_ORIGINAL_KEY = 1036,
        IDC_NEW_KEY = 1075,
        IDC_CONFIRM_KEY = 1076,
        IDI_KEY = 425,
    };

    explicit CChangeKeyDlg(CPrompts& prompts, QWidget* pParent = nullptr,
                           const CCodePage* pCodePage = nullptr);

    QLabel* IconLabel() const { return m_pIconLabel; }

protected:
    SKeyDlgOutcome OnOK() override;

private:
    QLabel* m_pIconLabel;
};
