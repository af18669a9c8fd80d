#include "CliRunner.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include <sys/resource.h>
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
    const std::string strPath = folder.Path("Guarded.pwd");
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
