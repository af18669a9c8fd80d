#include "cli/KeyReader.h"

#include <cerrno>
#include <csignal>
#include <termios.h>
#include <unistd.h>

namespace {

// The terminal state to put back if a signal ends the program while echo is
// off; a shell left without echo is hard for the user to recover from.
struct termios g_termSaved {};
int g_fdTerm = -1;

constexpr int HIDDEN_INPUT_SIGNALS[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGTSTP};

void RestoreTerminalAndReraise(int nSignal) {
    if (g_fdTerm >= 0)
        ::tcsetattr(g_fdTerm, TCSANOW, &g_termSaved);
    std::signal(nSignal, SIG_DFL);
    std::raise(nSignal);
}

// Echo is off for the lifetime of this object.
class CHiddenInput {
public:
    explicit CHiddenInput(int fd) {
        if (::tcgetattr(fd, &g_termSaved) != 0)
            return;
        g_fdTerm = fd;
        struct sigaction action {};
        action.sa_handler = RestoreTerminalAndReraise;
        sigemptyset(&action.sa_mask);
        for (std::size_t i = 0; i < std::size(HIDDEN_INPUT_SIGNALS); ++i)
            ::sigaction(HIDDEN_INPUT_SIGNALS[i], &action, &m_oldActions[i]);
        struct termios termHidden = g_termSaved;
        termHidden.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        ::tcsetattr(fd, TCSANOW, &termHidden);
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
