// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/tree/TreeOrder.h"

#include "core/store/TextCompare.h"

#include <algorithm>

std::vector<STreeGroup> SortedTree(const CCofferDoc::CInfoList& listInfo,
                                   const CCodePage& codePage) {
    std::vector<STreeGroup> tree;
    for (const CPasswordInfo& info : listInfo) {
        if (info.IsGroup())
            tree.push_back({&info, {}});
        else if (!tree.empty())
            tree.back().m_accounts.push_back(&info);
    }
    // A list kept in the tree's order needs no sorting: checked in O(n).
    const auto groupBefore = [&](const STreeGroup& a, const STreeGroup& b) {
        return SortsBefore(a.m_pGroup->TextView(CPasswordInfo::group),
                           b.m_pGroup->TextView(CPasswordInfo::group), codePage);
    };
    if (!std::is_sorted(tree.begin(), tree.end(), groupBefore))
        std::stable_sort(tree.begin(), tree.end(), groupBefore);
    const auto accountBefore = [&](const CPasswordInfo* a, const CPasswordInfo* b) {
        return SortsBefore(a->TextView(CPasswordInfo::account), b->TextView(CPasswordInfo::account),
                           codePage);
    };
    for (STreeGroup& group : tree) {
        if (!std::is_sorted(group.m_accounts.begin(), group.m_accounts.end(), accountBefore))
            std::stable_sort(group.m_accounts.begin(), group.m_accounts.end(), accountBefore);
    }
    return tree;
}

std::vector<const CPasswordInfo*> PreOrder(const std::vector<STreeGroup>& tree) {
    std::vector<const CPasswordInfo*> order;
    for (const STreeGroup& group : tree) {
        order.push_back(group.m_pGroup);
        order.insert(order.end(), group.m_accounts.begin(), group.m_accounts.end());
    }
    return order;
}

void SortToTreeOrder(CCofferDoc& doc) {
    doc.RebuildOrder(PreOrder(SortedTree(doc.Records(), doc.CodePage())));
}

bool SortsBefore(std::string_view a, std::string_view b, const CCodePage& codePage) {
    return CompareNoCase(a, b, codePage) < 0;
}

std::size_t SortedPlace(std::string_view strLabel, std::size_t nCount,
                        const std::function<std::string_view(std::size_t)>& fnLabel,
                        const CCodePage& codePage) {
    std::size_t nLow = 0;
    std::size_t nHigh = nCount;
    while (nLow < nHigh) {
        const std::size_t nMiddle = nLow + (nHigh - nLow) / 2;
        if (SortsBefore(strLabel, fnLabel(nMiddle), codePage))
            nHigh = nMiddle;
        else
            nLow = nMiddle + 1;
    }
    return nLow;
}
