// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/EditPrompts.h"

#include <functional>

class CAccountTreeCtrl;
class CCofferDoc;
class QTreeWidgetItem;

// One drop in the tree: copies or moves accounts under a group, item and
// record together, asking about each name clash with the Account Replace
// Confirm dialog. "Yes to all" holds until the drop ends, with this object.
class CTreeDrop {
public:
    // fnRemoveItem takes an item out of the tree before its record goes.
    CTreeDrop(CAccountTreeCtrl& tree, CCofferDoc& doc, CEditPrompts& prompts,
              std::function<void(QTreeWidgetItem*)> fnRemoveItem);

    // Copies the account pSource under the group pParent, deleting the
    // source when bDelete. Returns the new item, pSource when the user kept
    // the accounts as they were (NO), or none when the user cancelled.
    QTreeWidgetItem* CopyItem(QTreeWidgetItem* pSource, QTreeWidgetItem* pParent, bool bDelete);
    // CopyItem for every account of the group pSource; returns the last
    // item returned, or none on cancel or for a group without accounts.
    QTreeWidgetItem* CopyChildren(QTreeWidgetItem* pSource, QTreeWidgetItem* pParent, bool bDelete);

    // Whether the drop changed anything, so far.
    bool HasChanged() const { return m_bChanged; }

private:
    // The account under pParent whose name equals strName exactly, or none.
    QTreeWidgetItem* FindClash(QTreeWidgetItem* pParent, const std::string& strName) const;
    void RemoveAccount(QTreeWidgetItem* pItem);

    CAccountTreeCtrl& m_tree;
    CCofferDoc& m_doc;
    CEditPrompts& m_prompts;
    std::function<void(QTreeWidgetItem*)> m_fnRemoveItem;
    EReplaceAnswer m_eReplaceAnswer = EReplaceAnswer::yes;
    bool m_bChanged = false;
};
