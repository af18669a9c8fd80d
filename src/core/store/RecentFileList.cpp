// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/store/RecentFileList.h"

#include "core/base/Profile.h"
#include "core/base/SettingsSchema.h"

#include <algorithm>

namespace {

bool IsBlank(const std::string& strPath) {
    return strPath.find_first_not_of(' ') == std::string::npos;
}

} // namespace

CRecentFileList::CRecentFileList(int nSize) : m_nSize(nSize > 0 ? nSize : 1) {}

void CRecentFileList::Add(const std::string& strPath) {
    if (IsBlank(strPath))
        return;
    auto it = std::find(m_vecNames.begin(), m_vecNames.end(), strPath);
    if (it != m_vecNames.end())
        m_vecNames.erase(it);
    m_vecNames.insert(m_vecNames.begin(), strPath);
    if (GetCount() > m_nSize)
        m_vecNames.resize(static_cast<std::size_t>(m_nSize));
}

void CRecentFileList::Remove(int nIndex) {
    if (nIndex >= 0 && nIndex < GetCount())
        m_vecNames.erase(m_vecNames.begin() + nIndex);
}

void CRecentFileList::Clear() {
    m_vecNames.clear();
}

void CRecentFileList::ReadList(const CProfile& profile) {
    m_vecNames.clear();
    for (int i = 0; i < m_nSize && i < RECENT_FILE_COUNT; ++i) {
        const std::string strName = profile.Get(RecentFileSetting(i));
        if (!IsBlank(strName) &&
            std::find(m_vecNames.begin(), m_vecNames.end(), strName) == m_vecNames.end())
            m_vecNames.push_back(strName);
    }
}

void CRecentFileList::WriteList(CProfile& profile) const {
    profile.DeleteProfileSection(PROFILE_RECENT);
    for (int i = 0; i < GetCount() && i < RECENT_FILE_COUNT; ++i)
        profile.Set(RecentFileSetting(i), m_vecNames[static_cast<std::size_t>(i)]);
}
