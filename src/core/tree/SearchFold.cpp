// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/tree/SearchFold.h"

#include "core/store/CodePage.h"
#include "core/unicode/UnicodeFold.h"

namespace {

// The base letters of U+00C0 to U+017F in code point order; '?' keeps the
// character (Æ, ß, Œ and the like are letters of their own).
constexpr std::string_view LATIN1_BASES = "AAAAAA?CEEEEIIIIDNOOOOO?OUUUUY??"
                                          "aaaaaa?ceeeeiiiidnooooo?ouuuuy?y";
constexpr std::string_view LATIN_A_BASES = "AaAaAaCcCcCcCcDdDdEeEeEeEeEeGgGgGgGgHhHhIiIiIiIiIi??Jj"
                                           "Kk?LlLlLlLlLlNnNnNnn??OoOoOo??RrRrRrSsSsSsSsTtTtTt"
                                           "UuUuUuUuUuUuWwYyYZzZzZzs";
static_assert(LATIN1_BASES.size() == 0x40 && LATIN_A_BASES.size() == 0x80);

} // namespace

char32_t BaseLetter(char32_t nChar) {
    char cBase = '?';
    if (nChar >= 0xC0 && nChar < 0x100)
        cBase = LATIN1_BASES[nChar - 0xC0];
    else if (nChar >= 0x100 && nChar < 0x180)
        cBase = LATIN_A_BASES[nChar - 0x100];
    else if (nChar == 0x401) // Ё and ё are written Е and е in most texts
        return 0x415;
    else if (nChar == 0x451)
        return 0x435;
    return cBase == '?' ? nChar : static_cast<char32_t>(cBase);
}

CSearchFold::CSearchFold(const CCodePage& codePage) : m_bUtf8(codePage.IsUtf8()) {
    for (unsigned n = 0; n < 256; ++n) {
        auto nByte = static_cast<unsigned char>(n);
        unsigned char nBase = 0;
        if (n >= 0x80 && codePage.FromUnicode(BaseLetter(codePage.ToUnicode(nByte)), nBase))
            nByte = nBase;
        m_anFold[n] = codePage.ToLower(nByte);
    }
}

void CSearchFold::Fold(std::string_view strText, std::string& strOut) const {
    if (m_bUtf8) {
        FoldForSearch(strText, strOut);
        return;
    }
    strOut.resize(strText.size());
    for (std::size_t i = 0; i < strText.size(); ++i)
        strOut[i] = static_cast<char>(m_anFold[static_cast<unsigned char>(strText[i])]);
}

std::string CSearchFold::Fold(std::string_view strText) const {
    std::string strOut;
    Fold(strText, strOut);
    return strOut;
}

void CSearchFold::FoldMapped(std::string_view strText, std::string& strOut,
                             std::vector<std::pair<std::size_t, std::size_t>>& anOrigin) const {
    if (m_bUtf8) {
        FoldForSearch(strText, strOut, anOrigin);
        return;
    }
    Fold(strText, strOut);
    anOrigin.resize(strText.size());
    for (std::size_t i = 0; i < strText.size(); ++i)
        anOrigin[i] = {i, i + 1};
}
