// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/SettingsSchema.h"
#include "support/MemoryProfile.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

struct SExpected {
    std::string m_strSection;
    std::string m_strValue;
    bool m_bInteger;
    unsigned m_nDefault;
    std::string m_strDefault;
};

// The settings a fresh user starts from, written out independently of the
// table in the code.
const std::vector<SExpected>& ExpectedDefaults() {
    static const std::vector<SExpected> s_expected = {
        {"Settings", "WinStart", true, 0, ""},
        {"Settings", "StartBar", true, 0, ""},
        // Strong for a new user: all four classes, 16 to 20 characters.
        {"Settings", "Generate", true, 47, ""},
        {"Settings", "Begin", false, 0, "16"},
        {"Settings", "End", false, 0, "20"},
        {"Settings", "Length", false, 0, "16"},
        {"Settings", "AutoMin", true, 0, ""},
        {"Settings", "AutoExit", true, 0, ""},
        {"Settings", "1", true, 0, ""},
        {"Settings", "2", true, 11, ""}, // backup, recent list, the last file at start
        {"Settings", "3", true, 1, ""},
        {"Settings", "tree", true, 160, ""},
        {"Settings", "barx", true, 400, ""},
        {"Settings", "bary", true, 0, ""},
        {"Settings", "Exit2Min", true, 0, ""},
        {"Settings", "Min2Lock", true, 0, ""},
        {"Settings", "DeleteConfirmA", true, 1, ""},
        {"Settings", "DeleteConfirmG", true, 1, ""},
        {"Settings", "HideTray", true, 0, ""},
        {"Settings", "HotKey", true, 0, ""},
        {"Settings", "HotKeyFlag", true, 0, ""},
        {"Settings", "PreviewPages", true, 0, ""},
        {"Settings", "LockOnScreenLock", true, 1, ""},
        {"Settings", "ClipboardClear", true, 30, ""},
        {"Settings", "ConvertOffered", false, 0, ""},
        {"Settings", "HealthThreshold", false, 0, "reasonable"},
        {"Window size", "tool", true, 1, ""},
        {"Window size", "status", true, 1, ""},
        {"Window size", "search", true, 0, ""},
        {"Window size", "top", true, 0, ""},
        {"Window size", "Rect", false, 0, "0218 0100 0711 0543"},
        {"Window Size", "IsMaxed", true, 0, ""},
        {"Start", "Auto", true, 0, ""},
        {"Path", "1", false, 0, "<<none>>"},
        {"Path", "2", false, 0, "<<none>>"},
        {"Path", "3", false, 0, ""},
        {"Path", "4", false, 0, ""},
        {"Recent File List", "File1", false, 0, ""},
        {"Recent File List", "File2", false, 0, ""},
        {"Recent File List", "File3", false, 0, ""},
        {"Recent File List", "File4", false, 0, ""},
    };
    return s_expected;
}

TEST(SettingsTable, HoldsEveryValueWithItsTypeAndDefault) {
    const auto& table = ProfileTable();
    ASSERT_EQ(table.size(), ExpectedDefaults().size());
    for (const SExpected& expected : ExpectedDefaults()) {
        SCOPED_TRACE(expected.m_strSection + "/" + expected.m_strValue);
        const SProfileEntry* pEntry = FindProfileEntry(expected.m_strSection, expected.m_strValue);
        ASSERT_NE(pEntry, nullptr);
        // The spelling is the stored one, not merely one that matches.
        EXPECT_EQ(std::string(pEntry->m_pszSection), expected.m_strSection);
        EXPECT_EQ(std::string(pEntry->m_pszValue), expected.m_strValue);
        if (expected.m_bInteger) {
            EXPECT_EQ(pEntry->m_eType, EProfileType::integer);
            EXPECT_EQ(pEntry->m_nDefault, expected.m_nDefault);
        } else {
            EXPECT_EQ(pEntry->m_eType, EProfileType::text);
            EXPECT_EQ(std::string(pEntry->m_pszDefault), expected.m_strDefault);
        }
    }
}

TEST(SettingsTable, NamesAreUniqueIgnoringCase) {
    std::set<std::string> seen;
    for (const SProfileEntry& entry : ProfileTable()) {
        std::string strKey = std::string(entry.m_pszSection) + "/" + entry.m_pszValue;
        for (char& c : strKey)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_TRUE(seen.insert(strKey).second) << strKey;
    }
}

TEST(SettingsTable, LookUpIgnoresCaseAndRefusesUnknownNames) {
    const SProfileEntry* pTool = FindProfileEntry("window SIZE", "TOOL");
    ASSERT_NE(pTool, nullptr);
    EXPECT_EQ(pTool->m_nDefault, 1u);
    const SProfileEntry* pMaxed = FindProfileEntry("Window size", "IsMaxed");
    ASSERT_NE(pMaxed, nullptr);
    EXPECT_EQ(std::string(pMaxed->m_pszSection), "Window Size");
    const SProfileEntry* pBegin = FindProfileEntry("SETTINGS", "begin");
    ASSERT_NE(pBegin, nullptr);
    EXPECT_EQ(std::string(pBegin->m_pszDefault), "16");
    EXPECT_EQ(FindProfileEntry("Settings", "NoSuchValue"), nullptr);
    EXPECT_EQ(FindProfileEntry("Nowhere", "1"), nullptr);
}

// Every row of the table is reached by exactly one key of its own type, so
// no setting is read under a name or default of its own making.
TEST(SettingKeys, EachRowHasExactlyOneKeyOfItsType) {
    std::set<const SProfileEntry*> rows;
    for (int i = 0; i < INT_SETTING_COUNT; ++i) {
        const SProfileEntry* pEntry = SettingEntry(static_cast<EIntSetting>(i));
        ASSERT_NE(pEntry, nullptr) << "integer key " << i;
        EXPECT_EQ(pEntry->m_eType, EProfileType::integer);
        EXPECT_TRUE(rows.insert(pEntry).second) << pEntry->m_pszValue;
    }
    for (int i = 0; i < TEXT_SETTING_COUNT; ++i) {
        const SProfileEntry* pEntry = SettingEntry(static_cast<ETextSetting>(i));
        ASSERT_NE(pEntry, nullptr) << "text key " << i;
        EXPECT_EQ(pEntry->m_eType, EProfileType::text);
        EXPECT_TRUE(rows.insert(pEntry).second) << pEntry->m_pszValue;
    }
    EXPECT_EQ(rows.size(), ProfileTable().size());
    EXPECT_EQ(std::string(SettingEntry(RecentFileSetting(0))->m_pszValue), "File1");
    EXPECT_EQ(std::string(SettingEntry(RecentFileSetting(RECENT_FILE_COUNT - 1))->m_pszValue),
              "File4");
}

TEST(SettingKeys, ReadByKeyGivesTheDefaultsAndWritesUnderTheTablesNames) {
    CMemoryProfile profile;
    EXPECT_EQ(profile.Get(EIntSetting::treeWidth), 160u);
    EXPECT_EQ(profile.Get(EIntSetting::documentOptions), 3u + 8 * START_FILE_LAST);
    EXPECT_EQ(profile.Get(ETextSetting::windowRect), "0218 0100 0711 0543");
    EXPECT_EQ(profile.Get(ETextSetting::pathLast), PATH_NONE);

    profile.Set(EIntSetting::isMaxed, 1);
    profile.Set(ETextSetting::generateLength, "12");
    EXPECT_EQ(profile.GetProfileInt("Window Size", "IsMaxed", 0), 1u);
    EXPECT_EQ(profile.GetProfileString("Settings", "Length", ""), "12");
    EXPECT_EQ(profile.Get(EIntSetting::isMaxed), 1u);
    EXPECT_EQ(profile.Get(ETextSetting::generateLength), "12");
}

TEST(FrameOptions, UnpacksTheThreeFields) {
    const SFrameOptions options = UnpackFrameOptions(0x94);
    EXPECT_TRUE(options.m_bClearRecent);
    EXPECT_EQ(options.m_nAutoLockChoice, 2);
    EXPECT_EQ(options.m_nAutoExitChoice, 2);
    EXPECT_EQ(PackFrameOptions(options), 148u);

    const SFrameOptions fresh = UnpackFrameOptions(0);
    EXPECT_FALSE(fresh.m_bClearRecent);
    EXPECT_EQ(fresh.m_nAutoLockChoice, 0);
    EXPECT_EQ(fresh.m_nAutoExitChoice, 0);
}

TEST(FrameOptions, RoundTripsEveryCombinationAndNeverSetsTheLowBits) {
    for (int nLock = 0; nLock <= 7; ++nLock)
        for (int nExit = 0; nExit <= 7; ++nExit)
            for (bool bClear : {false, true}) {
                const unsigned nValue = PackFrameOptions({bClear, nLock, nExit});
                EXPECT_EQ(nValue & 3u, 0u);
                EXPECT_EQ(nValue, unsigned(nExit * 64 + nLock * 8 + (bClear ? 4 : 0)));
                const SFrameOptions back = UnpackFrameOptions(nValue);
                EXPECT_EQ(back.m_bClearRecent, bClear);
                EXPECT_EQ(back.m_nAutoLockChoice, nLock);
                EXPECT_EQ(back.m_nAutoExitChoice, nExit);
            }
}

TEST(FrameOptions, IgnoresBitsOutsideItsFields) {
    // Bits 0, 1 and 9 up belong to no field.
    const SFrameOptions options = UnpackFrameOptions(0xFFFFFE00u | 0x94u | 3u);
    EXPECT_TRUE(options.m_bClearRecent);
    EXPECT_EQ(options.m_nAutoLockChoice, 2);
    EXPECT_EQ(options.m_nAutoExitChoice, 2);
    // A choice too big for its three bits cannot spill into its neighbour.
    EXPECT_EQ(PackFrameOptions({false, 9, 0}), 8u);
}

TEST(DocumentOptions, DefaultIsBackupRecentAndTheLastFile) {
    const SDocumentOptions options = UnpackDocumentOptions(3 + 8);
    EXPECT_TRUE(options.m_bBackup);
    EXPECT_TRUE(options.m_bAddToRecent);
    EXPECT_FALSE(options.m_bAutoSave);
    EXPECT_EQ(options.m_nStartFile, START_FILE_LAST);
    EXPECT_EQ(PackDocumentOptions(SDocumentOptions{}), 3u + 8);
    // An older settings file's "Don't open file at starting" stays.
    EXPECT_EQ(UnpackDocumentOptions(3).m_nStartFile, START_FILE_NONE);
}

TEST(DocumentOptions, RoundTripsEveryCombination) {
    for (int nMode = 0; nMode <= 7; ++nMode)
        for (int nBits = 0; nBits < 8; ++nBits) {
            const SDocumentOptions options{(nBits & 1) != 0, (nBits & 2) != 0, (nBits & 4) != 0,
                                           nMode};
            const unsigned nValue = PackDocumentOptions(options);
            EXPECT_EQ(nValue, unsigned(nBits + 8 * nMode));
            const SDocumentOptions back = UnpackDocumentOptions(nValue);
            EXPECT_EQ(back.m_bBackup, options.m_bBackup);
            EXPECT_EQ(back.m_bAddToRecent, options.m_bAddToRecent);
            EXPECT_EQ(back.m_bAutoSave, options.m_bAutoSave);
            EXPECT_EQ(back.m_nStartFile, nMode);
        }
    EXPECT_EQ(UnpackDocumentOptions(2 * 8 + 5).m_nStartFile, START_FILE_FIXED);
    EXPECT_EQ(UnpackDocumentOptions(0x40 + 8).m_nStartFile, START_FILE_LAST);
}

TEST(IdleTime, ChoicesMapToMilliseconds) {
    EXPECT_EQ(IdleTimeForChoice(IDLE_CHOICE_NEVER, 5), 0u);
    EXPECT_EQ(IdleTimeForChoice(IDLE_CHOICE_5_MINUTES, 0), 300000u);
    EXPECT_EQ(IdleTimeForChoice(IDLE_CHOICE_15_MINUTES, 0), 900000u);
    EXPECT_EQ(IdleTimeForChoice(IDLE_CHOICE_30_MINUTES, 0), 1800000u);
    EXPECT_EQ(IdleTimeForChoice(IDLE_CHOICE_CUSTOMIZE, 1), 1800000u);
    EXPECT_EQ(IdleTimeForChoice(IDLE_CHOICE_CUSTOMIZE, 10), 18000000u);
    // Choices the three bits can hold but the combo cannot mean "never".
    EXPECT_EQ(IdleTimeForChoice(5, 3), 0u);
    EXPECT_EQ(IdleTimeForChoice(-1, 3), 0u);
}

TEST(IdleTime, CustomizeShowsTheSliderAgain) {
    const unsigned nStored = IdleTimeForChoice(IDLE_CHOICE_CUSTOMIZE, 10);
    EXPECT_EQ(nStored, 18000000u);
    EXPECT_EQ(SliderPosForIdleTime(IDLE_CHOICE_CUSTOMIZE, nStored), 10);
    for (int nPos = IDLE_SLIDER_MIN; nPos <= IDLE_SLIDER_MAX; ++nPos)
        EXPECT_EQ(SliderPosForIdleTime(IDLE_CHOICE_CUSTOMIZE,
                                       IdleTimeForChoice(IDLE_CHOICE_CUSTOMIZE, nPos)),
                  nPos);
}

TEST(IdleTime, FixedChoicesShowTheSliderAtZero) {
    const unsigned nStored = IdleTimeForChoice(IDLE_CHOICE_30_MINUTES, 7);
    EXPECT_EQ(nStored, 1800000u);
    EXPECT_EQ(SliderPosForIdleTime(IDLE_CHOICE_30_MINUTES, nStored), 0);
    EXPECT_EQ(SliderPosForIdleTime(IDLE_CHOICE_NEVER, 18000000), 0);
    // A custom time between two slider steps shows the step below it.
    EXPECT_EQ(SliderPosForIdleTime(IDLE_CHOICE_CUSTOMIZE, 2 * 1800000 + 1799999), 2);
}

TEST(IdleTime, CustomizeHoldsTheSliderToItsRange) {
    EXPECT_EQ(IdleTimeForChoice(IDLE_CHOICE_CUSTOMIZE, 0), 1800000u);
    EXPECT_EQ(IdleTimeForChoice(IDLE_CHOICE_CUSTOMIZE, -4), 1800000u);
    EXPECT_EQ(IdleTimeForChoice(IDLE_CHOICE_CUSTOMIZE, 5000), 18000000u);
}

TEST(GeneratorFlags, DefaultIsUpperLowerDigitsRange) {
    const SGeneratorOptions options = UnpackGeneratorFlags(39);
    EXPECT_TRUE(options.m_bUpper);
    EXPECT_TRUE(options.m_bLower);
    EXPECT_TRUE(options.m_bDigits);
    EXPECT_FALSE(options.m_bSpecial);
    EXPECT_FALSE(options.m_bSpace);
    EXPECT_TRUE(options.m_bRangeMode);
    EXPECT_EQ(PackGeneratorFlags(SGeneratorOptions{}), 39u);
}

TEST(GeneratorFlags, EachBitIsOneField) {
    for (unsigned nFlags = 0; nFlags < 64; ++nFlags) {
        const SGeneratorOptions options = UnpackGeneratorFlags(nFlags);
        EXPECT_EQ(PackGeneratorFlags(options), nFlags);
    }
    EXPECT_TRUE(UnpackGeneratorFlags(0x08).m_bSpecial);
    EXPECT_TRUE(UnpackGeneratorFlags(0x10).m_bSpace);
    EXPECT_FALSE(UnpackGeneratorFlags(0x1F).m_bRangeMode);
    // Higher bits mean nothing and are not kept.
    EXPECT_EQ(PackGeneratorFlags(UnpackGeneratorFlags(0x40 | 0x27)), 0x27u);
}

TEST(PlacementRect, DefaultTextReadsAsTheDefaultWindow) {
    int l = -1, t = -1, r = -1, b = -1;
    ASSERT_TRUE(ParsePlacementRect(CMemoryProfile().Get(ETextSetting::windowRect), l, t, r, b));
    EXPECT_EQ(l, 218);
    EXPECT_EQ(t, 100);
    EXPECT_EQ(r, 711);
    EXPECT_EQ(b, 543);
    EXPECT_EQ(FormatPlacementRect(218, 100, 711, 543), "0218 0100 0711 0543");
}

TEST(PlacementRect, NegativeCoordinatesRoundTrip) {
    const std::string strText = FormatPlacementRect(-8, -8, 1928, 1088);
    EXPECT_EQ(strText, "-008 -008 1928 1088");
    EXPECT_EQ(strText.substr(0, 4), "-008");
    int l = 0, t = 0, r = 0, b = 0;
    ASSERT_TRUE(ParsePlacementRect(strText, l, t, r, b));
    EXPECT_EQ(l, -8);
    EXPECT_EQ(t, -8);
    EXPECT_EQ(r, 1928);
    EXPECT_EQ(b, 1088);
    for (int n : {-999, -10, 0, 7, 9999}) {
        ASSERT_TRUE(ParsePlacementRect(FormatPlacementRect(n, n, n, n), l, t, r, b));
        EXPECT_EQ(l, n);
        EXPECT_EQ(b, n);
    }
}

TEST(PlacementRect, CoordinatesBeyondFourCharactersAreHeldSoFieldsStayInPlace) {
    const std::string strText = FormatPlacementRect(-2000, -1500, 12000, 300);
    EXPECT_EQ(strText, "-999 -999 9999 0300");
    int l = 0, t = 0, r = 0, b = 0;
    ASSERT_TRUE(ParsePlacementRect(strText, l, t, r, b));
    EXPECT_EQ(t, -999);
    EXPECT_EQ(r, 9999);
    EXPECT_EQ(b, 300);
}

TEST(PlacementRect, EmptyTextLeavesTheWindowAlone) {
    int l = 1, t = 2, r = 3, b = 4;
    EXPECT_FALSE(ParsePlacementRect("", l, t, r, b));
    EXPECT_EQ(l, 1);
    EXPECT_EQ(t, 2);
    EXPECT_EQ(r, 3);
    EXPECT_EQ(b, 4);
}

TEST(PlacementRect, FieldsThatAreNotNumbersReadAsZero) {
    int l = -1, t = -1, r = -1, b = -1;
    ASSERT_TRUE(ParsePlacementRect("abcd 0100 xyz! 0543", l, t, r, b));
    EXPECT_EQ(l, 0);
    EXPECT_EQ(t, 100);
    EXPECT_EQ(r, 0);
    EXPECT_EQ(b, 543);
    // Fields past the end of a short text are 0 too, never read from
    // beyond the text.
    ASSERT_TRUE(ParsePlacementRect("0050 0060", l, t, r, b));
    EXPECT_EQ(l, 50);
    EXPECT_EQ(t, 60);
    EXPECT_EQ(r, 0);
    EXPECT_EQ(b, 0);
    // Each number starts at its offset and ends where the digits end.
    ASSERT_TRUE(ParsePlacementRect("12x4 +7yy 99999999999999999", l, t, r, b));
    EXPECT_EQ(l, 12);
    EXPECT_EQ(t, 7);
    EXPECT_EQ(r, 2147483647);
    EXPECT_EQ(b, 2147483647);
}

} // namespace
