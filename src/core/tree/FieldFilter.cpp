// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/tree/FieldFilter.h"

#include "core/store/PasswordInfo.h"

#include <algorithm>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

constexpr CPasswordInfo::EText SEARCHED[] = {CPasswordInfo::account, CPasswordInfo::userName,
                                             CPasswordInfo::webSite, CPasswordInfo::eMail,
                                             CPasswordInfo::comments};

} // namespace

CFieldFilter::CFieldFilter(std::string_view strQuery, const CCodePage& codePage)
    : m_fold(codePage) {
    std::size_t p = 0;
    while (p < strQuery.size()) {
        while (p < strQuery.size() && IsBlank(strQuery[p]))
            ++p;
        const std::size_t nStart = p;
        while (p < strQuery.size() && !IsBlank(strQuery[p]))
            ++p;
        // A UTF-8 word of marks alone folds to nothing: nothing to look for.
        std::string strWord = m_fold.Fold(strQuery.substr(nStart, p - nStart));
        if (!strWord.empty())
            m_astrWords.push_back(std::move(strWord));
    }
}

bool CFieldFilter::Matches(const CPasswordInfo& account) const {
    m_abFound.assign(m_astrWords.size(), 0);
    std::size_t nMissing = m_astrWords.size();
    for (const CPasswordInfo::EText eText : SEARCHED) {
        if (nMissing == 0)
            break;
        const std::string_view strText = account.TextView(eText);
        if (strText.empty())
            continue;
        m_fold.Fold(strText, m_strFolded);
        for (std::size_t i = 0; i < m_astrWords.size(); ++i) {
            if (!m_abFound[i] && m_strFolded.find(m_astrWords[i]) != std::string::npos) {
                m_abFound[i] = 1;
                --nMissing;
            }
        }
    }
    return nMissing == 0;
}

bool CFieldFilter::Narrows(const CFieldFilter& wider) const {
    return std::all_of(
        wider.m_astrWords.begin(), wider.m_astrWords.end(), [this](const std::string& strWider) {
            return std::any_of(m_astrWords.begin(), m_astrWords.end(),
                               [&](const std::string& strWord) {
                                   return strWord.find(strWider) != std::string::npos;
                               });
        });
}

// A match is found in the folded text, whose bytes need not lie where the
// text's do (UTF-8 folding changes lengths: "ß" becomes "ss"): each match
// is mapped back to the characters it was found in.
std::vector<std::pair<std::size_t, std::size_t>>
CFieldFilter::Spans(std::string_view strText) const {
    std::string strFolded;
    std::vector<std::pair<std::size_t, std::size_t>> anOrigin;
    m_fold.FoldMapped(strText, strFolded, anOrigin);
    std::vector<std::pair<std::size_t, std::size_t>> spans;
    for (const std::string& strWord : m_astrWords) {
        for (std::size_t p = strFolded.find(strWord); p != std::string::npos;
             p = strFolded.find(strWord, p + 1)) {
            const std::size_t nBegin = anOrigin[p].first;
            spans.emplace_back(nBegin, anOrigin[p + strWord.size() - 1].second - nBegin);
        }
    }
    std::sort(spans.begin(), spans.end());
    std::vector<std::pair<std::size_t, std::size_t>> merged;
    for (const auto& span : spans) {
        if (!merged.empty() && span.first <= merged.back().first + merged.back().second) {
            const std::size_t nEnd =
                std::max(merged.back().first + merged.back().second, span.first + span.second);
            merged.back().second = nEnd - merged.back().first;
        } else {
            merged.push_back(span);
        }
    }
    return merged;
}
