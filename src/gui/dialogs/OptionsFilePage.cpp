// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/OptionsFilePage.h"

#include "core/base/FolderCheck.h"
#include "core/base/OptionsData.h"
#include "core/base/Prompts.h"
#include "core/base/StringTable.h"
#include "gui/controls/HoverButton.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

constexpr int IDI_BROWSE = 322;

} // namespace

COptionsFilePage::COptionsFilePage(SOptionsData& options, CPrompts& prompts, CFolderSystem& folders,
                                   QWidget* pParent)
    : COptionsPage(options, prompts, IDS_PAGE_FILE, pParent), m_folders(folders) {
    m_pAutoSave = MakeCheck(1116, "AutoSave", IDS_AUTO_SAVE, options.m_bAutoSave);
    m_pBackup = MakeCheck(1008, "Backup", IDS_BACKUP_BEFORE_SAVE, options.m_bBackup);
    m_pFolder = MakeEdit(1053, "BackupFolder", IDS_BACKUP_FOLDER);
    m_pFolder->setText(QString::fromUtf8(options.m_strBackupPath));
    m_pBrowse = MakeIconButton(1099, "BrowseBackupFolder", IDS_BROWSE_TIP, IDI_BROWSE);
    m_pAddToRecent = MakeCheck(1115, "AddToRecent", IDS_ADD_TO_RECENT, options.m_bAddToRecent);
    m_pClearRecent =
        MakeCheck(1113, "ClearRecent", IDS_CLEAR_RECENT_ON_EXIT, options.m_bClearRecent);

    auto* pSave = new QGroupBox(Text(IDS_SAVE_FILE_GROUP), this);
    auto* pSaveGrid = new QGridLayout(pSave);
    pSaveGrid->addWidget(m_pAutoSave, 0, 0, 1, 2);
    pSaveGrid->addWidget(m_pBackup, 1, 0, 1, 2);
    pSaveGrid->addWidget(m_pFolder, 2, 0);
    pSaveGrid->addWidget(m_pBrowse, 2, 1);
    auto* pRecent = new QGroupBox(Text(IDS_RECENT_LIST_GROUP), this);
    auto* pRecentBox = new QVBoxLayout(pRecent);
    pRecentBox->addWidget(m_pAddToRecent);
    pRecentBox->addWidget(m_pClearRecent);

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(pSave);
    pLayout->addWidget(pRecent);
    pLayout->addStretch();

    connect(m_pBackup, &QCheckBox::clicked, this, &COptionsFilePage::EnableFolderControls);
    connect(m_pBrowse, &QPushButton::clicked, this, &COptionsFilePage::OnBrowse);
    EnableFolderControls();
}

void COptionsFilePage::EnableFolderControls() {
    m_pFolder->setEnabled(m_pBackup->isChecked());
    m_pBrowse->setEnabled(m_pBackup->isChecked());
}

void COptionsFilePage::OnBrowse() {
    std::string strFolder;
    if (m_prompts.ChooseFolder(IDS_APP_TITLE, IDS_FOLDER_PROMPT, m_pFolder->text().toStdString(),
                               strFolder))
        m_pFolder->setText(QString::fromUtf8(strFolder));
}

bool COptionsFilePage::ValidatePage() {
    const std::string strFolder = m_pFolder->text().toStdString();
    if (m_pBackup->isChecked() && EnsureFolder(strFolder, m_prompts, m_folders) != FOLDER_VALID) {
        m_pFolder->setFocus();
        return false;
    }
    m_data.m_bAutoSave = m_pAutoSave->isChecked();
    m_data.m_bBackup = m_pBackup->isChecked();
    m_data.m_strBackupPath = strFolder;
    m_data.m_bAddToRecent = m_pAddToRecent->isChecked();
    m_data.m_bClearRecent = m_pClearRecent->isChecked();
    return true;
}
