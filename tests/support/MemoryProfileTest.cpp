// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/MemoryProfile.h"
#include "core/base/SettingsSchema.h"

#include <gtest/gtest.h>

namespace {

TEST(MemoryProfile, MissingValuesGiveTheCallersDefault) {
    const CMemoryProfile profile;
    EXPECT_EQ(profile.GetProfileInt("Settings", "tree", 160), 160u);
    EXPECT_EQ(profile.GetProfileString("Path", "1", "<<none>>"), "<<none>>");
    EXPECT_FALSE(profile.HasValue("Settings", "tree"));
    EXPECT_FALSE(profile.HasSection("Settings"));
}

TEST(MemoryProfile, ValuesRoundTripWithEveryBit) {
    CMemoryProfile profile;
    profile.WriteProfileInt("Settings", "AutoMin", 18000000);
    profile.WriteProfileInt("Settings", "HotKey", 0xFFFFFFFFu);
    const std::string strBytes("a\0b\xff\x80 ", 6);
    profile.WriteProfileString("Path", "3", strBytes);
    profile.WriteProfileString("Path", "4", "");
    EXPECT_EQ(profile.GetProfileInt("Settings", "AutoMin", 0), 18000000u);
    EXPECT_EQ(profile.GetProfileInt("Settings", "HotKey", 0), 0xFFFFFFFFu);
    EXPECT_EQ(profile.GetProfileString("Path", "3", "x"), strBytes);
    // An empty text is a value, not a missing one.
    EXPECT_EQ(profile.GetProfileString("Path", "4", "x"), "");
}

TEST(MemoryProfile, SectionsAndValuesIgnoreCaseAndKeepTheirFirstSpelling) {
    CMemoryProfile profile;
    profile.WriteProfileString(PROFILE_WINDOW_SIZE, VAL_RECT, "0001 0002 0003 0004");
    profile.WriteProfileInt(PROFILE_WINDOW_SIZE_MAXED, VAL_ISMAXED, 1);
    EXPECT_EQ(profile.GetProfileInt("WINDOW SIZE", "ismaxed", 0), 1u);
    EXPECT_EQ(profile.GetProfileString("window size", "RECT", ""), "0001 0002 0003 0004");

    const auto entries = profile.Entries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].m_strSection, "Window size");
    EXPECT_EQ(entries[1].m_strSection, "Window size");
    EXPECT_EQ(entries[1].m_strValue, "IsMaxed");

    // Rewriting under another spelling replaces the value in place.
    profile.WriteProfileInt("window size", "ISMAXED", 0);
    ASSERT_EQ(profile.ValueCount(), 2u);
    EXPECT_EQ(profile.Entries()[1].m_strValue, "IsMaxed");
    EXPECT_EQ(profile.GetProfileInt("Window Size", "IsMaxed", 7), 0u);
}

TEST(MemoryProfile, NamesDifferingOtherwiseStayApart) {
    CMemoryProfile profile;
    profile.WriteProfileInt("Settings", "1", 4);
    profile.WriteProfileInt("Settings", "2", 3);
    profile.WriteProfileInt("Path", "1", 9);
    profile.WriteProfileInt("Settings ", "1", 5);
    EXPECT_EQ(profile.GetProfileInt("Settings", "1", 0), 4u);
    EXPECT_EQ(profile.GetProfileInt("Settings", "2", 0), 3u);
    EXPECT_EQ(profile.GetProfileInt("Path", "1", 0), 9u);
    EXPECT_EQ(profile.ValueCount(), 4u);
}

TEST(MemoryProfile, AValueOfTheOtherTypeReadsAsTheDefault) {
    CMemoryProfile profile;
    profile.WriteProfileString("Settings", "Generate", "39");
    profile.WriteProfileInt("Settings", "Begin", 5);
    EXPECT_EQ(profile.GetProfileInt("Settings", "Generate", 12), 12u);
    EXPECT_EQ(profile.GetProfileString("Settings", "Begin", "7"), "7");

    // Writing with the other type changes the value's type.
    profile.WriteProfileInt("Settings", "Generate", 0x3F);
    EXPECT_EQ(profile.GetProfileInt("Settings", "Generate", 12), 0x3Fu);
    EXPECT_EQ(profile.GetProfileString("Settings", "Generate", "d"), "d");
    const auto entries = profile.Entries();
    EXPECT_EQ(entries[0].m_eType, CMemoryProfile::EValueType::integer);
    EXPECT_EQ(entries[1].m_eType, CMemoryProfile::EValueType::integer);
}

TEST(MemoryProfile, DeletingValuesAndSections) {
    CMemoryProfile profile;
    for (int i = 1; i <= RECENT_FILE_COUNT; ++i)
        profile.Set(RecentFileSetting(i - 1), "/f" + std::to_string(i));
    profile.WriteProfileInt("Settings", "3", 0);

    profile.DeleteProfileValue("recent file list", "FILE2");
    EXPECT_FALSE(profile.HasValue(PROFILE_RECENT, "File2"));
    EXPECT_TRUE(profile.HasValue(PROFILE_RECENT, "File3"));
    profile.DeleteProfileValue(PROFILE_RECENT, "File9"); // nothing to delete
    profile.DeleteProfileValue("Nowhere", "File1");
    EXPECT_EQ(profile.ValueCount(), 4u);

    profile.DeleteProfileSection("RECENT FILE LIST");
    EXPECT_FALSE(profile.HasSection(PROFILE_RECENT));
    EXPECT_EQ(profile.GetProfileString(PROFILE_RECENT, "File1", "gone"), "gone");
    EXPECT_EQ(profile.GetProfileInt("Settings", "3", 1), 0u);
}

TEST(MemoryProfile, AStoreThatCannotBeWrittenKeepsItsOldValues) {
    CMemoryProfile profile;
    profile.WriteProfileInt("Settings", "WinStart", 1);
    profile.WriteProfileString("Path", "3", "/old");
    profile.SetReadOnly(true);
    profile.WriteProfileInt("Settings", "WinStart", 0);
    profile.WriteProfileString("Path", "3", "/new");
    profile.WriteProfileInt("Settings", "StartBar", 1);
    profile.DeleteProfileSection("Path");
    EXPECT_EQ(profile.GetProfileInt("Settings", "WinStart", 9), 1u);
    EXPECT_EQ(profile.GetProfileString("Path", "3", ""), "/old");
    EXPECT_FALSE(profile.HasValue("Settings", "StartBar"));
    EXPECT_EQ(profile.WriteCount(), 2u);

    profile.SetReadOnly(false);
    profile.WriteProfileInt("Settings", "WinStart", 0);
    EXPECT_EQ(profile.GetProfileInt("Settings", "WinStart", 9), 0u);
    EXPECT_EQ(profile.WriteCount(), 3u);
}

TEST(MemoryProfile, EntriesKeepCreationOrderAndClearEmpties) {
    CMemoryProfile profile;
    profile.WriteProfileInt("Settings", "b", 1);
    profile.WriteProfileInt("Path", "x", 2);
    profile.WriteProfileInt("Settings", "a", 3);
    profile.WriteProfileInt("settings", "B", 4);
    const auto entries = profile.Entries();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].m_strValue, "b");
    EXPECT_EQ(entries[0].m_nValue, 4u);
    EXPECT_EQ(entries[1].m_strValue, "a");
    EXPECT_EQ(entries[2].m_strSection, "Path");
    profile.Clear();
    EXPECT_EQ(profile.ValueCount(), 0u);
    EXPECT_EQ(profile.WriteCount(), 0u);
}

} // namespace
