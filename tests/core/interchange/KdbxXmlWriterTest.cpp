// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/interchange/KdbxXmlWriter.h"

#include "core/store/CodePage.h"
#include "core/store/PasswordInfo.h"

#include "support/KeePassOracle.h"

#include <gtest/gtest.h>

#include <list>
#include <sstream>
#include <string>

namespace {

CPasswordInfo GroupRecord(const std::string& strName) {
    CPasswordInfo info;
    info.m_bGroup = 1;
    info.SetGroup(strName);
    return info;
}

CPasswordInfo AccountRecord(const std::string& strName, const std::string& strPassword = {},
                            const std::string& strComments = {}, const std::string& strEMail = {},
                            const std::string& strUser = {}) {
    CPasswordInfo info;
    info.SetAccount(strName);
    info.SetPassword(strPassword);
    info.SetComments(strComments);
    info.SetEMail(strEMail);
    info.SetUserName(strUser);
    return info;
}

// Protected values show as "[text]" so that the outline tells which
// fields were protected and in what order the stream was asked.
struct SWritten {
    bool bOk = false;
    std::string strXml;
    std::string strError;
    std::string strProtected; // every protected text, in order, "|" after each
};

SWritten WriteXml(const std::list<CPasswordInfo>& listInfo, bool bVersion4 = true) {
    SWritten written;
    SKdbxXmlSettings settings;
    settings.bVersion4 = bVersion4;
    settings.strHeaderHashBase64 = "SGFzaA==";
    settings.nNowUnix = 1700000000;
    int nRandom = 0;
    CKdbxXmlWriter writer(
        CCodePage::Default(), settings,
        [&written](std::string_view strUtf8) {
            written.strProtected += std::string(strUtf8) + "|";
            return "[" + std::string(strUtf8) + "]";
        },
        [&nRandom](std::uint8_t* pBytes, std::size_t nSize) {
            for (std::size_t i = 0; i < nSize; ++i)
                pBytes[i] = static_cast<std::uint8_t>(nRandom++);
        });
    written.bOk = writer.Write(listInfo, written.strXml, written.strError);
    return written;
}

} // namespace

// The fields themselves are checked against keepassxc-cli (KdbxWriterTest);
// here the edge cases of group paths, and the order of the inner stream.
TEST(KdbxXmlWriter, NestsGroupsByTheirPathInDocumentOrder) {
    const SWritten written = WriteXml({
        AccountRecord("Loose"),
        GroupRecord("Banking"),
        AccountRecord("Card", "p\xE9", "one\r\ntwo\rthree"),
        GroupRecord("Banking/Cards"),
        AccountRecord("Visa", "1234"),
        GroupRecord("/Mail//Old/"),
        GroupRecord("Banking"),
        AccountRecord("Second"),
        GroupRecord("/"),
    });
    ASSERT_TRUE(written.bOk) << written.strError;
    std::string strShape; // the outline's groups and titles only
    std::istringstream lines(KdbxXmlOutline(written.strXml));
    for (std::string strLine; std::getline(lines, strLine);) {
        if (strLine.find("G ") != std::string::npos || strLine.find("Title=") != std::string::npos)
            strShape += strLine + "\n";
    }
    EXPECT_EQ(strShape, "G Root\n   Title=Loose\n  G Banking\n     Title=Card\n"
                        "     Title=Second\n    G Cards\n       Title=Visa\n  G Mail\n"
                        "    G Old\n  G /\n");
    // The inner stream is used in document order, which is not list order.
    EXPECT_EQ(written.strProtected, "|p\xC3\xA9||1234|");
    // The comments' "\r\n" become "\n"; a lone carriage return survives a
    // reader's line-end handling.
    EXPECT_NE(written.strXml.find("<Value>one\ntwo&#13;three</Value>"), std::string::npos);
}

TEST(KdbxXmlWriter, ProtectsTextsThatXmlCannotCarry) {
    const SWritten written =
        WriteXml({GroupRecord("G"),
                  AccountRecord(std::string("a\x01z"), "", "", "", std::string("u\0v", 3))});
    ASSERT_TRUE(written.bOk);
    EXPECT_EQ(written.strProtected, std::string("a\x01z|u\0v||", 9));
    EXPECT_EQ(written.strXml.find('\x01'), written.strXml.find("[a\x01z]") + 2);
}

TEST(KdbxXmlWriter, RefusesAGroupNameThatXmlCannotCarry) {
    const SWritten written = WriteXml({GroupRecord("Tab\tok"), GroupRecord("Bell\x07")});
    EXPECT_FALSE(written.bOk);
    EXPECT_NE(written.strError.find("Bell"), std::string::npos);
}

TEST(KdbxXmlWriter, TimesAndHeaderHashFollowTheVersion) {
    const struct {
        bool bVersion4;
        const char* pszTime;
        bool bHeaderHash;
    } CASES[] = {
        // 1700000000 s after 1970 is 63835596800 s after year 1: 0x0EDCE5E800, little-endian.
        {true, "<CreationTime>AOjl3A4AAAA=</CreationTime>", false},
        {false, "<CreationTime>2023-11-14T22:13:20Z</CreationTime>", true},
    };
    for (const auto& test : CASES) {
        const SWritten written = WriteXml({GroupRecord("G"), AccountRecord("A")}, test.bVersion4);
        EXPECT_NE(written.strXml.find(test.pszTime), std::string::npos) << test.bVersion4;
        EXPECT_EQ(written.strXml.find("<HeaderHash>SGFzaA==</HeaderHash>") != std::string::npos,
                  test.bHeaderHash);
    }
}
