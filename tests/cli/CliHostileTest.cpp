// SPDX-License-Identifier: GPL-3.0-or-later
// keyhaven-cli against careless and hostile use: KEYs typed as arguments,
// links, a second writer, oversized and malformed files, tight limits.

#include "CliFiles.h"
#include "CliRunner.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

class CliHostile : public ::testing::Test {
protected:
    std::string MakeFile(const std::string& strName, const std::string& strKey) {
        const std::string strPath = m_folder.File(strName);
        WriteCoreFile(strPath, strKey, {GroupRecord("Web"), AccountRecord("Mail", "anna", "pw")});
        return strPath;
    }

    CTempFolder m_folder;
};

// Holds the advisory lock a writer of the file takes, as another run would.
class CHeldLock {
public:
    explicit CHeldLock(const std::string& strPath)
        : m_fd(::open(strPath.c_str(), O_RDONLY | O_CLOEXEC)) {
        EXPECT_EQ(::flock(m_fd, LOCK_EX), 0);
    }
    ~CHeldLock() { Release(); }
    void Release() {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
    }

private:
    int m_fd;
};

} // namespace

// The address sanitizer reserves terabytes of address space for its shadow
// memory, so no address-space limit can hold the program it watches.
constexpr bool IsSanitizedBuild() {
#if defined(__SANITIZE_ADDRESS__)
    return true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    return true;
#else
    return false;
#endif
#else
    return false;
#endif
}

TEST_F(CliHostile, UsageErrorsNameThePlaceOfAnArgumentNeverItsText) {
    const std::string strPath = MakeFile("a.pwd", "k");
    const std::string strSecret = "S3cret-KEY";
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"ls", strPath, strSecret}, "too many arguments (argument 3 is extra)"},
        {{"export", strPath, "-" + strSecret}, "unknown option (argument 3)"},
        {{"show", strPath, "--", "g", "a", strSecret}, "argument 6 is extra"},
        {{"generate", "--flags", strSecret}, "--flags needs a whole number"},
        {{"generate", "--length=9" + strSecret}, "--length needs a whole number"},
        {{strSecret, strPath}, "argument 1 is no command"},
    };
    for (const auto& [astrArgs, strProblem] : cases) {
        const SCliResult result = RunCli(astrArgs, "k\n");
        EXPECT_EQ(result.nExit, 2) << result.strErr;
        EXPECT_NE(result.strErr.find(strProblem), std::string::npos) << result.strErr;
        EXPECT_EQ(result.strErr.find(strSecret), std::string::npos) << result.strErr;
        EXPECT_TRUE(result.strOut.empty());
    }
}

TEST_F(CliHostile, ExportOntoADanglingLinkWritesItsTargetPrivately) {
    const std::string strPath = MakeFile("a.pwd", "k");
    const std::string strLink = m_folder.File("out.txt");
    const std::string strTarget = m_folder.File("target.txt");
    std::filesystem::create_symlink("target.txt", strLink);

    const SCliResult result = RunCli({"export", strPath, "-o", strLink}, "k\n");
    ASSERT_EQ(result.nExit, 0) << result.strErr;
    EXPECT_TRUE(std::filesystem::is_symlink(strLink));
    struct stat st {};
    ASSERT_EQ(::stat(strTarget.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
    EXPECT_NE(ReadBytes(strTarget).find("Password\tpw"), std::string::npos);
}

TEST_F(CliHostile, PasswdWaitsBrieflyForAnotherWriterAndOtherwiseChangesNothing) {
    const std::string strPath = MakeFile("a.pwd", "old");
    const std::string strBefore = ReadBytes(strPath);
    {
        CHeldLock held(strPath);
        const SCliResult result = RunCli({"passwd", strPath}, "old\nnew\n");
        EXPECT_EQ(result.nExit, 4) << result.strErr;
        EXPECT_NE(result.strErr.find("being changed by another program"), std::string::npos)
            << result.strErr;
        EXPECT_EQ(ReadBytes(strPath), strBefore);
    }
    // A holder that finishes within the wait only delays the run.
    CHeldLock held(strPath);
    std::thread release([&held] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        held.Release();
    });
    const SCliResult result = RunCli({"passwd", strPath}, "old\nnew\n");
    release.join();
    EXPECT_EQ(result.nExit, 0) << result.strErr;
    EXPECT_EQ(RunCli({"ls", strPath}, "new\n").nExit, 0);
}

TEST_F(CliHostile, HugeAndPaddedFilesAreRefusedWithAMessage) {
    const std::string strHuge = m_folder.File("huge.pwd");
    {
        const int fd = ::open(strHuge.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::ftruncate(fd, (off_t(1) << 30) + 1), 0); // sparse: no disk used
        ::close(fd);
    }
    SCliResult result = RunCli({"info", strHuge});
    EXPECT_EQ(result.nExit, 3);
    EXPECT_NE(result.strErr.find("larger than 1 GB"), std::string::npos) << result.strErr;

    // Zeros read as an empty header; the bytes after it give them away.
    const std::string strZeros = m_folder.File("zeros.pwd");
    WriteBytes(strZeros, std::string(4096, '\0'));
    result = RunCli({"info", strZeros});
    EXPECT_EQ(result.nExit, 3);
    EXPECT_NE(result.strErr.find("Unexpected file format."), std::string::npos) << result.strErr;
}

TEST_F(CliHostile, RunningOutOfMemoryIsReportedAndNeverAnAbort) {
    if (IsSanitizedBuild())
        GTEST_SKIP() << "a sanitized program maps more shadow memory than the limit allows";
    // Four million empty records: 52 MB of file, far more as records.
    CFileAssembler file("k");
    constexpr std::uint32_t COUNT = 4'000'000;
    file.Count(COUNT, true);
    const CPasswordInfo empty;
    for (std::uint32_t i = 0; i < COUNT; ++i)
        file.Record(empty);
    const std::string strPath = m_folder.File("many.pwd");
    WriteBytes(strPath, file.Bytes());

    SCliLimits limits;
    limits.nAddressSpace = 64ull << 20;
    const SCliResult result = RunCli({"info", strPath}, "", limits);
    EXPECT_EQ(result.nExit, 3) << result.strErr;
    EXPECT_NE(result.strErr.find("not enough memory"), std::string::npos) << result.strErr;
}

TEST_F(CliHostile, KeyDerivationWithoutItsMemoryIsNoWrongKey) {
    if (IsSanitizedBuild())
        GTEST_SKIP() << "a sanitized program maps more shadow memory than the limit allows";
    const std::string strPath = m_folder.File("Heavy.khv");
    ASSERT_EQ(RunCli({"create", strPath}, "k\n").nExit, 0);
    // The file asks for 128 MiB; the process may have less than that.
    SCliLimits limits;
    limits.nAddressSpace = 96ull << 20;
    const SCliResult result = RunCli({"ls", strPath}, "k\n", limits);
    EXPECT_EQ(result.nExit, 3) << result.strErr;
    EXPECT_EQ(result.strErr, "There is not enough memory to open " + strPath + ".\n");
    EXPECT_EQ(RunCli({"ls", strPath}, "k\n").nExit, 0);
    // Sealing under a new KEY needs the same memory, and says so.
    const std::string strNew = m_folder.File("New.khv");
    const SCliResult create = RunCli({"create", strNew}, "k\n", limits);
    EXPECT_EQ(create.nExit, 4) << create.strErr;
    EXPECT_EQ(create.strErr, "There is not enough memory to seal " + strNew +
                                 " under its KEY; it was not "
                                 "written.\n");
    EXPECT_FALSE(std::filesystem::exists(strNew));
}

TEST_F(CliHostile, AWriteOverTheFileSizeLimitIsReportedAndLeavesNothingBehind) {
    const std::string strPath = MakeFile("a.pwd", "k");
    SCliLimits limits;
    limits.nFileSize = 64;
    const SCliResult result =
        RunCli({"export", strPath, "-o", m_folder.File("out.txt")}, "k\n", limits);
    EXPECT_EQ(result.nExit, 4) << result.strErr;
    EXPECT_NE(result.strErr.find("Destination disk drive is full."), std::string::npos)
        << result.strErr;
    std::vector<std::string> astrNames;
    for (const auto& entry : std::filesystem::directory_iterator(m_folder.File("")))
        astrNames.push_back(entry.path().filename().string());
    EXPECT_EQ(astrNames, std::vector<std::string>{"a.pwd"});
}

TEST_F(CliHostile, ACsvExportCutHalfWayIsReportedAndLeavesNoShortFile) {
    std::vector<CPasswordInfo> records = {GroupRecord("Many")};
    for (int i = 0; i < 3000; ++i)
        records.push_back(AccountRecord("Account " + std::to_string(i), "user", "pw"));
    const std::string strPath = m_folder.File("many.pwd");
    WriteCoreFile(strPath, "k", records);
    const std::string strOut = m_folder.File("out.csv");
    SCliLimits limits;
    limits.nFileSize = 60000; // a part of the export, well past its first row
    const SCliResult result =
        RunCli({"export", strPath, "--format", "csv", "-o", strOut}, "k\n", limits);
    EXPECT_EQ(result.nExit, 4) << result.strErr;
    EXPECT_EQ(result.strErr, "Destination disk drive is full.\n");
    EXPECT_FALSE(std::filesystem::exists(strOut));
    ASSERT_EQ(RunCli({"export", strPath, "--format", "csv", "-o", strOut}, "k\n").nExit, 0);
    EXPECT_GT(std::filesystem::file_size(strOut), 60000u);
}
