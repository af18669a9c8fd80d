// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/store/DatabaseKeyFiles.h"

#include "core/base/Profile.h"
#include "core/base/SettingsSchema.h"

#include <algorithm>

namespace {

std::string ValueName(const char* pszName, std::size_t nIndex) {
    return pszName + std::to_string(nIndex + 1);
}

} // namespace

CDatabaseKeyFiles::CDatabaseKeyFiles(CProfile* pProfile) : m_pProfile(pProfile) {
    if (!m_pProfile)
        return;
    for (std::size_t i = 0; i < static_cast<std::size_t>(KEY_FILE_COUNT); ++i) {
        std::string strDatabase = m_pProfile->GetProfileString(
            PROFILE_KEY_FILES, ValueName(VAL_KEY_FILE_DATABASE, i), "");
        std::string strKeyFile =
            m_pProfile->GetProfileString(PROFILE_KEY_FILES, ValueName(VAL_KEY_FILE_PATH, i), "");
        if (!strDatabase.empty() && !strKeyFile.empty() && Of(strDatabase).empty())
            m_vecFiles.emplace_back(std::move(strDatabase), std::move(strKeyFile));
    }
}

std::string CDatabaseKeyFiles::Of(const std::string& strDatabase) const {
    for (const auto& [strName, strKeyFile] : m_vecFiles) {
        if (strName == strDatabase)
            return strKeyFile;
    }
    return {};
}

void CDatabaseKeyFiles::Remember(const std::string& strDatabase, const std::string& strKeyFile) {
    const auto it = std::find_if(m_vecFiles.begin(), m_vecFiles.end(),
                                 [&](const auto& entry) { return entry.first == strDatabase; });
    if (it == m_vecFiles.end() && strKeyFile.empty())
        return;
    if (it != m_vecFiles.end())
        m_vecFiles.erase(it);
    if (!strKeyFile.empty()) {
        m_vecFiles.emplace(m_vecFiles.begin(), strDatabase, strKeyFile);
        if (m_vecFiles.size() > static_cast<std::size_t>(KEY_FILE_COUNT))
            m_vecFiles.pop_back();
    }
    Write();
}

void CDatabaseKeyFiles::Write() const {
    if (!m_pProfile)
        return;
    m_pProfile->DeleteProfileSection(PROFILE_KEY_FILES);
    for (std::size_t i = 0; i < m_vecFiles.size(); ++i) {
        m_pProfile->WriteProfileString(PROFILE_KEY_FILES, ValueName(VAL_KEY_FILE_DATABASE, i),
                                       m_vecFiles[i].first);
        m_pProfile->WriteProfileString(PROFILE_KEY_FILES, ValueName(VAL_KEY_FILE_PATH, i),
                                       m_vecFiles[i].second);
    }
}
