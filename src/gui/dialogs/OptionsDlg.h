// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <array>

class CFolderSystem;
class CHoverButton;
class COptionsPage;
class COptionsTitleBand;
class CPrompts;
class QPushButton;
class QStackedWidget;
class QTreeWidget;
class QTreeWidgetItem;
struct SOptionsData;

// The Options dialog: a tree of six pages on the left, the page shown on the
// right under its title band, and OK, Cancel and Apply. A page is checked
// when the user leaves it in the tree (a failed check keeps it shown), and
// OK and Apply check every page in a fixed order, stopping at the first that
// fails. Apply hands the options to the frame and keeps the dialog open.
class COptionsDlg : public QDialog {
    Q_OBJECT
public:
    COptionsDlg(SOptionsData& options, CPrompts& prompts, CFolderSystem& folders,
                QWidget* pParent = nullptr);

    // By page number (OPTIONS_PAGE_...).
    COptionsPage* Page(int nPage) const { return m_pages.at(std::size_t(nPage)); }
    // The page shown, -1 for none.
    int CurrentPage() const;
    // Selects a page in the tree, as a click on its item does.
    void SelectPage(int nPage);
    QString PageTitle() const { return m_strPageTitle; }
    QTreeWidget* Tree() const { return m_pTree; }

    void OnApply();
    void accept() override;

private:
    void CreatePages(CFolderSystem& folders);
    void CreateLayout();
    bool CheckAllPages();
    void OnSelChange(QTreeWidgetItem* pCurrent, QTreeWidgetItem* pPrevious);
    int PageOfItem(const QTreeWidgetItem* pItem) const;

    SOptionsData& m_data;
    CPrompts& m_prompts;
    std::array<COptionsPage*, 6> m_pages{};
    QTreeWidget* m_pTree = nullptr;
    QStackedWidget* m_pStack = nullptr;
    COptionsTitleBand* m_pTitleBand = nullptr;
    CHoverButton* m_pOk = nullptr;
    CHoverButton* m_pCancel = nullptr;
    QPushButton* m_pApply = nullptr;
    bool m_bIgnoreSelChange = false;
    QString m_strPageTitle;
};
