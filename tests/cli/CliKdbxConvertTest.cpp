// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliFiles.h"
#include "CliRunner.h"

#include "core/interchange/KdbxTestWriter.h"
#include "core/store/FileIO.h"
#include "support/FileBytes.h"
#include "support/KeePassOracle.h"

#include <gtest/gtest.h>

namespace {

std::string Field(const std::string& strKey, const std::string& strValue) {
    return "<String><Key>" + strKey + "</Key><Value>" + strValue + "</Value></String>";
}

// An entry the six fields of an account hold exactly, with more inside it.
std::string Entry(const std::string& strTitle, const std::string& strMore = {}) {
    return "<Entry><UUID>Dd3d3d3d3d3d3d3d3d3d3Q==</UUID>" + Field("Title", strTitle) +
           Field("UserName", "ann") + Field("Password", "s3cret") +
           Field("URL", "https://a.example") + Field("E-mail", "ann@a.example") +
           Field("Notes", "a note") + strMore + "</Entry>";
}

std::string Group(char cUuid, const std::string& strName, const std::string& strInside) {
    return "<Group><UUID>" + std::string(21, cUuid) + "Q==</UUID><Name>" + strName + "</Name>" +
           strInside + "</Group>";
}

std::string Database(const std::string& strRootInside, const std::string& strMeta = {}) {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<KeePassFile><Meta>" + strMeta +
           "</Meta><Root>" + Group('A', "Root", strRootInside) + "</Root></KeePassFile>\n";
}

const std::string ACCOUNT_SHOWN = "User Name\tann\nPassword\ts3cret\nWeb Site\thttps://a.example\n"
                                  "E-Mail\t\tann@a.example\nComments\ta note\n\n";

class CliKdbxConvert : public ::testing::Test {
protected:
    // The database of the XML under password "pw"; KDBX 3.1 when asked,
    // whose Meta may hold attachments.
    std::string WriteKdbx(const std::string& strName, const std::string& strXml,
                          int nMajor = 4) const {
        SKdbxTestOptions options;
        options.nMajor = nMajor;
        const CKdbxBytes bytes = MakeTestKdbx(strXml, options);
        const std::string strPath = m_folder.File(strName);
        WriteBytes(strPath, std::string(bytes.begin(), bytes.end()));
        return strPath;
    }

    CTempFolder m_folder;
};

} // namespace

TEST_F(CliKdbxConvert, RefusesEachKindOfLossUnlessAllowed) {
    const std::string strBin = "<RecycleBinEnabled>True</RecycleBinEnabled>"
                               "<RecycleBinUUID>" +
                               std::string(21, 'B') + "Q==</RecycleBinUUID>";
    const struct {
        const char* pszKind;
        std::string strXml;
        int nMajor;
        const char* pszReport; // a part of the line that names the loss
        const char* pszLs;     // ls of OUT once converted with --lossy
    } CASES[] = {
        {"characters", Database(Group('M', "Mail", Entry("Почта") + Entry("Post"))), 4,
         "1 entry is left out, for such characters in their texts or their group's name: "
         "\"Почта\" in \"Mail\" (П, о, ч, т, а)",
         "  Mail\n    Post\n"},
        {"nesting", Database(Group('M', "A", Group('N', "B", Entry("Deep")))), 4,
         "1 group lies deeper than one level and becomes one flat name joined by \"/\": \"A/B\"",
         "  A/B\n    Deep\n"},
        {"custom fields", Database(Entry("Bank", Field("PIN", "1234"))), 4,
         "1 entry has custom fields, which are left out: PIN", "  Root\n    Bank\n"},
        {"attachments",
         Database(Entry("Bank", "<Binary><Key>a.txt</Key><Value Ref=\"0\"/></Binary>"),
                  "<Binaries><Binary ID=\"0\">aGVsbG8=</Binary></Binaries>"),
         3, "1 attachment of 5 bytes in all is left out", "  Root\n    Bank\n"},
        {"history", Database(Entry("Bank", "<History>" + Entry("Bank") + "</History>")), 4,
         "1 earlier version of an entry is left out", "  Root\n    Bank\n"},
        {"one-time passwords",
         Database(Entry("Bank", Field("otp", "otpauth://totp/x?secret=JBSWY3DPEHPK3PXP"))), 4,
         "1 entry has one-time password settings", "  Root\n    Bank\n"},
        {"tags", Database(Entry("Bank", "<Tags>money</Tags>")), 4, "1 entry has tags",
         "  Root\n    Bank\n"},
        {"expiry",
         Database(Entry("Bank", "<Times><Expires>True</Expires>"
                                "<ExpiryTime>2030-01-01T00:00:00Z</ExpiryTime></Times>")),
         4, "1 entry has an expiry date", "  Root\n    Bank\n"},
        {"recycle bin", Database(Entry("Bank") + Group('B', "Recycle Bin", Entry("Old")), strBin),
         4, "1 entry in the recycle bin is left out", "  Root\n    Bank\n"},
        {"custom icons",
         Database(
             Entry("Bank", "<CustomIconUUID>" + std::string(21, 'C') + "Q==</CustomIconUUID>")),
         4, "1 entry or group shows a custom icon", "  Root\n    Bank\n"},
        {"group notes", Database(Group('M', "Mail", "<Notes>old</Notes>" + Entry("Bank"))), 4,
         "1 group has notes", "  Mail\n    Bank\n"},
    };
    int nCase = 0;
    for (const auto& test : CASES) {
        const std::string strIn =
            WriteKdbx("In" + std::to_string(nCase) + ".kdbx", test.strXml, test.nMajor);
        const std::string strOut = m_folder.File("Out" + std::to_string(nCase++) + ".khv");
        const SCliResult refused = RunCli({"convert", strIn, strOut}, "pw\nnew\n");
        EXPECT_EQ(refused.nExit, 1) << test.pszKind << ": " << refused.strErr;
        EXPECT_NE(refused.strErr.find(test.pszReport), std::string::npos)
            << test.pszKind << ": " << refused.strErr;
        EXPECT_NE(refused.strErr.find("nothing was written"), std::string::npos) << refused.strErr;
        EXPECT_FALSE(FileExists(strOut)) << test.pszKind;

        const SCliResult lossy = RunCli({"convert", strIn, strOut, "--lossy"}, "pw\nnew\n");
        EXPECT_EQ(lossy.nExit, 0) << test.pszKind << ": " << lossy.strErr;
        EXPECT_NE(lossy.strErr.find("warning"), std::string::npos) << lossy.strErr;
        EXPECT_NE(lossy.strErr.find(test.pszReport), std::string::npos) << lossy.strErr;
        const SCliResult listed = RunCli({"ls", strOut}, "new\n");
        EXPECT_EQ(listed.strOut, "Out" + std::to_string(nCase - 1) + "\n" + test.pszLs)
            << test.pszKind << ": " << listed.strErr;
    }
}

TEST_F(CliKdbxConvert, ConvertsWhatTheSixFieldsHoldWithoutAWord) {
    const std::string strIn = WriteKdbx(
        "Whole.kdbx", Database(Entry("Top") + Group('M', "Mail/Home", Entry("Café", "<Tags/>"))));
    const std::string strOut = m_folder.File("Whole.pwd");
    const SCliResult result = RunCli({"convert", strIn, strOut}, "pw\nnew\n");
    EXPECT_EQ(result.nExit, 0) << result.strErr;
    // Only the warning every ".pwd" gets.
    EXPECT_EQ(result.strErr.find("left out"), std::string::npos) << result.strErr;
    EXPECT_EQ(RunCli({"ls", strOut}, "new\n").strOut,
              "Whole\n  Mail/Home\n    Café\n  Root\n    Top\n");
    EXPECT_EQ(RunCli({"show", strOut, "Mail/Home", "Café"}, "new\n").strOut,
              "Account\t\tCafé\n" + ACCOUNT_SHOWN);
    // OUT is never replaced.
    const SCliResult again = RunCli({"convert", strIn, strOut}, "pw\nnew\n");
    EXPECT_EQ(again.nExit, 4) << again.strErr;
    EXPECT_NE(again.strErr.find("never replaces"), std::string::npos) << again.strErr;
}

// A database kept whole converts as reading its file imports it.
TEST_F(CliKdbxConvert, ConvertsAsImportAdds) {
    const std::string strIn = WriteKdbx(
        "Mixed.kdbx",
        Database(
            Entry("Top", Field("Notes", "one\ntwo") + "<Times><Expires>\nTrue </Expires></Times>") +
            Group('M', "Mail",
                  Entry("Post", Field("PIN", "1") + Field("email", "x@y")) +
                      Group('N', "Old", Entry("Deep") + Entry("Почта")) + Entry("Post"))));
    const std::string strImported = m_folder.File("Imported.khv");
    WriteCoreFile(strImported, "new", {});
    const SCliResult imported = RunCli({"import", strImported, strIn}, "new\npw\n");
    ASSERT_EQ(imported.nExit, 0) << imported.strErr;
    const std::string strOut = m_folder.File("Converted.khv");
    const SCliResult converted = RunCli({"convert", strIn, strOut, "--lossy"}, "pw\nnew\n");
    ASSERT_EQ(converted.nExit, 0) << converted.strErr;
    EXPECT_NE(converted.strErr.find("Expiry: 1 entry"), std::string::npos) << converted.strErr;
    const std::string strExported = RunCli({"export", strImported}, "new\n").strOut;
    EXPECT_NE(strExported.find("Post (2)"), std::string::npos) << strExported;
    EXPECT_EQ(RunCli({"export", strOut}, "new\n").strOut, strExported);
}

TEST_F(CliKdbxConvert, RefusesTheDatabasePasswordAsTheKeyOfAPwd) {
    const std::string strIn = WriteKdbx("Same.kdbx", Database(Entry("Top")));
    const std::string strOut = m_folder.File("Same.pwd");
    const SCliResult result = RunCli({"convert", strIn, strOut}, "pw\npw\n");
    EXPECT_EQ(result.nExit, 1) << result.strErr;
    EXPECT_NE(result.strErr.find("must differ"), std::string::npos) << result.strErr;
    EXPECT_FALSE(FileExists(strOut));
}

TEST_F(CliKdbxConvert, WritesADatabaseFromAPasswordFile) {
    const std::string strIn = m_folder.File("Home.pwd");
    WriteCoreFile(strIn, "k",
                  {GroupRecord("Mail"), AccountRecord("Post", "me", "pw", "w", "e@x", "a\r\nb")});
    const std::string strOut = m_folder.File("Home.kdbx");
    const SCliResult result = RunCli({"convert", strIn, strOut}, "k\ndb pass\n");
    ASSERT_EQ(result.nExit, 0) << result.strErr;
    EXPECT_EQ(RunCli({"show", strOut, "Mail", "Post"}, "db pass\n").strOut,
              "Account\t\tPost\nUser Name\tme\nPassword\tpw\nWeb Site\tw\nE-Mail\t\te@x\n"
              "Comments\ta\nb\n\n");
    if (HasKeePassCli()) {
        const SKeePassCliResult oracle = KeePassCliExportXml(strOut, "db pass");
        ASSERT_EQ(oracle.nExit, 0) << oracle.strErr;
        EXPECT_NE(KdbxXmlOutline(oracle.strOut).find("Title=Post"), std::string::npos);
    }
    const SCliResult again = RunCli({"convert", strIn, strOut}, "k\ndb pass\n");
    EXPECT_EQ(again.nExit, 4) << again.strErr;
    // The KEY of a ".pwd" is no password for a database made from it.
    const std::string strSame = m_folder.File("Same.kdbx");
    EXPECT_EQ(RunCli({"convert", strIn, strSame}, "k\nk\n").nExit, 1);
    EXPECT_FALSE(FileExists(strSame));
}

TEST_F(CliKdbxConvert, RefusesMisusedOptions) {
    const std::string strKdbx = WriteKdbx("A.kdbx", Database(Entry("Top")));
    const std::string strPwd = m_folder.File("Home.pwd");
    WriteCoreFile(strPwd, "k", {GroupRecord("Mail"), AccountRecord("Post")});
    const struct {
        std::vector<std::string> astrArgs;
        const char* pszMessage;
    } CASES[] = {
        {{"convert", strKdbx, m_folder.File("B.kdbx")}, "passwd changes"},
        {{"convert", strPwd, m_folder.File("B.khv"), "--lossy"}, "--lossy applies"},
        {{"convert", strPwd, m_folder.File("B.kdbx"), "--allow-slow-kdf"}, "--allow-slow-kdf"},
        {{"convert", strPwd, m_folder.File("B.khv"), "--no-password"}, "--no-password apply"},
        {{"convert", strKdbx, m_folder.File("B.txt")}, "OUT must end in .pwd, .khv or .kdbx"},
    };
    for (const auto& test : CASES) {
        const SCliResult result = RunCli(test.astrArgs, "pw\nnew\n");
        EXPECT_EQ(result.nExit, 2) << test.pszMessage << ": " << result.strErr;
        EXPECT_NE(result.strErr.find(test.pszMessage), std::string::npos) << result.strErr;
    }
    EXPECT_FALSE(FileExists(m_folder.File("B.kdbx")));
}
