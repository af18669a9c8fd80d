// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/KeyReader.h"

#include <cerrno>
#include <csignal>
#include <termios.h>
#include <unistd.h>

namespace {

// The terminal state to put back if a signal ends or stops the program
// while echo is off; a shell left without echo is hard for the user to
// recover from.
struct termios g_termSaved {};
int g_fdTerm = -1;

constexpr int HIDDEN_INPUT_SIGNALS[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGTSTP, SIGCONT};

void HideEcho(int fd) {
    struct termios termHidden = g_termSaved;
    termHidden.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    ::tcsetattr(fd, TCSANOW, &termHidden);
}

void OnHiddenInputSignal(int nSignal);

void CatchSignal(int nSignal, struct sigaction* pOld) {
    struct sigaction action {};
    action.sa_handler = OnHiddenInputSignal;
    sigemptyset(&action.sa_mask);
    ::sigaction(nSignal, &action, pOld);
}

// Only async-signal-safe calls: tcsetattr, tcgetattr, sigaction, sigprocmask
// and raise.
void OnHiddenInputSignal(int nSignal) {
    const int nSavedErrno = errno;
    if (nSignal == SIGCONT) {
        // Continued after a stop the program could not see (SIGSTOP): the
        // shell may have put echo back on in the meantime.
        if (g_fdTerm >= 0)
            HideEcho(g_fdTerm);
        errno = nSavedErrno;
        return;
    }
    if (g_fdTerm >= 0)
        ::tcsetattr(g_fdTerm, TCSANOW, &g_termSaved);
    std::signal(nSignal, SIG_DFL);
    sigset_t setSignal;
    sigemptyset(&setSignal);
    sigaddset(&setSignal, nSignal);
    ::sigprocmask(SIG_UNBLOCK, &setSignal, nullptr);
    std::raise(nSignal);
    // Only a stop comes back here, once the shell continues the program
    // (fg): the KEY is still being typed, so echo goes off again, from the
    // terminal state the shell left.
    CatchSignal(nSignal, nullptr);
    if (g_fdTerm >= 0) {
        ::tcgetattr(g_fdTerm, &g_termSaved);
        HideEcho(g_fdTerm);
    }
    errno = nSavedErrno;
}

// Echo is off for the lifetime of this object.
class CHiddenInput {
public:
    explicit CHiddenInput(int fd) {
        if (::tcgetattr(fd, &g_termSaved) != 0)
            return;
        g_fdTerm = fd;
        for (std::size_t i = 0; i < std::size(HIDDEN_INPUT_SIGNALS); ++i)
            CatchSignal(HIDDEN_INPUT_SIGNALS[i], &m_oldActions[i]);
        HideEcho(fd);
    }
    ~CHiddenInput() {
        if (g_fdTerm < 0)
            return;
        ::tcsetattr(g_fdTerm, TCSANOW, &g_termSaved);
        for (std::size_t i = 0; i < std::size(HIDDEN_INPUT_SIGNALS); ++i)
            ::sigaction(HIDDEN_INPUT_SIGNALS[i], &m_oldActions[i], nullptr);
        g_fdTerm = -1;
    }
    CHiddenInput(const CHiddenInput&) = delete;
    CHiddenInput& operator=(const CHiddenInput&) = delete;

private:
    struct sigaction m_oldActions[std::size(HIDDEN_INPUT_SIGNALS)]{};
};

} // namespace

CKeyReader::CKeyReader(int fdInput, int fdPrompt) : m_fdInput(fdInput), m_fdPrompt(fdPrompt) {}

bool CKeyReader::IsTerminal() const {
    return ::isatty(m_fdInput) == 1;
}

CKeyReader::EResult CKeyReader::ReadKey(const std::string& strPrompt, std::string& strKey) {
    strKey.clear();
    if (IsTerminal())
        return ReadTyped(strPrompt, strKey);
    return ReadLine(strKey);
}

// Reads byte by byte so that nothing past this line is taken from the input:
// the next KEY may be the next line.
CKeyReader::EResult CKeyReader::ReadLine(std::string& strLine) {
    strLine.clear();
    bool bAny = false;
    for (;;) {
        char c = 0;
        const ssize_t n = ::read(m_fdInput, &c, 1);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return EResult::failed;
        if (n == 0 && !bAny)
            return EResult::endOfInput;
        bAny = true;
        if (n == 0 || c == '\n') {
            if (n > 0 && !strLine.empty() && strLine.back() == '\r')
                strLine.pop_back();
            return strLine.size() > MAX_KEY_LENGTH ? EResult::tooLong : EResult::ok;
        }
        // One byte more than the limit may still be the "\r" of the line end.
        if (strLine.size() > MAX_KEY_LENGTH)
            return EResult::tooLong;
        strLine += c;
    }
}

CKeyReader::EResult CKeyReader::ReadTyped(const std::string& strPrompt, std::string& strKey) {
    EResult eResult = EResult::ok;
    {
        // Echo goes off before the prompt shows, so nothing typed after the
        // prompt can appear. The prompt is a label above the input, as in
        // the desktop dialog.
        CHiddenInput hidden(m_fdInput);
        WritePrompt(strPrompt + "\n");
        eResult = ReadLine(strKey);
    }
    // The user's Enter was not echoed either.
    WritePrompt("\n");
    return eResult;
}

void CKeyReader::WritePrompt(const std::string& strText) {
    const char* p = strText.data();
    std::size_t nLeft = strText.size();
    while (nLeft > 0) {
        const ssize_t n = ::write(m_fdPrompt, p, nLeft);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        p += n;
        nLeft -= static_cast<std::size_t>(n);
    }
}
