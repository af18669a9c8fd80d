// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/interchange/CsvRow.h"

#include "core/interchange/CsvHeader.h"

CCsvRow::CCsvRow(const CCsvHeader& header, const std::vector<std::string>& astrFields)
    : m_header(header), m_astrFields(astrFields), m_abTaken(astrFields.size(), false) {}

std::string CCsvRow::Take(std::string_view strLowerName) {
    const auto nColumn = m_header.Find(strLowerName);
    if (!nColumn || *nColumn >= m_astrFields.size())
        return {};
    m_abTaken[*nColumn] = true;
    return m_astrFields[*nColumn];
}

void CCsvRow::TakeUnlessSet(std::string_view strLowerName) {
    const auto nColumn = m_header.Find(strLowerName);
    if (!nColumn || *nColumn >= m_astrFields.size())
        return;
    const std::string strValue = LowerTrimmed(m_astrFields[*nColumn]);
    if (strValue.empty() || strValue == "0" || strValue == "false")
        m_abTaken[*nColumn] = true;
}

std::vector<std::string> CCsvRow::UnreadLabels() const {
    std::vector<std::string> astrLabels;
    for (std::size_t i = 0; i < m_astrFields.size(); ++i) {
        if (!m_abTaken[i] && !IsBlank(m_astrFields[i]))
            astrLabels.push_back(m_header.Label(i));
    }
    return astrLabels;
}
