// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/TreeListing.h"

#include "core/store/TextCompare.h"
#include "core/tree/TreeOrder.h"

#include <algorithm>

namespace {

std::vector<const CPasswordInfo*> AccountsBeforeFirstGroup(const CCofferDoc::CInfoList& listInfo,
                                                           const CCodePage& codePage) {
    std::vector<const CPasswordInfo*> accounts;
    for (const CPasswordInfo& info : listInfo) {
        if (info.IsGroup())
            break;
        accounts.push_back(&info);
    }
    std::stable_sort(accounts.begin(), accounts.end(),
                     [&](const CPasswordInfo* a, const CPasswordInfo* b) {
                         return CompareNoCase(a->TextView(CPasswordInfo::account),
                                              b->TextView(CPasswordInfo::account), codePage) < 0;
                     });
    return accounts;
}

} // namespace

CTreeListing::CTreeListing(const CCofferDoc::CInfoList& listInfo, const CCodePage& codePage) {
    std::vector<const CPasswordInfo*> orphans = AccountsBeforeFirstGroup(listInfo, codePage);
    if (!orphans.empty())
        m_branches.push_back({nullptr, std::move(orphans)});
    for (const STreeGroup& group : SortedTree(listInfo, codePage))
        m_branches.push_back({group.m_pGroup, {group.m_accounts.begin(), group.m_accounts.end()}});
}

CTreeListing::EFind CTreeListing::FindAccount(const std::string& strGroup,
                                              const std::string& strAccount,
                                              const CPasswordInfo*& pAccount) const {
    pAccount = nullptr;
    bool bGroupSeen = false;
    for (const SBranch& branch : m_branches) {
        const std::string strName = branch.pGroup ? branch.pGroup->Group() : std::string();
        if (strName != strGroup)
            continue;
        bGroupSeen = true;
        for (const CPasswordInfo* pInfo : branch.accounts) {
            if (pInfo->Account() == strAccount) {
                pAccount = pInfo;
                return EFind::found;
            }
        }
    }
    return bGroupSeen ? EFind::noAccount : EFind::noGroup;
}
