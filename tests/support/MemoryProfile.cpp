// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/MemoryProfile.h"

#include <algorithm>

namespace {

template <class T> auto FindNamed(T& items, const std::string& strName) {
    return std::find_if(items.begin(), items.end(), [&strName](const auto& item) {
        return ProfileNamesEqual(item.m_strName, strName);
    });
}

} // namespace

const CMemoryProfile::SValue* CMemoryProfile::Find(const std::string& strSection,
                                                   const std::string& strValue) const {
    const auto itSection = FindNamed(m_sections, strSection);
    if (itSection == m_sections.end())
        return nullptr;
    const auto itValue = FindNamed(itSection->m_values, strValue);
    return itValue == itSection->m_values.end() ? nullptr : &*itValue;
}

CMemoryProfile::SValue& CMemoryProfile::Slot(const std::string& strSection,
                                             const std::string& strValue) {
    auto itSection = FindNamed(m_sections, strSection);
    if (itSection == m_sections.end()) {
        m_sections.push_back(SSection{strSection, {}});
        itSection = std::prev(m_sections.end());
    }
    auto itValue = FindNamed(itSection->m_values, strValue);
    if (itValue == itSection->m_values.end()) {
        itSection->m_values.push_back(SValue{strValue, EValueType::integer, 0, {}});
        itValue = std::prev(itSection->m_values.end());
    }
    return *itValue;
}

unsigned CMemoryProfile::GetProfileInt(const std::string& strSection, const std::string& strValue,
                                       unsigned nDefault) const {
    const SValue* pValue = Find(strSection, strValue);
    if (pValue == nullptr || pValue->m_eType != EValueType::integer)
        return nDefault;
    return pValue->m_nValue;
}

std::string CMemoryProfile::GetProfileString(const std::string& strSection,
                                             const std::string& strValue,
                                             const std::string& strDefault) const {
    const SValue* pValue = Find(strSection, strValue);
    if (pValue == nullptr || pValue->m_eType != EValueType::text)
        return strDefault;
    return pValue->m_strText;
}

void CMemoryProfile::WriteProfileInt(const std::string& strSection, const std::string& strValue,
                                     unsigned nValue) {
    if (m_bReadOnly)
        return;
    SValue& value = Slot(strSection, strValue);
    value.m_eType = EValueType::integer;
    value.m_nValue = nValue;
    value.m_strText.clear();
    ++m_nWrites;
}

void CMemoryProfile::WriteProfileString(const std::string& strSection, const std::string& strValue,
                                        const std::string& strText) {
    if (m_bReadOnly)
        return;
    SValue& value = Slot(strSection, strValue);
    value.m_eType = EValueType::text;
    value.m_nValue = 0;
    value.m_strText = strText;
    ++m_nWrites;
}

void CMemoryProfile::DeleteProfileValue(const std::string& strSection,
                                        const std::string& strValue) {
    if (m_bReadOnly)
        return;
    const auto itSection = FindNamed(m_sections, strSection);
    if (itSection == m_sections.end())
        return;
    const auto itValue = FindNamed(itSection->m_values, strValue);
    if (itValue != itSection->m_values.end())
        itSection->m_values.erase(itValue);
}

void CMemoryProfile::DeleteProfileSection(const std::string& strSection) {
    if (m_bReadOnly)
        return;
    const auto itSection = FindNamed(m_sections, strSection);
    if (itSection != m_sections.end())
        m_sections.erase(itSection);
}

bool CMemoryProfile::HasValue(const std::string& strSection, const std::string& strValue) const {
    return Find(strSection, strValue) != nullptr;
}

bool CMemoryProfile::HasSection(const std::string& strSection) const {
    return FindNamed(m_sections, strSection) != m_sections.end();
}

std::vector<CMemoryProfile::SEntry> CMemoryProfile::Entries() const {
    std::vector<SEntry> entries;
    for (const SSection& section : m_sections)
        for (const SValue& value : section.m_values)
            entries.push_back(SEntry{section.m_strName, value.m_strName, value.m_eType,
                                     value.m_nValue, value.m_strText});
    return entries;
}

std::size_t CMemoryProfile::ValueCount() const {
    std::size_t nCount = 0;
    for (const SSection& section : m_sections)
        nCount += section.m_values.size();
    return nCount;
}

void CMemoryProfile::Clear() {
    m_sections.clear();
    m_nWrites = 0;
}
