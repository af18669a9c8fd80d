// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/TermSignals.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// The handler may only write to a descriptor; the event loop reads the other
// end. -1 while no instance listens.
int g_fdWrite = -1;
int g_fdRead = -1;

constexpr std::array<int, 2> END_SIGNALS{SIGTERM, SIGHUP};

extern "C" void OnEndSignal(int nSignal) {
    const int nSavedErrno = errno;
    const auto byte = static_cast<unsigned char>(nSignal);
    if (g_fdWrite >= 0)
        (void)!::write(g_fdWrite, &byte, 1);
    errno = nSavedErrno;
}

} // namespace

CTermSignals::CTermSignals(QObject* pParent) : QObject(pParent) {
    if (g_fdRead >= 0)
        return;
    std::array<int, 2> fds{-1, -1};
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, fds.data()) != 0)
        return;
    g_fdRead = fds[0];
    g_fdWrite = fds[1];
    struct sigaction action {};
    action.sa_handler = OnEndSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int nSignal : END_SIGNALS)
        (void)::sigaction(nSignal, &action, nullptr);
    m_pNotifier = new QSocketNotifier(g_fdRead, QSocketNotifier::Read, this);
    connect(m_pNotifier, &QSocketNotifier::activated, this, &CTermSignals::OnReadable);
}

CTermSignals::~CTermSignals() {
    if (!m_pNotifier)
        return;
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (const int nSignal : END_SIGNALS)
        (void)::sigaction(nSignal, &action, nullptr);
    delete m_pNotifier;
    m_pNotifier = nullptr;
    const int fdWrite = g_fdWrite;
    g_fdWrite = -1;
    ::close(fdWrite);
    ::close(g_fdRead);
    g_fdRead = -1;
}

void CTermSignals::OnReadable() {
    std::array<unsigned char, 16> buffer{};
    ssize_t nRead = 0;
    while ((nRead = ::read(g_fdRead, buffer.data(), buffer.size())) > 0)
        for (ssize_t i = 0; i < nRead; ++i)
            emit EndRequested(buffer[static_cast<std::size_t>(i)]);
}
