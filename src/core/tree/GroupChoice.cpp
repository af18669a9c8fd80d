// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/tree/GroupChoice.h"

#include "core/store/TextCompare.h"

#include <algorithm>

CGroupChoice::CGroupChoice(const CCofferDoc::CInfoList& listInfo, const CCodePage& codePage)
    : m_codePage(codePage) {
    for (const CPasswordInfo& info : listInfo) {
        if (info.IsGroup())
            m_vecEntries.push_back({info.Group(), &info});
    }
    Sort();
}

void CGroupChoice::Sort() {
    std::stable_sort(m_vecEntries.begin(), m_vecEntries.end(),
                     [this](const SGroupEntry& a, const SGroupEntry& b) {
                         return CompareNoCase(a.m_strText, b.m_strText, m_codePage) < 0;
                     });
}

int CGroupChoice::Preselect(const std::string& strGroup) const {
    const auto exact = std::find_if(m_vecEntries.begin(), m_vecEntries.end(),
                                    [&](const SGroupEntry& e) { return e.m_strText == strGroup; });
    if (exact != m_vecEntries.end())
        return static_cast<int>(exact - m_vecEntries.begin());
    const auto prefix =
        std::find_if(m_vecEntries.begin(), m_vecEntries.end(), [&](const SGroupEntry& e) {
            return StartsWithNoCase(e.m_strText, strGroup, m_codePage);
        });
    return prefix == m_vecEntries.end() ? -1 : static_cast<int>(prefix - m_vecEntries.begin());
}
