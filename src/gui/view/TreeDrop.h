// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/EditPrompts.h"

#include <QPersistentModelIndex>

#include <string>

class CCofferDoc;
class CRecordTreeModel;

// One drop in the tree: copies or moves accounts under a group through the
// document's store operations, asking about each name clash with the
// Account Replace Confirm dialog. "Yes to all" holds until the drop ends,
// with this object. The tree follows the document's notices.
class CTreeDrop {
public:
    CTreeDrop(const CRecordTreeModel& model, CCofferDoc& doc, CEditPrompts& prompts);

    // Copies the account source under the group parent, deleting the
    // source when bDelete. Returns the new item, source when the user kept
    // the accounts as they were (NO), or none when the user cancelled.
    QModelIndex CopyItem(const QModelIndex& source, const QModelIndex& parent, bool bDelete);
    // CopyItem for every account of the group source; returns the last
    // item returned, or none on cancel or for a group without accounts.
    QModelIndex CopyChildren(const QModelIndex& source, const QModelIndex& parent, bool bDelete);

    // Whether the drop changed anything, so far.
    bool HasChanged() const { return m_bChanged; }

private:
    // The account under parent whose name equals strName exactly, or none.
    QModelIndex FindClash(const QModelIndex& parent, const std::string& strName) const;
    void RemoveAccount(const QModelIndex& item);

    const CRecordTreeModel& m_model;
    CCofferDoc& m_doc;
    CEditPrompts& m_prompts;
    EReplaceAnswer m_eReplaceAnswer = EReplaceAnswer::yes;
    bool m_bChanged = false;
};
