// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/store/CofferDoc.h"

#include <string>
#include <vector>

// The records of a file as the tree shows them (groups alphabetically
// ignoring case, each group's accounts likewise), plus what the tree leaves
// out: accounts that come before the first group, which only damaged files
// have. They form a branch with no group, listed first.
class CTreeListing {
public:
    struct SBranch {
        const CPasswordInfo* pGroup = nullptr; // null for the accounts before any group
        std::vector<const CPasswordInfo*> accounts;
    };

    enum class EFind { found, noGroup, noAccount };

    CTreeListing(const CCofferDoc::CInfoList& listInfo, const CCodePage& codePage);

    const std::vector<SBranch>& Branches() const { return m_branches; }

    // The account named strAccount in a group named strGroup, both exact. A
    // damaged file may repeat a group name: every group of that name is
    // searched. The empty group name also reaches the branch with no group.
    EFind FindAccount(const std::string& strGroup, const std::string& strAccount,
                      const CPasswordInfo*& pAccount) const;

private:
    std::vector<SBranch> m_branches;
};
