// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/unicode/FoldedMatcher.h"

#include "core/unicode/UnicodeFold.h"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

namespace {

// A character that makes one word with a neighbour of its kind.
bool JoinsWord(UChar32 c) {
    constexpr uint32_t WORD_MASK = U_GC_L_MASK | U_GC_M_MASK | U_GC_ND_MASK | U_GC_PC_MASK;
    if (c < 0 || (U_GET_GC_MASK(c) & WORD_MASK) == 0)
        return false;
    const auto nBreak = static_cast<ULineBreak>(u_getIntPropertyValue(c, UCHAR_LINE_BREAK));
    return nBreak != U_LB_IDEOGRAPHIC && nBreak != U_LB_CONDITIONAL_JAPANESE_STARTER &&
           nBreak != U_LB_COMPLEX_CONTEXT;
}

} // namespace

bool IsWholeWordAt(std::string_view strText, std::size_t nAt, std::size_t nLength) {
    const auto* pText = reinterpret_cast<const uint8_t*>(strText.data());
    const auto nSize = static_cast<int32_t>(strText.size());
    if (nAt > 0) {
        auto i = static_cast<int32_t>(nAt);
        UChar32 c = 0;
        U8_PREV(pText, 0, i, c);
        if (JoinsWord(c))
            return false;
    }
    if (nAt + nLength < strText.size()) {
        auto i = static_cast<int32_t>(nAt + nLength);
        UChar32 c = 0;
        U8_NEXT(pText, i, nSize, c);
        if (JoinsWord(c))
            return false;
    }
    return true;
}

CFoldedMatcher::CFoldedMatcher(std::string_view strSearchUtf8)
    : m_strSearch(FoldForSearch(strSearchUtf8)) {}

bool CFoldedMatcher::Contains(std::string_view strTextUtf8) const {
    if (IsEmpty())
        return true;
    FoldForSearch(strTextUtf8, m_strText);
    return FoldedContains(m_strText);
}

bool CFoldedMatcher::ContainsWord(std::string_view strTextUtf8) const {
    if (IsEmpty())
        return true;
    FoldForSearch(strTextUtf8, m_strText);
    return FoldedContainsWord(m_strText);
}

bool CFoldedMatcher::FoldedContains(std::string_view strFolded) const {
    return strFolded.find(m_strSearch) != std::string_view::npos;
}

// Occurrences are judged against the whole text: "ab" in "abab" is no
// whole word, wherever the previous occurrence ended.
bool CFoldedMatcher::FoldedContainsWord(std::string_view strFolded) const {
    if (IsEmpty())
        return true;
    for (std::size_t nAt = strFolded.find(m_strSearch); nAt != std::string_view::npos;
         nAt = strFolded.find(m_strSearch, nAt + 1)) {
        if (IsWholeWordAt(strFolded, nAt, m_strSearch.size()))
            return true;
    }
    return false;
}
