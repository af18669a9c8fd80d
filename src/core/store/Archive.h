// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class CCodePage;

// The byte archive of password files: little-endian integers and texts with
// the 1-, 3- or 7-byte length prefix. A loading archive checks every length
// against the bytes that remain before it allocates anything, and once a read
// fails every later read fails too.
class CArchive {
public:
    // A storing archive that appends to its own buffer.
    explicit CArchive(std::string strFileName = {});
    // A loading archive over bytes that must outlive it. UTF-16 texts are
    // converted to codePage.
    CArchive(std::string_view bytes, const CCodePage& codePage, std::string strFileName = {});

    bool IsStoring() const { return m_bStoring; }
    bool IsLoading() const { return !m_bStoring; }
    // Final path component of the file behind the archive, if any.
    const std::string& GetFileName() const { return m_strFileName; }

    void WriteUInt16(std::uint16_t nValue);
    void WriteUInt32(std::uint32_t nValue);
    void WriteInt32(std::int32_t nValue) { WriteUInt32(static_cast<std::uint32_t>(nValue)); }
    void WriteBytes(std::string_view bytes);
    void WriteText(std::string_view strText);
    // Room for nBytes in the storing buffer, when the caller knows the size.
    void Reserve(std::size_t nBytes) { m_strBuffer.reserve(nBytes); }

    bool ReadUInt16(std::uint16_t& nValue);
    bool ReadUInt32(std::uint32_t& nValue);
    bool ReadInt32(std::int32_t& nValue);
    bool ReadBytes(std::size_t nCount, std::string& strOut);
    bool ReadText(std::string& strText);
    // A text without a copy: a view into the archive's bytes, or, for a
    // 16-bit text, into strConverted, which receives it in the code page.
    bool ReadTextView(std::string_view& text, std::string& strConverted);

    const std::string& Buffer() const { return m_strBuffer; }
    std::string TakeBuffer() { return std::move(m_strBuffer); }
    std::size_t Remaining() const { return m_bytes.size() - m_nPos; }
    bool Failed() const { return m_bFailed; }

private:
    bool ReadByte(std::uint8_t& nValue);
    // Reads a length prefix; bWide is set when the 16-bit text mark precedes it.
    bool ReadLength(std::uint64_t& nLength, bool& bWide, bool bAllowWide);
    bool Fail();
    // The nLength UTF-16 units after the wide mark, in the code page.
    bool ReadWideText(std::uint64_t nLength, std::string& strText);

    bool m_bStoring;
    std::string m_strBuffer;
    std::string_view m_bytes;
    std::size_t m_nPos = 0;
    bool m_bFailed = false;
    const CCodePage* m_pCodePage = nullptr;
    std::string m_strFileName;
};
