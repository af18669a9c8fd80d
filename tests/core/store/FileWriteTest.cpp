// SPDX-License-Identifier: GPL-3.0-or-later
// The atomic writer keeps what the user set on a file (mode, owner, group,
// hard links), judges writability as the system does, and leaves no copies.

#include "TestFiles.h"
#include "core/store/FileIO.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Ids no account on a test machine has.
constexpr uid_t OTHER_OWNER = 43210;
constexpr uid_t SAVER = 43211;
constexpr gid_t SHARED_GROUP = 43212;

struct stat StatOf(const std::string& strPath) {
    struct stat st {};
    EXPECT_EQ(::stat(strPath.c_str(), &st), 0) << strPath;
    return st;
}

// Runs fnChild in a child process as the user SAVER with the supplementary
// group SHARED_GROUP; its return value is the exit status.
int RunAsOtherUser(const std::function<int()>& fnChild) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        const gid_t groups[] = {SHARED_GROUP};
        if (::setgroups(1, groups) != 0 || ::setgid(SAVER) != 0 || ::setuid(SAVER) != 0)
            ::_exit(99);
        ::_exit(fnChild());
    }
    int nStatus = 0;
    ::waitpid(pid, &nStatus, 0);
    return WIFEXITED(nStatus) ? WEXITSTATUS(nStatus) : -1;
}

} // namespace

TEST(FileWrite, AReplacedFileKeepsItsModeAndHardLinks) {
    CTempFolder folder;
    const std::string strPath = folder.File("f.pwd");
    const std::string strLink = folder.File("g.pwd");
    WriteBytes(strPath, "old");
    ::chmod(strPath.c_str(), 0640);
    ASSERT_EQ(::link(strPath.c_str(), strLink.c_str()), 0);
    const ino_t nInode = StatOf(strPath).st_ino;

    ASSERT_EQ(WriteFileAtomic(strPath, "new bytes"), EFileError::none);
    EXPECT_EQ(ReadBytes(strLink), "new bytes");
    EXPECT_EQ(StatOf(strPath).st_ino, nInode);
    EXPECT_EQ(StatOf(strPath).st_nlink, 2u);
    EXPECT_EQ(StatOf(strPath).st_mode & 07777, 0640u);
    EXPECT_EQ(FolderEntries(folder.Path()), (std::vector<std::string>{"f.pwd", "g.pwd"}));

    // A file of one link is replaced by rename, with the same mode.
    ASSERT_EQ(::unlink(strLink.c_str()), 0);
    ASSERT_EQ(WriteFileAtomic(strPath, "newer"), EFileError::none);
    EXPECT_EQ(ReadBytes(strPath), "newer");
    EXPECT_EQ(StatOf(strPath).st_mode & 07777, 0640u);
}

TEST(FileWrite, APrivateCopyIsAlways0600) {
    CTempFolder folder;
    const std::string strBackup = folder.File("f.pwd.bak");
    WriteBytes(strBackup, "older backup");
    ::chmod(strBackup.c_str(), 0644);
    ASSERT_EQ(WriteFileAtomic(strBackup, "backup", EWriteMode::privateFile), EFileError::none);
    EXPECT_EQ(StatOf(strBackup).st_mode & 07777, 0600u);
    EXPECT_EQ(ReadBytes(strBackup), "backup");
}

TEST(FileWrite, CopiesLeftByKilledSavesGoAtTheNextSaveAndAFailedSaveLeavesNone) {
    CTempFolder folder;
    const std::string strPath = folder.File("f.pwd");
    WriteBytes(strPath, "old");
    for (const char* pszName : {".f.pwd.khtmp-Ab12Cd", ".f.pwd.khtmp-short", ".g.pwd.khtmp-Ab12Cd"})
        WriteBytes(folder.File(pszName), "stale copy");

    {
        CFileSizeLimit limit(4);
        EXPECT_EQ(WriteFileAtomic(strPath, "far too long"), EFileError::diskFull);
    }
    EXPECT_EQ(ReadBytes(strPath), "old");
    EXPECT_EQ(FolderEntries(folder.Path()).size(), 4u); // nothing added, nothing removed

    ASSERT_EQ(WriteFileAtomic(strPath, "new"), EFileError::none);
    // Only the copies of this file's name, with mkstemp's six characters, go.
    EXPECT_EQ(FolderEntries(folder.Path()),
              (std::vector<std::string>{".f.pwd.khtmp-short", ".g.pwd.khtmp-Ab12Cd", "f.pwd"}));
}

TEST(FileWrite, TheSuperuserSavingAUsersFileLeavesItTheUsers) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "giving a file to another owner needs the superuser";
    CTempFolder folder;
    const std::string strPath = folder.File("f.pwd");
    WriteBytes(strPath, "old");
    ASSERT_EQ(::chown(strPath.c_str(), OTHER_OWNER, SHARED_GROUP), 0);
    ::chmod(strPath.c_str(), 0620);

    EXPECT_FALSE(IsReadOnlyFile(strPath));
    ASSERT_EQ(WriteFileAtomic(strPath, "new"), EFileError::none);
    const struct stat st = StatOf(strPath);
    EXPECT_EQ(st.st_uid, OTHER_OWNER);
    EXPECT_EQ(st.st_gid, SHARED_GROUP);
    EXPECT_EQ(st.st_mode & 07777, 0620u);

    // A file whose owner may not write it stays read-only, for the superuser
    // too.
    ::chmod(strPath.c_str(), 0464);
    EXPECT_TRUE(IsReadOnlyFile(strPath));
}

TEST(FileWrite, AnotherUserWritesThroughASupplementaryGroupAndTheOwnerStays) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "acting as two users needs the superuser to switch between them";
    CTempFolder folder;
    ::chmod(folder.Path().c_str(), 0777); // the saver's copy goes beside the file
    const std::string strShared = folder.File("shared.pwd");
    const std::string strPrivate = folder.File("private.pwd");
    for (const std::string& strPath : {strShared, strPrivate}) {
        WriteBytes(strPath, "old");
        ASSERT_EQ(::chown(strPath.c_str(), OTHER_OWNER, SHARED_GROUP), 0);
    }
    ::chmod(strShared.c_str(), 0664);
    ::chmod(strPrivate.c_str(), 0644);

    const int nExit = RunAsOtherUser([&] {
        if (!IsReadOnlyFile(strPrivate))
            return 1;
        if (IsReadOnlyFile(strShared))
            return 2;
        if (WriteFileAtomic(strPrivate, "new") != EFileError::writeDenied)
            return 3;
        return WriteFileAtomic(strShared, "new") == EFileError::none ? 0 : 4;
    });
    EXPECT_EQ(nExit, 0);
    const struct stat st = StatOf(strShared);
    EXPECT_EQ(ReadBytes(strShared), "new");
    EXPECT_EQ(st.st_uid, OTHER_OWNER);
    EXPECT_EQ(st.st_gid, SHARED_GROUP);
    EXPECT_EQ(st.st_mode & 07777, 0664u);
    EXPECT_EQ(ReadBytes(strPrivate), "old");
    EXPECT_EQ(FolderEntries(folder.Path()),
              (std::vector<std::string>{"private.pwd", "shared.pwd"}));
}

TEST(FileWrite, AFileInAGroupTheSaverLeftKeepsThatGroup) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "a file in a group its owner is not in needs the superuser";
    constexpr gid_t FORMER_GROUP = 43213;
    CTempFolder folder;
    ::chmod(folder.Path().c_str(), 0777);
    const std::string strPath = folder.File("f.pwd");
    WriteBytes(strPath, "old");
    ASSERT_EQ(::chown(strPath.c_str(), SAVER, FORMER_GROUP), 0);
    ::chmod(strPath.c_str(), 0640);

    EXPECT_EQ(
        RunAsOtherUser([&] { return WriteFileAtomic(strPath, "new") == EFileError::none ? 0 : 1; }),
        0);
    const struct stat st = StatOf(strPath);
    EXPECT_EQ(ReadBytes(strPath), "new");
    EXPECT_EQ(st.st_uid, SAVER);
    EXPECT_EQ(st.st_gid, FORMER_GROUP);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(FolderEntries(folder.Path()), (std::vector<std::string>{"f.pwd"}));
}

TEST(FileWrite, PlainTextGoesOnlyIntoFilesOfThisUserAndNeverThroughPlantedLinks) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "files and links of another user need the superuser";
    CTempFolder folder;
    const std::string strShared = folder.File("tmp");
    ::mkdir(strShared.c_str(), 01777); // a shared folder like /tmp
    ::chmod(strShared.c_str(), 01777);
    const std::string strTheirs = strShared + "/theirs.txt";
    WriteBytes(strTheirs, "theirs");
    ASSERT_EQ(::chown(strTheirs.c_str(), OTHER_OWNER, OTHER_OWNER), 0);
    ::chmod(strTheirs.c_str(), 0666);
    const std::string strMine = folder.File("mine.txt");
    WriteBytes(strMine, "mine");
    ::chmod(strMine.c_str(), 0644);
    // Links in the shared folder: planted by another user, or this user's own.
    const auto Link = [&](const char* pszName, const std::string& strTo, uid_t nOwner) {
        const std::string strLink = strShared + "/" + pszName;
        EXPECT_EQ(::symlink(strTo.c_str(), strLink.c_str()), 0);
        EXPECT_EQ(::lchown(strLink.c_str(), nOwner, nOwner), 0);
        return strLink;
    };
    const struct {
        std::string strTarget;
        EFileError eResult;
    } CASES[] = {
        {strTheirs, EFileError::writeDenied},
        {Link("planted-new", folder.File("caught.txt"), OTHER_OWNER), EFileError::unsafeFolder},
        {Link("planted-old", strMine, OTHER_OWNER), EFileError::unsafeFolder},
        {Link("own", folder.File("own.txt"), 0), EFileError::none},
        {strMine, EFileError::none},
    };
    for (const auto& test : CASES)
        EXPECT_EQ(WriteFileAtomic(test.strTarget, "secret", EWriteMode::plainText), test.eResult)
            << test.strTarget;
    EXPECT_EQ(ReadBytes(strTheirs), "theirs");
    EXPECT_EQ(StatOf(strTheirs).st_uid, OTHER_OWNER);
    EXPECT_FALSE(FileExists(folder.File("caught.txt")));
    EXPECT_EQ(ReadBytes(folder.File("own.txt")), "secret");
    // This user's own file is replaced by a new private one.
    EXPECT_EQ(ReadBytes(strMine), "secret");
    EXPECT_EQ(StatOf(strMine).st_mode & 07777, 0600u);
}

// The folders on the way to a plain-text file: one another user could
// change between the check and the write (swapping an entry for a link or a
// folder of theirs) refuses the write, however the path reaches it.
TEST(FileWrite, PlainTextGoesOnlyThroughFoldersNoOtherUserControls) {
    const bool bRoot = ::geteuid() == 0;
    CTempFolder folder;
    const auto Folder = [&](const char* pszName, mode_t nMode, uid_t nOwner = ::geteuid()) {
        const std::string strPath = folder.File(pszName);
        EXPECT_EQ(::mkdir(strPath.c_str(), 0700), 0) << pszName;
        EXPECT_EQ(::chmod(strPath.c_str(), nMode), 0) << pszName;
        if (nOwner != ::geteuid()) {
            EXPECT_EQ(::chown(strPath.c_str(), nOwner, nOwner), 0) << pszName;
        }
        return strPath;
    };
    const auto Link = [&](const std::string& strLink, const std::string& strTo, uid_t nOwner) {
        EXPECT_EQ(::symlink(strTo.c_str(), strLink.c_str()), 0) << strLink;
        if (nOwner != ::geteuid()) {
            EXPECT_EQ(::lchown(strLink.c_str(), nOwner, nOwner), 0) << strLink;
        }
        return strLink;
    };
    const std::string strHome = Folder("home", 0700);
    const std::string strMine = strHome + "/mine.txt";
    WriteBytes(strMine, "mine");
    // Anyone may write here, and no sticky bit keeps them to their entries.
    const std::string strOpen = Folder("open", 0777);
    const std::string strShared = Folder("tmp", 01777);
    const std::string strAlias = Link(folder.File("alias"), strHome, ::geteuid());

    struct SCase {
        std::string strTarget;
        EFileError eResult;
    };
    std::vector<SCase> cases = {
        {strOpen + "/new.txt", EFileError::unsafeFolder},
        {Link(strOpen + "/planted.txt", strMine, ::geteuid()), EFileError::unsafeFolder},
        {Link(folder.File("to-open"), strOpen, ::geteuid()) + "/new.txt", EFileError::unsafeFolder},
        {strHome + "/../open/new.txt", EFileError::unsafeFolder},
        // This user's own links are followed, each real folder checked.
        {strAlias + "/new.txt", EFileError::none},
        {strAlias + "/../alias/mine.txt", EFileError::none},
        {strShared + "/own.txt", EFileError::none},
    };
    if (bRoot) {
        constexpr uid_t OTHER = OTHER_OWNER;
        // Her own folder, open to all: her link there to the user's file.
        const std::string strHers = Folder("hers", 0777, OTHER);
        cases.push_back({Link(strHers + "/report.txt", strMine, OTHER), EFileError::unsafeFolder});
        // A folder she owns can be swapped whatever its mode, also below.
        const std::string strClosed = Folder("closed", 0755, OTHER);
        cases.push_back({strClosed + "/new.txt", EFileError::unsafeFolder});
        ASSERT_EQ(::mkdir((strClosed + "/mine").c_str(), 0700), 0);
        cases.push_back({strClosed + "/mine/new.txt", EFileError::unsafeFolder});
        // Her link to a folder, in a sticky folder like /tmp: the write would
        // land in the user's home.
        cases.push_back(
            {Link(strShared + "/dir", strHome, OTHER) + "/caught.txt", EFileError::unsafeFolder});
        // A group that others belong to writes as they do.
        const std::string strGroup = Folder("group", 0770);
        ASSERT_EQ(::chown(strGroup.c_str(), ::geteuid(), SHARED_GROUP), 0);
        cases.push_back({strGroup + "/new.txt", EFileError::unsafeFolder});
        // Sticky, but open to that group: her link there is hers to change.
        const std::string strTeam = Folder("team", 01770);
        ASSERT_EQ(::chown(strTeam.c_str(), ::geteuid(), SHARED_GROUP), 0);
        ASSERT_EQ(::chmod(strTeam.c_str(), 01770), 0);
        cases.push_back({Link(strTeam + "/out.txt", strMine, OTHER), EFileError::unsafeFolder});
        cases.push_back({strTeam + "/new.txt", EFileError::none});
    } else {
        std::printf("Folders and links of another user need the superuser: those cases are "
                    "left out.\n");
    }
    for (const SCase& test : cases)
        EXPECT_EQ(WriteFileAtomic(test.strTarget, "secret", EWriteMode::plainText), test.eResult)
            << test.strTarget;
    EXPECT_EQ(ReadBytes(strMine), "secret"); // through the user's own link only
    EXPECT_EQ(FolderEntries(strHome), (std::vector<std::string>{"mine.txt", "new.txt"}));
    EXPECT_EQ(FolderEntries(strOpen), std::vector<std::string>{"planted.txt"});
    EXPECT_EQ(StatOf(strHome + "/new.txt").st_mode & 07777, 0600u);
    EXPECT_EQ(ReadBytes(strShared + "/own.txt"), "secret");
    if (bRoot) {
        EXPECT_EQ(ReadBytes(folder.File("team/new.txt")), "secret");
    }
}

TEST(FileWrite, ProducedBytesArriveWholeOrNotAtAll) {
    CTempFolder folder;
    const std::string strPath = folder.File("f.txt");
    WriteBytes(strPath, "old");
    EXPECT_EQ(WriteFileAtomic(
                  strPath, [](const CByteSink& fnSink) { return fnSink("half of it") && false; }),
              EFileError::writeFailed);
    EXPECT_EQ(ReadBytes(strPath), "old");
    EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"f.txt"});
    EXPECT_EQ(WriteFileAtomic(strPath,
                              [](const CByteSink& fnSink) {
                                  return fnSink("new ") && fnSink("") && fnSink("text");
                              }),
              EFileError::none);
    EXPECT_EQ(ReadBytes(strPath), "new text");
}
