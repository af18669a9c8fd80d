// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <sys/stat.h>

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
    tooLarge,   // larger than any password file may be
    outOfMemory,
    busy,            // another program holds the file's lock
    keyOutOfMemory,  // a sealed file's key derivation could not get its memory to open it
    sealOutOfMemory, // ... or to seal it
    cancelled,       // the user stopped it: nothing to report
    unsafeFolder,    // plain text would pass a folder or link that another user controls
};

// The user's message for a failure on the file at strPath ("%1" in the
// messages is the path).
std::string FileErrorMessage(EFileError eError, const std::string& strPath);
// The failure a write's errno stands for.
EFileError WriteErrorOf(int nErrno);

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
// The label the tree shows for a file: its name without the ".pwd", ".khv"
// or ".kdbx" extension. A name without either stays whole.
std::string FileLabel(const std::string& strFileName);
// The folder part including its final separator ("/home/a/"), or "".
std::string FolderOf(const std::string& strPath);

// The largest file the program reads.
inline constexpr std::size_t MAX_FILE_BYTES = std::size_t(1) << 30;

// Reads a whole file. Refuses files larger than nMaxBytes (tooLarge) and
// reports a failed allocation as outOfMemory.
EFileError ReadWholeFile(const std::string& strPath, std::string& strBytes,
                         std::size_t nMaxBytes = MAX_FILE_BYTES);

// The first nBytes of a file (fewer when it is shorter), to tell its type.
// Only a regular file is read, as by ReadWholeFile.
EFileError ReadFileStart(const std::string& strPath, std::string& strBytes, std::size_t nBytes);

// What a replaced file keeps: its owner, group, mode and links, or nothing
// (a private copy such as a backup, always 0600). Plain text that anyone
// can read (an export, a ".pwd" made by Save As or convert) is written only
// as a new 0600 file of this user, and never into a target that
// PlainTextTargetError refuses.
enum class EWriteMode { keepAttributes, privateFile, plainText };

// Whether plain text may go to strPath: writeDenied when the file there is
// another user's (root's devices such as /dev/null aside), unsafeFolder
// when another user controls a folder on the way to it: one owned by another user (not
// root), or one that others may write without the sticky bit (a group
// counts as others unless it is this user's private group), since the
// owner or the writers could swap any entry for a link or a folder of
// theirs between the check and the write. Links on the way are followed
// component by component, each real folder checked; a link that neither
// this user nor root owns in a sticky folder others may write (/tmp) is
// refused, since anyone could have planted it there to catch the text.
// none otherwise, also for a path that does not exist.
EFileError PlainTextTargetError(const std::string& strPath);

// Where a checked plain-text path leads: the real path, all links followed
// (a missing file's would-be path), and what is there.
struct SPlainTarget {
    std::string strReal;
    bool bExists = false;
    struct stat st {};
};
// PlainTextTargetError, which also gives the real path it followed.
EFileError ResolvePlainTextTarget(const std::string& strPath, SPlainTarget& target);

// Writes bytes to a temporary file (0600, ".NAME.khtmp-XXXXXX") in the same
// folder, flushes it to disk and renames it over strPath, so a failed or
// interrupted write leaves the old file whole (plain text for a file that
// does not exist yet is written into a new file of this user made with
// O_EXCL and O_NOFOLLOW instead, removed again when the write fails); a failure removes the copy,
// and a success removes the copies that killed saves left. A new file gets
// mode 0600; a replaced file keeps its mode, owner and group. A file with
// other hard links, or whose owner the process cannot give the copy, is
// written in place once the whole copy is synced beside it. A file without
// write permission is not replaced; a link is followed to its file, a
// dangling one to the file it names; anything but a regular file (a device,
// a pipe, a folder) is refused.
EFileError WriteFileAtomic(const std::string& strTarget, const std::string& strBytes,
                           EWriteMode eMode = EWriteMode::keepAttributes);

// The bytes of a file made piece by piece, for texts too large to hold
// twice: a producer hands each piece to the sink and stops with false as
// soon as the sink does. It may run twice (a file written in place is
// written from it again), so it must give the same bytes each time.
using CByteSink = std::function<bool(std::string_view piece)>;
using CByteProducer = std::function<bool(const CByteSink& fnSink)>;
// WriteFileAtomic for produced bytes; writeFailed when the producer stops
// for a reason of its own.
EFileError WriteFileAtomic(const std::string& strTarget, const CByteProducer& fnProduce,
                           EWriteMode eMode = EWriteMode::keepAttributes);
// The file a dangling link (or chain of links) names; the path itself when
// it is no link.
std::string DanglingLinkTarget(const std::string& strPath);

// Copies a file the same way (used for backups); the copy gets mode 0600.
EFileError CopyFileAtomic(const std::string& strFrom, const std::string& strTo);

bool FileExists(const std::string& strPath);
// Whether both paths name one existing file (links and other names included).
bool IsSameFile(const std::string& strPathA, const std::string& strPathB);
// Read-only means the effective user may not write the file (or, for the
// superuser, that its owner's write bit is clear).
bool IsReadOnlyFile(const std::string& strPath);
