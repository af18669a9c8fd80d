// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliFiles.h"
#include "CliRunner.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>

namespace {

class CliOutput : public ::testing::Test {
protected:
    CTempFolder m_folder;
};

// Groups b, A, c in the file, their accounts out of order too.
const std::vector<CPasswordInfo> UNSORTED = {
    GroupRecord("b"),     AccountRecord("zeta"), AccountRecord("Alpha"), AccountRecord("alpha"),
    GroupRecord("A"),     AccountRecord("x"),    GroupRecord("c"),       AccountRecord("\xC9t\xE9"),
    AccountRecord("eta"), AccountRecord("Beta"),
};

} // namespace

TEST_F(CliOutput, ListShowsGroupsAndAccountsAlphabeticallyIgnoringCase) {
    const std::string strPath = m_folder.File("Order.PWD");
    WriteCoreFile(strPath, "k", UNSORTED);
    const SCliResult result = RunCli({"ls", strPath}, "k\n");
    EXPECT_EQ(result.nExit, 0) << result.strErr;
    // Names equal but for case keep their file order; "É" sorts after the
    // ASCII letters as its code page byte does.
    EXPECT_EQ(result.strOut, "Order\n"
                             "  A\n    x\n"
                             "  b\n    Alpha\n    alpha\n    zeta\n"
                             "  c\n    Beta\n    eta\n    \xC3\x89t\xC3\xA9\n");
}

TEST_F(CliOutput, ExportFollowsTheFileOrderExactly) {
    const std::string strPath = m_folder.File("Order.pwd");
    WriteCoreFile(
        strPath, "k",
        {GroupRecord("b"), AccountRecord("zeta", "u", "p", "w", "e", "c"), GroupRecord("A")});
    const std::string strLf = "============= b =============\n\n"
                              "Account\t\tzeta\nUser Name\tu\nPassword\tp\nWeb Site\tw\n"
                              "E-Mail\t\te\nComments\tc\n\n"
                              "============= A =============\n\n";
    SCliResult result = RunCli({"export", strPath}, "k\n");
    EXPECT_EQ(result.nExit, 0) << result.strErr;
    EXPECT_EQ(result.strOut, strLf);

    std::string strCrLf;
    for (const char c : strLf)
        strCrLf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    result = RunCli({"export", "--crlf", strPath}, "k\n");
    EXPECT_EQ(result.strOut, strCrLf);

    const std::string strOut = m_folder.File("out.txt");
    result = RunCli({"export", strPath, "-o", strOut, "--crlf"}, "k\n");
    EXPECT_EQ(result.nExit, 0) << result.strErr;
    EXPECT_TRUE(result.strOut.empty());
    EXPECT_EQ(ReadBytes(strOut), strCrLf);
    struct stat st {};
    ASSERT_EQ(::stat(strOut.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u); // it holds every password in plain text

    // An existing OUT is replaced.
    result = RunCli({"export", strPath, "-o=" + strOut}, "k\n");
    EXPECT_EQ(ReadBytes(strOut), strLf);
}

TEST_F(CliOutput, ExportFailuresToWriteExitFour) {
    const std::string strPath = m_folder.File("Out.pwd");
    WriteCoreFile(strPath, "k", {GroupRecord("G")});
    SCliResult result = RunCli({"export", strPath, "-o", m_folder.File("no/such/dir.txt")}, "k\n");
    EXPECT_EQ(result.nExit, 4);
    EXPECT_NE(result.strErr.find("no/such/dir.txt"), std::string::npos) << result.strErr;

    const std::string strReadOnly = m_folder.File("ro.txt");
    WriteBytes(strReadOnly, "old");
    ASSERT_EQ(::chmod(strReadOnly.c_str(), 0400), 0);
    result = RunCli({"export", strPath, "-o", strReadOnly}, "k\n");
    EXPECT_EQ(result.nExit, 4);
    EXPECT_NE(result.strErr.find("it is read-only"), std::string::npos) << result.strErr;
    EXPECT_EQ(ReadBytes(strReadOnly), "old");

    // Exporting over the password file itself would destroy it.
    const std::string strBefore = ReadBytes(strPath);
    result = RunCli({"export", strPath, "-o", strPath}, "k\n");
    EXPECT_EQ(result.nExit, 2);
    EXPECT_EQ(ReadBytes(strPath), strBefore);
}

TEST_F(CliOutput, ExportIntoAPipeWritesThroughItInsteadOfReplacingIt) {
    const std::string strPath = m_folder.File("Fifo.pwd");
    WriteCoreFile(strPath, "k", {GroupRecord("G")});
    const std::string strFifo = m_folder.File("fifo");
    ASSERT_EQ(::mkfifo(strFifo.c_str(), 0600), 0);
    std::string strReceived;
    std::thread reader([&] { strReceived = ReadBytes(strFifo); });
    const SCliResult result = RunCli({"export", strPath, "-o", strFifo}, "k\n");
    reader.join();
    EXPECT_EQ(result.nExit, 0) << result.strErr;
    EXPECT_EQ(strReceived, "============= G =============\n\n");
    struct stat st {};
    ASSERT_EQ(::stat(strFifo.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

TEST_F(CliOutput, StandardOutputThatCannotBeWrittenExitsFour) {
    const std::string strPath = m_folder.File("Full.pwd");
    WriteCoreFile(strPath, "k", {GroupRecord("G")});
    const std::string strCommand =
        std::string(KEYHAVEN_CLI) + " export '" + strPath + "' > /dev/full 2>/dev/null";
    FILE* pPipe = ::popen(strCommand.c_str(), "w");
    ASSERT_NE(pPipe, nullptr);
    std::fputs("k\n", pPipe);
    const int nStatus = ::pclose(pPipe);
    EXPECT_TRUE(WIFEXITED(nStatus));
    EXPECT_EQ(WEXITSTATUS(nStatus), 4);
}

TEST_F(CliOutput, ShowPrintsOneAccountInTheExportLayout) {
    const std::string strPath = m_folder.File("Show.pwd");
    WriteCoreFile(strPath, "k",
                  {GroupRecord("Caf\xE9"),
                   AccountRecord("-Bank-", "me", "pw", "", "", "two\r\nlines"),
                   GroupRecord("Other"), AccountRecord("-Bank-", "other")});
    const SCliResult result = RunCli({"show", strPath, "--", "Caf\xC3\xA9", "-Bank-"}, "k\n");
    EXPECT_EQ(result.nExit, 0) << result.strErr;
    EXPECT_EQ(result.strOut, "Account\t\t-Bank-\nUser Name\tme\nPassword\tpw\nWeb Site\t\n"
                             "E-Mail\t\t\nComments\ttwo\r\nlines\n\n");

    SCliResult missing = RunCli({"show", strPath, "Nope", "x"}, "k\n");
    EXPECT_EQ(missing.nExit, 2);
    EXPECT_NE(missing.strErr.find("no group \"Nope\""), std::string::npos) << missing.strErr;
    missing = RunCli({"show", strPath, "Other", "nope"}, "k\n");
    EXPECT_EQ(missing.nExit, 2);
    EXPECT_NE(missing.strErr.find("no account \"nope\""), std::string::npos) << missing.strErr;
    // Names are exact: case matters.
    EXPECT_EQ(RunCli({"show", strPath, "other", "--", "-Bank-"}, "k\n").nExit, 2);
    // A name the code page cannot hold is refused before the KEY is read.
    missing = RunCli({"show", strPath, "\xE2\x82\xAC\xC4\x81", "x"}, "");
    EXPECT_EQ(missing.nExit, 2);
    EXPECT_NE(missing.strErr.find("U+0101"), std::string::npos) << missing.strErr;
}

TEST_F(CliOutput, FilesThatCannotBeReadExitThree) {
    const std::string strGarbage = m_folder.File("garbage.pwd");
    WriteBytes(strGarbage, std::string("\x05"
                                       "12345\x27\0\0\0",
                                       10));
    for (const char* pszCommand : {"info", "ls", "export", "passwd"}) {
        const SCliResult result = RunCli({pszCommand, strGarbage}, "k\nk\n");
        EXPECT_EQ(result.nExit, 3) << pszCommand;
        EXPECT_EQ(result.strErr, "Unexpected file format.\n");
    }
    const std::string strMissing = m_folder.File("missing.pwd");
    SCliResult result = RunCli({"ls", strMissing}, "k\n");
    EXPECT_EQ(result.nExit, 3);
    EXPECT_EQ(result.strErr, strMissing + "\nFile not found.\n");
    result = RunCli({"info", m_folder.File("")});
    EXPECT_EQ(result.nExit, 3);
    EXPECT_NE(result.strErr.find("An unexpected error occurred while reading"), std::string::npos);
}

TEST_F(CliOutput, FilesAssembledByteByByteReadAndExport) {
    // UTF-16 texts, 32-bit lengths and count, an account before the first
    // group and a group mark other than 1: all forms another writer may use.
    CFileAssembler file("pass", 47, "12", "3", "20");
    file.Count(5, true);
    file.Record(AccountRecord("Stray", "s"));
    file.Record(GroupRecord("Z\xFCrich"), CFileAssembler::ETextForm::wide);
    file.Record(AccountRecord("Tram", "t", "\xA3\x80", "", "", std::string(70000, 'c')),
                CFileAssembler::ETextForm::long32);
    CPasswordInfo second = GroupRecord("Bern");
    second.m_bGroup = 7;
    file.Record(second);
    file.Record(AccountRecord("Bus", std::string("b\0b", 3)), CFileAssembler::ETextForm::wide);
    const std::string strPath = m_folder.File("Foreign.pwd");
    WriteBytes(strPath, file.Bytes());

    EXPECT_EQ(
        RunCli({"info", strPath}).strOut,
        "key: present\ngenerate: 47\nlength: 12\nbegin: 3\nend: 20\ngroups: 2\naccounts: 3\n");
    const SCliResult list = RunCli({"ls", strPath}, "pass\n");
    EXPECT_EQ(list.nExit, 0) << list.strErr;
    EXPECT_EQ(list.strOut, "Foreign\n    Stray\n  Bern\n    Bus\n  Z\xC3\xBCrich\n    Tram\n");

    const SCliResult tram = RunCli({"show", strPath, "Z\xC3\xBCrich", "Tram"}, "pass\n");
    EXPECT_EQ(tram.nExit, 0) << tram.strErr;
    EXPECT_EQ(tram.strOut, "Account\t\tTram\nUser Name\tt\nPassword\t\xC2\xA3\xE2\x82\xAC\n"
                           "Web Site\t\nE-Mail\t\t\nComments\t" +
                               std::string(70000, 'c') + "\n\n");
    const SCliResult stray = RunCli({"show", strPath, "", "Stray"}, "pass\n");
    EXPECT_EQ(stray.nExit, 0) << stray.strErr;
    EXPECT_EQ(stray.strOut.substr(0, 14), "Account\t\tStray");

    const SCliResult exported = RunCli({"export", strPath}, "pass\n");
    EXPECT_EQ(exported.nExit, 0);
    EXPECT_EQ(exported.strOut.substr(0, 14), "Account\t\tStray"); // file order
    EXPECT_NE(exported.strOut.find(std::string("============= Bern =============\n\n"
                                               "Account\t\tBus\nUser Name\tb\0b\n",
                                               61)),
              std::string::npos);
}

TEST_F(CliOutput, SixtyFiveThousandRecordsUseTheLongCount) {
    CFileAssembler file("k");
    const std::uint32_t nRecords = 65536;
    file.Count(nRecords);
    file.Record(GroupRecord("All"));
    for (std::uint32_t i = 1; i < nRecords; ++i)
        file.Record(AccountRecord("a" + std::to_string(i)));
    const std::string strPath = m_folder.File("Many.pwd");
    WriteBytes(strPath, file.Bytes());
    const std::string strInfo = RunCli({"info", strPath}).strOut;
    EXPECT_EQ(strInfo.substr(strInfo.find("groups:")), "groups: 1\naccounts: 65535\n");
    const SCliResult list = RunCli({"ls", strPath}, "k\n");
    EXPECT_EQ(list.nExit, 0);
    EXPECT_EQ(std::count(list.strOut.begin(), list.strOut.end(), '\n'), 65537);
    EXPECT_EQ(list.strOut.substr(0, 24), "Many\n  All\n    a1\n    a1");
    // Rewritten in the program's own form, the records stay the same.
    EXPECT_EQ(RunCli({"passwd", strPath}, "k\nk\n").nExit, 0);
    EXPECT_EQ(RunCli({"ls", strPath}, "k\n").strOut, list.strOut);
}
