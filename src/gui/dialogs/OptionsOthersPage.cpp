// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/OptionsOthersPage.h"

#include "core/base/OptionsData.h"
#include "core/base/StringTable.h"
#include "gui/controls/HoverButton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>

namespace {

constexpr int IDB_OTHERS_HEAD = 443;
constexpr int IDB_CLOSE_BUTTON = 444;
constexpr int IDB_MINIMIZE_BUTTON = 445;
constexpr int PICTURE_SIZE = 32;

} // namespace

COptionsOthersPage::COptionsOthersPage(SOptionsData& options, CPrompts& prompts, QWidget* pParent)
    : COptionsPage(options, prompts, IDS_PAGE_OTHERS, pParent) {
    m_pMinimize = MakeCombo(1208, "Min2Lock", IDS_MINIMIZE_BUTTON);
    for (const char* pszItem : IDS_MINIMIZE_CHOICES)
        m_pMinimize->addItem(Text(pszItem));
    m_pMinimize->setCurrentIndex(
        std::clamp(options.m_nMin2Lock, 0, int(std::size(IDS_MINIMIZE_CHOICES)) - 1));
    m_pClose = MakeCombo(1209, "Exit2Min", IDS_CLOSE_BUTTON);
    for (const char* pszItem : IDS_CLOSE_CHOICES)
        m_pClose->addItem(Text(pszItem));
    m_pClose->setCurrentIndex(
        std::clamp(options.m_nExit2Min, 0, int(std::size(IDS_CLOSE_CHOICES)) - 1));
    connect(m_pMinimize, &QComboBox::activated, this, [this]() { m_bMinimizeTouched = true; });
    connect(m_pClose, &QComboBox::activated, this, [this]() { m_bCloseTouched = true; });
    m_pConfirmAccount = MakeCheck(1214, "DeleteConfirmA", IDS_CONFIRM_DELETE_ACCOUNT_BOX,
                                  options.m_bDeleteConfirmA);
    m_pConfirmGroup =
        MakeCheck(1215, "DeleteConfirmG", IDS_CONFIRM_DELETE_GROUP, options.m_bDeleteConfirmG);
    m_pConfirmGroup->hide();

    auto* pGrid = new QGridLayout;
    pGrid->addWidget(Picture(IDB_MINIMIZE_BUTTON, IDS_MINIMIZE_BUTTON, m_pMinimize), 0, 0);
    pGrid->addWidget(m_pMinimize, 0, 1);
    pGrid->addWidget(Picture(IDB_CLOSE_BUTTON, IDS_CLOSE_BUTTON, m_pClose), 1, 0);
    pGrid->addWidget(m_pClose, 1, 1);
    pGrid->setColumnStretch(2, 1);

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(Picture(IDB_OTHERS_HEAD, IDS_PAGE_OTHERS));
    pLayout->addLayout(pGrid);
    pLayout->addWidget(m_pConfirmAccount);
    pLayout->addWidget(m_pConfirmGroup);
    pLayout->addStretch();
}

QLabel* COptionsOthersPage::Picture(int nBitmap, const char* pszName, QWidget* pFor) {
    auto* pLabel = new QLabel(this);
    pLabel->setPixmap(CHoverButton::LoadNumberedIcon(nBitmap).pixmap(PICTURE_SIZE, PICTURE_SIZE));
    pLabel->setAccessibleName(Text(pszName));
    // The picture of a button labels the list of what that button does.
    pLabel->setBuddy(pFor);
    return pLabel;
}

bool COptionsOthersPage::ValidatePage() {
    m_data.m_nMin2Lock = m_pMinimize->currentIndex();
    m_data.m_nExit2Min = m_pClose->currentIndex();
    m_data.m_bKeepMin2Lock = m_data.m_bKeepMin2Lock && !m_bMinimizeTouched;
    m_data.m_bKeepExit2Min = m_data.m_bKeepExit2Min && !m_bCloseTouched;
    m_data.m_bDeleteConfirmA = m_pConfirmAccount->isChecked();
    m_data.m_bDeleteConfirmG = m_pConfirmGroup->isChecked();
    return true;
}
