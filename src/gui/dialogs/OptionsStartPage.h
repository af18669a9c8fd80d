// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/dialogs/OptionsPage.h"

class QButtonGroup;

// "Start": the default interface, starting at login, and which file opens
// at start. The file edit and its browse button serve only "Always start
// with this file".
class COptionsStartPage final : public COptionsPage {
    Q_OBJECT
public:
    COptionsStartPage(SOptionsData& options, CPrompts& prompts, QWidget* pParent);

    bool ValidatePage() override;

private:
    void EnableFileControls();
    void OnBrowse();

    QCheckBox* m_pStartBar = nullptr;
    QCheckBox* m_pWinStart = nullptr;
    QButtonGroup* m_pModes = nullptr;
    QLineEdit* m_pFile = nullptr;
    CHoverButton* m_pBrowse = nullptr;
};
