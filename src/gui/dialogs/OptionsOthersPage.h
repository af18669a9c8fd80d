// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/dialogs/OptionsPage.h"

// "Others": what the minimise and close buttons do, and the confirmation
// before an account is deleted. The group confirmation is carried through
// with its check box hidden: nothing depends on it.
class COptionsOthersPage final : public COptionsPage {
    Q_OBJECT
public:
    COptionsOthersPage(SOptionsData& options, CPrompts& prompts, QWidget* pParent);

    bool ValidatePage() override;

private:
    // A picture named for assistive tools; pFor is the control it labels.
    QLabel* Picture(int nBitmap, const char* pszName, QWidget* pFor = nullptr);

    QComboBox* m_pMinimize = nullptr;
    QComboBox* m_pClose = nullptr;
    QCheckBox* m_pConfirmAccount = nullptr;
    QCheckBox* m_pConfirmGroup = nullptr;
    // The user chose in the minimise or the close list.
    bool m_bMinimizeTouched = false;
    bool m_bCloseTouched = false;
};
