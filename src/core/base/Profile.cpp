// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/Profile.h"

#include "core/base/SettingsSchema.h"

unsigned CProfile::Get(EIntSetting eKey) const {
    const SProfileEntry& entry = *SettingEntry(eKey);
    return GetProfileInt(entry.m_pszSection, entry.m_pszValue, entry.m_nDefault);
}

std::string CProfile::Get(ETextSetting eKey) const {
    const SProfileEntry& entry = *SettingEntry(eKey);
    return GetProfileString(entry.m_pszSection, entry.m_pszValue, entry.m_pszDefault);
}

void CProfile::Set(EIntSetting eKey, unsigned nValue) {
    const SProfileEntry& entry = *SettingEntry(eKey);
    WriteProfileInt(entry.m_pszSection, entry.m_pszValue, nValue);
}

void CProfile::Set(ETextSetting eKey, const std::string& strText) {
    const SProfileEntry& entry = *SettingEntry(eKey);
    WriteProfileString(entry.m_pszSection, entry.m_pszValue, strText);
}
