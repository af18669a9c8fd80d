// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliFiles.h"
#include "CliRunner.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sys/stat.h>

namespace {

class CliFind : public ::testing::Test {
protected:
    void SetUp() override {
        m_strPath = m_folder.File("Bank cards.pwd");
        WriteCoreFile(m_strPath, "k",
                      {GroupRecord("Mail"), AccountRecord("card2"), AccountRecord("Bank_card"),
                       GroupRecord("empty"), GroupRecord("Bank"), AccountRecord("Cards"),
                       AccountRecord("Bank-card"), GroupRecord("Caf\xE9"),
                       AccountRecord("\xC9"
                                     "CARD")});
    }

    SCliResult Find(std::vector<std::string> astrArgs) {
        astrArgs.insert(astrArgs.begin(), {"find", m_strPath});
        return RunCli(astrArgs, "k\n");
    }

    CTempFolder m_folder;
    std::string m_strPath;
};

} // namespace

TEST_F(CliFind, PrintsEveryMatchInFindNextOrderWithTheFileItemLast) {
    const SCliResult result = Find({"card"});
    EXPECT_EQ(result.nExit, 0) << result.strErr;
    EXPECT_EQ(result.strOut, "Bank cards\tBank\tBank-card\n"
                             "Bank cards\tBank\tCards\n"
                             "Bank cards\tCaf\xC3\xA9\t\xC3\x89"
                             "CARD\n"
                             "Bank cards\tMail\tBank_card\n"
                             "Bank cards\tMail\tcard2\n"
                             "Bank cards\n");
}

TEST_F(CliFind, MatchCaseAndWholeWordNarrowTheMatches) {
    EXPECT_EQ(Find({"Card", "--match-case"}).strOut, "Bank cards\tBank\tCards\n");
    // Digits, "-" and bytes above 127 separate words, "_" and letters A-Z
    // do not.
    EXPECT_EQ(Find({"--whole-word", "card"}).strOut, "Bank cards\tBank\tBank-card\n"
                                                     "Bank cards\tCaf\xC3\xA9\t\xC3\x89"
                                                     "CARD\n"
                                                     "Bank cards\tMail\tcard2\n");
    // Case folding follows the code page: "é" finds "É".
    EXPECT_EQ(Find({"caf\xC3\xA9"}).strOut, "Bank cards\tCaf\xC3\xA9\n");
}

TEST_F(CliFind, NoMatchIsNotAFailureButBadInputIs) {
    const SCliResult none = Find({"zzz"});
    EXPECT_EQ(none.nExit, 0) << none.strErr;
    EXPECT_EQ(none.strOut, "");
    EXPECT_EQ(Find({""}).strOut, "");
    EXPECT_EQ(RunCli({"find", m_strPath, "card"}, "wrong\n").nExit, 1);
    EXPECT_EQ(RunCli({"find", m_strPath}, "k\n").nExit, 2);
    EXPECT_EQ(RunCli({"find", m_strPath, "x", "--exact"}, "k\n").nExit, 2);
    EXPECT_EQ(RunCli({"find", m_folder.File("missing.pwd"), "x"}, "k\n").nExit, 3);
    // A text the code page cannot hold is refused, not replaced.
    EXPECT_EQ(RunCli({"find", m_strPath, "\xC4\x81"}, "k\n").nExit, 2);
}

TEST(CliFindAllFields, MatchesEveryWordInTheFieldsButNeverThePassword) {
    CTempFolder folder;
    const std::string strPath = folder.File("Home.pwd");
    WriteCoreFile(
        strPath, "k",
        {GroupRecord("Shop"), AccountRecord("Caf\xE9", "jdoe", "hunter2", "https://cafe.example"),
         AccountRecord("Books", "ann", "jdoe-pass", "", "ann@example.org", "Loyalty card"),
         GroupRecord("Bank"), AccountRecord("Savings", "JDOE", "x", "", "", "card 4411")});
    auto find = [&](std::vector<std::string> astrArgs) {
        astrArgs.insert(astrArgs.begin(), {"find", strPath});
        return RunCli(astrArgs, "k\n");
    };
    EXPECT_EQ(find({"--all-fields", "jdoe"}).strOut,
              "Home\tBank\tSavings\nHome\tShop\tCaf\xC3\xA9\n");
    EXPECT_EQ(find({"--all-fields", "CARD example"}).strOut, "Home\tShop\tBooks\n");
    EXPECT_EQ(find({"--all-fields", "cafe jdoe"}).strOut, "Home\tShop\tCaf\xC3\xA9\n");
    EXPECT_EQ(find({"--all-fields", "hunter2"}).strOut, "");
    EXPECT_EQ(find({"--all-fields", "--whole-word", "card"}).nExit, 2);
}

TEST(CliAudit, ListsFindingsWorstFirstAndTellsByItsExitStatus) {
    CTempFolder folder;
    const std::string strPath = folder.File("Home.pwd");
    WriteCoreFile(strPath, "k",
                  {GroupRecord("Web"), AccountRecord("mail", "", "password"),
                   AccountRecord("shop", "", "password"),
                   AccountRecord("bank", "", "vT3#qL9!mZ2&xR7$kP4w"), AccountRecord("old", "")});
    const SCliResult result = RunCli({"audit", strPath}, "k\n");
    EXPECT_EQ(result.nExit, 1) << result.strErr;
    EXPECT_EQ(result.strOut.substr(0, result.strOut.find('\n')), "Web\told\tempty");
    EXPECT_NE(result.strOut.find("Web\tmail\tweak ("), std::string::npos) << result.strOut;
    EXPECT_NE(result.strOut.find("used by 2 accounts (set 1)\nWeb\tshop\t"), std::string::npos);
    EXPECT_EQ(result.strOut.find("bank"), std::string::npos);

    const std::string strList = folder.File("pwned.txt");
    { std::ofstream(strList) << "5BAA61E4C9B93F3F0682250B6CF8331B7EE68FD8:9545824\r\n"; }
    EXPECT_NE(RunCli({"audit", strPath, "--hibp", strList}, "k\n")
                  .strOut.find("seen 9545824 times in breaches"),
              std::string::npos);
    EXPECT_EQ(RunCli({"audit", strPath, "--hibp", folder.File("none.txt")}, "k\n").nExit, 3);
    EXPECT_EQ(RunCli({"audit", strPath, "--threshold", "strong"}, "k\n").nExit, 2);

    const std::string strClean = folder.File("Clean.pwd");
    WriteCoreFile(strClean, "k",
                  {GroupRecord("G"), AccountRecord("a", "", "vT3#qL9!mZ2&xR7$kP4w")});
    const SCliResult clean = RunCli({"audit", strClean}, "k\n");
    EXPECT_EQ(clean.nExit, 0) << clean.strErr;
    EXPECT_EQ(clean.strOut, "");
}

TEST(CliAudit, ABreachListMustBeAnOrderedRegularFile) {
    CTempFolder folder;
    const std::string strPath = folder.File("Home.pwd");
    WriteCoreFile(strPath, "k", {GroupRecord("Web"), AccountRecord("mail", "", "password")});
    // A pipe with no writer would hold open() for ever: refused before the
    // KEY is read, as a device is.
    const std::string strFifo = folder.File("list.fifo");
    ASSERT_EQ(::mkfifo(strFifo.c_str(), 0600), 0);
    for (const std::string& strList : {strFifo, std::string("/dev/null")}) {
        const SCliResult result = RunCli({"audit", strPath, "--hibp", strList}, "k\n");
        EXPECT_EQ(result.nExit, 3) << strList << result.strErr;
        EXPECT_EQ(result.strErr, "keyhaven-cli: " + strList +
                                     " is not a regular file; the breach list is searched on "
                                     "disk, so it must be a downloaded file.\n");
    }
    // A list whose order breaks after its first lines is no answer.
    std::string strList;
    for (int i = 0; i < 3000; ++i) {
        char szLine[64];
        std::snprintf(szLine, sizeof szLine, "%08X%032X:1\r\n", i < 100 ? i : 9000 - i, i);
        strList += szLine;
    }
    strList += "5BAA61E4C9B93F3F0682250B6CF8331B7EE68FD8:9545824\r\n";
    const std::string strListPath = folder.File("joined.txt");
    { std::ofstream(strListPath, std::ios::binary) << strList; }
    const SCliResult result = RunCli({"audit", strPath, "--hibp", strListPath}, "k\n");
    EXPECT_EQ(result.nExit, 3) << result.strErr;
    EXPECT_NE(result.strErr.find("is not in hash order"), std::string::npos) << result.strErr;
}
