// SPDX-License-Identifier: GPL-3.0-or-later
// The recent-file list: order, duplicates, its size and its settings values.

#include "core/store/RecentFileList.h"
#include "core/base/SettingsSchema.h"
#include "support/MemoryProfile.h"

#include <gtest/gtest.h>

using Names = std::vector<std::string>;

TEST(RecentFileList, NewestFirstWithoutDuplicatesAndAtMostFour) {
    CRecentFileList list;
    for (const char* pszPath : {"/a.pwd", "/b.pwd", "/c.pwd", "/d.pwd", "/e.pwd"})
        list.Add(pszPath);
    EXPECT_EQ(list.Names(), (Names{"/e.pwd", "/d.pwd", "/c.pwd", "/b.pwd"}));
    list.Add("/c.pwd");
    EXPECT_EQ(list.Names(), (Names{"/c.pwd", "/e.pwd", "/d.pwd", "/b.pwd"}));
    // Paths differ by case on this system.
    list.Add("/C.pwd");
    EXPECT_EQ(list.Names(), (Names{"/C.pwd", "/c.pwd", "/e.pwd", "/d.pwd"}));
}

TEST(RecentFileList, AListOfNoSizeStillKeepsTheNewestFile) {
    for (int nSize : {0, -3}) {
        CRecentFileList list(nSize);
        list.Add("/a.pwd");
        list.Add("/b.pwd");
        EXPECT_EQ(list.Names(), Names{"/b.pwd"}) << nSize;
    }
}

TEST(RecentFileList, BlankPathsAreNeverListed) {
    CRecentFileList list;
    list.Add("");
    list.Add(" ");
    EXPECT_EQ(list.GetCount(), 0);
}

TEST(RecentFileList, RemoveAndClear) {
    CRecentFileList list;
    list.Add("/a.pwd");
    list.Add("/b.pwd");
    list.Remove(7);
    list.Remove(2); // the first index past the end
    list.Remove(-1);
    EXPECT_EQ(list.Names(), (Names{"/b.pwd", "/a.pwd"}));
    list.Remove(0);
    EXPECT_EQ(list.Names(), Names{"/a.pwd"});
    list.Clear();
    EXPECT_EQ(list.GetCount(), 0);
}

TEST(RecentFileList, ReadsAndRewritesTheSettingsValues) {
    CMemoryProfile profile;
    profile.WriteProfileString(PROFILE_RECENT, "File1", "/one.pwd");
    profile.WriteProfileString(PROFILE_RECENT, "File2", "");
    profile.WriteProfileString(PROFILE_RECENT, "File3", "/three.pwd");
    profile.WriteProfileString(PROFILE_RECENT, "File4", "/one.pwd");
    profile.WriteProfileString("recent file list", "File5", "/five.pwd");
    CRecentFileList list;
    list.ReadList(profile);
    EXPECT_EQ(list.Names(), (Names{"/one.pwd", "/three.pwd"}));

    list.Remove(0);
    list.WriteList(profile);
    EXPECT_EQ(profile.GetProfileString(PROFILE_RECENT, "File1", "?"), "/three.pwd");
    for (const char* pszValue : {"File2", "File3", "File4", "File5"})
        EXPECT_FALSE(profile.HasValue(PROFILE_RECENT, pszValue)) << pszValue;
}

TEST(RecentFileList, AFullListReadsEveryValueUpToItsSize) {
    CMemoryProfile profile;
    const Names names{"/1.pwd", "/2.pwd", "/3.pwd", "/4.pwd", "/5.pwd"};
    for (std::size_t i = 0; i < names.size(); ++i)
        profile.WriteProfileString(PROFILE_RECENT, "File" + std::to_string(i + 1), names[i]);
    CRecentFileList list;
    list.ReadList(profile);
    EXPECT_EQ(list.Names(), Names(names.begin(), names.begin() + 4));
    list.WriteList(profile);
    EXPECT_EQ(profile.GetProfileString(PROFILE_RECENT, "File4", "?"), "/4.pwd");
    EXPECT_FALSE(profile.HasValue(PROFILE_RECENT, "File5"));
}
