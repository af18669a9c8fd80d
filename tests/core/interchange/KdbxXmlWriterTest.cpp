#include "core/interchange/KdbxXmlWriter.h"

#include "core/store/CodePage.h"
#include "core/store/PasswordInfo.h"

#include "support/KeePassOracle.h"

#include <gtest/gtest.h>

#include <list>
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

TEST(KdbxXmlWriter, NestsGroupsByTheirPathAndMapsTheFields) {
    const std::list<CPasswordInfo> listInfo = {
        AccountRecord("Loose"),
        GroupRecord("Banking"),
        AccountRecord("Card & <Co> \"1\"", "p\xE9", "one\r\ntwo\rthree", "me@x.org", "\x80uro"),
        GroupRecord("Banking/Cards"),
        AccountRecord("Visa", "1234"),
        GroupRecord("/Mail//Old/"),
        AccountRecord("Post"),
        GroupRecord("Banking"),
        AccountRecord("Second"),
        GroupRecord("/"),
        AccountRecord("Slash"),
    };
    const SWritten written = WriteXml(listInfo);
    ASSERT_TRUE(written.bOk) << written.strError;
    EXPECT_EQ(KdbxXmlOutline(written.strXml),
              "G Root\n"
              "  E\n   Notes=\n   Password=[]\n   Title=Loose\n   URL=\n   UserName=\n"
              "  G Banking\n"
              "    E\n     E-mail=me@x.org\n     Notes=one\\ntwo\\rthree\n"
              "     Password=[p\xC3\xA9]\n     Title=Card & <Co> \"1\"\n     URL=\n"
              "     UserName=\xE2\x82\xACuro\n"
              "    E\n     Notes=\n     Password=[]\n     Title=Second\n     URL=\n     UserName=\n"
              "    G Cards\n"
              "      E\n       Notes=\n       Password=[1234]\n       Title=Visa\n       URL=\n"
              "       UserName=\n"
              "  G Mail\n"
              "    G Old\n"
              "      E\n       Notes=\n       Password=[]\n       Title=Post\n       URL=\n"
              "       UserName=\n"
              "  G /\n"
              "    E\n     Notes=\n     Password=[]\n     Title=Slash\n     URL=\n"
              "     UserName=\n");
    // The inner stream is used in document order, which is not list order.
    EXPECT_EQ(written.strProtected, "|p\xC3\xA9||1234|||");
    // Markup in texts is escaped, and a lone carriage return survives a
    // reader's line-end handling.
    EXPECT_NE(written.strXml.find("Card &amp; &lt;Co&gt; &quot;1&quot;"), std::string::npos);
    EXPECT_NE(written.strXml.find("two&#13;three"), std::string::npos);
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
