// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/shell/ShellSettings.h"

#include "core/base/OptionsData.h"
#include "core/base/Profile.h"
#include "core/base/SettingsSchema.h"
#include "core/base/StringTable.h"

#include <iterator>
#include <type_traits>

namespace {

// Every setting kept under a key of its own, with the member that holds it:
// one list, so reading and writing cannot come to disagree.
template <class Settings, class Visit> void ForEachStored(Settings& s, Visit&& visit) {
    visit(EIntSetting::exit2Min, s.m_nExit2Min);
    visit(EIntSetting::min2Lock, s.m_nMin2Lock);
    visit(EIntSetting::deleteConfirmAccount, s.m_bDeleteConfirmA);
    visit(EIntSetting::deleteConfirmGroup, s.m_bDeleteConfirmG);
    visit(EIntSetting::hideTray, s.m_bHideTray);
    visit(EIntSetting::hotKey, s.m_wHotKey);
    visit(EIntSetting::hotKeyFlags, s.m_wHotKeyFlags);
    visit(EIntSetting::autoLockTime, s.m_nAutoLockMs);
    visit(EIntSetting::autoExitTime, s.m_nAutoExitMs);
    visit(EIntSetting::lockOnScreenLock, s.m_bLockOnScreenLock);
    visit(EIntSetting::clipboardClear, s.m_nClipboardClearSec);
    visit(ETextSetting::healthThreshold, s.m_strHealthThreshold);
    visit(EIntSetting::generate, s.m_generator.m_nFlags);
    visit(ETextSetting::generateEnd, s.m_generator.m_strEnd);
    visit(ETextSetting::generateBegin, s.m_generator.m_strBegin);
    visit(ETextSetting::generateLength, s.m_generator.m_strLength);
    visit(EIntSetting::startBar, s.m_nStartBar);
    visit(EIntSetting::winStart, s.m_nWinStart);
    visit(EIntSetting::showToolBar, s.m_bShowToolBar);
    visit(EIntSetting::showStatusBar, s.m_bShowStatusBar);
    visit(EIntSetting::showSearchBar, s.m_bShowSearchBar);
    visit(EIntSetting::maskPasswords, s.m_bMaskPasswords);
    visit(EIntSetting::barX, s.m_nBarX);
    visit(EIntSetting::barY, s.m_nBarY);
    visit(ETextSetting::windowRect, s.m_strWindowRect);
    visit(EIntSetting::isMaxed, s.m_bMaxed);
}

} // namespace

SShellSettings SShellSettings::Load(const CProfile& profile) {
    SShellSettings s;
    ForEachStored(s, [&profile](auto eKey, auto& value) {
        value = static_cast<std::remove_reference_t<decltype(value)>>(profile.Get(eKey));
    });
    // A hot key is a key code and its modifiers, 16 bits each.
    s.m_wHotKey &= 0xFFFF;
    s.m_wHotKeyFlags &= 0xFFFF;
    const SFrameOptions options = UnpackFrameOptions(profile.Get(EIntSetting::frameOptions));
    s.m_bClearRecent = options.m_bClearRecent ? 1 : 0;
    s.m_nLockChoice = options.m_nAutoLockChoice;
    s.m_nExitChoice = options.m_nAutoExitChoice;
    s.m_bLockOnScreenLock = s.m_bLockOnScreenLock != 0 ? 1 : 0;
    s.m_bMaskPasswords = s.m_bMaskPasswords != 0 ? 1 : 0;
    // No stored width is told apart from any stored one.
    const SProfileEntry& tree = *SettingEntry(EIntSetting::treeWidth);
    s.m_nTreeWidth = profile.GetProfileInt(tree.m_pszSection, tree.m_pszValue, 0);
    // Always on top is not taken from here: the window switches it on as it
    // is placed, from the stored value.
    return s;
}

void SShellSettings::Save(CProfile& profile) const {
    ForEachStored(*this, [&profile](auto eKey, const auto& value) {
        if constexpr (std::is_same_v<std::decay_t<decltype(value)>, std::string>)
            profile.Set(eKey, value);
        else
            profile.Set(eKey, static_cast<unsigned>(value));
    });
    profile.Set(EIntSetting::onTop, unsigned(m_bOnTop));
    if (m_nTreeWidth != 0)
        profile.Set(EIntSetting::treeWidth, m_nTreeWidth);
    SFrameOptions options;
    options.m_bClearRecent = m_bClearRecent != 0;
    options.m_nAutoLockChoice = m_nLockChoice;
    options.m_nAutoExitChoice = m_nExitChoice;
    profile.Set(EIntSetting::frameOptions, PackFrameOptions(options));
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
    Give(m_bMaskPasswords, options.m_bMaskPasswords);
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
    Take(m_bMaskPasswords, options.m_bMaskPasswords);
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
