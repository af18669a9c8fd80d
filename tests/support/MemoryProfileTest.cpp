// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/MemoryProfile.h"
#include "core/base/SettingsSchema.h"

#include <gtest/gtest.h>

namespace {

// The rules every store keeps are in the profile contract's tests; these are
// the memory store's own: the types it keeps, its entries, its read-only
// mode.

TEST(MemoryProfile, SectionsAndValuesKeepTheirFirstSpelling) {
    CMemoryProfile profile;
    profile.WriteProfileString(PROFILE_WINDOW_SIZE, VAL_RECT, "0001 0002 0003 0004");
    profile.WriteProfileInt(PROFILE_WINDOW_SIZE_MAXED, VAL_ISMAXED, 1);
    EXPECT_FALSE(profile.HasValue(PROFILE_SETTINGS, VAL_TREE));
    EXPECT_TRUE(profile.HasSection("WINDOW SIZE"));

    const auto entries = profile.Entries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].m_strSection, "Window size");
    EXPECT_EQ(entries[1].m_strSection, "Window size");
    EXPECT_EQ(entries[1].m_strValue, "IsMaxed");

    // Rewriting under another spelling replaces the value in place.
    profile.WriteProfileInt("window size", "ISMAXED", 0);
    ASSERT_EQ(profile.ValueCount(), 2u);
    EXPECT_EQ(profile.Entries()[1].m_strValue, "IsMaxed");
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
