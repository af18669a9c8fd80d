// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestFiles.h"

#include "core/store/CodePage.h"
#include "core/store/CofferDoc.h"
#include "core/store/FieldCipher.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace {

// A password file of fixed bytes under the KEY "known": header 0x2B, "12",
// "4", "9"; the group "Web" with the accounts "Mail" and "Bank", then the
// empty group "Empty". The writer and the reader must both keep to it, so a
// change that alters them alike (a round count, a tag, a shift) shows here.
constexpr std::string_view KNOWN_FILE_HEX[] = {
    // KEY check value, 19 characters.
    "13 37343235313934313532303434363631383131",
    // Generate 0x2B, length "12", begin "4", end "9", four records.
    "2B000000 023132 0134 0139 0400",
    // Group "Web": the class name, six empty texts, group mark 1, the name.
    "FFFF 0000 0D00 4350617373776F7264496E666F 00 00 00 00 00 00 01000000 0366575B",
    // Account "Mail", every text filled, the web site longer than the field
    // key; the last byte of the comments enciphers to 0x00.
    "0180 047C53505B 04505C5756 0541530C02DB 1459464D47410D1D1E5F585A5E1D5D4C5154415E5C"
    " 10505C575672524A505F495F571D574657 0C5D5B5752033A385D5B575600 00000000 00",
    // Account "Bank", its last three texts empty.
    "0180 047353575C 03501C5B 0642015A455743 00 00 00 00000000 00",
    // Group "Empty".
    "0180 00 00 00 00 00 00 01000000 05745F49434B",
};

std::string KnownFileBytes() {
    std::string strBytes;
    for (std::string_view strPart : KNOWN_FILE_HEX) {
        std::string strDigits;
        for (char c : strPart) {
            if (c != ' ')
                strDigits += c;
        }
        for (std::size_t i = 0; i + 1 < strDigits.size(); i += 2)
            strBytes += static_cast<char>(std::stoi(strDigits.substr(i, 2), nullptr, 16));
    }
    return strBytes;
}

struct SExpected {
    std::int32_t nGroup;
    const char* pszGroup;
    std::string strTexts[6];
};

const std::vector<SExpected> KNOWN_RECORDS = {
    {1, "Web", {"", "", "", "", "", ""}},
    {0,
     "",
     {"Mail", "anna", "pa55\xE9", "https://mail.example", "anna@example.org", "line1\r\nline2"}},
    {0, "", {"Bank", "a.b", "s3cret", "", "", ""}},
    {1, "Empty", {"", "", "", "", "", ""}},
};

class KnownFile : public ::testing::Test {
protected:
    void SetUp() override {
        m_strPath = m_folder.File("known.pwd");
        WriteBytes(m_strPath, KnownFileBytes());
    }

    CTempFolder m_folder;
    std::string m_strPath;
};

TEST_F(KnownFile, OpensWithItsKeyAndGivesBackEveryRecord) {
    ASSERT_EQ(KnownFileBytes().size(), 184u);
    CCofferDoc doc;
    ASSERT_EQ(doc.ReadArchiveFile(m_strPath, CCodePage::Default()), EFileError::none);
    EXPECT_EQ(doc.Key().CheckValue(), "7425194152044661811");
    EXPECT_EQ(doc.GeneratorHeader().m_nGenerate, 0x2B);
    EXPECT_EQ(doc.GeneratorHeader().m_strLength, "12");
    EXPECT_EQ(doc.GeneratorHeader().m_strBegin, "4");
    EXPECT_EQ(doc.GeneratorHeader().m_strEnd, "9");
    EXPECT_EQ(doc.FileName(), "known.pwd");
    EXPECT_FALSE(doc.Key().Accepts("Known"));
    EXPECT_FALSE(doc.Key().Accepts(""));
    ASSERT_TRUE(doc.Key().Accepts("known"));
    doc.DecipherList();
    ASSERT_EQ(doc.Records().size(), KNOWN_RECORDS.size());
    EXPECT_TRUE(doc.StagedCounts().Total() == 0);
    auto it = doc.Records().begin();
    for (const SExpected& expected : KNOWN_RECORDS) {
        const CPasswordInfo& info = *it++;
        const std::string texts[] = {info.Account(), info.UserName(), info.Password(),
                                     info.WebSite(), info.EMail(),    info.Comments()};
        EXPECT_EQ(info.m_bGroup, expected.nGroup);
        EXPECT_EQ(info.Group(), expected.pszGroup);
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(texts[i], expected.strTexts[i]) << expected.pszGroup << " text " << i;
    }
    EXPECT_EQ(doc.CountGroups(), 2);
    EXPECT_EQ(doc.CountAccounts(), 2);
}

TEST_F(KnownFile, WriterReproducesTheSameBytes) {
    CCofferDoc doc;
    ASSERT_EQ(doc.ReadArchiveFile(m_strPath, CCodePage::Default()), EFileError::none);
    ASSERT_TRUE(doc.Key().Accepts("known"));
    doc.DecipherList();
    const std::string strCopy = m_folder.File("copy.pwd");
    ASSERT_EQ(doc.WriteArchiveFile(strCopy), EFileError::none);
    EXPECT_EQ(ReadBytes(strCopy), KnownFileBytes());

    // The same records entered afresh under the same KEY give the same file.
    CCofferDoc fresh;
    fresh.OnNewDocument();
    fresh.DeleteGroup(fresh.FindGroup(DEFAULT_GROUP_NAME));
    fresh.SetKey("known");
    fresh.SetGeneratorHeader({0x2B, "12", "4", "9"});
    fresh.AddGroup("Web");
    for (auto it = KNOWN_RECORDS.rbegin(); it != KNOWN_RECORDS.rend(); ++it) {
        if (it->nGroup != 0)
            continue;
        CPasswordInfo texts;
        texts.SetAccount(it->strTexts[0]);
        texts.SetUserName(it->strTexts[1]);
        texts.SetPassword(it->strTexts[2]);
        texts.SetWebSite(it->strTexts[3]);
        texts.SetEMail(it->strTexts[4]);
        texts.SetComments(it->strTexts[5]);
        ASSERT_TRUE(fresh.AddAccount("Web", texts));
    }
    fresh.AddGroup("Empty");
    const std::string strFresh = m_folder.File("fresh.pwd");
    ASSERT_EQ(fresh.WriteArchiveFile(strFresh), EFileError::none);
    EXPECT_EQ(ReadBytes(strFresh), KnownFileBytes());
}

TEST_F(KnownFile, RecordsNotYetDecipheredAreWrittenAsRead) {
    // A document that read the file but has not deciphered it (no KEY typed
    // yet) writes its records as they are, and the write uses them up.
    CCofferDoc doc;
    ASSERT_EQ(doc.ReadArchiveFile(m_strPath, CCodePage::Default()), EFileError::none);
    ASSERT_EQ(std::size_t(doc.StagedCounts().Total()), KNOWN_RECORDS.size());
    const std::string strCopy = m_folder.File("copy.pwd");
    ASSERT_EQ(doc.WriteArchiveFile(strCopy), EFileError::none);
    EXPECT_EQ(ReadBytes(strCopy), KnownFileBytes());
    EXPECT_TRUE(doc.StagedCounts().Total() == 0);
    EXPECT_TRUE(doc.Records().empty());
}

} // namespace
