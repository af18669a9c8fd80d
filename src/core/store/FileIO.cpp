#include "core/store/FileIO.h"

#include "core/base/Prompts.h"
#include "core/base/StringTable.h"
#include "core/base/TextUtil.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
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
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        static_cast<std::size_t>(st.st_size) > nMaxBytes) {
        ::close(fd);
        return EFileError::readFailed;
    }
    strBytes.resize(static_cast<std::size_t>(st.st_size));
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

EFileError WriteFileAtomic(const std::string& strTarget, const std::string& strBytes) {
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
    }
    // rename() would happily replace a file the user may not write.
    if (bExists && IsReadOnlyFile(strPath))
        return EFileError::writeDenied;

    const std::string strFolder = FolderOf(strPath);
    std::string strTemp = strFolder + "." + FileNameOf(strPath) + ".XXXXXX";
    std::vector<char> szTemp(strTemp.begin(), strTemp.end());
    szTemp.push_back('\0');
    const int fd = ::mkstemp(szTemp.data()); // mode 0600
    if (fd < 0)
        return WriteErrorOf(errno);
    strTemp = szTemp.data();

    bool bOk = WriteAll(fd, strBytes.data(), strBytes.size());
    if (bOk && bExists)
        bOk = ::fchmod(fd, stOld.st_mode & 07777) == 0;
    if (bOk)
        bOk = ::fsync(fd) == 0;
    const int nErrno = errno;
    if (::close(fd) != 0 && bOk)
        bOk = false;
    if (bOk && ::rename(strTemp.c_str(), strPath.c_str()) == 0) {
        SyncFolder(strFolder);
        return EFileError::none;
    }
    const int nFailErrno = bOk ? errno : nErrno;
    ::unlink(strTemp.c_str());
    return WriteErrorOf(nFailErrno);
}

EFileError CopyFileAtomic(const std::string& strFrom, const std::string& strTo) {
    std::string strBytes;
    const EFileError eRead = ReadWholeFile(strFrom, strBytes);
    if (eRead != EFileError::none)
        return eRead;
    return WriteFileAtomic(strTo, strBytes);
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
    if (::access(strPath.c_str(), W_OK) != 0)
        return true;
    // The superuser may write anything; the file's own write bits still say
    // whether it is meant to be read-only.
    mode_t nWriteBit = S_IWOTH;
    if (st.st_uid == ::geteuid())
        nWriteBit = S_IWUSR;
    else if (st.st_gid == ::getegid())
        nWriteBit = S_IWGRP;
    return (st.st_mode & nWriteBit) == 0;
}
