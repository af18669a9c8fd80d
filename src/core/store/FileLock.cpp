// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/store/FileLock.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr auto RETRY_PAUSE = std::chrono::milliseconds(50);

// Whether fd still is the file the path names.
bool StillNamedBy(int fd, const std::string& strPath) {
    struct stat stOpen {};
    struct stat stNamed {};
    return ::fstat(fd, &stOpen) == 0 && ::stat(strPath.c_str(), &stNamed) == 0 &&
           stOpen.st_dev == stNamed.st_dev && stOpen.st_ino == stNamed.st_ino;
}

} // namespace

EFileError CFileLock::Acquire(const std::string& strPath, int nWaitMs) {
    Release();
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(nWaitMs);
    for (;;) {
        const int fd = ::open(strPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0)
            return errno == ENOENT
                       ? EFileError::none
                       : (errno == EACCES ? EFileError::readDenied : EFileError::readFailed);
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            if (StillNamedBy(fd, strPath)) {
                m_fd = fd;
                return EFileError::none;
            }
            ::close(fd); // replaced meanwhile: lock the new file
            continue;
        }
        const int nErrno = errno;
        ::close(fd);
        if (nErrno != EWOULDBLOCK && nErrno != EINTR)
            return EFileError::readFailed;
        if (std::chrono::steady_clock::now() >= end)
            return EFileError::busy;
        std::this_thread::sleep_for(RETRY_PAUSE);
    }
}

EFileError CFileLock::Adopt(int fd) {
    Release();
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return EFileError::busy;
    }
    m_fd = fd;
    return EFileError::none;
}

void CFileLock::Release() {
    if (m_fd >= 0)
        ::close(m_fd); // closing the descriptor drops the lock
    m_fd = -1;
}
