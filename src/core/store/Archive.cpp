// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/store/Archive.h"

#include "core/store/CodePage.h"

#include <vector>

namespace {
constexpr std::uint16_t WIDE_TEXT_MARK = 0xFFFE;
}

CArchive::CArchive(std::string strFileName)
    : m_bStoring(true), m_strFileName(std::move(strFileName)) {}

CArchive::CArchive(std::string_view bytes, const CCodePage& codePage, std::string strFileName)
    : m_bStoring(false), m_bytes(bytes), m_pCodePage(&codePage),
      m_strFileName(std::move(strFileName)) {}

void CArchive::WriteUInt16(std::uint16_t nValue) {
    m_strBuffer += static_cast<char>(nValue & 0xFF);
    m_strBuffer += static_cast<char>(nValue >> 8);
}

void CArchive::WriteUInt32(std::uint32_t nValue) {
    for (int i = 0; i < 4; ++i)
        m_strBuffer += static_cast<char>((nValue >> (8 * i)) & 0xFF);
}

void CArchive::WriteBytes(std::string_view bytes) {
    m_strBuffer.append(bytes);
}

void CArchive::WriteText(std::string_view strText) {
    const std::size_t n = strText.size();
    if (n < 0xFF) {
        m_strBuffer += static_cast<char>(n);
    } else if (n < 0xFFFE) {
        m_strBuffer += '\xFF';
        WriteUInt16(static_cast<std::uint16_t>(n));
    } else {
        m_strBuffer += '\xFF';
        WriteUInt16(0xFFFF);
        WriteUInt32(static_cast<std::uint32_t>(n));
    }
    WriteBytes(strText);
}

bool CArchive::Fail() {
    m_bFailed = true;
    return false;
}

bool CArchive::ReadByte(std::uint8_t& nValue) {
    if (m_bFailed || Remaining() < 1)
        return Fail();
    nValue = static_cast<std::uint8_t>(m_bytes[m_nPos++]);
    return true;
}

bool CArchive::ReadUInt16(std::uint16_t& nValue) {
    if (m_bFailed || Remaining() < 2)
        return Fail();
    const auto* p = reinterpret_cast<const unsigned char*>(m_bytes.data() + m_nPos);
    nValue = static_cast<std::uint16_t>(p[0] | (p[1] << 8));
    m_nPos += 2;
    return true;
}

bool CArchive::ReadUInt32(std::uint32_t& nValue) {
    if (m_bFailed || Remaining() < 4)
        return Fail();
    const auto* p = reinterpret_cast<const unsigned char*>(m_bytes.data() + m_nPos);
    nValue = static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
             static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
    m_nPos += 4;
    return true;
}

bool CArchive::ReadInt32(std::int32_t& nValue) {
    std::uint32_t nRaw = 0;
    if (!ReadUInt32(nRaw))
        return false;
    nValue = static_cast<std::int32_t>(nRaw);
    return true;
}

bool CArchive::ReadBytes(std::size_t nCount, std::string& strOut) {
    if (m_bFailed || Remaining() < nCount)
        return Fail();
    strOut.assign(m_bytes.data() + m_nPos, nCount);
    m_nPos += nCount;
    return true;
}

bool CArchive::ReadLength(std::uint64_t& nLength, bool& bWide, bool bAllowWide) {
    std::uint8_t nByte = 0;
    if (!ReadByte(nByte))
        return false;
    if (nByte < 0xFF) {
        nLength = nByte;
        return true;
    }
    std::uint16_t nWord = 0;
    if (!ReadUInt16(nWord))
        return false;
    if (nWord == WIDE_TEXT_MARK && bAllowWide) {
        bWide = true;
        bool bIgnored = false;
        return ReadLength(nLength, bIgnored, false);
    }
    if (nWord < 0xFFFF) {
        nLength = nWord;
        return true;
    }
    std::uint32_t nDword = 0;
    if (!ReadUInt32(nDword))
        return false;
    nLength = nDword;
    return true;
}

bool CArchive::ReadText(std::string& strText) {
    std::string_view text;
    if (!ReadTextView(text, strText))
        return false;
    if (text.data() != strText.data())
        strText.assign(text);
    return true;
}

bool CArchive::ReadTextView(std::string_view& text, std::string& strConverted) {
    std::uint64_t nLength = 0;
    bool bWide = false;
    if (!ReadLength(nLength, bWide, true))
        return false;
    if (!bWide) {
        if (nLength > Remaining())
            return Fail();
        text = m_bytes.substr(m_nPos, static_cast<std::size_t>(nLength));
        m_nPos += static_cast<std::size_t>(nLength);
        return true;
    }
    if (!ReadWideText(nLength, strConverted))
        return false;
    text = strConverted;
    return true;
}

bool CArchive::ReadWideText(std::uint64_t nLength, std::string& strText) {
    if (nLength > Remaining() / 2)
        return Fail();
    std::vector<std::uint16_t> units(static_cast<std::size_t>(nLength));
    for (std::uint16_t& nUnit : units)
        ReadUInt16(nUnit);
    // A 16-bit text the code page cannot hold is not a file this program can
    // keep byte for byte; it is refused rather than silently altered.
    if (!m_pCodePage->FromUtf16(units.data(), units.size(), strText))
        return Fail();
    return true;
}
