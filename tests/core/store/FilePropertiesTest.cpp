// SPDX-License-Identifier: GPL-3.0-or-later
// The texts of the File Property dialog and the read-only attribute, on real
// files in a temporary folder.

#include "core/store/FileProperties.h"
#include "TestFiles.h"
#include "core/base/StringTable.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <sys/stat.h>
#include <sys/time.h>

namespace {

// Local time in the tests is a zone of its own, restored afterwards.
class CTimeZone {
public:
    explicit CTimeZone(const char* pszZone) {
        if (const char* pszOld = std::getenv("TZ"))
            m_strOld = pszOld, m_bHadOld = true;
        ::setenv("TZ", pszZone, 1);
        ::tzset();
    }
    ~CTimeZone() {
        if (m_bHadOld)
            ::setenv("TZ", m_strOld.c_str(), 1);
        else
            ::unsetenv("TZ");
        ::tzset();
    }

private:
    std::string m_strOld;
    bool m_bHadOld = false;
};

mode_t ModeOf(const std::string& strPath) {
    struct stat st {};
    ::stat(strPath.c_str(), &st);
    return st.st_mode & 07777;
}

} // namespace

TEST(FileProperties, TimesInTheFileTimeFormat) {
    const CTimeZone zone("UTC");
    // 2024-03-05 14:07:09 UTC: day and time fields keep their leading zeros.
    EXPECT_EQ(FormatFileTime(1709647629), "March 05, 2024 14:07:09");
    EXPECT_EQ(FormatFileTime(0), "January 01, 1970 00:00:00");
    EXPECT_EQ(FormatFileTime(1735689599), "December 31, 2024 23:59:59");
    // Local time, not UTC.
    const CTimeZone later("UTC-10");
    EXPECT_EQ(FormatFileTime(1709647629), "March 06, 2024 00:07:09");
}

TEST(FileProperties, ContainsShowsGroupsTabAccounts) {
    EXPECT_EQ(ContainsText(2, 5), "2 Groups\t5 Accounts");
    EXPECT_EQ(ContainsText(1, 0), "1 Group\t0 Accounts");
    EXPECT_EQ(ContainsText(0, 1), "0 Groups\t1 Account");
}

TEST(FileProperties, ReadFromTheFile) {
    const CTimeZone zone("UTC");
    CTempFolder folder;
    const std::string strPath = folder.File("Work.pwd");
    WriteBytes(strPath, std::string(1234, 'x'));
    const timeval times[2] = {{1709647629, 0}, {1700000000, 0}}; // accessed, modified
    ASSERT_EQ(::utimes(strPath.c_str(), times), 0);

    SFileProperties props;
    ASSERT_EQ(ReadFileProperties(strPath, props), EFileError::none);
    EXPECT_EQ(props.m_strLocation, folder.Path() + "/");
    EXPECT_EQ(props.m_strSize, "1,234 Bytes");
    EXPECT_EQ(props.m_strAccessed, "March 05, 2024 14:07:09");
    EXPECT_EQ(props.m_strModified, "November 14, 2023 22:13:20");
    // A birth time, where recorded, is this run's; else nothing is shown.
    if (!props.m_strCreated.empty()) {
        const std::string strToday = FormatFileTime(std::time(nullptr));
        const auto nDate = strToday.rfind(' ');
        EXPECT_EQ(props.m_strCreated.substr(0, nDate), strToday.substr(0, nDate));
    }
    EXPECT_FALSE(props.m_bReadOnly);
    EXPECT_FALSE(props.m_bHidden);
    // The name is not read here: the document gives its own.
    EXPECT_TRUE(props.m_strFileName.empty());
}

TEST(FileProperties, HiddenIsANameBeginningWithAFullStop) {
    CTempFolder folder;
    WriteBytes(folder.File(".Secret.pwd"), "x");
    WriteBytes(folder.File("Not.hidden.pwd"), "x");
    SFileProperties props;
    ASSERT_EQ(ReadFileProperties(folder.File(".Secret.pwd"), props), EFileError::none);
    EXPECT_TRUE(props.m_bHidden);
    ASSERT_EQ(ReadFileProperties(folder.File("Not.hidden.pwd"), props), EFileError::none);
    EXPECT_FALSE(props.m_bHidden);
}

TEST(FileProperties, SayWhetherTheFormatGivesItsContentsAway) {
    CTempFolder folder;
    WriteBytes(folder.File("Open.pwd"), "x");
    WriteBytes(folder.File("Sealed.khv"), "x");
    SFileProperties props;
    ASSERT_EQ(ReadFileProperties(folder.File("Open.pwd"), props), EFileError::none);
    EXPECT_EQ(props.m_strProtection, IDS_PROPERTY_READABLE_WITHOUT_KEY);
    EXPECT_NE(props.m_strProtection.find("recover its KEY"), std::string::npos);
    EXPECT_FALSE(props.m_bSealed);
    ASSERT_EQ(ReadFileProperties(folder.File("Sealed.khv"), props), EFileError::none);
    EXPECT_EQ(props.m_strProtection, IDS_PROPERTY_SEALED);
    EXPECT_TRUE(props.m_bSealed);
}

TEST(FileProperties, ReadOnlyIsTheOwnersWritePermission) {
    CTempFolder folder;
    const std::string strPath = folder.File("Work.pwd");
    WriteBytes(strPath, "x");
    ASSERT_EQ(::chmod(strPath.c_str(), 0664), 0);

    ASSERT_EQ(SetReadOnlyAttribute(strPath, true), EFileError::none);
    EXPECT_EQ(ModeOf(strPath), mode_t(0464)); // the group keeps its write bit
    EXPECT_TRUE(IsReadOnlyFile(strPath));
    SFileProperties props;
    ASSERT_EQ(ReadFileProperties(strPath, props), EFileError::none);
    EXPECT_TRUE(props.m_bReadOnly);

    ASSERT_EQ(SetReadOnlyAttribute(strPath, false), EFileError::none);
    EXPECT_EQ(ModeOf(strPath), mode_t(0664));
    EXPECT_FALSE(IsReadOnlyFile(strPath));
    ASSERT_EQ(ReadFileProperties(strPath, props), EFileError::none);
    EXPECT_FALSE(props.m_bReadOnly);
}

TEST(FileProperties, AMissingFileIsNotFound) {
    CTempFolder folder;
    SFileProperties props;
    EXPECT_EQ(ReadFileProperties(folder.File("gone.pwd"), props), EFileError::notFound);
    EXPECT_EQ(SetReadOnlyAttribute(folder.File("gone.pwd"), true), EFileError::notFound);
    EXPECT_EQ(ReadFileProperties(folder.File("gone/deeper.pwd"), props), EFileError::notFound);
}
