// SPDX-License-Identifier: GPL-3.0-or-later
// The rules every settings store keeps, run over the store in memory that
// tests hand to the program and over the user's settings file. What only one
// of them does (the file's format and permissions, the memory store's record
// of writes) is tested beside it.

#include "core/base/SettingsSchema.h"
#include "platform/QtProfile.h"
#include "support/MemoryProfile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// A store as a start of the program writes it, and as the next start reads
// it: for the memory store the same values, for the file a new reading of it.
class CMemoryStore {
public:
    CProfile& Store() { return m_profile; }
    const CProfile& Reopened() { return m_profile; }

private:
    CMemoryProfile m_profile;
};

class CFileStore {
public:
    CProfile& Store() { return *m_pProfile; }
    const CProfile& Reopened() {
        m_pProfile.reset(); // written out as the program does when it ends
        m_pProfile = std::make_unique<CQtProfile>(FileName());
        return *m_pProfile;
    }

private:
    QString FileName() const { return QString::fromStdString(m_folder.File("Keyhaven.ini")); }

    CTempFolder m_folder;
    std::unique_ptr<CQtProfile> m_pProfile = std::make_unique<CQtProfile>(FileName());
};

template <class TStore> class ProfileContract : public ::testing::Test {
protected:
    TStore m_store;
};

using Stores = ::testing::Types<CMemoryStore, CFileStore>;
TYPED_TEST_SUITE(ProfileContract, Stores);

} // namespace

// Integers of 32 bits and texts of any bytes come back as written; an empty
// text is a value, a missing value gives the caller's default.
TYPED_TEST(ProfileContract, ValuesComeBackWithEveryBit) {
    const std::string TEXTS[] = {std::string("a\0b\xff\x80 ", 6),
                                 "caf\xe9 \xff\x80 path", // not UTF-8
                                 "/home/me/caf\xc3\xa9.pwd",
                                 "/home/me/a,b;c=d \"q\".pwd",
                                 "/home/me/My backups",
                                 "  5  ",
                                 "@literal",
                                 ""};
    CProfile& profile = this->m_store.Store();
    profile.WriteProfileInt(PROFILE_SETTINGS, VAL_AUTOMIN, 18000000);
    profile.WriteProfileInt(PROFILE_SETTINGS, VAL_HOTKEY, 0xFFFFFFFFu);
    for (std::size_t i = 0; i < std::size(TEXTS); ++i)
        profile.WriteProfileString(PROFILE_PATH, "Text" + std::to_string(i), TEXTS[i]);

    const CProfile& reopened = this->m_store.Reopened();
    EXPECT_EQ(reopened.GetProfileInt(PROFILE_SETTINGS, VAL_AUTOMIN, 0), 18000000u);
    EXPECT_EQ(reopened.GetProfileInt(PROFILE_SETTINGS, VAL_HOTKEY, 0), 0xFFFFFFFFu);
    for (std::size_t i = 0; i < std::size(TEXTS); ++i)
        EXPECT_EQ(reopened.GetProfileString(PROFILE_PATH, "Text" + std::to_string(i), "missing"),
                  TEXTS[i])
            << i;
    EXPECT_EQ(reopened.GetProfileInt(PROFILE_SETTINGS, VAL_TREE, 160), 160u);
    EXPECT_EQ(reopened.GetProfileString(PROFILE_RECENT, "File2", "<<none>>"), "<<none>>");
}

// Sections and values are one whatever the case of their names: a value
// written again under another spelling replaces the first. Names that
// differ otherwise (a blank more) stay apart, and blanks inside names are
// kept.
TYPED_TEST(ProfileContract, NamesDifferOnlyInMoreThanCase) {
    CProfile& profile = this->m_store.Store();
    profile.WriteProfileString(PROFILE_WINDOW_SIZE, VAL_RECT, "0001 0002 0003 0004");
    profile.WriteProfileInt(PROFILE_WINDOW_SIZE_MAXED, VAL_ISMAXED, 1);
    profile.WriteProfileInt("window size", "ISMAXED", 0);
    profile.WriteProfileString("Recent File List", "Window size", "a b");
    profile.WriteProfileInt("Settings", "Hot Key Flag", 6);
    profile.WriteProfileInt("Settings", "1", 4);
    profile.WriteProfileInt("Settings ", "1", 5);
    profile.WriteProfileInt("Path", "1", 9);

    const CProfile& reopened = this->m_store.Reopened();
    EXPECT_EQ(reopened.GetProfileInt("Window Size", "IsMaxed", 7), 0u);
    EXPECT_EQ(reopened.GetProfileString("WINDOW SIZE", "rect", ""), "0001 0002 0003 0004");
    EXPECT_EQ(reopened.GetProfileString("recent file list", "WINDOW SIZE", ""), "a b");
    EXPECT_EQ(reopened.GetProfileInt("settings", "hot key flag", 0), 6u);
    EXPECT_EQ(reopened.GetProfileInt("Settings", "1", 0), 4u);
    EXPECT_EQ(reopened.GetProfileInt("Settings ", "1", 0), 5u);
    EXPECT_EQ(reopened.GetProfileInt("Path", "1", 0), 9u);
}

// A text that is no integer reads as the caller's default when read as one.
TYPED_TEST(ProfileContract, ATextReadAsAnIntegerGivesTheDefault) {
    CProfile& profile = this->m_store.Store();
    profile.WriteProfileString(PROFILE_SETTINGS, VAL_GENERATE, "upper and lower");
    profile.WriteProfileString(PROFILE_SETTINGS, VAL_DOC_OPTIONS, "\xff\xfe");
    EXPECT_EQ(profile.GetProfileInt(PROFILE_SETTINGS, VAL_GENERATE, 39), 39u);
    const CProfile& reopened = this->m_store.Reopened();
    EXPECT_EQ(reopened.GetProfileInt(PROFILE_SETTINGS, VAL_GENERATE, 39), 39u);
    EXPECT_EQ(reopened.GetProfileInt(PROFILE_SETTINGS, VAL_DOC_OPTIONS, 3), 3u);
}

// A value or a section is deleted whatever the spelling of its name;
// deleting what is not there changes nothing.
TYPED_TEST(ProfileContract, DeletingValuesAndSections) {
    CProfile& profile = this->m_store.Store();
    for (int i = 1; i <= RECENT_FILE_COUNT; ++i)
        profile.Set(RecentFileSetting(i - 1), "/f" + std::to_string(i) + ".pwd");
    profile.WriteProfileInt(PROFILE_SETTINGS, VAL_MASK, 0);
    profile.DeleteProfileValue("recent file list", "FILE2");
    profile.DeleteProfileValue(PROFILE_RECENT, "File9");
    profile.DeleteProfileValue("Nowhere", "File1");
    const CProfile& reopened = this->m_store.Reopened();
    EXPECT_EQ(reopened.GetProfileString(PROFILE_RECENT, "File1", "gone"), "/f1.pwd");
    EXPECT_EQ(reopened.GetProfileString(PROFILE_RECENT, "File2", "gone"), "gone");
    EXPECT_EQ(reopened.GetProfileString(PROFILE_RECENT, "File3", "gone"), "/f3.pwd");

    CProfile& again = this->m_store.Store();
    again.DeleteProfileSection("RECENT FILE LIST");
    again.DeleteProfileSection("No such section");
    const CProfile& emptied = this->m_store.Reopened();
    for (int i = 1; i <= RECENT_FILE_COUNT; ++i)
        EXPECT_EQ(emptied.GetProfileString(PROFILE_RECENT, "File" + std::to_string(i), "gone"),
                  "gone");
    EXPECT_EQ(emptied.GetProfileInt(PROFILE_SETTINGS, VAL_MASK, 1), 0u);
}
