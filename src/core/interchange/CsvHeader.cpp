// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/interchange/CsvHeader.h"

#include <algorithm>

namespace {

std::string_view Trimmed(std::string_view strText) {
    const auto nFirst = strText.find_first_not_of(" \t");
    if (nFirst == std::string_view::npos)
        return {};
    return strText.substr(nFirst, strText.find_last_not_of(" \t") - nFirst + 1);
}

std::string ColumnNumber(std::size_t nColumn) {
    return "column " + std::to_string(nColumn + 1);
}

} // namespace

std::string LowerTrimmed(std::string_view strText) {
    std::string strLower(Trimmed(strText));
    for (char& c : strLower)
        c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    return strLower;
}

bool IsBlank(std::string_view strText) {
    return strText.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

CCsvHeader::CCsvHeader(const std::vector<std::string>& astrNames) {
    for (const std::string& strName : astrNames) {
        std::string strLower = LowerTrimmed(strName);
        const std::size_t nColumn = m_astrLower.size();
        const bool bRepeated = Find(strLower).has_value();
        if (strLower.empty())
            m_astrLabels.push_back(ColumnNumber(nColumn));
        else if (bRepeated)
            m_astrLabels.push_back(std::string(Trimmed(strName)) + " (" + ColumnNumber(nColumn) +
                                   ")");
        else
            m_astrLabels.emplace_back(Trimmed(strName));
        m_astrLower.push_back(std::move(strLower));
    }
}

std::optional<std::size_t> CCsvHeader::Find(std::string_view strLowerName) const {
    const auto it = std::find(m_astrLower.begin(), m_astrLower.end(), strLowerName);
    if (it == m_astrLower.end())
        return std::nullopt;
    return static_cast<std::size_t>(it - m_astrLower.begin());
}

bool CCsvHeader::HasAll(std::string_view strColumns) const {
    for (std::size_t nStart = 0; nStart <= strColumns.size();) {
        std::size_t nComma = strColumns.find(',', nStart);
        if (nComma == std::string_view::npos)
            nComma = strColumns.size();
        if (!Find(LowerTrimmed(strColumns.substr(nStart, nComma - nStart))))
            return false;
        nStart = nComma + 1;
    }
    return true;
}

std::string CCsvHeader::Label(std::size_t nColumn) const {
    return nColumn < m_astrLabels.size() ? m_astrLabels[nColumn] : ColumnNumber(nColumn);
}
