// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/dialogs/OptionsPage.h"

class CFolderSystem;

// "File": auto-save, the backup and its folder, the recent-file list. With
// the backup on, the folder must pass the folder check (which may create it)
// before the page can be left.
class COptionsFilePage final : public COptionsPage {
    Q_OBJECT
public:
    COptionsFilePage(SOptionsData& options, CPrompts& prompts, CFolderSystem& folders,
                     QWidget* pParent);

    bool ValidatePage() override;

private:
    void EnableFolderControls();
    void OnBrowse();

    CFolderSystem& m_folders;
    QCheckBox* m_pAutoSave = nullptr;
    QCheckBox* m_pBackup = nullptr;
    QLineEdit* m_pFolder = nullptr;
    CHoverButton* m_pBrowse = nullptr;
    QCheckBox* m_pAddToRecent = nullptr;
    QCheckBox* m_pClearRecent = nullptr;
};
