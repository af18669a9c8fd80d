// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/store/CofferDoc.h"

#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

// One group of the tree in display order, with its accounts in display order.
struct STreeGroup {
    const CPasswordInfo* m_pGroup = nullptr;
    std::vector<const CPasswordInfo*> m_accounts;
};

// The tree's display order of a record list: groups alphabetically ignoring
// case, each group's accounts likewise; labels that compare equal keep their
// list order. An account belongs to the nearest group before it; accounts
// before the first group, which only damaged files have, are not shown.
// O(n log n), so files of any size open quickly.
std::vector<STreeGroup> SortedTree(const CCofferDoc::CInfoList& listInfo,
                                   const CCodePage& codePage);

// The records of a tree in pre-order (each group followed by its accounts),
// the order RebuildOrder expects.
std::vector<const CPasswordInfo*> PreOrder(const std::vector<STreeGroup>& tree);

// Puts the document's records in the tree's pre-order, as the file keeps
// them after a drop or a rename in the tree. Nothing shown changes.
void SortToTreeOrder(CCofferDoc& doc);

// Whether label a goes before label b in the tree: alphabetical ignoring
// case; equal labels keep the order they came in.
bool SortsBefore(std::string_view a, std::string_view b, const CCodePage& codePage);

// Where a record labelled strLabel goes among nCount siblings in display
// order, fnLabel(i) giving the label of sibling i: after every sibling
// whose label does not sort after it, so a record added or renamed goes
// after those whose label equals its own. O(log n).
std::size_t SortedPlace(std::string_view strLabel, std::size_t nCount,
                        const std::function<std::string_view(std::size_t)>& fnLabel,
                        const CCodePage& codePage);
