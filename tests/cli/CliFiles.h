// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/store/PasswordInfo.h"
#include "support/SampleRecords.h"

#include <cstdint>
#include <string>
#include <vector>

// Writes a password file with the program's own writer: the records in the
// given order, under the check value of strKey (no KEY when bKey is false).
void WriteCoreFile(const std::string& strPath, const std::string& strKey,
                   const std::vector<CPasswordInfo>& records, bool bKey = true);

// Builds a password file byte by byte, the way another writer of the format
// would, including forms this program never writes (UTF-16 texts, 32-bit
// lengths where 8 bits would do).
class CFileAssembler {
public:
    // Header with the check value of strKey; records are enciphered with the
    // field key that value gives.
    explicit CFileAssembler(const std::string& strKey, std::int32_t nGenerate = 39,
                            const std::string& strLength = "6", const std::string& strBegin = "5",
                            const std::string& strEnd = "8");

    enum class ETextForm { shortest, wide, long32 };

    // The record count; nCount >= 0xFFFF needs the 32-bit form.
    void Count(std::uint32_t nCount, bool bForce32 = false);
    // One record: the object tag (the class name for the first), the six
    // account texts, the group mark and the group name, all in eForm.
    void Record(const CPasswordInfo& info, ETextForm eForm = ETextForm::shortest);

    const std::string& Bytes() const { return m_strBytes; }

private:
    void UInt16(std::uint16_t nValue);
    void UInt32(std::uint32_t nValue);
    void Length(std::size_t nLength);
    void Text(const std::string& strPlain, ETextForm eForm);

    std::string m_strBytes;
    std::string m_strX;
    bool m_bFirst = true;
};
