// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/EditPrompts.h"

#include <string>

class CProfile;
struct SOptionsData;

// The program's own settings as it runs: the window, the tray, the locks, the
// generator's defaults and the questions. The values are read from the
// profile once at the start, changed by the commands and the Options dialog,
// and written back at the end; the types keep what the profile holds, so a
// value no list offers survives a round trip unchanged.
struct SShellSettings {
    int m_bOnTop = 0;
    int m_nWinStart = 0;
    int m_bClearRecent = 0;
    int m_nStartBar = 0;
    int m_nExitChoice = 0;
    int m_nLockChoice = 0;
    int m_bHideTray = 0;
    unsigned m_wHotKey = 0;
    unsigned m_wHotKeyFlags = 0;
    // Close: 0 ends, 1 hides into the tray, 2 hides and locks.
    int m_nExit2Min = 0;
    // Minimise: 1 locks, anything else only hides.
    int m_nMin2Lock = 0;
    int m_bDeleteConfirmA = 1;
    int m_bDeleteConfirmG = 1;
    SGeneratorSettings m_generator;
    int m_bShowStatusBar = 1;
    int m_bShowToolBar = 1;
    int m_bShowSearchBar = 0;
    unsigned m_nAutoLockMs = 0;
    unsigned m_nAutoExitMs = 0;
    int m_bLockOnScreenLock = 1;
    unsigned m_nClipboardClearSec = 0;
    // The Password Health dialog's threshold, a strength word ("reasonable").
    std::string m_strHealthThreshold = "reasonable";
    // The view shows passwords as asterisks (the account dialogs too, at first).
    int m_bMaskPasswords = 1;
    // The tree's width in the view; 0 while none is stored, when the view
    // takes one that fits its font (and keeps it from then on).
    unsigned m_nTreeWidth = 0;
    // Where the Password Bar was last shown.
    unsigned m_nBarX = 400;
    unsigned m_nBarY = 0;
    // The main window's normal rectangle ("left top right bottom", as
    // FormatPlacementRect writes it) and whether it was maximised.
    std::string m_strWindowRect;
    int m_bMaxed = 0;

    bool operator==(const SShellSettings&) const = default;

    static SShellSettings Load(const CProfile& profile);
    void Save(CProfile& profile) const;

    // The Options dialog's values: filled from these settings, and taken
    // back from it (the document's own values aside).
    void ToOptions(SOptionsData& options) const;
    void FromOptions(const SOptionsData& options);
};
