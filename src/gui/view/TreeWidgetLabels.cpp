// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/view/TreeWidgetLabels.h"

#include "core/store/PasswordInfo.h"
#include "gui/view/AccountTreeCtrl.h"

CTreeWidgetLabels::CTreeWidgetLabels(QTreeWidgetItem* pRootItem, std::string strFileLabel)
    : m_pRootItem(pRootItem), m_strFileLabel(std::move(strFileLabel)) {}

int CTreeWidgetLabels::GroupCount() const {
    return m_pRootItem->childCount();
}

int CTreeWidgetLabels::AccountCount(int nGroup) const {
    return m_pRootItem->child(nGroup)->childCount();
}

std::string_view CTreeWidgetLabels::Label(const STreePos& pos) const {
    if (pos.IsFileItem())
        return m_strFileLabel;
    const CPasswordInfo* pInfo = CAccountTreeCtrl::GetItemData(ItemAt(pos));
    return pInfo->TextView(pos.IsGroup() ? CPasswordInfo::group : CPasswordInfo::account);
}

STreePos CTreeWidgetLabels::PosOf(QTreeWidgetItem* pItem) const {
    switch (CAccountTreeCtrl::GetItemLevel(pItem)) {
    case 1:
        return {m_pRootItem->indexOfChild(pItem), -1};
    case 2:
        return {m_pRootItem->indexOfChild(pItem->parent()), pItem->parent()->indexOfChild(pItem)};
    default:
        return {};
    }
}

QTreeWidgetItem* CTreeWidgetLabels::ItemAt(const STreePos& pos) const {
    if (pos.IsFileItem())
        return m_pRootItem;
    QTreeWidgetItem* pGroup = m_pRootItem->child(pos.m_nGroup);
    return pos.IsGroup() ? pGroup : pGroup->child(pos.m_nAccount);
}
