// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRunner.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr int POLL_STEP_MS = 50;
constexpr auto RUN_TIMEOUT = std::chrono::seconds(20);

std::vector<char*> MakeArgv(const std::vector<std::string>& astrArgs,
                            std::vector<std::string>& astrStore) {
    astrStore.assign(1, KEYHAVEN_CLI);
    astrStore.insert(astrStore.end(), astrArgs.begin(), astrArgs.end());
    std::vector<char*> argv;
    for (std::string& str : astrStore)
        argv.push_back(str.data());
    argv.push_back(nullptr);
    return argv;
}

int WaitForExit(pid_t pid) {
    int nStatus = 0;
    while (::waitpid(pid, &nStatus, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(nStatus))
        return WEXITSTATUS(nStatus);
    return WIFSIGNALED(nStatus) ? 128 + WTERMSIG(nStatus) : -1;
}

// Appends whatever fd has; false once it is closed.
bool Drain(int fd, std::string& strOut) {
    char buffer[4096];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n > 0) {
        strOut.append(buffer, static_cast<std::size_t>(n));
        return true;
    }
    return n < 0 && (errno == EINTR || errno == EAGAIN);
}

void SetLimit(int nResource, unsigned long long nLimit) {
    if (nLimit == 0)
        return;
    const rlimit limit{static_cast<rlim_t>(nLimit), static_cast<rlim_t>(nLimit)};
    if (::setrlimit(nResource, &limit) != 0)
        ::_exit(126);
}

void MakePipe(int fds[2]) {
    if (::pipe2(fds, O_CLOEXEC) != 0)
        std::abort();
}

int OpenTerminal() {
    const int fdMaster = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fdMaster < 0 || ::grantpt(fdMaster) != 0 || ::unlockpt(fdMaster) != 0)
        std::abort();
    return fdMaster;
}

// Ends a run on a terminal: kills a program still running at the deadline,
// keeps what it echoed last and closes the terminal. Returns its status.
int EndTerminalRun(pid_t pid, bool bStillRunning, int fdMaster, std::string& strEcho) {
    if (bStillRunning)
        ::kill(pid, SIGKILL);
    const int nExit = WaitForExit(pid);
    pollfd fdLast{fdMaster, POLLIN, 0};
    while (::poll(&fdLast, 1, 0) > 0 && (fdLast.revents & POLLIN) && Drain(fdMaster, strEcho)) {
    }
    ::close(fdMaster);
    return nExit;
}

} // namespace

namespace {

// Standard output of a run, read at fdRead: a pipe, or a terminal that
// passes every byte as written (no CR added before LF). The child's end is
// open from the start, so the terminal's end of output is the child's.
struct SOutput {
    int fdRead = -1;
    int fdWrite = -1;
};

SOutput MakeOutput(bool bTerminal) {
    int fds[2];
    if (!bTerminal) {
        MakePipe(fds);
        return {fds[0], fds[1]};
    }
    const int fdMaster = OpenTerminal();
    const int fdSlave = ::open(::ptsname(fdMaster), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    termios term{};
    if (fdSlave < 0 || ::tcgetattr(fdSlave, &term) != 0)
        std::abort();
    term.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    ::tcsetattr(fdSlave, TCSANOW, &term);
    return {fdMaster, fdSlave};
}

SCliResult Run(const std::vector<std::string>& astrArgs, const std::string& strInput,
               const SCliLimits& limits, bool bTerminalOut) {
    int fdIn[2], fdErr[2];
    MakePipe(fdIn);
    const SOutput output = MakeOutput(bTerminalOut);
    MakePipe(fdErr);
    const int fdOut[2] = {output.fdRead, output.fdWrite};
    std::vector<std::string> astrStore;
    std::vector<char*> argv = MakeArgv(astrArgs, astrStore);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(fdIn[0], 0);
        ::dup2(fdOut[1], 1);
        ::dup2(fdErr[1], 2);
        SetLimit(RLIMIT_AS, limits.nAddressSpace);
        SetLimit(RLIMIT_FSIZE, limits.nFileSize);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(fdIn[0]);
    ::close(fdOut[1]);
    ::close(fdErr[1]);
    // The program may stop reading early (a wrong KEY): a closed pipe is no error.
    ::signal(SIGPIPE, SIG_IGN);

    SCliResult result;
    std::size_t nWritten = 0;
    int fdWrite = fdIn[1];
    if (strInput.empty()) {
        ::close(fdWrite);
        fdWrite = -1;
    }
    bool bOutOpen = true, bErrOpen = true;
    const auto deadline = std::chrono::steady_clock::now() + RUN_TIMEOUT;
    while ((bOutOpen || bErrOpen) && std::chrono::steady_clock::now() < deadline) {
        pollfd fds[3] = {{fdOut[0], POLLIN, 0}, {fdErr[0], POLLIN, 0}, {fdWrite, POLLOUT, 0}};
        ::poll(fds, fdWrite >= 0 ? 3 : 2, POLL_STEP_MS);
        if (bOutOpen && fds[0].revents)
            bOutOpen = Drain(fdOut[0], result.strOut);
        if (bErrOpen && fds[1].revents)
            bErrOpen = Drain(fdErr[0], result.strErr);
        if (fdWrite >= 0 && fds[2].revents) {
            const ssize_t n =
                ::write(fdWrite, strInput.data() + nWritten, strInput.size() - nWritten);
            if (n > 0)
                nWritten += static_cast<std::size_t>(n);
            if (n < 0 || nWritten == strInput.size()) {
                ::close(fdWrite);
                fdWrite = -1;
            }
        }
    }
    if (fdWrite >= 0)
        ::close(fdWrite);
    ::close(fdOut[0]);
    ::close(fdErr[0]);
    if (bOutOpen || bErrOpen)
        ::kill(pid, SIGKILL);
    result.nExit = WaitForExit(pid);
    return result;
}

} // namespace

SCliResult RunCli(const std::vector<std::string>& astrArgs, const std::string& strInput,
                  const SCliLimits& limits) {
    return Run(astrArgs, strInput, limits, false);
}

SCliResult RunCliToTerminal(const std::vector<std::string>& astrArgs, const std::string& strInput) {
    return Run(astrArgs, strInput, {}, true);
}

SCliResult RunCliOnTerminal(const std::vector<std::string>& astrArgs,
                            const std::vector<std::string>& astrAnswers, std::string& strEcho,
                            const std::function<void(std::size_t)>& fnBeforeAnswer) {
    const int fdMaster = OpenTerminal();
    const std::string strSlave = ::ptsname(fdMaster);
    int fdOut[2], fdErr[2];
    MakePipe(fdOut);
    MakePipe(fdErr);
    std::vector<std::string> astrStore;
    std::vector<char*> argv = MakeArgv(astrArgs, astrStore);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::setsid();
        const int fdSlave = ::open(strSlave.c_str(), O_RDWR);
        ::dup2(fdSlave, 0);
        ::dup2(fdOut[1], 1);
        ::dup2(fdErr[1], 2);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(fdOut[1]);
    ::close(fdErr[1]);

    SCliResult result;
    std::size_t nAnswered = 0;
    bool bOutOpen = true, bErrOpen = true;
    const auto deadline = std::chrono::steady_clock::now() + RUN_TIMEOUT;
    while ((bOutOpen || bErrOpen) && std::chrono::steady_clock::now() < deadline) {
        pollfd fds[3] = {{fdOut[0], POLLIN, 0}, {fdErr[0], POLLIN, 0}, {fdMaster, POLLIN, 0}};
        ::poll(fds, 3, POLL_STEP_MS);
        if (bOutOpen && fds[0].revents)
            bOutOpen = Drain(fdOut[0], result.strOut);
        if (bErrOpen && fds[1].revents)
            bErrOpen = Drain(fdErr[0], result.strErr);
        if (fds[2].revents & POLLIN)
            Drain(fdMaster, strEcho);
        // Every prompt ends with its line; answer the ones that have appeared.
        std::size_t nPrompts = 0;
        for (std::size_t nPos = 0; (nPos = result.strErr.find("for:  ", nPos)) != std::string::npos;
             ++nPos)
            ++nPrompts;
        while (nAnswered < astrAnswers.size() && nAnswered < nPrompts) {
            if (fnBeforeAnswer)
                fnBeforeAnswer(nAnswered);
            const std::string strLine = astrAnswers[nAnswered++] + "\n";
            if (::write(fdMaster, strLine.data(), strLine.size()) < 0)
                break;
        }
    }
    ::close(fdOut[0]);
    ::close(fdErr[0]);
    result.nExit = EndTerminalRun(pid, bOutOpen || bErrOpen, fdMaster, strEcho);
    return result;
}

namespace {

bool TerminalEchoes(int fd) {
    termios term{};
    return ::tcgetattr(fd, &term) == 0 && (term.c_lflag & ECHO) != 0;
}

// The job control part of a shell, in the session of the terminal: starts
// the program as the foreground job, reports its stop on fdReport with
// whether the terminal echoes then, continues it and ends with its status.
[[noreturn]] void RunAsShell(const std::string& strSlave, char** argv, int fdErr, int fdReport) {
    ::setsid();
    const int fdSlave = ::open(strSlave.c_str(), O_RDWR);
    const pid_t pidJob = ::fork();
    if (pidJob == 0) {
        ::signal(SIGTTOU, SIG_IGN);
        ::setpgid(0, 0);
        ::tcsetpgrp(fdSlave, ::getpid());
        ::signal(SIGTTOU, SIG_DFL);
        ::dup2(fdSlave, 0);
        ::dup2(::open("/dev/null", O_WRONLY), 1);
        ::dup2(fdErr, 2);
        ::execv(argv[0], argv);
        ::_exit(127);
    }
    int nStatus = 0;
    while (::waitpid(pidJob, &nStatus, WUNTRACED) == pidJob && WIFSTOPPED(nStatus)) {
        const char cReport = TerminalEchoes(fdSlave) ? 'E' : 'S';
        (void)!::write(fdReport, &cReport, 1);
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        ::kill(-pidJob, SIGCONT);
    }
    ::_exit(WIFEXITED(nStatus) ? WEXITSTATUS(nStatus) : 128 + WTERMSIG(nStatus));
}

} // namespace

SCliResult RunCliStoppedAtPrompt(const std::vector<std::string>& astrArgs,
                                 const std::string& strAnswer, std::string& strEcho,
                                 bool& bEchoWhileStopped) {
    const int fdMaster = OpenTerminal();
    int fdErr[2], fdReport[2];
    MakePipe(fdErr);
    MakePipe(fdReport);
    std::vector<std::string> astrStore;
    std::vector<char*> argv = MakeArgv(astrArgs, astrStore);
    const pid_t pid = ::fork();
    if (pid == 0)
        RunAsShell(::ptsname(fdMaster), argv.data(), fdErr[1], fdReport[1]);
    ::close(fdErr[1]);
    ::close(fdReport[1]);

    SCliResult result;
    enum { prompt, stopped, continued, typed } eStep = prompt;
    bool bErrOpen = true;
    auto typeAt = std::chrono::steady_clock::time_point::max();
    const auto deadline = std::chrono::steady_clock::now() + RUN_TIMEOUT;
    while (bErrOpen && std::chrono::steady_clock::now() < deadline) {
        pollfd fds[3] = {{fdErr[0], POLLIN, 0}, {fdMaster, POLLIN, 0}, {fdReport[0], POLLIN, 0}};
        ::poll(fds, 3, POLL_STEP_MS);
        if (fds[0].revents)
            bErrOpen = Drain(fdErr[0], result.strErr);
        if (fds[1].revents & POLLIN)
            Drain(fdMaster, strEcho);
        char cReport = 0;
        if (eStep == prompt && result.strErr.find("for:  ") != std::string::npos) {
            (void)!::write(fdMaster, "\x1a", 1); // Ctrl-Z
            eStep = stopped;
        } else if (eStep == stopped && (fds[2].revents & POLLIN) &&
                   ::read(fdReport[0], &cReport, 1) == 1) {
            bEchoWhileStopped = cReport == 'E';
            eStep = continued;
            typeAt = std::chrono::steady_clock::now() + std::chrono::seconds(3);
        } else if (eStep == continued &&
                   (!TerminalEchoes(fdMaster) || std::chrono::steady_clock::now() > typeAt)) {
            const std::string strLine = strAnswer + "\n";
            (void)!::write(fdMaster, strLine.data(), strLine.size());
            eStep = typed;
        }
    }
    ::close(fdErr[0]);
    ::close(fdReport[0]);
    result.nExit = EndTerminalRun(pid, bErrOpen, fdMaster, strEcho);
    return result;
}

void ExpectCliResult(const SCliResult& result, int nExit, const std::string& strExpected) {
    EXPECT_EQ(result.nExit, nExit) << result.strErr;
    if (nExit == 0)
        EXPECT_EQ(result.strOut, strExpected);
    else
        EXPECT_NE(result.strErr.find(strExpected), std::string::npos) << result.strErr;
}
