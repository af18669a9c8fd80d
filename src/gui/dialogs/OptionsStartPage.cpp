// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/OptionsStartPage.h"

#include "core/base/OptionsData.h"
#include "core/base/Prompts.h"
#include "core/base/StringTable.h"
#include "gui/controls/HoverButton.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr int IDI_BROWSE = 322;

} // namespace

COptionsStartPage::COptionsStartPage(SOptionsData& options, CPrompts& prompts, QWidget* pParent)
    : COptionsPage(options, prompts, IDS_PAGE_START, pParent) {
    m_pStartBar = MakeCheck(1187, "StartBar", IDS_START_BAR, options.m_bStartBar);
    m_pWinStart = MakeCheck(1184, "WinStart", IDS_START_AT_LOGIN, options.m_bWinStart);

    auto* pGroup = new QGroupBox(Text(IDS_AUTO_OPEN), this);
    m_pModes = new QButtonGroup(this);
    m_pModes->addButton(MakeRadio(1128, "StartNoFile", IDS_START_NO_FILE), 0);
    m_pModes->addButton(MakeRadio(1126, "StartLastFile", IDS_START_LAST_FILE), 1);
    m_pModes->addButton(MakeRadio(1125, "StartThisFile", IDS_START_THIS_FILE), 2);
    if (QAbstractButton* pMode = m_pModes->button(options.m_nStartMode))
        pMode->setChecked(true);
    m_pFile = MakeEdit(1073, "StartFile", IDS_START_THIS_FILE);
    m_pFile->setText(QString::fromUtf8(options.m_strStartFile));
    m_pBrowse = MakeIconButton(1112, "BrowseStartFile", IDS_BROWSE_TIP, IDI_BROWSE);

    auto* pGrid = new QGridLayout(pGroup);
    for (int nMode = 0; nMode < 3; ++nMode)
        pGrid->addWidget(m_pModes->button(nMode), nMode, 0, 1, 2);
    pGrid->addWidget(m_pFile, 3, 0);
    pGrid->addWidget(m_pBrowse, 3, 1);

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(m_pStartBar);
    pLayout->addWidget(m_pWinStart);
    pLayout->addWidget(pGroup);
    pLayout->addStretch();

    connect(m_pModes, &QButtonGroup::idClicked, this, &COptionsStartPage::EnableFileControls);
    connect(m_pBrowse, &QPushButton::clicked, this, &COptionsStartPage::OnBrowse);
    EnableFileControls();
}

void COptionsStartPage::EnableFileControls() {
    const bool bThisFile = m_pModes->checkedId() == 2;
    m_pFile->setEnabled(bThisFile);
    m_pBrowse->setEnabled(bThisFile);
}

void COptionsStartPage::OnBrowse() {
    SFilePrompt prompt;
    prompt.m_strTitle = IDS_SELECT_FILE;
    prompt.m_strInitialName = m_pFile->text().toStdString();
    std::string strPath;
    if (m_prompts.PromptOpenFile(prompt, strPath))
        m_pFile->setText(QString::fromUtf8(strPath));
}

bool COptionsStartPage::ValidatePage() {
    const int nMode = m_pModes->checkedId();
    if (nMode == 2 && !QFileInfo(m_pFile->text()).isFile()) {
        m_prompts.MessageBox(IDS_START_FILE_NOT_FOUND, EMsgIcon::exclamation);
        m_pFile->setFocus();
        return false;
    }
    m_data.m_bStartBar = m_pStartBar->isChecked();
    m_data.m_bWinStart = m_pWinStart->isChecked();
    m_data.m_nStartMode = nMode < 0 ? 0 : nMode;
    m_data.m_strStartFile = m_pFile->text().toStdString();
    return true;
}
