// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/unicode/UnicodeCollator.h"

#include <unicode/ucol.h>
#include <unicode/ustring.h>

#include <cstdint>
#include <stdexcept>
#include <vector>

namespace {

// ICU counts in int32_t.
int32_t Length(std::string_view strText) {
    if (strText.size() > INT32_MAX)
        throw std::length_error("text too long to collate");
    return static_cast<int32_t>(strText.size());
}

void ThrowOnFailure(UErrorCode status, const char* pszWhat) {
    if (U_FAILURE(status))
        throw std::runtime_error(std::string(pszWhat) + ": " + u_errorName(status));
}

// UTF-16 for ICU, with U+FFFD for every invalid sequence.
std::u16string ToUtf16(std::string_view strText) {
    std::u16string strOut(strText.size(), u'\0'); // never more units than bytes
    int32_t nLength = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8WithSub(strOut.data(), Length(strText), &nLength, strText.data(), Length(strText),
                         0xFFFD, nullptr, &status);
    ThrowOnFailure(status, "UTF-8 conversion failed");
    strOut.resize(static_cast<std::size_t>(nLength));
    return strOut;
}

} // namespace

void CUnicodeCollator::SClose::operator()(UCollator* pCollator) const {
    ucol_close(pCollator);
}

CUnicodeCollator::CUnicodeCollator(const std::string& strLocale) {
    UErrorCode status = U_ZERO_ERROR;
    m_pCollator.reset(ucol_open(strLocale.c_str(), &status));
    ThrowOnFailure(status, "no collation data");
    // Secondary strength: letters, then accents; case never. Normalisation
    // makes a decomposed é sort as the composed one.
    ucol_setStrength(m_pCollator.get(), UCOL_SECONDARY);
    ucol_setAttribute(m_pCollator.get(), UCOL_NORMALIZATION_MODE, UCOL_ON, &status);
    ThrowOnFailure(status, "collation set-up failed");
}

CUnicodeCollator::~CUnicodeCollator() = default;
CUnicodeCollator::CUnicodeCollator(CUnicodeCollator&&) noexcept = default;
CUnicodeCollator& CUnicodeCollator::operator=(CUnicodeCollator&&) noexcept = default;

int CUnicodeCollator::Compare(std::string_view a, std::string_view b) const {
    UErrorCode status = U_ZERO_ERROR;
    const UCollationResult result =
        ucol_strcollUTF8(m_pCollator.get(), a.data(), Length(a), b.data(), Length(b), &status);
    ThrowOnFailure(status, "collation failed");
    return static_cast<int>(result);
}

std::string CUnicodeCollator::SortKey(std::string_view strText) const {
    const std::u16string strUtf16 = ToUtf16(strText);
    const auto* pText = reinterpret_cast<const UChar*>(strUtf16.data());
    const auto nText = static_cast<int32_t>(strUtf16.size());
    std::vector<uint8_t> abKey(64 + strUtf16.size() * 4);
    int32_t nKey = ucol_getSortKey(m_pCollator.get(), pText, nText, abKey.data(),
                                   static_cast<int32_t>(abKey.size()));
    if (nKey > static_cast<int32_t>(abKey.size())) {
        abKey.resize(static_cast<std::size_t>(nKey));
        nKey = ucol_getSortKey(m_pCollator.get(), pText, nText, abKey.data(), nKey);
    }
    if (nKey <= 0)
        throw std::runtime_error("collation failed");
    // The key ends in a 0 byte that std::string needs not.
    return std::string(abKey.begin(), abKey.begin() + (nKey - 1));
}
