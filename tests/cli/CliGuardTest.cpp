// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliFiles.h"
#include "CliRunner.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The "Max core file size" line of a process's limits: soft and hard.
std::string CoreLimit(pid_t pid) {
    std::ifstream limits("/proc/" + std::to_string(pid) + "/limits");
    std::string strLine;
    while (std::getline(limits, strLine)) {
        if (strLine.rfind("Max core file size", 0) != 0)
            continue;
        std::istringstream words(strLine.substr(18));
        std::string strSoft, strHard;
        words >> strSoft >> strHard;
        return strSoft + " " + strHard;
    }
    return "?";
}

} // namespace

TEST(CliGuard, RunsWithoutCoreFilesEvenWhenStartedWithThemAllowed) {
    CTempFolder folder;
    const std::string strPath = folder.File("Guarded.pwd");
    int aPipe[2];
    ASSERT_EQ(pipe(aPipe), 0);
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        // Core files allowed as far as the hard limit lets.
        rlimit allowed{};
        getrlimit(RLIMIT_CORE, &allowed);
        allowed.rlim_cur = allowed.rlim_max;
        setrlimit(RLIMIT_CORE, &allowed);
        dup2(aPipe[0], STDIN_FILENO);
        close(aPipe[0]);
        close(aPipe[1]);
        execl(KEYHAVEN_CLI, KEYHAVEN_CLI, "create", strPath.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(aPipe[0]);
    // While it waits for the KEY on its input, it has switched core files off.
    std::string strLimit;
    for (int i = 0; i < 100 && strLimit != "0 0"; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        strLimit = CoreLimit(pid);
    }
    EXPECT_EQ(strLimit, "0 0");
    const std::string strKeys = "k\nk\n";
    EXPECT_EQ(write(aPipe[1], strKeys.data(), strKeys.size()), ssize_t(strKeys.size()));
    close(aPipe[1]);
    int nStatus = 0;
    ASSERT_EQ(waitpid(pid, &nStatus, 0), pid);
    EXPECT_TRUE(WIFEXITED(nStatus) && WEXITSTATUS(nStatus) == 0) << nStatus;
    EXPECT_EQ(RunCli({"info", strPath}, "k\n").nExit, 0);
}

TEST(CliGuard, PlainTextIsNeverWrittenForAnotherUser) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "files and links of another user need the superuser";
    constexpr uid_t OTHER = 43210;
    CTempFolder folder;
    const std::string strFile = folder.File("Home.pwd");
    WriteCoreFile(strFile, "k", {GroupRecord("G"), AccountRecord("a", "u", "secret")});
    const std::string strShared = folder.File("tmp");
    ::mkdir(strShared.c_str(), 01777);
    ::chmod(strShared.c_str(), 01777);
    const std::string strTheirs = strShared + "/theirs.txt";
    WriteBytes(strTheirs, "theirs");
    ASSERT_EQ(::chown(strTheirs.c_str(), OTHER, OTHER), 0);
    ::chmod(strTheirs.c_str(), 0666);
    const std::string strPlanted = strShared + "/Caught.pwd";
    ASSERT_EQ(::symlink(folder.File("Caught.pwd").c_str(), strPlanted.c_str()), 0);
    ASSERT_EQ(::lchown(strPlanted.c_str(), OTHER, OTHER), 0);

    // Her own folder, open to all but not sticky, and her link there to the
    // user's own file; her link in the sticky folder to the user's folder.
    const std::string strHers = folder.File("hers");
    ::mkdir(strHers.c_str(), 0777);
    ::chmod(strHers.c_str(), 0777);
    ASSERT_EQ(::chown(strHers.c_str(), OTHER, OTHER), 0);
    const std::string strMine = folder.File("mine.txt");
    WriteBytes(strMine, "mine");
    const std::string strReport = strHers + "/report.txt";
    ASSERT_EQ(::symlink(strMine.c_str(), strReport.c_str()), 0);
    ASSERT_EQ(::lchown(strReport.c_str(), OTHER, OTHER), 0);
    const std::string strHome = folder.File("home");
    ::mkdir(strHome.c_str(), 0700);
    const std::string strDirLink = strShared + "/dir";
    ASSERT_EQ(::symlink(strHome.c_str(), strDirLink.c_str()), 0);
    ASSERT_EQ(::lchown(strDirLink.c_str(), OTHER, OTHER), 0);

    // Her file is hers; her links and folders could redirect the text.
    constexpr const char* DENIED = "it is read-only or opened by someone else";
    constexpr const char* UNSAFE = "another user can change a folder on the way to it";
    const struct {
        std::vector<std::string> astrArgs;
        const char* pszMessage;
    } CASES[] = {
        {{"export", strFile, "-o", strTheirs}, DENIED},
        {{"export", strFile, "-o", strPlanted}, UNSAFE},
        {{"convert", strFile, strPlanted}, UNSAFE},
        {{"export", strFile, "-o", strReport}, UNSAFE},
        {{"export", strFile, "--format", "csv", "-o", strReport}, UNSAFE},
        {{"export", strFile, "-o", strDirLink + "/out.txt"}, UNSAFE},
        {{"convert", strFile, strDirLink + "/Out.pwd"}, UNSAFE},
        {{"export", strFile, "-o", strHers + "/new.txt"}, UNSAFE},
    };
    for (const auto& test : CASES) {
        const SCliResult result = RunCli(test.astrArgs, "k\n");
        EXPECT_EQ(result.nExit, 4) << test.astrArgs.back() << result.strErr;
        EXPECT_NE(result.strErr.find(test.pszMessage), std::string::npos) << result.strErr;
    }
    EXPECT_EQ(ReadBytes(strTheirs), "theirs");
    EXPECT_FALSE(std::filesystem::exists(folder.File("Caught.pwd")));
    EXPECT_EQ(ReadBytes(strMine), "mine");
    EXPECT_TRUE(std::filesystem::is_empty(strHome));
    EXPECT_FALSE(std::filesystem::exists(strHers + "/new.txt"));
}

TEST(CliGuard, PlainTextIsNeverWrittenIntoAFolderAnyoneMayChange) {
    CTempFolder folder;
    const std::string strFile = folder.File("Home.pwd");
    WriteCoreFile(strFile, "k", {GroupRecord("G"), AccountRecord("a", "u", "secret")});
    const std::string strOpen = folder.File("open");
    ::mkdir(strOpen.c_str(), 0777);
    ::chmod(strOpen.c_str(), 0777);
    for (const std::vector<std::string>& astrArgs :
         {std::vector<std::string>{"export", strFile, "-o", strOpen + "/out.txt"},
          std::vector<std::string>{"export", strFile, "--format", "csv", "-o", strOpen + "/o.csv"},
          std::vector<std::string>{"convert", strFile, strOpen + "/Out.pwd"}}) {
        const SCliResult result = RunCli(astrArgs, "k\n");
        EXPECT_EQ(result.nExit, 4) << astrArgs.back() << result.strErr;
        EXPECT_EQ(result.strErr, astrArgs.back() +
                                     " was not written: another user can change a folder on the "
                                     "way to it, or put a link there, and could catch the "
                                     "passwords. Choose a folder of your own.\n");
    }
    EXPECT_TRUE(std::filesystem::is_empty(strOpen));
    // Once only its owner may change it, the same export is written.
    ::chmod(strOpen.c_str(), 0700);
    EXPECT_EQ(RunCli({"export", strFile, "-o", strOpen + "/out.txt"}, "k\n").nExit, 0);
    EXPECT_NE(ReadBytes(strOpen + "/out.txt").find("secret"), std::string::npos);
}
