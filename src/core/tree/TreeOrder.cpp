// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/tree/TreeOrder.h"

#include "core/store/TextCompare.h"

#include <algorithm>

std::vector<STreeGroup> SortedTree(CCofferDoc::CInfoList& listInfo, const CCodePage& codePage) {
    std::vector<STreeGroup> tree;
    for (CPasswordInfo& info : listInfo) {
        if (info.IsGroup())
            tree.push_back({&info, {}});
        else if (!tree.empty())
            tree.back().m_accounts.push_back(&info);
    }
    std::stable_sort(tree.begin(), tree.end(), [&](const STreeGroup& a, const STreeGroup& b) {
        return CompareNoCase(a.m_pGroup->TextView(CPasswordInfo::group),
                             b.m_pGroup->TextView(CPasswordInfo::group), codePage) < 0;
    });
    for (STreeGroup& group : tree) {
        std::stable_sort(group.m_accounts.begin(), group.m_accounts.end(),
                         [&](const CPasswordInfo* a, const CPasswordInfo* b) {
                             return CompareNoCase(a->TextView(CPasswordInfo::account),
                                                  b->TextView(CPasswordInfo::account),
                                                  codePage) < 0;
                         });
    }
    return tree;
}

std::vector<CPasswordInfo*> PreOrder(const std::vector<STreeGroup>& tree) {
    std::vector<CPasswordInfo*> order;
    for (const STreeGroup& group : tree) {
        order.push_back(group.m_pGroup);
        order.insert(order.end(), group.m_accounts.begin(), group.m_accounts.end());
    }
    return order;
}
