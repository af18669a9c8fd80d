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
        return SortsBefore(a.m_pGroup->TextView(CPasswordInfo::group),
                           b.m_pGroup->TextView(CPasswordInfo::group), codePage);
    });
    for (STreeGroup& group : tree) {
        std::stable_sort(group.m_accounts.begin(), group.m_accounts.end(),
                         [&](const CPasswordInfo* a, const CPasswordInfo* b) {
                             return SortsBefore(a->TextView(CPasswordInfo::account),
                                                b->TextView(CPasswordInfo::account), codePage);
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

bool SortsBefore(std::string_view a, std::string_view b, const CCodePage& codePage) {
    return CompareNoCase(a, b, codePage) < 0;
}

std::size_t SortedPlace(const CCofferDoc::CInfoList& listInfo, const CPasswordInfo& record,
                        std::size_t nCount,
                        const std::function<const CPasswordInfo*(std::size_t)>& fnSibling,
                        const CCodePage& codePage) {
    const auto labelOf = [](const CPasswordInfo& info) {
        return info.TextView(info.IsGroup() ? CPasswordInfo::group : CPasswordInfo::account);
    };
    const std::string_view strLabel = labelOf(record);
    const auto bound = [&](bool bUpper) {
        std::size_t nLow = 0;
        std::size_t nHigh = nCount;
        while (nLow < nHigh) {
            const std::size_t nMiddle = nLow + (nHigh - nLow) / 2;
            const std::string_view strSibling = labelOf(*fnSibling(nMiddle));
            const bool bAfter = bUpper ? !SortsBefore(strLabel, strSibling, codePage)
                                       : SortsBefore(strSibling, strLabel, codePage);
            if (bAfter)
                nLow = nMiddle + 1;
            else
                nHigh = nMiddle;
        }
        return nLow;
    };
    const std::size_t nFirstEqual = bound(false);
    const std::size_t nPastEqual = bound(true);
    if (nFirstEqual == nPastEqual)
        return nFirstEqual;
    // Siblings with an equal label come before the record when they come
    // before it in the list.
    std::vector<const CPasswordInfo*> equals;
    for (std::size_t i = nFirstEqual; i < nPastEqual; ++i)
        equals.push_back(fnSibling(i));
    std::size_t nBefore = 0;
    for (const CPasswordInfo& info : listInfo) {
        if (&info == &record)
            break;
        if (std::find(equals.begin(), equals.end(), &info) != equals.end())
            ++nBefore;
    }
    return nFirstEqual + nBefore;
}
