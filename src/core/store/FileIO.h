#pragma once

#include <string>

// What went wrong with a file, in the classes the user's messages distinguish.
enum class EFileError {
    none,
    notFound,
    badFormat,
    readDenied,
    writeDenied,
    diskFull,
    readFailed,
    writeFailed,
    keyUnknown, // a sealed file cannot be written without the KEY itself
};

// The user's message for a failure on the file at strPath ("%1" in the
// messages is the path).
std::string FileErrorMessage(EFileError eError, const std::string& strPath);

// The final path component ("Work.pwd" for "/home/a/Work.pwd").
std::string FileNameOf(const std::string& strPath);
// Whether a path names a password file: it ends with ".pwd" in any case.
bool HasPwdExtension(const std::string& strPath);
// Whether a path names a protected (sealed) file: it ends with ".khv".
bool HasKhvExtension(const std::string& strPath);
// Whether the program opens the path: either extension.
bool HasDocumentExtension(const std::string& strPath);
// Whether anyone holding the file can read its contents without the KEY:
// true for ".pwd" (its field key follows from bytes stored in the file),
// false for the sealed ".khv" and for names the program does not open.
bool IsReadableWithoutKey(const std::string& strPath);
// The label the tree shows for a file: its name without the ".pwd" or
// ".khv" extension. A name without either stays whole.
std::string FileLabel(const std::string& strFileName);
// The folder part including its final separator ("/home/a/"), or "".
std::string FolderOf(const std::string& strPath);

// Reads a whole file. Refuses files larger than nMaxBytes.
EFileError ReadWholeFile(const std::string& strPath, std::string& strBytes,
                         std::size_t nMaxBytes = std::size_t(1) << 31);

// Writes bytes to a temporary file in the same folder, flushes it to disk and
// renames it over strPath, so a failed or interrupted write leaves the old
// file whole. A new file gets mode 0600; a replaced file keeps its mode. A file
// without write permission is not replaced; a link is followed to its file;
// anything but a regular file (a device, a pipe, a folder) is refused.
EFileError WriteFileAtomic(const std::string& strTarget, const std::string& strBytes);

// Copies a file the same way (used for backups); the copy gets mode 0600.
EFileError CopyFileAtomic(const std::string& strFrom, const std::string& strTo);

bool FileExists(const std::string& strPath);
// Whether both paths name one existing file (links and other names included).
bool IsSameFile(const std::string& strPathA, const std::string& strPathB);
// Read-only means the user may not write the file.
bool IsReadOnlyFile(const std::string& strPath);
