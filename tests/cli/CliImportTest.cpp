// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliFiles.h"
#include "CliRunner.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

class CliImport : public ::testing::Test {
protected:
    void SetUp() override {
        m_strFile = m_folder.File("Home.pwd");
        WriteCoreFile(m_strFile, "k",
                      {GroupRecord("Mail"), AccountRecord("Post", "me"), GroupRecord("Work")});
        m_strCsv = m_folder.File("export.CSV");
    }
    CTempFolder m_folder;
    std::string m_strFile;
    std::string m_strCsv;
};

} // namespace

TEST_F(CliImport, AddsTheEntriesAndReportsTheSummary) {
    WriteBytes(m_strCsv, "\xEF\xBB\xBF\"Group\",\"Title\",\"Username\",\"Password\",\"URL\","
                         "\"Notes\",\"TOTP\"\n"
                         "\"Root/Mail\",\"Post\",\"u\",\"p\",\"w\",\"a\nb\",\"otp\"\n"
                         "\"Root/Bank\",\"\xCE\xA9\",\"\",\"\",\"\",\"\",\"\"\n"
                         "\"Root\",\"Top\",\"\",\"\",\"\",\"\",\"\"\n");
    const SCliResult result = RunCli({"import", m_strFile, m_strCsv}, "k\n");
    EXPECT_EQ(result.nExit, 0) << result.strErr;
    EXPECT_EQ(result.strErr, "Imported 2 accounts in 2 groups; left out: 1 entry with characters "
                             "that the code page windows-1252 cannot hold (\"\xCE\xA9\" in Bank), "
                             "1 one-time-password setting.\n\nAccounts that lost something:\n"
                             "\"Post\" in Mail: 1 one-time-password setting\n");
    EXPECT_EQ(RunCli({"ls", m_strFile}, "k\n").strOut,
              "Home\n  Mail\n    Post\n    Post (2)\n  Root\n    Top\n  Work\n");
    EXPECT_EQ(RunCli({"show", m_strFile, "Mail", "Post (2)"}, "k\n").strOut,
              "Account\t\tPost (2)\nUser Name\tu\nPassword\tp\nWeb Site\tw\n"
              "E-Mail\t\t\nComments\ta\r\nb\n\n");
}

TEST_F(CliImport, ChangesNothingOnBadInput) {
    const std::string strBefore = ReadBytes(m_strFile);
    const struct {
        const char* pszName;
        std::string strCsv;
        std::string strSource;
        std::string strKeys;
        int nExit;
        const char* pszMessage;
    } CASES[] = {
        {"unknown header", "a,b\n1,2\n", m_strCsv, "k\n", 3, "url, username, password"},
        {"open quote", "url,username,password\n\"x,y,z\n", m_strCsv, "k\n", 3, "line 2"},
        {"wrong KEY", "url,username,password\nx,y,z\n", m_strCsv, "bad\n", 1, "KEY"},
        {"not a .csv", "url,username,password\nx,y,z\n", m_folder.File("x.txt"), "k\n", 2,
         "SOURCE must end in .csv"},
        {"missing source", "", m_folder.File("none.csv"), "k\n", 3, "none.csv"},
    };
    for (const auto& test : CASES) {
        if (!test.strCsv.empty())
            WriteBytes(test.strSource, test.strCsv);
        const SCliResult result = RunCli({"import", m_strFile, test.strSource}, test.strKeys);
        EXPECT_EQ(result.nExit, test.nExit) << test.pszName << ": " << result.strErr;
        EXPECT_NE(result.strErr.find(test.pszMessage), std::string::npos)
            << test.pszName << ": " << result.strErr;
        EXPECT_EQ(ReadBytes(m_strFile), strBefore) << test.pszName;
    }
}

TEST_F(CliImport, CsvExportIsPrivateAndImportsIntoTheSameTree) {
    const std::string strOut = m_folder.File("out.csv");
    SCliResult result = RunCli({"export", m_strFile, "--format", "csv", "-o", strOut}, "k\n");
    EXPECT_EQ(result.nExit, 0) << result.strErr;
    EXPECT_EQ(ReadBytes(strOut),
              "\"Group\",\"Title\",\"Username\",\"Password\",\"URL\",\"Notes\",\"E-mail\"\n"
              "\"Root/Mail\",\"Post\",\"me\",\"\",\"\",\"\",\"\"\n");
    struct stat st {};
    ASSERT_EQ(stat(strOut.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600U);

    const std::string strNew = m_folder.File("New.pwd");
    WriteCoreFile(strNew, "n", {GroupRecord("Mail")});
    result = RunCli({"import", strNew, strOut}, "n\n");
    EXPECT_EQ(result.nExit, 0) << result.strErr;
    EXPECT_EQ(RunCli({"ls", strNew}, "n\n").strOut, "New\n  Mail\n    Post\n");

    for (const std::vector<std::string>& astrArgs :
         {std::vector<std::string>{"export", m_strFile, "--format", "kdb"},
          std::vector<std::string>{"export", m_strFile, "--format=csv", "--crlf"}}) {
        result = RunCli(astrArgs, "k\n");
        EXPECT_EQ(result.nExit, 2) << astrArgs.back();
        EXPECT_TRUE(result.strOut.empty());
    }
}

TEST_F(CliImport, SealedFileStaysSealedUnderItsKey) {
    const std::string strKhv = m_folder.File("Safe.khv");
    ASSERT_EQ(RunCli({"create", strKhv}, "s\n").nExit, 0);
    WriteBytes(m_strCsv, "name,url,username,password\n,https://a.example/x,u,p\n");
    const SCliResult result = RunCli({"import", strKhv, m_strCsv}, "s\n");
    EXPECT_EQ(result.nExit, 0) << result.strErr;
    EXPECT_EQ(RunCli({"ls", strKhv}, "s\n").strOut,
              "Safe\n  Imported\n    a.example\n  My Passwords\n");
    EXPECT_EQ(RunCli({"ls", strKhv}, "k\n").nExit, 1);
}

// A LastPass export: nested folders, a secure note, a one-time password and
// a favourite mark, which the summary counts and names.
TEST_F(CliImport, ReadsALastPassExportAndNamesWhatItLeavesOut) {
    WriteBytes(m_strCsv, "url,username,password,totp,extra,name,grouping,fav\r\n"
                         "https://mail.example/login,ann,\"p,w\",JBSWY3DPEHPK3PXP,\"first\n"
                         "second\",Webmail,Mail\\Old,1\r\n"
                         "http://sn,,,,door code 4711,Front door,,0\r\n");
    const SCliResult result = RunCli({"import", m_strFile, m_strCsv}, "k\n");
    EXPECT_EQ(result.nExit, 0) << result.strErr;
    EXPECT_EQ(result.strErr,
              "Imported 2 accounts in 2 groups; left out: 1 one-time-password setting, the column "
              "\"fav\".\n\nAccounts that lost something:\n"
              "\"Webmail\" in Mail/Old: 1 one-time-password setting, the column \"fav\"\n");
    EXPECT_EQ(RunCli({"ls", m_strFile}, "k\n").strOut,
              "Home\n  (no folder)\n    Front door\n  Mail\n    Post\n  Mail/Old\n    Webmail\n"
              "  Work\n");
    EXPECT_EQ(RunCli({"show", m_strFile, "Mail/Old", "Webmail"}, "k\n").strOut,
              "Account\t\tWebmail\nUser Name\tann\nPassword\tp,w\n"
              "Web Site\thttps://mail.example/login\nE-Mail\t\t\nComments\tfirst\r\nsecond\n\n");
    EXPECT_EQ(RunCli({"show", m_strFile, "(no folder)", "Front door"}, "k\n").strOut,
              "Account\t\tFront door\nUser Name\t\nPassword\t\nWeb Site\t\nE-Mail\t\t\n"
              "Comments\tdoor code 4711\n\n");
}

TEST_F(CliImport, ASourceOverItsLimitNamesThatLimit) {
    const std::string strBefore = ReadBytes(m_strFile);
    // Sparse files: no disk used.
    const auto fnSparse = [this](const char* pszName, off_t nSize) {
        const std::string strPath = m_folder.File(pszName);
        WriteBytes(strPath, "url,username,password\n");
        EXPECT_EQ(::truncate(strPath.c_str(), nSize), 0);
        return strPath;
    };
    const std::string strCsv = fnSparse("big.csv", 300 << 20);
    const std::string strKdbx = fnSparse("big.kdbx", (off_t(1) << 30) + 1);
    const std::string strKeyFile = fnSparse("key.bin", (64 << 20) + 1);
    const struct {
        std::vector<std::string> astrArgs;
        std::string strMessage;
    } CASES[] = {
        {{"import", m_strFile, strCsv},
         strCsv + " is larger than 256 MB, the largest CSV file that can be imported; it was not "
                  "read.\n"},
        {{"import", m_strFile, strKdbx},
         strKdbx + " is larger than 1 GB, the largest KeePass database that can be imported; it "
                   "was not read.\n"},
        {{"export", m_strFile, "--format", "kdbx", "-o", m_folder.File("out.kdbx"), "--key-file",
          strKeyFile},
         "keyhaven-cli: " + strKeyFile +
             " is larger than 64 MB, the largest key file that is read; it was not read.\n"},
    };
    for (const auto& test : CASES) {
        const SCliResult result = RunCli(test.astrArgs, "k\npw\n");
        EXPECT_EQ(result.nExit, 3) << result.strErr;
        EXPECT_EQ(result.strErr, test.strMessage);
        EXPECT_EQ(ReadBytes(m_strFile), strBefore);
    }
}
