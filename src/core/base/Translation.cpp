// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/Translation.h"

#include <atomic>
#include <cstring>
#include <mutex>
#include <utility>

namespace {
std::atomic<PFN_TRANSLATE_TEXT> g_pfnTranslate{nullptr};

// Set once as the language loads; busy work may format on a worker thread.
std::mutex g_markMutex;
std::string g_strGroupMark = ",";

std::string GroupMark() {
    std::lock_guard<std::mutex> lock(g_markMutex);
    return g_strGroupMark;
}

const char* Look(const char* pszContext, const char* pszSource, const char* pszComment,
                 long long nCount) {
    const PFN_TRANSLATE_TEXT pfn = g_pfnTranslate;
    if (pfn == nullptr || pszSource == nullptr)
        return nullptr;
    return pfn(pszContext, pszSource, pszComment, nCount);
}

// Groups the digits of an unsigned decimal string from the right.
std::string Grouped(const std::string& strDigits, const std::string& strGroup) {
    std::string strOut;
    const std::size_t nLength = strDigits.size();
    for (std::size_t n = 0; n < nLength; ++n) {
        if (n > 0 && (nLength - n) % 3 == 0)
            strOut += strGroup;
        strOut += strDigits[n];
    }
    return strOut;
}
} // namespace

void SetTextTranslator(PFN_TRANSLATE_TEXT pfnTranslate) {
    g_pfnTranslate = pfnTranslate;
}

const char* TranslateText(const char* pszSource) {
    const char* pszShown = Look(TEXT_CONTEXT, pszSource, nullptr, -1);
    return pszShown != nullptr ? pszShown : pszSource;
}

const char* TranslateText(const STextIn& text) {
    const char* pszShown = Look(text.pszContext, text.pszSource, nullptr, -1);
    return pszShown != nullptr ? pszShown : text.pszSource;
}

std::string CountText(const SCountText& text, long long nCount) {
    const char* pszForm = Look(text.pszContext, text.pszMany, text.pszOne, nCount);
    // English, and a language that has no translation of this text yet.
    if (pszForm == nullptr)
        pszForm = nCount == 1 ? text.pszOne : text.pszMany;
    std::string strText(pszForm);
    const std::string strNumber = FormatCount(nCount);
    for (std::size_t nAt = strText.find("%n"); nAt != std::string::npos;
         nAt = strText.find("%n", nAt + strNumber.size()))
        strText.replace(nAt, 2, strNumber);
    return strText;
}

void SetDigitGroupMark(std::string strMark) {
    std::lock_guard<std::mutex> lock(g_markMutex);
    g_strGroupMark = std::move(strMark);
}

std::string FormatCount(long long nNumber) {
    // The magnitude as unsigned, so the smallest number has one too.
    const unsigned long long nMagnitude = nNumber < 0
                                              ? 0ULL - static_cast<unsigned long long>(nNumber)
                                              : static_cast<unsigned long long>(nNumber);
    return (nNumber < 0 ? "-" : "") + Grouped(std::to_string(nMagnitude), GroupMark());
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
