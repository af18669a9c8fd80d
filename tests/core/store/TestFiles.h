// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Helpers shared by the store tests: files assembled byte by byte, as another
// writer of the format would make them.

#include "core/store/PasswordInfo.h"
#include "support/FileBytes.h"
#include "support/TempFolder.h"

#include <cstdint>
#include <string>
#include <sys/resource.h>
#include <vector>

// An account with every text filled from its name.
CPasswordInfo Account(const std::string& strAccount, const std::string& strPassword = "pw");

// Little-endian pieces of the file format.
class CByteBuilder {
public:
    CByteBuilder& U8(std::uint8_t n);
    CByteBuilder& U16(std::uint16_t n);
    CByteBuilder& U32(std::uint32_t n);
    CByteBuilder& Raw(const std::string& strBytes);
    // A text with the shortest length prefix.
    CByteBuilder& Text(const std::string& strText);
    // A text in the 16-bit form: 0xFF, 0xFFFE, a length prefix counting
    // characters, then UTF-16LE units.
    CByteBuilder& WideText(const std::u16string& strText);
    CByteBuilder& FirstTag();
    CByteBuilder& LaterTag() { return U16(0x8001); }
    // A record body whose texts are stored as given (already enciphered).
    CByteBuilder& Body(const std::string& strAccount, std::int32_t nGroup,
                       const std::string& strGroup);
    const std::string& Bytes() const { return m_strBytes; }

private:
    std::string m_strBytes;
};

// Limits the size of any file this process writes, so the next write fails
// as on a full disk (for the superuser too), and lifts it again.
class CFileSizeLimit {
public:
    explicit CFileSizeLimit(rlim_t nBytes);
    ~CFileSizeLimit();
    CFileSizeLimit(const CFileSizeLimit&) = delete;
    CFileSizeLimit& operator=(const CFileSizeLimit&) = delete;

private:
    rlimit m_old{};
    void (*m_pOldHandler)(int);
};

// The names in a folder, sorted, without "." and "..".
std::vector<std::string> FolderEntries(const std::string& strFolder);
