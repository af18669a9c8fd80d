// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestFiles.h"

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

CPasswordInfo Account(const std::string& strAccount, const std::string& strPassword) {
    CPasswordInfo info;
    info.SetAccount(strAccount);
    info.SetUserName("user of " + strAccount);
    info.SetPassword(strPassword);
    info.SetWebSite("https://example.org/" + strAccount);
    info.SetEMail(strAccount + "@example.org");
    info.SetComments("line one\r\nline two");
    return info;
}

CByteBuilder& CByteBuilder::U8(std::uint8_t n) {
    m_strBytes += static_cast<char>(n);
    return *this;
}

CByteBuilder& CByteBuilder::U16(std::uint16_t n) {
    return U8(static_cast<std::uint8_t>(n & 0xFF)).U8(static_cast<std::uint8_t>(n >> 8));
}

CByteBuilder& CByteBuilder::U32(std::uint32_t n) {
    return U16(static_cast<std::uint16_t>(n & 0xFFFF)).U16(static_cast<std::uint16_t>(n >> 16));
}

CByteBuilder& CByteBuilder::Raw(const std::string& strBytes) {
    m_strBytes += strBytes;
    return *this;
}

CByteBuilder& CByteBuilder::Text(const std::string& strText) {
    const std::size_t n = strText.size();
    if (n < 255)
        U8(static_cast<std::uint8_t>(n));
    else if (n < 0xFFFE)
        U8(0xFF).U16(static_cast<std::uint16_t>(n));
    else
        U8(0xFF).U16(0xFFFF).U32(static_cast<std::uint32_t>(n));
    return Raw(strText);
}

CByteBuilder& CByteBuilder::WideText(const std::u16string& strText) {
    U8(0xFF).U16(0xFFFE);
    const std::size_t n = strText.size();
    if (n < 255)
        U8(static_cast<std::uint8_t>(n));
    else
        U8(0xFF).U16(static_cast<std::uint16_t>(n));
    for (char16_t c : strText)
        U16(static_cast<std::uint16_t>(c));
    return *this;
}

CByteBuilder& CByteBuilder::FirstTag() {
    return U16(0xFFFF).U16(0).U16(13).Raw("CPasswordInfo");
}

CByteBuilder& CByteBuilder::Body(const std::string& strAccount, std::int32_t nGroup,
                                 const std::string& strGroup) {
    Text(strAccount);
    for (int i = 0; i < 5; ++i)
        Text("");
    U32(static_cast<std::uint32_t>(nGroup));
    return Text(strGroup);
}

CFileSizeLimit::CFileSizeLimit(rlim_t nBytes) {
    ::getrlimit(RLIMIT_FSIZE, &m_old);
    m_pOldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = m_old;
    limit.rlim_cur = nBytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

CFileSizeLimit::~CFileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &m_old);
    std::signal(SIGXFSZ, m_pOldHandler);
}

std::vector<std::string> FolderEntries(const std::string& strFolder) {
    std::vector<std::string> vecNames;
    if (DIR* pDir = ::opendir(strFolder.c_str())) {
        while (const dirent* pEntry = ::readdir(pDir)) {
            const std::string strName = pEntry->d_name;
            if (strName != "." && strName != "..")
                vecNames.push_back(strName);
        }
        ::closedir(pDir);
    }
    std::sort(vecNames.begin(), vecNames.end());
    return vecNames;
}
