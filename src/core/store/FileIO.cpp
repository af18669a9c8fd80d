// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/store/FileIO.h"

#include "core/base/Prompts.h"
#include "core/base/StringTable.h"
#include "core/base/TextUtil.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

EFileError ReadErrorOf(int nErrno) {
    switch (nErrno) {
    case ENOENT:
    case ENOTDIR:
        return EFileError::notFound;
    case EACCES:
    case EPERM:
        return EFileError::readDenied;
    default:
        return EFileError::readFailed;
    }
}

EFileError WriteErrorOf(int nErrno) {
    switch (nErrno) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return EFileError::diskFull;
    case EACCES:
    case EPERM:
    case EROFS:
        return EFileError::writeDenied;
    default:
        return EFileError::writeFailed;
    }
}

bool WriteAll(int fd, const char* p, std::size_t n) {
    while (n > 0) {
        const ssize_t nDone = ::write(fd, p, n);
        if (nDone < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += nDone;
        n -= static_cast<std::size_t>(nDone);
    }
    return true;
}

void SyncFolder(const std::string& strFolder) {
    const int fd = ::open(strFolder.empty() ? "." : strFolder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

std::string FileErrorMessage(EFileError eError, const std::string& strPath) {
    switch (eError) {
    case EFileError::none:
        return {};
    case EFileError::notFound:
        return FormatText(IDS_FILE_NOT_FOUND, strPath);
    case EFileError::badFormat:
        return IDS_UNEXPECTED_FORMAT;
    case EFileError::readDenied:
        return FormatText(IDS_READ_DENIED, strPath);
    case EFileError::writeDenied:
        return FormatText(IDS_WRITE_DENIED, strPath);
    case EFileError::diskFull:
        return IDS_DISK_FULL;
    case EFileError::readFailed:
        return FormatText(IDS_READ_FAILED, strPath);
    case EFileError::writeFailed:
        return FormatText(IDS_WRITE_FAILED, strPath);
    case EFileError::keyUnknown:
        return FormatText(IDS_SEAL_NEEDS_KEY, strPath);
    case EFileError::tooLarge:
        return FormatText(IDS_FILE_TOO_LARGE, strPath);
    case EFileError::outOfMemory:
        return FormatText(IDS_OUT_OF_MEMORY, strPath);
    case EFileError::keyOutOfMemory:
        return FormatText(IDS_KEY_OUT_OF_MEMORY, strPath);
    case EFileError::sealOutOfMemory:
        return FormatText(IDS_SEAL_OUT_OF_MEMORY, strPath);
    case EFileError::busy:
        return FormatText(IDS_FILE_BUSY, strPath);
    }
    return {};
}

bool HasPwdExtension(const std::string& strPath) {
    return EndsWithNoCaseAscii(strPath, PWD_EXTENSION);
}

bool HasKhvExtension(const std::string& strPath) {
    return EndsWithNoCaseAscii(strPath, KHV_EXTENSION);
}

bool HasDocumentExtension(const std::string& strPath) {
    return HasPwdExtension(strPath) || HasKhvExtension(strPath);
}

bool IsReadableWithoutKey(const std::string& strPath) {
    return HasPwdExtension(strPath);
}

std::string FileLabel(const std::string& strFileName) {
    if (!HasDocumentExtension(strFileName))
        return strFileName;
    static_assert(std::string_view(PWD_EXTENSION).size() == std::string_view(KHV_EXTENSION).size());
    return strFileName.substr(0, strFileName.size() - std::string_view(PWD_EXTENSION).size());
}

std::string FileNameOf(const std::string& strPath) {
    const auto nSlash = strPath.find_last_of('/');
    return nSlash == std::string::npos ? strPath : strPath.substr(nSlash + 1);
}

std::string FolderOf(const std::string& strPath) {
    const auto nSlash = strPath.find_last_of('/');
    return nSlash == std::string::npos ? std::string() : strPath.substr(0, nSlash + 1);
}

EFileError ReadWholeFile(const std::string& strPath, std::string& strBytes, std::size_t nMaxBytes) {
    strBytes.clear();
    // Without O_NONBLOCK, opening a pipe waits for a writer that may never
    // come; anything but a regular file is refused below anyway.
    const int fd = ::open(strPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return ReadErrorOf(errno);
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return EFileError::readFailed;
    }
    if (static_cast<std::size_t>(st.st_size) > nMaxBytes) {
        ::close(fd);
        return EFileError::tooLarge;
    }
    try {
        strBytes.resize(static_cast<std::size_t>(st.st_size));
    } catch (const std::bad_alloc&) {
        ::close(fd);
        return EFileError::outOfMemory;
    }
    std::size_t nDone = 0;
    while (nDone < strBytes.size()) {
        const ssize_t n = ::read(fd, strBytes.data() + nDone, strBytes.size() - nDone);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        nDone += static_cast<std::size_t>(n);
    }
    const int nErrno = errno;
    ::close(fd);
    if (nDone != strBytes.size()) {
        strBytes.clear();
        return nErrno == 0 ? EFileError::readFailed : ReadErrorOf(nErrno);
    }
    return EFileError::none;
}

namespace {

// Temporary copies carry this mark after the target's name, so a copy left
// by a save that was killed is recognised and removed by the next one.
constexpr const char* TEMP_MARK = ".khtmp-";

std::string TempPrefixOf(const std::string& strPath) {
    return FolderOf(strPath) + "." + FileNameOf(strPath) + TEMP_MARK;
}

// Removes the temporary copies of earlier saves of strPath that were never
// finished: ours, regular files, of the recognisable name only.
void RemoveStaleTemps(const std::string& strPath) {
    const std::string strFolder = FolderOf(strPath);
    const std::string strStart = "." + FileNameOf(strPath) + TEMP_MARK;
    DIR* pDir = ::opendir(strFolder.empty() ? "." : strFolder.c_str());
    if (!pDir)
        return;
    while (const dirent* pEntry = ::readdir(pDir)) {
        const std::string strName = pEntry->d_name;
        // mkstemp's six characters follow the mark.
        if (strName.size() != strStart.size() + 6 || strName.rfind(strStart, 0) != 0)
            continue;
        const std::string strStale = strFolder + strName;
        struct stat st {};
        if (::lstat(strStale.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid())
            ::unlink(strStale.c_str());
    }
    ::closedir(pDir);
}

// Writes what fnProduce gives to fd and counts it; on failure nErrno holds
// the write's error (EIO when the producer stopped on its own).
bool WriteProduced(int fd, const CByteProducer& fnProduce, off_t& nWritten, int& nErrno) {
    nWritten = 0;
    nErrno = 0;
    const bool bDone = fnProduce([&](std::string_view piece) {
        if (!WriteAll(fd, piece.data(), piece.size())) {
            nErrno = errno;
            return false;
        }
        nWritten += static_cast<off_t>(piece.size());
        return true;
    });
    if (!bDone && nErrno == 0)
        nErrno = EIO;
    return bDone;
}

// Writes bytes over the existing file itself, keeping its inode (and so its
// links, owner and mode); only called once a whole copy is safe beside it.
EFileError WriteInPlace(const std::string& strPath, const CByteProducer& fnProduce) {
    const int fd = ::open(strPath.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return WriteErrorOf(errno);
    off_t nWritten = 0;
    int nProduceErrno = 0;
    bool bOk = WriteProduced(fd, fnProduce, nWritten, nProduceErrno);
    errno = nProduceErrno;
    bOk = bOk && ::ftruncate(fd, nWritten) == 0 && ::fsync(fd) == 0;
    const int nErrno = errno;
    if (::close(fd) != 0)
        bOk = false;
    return bOk ? EFileError::none : WriteErrorOf(nErrno);
}

// Gives the new file the old one's owner and group. The superuser always
// may; others only keep their own file's group, and only when they belong to
// it. False when either would change: the file is then written in place,
// which keeps both (a file of ours in a group we left stays in that group).
bool GiveOwner(int fd, const struct stat& stOld) {
    return ::fchown(fd, stOld.st_uid, stOld.st_gid) == 0;
}

} // namespace

EFileError PlainTextTargetError(const std::string& strPath) {
    const uid_t nUser = ::geteuid();
    std::string strLink = strPath;
    for (int nDepth = 0; nDepth < 40; ++nDepth) {
        struct stat stLink {};
        if (::lstat(strLink.c_str(), &stLink) != 0 || !S_ISLNK(stLink.st_mode))
            break;
        const std::string strFolder = FolderOf(strLink);
        struct stat stFolder {};
        const bool bShared = ::stat(strFolder.empty() ? "." : strFolder.c_str(), &stFolder) == 0 &&
                             (stFolder.st_mode & S_ISVTX) != 0 && (stFolder.st_mode & S_IWOTH) != 0;
        if (bShared && stLink.st_uid != nUser && stLink.st_uid != 0)
            return EFileError::writeDenied;
        std::string strTarget(PATH_MAX, '\0');
        const ssize_t n = ::readlink(strLink.c_str(), strTarget.data(), strTarget.size());
        if (n <= 0)
            break;
        strTarget.resize(static_cast<std::size_t>(n));
        strLink = strTarget[0] == '/' ? strTarget : strFolder + strTarget;
    }
    struct stat st {};
    if (::stat(strPath.c_str(), &st) != 0 || st.st_uid == nUser)
        return EFileError::none;
    // A terminal or /dev/null may be root's; a file never: it would keep
    // the text where its owner reads it.
    return !S_ISREG(st.st_mode) && st.st_uid == 0 ? EFileError::none : EFileError::writeDenied;
}

EFileError WriteFileAtomic(const std::string& strTarget, const std::string& strBytes,
                           EWriteMode eMode) {
    return WriteFileAtomic(
        strTarget, [&strBytes](const CByteSink& fnSink) { return fnSink(strBytes); }, eMode);
}

EFileError WriteFileAtomic(const std::string& strTarget, const CByteProducer& fnProduce,
                           EWriteMode eMode) {
    if (eMode == EWriteMode::plainText) {
        const EFileError eError = PlainTextTargetError(strTarget);
        if (eError != EFileError::none)
            return eError;
    }
    // A link is followed: the file it names is replaced, the link stays.
    std::string strPath = strTarget;
    struct stat stOld {};
    const bool bExists = ::stat(strPath.c_str(), &stOld) == 0;
    if (bExists) {
        char* pszReal = ::realpath(strTarget.c_str(), nullptr);
        if (pszReal) {
            strPath = pszReal;
            std::free(pszReal);
        }
        // Renaming over a device or a pipe would replace it with a file.
        if (!S_ISREG(stOld.st_mode))
            return EFileError::writeFailed;
    } else {
        // A dangling link names the file to create: its target, not the link.
        strPath = DanglingLinkTarget(strTarget);
    }
    // rename() would happily replace a file the user may not write.
    if (bExists && IsReadOnlyFile(strPath))
        return EFileError::writeDenied;

    const std::string strFolder = FolderOf(strPath);
    std::string strTemp = TempPrefixOf(strPath) + "XXXXXX";
    std::vector<char> szTemp(strTemp.begin(), strTemp.end());
    szTemp.push_back('\0');
    const int fd = ::mkstemp(szTemp.data()); // mode 0600
    if (fd < 0)
        return WriteErrorOf(errno);
    strTemp = szTemp.data();

    off_t nWritten = 0;
    int nProduceErrno = 0;
    bool bOk = WriteProduced(fd, fnProduce, nWritten, nProduceErrno);
    errno = nProduceErrno;
    bOk = bOk && ::fsync(fd) == 0;
    const bool bKeep = bExists && eMode == EWriteMode::keepAttributes;
    // A file with other links, or one whose owner this process cannot give
    // the copy, is written in place once the copy is safe: renaming would
    // split its links or hand it to the saver.
    bool bInPlace = bKeep && stOld.st_nlink > 1;
    if (bOk && bKeep && !GiveOwner(fd, stOld))
        bInPlace = true;
    // The copy stays 0600 while it is written; its final mode comes last.
    if (bOk && !bInPlace)
        bOk = ::fchmod(fd, bKeep ? (stOld.st_mode & 07777) : 0600) == 0;
    int nErrno = errno;
    if (::close(fd) != 0 && bOk) {
        bOk = false;
        nErrno = errno;
    }
    EFileError eError = bOk ? EFileError::none : WriteErrorOf(nErrno);
    if (bOk && bInPlace) {
        eError = WriteInPlace(strPath, fnProduce);
        // Should the in-place write fail, the whole copy is the user's data:
        // it stays beside the file.
        if (eError == EFileError::none)
            ::unlink(strTemp.c_str());
    } else if (bOk && ::rename(strTemp.c_str(), strPath.c_str()) != 0) {
        eError = WriteErrorOf(errno);
    }
    if (eError != EFileError::none) {
        if (!bInPlace || !bOk)
            ::unlink(strTemp.c_str());
        return eError;
    }
    SyncFolder(strFolder);
    RemoveStaleTemps(strPath);
    return EFileError::none;
}

EFileError CopyFileAtomic(const std::string& strFrom, const std::string& strTo) {
    std::string strBytes;
    const EFileError eRead = ReadWholeFile(strFrom, strBytes);
    if (eRead != EFileError::none)
        return eRead;
    // A backup holds the user's secrets whatever the mode of an older one.
    return WriteFileAtomic(strTo, strBytes, EWriteMode::privateFile);
}

std::string DanglingLinkTarget(const std::string& strPath) {
    std::string strLink = strPath;
    // A chain of links is followed as the system would, within its limit.
    for (int nDepth = 0; nDepth < 40; ++nDepth) {
        struct stat st {};
        if (::lstat(strLink.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return strLink;
        std::string strTarget(PATH_MAX, '\0');
        const ssize_t n = ::readlink(strLink.c_str(), strTarget.data(), strTarget.size());
        if (n <= 0)
            return strLink;
        strTarget.resize(static_cast<std::size_t>(n));
        strLink = strTarget[0] == '/' ? strTarget : FolderOf(strLink) + strTarget;
    }
    return strLink;
}

bool FileExists(const std::string& strPath) {
    struct stat st {};
    return ::stat(strPath.c_str(), &st) == 0;
}

bool IsSameFile(const std::string& strPathA, const std::string& strPathB) {
    struct stat stA {};
    struct stat stB {};
    return ::stat(strPathA.c_str(), &stA) == 0 && ::stat(strPathB.c_str(), &stB) == 0 &&
           stA.st_dev == stB.st_dev && stA.st_ino == stB.st_ino;
}

bool IsReadOnlyFile(const std::string& strPath) {
    struct stat st {};
    if (::stat(strPath.c_str(), &st) != 0)
        return false;
    // The system's own check for the effective user, supplementary groups
    // and access lists included; access(2) alone would judge the real user.
    if (::faccessat(AT_FDCWD, strPath.c_str(), W_OK, AT_EACCESS) != 0)
        return true;
    // The superuser passes every check; the owner's write bit, which the
    // file's read-only attribute clears, still says whether it is meant to
    // be read-only.
    return ::geteuid() == 0 && (st.st_mode & S_IWUSR) == 0;
}
