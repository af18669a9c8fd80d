// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/store/FieldCipher.h"

#include <cstdio>

namespace {

// Decimal text to integer the way the C library's atol reads it, but with
// 32-bit wrapping instead of undefined overflow: stored files depend on it.
std::uint32_t DecimalToWord(const char* p, const char* pEnd) {
    while (p < pEnd && (*p == ' ' || (*p >= '\t' && *p <= '\r')))
        ++p;
    bool bNegative = false;
    if (p < pEnd && (*p == '+' || *p == '-')) {
        bNegative = *p == '-';
        ++p;
    }
    std::uint32_t nTotal = 0;
    for (; p < pEnd && *p >= '0' && *p <= '9'; ++p)
        nTotal = nTotal * 10u + static_cast<std::uint32_t>(*p - '0');
    return bNegative ? 0u - nTotal : nTotal;
}

std::string AbsoluteDecimal(std::uint32_t nWord) {
    auto nSigned = static_cast<std::int32_t>(nWord);
    char szBuffer[16];
    if (nSigned == INT32_MIN)
        return "-2147483648";
    std::snprintf(szBuffer, sizeof szBuffer, "%ld",
                  static_cast<long>(nSigned < 0 ? -nSigned : nSigned));
    return szBuffer;
}

} // namespace

CFieldCipher::CFieldCipher() {
    SetKeyString("0");
}

CFieldCipher::~CFieldCipher() = default;

void CFieldCipher::SetKeyString(const std::string& strKey) {
    m_strKeyString = strKey;
    std::string strPadded = strKey;
    if (strPadded.size() <= 16)
        strPadded.resize(17, ' ');
    for (std::size_t i = 0; i < 4; ++i) {
        const char* p = strPadded.data() + 4 * i;
        m_k[i] = DecimalToWord(p, p + 4);
    }
}

std::uint32_t CFieldCipher::TextToWord(const char* pText, std::size_t nLength) {
    // At most four numbers of at most four characters each.
    char szDigits[4 * 4 + 1];
    std::size_t nUsed = 0;
    for (std::size_t i = 0; i < nLength && i < 4; ++i) {
        // Bytes above 0x7F count as negative numbers: stored files depend on it.
        // NOLINTNEXTLINE(bugprone-signed-char-misuse)
        int nByte = static_cast<signed char>(pText[i]);
        nUsed += static_cast<std::size_t>(
            std::snprintf(szDigits + nUsed, sizeof szDigits - nUsed, "%d", nByte));
    }
    return DecimalToWord(szDigits, szDigits + nUsed);
}

std::string CFieldCipher::EncipherBlock(const std::string& strBlock) {
    char szBlock[8];
    for (std::size_t i = 0; i < 8; ++i)
        szBlock[i] = i < strBlock.size() ? strBlock[i] : ' ';

    std::uint32_t y = TextToWord(szBlock, 4);
    std::uint32_t z = TextToWord(szBlock + 4, 4);
    std::uint32_t nSum = 0;
    for (int nRound = 0; nRound < 32; ++nRound) {
        nSum += 0x9E3779B9u;
        // Not TEA: the old word is added inside the first term of the XOR chain.
        y = ((z << 4) + m_k[0] + y) ^ (z + nSum) ^ ((z >> 5) + m_k[1]);
        z = ((y << 4) + m_k[2] + z) ^ (y + nSum) ^ ((y >> 5) + m_k[3]);
    }
    m_strLeft = AbsoluteDecimal(y);
    m_strRight = AbsoluteDecimal(z);
    return m_strLeft + m_strRight;
}

std::string CFieldCipher::EncipherString(const std::string& strText) {
    std::string strResult;
    const std::size_t nBlocks = strText.size() / 8;
    for (std::size_t i = 0; i < nBlocks; ++i)
        strResult += EncipherBlock(strText.substr(8 * i, 8));
    strResult += EncipherBlock(strText.substr(8 * nBlocks));
    return strResult;
}

std::string MakeKeyCheckValue(const std::string& strKey) {
    CFieldCipher cipher;
    cipher.SetKeyString(KEY_CHECK_KEY_STRING);
    return cipher.EncipherString(strKey);
}

std::string MakeFieldKey(const std::string& strKeyCheckValue) {
    CFieldCipher cipher;
    cipher.SetKeyString(FIELD_KEY_STRING);
    return cipher.EncipherBlock(strKeyCheckValue.substr(0, 8));
}
