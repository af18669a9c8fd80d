#pragma once

#include "core/store/CofferDoc.h"

#include <cstddef>
#include <functional>
#include <string_view>
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

// Whether label a goes before label b in the tree: alphabetical ignoring
// case; equal labels keep the order they came in.
bool SortsBefore(std::string_view a, std::string_view b, const CCodePage& codePage);

// Where record goes among nCount siblings in display order, fnSibling(i)
// giving sibling i (the record itself left out): where SortedTree would
// show it, so a tree that places records one by one stays as a fresh sort
// shows it. Equal labels take their order from listInfo, which is walked
// only when there are any. O(log n) otherwise.
std::size_t SortedPlace(const CCofferDoc::CInfoList& listInfo, const CPasswordInfo& record,
                        std::size_t nCount,
                        const std::function<const CPasswordInfo*(std::size_t)>& fnSibling,
                        const CCodePage& codePage);
