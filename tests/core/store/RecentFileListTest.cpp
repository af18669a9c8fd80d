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
