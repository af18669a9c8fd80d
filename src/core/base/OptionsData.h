// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/EditPrompts.h"

#include <array>
#include <functional>
#include <string>

// The Options dialog's pages, numbered as its callers name the page to open.
inline constexpr int OPTIONS_PAGE_START = 0;
inline constexpr int OPTIONS_PAGE_FILE = 1;
inline constexpr int OPTIONS_PAGE_SECURITY = 2;
inline constexpr int OPTIONS_PAGE_GENERATOR = 3;
inline constexpr int OPTIONS_PAGE_OTHERS = 4;
inline constexpr int OPTIONS_PAGE_HOTKEY = 5;
inline constexpr int OPTIONS_PAGE_COUNT = 6;

// The order of the pages in the tree, and the order in which OK and Apply
// check them (the folder first: it may ask to create one).
inline constexpr std::array<int, OPTIONS_PAGE_COUNT> OPTIONS_TREE_ORDER{
    OPTIONS_PAGE_START,  OPTIONS_PAGE_FILE,      OPTIONS_PAGE_SECURITY,
    OPTIONS_PAGE_HOTKEY, OPTIONS_PAGE_GENERATOR, OPTIONS_PAGE_OTHERS};
inline constexpr std::array<int, OPTIONS_PAGE_COUNT> OPTIONS_CHECK_ORDER{
    OPTIONS_PAGE_FILE,  OPTIONS_PAGE_GENERATOR, OPTIONS_PAGE_SECURITY,
    OPTIONS_PAGE_START, OPTIONS_PAGE_OTHERS,    OPTIONS_PAGE_HOTKEY};

// The choices of "Clear the clipboard after", in seconds (0: never).
inline constexpr std::array<unsigned, 7> CLIPBOARD_CLEAR_CHOICES{0, 10, 15, 30, 45, 60, 120};

// Every value the Options dialog shows and hands back. The frame fills it
// from the settings it holds, and takes it back on OK and on each Apply.
// Texts are UTF-8 (paths) or stored bytes (the generator's digits).
struct SOptionsData {
    int m_nStartPage = OPTIONS_PAGE_START;

    // "Start"
    bool m_bStartBar = false;
    bool m_bWinStart = false;
    int m_nStartMode = 0; // 0 no file, 1 the last file, 2 the file below
    std::string m_strStartFile;

    // "File"
    bool m_bAutoSave = false;
    bool m_bBackup = true;
    std::string m_strBackupPath;
    bool m_bAddToRecent = true;
    bool m_bClearRecent = false;

    // "Security"
    bool m_bMaskPasswords = true;
    int m_nLockChoice = 0;
    int m_nLockSlider = 0;
    int m_nExitChoice = 0;
    int m_nExitSlider = 0;
    bool m_bLockOnScreenLock = true;
    unsigned m_nClipboardClearSec = 0;

    // "Hot Key"
    bool m_bHideTray = false;
    unsigned m_wHotKey = 0;
    unsigned m_wHotKeyFlags = 0;
    // Whether the desktop offers a global hot key at all; without one the
    // page says so instead of taking a key, and refuses hiding the tray icon.
    bool m_bHotKeyAvailable = true;

    // "Password Generator"
    SGeneratorSettings m_generator;

    // "Others"
    int m_nExit2Min = 0;
    int m_nMin2Lock = 0;
    bool m_bDeleteConfirmA = true;
    bool m_bDeleteConfirmG = true;

    // Stored values that their lists cannot show: each list shows the
    // nearest choice, and the stored value stays unless the user changes
    // that list (or its slider), which clears its flag.
    bool m_bKeepLock = false;
    bool m_bKeepExit = false;
    bool m_bKeepExit2Min = false;
    bool m_bKeepMin2Lock = false;

    // Apply: the frame takes the values and puts them into effect; the
    // dialog stays open.
    std::function<void(const SOptionsData&)> m_fnApply;
    // The "Hot Key" page's check passed: the tray icon is shown or hidden at
    // once, and the key is taken as the program's hot key.
    std::function<void(bool bHideTray, unsigned wHotKey, unsigned wHotKeyFlags)> m_fnHotKeyChecked;
};
