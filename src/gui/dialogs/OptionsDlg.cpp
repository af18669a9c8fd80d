// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/OptionsDlg.h"

#include "core/base/OptionsData.h"
#include "core/base/StringTable.h"
#include "gui/controls/HoverButton.h"
#include "gui/dialogs/IconButtonRow.h"
#include "gui/dialogs/OptionsFilePage.h"
#include "gui/dialogs/OptionsGeneratorPage.h"
#include "gui/dialogs/OptionsHotKeyPage.h"
#include "gui/dialogs/OptionsOthersPage.h"
#include "gui/dialogs/OptionsSecurityPage.h"
#include "gui/dialogs/OptionsStartPage.h"
#include "gui/dialogs/OptionsTitleBand.h"
#include "platform/Translations.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int IDC_APPLY = 12321;
constexpr int IDC_PAGE_TREE = 1001;
constexpr int TREE_WIDTH = 150;

} // namespace

COptionsDlg::COptionsDlg(SOptionsData& options, CPrompts& prompts, CFolderSystem& folders,
                         QWidget* pParent)
    : QDialog(pParent), m_data(options), m_prompts(prompts) {
    setObjectName(QStringLiteral("OptionsDlg"));
    setWindowTitle(TrText(IDS_OPTIONS_CAPTION));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);
    CreatePages(folders);
    CreateLayout();
    connect(m_pTree, &QTreeWidget::currentItemChanged, this, &COptionsDlg::OnSelChange);
    SelectPage(options.m_nStartPage);
}

void COptionsDlg::CreatePages(CFolderSystem& folders) {
    m_pStack = new QStackedWidget(this);
    m_pages[OPTIONS_PAGE_START] = new COptionsStartPage(m_data, m_prompts, m_pStack);
    m_pages[OPTIONS_PAGE_FILE] = new COptionsFilePage(m_data, m_prompts, folders, m_pStack);
    m_pages[OPTIONS_PAGE_SECURITY] = new COptionsSecurityPage(m_data, m_prompts, m_pStack);
    m_pages[OPTIONS_PAGE_HOTKEY] = new COptionsHotKeyPage(m_data, m_prompts, m_pStack);
    m_pages[OPTIONS_PAGE_GENERATOR] = new COptionsGeneratorPage(m_data, m_prompts, m_pStack);
    m_pages[OPTIONS_PAGE_OTHERS] = new COptionsOthersPage(m_data, m_prompts, m_pStack);

    m_pTree = new QTreeWidget(this);
    m_pTree->setObjectName(QStringLiteral("PageTree"));
    m_pTree->setAccessibleName(TrText(KH_TEXT("Keyhaven", "Pages")));
    m_pTree->setProperty("controlId", IDC_PAGE_TREE);
    m_pTree->setHeaderHidden(true);
    // Hidden, but screen readers still announce the column by its label.
    m_pTree->setHeaderLabel(m_pTree->accessibleName());
    m_pTree->setRootIsDecorated(false);
    m_pTree->setFixedWidth(TREE_WIDTH);
    for (const int nPage : OPTIONS_TREE_ORDER) {
        auto* pItem = new QTreeWidgetItem(m_pTree, QStringList(m_pages[nPage]->Title()));
        pItem->setData(0, Qt::UserRole, nPage);
        m_pStack->addWidget(m_pages[nPage]);
    }
    // No page is shown until one is selected.
    m_pStack->addWidget(new QWidget(m_pStack));
    m_pStack->setCurrentIndex(m_pStack->count() - 1);
}

void COptionsDlg::CreateLayout() {
    m_pTitleBand = new COptionsTitleBand(this);
    const SIconButtonRow row = MakeIconButtonRow(*this);
    m_pOk = row.m_pOk;
    m_pCancel = row.m_pCancel;
    m_pApply = new CHoverButton(TrText(IDS_OPTIONS_APPLY), this);
    m_pApply->setObjectName(QStringLiteral("applyButton"));
    m_pApply->setAccessibleName(TrText(KH_TEXT("Keyhaven", "Apply")));
    m_pApply->setProperty("controlId", IDC_APPLY);
    m_pApply->setAutoDefault(false);
    connect(m_pApply, &QPushButton::clicked, this, &COptionsDlg::OnApply);
    row.m_pLayout->addWidget(m_pApply);

    auto* pRight = new QVBoxLayout;
    pRight->addWidget(m_pTitleBand);
    pRight->addWidget(m_pStack, 1);
    auto* pTop = new QHBoxLayout;
    pTop->addWidget(m_pTree);
    pTop->addLayout(pRight, 1);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addLayout(pTop, 1);
    pLayout->addLayout(row.m_pLayout);
}

int COptionsDlg::PageOfItem(const QTreeWidgetItem* pItem) const {
    return pItem ? pItem->data(0, Qt::UserRole).toInt() : -1;
}

int COptionsDlg::CurrentPage() const {
    auto* pPage = qobject_cast<COptionsPage*>(m_pStack->currentWidget());
    for (int nPage = 0; nPage < OPTIONS_PAGE_COUNT; ++nPage) {
        if (m_pages[std::size_t(nPage)] == pPage)
            return nPage;
    }
    return -1;
}

void COptionsDlg::SelectPage(int nPage) {
    for (int i = 0; i < m_pTree->topLevelItemCount(); ++i) {
        QTreeWidgetItem* pItem = m_pTree->topLevelItem(i);
        if (PageOfItem(pItem) == nPage) {
            m_pTree->setCurrentItem(pItem);
            return;
        }
    }
}

void COptionsDlg::OnSelChange(QTreeWidgetItem* pCurrent, QTreeWidgetItem* pPrevious) {
    if (m_bIgnoreSelChange) {
        m_bIgnoreSelChange = false;
        return;
    }
    if (pPrevious && !Page(PageOfItem(pPrevious))->ValidatePage()) {
        // The old page stays: its item is selected again, and that change
        // is not checked a second time.
        m_bIgnoreSelChange = true;
        m_pTree->setCurrentItem(pPrevious);
        return;
    }
    if (!pCurrent)
        return;
    COptionsPage* pPage = Page(PageOfItem(pCurrent));
    m_strPageTitle = pPage->Title();
    m_pStack->setCurrentWidget(pPage);
    m_pTitleBand->SetTitle(m_strPageTitle);
}

bool COptionsDlg::CheckAllPages() {
    for (const int nPage : OPTIONS_CHECK_ORDER) {
        if (!Page(nPage)->ValidatePage())
            return false;
    }
    return true;
}

void COptionsDlg::accept() {
    if (CheckAllPages())
        QDialog::accept();
}

void COptionsDlg::OnApply() {
    if (CheckAllPages() && m_data.m_fnApply)
        m_data.m_fnApply(m_data);
}
