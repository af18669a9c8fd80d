// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/view/TreeDrop.h"

#include "core/store/CofferDoc.h"
#include "gui/view/AccountTreeCtrl.h"

CTreeDrop::CTreeDrop(CAccountTreeCtrl& tree, CCofferDoc& doc, CEditPrompts& prompts,
                     std::function<void(QTreeWidgetItem*)> fnRemoveItem)
    : m_tree(tree), m_doc(doc), m_prompts(prompts), m_fnRemoveItem(std::move(fnRemoveItem)) {}

QTreeWidgetItem* CTreeDrop::FindClash(QTreeWidgetItem* pParent, const std::string& strName) const {
    for (int i = 0; i < pParent->childCount(); ++i) {
        if (CAccountTreeCtrl::GetItemData(pParent->child(i))->Account() == strName)
            return pParent->child(i);
    }
    return nullptr;
}

void CTreeDrop::RemoveAccount(QTreeWidgetItem* pItem) {
    CPasswordInfo* pRecord = CAccountTreeCtrl::GetItemData(pItem);
    m_fnRemoveItem(pItem);
    m_doc.DeleteAccount(pRecord);
    m_bChanged = true;
}

QTreeWidgetItem* CTreeDrop::CopyItem(QTreeWidgetItem* pSource, QTreeWidgetItem* pParent,
                                     bool bDelete) {
    const CPasswordInfo* pSourceRecord = CAccountTreeCtrl::GetItemData(pSource);
    // Only the first account of the same name is asked about.
    if (QTreeWidgetItem* pClash = FindClash(pParent, pSourceRecord->Account())) {
        const EReplaceAnswer eAnswer = m_eReplaceAnswer == EReplaceAnswer::yesToAll
                                           ? EReplaceAnswer::yes
                                           : m_prompts.RunAccountReplace(pSourceRecord->Account());
        if (m_eReplaceAnswer != EReplaceAnswer::yesToAll)
            m_eReplaceAnswer = eAnswer;
        if (eAnswer == EReplaceAnswer::no)
            return pSource;
        if (eAnswer == EReplaceAnswer::cancel)
            return nullptr;
        RemoveAccount(pClash);
    }
    CPasswordInfo* pCopy =
        m_doc.CopyAccount(*pSourceRecord, CAccountTreeCtrl::GetItemData(pParent));
    if (!pCopy)
        return nullptr;
    QTreeWidgetItem* pItem = m_tree.NewItem(pCopy);
    m_tree.InsertSorted(pParent, pItem);
    m_bChanged = true;
    if (bDelete)
        RemoveAccount(pSource);
    return pItem;
}

QTreeWidgetItem* CTreeDrop::CopyChildren(QTreeWidgetItem* pSource, QTreeWidgetItem* pParent,
                                         bool bDelete) {
    // The accounts are taken before any moves out of the group.
    QList<QTreeWidgetItem*> children;
    for (int i = 0; i < pSource->childCount(); ++i)
        children.append(pSource->child(i));
    QTreeWidgetItem* pLast = nullptr;
    for (QTreeWidgetItem* pChild : children) {
        pLast = CopyItem(pChild, pParent, bDelete);
        if (!pLast)
            return nullptr;
    }
    return pLast;
}
