// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRunner.h"

#include "core/interchange/KdbxTestWriter.h"

#include "support/FileBytes.h"
#include "support/KeePassOracle.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

// Nested groups below the root named in the path, with Cyrillic, Polish and
// emoji names, a repeated title and an e-mail.
const std::string CSV = "\"Group\",\"Title\",\"Username\",\"Password\",\"URL\",\"Notes\"\n"
                        "\"Root/Работа/Почта\",\"Почта\",\"иван\",\"пароль\",\"https://m.ru\","
                        "\"две\nстроки\"\n"
                        "\"Root/Łódź\",\"Bank żółw\",\"zażółć\",\"hasło\",\"\",\"\"\n"
                        "\"Root/Работа/Почта\",\"Почта\",\"петр\",\"второй\",\"\",\"\"\n"
                        "\"Root\",\"🎉 party\",\"me\",\"🔑\",\"\",\"\"\n";

class CliKdbxWrite : public ::testing::Test {
protected:
    void SetUp() override {
        m_strDb = m_folder.File("Vault.kdbx");
        m_strCsv = m_folder.File("in.csv");
        WriteBytes(m_strCsv, CSV);
    }

    void Create(const std::string& strPath, const std::string& strPassword) {
        const SCliResult result = RunCli({"create", strPath}, strPassword + "\n");
        ASSERT_EQ(result.nExit, 0) << result.strErr;
    }

    CTempFolder m_folder;
    std::string m_strDb;
    std::string m_strCsv;
};

TEST_F(CliKdbxWrite, CreateMakesAnEmptyDatabaseNamedAfterTheFile) {
    Create(m_strDb, "pw");
    struct stat st {};
    ASSERT_EQ(::stat(m_strDb.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    const SCliResult listed = RunCli({"ls", m_strDb}, "pw\n");
    EXPECT_EQ(listed.nExit, 0) << listed.strErr;
    EXPECT_EQ(listed.strOut, "Vault\n  Vault\n");
    EXPECT_EQ(RunCli({"ls", m_strDb}, "wrong\n").nExit, 1);

    // With a key file and no password.
    const std::string strKeyFile = m_folder.File("key.bin");
    WriteBytes(strKeyFile, "any bytes at all");
    const std::string strKeyed = m_folder.File("Keyed.kdbx");
    const SCliResult keyed = RunCli({"create", strKeyed, "--key-file", strKeyFile}, "\n");
    ASSERT_EQ(keyed.nExit, 0) << keyed.strErr;
    EXPECT_EQ(RunCli({"ls", strKeyed, "--key-file", strKeyFile, "--no-password"}).nExit, 0);

    if (HasKeePassCli()) {
        const SKeePassCliResult oracle = KeePassCliExportXml(m_strDb, "pw");
        ASSERT_EQ(oracle.nExit, 0) << oracle.strErr;
        EXPECT_EQ(KdbxXmlOutline(oracle.strOut), "G Vault\n");
        EXPECT_NE(oracle.strOut.find("<Generator>Keyhaven</Generator>"), std::string::npos);
        EXPECT_EQ(KeePassCliExportXml(strKeyed, std::nullopt, strKeyFile).nExit, 0);
    }
}

TEST_F(CliKdbxWrite, CreateRefusesAndLeavesFilesAlone) {
    Create(m_strDb, "pw");
    const std::string strBefore = ReadBytes(m_strDb);
    const std::string strKhv = m_folder.File("Plain");
    const struct {
        std::vector<std::string> astrArgs;
        std::string strInput;
        int nExit;
    } CASES[] = {
        {{"create", m_strDb}, "other\n", 4},
        {{"create", m_folder.File("New.kdbx")}, "", 2},   // no password given
        {{"create", m_folder.File("New.kdbx")}, "\n", 1}, // empty without a key file
        {{"create", m_folder.File("New.kdbx"), "--key-file", m_folder.File("none")}, "pw\n", 3},
        {{"create", strKhv, "--key-file", m_strCsv}, "k\n", 2},
    };
    for (const auto& c : CASES) {
        const SCliResult result = RunCli(c.astrArgs, c.strInput);
        EXPECT_EQ(result.nExit, c.nExit) << c.astrArgs[1] << ": " << result.strErr;
    }
    EXPECT_EQ(ReadBytes(m_strDb), strBefore);
    EXPECT_FALSE(FileExists(m_folder.File("New.kdbx")));
    EXPECT_FALSE(FileExists(strKhv + ".khv"));

    // A write that fails takes the claimed name back.
    SCliLimits limits;
    limits.nFileSize = 64;
    const SCliResult full = RunCli({"create", m_folder.File("Full.kdbx")}, "pw\n", limits);
    EXPECT_EQ(full.nExit, 4) << full.strErr;
    EXPECT_FALSE(FileExists(m_folder.File("Full.kdbx")));
}

TEST_F(CliKdbxWrite, ImportsCsvAsNestedGroupsInUnicode) {
    Create(m_strDb, "pw");
    const SCliResult imported = RunCli({"import", m_strDb, m_strCsv}, "pw\n");
    ASSERT_EQ(imported.nExit, 0) << imported.strErr;
    EXPECT_EQ(imported.strErr, "Imported 4 accounts in 3 groups; left out: nothing.\n");
    const SCliResult listed = RunCli({"ls", m_strDb}, "pw\n");
    // A path of the root alone is a group named after it, as in a password
    // file.
    EXPECT_EQ(listed.strOut, "Vault\n"
                             "  Vault\n"
                             "    Работа\n"
                             "      Почта\n"
                             "        Почта\n"
                             "        Почта (2)\n"
                             "    Łódź\n"
                             "      Bank żółw\n"
                             "    Root\n"
                             "      🎉 party\n")
        << listed.strErr;
    const SCliResult shown = RunCli({"show", m_strDb, "Работа/Почта", "Почта (2)"}, "pw\n");
    EXPECT_EQ(shown.nExit, 0) << shown.strErr;
    EXPECT_NE(shown.strOut.find("петр"), std::string::npos) << shown.strOut;
    EXPECT_NE(shown.strOut.find("второй"), std::string::npos) << shown.strOut;

    // Again: every title is taken now, so each gets the next suffix.
    ASSERT_EQ(RunCli({"import", m_strDb, m_strCsv}, "pw\n").nExit, 0);
    const SCliResult again = RunCli({"ls", m_strDb}, "pw\n");
    EXPECT_NE(again.strOut.find("        Почта (3)\n        Почта (4)\n"), std::string::npos)
        << again.strOut;
    EXPECT_NE(again.strOut.find("      Bank żółw (2)\n"), std::string::npos) << again.strOut;

    if (HasKeePassCli()) {
        const SKeePassCliResult password = RunKeePassCli(
            {"show", "-q", "-s", "-a", "Password", "-a", "Notes", m_strDb, "Работа/Почта/Почта"},
            "pw\n");
        EXPECT_EQ(password.nExit, 0) << password.strErr;
        EXPECT_EQ(password.strOut, "пароль\nдве\nстроки\n");
        const SKeePassCliResult party =
            RunKeePassCli({"show", "-q", "-s", "-a", "Password", m_strDb, "Root/🎉 party"}, "pw\n");
        EXPECT_EQ(party.strOut, "🔑\n") << party.strErr;
    }
}

TEST_F(CliKdbxWrite, ImportsADatabaseWithItsOwnPassword) {
    const std::string strSource = m_folder.File("Source.kdbx");
    Create(strSource, "src");
    ASSERT_EQ(RunCli({"import", strSource, m_strCsv}, "src\n").nExit, 0);
    Create(m_strDb, "pw");
    const SCliResult imported = RunCli({"import", m_strDb, strSource}, "pw\nsrc\n");
    ASSERT_EQ(imported.nExit, 0) << imported.strErr;
    EXPECT_EQ(imported.strErr, "Imported 4 accounts in 3 groups; left out: nothing.\n");
    const SCliResult shown = RunCli({"show", m_strDb, "Работа/Почта", "Почта"}, "pw\n");
    EXPECT_NE(shown.strOut.find("пароль"), std::string::npos) << shown.strErr;
    const SCliResult party = RunCli({"show", m_strDb, "Root", "🎉 party"}, "pw\n");
    EXPECT_EQ(party.nExit, 0) << party.strErr;

    // A source opened by a key file alone.
    const std::string strKeyFile = m_folder.File("key.bin");
    WriteBytes(strKeyFile, "source key");
    const std::string strKeyed = m_folder.File("Keyed.kdbx");
    ASSERT_EQ(RunCli({"create", strKeyed, "--key-file", strKeyFile}, "\n").nExit, 0);
    const SCliResult fromKeyed = RunCli(
        {"import", m_strDb, strKeyed, "--source-key-file", strKeyFile, "--source-no-password"},
        "pw\n");
    EXPECT_EQ(fromKeyed.nExit, 0) << fromKeyed.strErr;
    EXPECT_EQ(fromKeyed.strErr, "Imported 0 accounts in 0 groups; left out: nothing.\n");
}

TEST_F(CliKdbxWrite, ImportFromADatabaseKeepsItsCustomFields) {
    const std::string strXml =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<KeePassFile><Meta><Generator>t</Generator>"
        "</Meta><Root><Group><UUID>AQEBAQEBAQEBAQEBAQEBAQ==</UUID><Name>Top</Name><Group>"
        "<UUID>AgICAgICAgICAgICAgICAg==</UUID><Name>Банк</Name><Entry>"
        "<UUID>Dd3d3d3d3d3d3d3d3d3d3Q==</UUID>"
        "<String><Key>Title</Key><Value>Карта</Value></String>"
        "<String><Key>Password</Key><Value Protected=\"True\">секрет</Value></String>"
        "<String><Key>Email</Key><Value>a@b.c</Value></String>"
        "<String><Key>PIN</Key><Value Protected=\"True\">4321</Value></String>"
        "<String><Key>otp</Key><Value>otpauth://totp/x?secret=JBSWY3DPEHPK3PXP</Value></String>"
        "<String><Key>Этаж</Key><Value>3</Value></String>"
        "</Entry></Group></Group></Root></KeePassFile>\n";
    const CKdbxBytes bytes = MakeTestKdbx(strXml, SKdbxTestOptions{});
    const std::string strSource = m_folder.File("Source.kdbx");
    WriteBytes(strSource, std::string(bytes.begin(), bytes.end()));
    Create(m_strDb, "pw");
    const SCliResult imported = RunCli({"import", m_strDb, strSource}, "pw\npw\n");
    ASSERT_EQ(imported.nExit, 0) << imported.strErr;
    EXPECT_EQ(imported.strErr, "Imported 1 account in 1 group; left out: nothing.\n");
    const SCliResult shown = RunCli({"show", m_strDb, "Банк", "Карта", "--show-protected"}, "pw\n");
    EXPECT_EQ(shown.nExit, 0) << shown.strErr;
    for (const char* pszLine : {"секрет", "a@b.c", "PIN: 4321\n",
                                "otp: otpauth://totp/x?secret=JBSWY3DPEHPK3PXP\n", "Этаж: 3\n"})
        EXPECT_NE(shown.strOut.find(pszLine), std::string::npos) << pszLine << "\n" << shown.strOut;
    // Its one-time password came along too.
    EXPECT_EQ(RunCli({"totp", m_strDb, "Банк", "Карта", "--at", "0"}, "pw\n").nExit, 0);
}

TEST_F(CliKdbxWrite, FailedImportsLeaveTheDatabaseAlone) {
    Create(m_strDb, "pw");
    const std::string strSource = m_folder.File("Source.kdbx");
    Create(strSource, "src");
    ASSERT_EQ(RunCli({"import", strSource, m_strCsv}, "src\n").nExit, 0);
    const std::string strBad = m_folder.File("bad.csv");
    WriteBytes(strBad, "\"unclosed\n");
    const std::string strBefore = ReadBytes(m_strDb);
    const struct {
        std::vector<std::string> astrArgs;
        std::string strInput;
        int nExit;
    } CASES[] = {
        {{"import", m_strDb, m_strCsv}, "wrong\n", 1},
        {{"import", m_strDb, strSource}, "pw\nwrong\n", 1},
        {{"import", m_strDb, strSource}, "pw\n", 2},
        {{"import", m_strDb, strBad}, "pw\n", 3},
        {{"import", m_strDb, m_folder.File("none.csv")}, "pw\n", 3},
        {{"import", m_strDb, m_strCsv, "--source-no-password"}, "pw\n", 2},
        {{"import", m_folder.File("x.pwd"), strSource, "--source-key-file", m_strCsv}, "k\n", 2},
    };
    for (const auto& c : CASES) {
        const SCliResult result = RunCli(c.astrArgs, c.strInput);
        EXPECT_EQ(result.nExit, c.nExit) << c.astrArgs[2] << ": " << result.strErr;
        EXPECT_EQ(ReadBytes(m_strDb), strBefore) << c.astrArgs[2];
    }
}

} // namespace
