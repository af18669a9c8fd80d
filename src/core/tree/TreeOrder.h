// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/store/CofferDoc.h"

#include <vector>

// One group of the tree in display order, with its accounts in display order.
struct STreeGroup {
    CPasswordInfo* m_pGroup = nullptr;
    std::vector<CPasswordInfo*> m_accounts;
};

// The tree's display order of a record list: groups alphabetically ignoring
// case, each group's accounts likewise; labels that compare equal keep their
// list order. An account belongs to the nearest group before it; accounts
// before the first group, which only damaged files have, are not shown.
// O(n log n), so files of any size open quickly.
std::vector<STreeGroup> SortedTree(CCofferDoc::CInfoList& listInfo, const CCodePage& codePage);

// The records of a tree in pre-order (each group followed by its accounts),
// the order RebuildOrder expects.
std::vector<CPasswordInfo*> PreOrder(const std::vector<STreeGroup>& tree);
