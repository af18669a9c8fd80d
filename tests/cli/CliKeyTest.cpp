// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliFiles.h"
#include "CliRunner.h"
#include "core/store/FileIO.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

const std::vector<CPasswordInfo> SAMPLE = {
    GroupRecord("Web"),
    AccountRecord("Mail", "anna", "pa55\xE9", "https://mail.example", "anna@example.org",
                  "line1\r\nline2"),
    AccountRecord("Bank", "a.b", "s3cret", "", "", ""),
    GroupRecord("Empty"),
};

constexpr const char* EXPECTED_SAMPLE_EXPORT =
    "============= Web =============\n\n"
    "Account\t\tMail\nUser Name\tanna\nPassword\tpa55\xC3\xA9\nWeb Site\thttps://mail.example\n"
    "E-Mail\t\tanna@example.org\nComments\tline1\r\nline2\n\n"
    "Account\t\tBank\nUser Name\ta.b\nPassword\ts3cret\nWeb Site\t\nE-Mail\t\t\nComments\t\n\n"
    "============= Empty =============\n\n";

class CliKey : public ::testing::Test {
protected:
    std::string Create(const std::string& strName, const std::string& strInput) {
        const std::string strPath = m_folder.File(strName);
        const SCliResult result = RunCli({"create", strPath}, strInput);
        EXPECT_EQ(result.nExit, 0) << result.strErr;
        return strPath;
    }
    // Whether the KEY line opens the file.
    int ExitOfList(const std::string& strPath, const std::string& strInput) {
        return RunCli({"ls", strPath}, strInput).nExit;
    }

    CTempFolder m_folder;
};

} // namespace

TEST_F(CliKey, CreateMakesANewFileWithOneGroupAndTheNewFileHeader) {
    const std::string strPath = Create("Home.pwd", "abc\n");
    struct stat st {};
    ASSERT_EQ(::stat(strPath.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    const SCliResult info = RunCli({"info", strPath});
    EXPECT_EQ(info.nExit, 0);
    // A new file carries the strong generator settings.
    EXPECT_EQ(info.strOut, "key: present\ngenerate: 47\nlength: 16\nbegin: 16\nend: 20\n"
                           "groups: 1\naccounts: 0\n");
    const SCliResult list = RunCli({"ls", strPath}, "abc\n");
    EXPECT_EQ(list.nExit, 0) << list.strErr;
    EXPECT_EQ(list.strOut, "Home\n  My Passwords\n");
}

TEST_F(CliKey, CreateNeverReplacesAFileAndRefusesAnEmptyOrMissingKey) {
    const std::string strPath = m_folder.File("taken.pwd");
    WriteBytes(strPath, "precious");
    SCliResult result = RunCli({"create", strPath}, "abc\n");
    EXPECT_EQ(result.nExit, 4);
    EXPECT_NE(result.strErr.find("already exists"), std::string::npos);
    EXPECT_EQ(ReadBytes(strPath), "precious");
    // The file is refused before any KEY is read: without one it is still
    // the file, not the missing KEY, that ends the command.
    result = RunCli({"create", strPath}, "");
    EXPECT_EQ(result.nExit, 4);
    EXPECT_NE(result.strErr.find("already exists"), std::string::npos) << result.strErr;
    EXPECT_EQ(ReadBytes(strPath), "precious");

    const std::string strNew = m_folder.File("new.pwd");
    result = RunCli({"create", strNew}, "\n");
    EXPECT_EQ(result.nExit, 1);
    EXPECT_EQ(result.strErr, "Your KEY is invalid!\n");
    EXPECT_FALSE(FileExists(strNew));

    result = RunCli({"create", strNew}, "");
    EXPECT_EQ(result.nExit, 2);
    EXPECT_NE(result.strErr.find("no KEY was given"), std::string::npos);
    EXPECT_FALSE(FileExists(strNew));

    result = RunCli({"create", m_folder.File("missing/folder.pwd")}, "abc\n");
    EXPECT_EQ(result.nExit, 4);
    EXPECT_NE(result.strErr.find("An unexpected error occurred while writing"), std::string::npos)
        << result.strErr;
}

TEST_F(CliKey, PasswdWithTheSameKeyLeavesTheFileByteIdentical) {
    const std::string strPath = Create("Same.pwd", "k3y  \n");
    const std::string strBefore = ReadBytes(strPath);
    const SCliResult result = RunCli({"passwd", strPath}, "k3y  \nk3y  \n");
    EXPECT_EQ(result.nExit, 0) << result.strErr;
    EXPECT_EQ(ReadBytes(strPath), strBefore);

    // The same holds for a file with records, written by the program's writer.
    const std::string strFull = m_folder.File("Full.pwd");
    WriteCoreFile(strFull, "old", SAMPLE);
    const std::string strFullBefore = ReadBytes(strFull);
    EXPECT_EQ(RunCli({"passwd", strFull}, "old\r\nold\n").nExit, 0);
    EXPECT_EQ(ReadBytes(strFull), strFullBefore);
}

TEST_F(CliKey, PasswdReenciphersEveryRecordUnderTheNewKey) {
    const std::string strPath = m_folder.File("Rekey.pwd");
    WriteCoreFile(strPath, "old", SAMPLE);
    const std::string strBefore = ReadBytes(strPath);
    const SCliResult result = RunCli({"passwd", strPath}, "old\nnew\n");
    ASSERT_EQ(result.nExit, 0) << result.strErr;
    EXPECT_NE(ReadBytes(strPath), strBefore);

    const SCliResult oldKey = RunCli({"export", strPath}, "old\n");
    EXPECT_EQ(oldKey.nExit, 1);
    EXPECT_EQ(oldKey.strErr, "Your KEY is invalid!\n");
    EXPECT_TRUE(oldKey.strOut.empty());
    const SCliResult newKey = RunCli({"export", strPath}, "new\n");
    EXPECT_EQ(newKey.nExit, 0) << newKey.strErr;
    EXPECT_EQ(newKey.strOut, EXPECTED_SAMPLE_EXPORT);
    EXPECT_EQ(RunCli({"info", strPath}).strOut,
              "key: present\ngenerate: 39\nlength: 6\nbegin: 5\nend: 8\ngroups: 2\naccounts: 2\n");
}

TEST_F(CliKey, PasswdRefusalsLeaveTheFileAlone) {
    const std::string strPath = m_folder.File("Keep.pwd");
    WriteCoreFile(strPath, "old", SAMPLE);
    const std::string strBefore = ReadBytes(strPath);

    SCliResult result = RunCli({"passwd", strPath}, "wrong\nnew\n");
    EXPECT_EQ(result.nExit, 1);
    EXPECT_EQ(result.strErr, "Original KEY is invalidate!\nYou can not change Key!\n");
    result = RunCli({"passwd", strPath}, "old\n\n");
    EXPECT_EQ(result.nExit, 1);
    EXPECT_EQ(result.strErr, "New KEY is invalidate!\n");
    result = RunCli({"passwd", strPath}, "old\n");
    EXPECT_EQ(result.nExit, 2);
    EXPECT_EQ(ReadBytes(strPath), strBefore);

    ASSERT_EQ(::chmod(strPath.c_str(), 0400), 0);
    result = RunCli({"passwd", strPath}, "old\nnew\n");
    EXPECT_EQ(result.nExit, 4);
    EXPECT_EQ(result.strErr, "File is READ-ONLY, you can't change its KEY.\n");
    EXPECT_EQ(ReadBytes(strPath), strBefore);
}

TEST_F(CliKey, WrongKeyExitsOneWithoutOutput) {
    const std::string strPath = m_folder.File("Locked.pwd");
    WriteCoreFile(strPath, "right", SAMPLE);
    for (const std::vector<std::string>& astrArgs : std::vector<std::vector<std::string>>{
             {"ls", strPath}, {"export", strPath}, {"show", strPath, "Web", "Mail"}}) {
        const SCliResult result = RunCli(astrArgs, "Right\n");
        EXPECT_EQ(result.nExit, 1) << astrArgs.front();
        EXPECT_EQ(result.strErr, "Your KEY is invalid!\n");
        EXPECT_TRUE(result.strOut.empty());
    }
}

TEST_F(CliKey, AFileWithoutKeyIsRefusedButItsHeaderShows) {
    const std::string strPath = m_folder.File("NoKey.pwd");
    WriteCoreFile(strPath, "", SAMPLE, false);
    for (const char* pszCommand : {"ls", "export", "passwd"}) {
        const SCliResult result = RunCli({pszCommand, strPath}, "x\ny\n");
        EXPECT_EQ(result.nExit, 1) << pszCommand;
        EXPECT_NE(result.strErr.find("The file hasn't its KEY"), std::string::npos);
    }
    const SCliResult info = RunCli({"info", strPath});
    EXPECT_EQ(info.nExit, 0);
    EXPECT_EQ(info.strOut.substr(0, 12), "key: absent\n");

    // A zero-length file holds no KEY either.
    const std::string strEmpty = m_folder.File("Zero.pwd");
    WriteBytes(strEmpty, "");
    EXPECT_EQ(RunCli({"show", strEmpty, "a", "b"}, "x\n").nExit, 1);
    EXPECT_EQ(RunCli({"info", strEmpty}).strOut,
              "key: absent\ngenerate: 39\nlength: 6\nbegin: 5\nend: 8\ngroups: 0\naccounts: 0\n");
}

TEST_F(CliKey, KeyLinesKeepTheirBlanksAndLoseOnlyTheLineEnd) {
    // Eight blanks after an 8-byte KEY fill a block of their own, so they
    // change the check value: a reader that trimmed them would open the file
    // with the bare KEY.
    const std::string strPath = Create("Blanks.pwd", "abcdefgh        \n");
    EXPECT_EQ(ExitOfList(strPath, "abcdefgh\n"), 1);
    EXPECT_EQ(ExitOfList(strPath, "abcdefgh        \n"), 0);
    EXPECT_EQ(ExitOfList(strPath, "abcdefgh        \r\n"), 0);
    EXPECT_EQ(ExitOfList(strPath, "abcdefgh        "), 0); // last line without a line end
    // Blanks inside the last block pad to the same value, as in the desktop program.
    EXPECT_EQ(ExitOfList(strPath, "abcdefgh         \n"), 0);
    EXPECT_EQ(ExitOfList(strPath, "\tabcdefgh        \n"), 1);
    // Only "\r" right before "\n" belongs to the line end.
    const std::string strCr = Create("Cr.pwd", "abcdefgh\r\r\n");
    EXPECT_EQ(ExitOfList(strCr, "abcdefgh\n"), 1);
    EXPECT_EQ(ExitOfList(strCr, "abcdefgh\r\n"), 1);
    EXPECT_EQ(ExitOfList(strCr, "abcdefgh\r\r\n"), 0);
}

TEST_F(CliKey, KeysAreUtf8ConvertedToTheCodePage) {
    const std::string strPath = m_folder.File("Accent.pwd");
    WriteCoreFile(strPath, "\xE9t\xE9", SAMPLE); // "été" in the code page
    EXPECT_EQ(ExitOfList(strPath, "\xC3\xA9t\xC3\xA9\n"), 0);
    EXPECT_EQ(ExitOfList(strPath, "\xE9t\xE9\n"), 2);                // not UTF-8
    const SCliResult result = RunCli({"ls", strPath}, "\xC4\x81\n"); // U+0101
    EXPECT_EQ(result.nExit, 2);
    // Said without naming the character: it is a part of the KEY.
    EXPECT_EQ(result.strErr,
              "keyhaven-cli: the KEY holds a character that the code page windows-1252 cannot "
              "hold\n");
}

TEST_F(CliKey, OverlongKeyLinesAreRefused) {
    const std::string strPath = Create("Long.pwd", std::string(65536, 'k') + "\n");
    EXPECT_EQ(ExitOfList(strPath, std::string(65536, 'k') + "\r\n"), 0);
    const SCliResult result = RunCli({"ls", strPath}, std::string(65537, 'k') + "\n");
    EXPECT_EQ(result.nExit, 2);
    EXPECT_NE(result.strErr.find("longer than 65536"), std::string::npos);
}
