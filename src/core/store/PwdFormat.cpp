// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/store/PwdFormat.h"

#include "core/seal/SecretBuffer.h"
#include "core/store/Archive.h"
#include "core/store/FieldCipher.h"

namespace {

// The archive stores the class name once, with the first object; later
// objects refer back to it.
constexpr std::uint16_t TAG_NEW_CLASS = 0xFFFF;
constexpr std::uint16_t TAG_FIRST_CLASS = 0x8001;
constexpr std::uint16_t CLASS_SCHEMA = 0;
// A count from here on is followed by its 32-bit value.
constexpr std::uint16_t WIDE_COUNT = 0xFFFF;

void XorInPlace(char* p, std::size_t nLength, const std::string& strX) {
    const std::size_t nKey = strX.size();
    if (nKey == 0)
        return;
    const char* pKey = strX.data();
    // Whole key-length runs, so the inner loop has no wrap test and vectorises.
    for (std::size_t nLeft = nLength; nLeft > 0;) {
        const std::size_t nRun = nLeft < nKey ? nLeft : nKey;
        for (std::size_t j = 0; j < nRun; ++j)
            p[j] = static_cast<char>(p[j] ^ pKey[j]);
        p += nRun;
        nLeft -= nRun;
    }
}

bool ReadObjectTag(CArchive& ar, bool bFirst) {
    std::uint16_t nTag = 0;
    if (!ar.ReadUInt16(nTag))
        return false;
    if (!bFirst)
        return nTag == TAG_FIRST_CLASS;
    std::uint16_t nSchema = 0;
    std::uint16_t nNameLength = 0;
    std::string strName;
    return nTag == TAG_NEW_CLASS && ar.ReadUInt16(nSchema) && nSchema == CLASS_SCHEMA &&
           ar.ReadUInt16(nNameLength) && ar.ReadBytes(nNameLength, strName) &&
           strName == PASSWORD_CLASS_NAME;
}

void WriteObjectTag(CArchive& ar, bool bFirst) {
    if (!bFirst) {
        ar.WriteUInt16(TAG_FIRST_CLASS);
        return;
    }
    const std::string strName = PASSWORD_CLASS_NAME;
    ar.WriteUInt16(TAG_NEW_CLASS);
    ar.WriteUInt16(CLASS_SCHEMA);
    ar.WriteUInt16(static_cast<std::uint16_t>(strName.size()));
    ar.WriteBytes(strName);
}

// One record as it stands; bFirst is cleared for the next.
void StoreRecord(CArchive& ar, const CPasswordInfo& info, bool& bFirst) {
    WriteObjectTag(ar, bFirst);
    for (int i = 0; i < CPasswordInfo::TEXT_COUNT; ++i) {
        if (i == CPasswordInfo::group)
            ar.WriteInt32(info.m_bGroup);
        ar.WriteText(info.TextView(static_cast<CPasswordInfo::EText>(i)));
    }
    bFirst = false;
}

// A plain record stored enciphered, each text through one scratch string
// that keeps its capacity: saving allocates almost nothing per record. The
// same bytes as enciphering a copy and storing it.
void StoreEncipheredRecord(CArchive& ar, const CPasswordInfo& info, const std::string& strX,
                           std::string& strScratch, bool& bFirst) {
    WriteObjectTag(ar, bFirst);
    for (int i = 0; i < CPasswordInfo::TEXT_COUNT; ++i) {
        if (i == CPasswordInfo::group)
            ar.WriteInt32(info.m_bGroup);
        strScratch.assign(info.TextView(static_cast<CPasswordInfo::EText>(i)));
        XorInPlace(strScratch.data(), strScratch.size(), strX);
        ar.WriteText(strScratch);
    }
    bFirst = false;
}

void StoreHeader(CArchive& ar, const SPwdHeader& header, std::size_t nCount) {
    ar.WriteText(header.m_strKeyCheck);
    ar.WriteInt32(header.m_generator.m_nGenerate);
    ar.WriteText(header.m_generator.m_strLength);
    ar.WriteText(header.m_generator.m_strBegin);
    ar.WriteText(header.m_generator.m_strEnd);
    if (nCount < WIDE_COUNT) {
        ar.WriteUInt16(static_cast<std::uint16_t>(nCount));
    } else {
        ar.WriteUInt16(WIDE_COUNT);
        ar.WriteUInt32(static_cast<std::uint32_t>(nCount));
    }
}

std::size_t StoredTextSize(std::string_view strText) {
    const std::size_t n = strText.size();
    return n + (n < 0xFF ? 1 : n < 0xFFFE ? 3 : 7);
}

std::size_t StoredRecordSize(const CPasswordInfo& info) {
    std::size_t nSize = 2 + 4; // the object tag and the group mark
    for (int i = 0; i < CPasswordInfo::TEXT_COUNT; ++i)
        nSize += StoredTextSize(info.TextView(static_cast<CPasswordInfo::EText>(i)));
    return nSize;
}

} // namespace

bool CPwdFormat::Read(CArchive& ar, SPwdHeader& header, CInfoList& archived) {
    if (!ar.ReadText(header.m_strKeyCheck) || !ar.ReadInt32(header.m_generator.m_nGenerate) ||
        !ar.ReadText(header.m_generator.m_strLength) ||
        !ar.ReadText(header.m_generator.m_strBegin) || !ar.ReadText(header.m_generator.m_strEnd))
        return false;
    std::uint16_t nShortCount = 0;
    if (!ar.ReadUInt16(nShortCount))
        return false;
    std::uint32_t nCount = nShortCount;
    if (nShortCount == WIDE_COUNT && !ar.ReadUInt32(nCount))
        return false;
    // Records are read one by one, never reserved from the count, so a
    // count that the bytes cannot hold fails when they run out.
    for (std::uint32_t i = 0; i < nCount; ++i) {
        if (!ReadObjectTag(ar, i == 0))
            return false;
        if (!archived.emplace_back().Serialize(ar))
            return false;
    }
    return true;
}

void CPwdFormat::Write(CArchive& ar, const SPwdHeader& header, const CInfoList& archived,
                       const CInfoList& plain) {
    StoreHeader(ar, header, archived.size() + plain.size());
    bool bFirst = true;
    for (const CPasswordInfo& info : archived)
        StoreRecord(ar, info, bFirst);
    if (plain.empty())
        return;
    std::string strX = MakeFieldKey(header.m_strKeyCheck);
    std::string strScratch;
    for (const CPasswordInfo& info : plain)
        StoreEncipheredRecord(ar, info, strX, strScratch, bFirst);
    CSecretBuffer::Wipe(strX);
    CSecretBuffer::Wipe(strScratch);
}

std::size_t CPwdFormat::StoredSize(const SPwdHeader& header, const CInfoList& archived,
                                   const CInfoList& plain) {
    const std::size_t nCount = archived.size() + plain.size();
    std::size_t nSize =
        StoredTextSize(header.m_strKeyCheck) + 4 + StoredTextSize(header.m_generator.m_strLength) +
        StoredTextSize(header.m_generator.m_strBegin) +
        StoredTextSize(header.m_generator.m_strEnd) + (nCount >= WIDE_COUNT ? 6 : 2);
    // The first record's tag names the class: its schema, name length and name.
    if (nCount > 0)
        nSize += 4 + std::char_traits<char>::length(PASSWORD_CLASS_NAME);
    for (const CInfoList* pList : {&archived, &plain}) {
        for (const CPasswordInfo& info : *pList)
            nSize += StoredRecordSize(info);
    }
    return nSize;
}

void CPwdFormat::XorRecord(CPasswordInfo& info, const std::string& strFieldKey) {
    info.ForEachText([&strFieldKey](char* pText, std::size_t nLength) {
        XorInPlace(pText, nLength, strFieldKey);
    });
}

std::string CPwdFormat::XorText(const std::string& strText, const std::string& strFieldKey) {
    std::string strOut = strText;
    XorInPlace(strOut.data(), strOut.size(), strFieldKey);
    return strOut;
}
