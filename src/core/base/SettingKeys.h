// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The settings by key. Each key stands for one row of the settings table
// (SettingsSchema.cpp), which holds its section, name and default; the
// settings store reads and writes by key (CProfile::Get and Set), so no
// caller repeats a name or a default. Integer and text settings have keys of
// their own type, so a value is always read as the type it is stored as.

enum class EIntSetting {
    winStart,             // "Settings"/"WinStart": start with the desktop session
    startBar,             // "Settings"/"StartBar": the Password Bar is the first interface
    generate,             // "Settings"/"Generate": the generator's character classes
    autoLockTime,         // "Settings"/"AutoMin": idle time before the lock, in ms
    autoExitTime,         // "Settings"/"AutoExit": idle time before the exit, in ms
    frameOptions,         // "Settings"/"1"
    documentOptions,      // "Settings"/"2"
    maskPasswords,        // "Settings"/"3"
    treeWidth,            // "Settings"/"tree"
    barX,                 // "Settings"/"barx"
    barY,                 // "Settings"/"bary"
    exit2Min,             // "Settings"/"Exit2Min"
    min2Lock,             // "Settings"/"Min2Lock"
    deleteConfirmAccount, // "Settings"/"DeleteConfirmA"
    deleteConfirmGroup,   // "Settings"/"DeleteConfirmG"
    hideTray,             // "Settings"/"HideTray"
    hotKey,               // "Settings"/"HotKey"
    hotKeyFlags,          // "Settings"/"HotKeyFlag"
    showToolBar,          // "Window size"/"tool"
    showStatusBar,        // "Window size"/"status"
    showSearchBar,        // "Window size"/"search"
    onTop,                // "Window size"/"top"
    isMaxed,              // "Window Size"/"IsMaxed"
    startedAuto,          // "Start"/"Auto"
    previewPages,         // "Settings"/"PreviewPages"
    lockOnScreenLock,     // "Settings"/"LockOnScreenLock": lock with the desktop session
    clipboardClear, // "Settings"/"ClipboardClear": seconds before a copied password goes, 0 = never
};

enum class ETextSetting {
    generateBegin,   // "Settings"/"Begin"
    generateEnd,     // "Settings"/"End"
    generateLength,  // "Settings"/"Length"
    windowRect,      // "Window size"/"Rect"
    pathLast,        // "Path"/"1"
    pathStart,       // "Path"/"2"
    pathBackup,      // "Path"/"3"
    pathCommandLine, // "Path"/"4"
    recentFile1,     // "Recent File List"/"File1" .. "File4"
    recentFile2,
    recentFile3,
    recentFile4,
    convertOffered,  // "Settings"/"ConvertOffered": the ".pwd" files offered for sealing
    healthThreshold, // "Settings"/"HealthThreshold": the strength word below which a password is
                     // weak
};

inline constexpr int INT_SETTING_COUNT = static_cast<int>(EIntSetting::clipboardClear) + 1;
inline constexpr int TEXT_SETTING_COUNT = static_cast<int>(ETextSetting::healthThreshold) + 1;

// The key of recent-file entry nIndex (0-based).
inline ETextSetting RecentFileSetting(int nIndex) {
    return static_cast<ETextSetting>(static_cast<int>(ETextSetting::recentFile1) + nIndex);
}
