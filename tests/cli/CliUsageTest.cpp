// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRunner.h"
#include "core/base/Version.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ctime>

namespace {

void ExpectUsageError(const std::vector<std::string>& astrArgs, const std::string& strInMessage) {
    const SCliResult result = RunCli(astrArgs, "key\n");
    EXPECT_EQ(result.nExit, 2) << astrArgs.front() << ": " << result.strErr;
    EXPECT_NE(result.strErr.find(strInMessage), std::string::npos) << result.strErr;
    EXPECT_TRUE(result.strOut.empty());
}

// The generator rules written out again, separately from the program's code:
// the 32-bit linear congruential source and the class filter.
std::string ReferencePassword(std::uint32_t nSeed, int nFlags, int nBegin, int nEnd, int nLength) {
    if ((nFlags & 0x1F) == 0)
        return {};
    std::uint32_t nState = nSeed;
    auto rand = [&nState] {
        nState = nState * 214013u + 2531011u;
        return static_cast<int>((nState >> 16) & 0x7FFF);
    };
    long long nTarget = nLength;
    if (nFlags & 0x20) {
        const long long nLow = std::min(nBegin, nEnd), nHigh = std::max(nBegin, nEnd);
        nTarget = nLow == nHigh ? nLow : nLow + rand() % (nHigh - nLow + 1);
    }
    std::string strOut;
    do {
        for (;;) {
            const char c = static_cast<char>(rand() % 95 + 32);
            const bool bUpper = c >= 'A' && c <= 'Z', bLower = c >= 'a' && c <= 'z';
            const bool bDigit = c >= '0' && c <= '9', bSpace = c == ' ';
            const int nClass = bUpper ? 1 : bLower ? 2 : bDigit ? 4 : bSpace ? 16 : 8;
            if (nFlags & nClass) {
                strOut += c;
                break;
            }
        }
    } while (static_cast<long long>(strOut.size()) < nTarget);
    return strOut;
}

std::string Generate(const std::vector<std::string>& astrOptions) {
    std::vector<std::string> astrArgs{"generate"};
    astrArgs.insert(astrArgs.end(), astrOptions.begin(), astrOptions.end());
    const SCliResult result = RunCli(astrArgs);
    EXPECT_EQ(result.nExit, 0) << result.strErr;
    EXPECT_TRUE(result.strErr.empty());
    EXPECT_EQ(result.strOut.back(), '\n');
    return result.strOut.substr(0, result.strOut.size() - 1);
}

} // namespace

TEST(CliUsage, BadCommandLinesExitTwoWithAMessage) {
    ExpectUsageError({}, "no command given");
    ExpectUsageError({"frobnicate"}, "argument 1 is no command");
    ExpectUsageError({"ls"}, "missing arguments");
    ExpectUsageError({"info", "a.pwd", "b.pwd"}, "too many arguments (argument 3 is extra)");
    ExpectUsageError({"show", "a.pwd", "Group"}, "Usage: keyhaven-cli show FILE GROUP ACCOUNT");
    ExpectUsageError({"export", "a.pwd", "--bogus"}, "unknown option (argument 3)");
    ExpectUsageError({"export", "a.pwd", "-o"}, "option -o needs a value");
    ExpectUsageError({"export", "a.pwd", "--crlf=yes"}, "unknown option (argument 3)");
    ExpectUsageError({"--help", "ls"}, "--help takes no arguments");
    ExpectUsageError({"--version", "x"}, "--version takes no arguments");
}

TEST(CliUsage, ALoneDashIsAnOrdinaryArgument) {
    // Not an option and not standard input: a command, a file name or an
    // extra argument like any other word.
    ExpectUsageError({"-"}, "argument 1 is no command");
    ExpectUsageError({"generate", "-"}, "too many arguments (argument 2 is extra)");
    ExpectUsageError({"show", "a.pwd", "-"}, "missing arguments");
    const SCliResult result = RunCli({"info", "-"}, "key\n");
    EXPECT_EQ(result.nExit, 3) << result.strErr;
    EXPECT_EQ(result.strErr, "-\nFile not found.\n");
    EXPECT_TRUE(result.strOut.empty());
}

TEST(CliUsage, NumbersMustBeWholeAndInRange) {
    ExpectUsageError({"generate", "--flags", "x"}, "--flags needs a whole number");
    ExpectUsageError({"generate", "--length", "12abc"}, "--length needs a whole number");
    ExpectUsageError({"generate", "--begin", " 5"}, "--begin needs a whole number");
    ExpectUsageError({"generate", "--end", ""}, "--end needs a whole number");
    ExpectUsageError({"generate", "--end", "-"}, "--end needs a whole number");
    ExpectUsageError({"generate", "--length", "2147483648"}, "--length is out of range");
    // Numbers past 64 bits are refused as such, never wrapped.
    ExpectUsageError({"generate", "--seed", "99999999999999999999"}, "--seed is out of range");
    ExpectUsageError({"generate", "--seed", "-9223372036854775809"}, "--seed is out of range");
    ExpectUsageError({"generate", "--length", std::string(50, '9')}, "--length is out of range");
    ExpectUsageError({"generate", "--flags", "-" + std::string(50, '4')},
                     "--flags is out of range");
    ExpectUsageError({"generate", "extra"}, "too many arguments");
}

TEST(CliUsage, HelpCoversEveryCommandOptionAndExitStatus) {
    const SCliResult result = RunCli({"--help"});
    EXPECT_EQ(result.nExit, 0);
    for (const char* pszText : {"info FILE",
                                "ls FILE",
                                "show FILE GROUP ACCOUNT",
                                "export FILE [--format text|csv|kdbx] [-o OUT] [--crlf]",
                                "import FILE SOURCE [--key-file PATH] [--no-password] "
                                "[--source-key-file PATH]",
                                "[--source-no-password] [--allow-slow-kdf]",
                                "create FILE [--key-file PATH]",
                                "passwd FILE",
                                "--flags N",
                                "--begin N",
                                "--end N",
                                "--length N",
                                "--seed SECONDS",
                                "KEY for:  NAME",
                                "\"\\r\\n\"",
                                "key: present",
                                "accounts: N",
                                "Exit status",
                                "  0  done",
                                "  1  ",
                                "  2  usage",
                                "  3  ",
                                "  4  "})
        EXPECT_NE(result.strOut.find(pszText), std::string::npos) << pszText;
    EXPECT_EQ(RunCli({"-h"}).strOut, result.strOut);
}

TEST(CliUsage, VersionIsTheProgramVersion) {
    for (const char* pszOption : {"--version", "-v"}) {
        const SCliResult result = RunCli({pszOption});
        EXPECT_EQ(result.nExit, 0) << pszOption;
        EXPECT_EQ(result.strOut.substr(0, result.strOut.find('\n') + 1),
                  "keyhaven-cli " KEYHAVEN_VERSION "\n");
        EXPECT_NE(result.strOut.find("\nLicense GPL-3.0-or-later"), std::string::npos);
        EXPECT_NE(result.strOut.find("NO WARRANTY"), std::string::npos);
    }
}

TEST(CliUsage, CommandHelpPrintsThatCommandsUsageAlone) {
    // Each command with what its own part of the help says first, and a
    // command line that would be refused without --help.
    const struct {
        std::vector<std::string> astrArgs;
        const char* pszUsage;
        const char* pszOwnText;
    } CASES[] = {
        {{"info", "--help"}, "keyhaven-cli info FILE", "Show the file's header"},
        {{"export", "a.pwd", "--bogus", "-h"}, "keyhaven-cli export FILE [--format", "--crlf"},
        {{"import", "--help"}, "keyhaven-cli import FILE SOURCE", "(no folder)"},
        {{"generate", "--help", "--flags", "x"}, "keyhaven-cli generate [--flags N]", "4096"},
        {{"show", "--help"}, "keyhaven-cli show FILE GROUP ACCOUNT", "case-sensitive"},
        {{"find", "--help"}, "keyhaven-cli find FILE TEXT", "--whole-word a match"},
    };
    for (const auto& test : CASES) {
        const SCliResult result = RunCli(test.astrArgs);
        EXPECT_EQ(result.nExit, 0) << test.pszUsage << result.strErr;
        EXPECT_EQ(result.strOut.rfind(std::string("Usage: ") + test.pszUsage, 0), 0u)
            << result.strOut;
        EXPECT_NE(result.strOut.find(test.pszOwnText), std::string::npos) << result.strOut;
        // Only that command: no other command's part, no exit statuses.
        EXPECT_EQ(result.strOut.find("passwd FILE"), std::string::npos) << result.strOut;
        EXPECT_EQ(result.strOut.find("Exit status"), std::string::npos) << result.strOut;
    }
    // After "--", or as an option's value, it is a name like any other.
    ExpectUsageError({"info", "--", "--help", "x"}, "too many arguments");
    const SCliResult named = RunCli({"export", "missing.pwd", "-o", "--help"}, "k\n");
    EXPECT_EQ(named.nExit, 3) << named.strErr;
}

TEST(CliGenerate, KnownSeedsGiveKnownPasswords) {
    // Worked out by hand from the random source, outside this code base.
    EXPECT_EQ(Generate({"--seed", "1234567890"}), "P8wgLX0");
    EXPECT_EQ(Generate({"--seed=0"}), "8U41p6Z");
    EXPECT_EQ(Generate({"--seed", "-1"}), "QUpf0vdP"); // the seed wraps to 32 bits
    EXPECT_EQ(Generate({"--seed", "42", "--flags", "16", "--length", "4"}), "    ");
    EXPECT_EQ(Generate({"--seed", "7", "--flags", "12", "--begin", "3", "--end", "12"}), "]/*..$");
    EXPECT_EQ(Generate({"--seed", "99", "--flags", "47", "--begin", "20", "--end", "10"}),
              "WtLC,5eO|FbxWaS<ody");
    EXPECT_EQ(Generate({"--seed", "1700000000", "--flags", "8", "--begin", "5", "--end", "5",
                        "--length", "3"}),
              "=+<");
}

TEST(CliGenerate, WithoutSeedTheClockGivesNothingAway) {
    // Two runs in the same second: the seeded generator would repeat itself.
    const std::string strDefault = Generate({});
    EXPECT_GE(strDefault.size(), 5u);
    EXPECT_LE(strDefault.size(), 8u);
    const std::string strFirst = Generate({"--flags", "15", "--length", "24"});
    const std::string strSecond = Generate({"--flags", "15", "--length", "24"});
    EXPECT_EQ(strFirst.size(), 24u);
    EXPECT_NE(strFirst, strSecond);
    for (std::time_t nSecond = std::time(nullptr) - 2; nSecond <= std::time(nullptr) + 2; ++nSecond)
        EXPECT_NE(strFirst,
                  Generate({"--seed", std::to_string(nSecond), "--flags", "15", "--length", "24"}));
}

TEST(CliGenerate, MatchesTheRulesOverManySeedsAndSettings) {
    const struct {
        int nFlags, nBegin, nEnd, nLength;
    } SETTINGS[] = {{39, 5, 8, 6},   {0x0F, 1, 1, 12},  {0x3F, 30, 2, 1},
                    {0x08, 0, 0, 0}, {0x11, -4, -9, 5}, {0x27, 12, 12, 0}};
    for (const auto& s : SETTINGS) {
        for (std::uint32_t nSeed : {3u, 1000u, 1733500000u}) {
            EXPECT_EQ(
                Generate({"--seed", std::to_string(nSeed), "--flags", std::to_string(s.nFlags),
                          "--begin", std::to_string(s.nBegin), "--end", std::to_string(s.nEnd),
                          "--length", std::to_string(s.nLength)}),
                ReferencePassword(nSeed, s.nFlags, s.nBegin, s.nEnd, s.nLength))
                << "flags " << s.nFlags << " seed " << nSeed;
        }
    }
}

TEST(CliGenerate, NoClassGivesAnEmptyLineAndHugeLengthsAreBounded) {
    EXPECT_EQ(Generate({"--flags", "32"}), "");
    EXPECT_EQ(Generate({"--flags", "4", "--length", "2147483647", "--seed", "1"}).size(), 4096u);
}
