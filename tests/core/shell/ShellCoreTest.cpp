// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/CommandIds.h"
#include "core/base/OptionsData.h"
#include "core/base/SettingsSchema.h"
#include "core/base/StringTable.h"
#include "core/base/Version.h"
#include "core/shell/BarSnap.h"
#include "core/shell/CommandLineInfo.h"
#include "core/shell/CommandMap.h"
#include "core/shell/PlacementFit.h"
#include "core/shell/ShellSettings.h"
#include "core/shell/StartupFile.h"
#include "support/MemoryProfile.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <set>

namespace {

CStartupFileChoice Choose(const CMemoryProfile& profile, std::set<std::string> existing = {}) {
    return ChooseStartupFile(
        profile, [existing](const std::string& strPath) { return existing.count(strPath) != 0; });
}

} // namespace

TEST(CommandLine, SwitchIsAWordOfItsOwnAndCaseSensitive) {
    EXPECT_TRUE(CCommandLineInfo::Parse({"-w"}).m_bAutoStart);
    EXPECT_TRUE(CCommandLineInfo::Parse({"/tmp/a.pwd", "-w"}).m_bAutoStart);
    // The letters inside a path are no switch, nor is a name after "--".
    EXPECT_FALSE(CCommandLineInfo::Parse({"/tmp/my-work.pwd"}).m_bAutoStart);
    EXPECT_FALSE(CCommandLineInfo::Parse({"--", "-w"}).m_bAutoStart);
    EXPECT_FALSE(CCommandLineInfo::Parse({"-W"}).m_bAutoStart);
    EXPECT_FALSE(CCommandLineInfo::Parse({}).m_bAutoStart);
    EXPECT_FALSE(CCommandLineInfo::Parse({"--version"}).m_bAutoStart);
}

TEST(CommandLine, FirstNonOptionIsTheFileMadeAbsolute) {
    const CCommandLineInfo info = CCommandLineInfo::Parse({"-w", "/data/a.pwd", "/data/b.pwd"});
    EXPECT_EQ(info.m_strFileName, "/data/a.pwd");

    const CCommandLineInfo relative = CCommandLineInfo::Parse({"sub/../x.pwd"});
    const std::string strExpected = (std::filesystem::current_path() / "x.pwd").string();
    EXPECT_EQ(relative.m_strFileName, strExpected);

    EXPECT_EQ(CCommandLineInfo::Parse({"--", "-odd.pwd"}).m_strFileName,
              (std::filesystem::current_path() / "-odd.pwd").string());
    EXPECT_EQ(CCommandLineInfo::Parse({"-w"}).m_strFileName, "");
}

TEST(CommandLine, HelpAndVersion) {
    EXPECT_TRUE(CCommandLineInfo::Parse({"--help"}).m_bHelp);
    EXPECT_TRUE(CCommandLineInfo::Parse({"x.pwd", "--version"}).m_bVersion);
    EXPECT_FALSE(CCommandLineInfo::Parse({"x.pwd"}).m_bHelp);
    EXPECT_NE(UsageText().find("-w"), std::string::npos);
    // The version line first (for scripts and the man page), then the
    // licence and the disclaimer of warranty.
    const std::string strVersion = VersionText();
    EXPECT_EQ(strVersion.substr(0, strVersion.find('\n') + 1), "Keyhaven " KEYHAVEN_VERSION "\n");
    EXPECT_NE(strVersion.find("\nLicense GPL-3.0-or-later"), std::string::npos) << strVersion;
    EXPECT_NE(strVersion.find("NO WARRANTY"), std::string::npos) << strVersion;
}

TEST(StartupFile, CommandLineFileWinsWithoutTest) {
    CMemoryProfile profile;
    profile.WriteProfileString(PROFILE_PATH, VAL_PATH_COMMAND_LINE, "/nowhere/x.pwd");
    profile.WriteProfileInt(PROFILE_SETTINGS, VAL_DOC_OPTIONS, 3 + 8 * START_FILE_LAST);
    const CStartupFileChoice choice = Choose(profile);
    EXPECT_EQ(choice.m_strPath, "/nowhere/x.pwd");
    EXPECT_EQ(choice.m_pszMessage, nullptr);
}

TEST(StartupFile, ModeNoneOpensNothingSilently) {
    CMemoryProfile profile;
    profile.WriteProfileInt(PROFILE_SETTINGS, VAL_DOC_OPTIONS, 3 + 8 * START_FILE_NONE);
    profile.WriteProfileString(PROFILE_PATH, VAL_PATH_LAST, "/a.pwd");
    const CStartupFileChoice choice = Choose(profile, {"/a.pwd"});
    EXPECT_EQ(choice.m_strPath, "");
    EXPECT_EQ(choice.m_pszMessage, nullptr);
    // Values above the known modes open nothing either.
    profile.WriteProfileInt(PROFILE_SETTINGS, VAL_DOC_OPTIONS, 8 * 5);
    EXPECT_EQ(Choose(profile).m_pszMessage, nullptr);
}

TEST(StartupFile, NewSettingsReopenTheLastFileAndStartQuietlyWithoutOne) {
    CMemoryProfile profile;
    const CStartupFileChoice first = Choose(profile);
    EXPECT_EQ(first.m_strPath, "");
    EXPECT_EQ(first.m_pszMessage, nullptr);
    profile.WriteProfileString(PROFILE_PATH, VAL_PATH_LAST, "/last.pwd");
    EXPECT_EQ(Choose(profile, {"/last.pwd"}).m_strPath, "/last.pwd");
}

TEST(StartupFile, LastFileMode) {
    CMemoryProfile profile;
    profile.WriteProfileInt(PROFILE_SETTINGS, VAL_DOC_OPTIONS, 3 + 8 * START_FILE_LAST);
    profile.WriteProfileString(PROFILE_RECENT, "File1", "/once.pwd");
    EXPECT_STREQ(Choose(profile).m_pszMessage, "There is no last file to open.");

    profile.WriteProfileString(PROFILE_PATH, VAL_PATH_LAST, "/gone.pwd");
    EXPECT_STREQ(Choose(profile).m_pszMessage, "The last file was not found.");

    const CStartupFileChoice found = Choose(profile, {"/gone.pwd"});
    EXPECT_EQ(found.m_strPath, "/gone.pwd");
    EXPECT_EQ(found.m_pszMessage, nullptr);
    // The fixed file of the other mode is not looked at.
    profile.WriteProfileString(PROFILE_PATH, VAL_PATH_START, "/fixed.pwd");
    EXPECT_EQ(Choose(profile, {"/gone.pwd", "/fixed.pwd"}).m_strPath, "/gone.pwd");
}

TEST(StartupFile, FixedFileMode) {
    CMemoryProfile profile;
    profile.WriteProfileInt(PROFILE_SETTINGS, VAL_DOC_OPTIONS, 1 + 8 * START_FILE_FIXED);
    EXPECT_STREQ(Choose(profile).m_pszMessage, "There is no specified file to open.");
    profile.WriteProfileString(PROFILE_PATH, VAL_PATH_START, "/fixed.pwd");
    EXPECT_STREQ(Choose(profile).m_pszMessage, "The specified file was not found.");
    EXPECT_EQ(Choose(profile, {"/fixed.pwd"}).m_strPath, "/fixed.pwd");
}

TEST(CommandMap, UnknownCommandsAreDisabledAndDoNothing) {
    CCommandMap map;
    EXPECT_FALSE(map.Update(ID_FILE_NEW).bEnabled);
    EXPECT_FALSE(map.Execute(ID_FILE_NEW));
    EXPECT_FALSE(map.ExecuteUnchecked(ID_FILE_NEW));
}

TEST(CommandMap, UpdateRulesGateExecution) {
    CCommandMap map;
    int nRuns = 0;
    bool bAllowed = false;
    map.Register(
        1, [&]() { ++nRuns; }, [&](CCmdUI& ui) { ui.Enable(bAllowed); });
    EXPECT_FALSE(map.Execute(1));
    EXPECT_EQ(nRuns, 0);
    // The tray's double click runs the command whatever its rule says.
    EXPECT_TRUE(map.ExecuteUnchecked(1));
    EXPECT_EQ(nRuns, 1);
    bAllowed = true;
    EXPECT_TRUE(map.Execute(1));
    EXPECT_EQ(nRuns, 2);

    map.Register(2, [&]() { ++nRuns; });
    EXPECT_TRUE(map.Update(2).bEnabled);
    EXPECT_EQ(map.Update(2).nCheck, -1);
}

TEST(CommandMap, LaterRegistrationReplacesAndUpdateOnlyEntriesCannotRun) {
    CCommandMap map;
    std::string strLast;
    map.Register(5, [&]() { strLast = "frame"; });
    map.Register(5, [&]() { strLast = "view"; });
    map.Execute(5);
    EXPECT_EQ(strLast, "view");

    map.RegisterUpdate(ID_INDICATOR_GROUPS, [](CCmdUI& ui) {
        ui.Enable();
        ui.SetText("3 Groups");
    });
    const CCmdUI ui = map.Update(ID_INDICATOR_GROUPS);
    EXPECT_TRUE(ui.bHasText);
    EXPECT_EQ(ui.strText, "3 Groups");
    EXPECT_FALSE(map.Execute(ID_INDICATOR_GROUPS));
    map.Unregister(5);
    EXPECT_FALSE(map.IsRegistered(5));
}

TEST(CommandMap, HandlerMayReplaceItselfWhileRunning) {
    CCommandMap map;
    int nRuns = 0;
    map.Register(7, [&]() {
        ++nRuns;
        map.Register(7, [&]() { nRuns += 10; });
    });
    EXPECT_TRUE(map.Execute(7));
    EXPECT_TRUE(map.Execute(7));
    EXPECT_EQ(nRuns, 11);
}

// The Password Bar pulls to the left and top edges from under 15 pixels and
// to the right edge from under 40 pixels on either side; never to the bottom.
TEST(BarSnap, PullsToTheNearEdgesOnly) {
    constexpr int W = 1280;
    auto snap = [](int nLeft, int nTop, int nWidth) {
        const SBarSnap s = SnapToEdges(nLeft, nTop, nLeft + nWidth, W);
        return std::pair(s.m_nX, s.m_nY);
    };
    EXPECT_EQ(snap(10, 300, 400), std::pair(0, 300));
    EXPECT_EQ(snap(15, 14, 400), std::pair(15, 0));
    // Right edge 39 pixels short of the screen's: flush right; 40: stays.
    EXPECT_EQ(snap(W - 39 - 400, 300, 400), std::pair(W - 400, 300));
    EXPECT_EQ(snap(W - 40 - 400, 300, 400), std::pair(W - 440, 300));
    // Past the right edge by less than 40 comes back onto the screen.
    EXPECT_EQ(snap(W - 370, 300, 400), std::pair(W - 400, 300));
    // Near the bottom nothing moves.
    EXPECT_EQ(snap(500, 1000, 400), std::pair(500, 1000));
}

TEST(PlacementFit, ARectangleIsShrunkAndMovedOntoTheAvailableArea) {
    const CLayoutRect screen{0, 0, 1920, 1040};
    // One that fits stays as it is, on a second screen to the left too.
    EXPECT_EQ(FitPlacement({100, 50, 600, 450}, screen), (CLayoutRect{100, 50, 600, 450}));
    EXPECT_EQ(FitPlacement({-1500, 10, -900, 500}, {-1920, 0, 1920, 1080}),
              (CLayoutRect{-1500, 10, -900, 500}));
    // Far too large: the whole area, not 10998 pixels square.
    EXPECT_EQ(FitPlacement({-999, -999, 9999, 9999}, screen), screen);
    // Off the area: moved back onto it at its size.
    EXPECT_EQ(FitPlacement({5000, 5000, 5400, 5300}, screen), (CLayoutRect{1520, 740, 1920, 1040}));
    EXPECT_EQ(FitPlacement({-700, -400, -100, 100}, screen), (CLayoutRect{0, 0, 600, 500}));
    // An area that does not start at the origin (a panel on the left).
    EXPECT_EQ(FitPlacement({0, 0, 300, 200}, {64, 0, 1920, 1080}), (CLayoutRect{64, 0, 364, 200}));
}

TEST(PlacementFit, EmptyInvertedOrOverflowingRectanglesGiveTheDefault) {
    const CLayoutRect screen{0, 0, 1920, 1040};
    EXPECT_EQ(FitPlacement({-1, -9999, INT_MIN, -5}, screen), std::nullopt);
    EXPECT_EQ(FitPlacement({10, 10, 10, 300}, screen), std::nullopt);
    EXPECT_EQ(FitPlacement({10, 300, 400, 10}, screen), std::nullopt);
    EXPECT_EQ(FitPlacement({0, 0, 100, 100}, {0, 0, 0, 0}), std::nullopt);
    // The widest corners an int holds: shrunk, without overflow.
    EXPECT_EQ(FitPlacement({INT_MIN, INT_MIN, INT_MAX, INT_MAX}, screen), screen);
}

// Every value the program keeps comes back from the profile as it was
// written; a setting written but not read (or read from another key) fails.
TEST(ShellSettings, EveryValueSurvivesAProfileRoundTrip) {
    SShellSettings written;
    written.m_nWinStart = 1;
    written.m_bClearRecent = 1;
    written.m_nStartBar = 1;
    written.m_nExitChoice = 2;
    written.m_nLockChoice = 3;
    written.m_bHideTray = 1;
    written.m_wHotKey = 0x51;
    written.m_wHotKeyFlags = 0x6;
    written.m_nExit2Min = 2;
    written.m_nMin2Lock = 1;
    written.m_bDeleteConfirmA = 0;
    written.m_bDeleteConfirmG = 0;
    written.m_generator = {7, "2", "3", "20"};
    written.m_bShowStatusBar = 0;
    written.m_bShowToolBar = 0;
    written.m_bShowSearchBar = 1;
    written.m_nAutoLockMs = 300000;
    written.m_nAutoExitMs = 900000;
    written.m_bLockOnScreenLock = 0;
    written.m_nClipboardClearSec = 45;
    written.m_strHealthThreshold = "good";
    written.m_bMaskPasswords = 0;
    written.m_nTreeWidth = 222;
    // A bar left of the screen's edge is stored as the unsigned of its x.
    written.m_nBarX = 4294967295u;
    written.m_nBarY = 9;
    written.m_strWindowRect = "-008 0005 0392 0305";
    written.m_bMaxed = 1;
    CMemoryProfile profile;
    written.Save(profile);
    EXPECT_EQ(SShellSettings::Load(profile), written);
    // Always on top is stored for the window to apply as it is placed.
    written.m_bOnTop = 1;
    written.Save(profile);
    EXPECT_EQ(profile.Get(EIntSetting::onTop), 1U);
    EXPECT_EQ(SShellSettings::Load(profile).m_bOnTop, 0);
}

// Values the view and the window used to write themselves keep their keys
// and meanings: no tree width stored reads as none (the view then fits one
// to its font), and any masking value other than 0 masks.
TEST(ShellSettings, ViewAndWindowValuesReadAsStored) {
    CMemoryProfile fresh;
    const SShellSettings defaults = SShellSettings::Load(fresh);
    EXPECT_EQ(defaults.m_nTreeWidth, 0U);
    EXPECT_EQ(defaults.m_bMaskPasswords, 1);
    EXPECT_EQ(defaults.m_nBarX, 400U);
    EXPECT_EQ(defaults.m_strWindowRect, "0218 0100 0711 0543");
    defaults.Save(fresh);
    EXPECT_EQ(fresh.GetProfileInt(PROFILE_SETTINGS, VAL_TREE, 7), 7U);

    CMemoryProfile stored;
    stored.WriteProfileInt(PROFILE_SETTINGS, VAL_TREE, 250);
    stored.WriteProfileInt(PROFILE_SETTINGS, VAL_MASK, 5);
    stored.WriteProfileInt(PROFILE_WINDOW_SIZE_MAXED, VAL_ISMAXED, 1);
    const SShellSettings values = SShellSettings::Load(stored);
    EXPECT_EQ(values.m_nTreeWidth, 250U);
    EXPECT_EQ(values.m_bMaskPasswords, 1);
    EXPECT_EQ(values.m_bMaxed, 1);
    SOptionsData options;
    values.ToOptions(options);
    EXPECT_TRUE(options.m_bMaskPasswords);
    options.m_bMaskPasswords = false;
    SShellSettings taken = values;
    taken.FromOptions(options);
    EXPECT_EQ(taken.m_bMaskPasswords, 0);
}
