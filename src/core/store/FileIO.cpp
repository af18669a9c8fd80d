// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/store/FileIO.h"

#include "core/base/Prompts.h"
#include "core/base/StringTable.h"
#include "core/base/TextUtil.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <new>
#include <pwd.h>
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

// Opens a regular file for reading. Without O_NONBLOCK, opening a pipe
// waits for a writer that may never come; anything but a regular file is
// refused.
EFileError OpenRegularFile(const std::string& strPath, int& fd, struct stat& st) {
    fd = ::open(strPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return ReadErrorOf(errno);
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        fd = -1;
        return EFileError::readFailed;
    }
    return EFileError::none;
}

} // namespace

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

std::string FileErrorMessage(EFileError eError, const std::string& strPath) {
    switch (eError) {
    case EFileError::none:
    case EFileError::cancelled:
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
    case EFileError::unsafeFolder:
        return FormatText(IDS_UNSAFE_FOLDER, strPath);
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
    if (EndsWithNoCaseAscii(strFileName, KDBX_EXTENSION))
        return strFileName.substr(0, strFileName.size() - std::string_view(KDBX_EXTENSION).size());
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
    struct stat st {};
    int fd = -1;
    if (const EFileError eOpen = OpenRegularFile(strPath, fd, st); eOpen != EFileError::none)
        return eOpen;
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

EFileError ReadFileStart(const std::string& strPath, std::string& strBytes, std::size_t nBytes) {
    strBytes.clear();
    struct stat st {};
    int fd = -1;
    if (const EFileError eOpen = OpenRegularFile(strPath, fd, st); eOpen != EFileError::none)
        return eOpen;
    strBytes.resize(nBytes);
    ssize_t n = 0;
    do
        n = ::read(fd, strBytes.data(), nBytes);
    while (n < 0 && errno == EINTR);
    const int nErrno = errno;
    ::close(fd);
    strBytes.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return n < 0 ? ReadErrorOf(nErrno) : EFileError::none;
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

// Makes strPath as a new file of this user, mode 0600, and writes it: never
// through a link or over a file that appeared meanwhile. A failed write
// removes it, which only this user could have renamed since.
EFileError WriteNewFile(const std::string& strPath, const CByteProducer& fnProduce) {
    const int fd =
        ::open(strPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return WriteErrorOf(errno);
    off_t nWritten = 0;
    int nProduceErrno = 0;
    bool bOk = WriteProduced(fd, fnProduce, nWritten, nProduceErrno);
    errno = nProduceErrno;
    // The mask may have taken bits from the mode, never added any; 0600 is
    // what the user is told.
    bOk = bOk && ::fchmod(fd, 0600) == 0 && ::fsync(fd) == 0;
    int nErrno = errno;
    if (::close(fd) != 0 && bOk) {
        bOk = false;
        nErrno = errno;
    }
    if (!bOk) {
        ::unlink(strPath.c_str());
        return WriteErrorOf(nErrno);
    }
    SyncFolder(FolderOf(strPath));
    RemoveStaleTemps(strPath);
    return EFileError::none;
}

// Gives the new file the old one's owner and group. The superuser always
// may; others only keep their own file's group, and only when they belong to
// it. False when either would change: the file is then written in place,
// which keeps both (a file of ours in a group we left stays in that group).
bool GiveOwner(int fd, const struct stat& stOld) {
    return ::fchown(fd, stOld.st_uid, stOld.st_gid) == 0;
}

// Whether the group of a folder is this user's alone: the private group
// named after the user that many systems give each user, with no other
// members listed. Its write permission then reaches no one else.
bool IsOwnPrivateGroup(gid_t nGroup) {
    const uid_t nUser = ::geteuid();
    std::vector<char> buffer(16384);
    passwd pw{};
    passwd* pUser = nullptr;
    if (::getpwuid_r(nUser, &pw, buffer.data(), buffer.size(), &pUser) != 0 || !pUser ||
        pUser->pw_gid != nGroup)
        return false;
    const std::string strUser = pUser->pw_name;
    std::vector<char> groupBuffer(65536);
    group gr{};
    group* pGroup = nullptr;
    if (::getgrgid_r(nGroup, &gr, groupBuffer.data(), groupBuffer.size(), &pGroup) != 0 ||
        !pGroup || strUser != pGroup->gr_name)
        return false;
    for (char** ppMember = pGroup->gr_mem; ppMember && *ppMember; ++ppMember) {
        if (strUser != *ppMember)
            return false;
    }
    return true;
}

// Whether users other than this one may add entries to a folder.
bool IsWritableByOthers(const struct stat& st) {
    return (st.st_mode & S_IWOTH) != 0 ||
           ((st.st_mode & S_IWGRP) != 0 && !IsOwnPrivateGroup(st.st_gid));
}

// Whether another user can change what a folder holds: rename, remove or
// replace its entries (a link for a file, another folder for a folder),
// which a check of the path cannot see coming. Its owner can, unless that
// is this user or root (who can do anything anyway); so can whoever may
// write it, unless the sticky bit keeps them to their own entries.
bool IsFolderOfOthers(const struct stat& st) {
    const uid_t nUser = ::geteuid();
    if (st.st_uid != nUser && st.st_uid != 0)
        return true;
    return (st.st_mode & S_ISVTX) == 0 && IsWritableByOthers(st);
}

// A sticky folder others may write, such as /tmp: anyone may add entries,
// and their owners may change them.
bool IsSharedStickyFolder(const std::string& strFolder) {
    struct stat st {};
    return ::stat(strFolder.empty() ? "/" : strFolder.c_str(), &st) == 0 &&
           (st.st_mode & S_ISVTX) != 0 && IsWritableByOthers(st);
}

// The components of a path, empty ones and "." left out.
std::deque<std::string> ComponentsOf(std::string_view strPath) {
    std::deque<std::string> components;
    std::size_t nStart = 0;
    while (nStart <= strPath.size()) {
        const std::size_t nSlash = std::min(strPath.find('/', nStart), strPath.size());
        const std::string_view strPart = strPath.substr(nStart, nSlash - nStart);
        if (!strPart.empty() && strPart != ".")
            components.emplace_back(strPart);
        nStart = nSlash + 1;
    }
    return components;
}

std::string LinkText(const std::string& strLink) {
    std::string strTarget(PATH_MAX, '\0');
    const ssize_t n = ::readlink(strLink.c_str(), strTarget.data(), strTarget.size());
    strTarget.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return strTarget;
}

} // namespace

EFileError ResolvePlainTextTarget(const std::string& strPath, SPlainTarget& target) {
    target = SPlainTarget();
    std::string strWhole = strPath;
    if (strWhole.empty() || strWhole[0] != '/') {
        char* pszCurrent = ::getcwd(nullptr, 0);
        if (!pszCurrent)
            return EFileError::writeFailed;
        strWhole = std::string(pszCurrent) + "/" + strWhole;
        std::free(pszCurrent);
    }
    struct stat st {};
    if (::stat("/", &st) != 0 || IsFolderOfOthers(st))
        return EFileError::unsafeFolder;
    const uid_t nUser = ::geteuid();
    std::deque<std::string> pending = ComponentsOf(strWhole);
    std::string strReal; // the real folder reached so far; "" is the root
    int nLinks = 0;
    while (!pending.empty()) {
        const std::string strPart = std::move(pending.front());
        pending.pop_front();
        if (strPart == "..") {
            const std::size_t nSlash = strReal.rfind('/');
            strReal.resize(nSlash == std::string::npos ? 0 : nSlash);
            continue;
        }
        const std::string strNext = strReal + "/" + strPart;
        if (::lstat(strNext.c_str(), &st) != 0) {
            // A missing file is made; a missing folder fails the write,
            // which says so.
            target.strReal = strNext;
            for (const std::string& strRest : pending)
                target.strReal += "/" + strRest;
            return EFileError::none;
        }
        if (S_ISLNK(st.st_mode)) {
            // Its folder is this user's or root's; in a sticky one others
            // may still have planted the link.
            if (st.st_uid != nUser && st.st_uid != 0 && IsSharedStickyFolder(strReal))
                return EFileError::unsafeFolder;
            const std::string strLink = LinkText(strNext);
            if (strLink.empty() || ++nLinks > 40)
                return EFileError::writeFailed;
            std::deque<std::string> linked = ComponentsOf(strLink);
            pending.insert(pending.begin(), linked.begin(), linked.end());
            if (strLink[0] == '/')
                strReal.clear();
            continue;
        }
        if (pending.empty()) {
            target.strReal = strNext;
            target.bExists = true;
            target.st = st;
            break;
        }
        if (S_ISDIR(st.st_mode) && IsFolderOfOthers(st))
            return EFileError::unsafeFolder;
        strReal = strNext;
    }
    if (!target.bExists || target.st.st_uid == nUser)
        return EFileError::none;
    // A terminal or /dev/null may be root's; a file never: it would keep
    // the text where its owner reads it.
    return !S_ISREG(target.st.st_mode) && target.st.st_uid == 0 ? EFileError::none
                                                                : EFileError::writeDenied;
}

EFileError PlainTextTargetError(const std::string& strPath) {
    SPlainTarget target;
    return ResolvePlainTextTarget(strPath, target);
}

EFileError WriteFileAtomic(const std::string& strTarget, const std::string& strBytes,
                           EWriteMode eMode) {
    return WriteFileAtomic(
        strTarget, [&strBytes](const CByteSink& fnSink) { return fnSink(strBytes); }, eMode);
}

EFileError WriteFileAtomic(const std::string& strTarget, const CByteProducer& fnProduce,
                           EWriteMode eMode) {
    // A link is followed: the file it names is replaced, the link stays.
    std::string strPath = strTarget;
    struct stat stOld {};
    bool bExists = ::stat(strPath.c_str(), &stOld) == 0;
    if (eMode == EWriteMode::plainText) {
        SPlainTarget target;
        const EFileError eError = ResolvePlainTextTarget(strTarget, target);
        if (eError != EFileError::none)
            return eError;
        // The path is followed here as checked, not again by the system.
        if (!target.bExists)
            return bExists ? EFileError::writeFailed // a name the check cannot follow
                           : WriteNewFile(target.strReal, fnProduce);
        strPath = target.strReal;
        stOld = target.st;
        bExists = true;
        if (!S_ISREG(stOld.st_mode))
            return EFileError::writeFailed;
    } else if (bExists) {
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
