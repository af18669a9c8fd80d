// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliFiles.h"
#include "support/SampleDocument.h"

#include "core/store/CodePage.h"
#include "core/store/CofferDoc.h"
#include "core/store/FieldCipher.h"

#include <gtest/gtest.h>

void WriteCoreFile(const std::string& strPath, const std::string& strKey,
                   const std::vector<CPasswordInfo>& records, bool bKey) {
    CCofferDoc doc;
    MakeKeyedDoc(doc, bKey ? strKey : std::string(), records);
    ASSERT_EQ(doc.WriteArchiveFile(strPath), EFileError::none);
}

CFileAssembler::CFileAssembler(const std::string& strKey, std::int32_t nGenerate,
                               const std::string& strLength, const std::string& strBegin,
                               const std::string& strEnd) {
    const std::string strCheck = MakeKeyCheckValue(strKey);
    m_strX = MakeFieldKey(strCheck);
    Text(strCheck, ETextForm::shortest);
    UInt32(static_cast<std::uint32_t>(nGenerate));
    Text(strLength, ETextForm::shortest);
    Text(strBegin, ETextForm::shortest);
    Text(strEnd, ETextForm::shortest);
}

void CFileAssembler::UInt16(std::uint16_t nValue) {
    m_strBytes += static_cast<char>(nValue & 0xFF);
    m_strBytes += static_cast<char>(nValue >> 8);
}

void CFileAssembler::UInt32(std::uint32_t nValue) {
    UInt16(static_cast<std::uint16_t>(nValue & 0xFFFF));
    UInt16(static_cast<std::uint16_t>(nValue >> 16));
}

void CFileAssembler::Count(std::uint32_t nCount, bool bForce32) {
    if (nCount < 0xFFFF && !bForce32) {
        UInt16(static_cast<std::uint16_t>(nCount));
        return;
    }
    UInt16(0xFFFF);
    UInt32(nCount);
}

void CFileAssembler::Length(std::size_t nLength) {
    if (nLength < 0xFF) {
        m_strBytes += static_cast<char>(nLength);
    } else if (nLength < 0xFFFE) {
        m_strBytes += '\xFF';
        UInt16(static_cast<std::uint16_t>(nLength));
    } else {
        m_strBytes += '\xFF';
        UInt16(0xFFFF);
        UInt32(static_cast<std::uint32_t>(nLength));
    }
}

void CFileAssembler::Text(const std::string& strBytes, ETextForm eForm) {
    switch (eForm) {
    case ETextForm::shortest:
        Length(strBytes.size());
        m_strBytes += strBytes;
        return;
    case ETextForm::long32:
        m_strBytes += '\xFF';
        UInt16(0xFFFF);
        UInt32(static_cast<std::uint32_t>(strBytes.size()));
        m_strBytes += strBytes;
        return;
    case ETextForm::wide:
        // The 16-bit mark, then a character count, then UTF-16LE.
        m_strBytes += '\xFF';
        UInt16(0xFFFE);
        Length(strBytes.size());
        for (const char c : strBytes)
            UInt16(static_cast<std::uint16_t>(
                CCodePage::Default().ToUnicode(static_cast<unsigned char>(c))));
        return;
    }
}

void CFileAssembler::Record(const CPasswordInfo& info, ETextForm eForm) {
    if (m_bFirst) {
        UInt16(0xFFFF);
        UInt16(0);
        UInt16(13);
        m_strBytes += "CPasswordInfo";
        m_bFirst = false;
    } else {
        UInt16(0x8001);
    }
    for (const std::string& strText : {info.Account(), info.UserName(), info.Password(),
                                       info.WebSite(), info.EMail(), info.Comments()})
        Text(CCofferDoc::XorField(strText, m_strX), eForm);
    UInt32(static_cast<std::uint32_t>(info.m_bGroup));
    Text(CCofferDoc::XorField(info.Group(), m_strX), eForm);
}
