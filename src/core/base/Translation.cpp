// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/Translation.h"

#include <atomic>
#include <cstring>

namespace {
std::atomic<PFN_TRANSLATE_TEXT> g_pfnTranslate{nullptr};
}

void SetTextTranslator(PFN_TRANSLATE_TEXT pfnTranslate) {
    g_pfnTranslate = pfnTranslate;
}

const char* TranslateText(const char* pszSource) {
    const PFN_TRANSLATE_TEXT pfn = g_pfnTranslate;
    if (pfn == nullptr || pszSource == nullptr)
        return pszSource;
    const char* pszShown = pfn(pszSource);
    return pszShown != nullptr ? pszShown : pszSource;
}

const char* TranslateFormat(const char* pszSource) {
    const char* pszShown = TranslateText(pszSource);
    if (pszShown == pszSource || FormatConversions(pszShown) != FormatConversions(pszSource))
        return pszSource;
    return pszShown;
}

std::string FormatConversions(std::string_view strFormat) {
    std::string strOut;
    for (std::size_t n = 0; n < strFormat.size(); ++n) {
        if (strFormat[n] != '%')
            continue;
        // Flags, width, precision and length come before the letter.
        std::size_t nEnd = n + 1;
        while (nEnd < strFormat.size() &&
               std::strchr("-+ #0123456789.*hlLqjzt'", strFormat[nEnd]) != nullptr)
            ++nEnd;
        if (nEnd >= strFormat.size()) {
            strOut += '?'; // a format that ends inside a conversion
            break;
        }
        if (strFormat[nEnd] != '%' || nEnd != n + 1)
            strOut.append(strFormat.substr(n + 1, nEnd - n));
        n = nEnd;
    }
    return strOut;
}
