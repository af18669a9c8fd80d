#include "CliFiles.h"
#include "CliRunner.h"

#include <gtest/gtest.h>

namespace {

class CliFind : public ::testing::Test {
protected:
    void SetUp() override {
        m_strPath = m_folder.File("Bank cards.pwd");
        WriteCoreFile(m_strPath, "k",
                      {Group("Mail"), Account("card2"), Account("Bank_card"), Group("empty"),
                       Group("Bank"), Account("Cards"), Account("Bank-card"), Group("Caf\xE9"),
                       Account("\xC9"
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
