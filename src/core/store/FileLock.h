// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/store/FileIO.h"

#include <string>

// An advisory lock on a password file for one read-modify-write: the CLI
// holds it from reading to writing, the program while it checks and writes.
// flock(2) rather than fcntl(2): an fcntl lock belongs to the process and is
// dropped as soon as any descriptor of the file is closed, and the reader
// and writer open and close the file on their own. A flock belongs to this
// object's descriptor alone.
class CFileLock {
public:
    CFileLock() = default;
    ~CFileLock() { Release(); }
    CFileLock(const CFileLock&) = delete;
    CFileLock& operator=(const CFileLock&) = delete;

    // Locks the file at strPath, waiting at most nWaitMs for another holder.
    // A file replaced while waiting (saves rename a new file into place) is
    // locked afresh under its name. A missing file needs no lock: none.
    // busy when the wait runs out; readFailed and friends when it cannot be
    // opened.
    EFileError Acquire(const std::string& strPath, int nWaitMs);
    // Locks a descriptor the caller opened (a file just created), taking it
    // over; busy when someone else holds it.
    EFileError Adopt(int fd);
    void Release();
    bool IsHeld() const { return m_fd >= 0; }

    // How long a second writer waits for the first.
    static constexpr int WAIT_MS = 1500;

private:
    int m_fd = -1;
};
