// SPDX-License-Identifier: GPL-3.0-or-later
// The guards around a password file on disk: the lock of a read-modify-write,
// the stamp that notices another program's change, and the size limit.

#include "TestFiles.h"
#include "core/store/FileIO.h"
#include "core/store/FileLock.h"
#include "core/store/FileStamp.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <dlfcn.h>
#include <fcntl.h>
#include <functional>
#include <future>
#include <sys/file.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace {

// Runs once, inside the next flock of this process, before the lock is
// taken: another program's save can come exactly there.
std::function<void()> g_fnBeforeNextFlock;

} // namespace

// Every flock of this test program passes here (the file lock's own
// included), and goes on to the C library's.
extern "C" int flock(int fd, int nOperation) noexcept {
    using CFlock = int (*)(int, int);
    static const auto pNext = reinterpret_cast<CFlock>(::dlsym(RTLD_NEXT, "flock"));
    if (auto fnBefore = std::exchange(g_fnBeforeNextFlock, {}))
        fnBefore();
    return pNext(fd, nOperation);
}

namespace {

// Whether someone else holds the lock of the file the path names now.
bool IsLockedByOthers(const std::string& strPath) {
    const int fd = ::open(strPath.c_str(), O_RDONLY | O_CLOEXEC);
    const bool bLocked = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
    ::close(fd);
    return bLocked;
}

} // namespace

TEST(FileLock, ASecondLockWaitsAndIsBusyUntilTheFirstGoes) {
    CTempFolder folder;
    const std::string strPath = folder.File("a.pwd");
    WriteBytes(strPath, "a");
    CFileLock first;
    ASSERT_EQ(first.Acquire(strPath, 0), EFileError::none);
    CFileLock second;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(second.Acquire(strPath, 200), EFileError::busy);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(200));
    EXPECT_FALSE(second.IsHeld());
    first.Release();
    EXPECT_EQ(second.Acquire(strPath, 0), EFileError::none);
    EXPECT_TRUE(IsLockedByOthers(strPath));
}

TEST(FileLock, AFileReplacedWhileTheLockWaitsIsLockedUnderItsName) {
    CTempFolder folder;
    const std::string strPath = folder.File("a.pwd");
    WriteBytes(strPath, "old");
    CFileLock holder; // keeps the old file locked throughout
    ASSERT_EQ(holder.Acquire(strPath, 0), EFileError::none);
    CFileLock waiter;
    auto result = std::async(std::launch::async, [&] { return waiter.Acquire(strPath, 3000); });
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    // Another program saves the way this one does: a new file renamed in.
    WriteBytes(folder.File("new"), "new");
    ASSERT_EQ(std::rename(folder.File("new").c_str(), strPath.c_str()), 0);
    ASSERT_EQ(result.wait_for(std::chrono::seconds(2)), std::future_status::ready);
    EXPECT_EQ(result.get(), EFileError::none);
    EXPECT_TRUE(IsLockedByOthers(strPath));
}

TEST(FileLock, AFileReplacedBetweenItsOpeningAndItsLockIsNotTheOneLocked) {
    CTempFolder folder;
    const std::string strPath = folder.File("a.pwd");
    WriteBytes(strPath, "old");
    WriteBytes(folder.File("new"), "new");
    // Another program saves the way this one does after the lock opened
    // the old file and before it locks it: the lock it got is on a file
    // that no name gives any more, so the new one is locked instead.
    bool bReplaced = false;
    g_fnBeforeNextFlock = [&]() {
        bReplaced = std::rename(folder.File("new").c_str(), strPath.c_str()) == 0;
    };
    CFileLock lock;
    ASSERT_EQ(lock.Acquire(strPath, 0), EFileError::none);
    ASSERT_TRUE(bReplaced);
    EXPECT_TRUE(lock.IsHeld());
    EXPECT_TRUE(IsLockedByOthers(strPath));
}

TEST(FileStamp, ADeletedFileIsNoChangeAndALinkIsJudgedByItsFile) {
    CTempFolder folder;
    const std::string strPath = folder.File("a.pwd");
    WriteBytes(strPath, "bytes");
    const CFileStamp stamp(strPath, "bytes");
    ::unlink(strPath.c_str());
    EXPECT_FALSE(stamp.HasChangedOnDisk());
    WriteBytes(strPath, "other");
    EXPECT_TRUE(stamp.HasChangedOnDisk());

    // Opened through a link: the file behind it is what changes.
    const std::string strLink = folder.File("link.pwd");
    ASSERT_EQ(::symlink(strPath.c_str(), strLink.c_str()), 0);
    const CFileStamp linked(strLink, "other");
    EXPECT_TRUE(linked.IsFor(strPath));
    EXPECT_FALSE(linked.HasChangedOnDisk());
    WriteBytes(folder.File("new"), "newer");
    ASSERT_EQ(std::rename(folder.File("new").c_str(), strPath.c_str()), 0);
    EXPECT_TRUE(linked.HasChangedOnDisk());
}

TEST(FileStamp, AnyChangedByteOfAnEqualSizeIsAChangeAndEqualBytesAreNone) {
    CTempFolder folder;
    const std::string strPath = folder.File("a.pwd");
    // Sizes around the hash's blocks of 32 and words of 8 bytes.
    for (const std::size_t nSize : {1u, 7u, 8u, 31u, 32u, 33u, 71u}) {
        std::string strBytes(nSize, '\0');
        for (std::size_t i = 0; i < nSize; ++i)
            strBytes[i] = static_cast<char>(i * 7);
        WriteBytes(strPath, strBytes);
        const CFileStamp stamp(strPath, strBytes);
        for (std::size_t i = 0; i < nSize; ++i) {
            std::string strChanged = strBytes;
            strChanged[i] = static_cast<char>(strChanged[i] ^ 0x10);
            WriteBytes(folder.File("new"), strChanged);
            ASSERT_EQ(std::rename(folder.File("new").c_str(), strPath.c_str()), 0);
            EXPECT_TRUE(stamp.HasChangedOnDisk()) << nSize << " " << i;
        }
        // Copied back unchanged under a new identity: nothing to lose.
        WriteBytes(folder.File("new"), strBytes);
        ASSERT_EQ(std::rename(folder.File("new").c_str(), strPath.c_str()), 0);
        EXPECT_FALSE(stamp.HasChangedOnDisk()) << nSize;
    }
}

TEST(FileRead, TheSizeLimitTakesAFileOfExactlyThatSize) {
    CTempFolder folder;
    const std::string strPath = folder.File("a.pwd");
    WriteBytes(strPath, std::string(64, 'x'));
    std::string strBytes;
    EXPECT_EQ(ReadWholeFile(strPath, strBytes, 64), EFileError::none);
    EXPECT_EQ(strBytes.size(), 64u);
    EXPECT_EQ(ReadWholeFile(strPath, strBytes, 63), EFileError::tooLarge);
}
