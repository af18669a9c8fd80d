// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliFiles.h"
#include "CliRunner.h"

#include "core/interchange/KdbxTestWriter.h"
#include "core/interchange/KdbxWriter.h"
#include "core/kdbx/KdbxFile.h"
#include "support/FileBytes.h"
#include "support/KeePassOracle.h"

#include <gtest/gtest.h>

#include <span>
#include <sys/stat.h>

namespace {

class CliKdbx : public ::testing::Test {
protected:
    void SetUp() override {
        m_strFile = m_folder.File("Home.pwd");
        WriteCoreFile(m_strFile, "k",
                      {GroupRecord("Mail"), AccountRecord("Post", "me", "pw", "w", "e@x", "a\r\nb"),
                       GroupRecord("Work/Sub"), AccountRecord("Deep")});
        m_strKdbx = m_folder.File("out.kdbx");
    }

    // A database of two entries made by the writer with a cheap key
    // derivation, under password "db" and, when given, a key file.
    void WriteSource(const std::string& strPath, const std::string& strKeyFile = {}) const {
        SKdbxWriteOptions options;
        options.nRounds = 1;
        options.nMemoryBytes = 1 << 20;
        SKdbxCredentials credentials;
        credentials.strPassword = "db";
        if (!strKeyFile.empty()) {
            const std::string strKey = ReadBytes(strKeyFile);
            credentials.bHasKeyFile = true;
            credentials.keyFile.assign(strKey.begin(), strKey.end());
        }
        std::string strError;
        const std::string strBytes =
            WrittenKdbx({GroupRecord("Mail"), AccountRecord("Post", "u", "p", "", "", "x\r\ny"),
                         GroupRecord("Bank/Cards"), AccountRecord("Visa")},
                        credentials, options, strError);
        ASSERT_FALSE(strBytes.empty()) << strError;
        WriteBytes(strPath, strBytes);
    }

    CTempFolder m_folder;
    std::string m_strFile;
    std::string m_strKdbx;
};

} // namespace

TEST_F(CliKdbx, ExportOpensInKeePassXCAndImportsBack) {
    const SCliResult result =
        RunCli({"export", m_strFile, "--format", "kdbx", "-o", m_strKdbx}, "k\ndb pass\n");
    ASSERT_EQ(result.nExit, 0) << result.strErr;
    struct stat st {};
    ASSERT_EQ(stat(m_strKdbx.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600U);
    if (HasKeePassCli()) {
        const SKeePassCliResult oracle = KeePassCliExportXml(m_strKdbx, "db pass");
        ASSERT_EQ(oracle.nExit, 0) << oracle.strErr;
        EXPECT_EQ(KdbxXmlOutline(oracle.strOut),
                  "G Root\n  G Mail\n    E\n     E-mail=e@x\n     Notes=a\\nb\n     Password=pw\n"
                  "     Title=Post\n     URL=w\n     UserName=me\n  G Work\n    G Sub\n      E\n"
                  "       Notes=\n       Password=\n       Title=Deep\n       URL=\n"
                  "       UserName=\n");
    }
    // Into a file that has one of the groups, an account of the same name
    // gets the next free suffix.
    const std::string strCopy = m_folder.File("Copy.pwd");
    WriteCoreFile(strCopy, "c", {GroupRecord("Mail"), AccountRecord("Post")});
    const SCliResult imported = RunCli({"import", strCopy, m_strKdbx}, "c\ndb pass\n");
    EXPECT_EQ(imported.nExit, 0) << imported.strErr;
    EXPECT_EQ(imported.strErr, "Imported 2 accounts in 2 groups; left out: nothing.\n");
    EXPECT_EQ(RunCli({"ls", strCopy}, "c\n").strOut,
              "Copy\n  Mail\n    Post\n    Post (2)\n  Work/Sub\n    Deep\n");
    EXPECT_EQ(RunCli({"show", strCopy, "Mail", "Post (2)"}, "c\n").strOut,
              "Account\t\tPost (2)\nUser Name\tme\nPassword\tpw\nWeb Site\tw\n"
              "E-Mail\t\te@x\nComments\ta\r\nb\n\n");
}

TEST_F(CliKdbx, ExportWithAKeyFileAlone) {
    const std::string strKey = m_folder.File("key.bin");
    WriteBytes(strKey, "any bytes make a key file");
    const SCliResult result = RunCli({"export", m_strFile, "--format=kdbx", "-o", m_strKdbx,
                                      "--key-file", strKey, "--no-password"},
                                     "k\n");
    ASSERT_EQ(result.nExit, 0) << result.strErr;
    if (!HasKeePassCli())
        GTEST_SKIP() << "keepassxc-cli is not installed (Debian package keepassxc)";
    const SKeePassCliResult oracle = KeePassCliExportXml(m_strKdbx, std::nullopt, strKey);
    EXPECT_EQ(oracle.nExit, 0) << oracle.strErr;
    EXPECT_NE(KdbxXmlOutline(oracle.strOut).find("Title=Deep"), std::string::npos);
    EXPECT_NE(KeePassCliExportXml(m_strKdbx, "", strKey).nExit, 0);
}

TEST_F(CliKdbx, ExportAsksTheNewPasswordTwiceOnATerminal) {
    std::string strEcho;
    const SCliResult result = RunCliOnTerminal(
        {"export", m_strFile, "--format", "kdbx", "-o", m_strKdbx}, {"k", "one", "two"}, strEcho);
    EXPECT_EQ(result.nExit, 1) << result.strErr;
    EXPECT_NE(result.strErr.find("Confirm password for:  out.kdbx"), std::string::npos)
        << result.strErr;
    EXPECT_NE(result.strErr.find("do not match"), std::string::npos) << result.strErr;
    EXPECT_EQ(strEcho.find("one"), std::string::npos) << strEcho;
    struct stat st {};
    EXPECT_NE(stat(m_strKdbx.c_str(), &st), 0);
}

TEST_F(CliKdbx, ExportRefusals) {
    const std::string strKey = m_folder.File("key.bin");
    WriteBytes(strKey, "key");
    const struct {
        const char* pszName;
        std::vector<std::string> astrArgs;
        const char* pszInput;
        int nExit;
        const char* pszMessage;
    } CASES[] = {
        {"the .pwd's KEY", {"--format", "kdbx", "-o", m_strKdbx}, "k\nk\n", 1, "must differ"},
        {"empty password", {"--format", "kdbx", "-o", m_strKdbx}, "k\n\n", 1, "empty"},
        {"wrong KEY", {"--format", "kdbx", "-o", m_strKdbx}, "x\ndb\n", 1, "KEY"},
        {"no OUT", {"--format", "kdbx"}, "k\ndb\n", 2, "needs -o OUT"},
        {"--crlf", {"--format", "kdbx", "-o", m_strKdbx, "--crlf"}, "k\ndb\n", 2, "--crlf"},
        {"no key file",
         {"--format", "kdbx", "-o", m_strKdbx, "--no-password"},
         "k\n",
         2,
         "--no-password needs --key-file"},
        {"key file for text",
         {"-o", m_strKdbx, "--key-file", strKey},
         "k\n",
         2,
         "kdbx format only"},
        {"missing key file",
         {"--format", "kdbx", "-o", m_strKdbx, "--key-file", m_folder.File("none")},
         "k\ndb\n",
         3,
         "none"},
        {"unknown format", {"--format", "xml", "-o", m_strKdbx}, "k\n", 2, "text, csv or kdbx"},
    };
    for (const auto& test : CASES) {
        std::vector<std::string> astrArgs = {"export", m_strFile};
        astrArgs.insert(astrArgs.end(), test.astrArgs.begin(), test.astrArgs.end());
        const SCliResult result = RunCli(astrArgs, test.pszInput);
        EXPECT_EQ(result.nExit, test.nExit) << test.pszName << ": " << result.strErr;
        EXPECT_NE(result.strErr.find(test.pszMessage), std::string::npos)
            << test.pszName << ": " << result.strErr;
        struct stat st {};
        EXPECT_NE(stat(m_strKdbx.c_str(), &st), 0) << test.pszName << ": OUT was written";
    }
}

TEST_F(CliKdbx, ImportFailuresChangeNothing) {
    const std::string strKey = m_folder.File("key.txt");
    const std::string strOtherKey = m_folder.File("other.txt");
    WriteBytes(strKey, "the key file");
    WriteBytes(strOtherKey, "another key file");
    const std::string strPlain = m_folder.File("plain.kdbx");
    const std::string strKeyed = m_folder.File("keyed.kdbx");
    WriteSource(strPlain);
    WriteSource(strKeyed, strKey);
    const std::string strDamaged = m_folder.File("damaged.kdbx");
    std::string strBytes = ReadBytes(strPlain);
    strBytes[strBytes.size() - 40] ^= 0x55;
    WriteBytes(strDamaged, strBytes);
    const std::string strCut = m_folder.File("cut.kdbx");
    WriteBytes(strCut, ReadBytes(strPlain).substr(0, 300));
    const std::string strNot = m_folder.File("not.kdbx");
    WriteBytes(strNot, "\"url\",\"username\",\"password\"\n");
    const std::string strBefore = ReadBytes(m_strFile);
    const struct {
        const char* pszName;
        std::vector<std::string> astrArgs;
        const char* pszInput;
        int nExit;
    } CASES[] = {
        {"wrong password", {strPlain}, "k\nwrong\n", 1},
        {"wrong KEY", {strPlain}, "x\ndb\n", 1},
        {"missing key file", {strKeyed}, "k\ndb\n", 1},
        {"wrong key file", {strKeyed, "--key-file", strOtherKey}, "k\ndb\n", 1},
        {"damaged", {strDamaged}, "k\ndb\n", 3},
        {"truncated", {strCut}, "k\ndb\n", 3},
        {"not a database", {strNot}, "k\ndb\n", 3},
        {"missing database", {m_folder.File("none.kdbx")}, "k\ndb\n", 3},
        {"--no-password alone", {strPlain, "--no-password"}, "k\n", 2},
        {"key file for CSV", {m_folder.File("x.csv"), "--key-file", strKey}, "k\n", 2},
        {"slow derivation for CSV", {m_folder.File("x.csv"), "--allow-slow-kdf"}, "k\n", 2},
    };
    for (const auto& test : CASES) {
        std::vector<std::string> astrArgs = {"import", m_strFile};
        astrArgs.insert(astrArgs.end(), test.astrArgs.begin(), test.astrArgs.end());
        const SCliResult result = RunCli(astrArgs, test.pszInput);
        EXPECT_EQ(result.nExit, test.nExit) << test.pszName << ": " << result.strErr;
        EXPECT_FALSE(result.strErr.empty()) << test.pszName;
        EXPECT_EQ(ReadBytes(m_strFile), strBefore) << test.pszName;
    }
    // The right key file opens it.
    const SCliResult result =
        RunCli({"import", m_strFile, strKeyed, "--key-file", strKey}, "k\ndb\n");
    EXPECT_EQ(result.nExit, 0) << result.strErr;
    EXPECT_EQ(result.strErr, "Imported 2 accounts in 2 groups; left out: nothing.\n");
    EXPECT_EQ(RunCli({"ls", m_strFile}, "k\n").strOut,
              "Home\n  Bank/Cards\n    Visa\n  Mail\n    Post\n    Post (2)\n  Work/Sub\n"
              "    Deep\n");
}

// A key derivation that would take minutes runs only with --allow-slow-kdf,
// and one that would never end not at all; both are refused before the KEY
// or the password is read (no input is given: reading it would fail with
// exit status 2).
TEST_F(CliKdbx, ImportRefusesASlowKeyDerivationUnlessAllowed) {
    // 500,000,000 AES-KDF rounds with a seed a byte short, which the
    // derivation refuses at once when it is let run.
    SKdbxTestOptions slow;
    slow.kdf = {EKdbxKdf::aes, CKdbxBytes(31, 7), 500'000'000};
    slow.bDerive = false;
    slow.credentials.strPassword = "db";
    const std::string strSlow = m_folder.File("slow.kdbx");
    const CKdbxBytes slowBytes = MakeTestKdbx(TestKdbxXml(), slow);
    WriteBytes(strSlow, std::string(slowBytes.begin(), slowBytes.end()));
    SKdbxTestOptions endless = slow;
    endless.nMajor = 3;
    endless.kdf = {EKdbxKdf::aes, CKdbxBytes(32, 7), ~std::uint64_t(0)};
    const std::string strEndless = m_folder.File("endless.kdbx");
    const CKdbxBytes endlessBytes = MakeTestKdbx(TestKdbxXml(), endless);
    WriteBytes(strEndless, std::string(endlessBytes.begin(), endlessBytes.end()));
    const std::string strBefore = ReadBytes(m_strFile);
    const struct {
        const char* pszName;
        std::vector<std::string> astrArgs;
        const char* pszInput;
        const char* pszMessage;
    } CASES[] = {
        {"slow",
         {strSlow},
         "",
         ": The KeePass database asks for 500000000 AES-KDF rounds to turn its password into its "
         "key, more than four times what KeePassXC makes a new database take. That may take "
         "minutes and slow the whole computer down. Give --allow-slow-kdf to import it "
         "anyway.\n"},
        {"slow, allowed",
         {strSlow, "--allow-slow-kdf"},
         "k\ndb\n",
         ": The KeePass database uses key derivation parameters that cannot be used, which "
         "cannot be imported.\n"},
        {"endless, allowed",
         {strEndless, "--allow-slow-kdf"},
         "",
         ": The KeePass database asks for 18446744073709551615 AES-KDF rounds to turn its "
         "password into its key, more than can be given to it (at most 100000000000 "
         "rounds).\n"},
    };
    for (const auto& test : CASES) {
        std::vector<std::string> astrArgs = {"import", m_strFile};
        astrArgs.insert(astrArgs.end(), test.astrArgs.begin(), test.astrArgs.end());
        const SCliResult result = RunCli(astrArgs, test.pszInput);
        EXPECT_EQ(result.nExit, 3) << test.pszName << ": " << result.strErr;
        EXPECT_EQ(result.strErr, "keyhaven-cli: " + test.astrArgs[0] + test.pszMessage)
            << test.pszName;
        EXPECT_EQ(ReadBytes(m_strFile), strBefore) << test.pszName;
    }
}

namespace {

std::string OtpEntry(const std::string& strTitle, const std::string& strFields) {
    return "<Entry><String><Key>Title</Key><Value>" + strTitle + "</Value></String>" + strFields +
           "</Entry>";
}

std::string OtpField(const std::string& strKey, const std::string& strValue) {
    return "<String><Key>" + strKey + "</Key><Value Protected=\"True\">" + strValue +
           "</Value></String>";
}

} // namespace

TEST_F(CliKdbx, TotpPrintsTheCodeOfAnEntryInANestedGroup) {
    const std::string strSecret = "GEZDGNBVGY3TQOJQGEZDGNBVGY3TQOJQ";
    const std::string strXml =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<KeePassFile><Meta><Generator>t</Generator>"
        "</Meta><Root><Group><UUID>AQEBAQEBAQEBAQEBAQEBAQ==</UUID><Name>Root</Name>" +
        OtpEntry("Top", OtpField("otp", "otpauth://totp/x?secret=" + strSecret + "&digits=8")) +
        "<Group><UUID>AgICAgICAgICAgICAgICAg==</UUID><Name>Work</Name><Group><UUID>"
        "AwMDAwMDAwMDAwMDAwMDAw==</UUID><Name>Mail</Name>" +
        OtpEntry("Sha256", OtpField("otp", "otpauth://totp/x?secret=GEZDGNBVGY3TQOJQGEZDGNBVGY3T"
                                           "QOJQGEZDGNBVGY3TQOJQGEZA&algorithm=SHA256&digits=8")) +
        OtpEntry("Legacy", OtpField("TOTP Seed", strSecret) + OtpField("TOTP Settings", "30;8")) +
        OtpEntry("Plain", "") + OtpEntry("Broken", OtpField("otp", "otpauth://totp/x?digits=8")) +
        "</Group></Group></Group></Root></KeePassFile>\n";
    const CKdbxBytes bytes = MakeTestKdbx(strXml, SKdbxTestOptions());
    const std::string strDatabase = m_folder.File("Codes.kdbx");
    WriteBytes(strDatabase, std::string(bytes.begin(), bytes.end()));

    const struct {
        const char* pszGroup;
        const char* pszTitle;
        const char* pszAt;
        int nExit;
        const char* pszOut; // standard output, or a part of the message
    } CASES[] = {
        // RFC 6238's vectors, through the database's own fields.
        {"Root", "Top", "59", 0, "94287082\n"},
        {"Work/Mail", "Sha256", "1111111109", 0, "68084774\n"},
        {"Work/Mail", "Legacy", "1111111109", 0, "07081804\n"},
        {"Work", "Top", "59", 2, "there is no account \"Top\" in the group \"Work\""},
        {"Work/Post", "Top", "59", 2, "there is no group \"Work/Post\""},
        {"Work/Mail", "Plain", "59", 2, "has no one-time password"},
        {"Work/Mail", "Broken", "59", 3, "cannot be used"},
    };
    for (const auto& test : CASES) {
        SCOPED_TRACE(test.pszTitle);
        const SCliResult result =
            RunCli({"totp", strDatabase, test.pszGroup, test.pszTitle, "--at", test.pszAt}, "pw\n");
        EXPECT_EQ(result.nExit, test.nExit) << result.strErr;
        if (test.nExit == 0)
            EXPECT_EQ(result.strOut, test.pszOut);
        else
            EXPECT_NE(result.strErr.find(test.pszOut), std::string::npos) << result.strErr;
    }
    EXPECT_EQ(RunCli({"totp", strDatabase, "Root", "Top"}, "wrong\n").nExit, 1);
    EXPECT_EQ(RunCli({"totp", m_strFile, "Mail", "Post"}, "k\n").nExit, 2);
}

namespace {

// The XML of the database at strPath, its protected values in the clear;
// "" when the password does not open it.
std::string DatabaseXml(const std::string& strPath, const std::string& strPassword,
                        int* pnMajor = nullptr) {
    const std::string strBytes = ReadBytes(strPath);
    SKdbxCredentials credentials;
    credentials.strPassword = strPassword;
    CKdbxFile database;
    if (database
            .Read(
                std::span(reinterpret_cast<const std::uint8_t*>(strBytes.data()), strBytes.size()),
                credentials)
            .eFailure != EKdbxFailure::none)
        return {};
    if (pnMajor)
        *pnMajor = database.MajorVersion();
    std::string strXml;
    std::string strError;
    EXPECT_TRUE(database.Xml().Write(
        strXml,
        [](std::span<const std::uint8_t> plain) { return std::string(plain.begin(), plain.end()); },
        strError))
        << strError;
    return strXml;
}

} // namespace

TEST_F(CliKdbx, PasswdGivesADatabaseANewPasswordAndChangesNothingElse) {
    WriteSource(m_strKdbx);
    const std::string strOld = m_folder.File("old.kdbx");
    {
        SKdbxWriteOptions options;
        options.eVersion = SKdbxWriteOptions::EVersion::kdbx31;
        options.eKdf = EKdbxKdf::aes;
        options.nRounds = 1;
        options.eCipher = EKdbxCipher::aes256;
        options.eInnerStream = EKdbxInnerStream::salsa20;
        SKdbxCredentials credentials;
        credentials.strPassword = "db";
        std::string strError;
        const std::string strBytes = WrittenKdbx(
            {GroupRecord("Old"), AccountRecord("Kept", "u", "p")}, credentials, options, strError);
        ASSERT_FALSE(strBytes.empty()) << strError;
        WriteBytes(strOld, strBytes);
    }
    const struct {
        const char* pszName;
        std::vector<std::string> astrArgs;
        const char* pszInput;
        int nExit;
        const char* pszMessage; // a part of it
    } REFUSALS[] = {
        {"wrong password", {m_strKdbx}, "nope\nnew\n", 1, "out.kdbx: "},
        {"empty new password", {m_strKdbx}, "db\n\n", 1, "the database password is empty"},
        {"3.1 not upgraded", {strOld}, "db\nnew\n", 2, "Give --upgrade"},
        {"a flag on a .pwd", {m_strFile, "--upgrade"}, "k\nnew\n", 2, "apply to a .kdbx FILE"},
    };
    for (const auto& test : REFUSALS) {
        const std::string strFile = test.astrArgs[0];
        const std::string strBefore = ReadBytes(strFile);
        std::vector<std::string> astrArgs = {"passwd"};
        astrArgs.insert(astrArgs.end(), test.astrArgs.begin(), test.astrArgs.end());
        const SCliResult result = RunCli(astrArgs, test.pszInput);
        EXPECT_EQ(result.nExit, test.nExit) << test.pszName << ": " << result.strErr;
        EXPECT_NE(result.strErr.find(test.pszMessage), std::string::npos)
            << test.pszName << ": " << result.strErr;
        EXPECT_EQ(ReadBytes(strFile), strBefore) << test.pszName;
    }

    // Everything but the password stays: the XML is the same to the byte.
    const std::string strXml = DatabaseXml(m_strKdbx, "db");
    ASSERT_FALSE(strXml.empty());
    SCliResult result = RunCli({"passwd", m_strKdbx}, "db\nnew one\n");
    ASSERT_EQ(result.nExit, 0) << result.strErr;
    EXPECT_EQ(result.strErr, "");
    EXPECT_EQ(DatabaseXml(m_strKdbx, "db"), "");
    EXPECT_EQ(DatabaseXml(m_strKdbx, "new one"), strXml);
    if (HasKeePassCli()) {
        const SKeePassCliResult oracle = KeePassCliExportXml(m_strKdbx, "new one");
        ASSERT_EQ(oracle.nExit, 0) << oracle.strErr;
        EXPECT_EQ(KdbxXmlOutline(oracle.strOut), KdbxXmlOutline(strXml));
    }
    // A 3.1 database, once allowed, is written as 4 with the same entries.
    const std::string strOldXml = DatabaseXml(strOld, "db");
    result = RunCli({"passwd", strOld, "--upgrade"}, "db\nnew\n");
    ASSERT_EQ(result.nExit, 0) << result.strErr;
    int nMajor = 0;
    const std::string strUpgraded = DatabaseXml(strOld, "new", &nMajor);
    EXPECT_EQ(nMajor, 4);
    EXPECT_EQ(KdbxXmlOutline(strUpgraded), KdbxXmlOutline(strOldXml));
    EXPECT_NE(KdbxXmlOutline(strUpgraded).find("Title=Kept"), std::string::npos);
}
