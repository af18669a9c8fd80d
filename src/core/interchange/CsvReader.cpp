// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/interchange/CsvReader.h"

CCsvReader::CCsvReader(std::string_view strText, std::size_t nMaxFields)
    : m_strText(strText), m_nMaxFields(nMaxFields) {
    if (m_strText.starts_with("\xEF\xBB\xBF"))
        m_nPos = 3;
}

bool CCsvReader::AtLineEnd() const {
    return m_nPos < m_strText.size() && (m_strText[m_nPos] == '\n' || m_strText[m_nPos] == '\r');
}

void CCsvReader::SkipLineEnd() {
    if (m_strText[m_nPos] == '\r' && m_nPos + 1 < m_strText.size() && m_strText[m_nPos + 1] == '\n')
        ++m_nPos;
    ++m_nPos;
    ++m_nLine;
}

CCsvReader::EResult CCsvReader::NextRow(std::vector<std::string>& astrRow) {
    astrRow.clear();
    m_bDropped = false;
    // Blank lines between rows are no rows.
    while (AtLineEnd())
        SkipLineEnd();
    if (m_nPos >= m_strText.size())
        return EResult::end;
    m_nRowLine = m_nLine;
    std::string strField;
    std::size_t nFields = 0;
    const auto fnEndField = [&] {
        if (nFields++ < m_nMaxFields)
            astrRow.push_back(std::move(strField));
        else if (strField.find_first_not_of(" \t\r\n") != std::string::npos)
            m_bDropped = true;
        strField.clear();
    };
    for (;;) {
        if (m_nPos < m_strText.size() && m_strText[m_nPos] == '"') {
            ++m_nPos;
            for (;;) {
                const std::size_t nQuote = m_strText.find('"', m_nPos);
                if (nQuote == std::string_view::npos) {
                    astrRow.clear();
                    return EResult::openQuote;
                }
                const std::string_view strPart = m_strText.substr(m_nPos, nQuote - m_nPos);
                for (const char c : strPart)
                    m_nLine += c == '\n' ? 1 : 0;
                strField += strPart;
                m_nPos = nQuote + 1;
                if (m_nPos < m_strText.size() && m_strText[m_nPos] == '"') {
                    strField += '"';
                    ++m_nPos;
                    continue;
                }
                break;
            }
        }
        // Unquoted text, or what follows a closing quote before the comma,
        // is taken as it stands: a stray quote inside it is an ordinary
        // character.
        while (m_nPos < m_strText.size() && m_strText[m_nPos] != ',' && !AtLineEnd())
            strField += m_strText[m_nPos++];
        fnEndField();
        if (m_nPos >= m_strText.size())
            return EResult::row;
        if (m_strText[m_nPos] == ',') {
            ++m_nPos;
            continue;
        }
        SkipLineEnd();
        return EResult::row;
    }
}
