// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/shell/ShellSettings.h"

#include "core/base/OptionsData.h"
#include "core/base/Profile.h"
#include "core/base/SettingsSchema.h"
#include "core/base/StringTable.h"

#include <iterator>
#include <type_traits>

SShellSettings SShellSettings::Load(const CProfile& profile) {
    SShellSettings s;
    s.m_nExit2Min = int(profile.Get(EIntSetting::exit2Min));
    s.m_nMin2Lock = int(profile.Get(EIntSetting::min2Lock));
    s.m_bDeleteConfirmA = int(profile.Get(EIntSetting::deleteConfirmAccount));
    s.m_bDeleteConfirmG = int(profile.Get(EIntSetting::deleteConfirmGroup));
    s.m_bHideTray = int(profile.Get(EIntSetting::hideTray));
    s.m_wHotKey = profile.Get(EIntSetting::hotKey) & 0xFFFF;
    s.m_wHotKeyFlags = profile.Get(EIntSetting::hotKeyFlags) & 0xFFFF;
    const SFrameOptions options = UnpackFrameOptions(profile.Get(EIntSetting::frameOptions));
    s.m_bClearRecent = options.m_bClearRecent ? 1 : 0;
    s.m_nLockChoice = options.m_nAutoLockChoice;
    s.m_nExitChoice = options.m_nAutoExitChoice;
    s.m_nAutoLockMs = profile.Get(EIntSetting::autoLockTime);
    s.m_nAutoExitMs = profile.Get(EIntSetting::autoExitTime);
    s.m_bLockOnScreenLock = profile.Get(EIntSetting::lockOnScreenLock) != 0 ? 1 : 0;
    s.m_nClipboardClearSec = profile.Get(EIntSetting::clipboardClear);
    s.m_strHealthThreshold = profile.Get(ETextSetting::healthThreshold);
    s.m_generator.m_nFlags = int(profile.Get(EIntSetting::generate));
    s.m_generator.m_strEnd = profile.Get(ETextSetting::generateEnd);
    s.m_generator.m_strBegin = profile.Get(ETextSetting::generateBegin);
    s.m_generator.m_strLength = profile.Get(ETextSetting::generateLength);
    s.m_nStartBar = int(profile.Get(EIntSetting::startBar));
    s.m_nWinStart = int(profile.Get(EIntSetting::winStart));
    s.m_bShowToolBar = int(profile.Get(EIntSetting::showToolBar));
    s.m_bShowStatusBar = int(profile.Get(EIntSetting::showStatusBar));
    s.m_bShowSearchBar = int(profile.Get(EIntSetting::showSearchBar));
    // Always on top is not taken from here: the window switches it on as it
    // is placed, from the stored value.
    return s;
}

void SShellSettings::Save(CProfile& profile) const {
    profile.Set(EIntSetting::showToolBar, unsigned(m_bShowToolBar));
    profile.Set(EIntSetting::showStatusBar, unsigned(m_bShowStatusBar));
    profile.Set(EIntSetting::showSearchBar, unsigned(m_bShowSearchBar));
    profile.Set(EIntSetting::onTop, unsigned(m_bOnTop));
    SFrameOptions options;
    options.m_bClearRecent = m_bClearRecent != 0;
    options.m_nAutoLockChoice = m_nLockChoice;
    options.m_nAutoExitChoice = m_nExitChoice;
    profile.Set(EIntSetting::frameOptions, PackFrameOptions(options));
    profile.Set(EIntSetting::autoLockTime, m_nAutoLockMs);
    profile.Set(EIntSetting::autoExitTime, m_nAutoExitMs);
    profile.Set(EIntSetting::lockOnScreenLock, unsigned(m_bLockOnScreenLock));
    profile.Set(EIntSetting::clipboardClear, m_nClipboardClearSec);
    profile.Set(ETextSetting::healthThreshold, m_strHealthThreshold);
    profile.Set(EIntSetting::startBar, unsigned(m_nStartBar));
    profile.Set(EIntSetting::winStart, unsigned(m_nWinStart));
    profile.Set(EIntSetting::generate, unsigned(m_generator.m_nFlags));
    profile.Set(ETextSetting::generateEnd, m_generator.m_strEnd);
    profile.Set(ETextSetting::generateBegin, m_generator.m_strBegin);
    profile.Set(ETextSetting::generateLength, m_generator.m_strLength);
    profile.Set(EIntSetting::exit2Min, unsigned(m_nExit2Min));
    profile.Set(EIntSetting::min2Lock, unsigned(m_nMin2Lock));
    profile.Set(EIntSetting::deleteConfirmAccount, unsigned(m_bDeleteConfirmA));
    profile.Set(EIntSetting::deleteConfirmGroup, unsigned(m_bDeleteConfirmG));
    profile.Set(EIntSetting::hideTray, unsigned(m_bHideTray));
    profile.Set(EIntSetting::hotKey, m_wHotKey);
    profile.Set(EIntSetting::hotKeyFlags, m_wHotKeyFlags);
}

namespace {

template <class Setting, class Page> void Take(Setting& setting, const Page& page) {
    setting = static_cast<Setting>(page);
}

template <class Setting, class Page> void Give(const Setting& setting, Page& page) {
    page = static_cast<Page>(setting);
}

} // namespace

void SShellSettings::ToOptions(SOptionsData& options) const {
    Give(m_nStartBar, options.m_bStartBar);
    Give(m_nWinStart, options.m_bWinStart);
    Give(m_bClearRecent, options.m_bClearRecent);
    Give(m_bLockOnScreenLock, options.m_bLockOnScreenLock);
    Give(m_nClipboardClearSec, options.m_nClipboardClearSec);
    Give(m_bHideTray, options.m_bHideTray);
    Give(m_wHotKey, options.m_wHotKey);
    Give(m_wHotKeyFlags, options.m_wHotKeyFlags);
    options.m_generator = m_generator;
    Give(m_bDeleteConfirmA, options.m_bDeleteConfirmA);
    Give(m_bDeleteConfirmG, options.m_bDeleteConfirmG);
    const SShownChoice lock = ShownIdleChoice(m_nLockChoice, m_nAutoLockMs);
    options.m_nLockChoice = lock.m_nChoice;
    options.m_nLockSlider = lock.m_nSliderPos;
    options.m_bKeepLock = !lock.m_bExact;
    const SShownChoice autoExit = ShownIdleChoice(m_nExitChoice, m_nAutoExitMs);
    options.m_nExitChoice = autoExit.m_nChoice;
    options.m_nExitSlider = autoExit.m_nSliderPos;
    options.m_bKeepExit = !autoExit.m_bExact;
    // Any other close value hides to the tray without locking, any other
    // minimise value does not lock: the lists show what the program does.
    const SShownChoice closeChoice =
        ShownListChoice(m_nExit2Min, int(std::size(IDS_CLOSE_CHOICES)), 1);
    options.m_nExit2Min = closeChoice.m_nChoice;
    options.m_bKeepExit2Min = !closeChoice.m_bExact;
    const SShownChoice minimize =
        ShownListChoice(m_nMin2Lock, int(std::size(IDS_MINIMIZE_CHOICES)), 0);
    options.m_nMin2Lock = minimize.m_nChoice;
    options.m_bKeepMin2Lock = !minimize.m_bExact;
}

void SShellSettings::FromOptions(const SOptionsData& options) {
    Take(m_nStartBar, options.m_bStartBar);
    Take(m_nWinStart, options.m_bWinStart);
    Take(m_bClearRecent, options.m_bClearRecent);
    Take(m_bLockOnScreenLock, options.m_bLockOnScreenLock);
    Take(m_nClipboardClearSec, options.m_nClipboardClearSec);
    Take(m_bHideTray, options.m_bHideTray);
    Take(m_wHotKey, options.m_wHotKey);
    Take(m_wHotKeyFlags, options.m_wHotKeyFlags);
    m_generator = options.m_generator;
    Take(m_bDeleteConfirmA, options.m_bDeleteConfirmA);
    Take(m_bDeleteConfirmG, options.m_bDeleteConfirmG);
    // A value its list could not show stays as stored until the user
    // changes that list.
    if (!options.m_bKeepLock) {
        m_nLockChoice = options.m_nLockChoice;
        m_nAutoLockMs = IdleTimeForChoice(m_nLockChoice, options.m_nLockSlider);
    }
    if (!options.m_bKeepExit) {
        m_nExitChoice = options.m_nExitChoice;
        m_nAutoExitMs = IdleTimeForChoice(m_nExitChoice, options.m_nExitSlider);
    }
    if (!options.m_bKeepExit2Min)
        m_nExit2Min = options.m_nExit2Min;
    if (!options.m_bKeepMin2Lock)
        m_nMin2Lock = options.m_nMin2Lock;
}
