// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/store/CodePage.h"

#include "core/base/TextUtil.h"
#include "core/store/CodePageTables.h"

#include <algorithm>
#include <cctype>

namespace {

// Reads the UTF-8 sequence at p by Unicode's table of well-formed byte
// sequences and returns the bytes it takes: a whole character (bValid), or
// else the longest start of one that is there, at least one byte (the
// "maximal subpart" that one U+FFFD replaces).
std::size_t ScanUtf8(std::string_view s, std::size_t p, char32_t& nChar, bool& bValid) {
    const auto b0 = static_cast<unsigned char>(s[p]);
    bValid = false;
    if (b0 < 0x80) {
        nChar = b0;
        bValid = true;
        return 1;
    }
    std::size_t nLength = 0;
    unsigned char nLow = 0x80;  // the second byte's range: no overlong form,
    unsigned char nHigh = 0xBF; // no surrogate, nothing beyond U+10FFFF
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        nLength = 2;
        nChar = b0 & 0x1Fu;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        nLength = 3;
        nChar = b0 & 0x0Fu;
        nLow = b0 == 0xE0 ? 0xA0 : 0x80;
        nHigh = b0 == 0xED ? 0x9F : 0xBF;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        nLength = 4;
        nChar = b0 & 0x07u;
        nLow = b0 == 0xF0 ? 0x90 : 0x80;
        nHigh = b0 == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 1;
    }
    for (std::size_t i = 1; i < nLength; ++i) {
        if (p + i >= s.size())
            return i;
        const auto b = static_cast<unsigned char>(s[p + i]);
        if (b < nLow || b > nHigh)
            return i;
        nChar = (nChar << 6) | (b & 0x3Fu);
        nLow = 0x80;
        nHigh = 0xBF;
    }
    bValid = true;
    return nLength;
}

// Decodes one UTF-8 sequence at p; returns its length, or 0 when malformed.
std::size_t DecodeUtf8(std::string_view s, std::size_t p, char32_t& nChar) {
    bool bValid = false;
    const std::size_t nLength = ScanUtf8(s, p, nChar, bValid);
    return bValid ? nLength : 0;
}

} // namespace

void AppendUtf8(char32_t nChar, std::string& strOut) {
    if (nChar < 0x80) {
        strOut += static_cast<char>(nChar);
    } else if (nChar < 0x800) {
        strOut += static_cast<char>(0xC0 | (nChar >> 6));
        strOut += static_cast<char>(0x80 | (nChar & 0x3F));
    } else if (nChar < 0x10000) {
        strOut += static_cast<char>(0xE0 | (nChar >> 12));
        strOut += static_cast<char>(0x80 | ((nChar >> 6) & 0x3F));
        strOut += static_cast<char>(0x80 | (nChar & 0x3F));
    } else {
        strOut += static_cast<char>(0xF0 | (nChar >> 18));
        strOut += static_cast<char>(0x80 | ((nChar >> 12) & 0x3F));
        strOut += static_cast<char>(0x80 | ((nChar >> 6) & 0x3F));
        strOut += static_cast<char>(0x80 | (nChar & 0x3F));
    }
}

CCodePage::CCodePage(std::string strName, const std::uint16_t* pUpper, const std::uint8_t* pLower)
    : m_strName(std::move(strName)), m_pUpper(pUpper), m_pLower(pLower) {}

const CCodePage& CCodePage::Default() {
    return *ByName("windows-1252");
}

const CCodePage& CCodePage::Utf8() {
    static const CCodePage page("utf-8", nullptr, nullptr);
    return page;
}

const CCodePage* CCodePage::ByName(std::string_view strName) {
    using namespace codepage_tables;
    static const CCodePage pages[] = {
        {"windows-1252", kWINDOWS1252, kWINDOWS1252Lower},
        {"windows-1250", kWINDOWS1250, kWINDOWS1250Lower},
        {"windows-1251", kWINDOWS1251, kWINDOWS1251Lower},
        {"iso-8859-15", kISO885915, kISO885915Lower},
    };
    for (const CCodePage& page : pages) {
        if (EqualsNoCaseAscii(page.m_strName, strName))
            return &page;
    }
    return nullptr;
}

std::vector<std::string> CCodePage::Names() {
    return {"windows-1252", "windows-1250", "windows-1251", "iso-8859-15"};
}

char32_t CCodePage::ToUnicode(unsigned char nByte) const {
    if (nByte < 0x80)
        return nByte;
    return IsUtf8() ? U'\uFFFD' : m_pUpper[nByte - 0x80];
}

bool CCodePage::FromUnicode(char32_t nChar, unsigned char& nByte) const {
    if (nChar < 0x80) {
        nByte = static_cast<unsigned char>(nChar);
        return true;
    }
    if (IsUtf8())
        return false;
    for (unsigned i = 0; i < 128; ++i) {
        if (m_pUpper[i] == nChar) {
            nByte = static_cast<unsigned char>(0x80 + i);
            return true;
        }
    }
    return false;
}

unsigned char CCodePage::ToLower(unsigned char nByte) const {
    if (nByte < 0x80)
        return static_cast<unsigned char>(AsciiLower(static_cast<char>(nByte)));
    return IsUtf8() ? nByte : m_pLower[nByte - 0x80];
}

std::string CCodePage::ToUtf8(std::string_view strBytes) const {
    std::string strOut;
    strOut.reserve(strBytes.size());
    if (IsUtf8()) {
        for (std::size_t p = 0; p < strBytes.size();) {
            char32_t nChar = 0;
            bool bValid = false;
            const std::size_t nLength = ScanUtf8(strBytes, p, nChar, bValid);
            if (bValid)
                strOut.append(strBytes.substr(p, nLength));
            else
                AppendUtf8(0xFFFD, strOut);
            p += nLength;
        }
        return strOut;
    }
    for (char c : strBytes)
        AppendUtf8(ToUnicode(static_cast<unsigned char>(c)), strOut);
    return strOut;
}

bool CCodePage::Append(char32_t nChar, std::string& strOut, char32_t* pBadChar) const {
    if (IsUtf8()) { // every character has its bytes
        AppendUtf8(nChar, strOut);
        return true;
    }
    unsigned char nByte = 0;
    if (!FromUnicode(nChar, nByte)) {
        if (pBadChar)
            *pBadChar = nChar;
        return false;
    }
    strOut += static_cast<char>(nByte);
    return true;
}

bool CCodePage::FromUtf8(std::string_view strUtf8, std::string& strOut, char32_t* pBadChar) const {
    strOut.clear();
    for (std::size_t p = 0; p < strUtf8.size();) {
        char32_t nChar = 0;
        const std::size_t nLength = DecodeUtf8(strUtf8, p, nChar);
        if (nLength == 0) {
            if (pBadChar)
                *pBadChar = 0xFFFD;
            return false;
        }
        if (!Append(nChar, strOut, pBadChar))
            return false;
        p += nLength;
    }
    return true;
}

bool CCodePage::FromUtf16(const std::uint16_t* pUnits, std::size_t nUnits, std::string& strOut,
                          char32_t* pBadChar) const {
    strOut.clear();
    strOut.reserve(nUnits);
    for (std::size_t i = 0; i < nUnits; ++i) {
        char32_t nChar = pUnits[i];
        if (nChar >= 0xD800 && nChar <= 0xDBFF && i + 1 < nUnits && pUnits[i + 1] >= 0xDC00 &&
            pUnits[i + 1] <= 0xDFFF) {
            nChar = 0x10000 + ((nChar - 0xD800) << 10) + (pUnits[i + 1] - 0xDC00u);
            ++i;
        } else if (nChar >= 0xD800 && nChar <= 0xDFFF) {
            // Half a pair is malformed, as a broken UTF-8 sequence is.
            if (pBadChar)
                *pBadChar = 0xFFFD;
            return false;
        }
        if (!Append(nChar, strOut, pBadChar))
            return false;
    }
    return true;
}
