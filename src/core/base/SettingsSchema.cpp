// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/SettingsSchema.h"

#include "core/base/Profile.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>

namespace {

using T = EProfileType;
using O = EProfileOwner;
using W = EProfileWrite;

std::vector<SProfileEntry> MakeTable() {
    std::vector<SProfileEntry> table = {
        {PROFILE_SETTINGS, VAL_WINSTART, T::integer, 0, "", O::frame, W::exit},
        {PROFILE_SETTINGS, VAL_STARTBAR, T::integer, 0, "", O::frame, W::exit},
        // New settings generate strong passwords; stored values stay.
        {PROFILE_SETTINGS, VAL_GENERATE, T::integer, STRONG_GENERATE, "", O::frame, W::exit},
        {PROFILE_SETTINGS, VAL_BEGIN, T::text, 0, STRONG_BEGIN, O::frame, W::exit},
        {PROFILE_SETTINGS, VAL_END, T::text, 0, STRONG_END, O::frame, W::exit},
        {PROFILE_SETTINGS, VAL_LENGTH, T::text, 0, STRONG_LENGTH, O::frame, W::exit},
        {PROFILE_SETTINGS, VAL_AUTOMIN, T::integer, 0, "", O::frame, W::exit},
        {PROFILE_SETTINGS, VAL_AUTOEXIT, T::integer, 0, "", O::frame, W::exit},
        {PROFILE_SETTINGS, VAL_FRAME_OPTIONS, T::integer, 0, "", O::frame, W::exit},
        // New settings reopen the last file at the next start (backup and
        // recent list on as before); a stored start-up mode stays.
        {PROFILE_SETTINGS, VAL_DOC_OPTIONS, T::integer, 3 + 8 * START_FILE_LAST, "", O::document,
         W::exit},
        {PROFILE_SETTINGS, VAL_MASK, T::integer, 1, "", O::view, W::exit},
        {PROFILE_SETTINGS, VAL_TREE, T::integer, 160, "", O::view, W::exit},
        {PROFILE_SETTINGS, VAL_BARX, T::integer, 400, "", O::bar, W::exit},
        {PROFILE_SETTINGS, VAL_BARY, T::integer, 0, "", O::bar, W::exit},
        {PROFILE_SETTINGS, VAL_EXIT2MIN, T::integer, 0, "", O::frame, W::exit},
        {PROFILE_SETTINGS, VAL_MIN2LOCK, T::integer, 0, "", O::frame, W::exit},
        {PROFILE_SETTINGS, VAL_DELETE_CONFIRM_A, T::integer, 1, "", O::frame, W::exit},
        {PROFILE_SETTINGS, VAL_DELETE_CONFIRM_G, T::integer, 1, "", O::frame, W::exit},
        {PROFILE_SETTINGS, VAL_HIDETRAY, T::integer, 0, "", O::frame, W::exit},
        {PROFILE_SETTINGS, VAL_HOTKEY, T::integer, 0, "", O::frame, W::exit},
        {PROFILE_SETTINGS, VAL_HOTKEYFLAG, T::integer, 0, "", O::frame, W::exit},
        {PROFILE_WINDOW_SIZE, VAL_TOOL, T::integer, 1, "", O::frame, W::exit},
        {PROFILE_WINDOW_SIZE, VAL_STATUS, T::integer, 1, "", O::frame, W::exit},
        {PROFILE_WINDOW_SIZE, VAL_SEARCH, T::integer, 0, "", O::frame, W::exit},
        {PROFILE_WINDOW_SIZE, VAL_TOP, T::integer, 0, "", O::frame, W::exit},
        {PROFILE_WINDOW_SIZE, VAL_RECT, T::text, 0, "0218 0100 0711 0543", O::frame, W::placement},
        {PROFILE_WINDOW_SIZE_MAXED, VAL_ISMAXED, T::integer, 0, "", O::frame, W::placement},
        {PROFILE_START, VAL_AUTO, T::integer, 0, "", O::application, W::start},
        {PROFILE_PATH, VAL_PATH_LAST, T::text, 0, PATH_NONE, O::document, W::conditional},
        {PROFILE_PATH, VAL_PATH_START, T::text, 0, PATH_NONE, O::document, W::conditional},
        {PROFILE_PATH, VAL_PATH_BACKUP, T::text, 0, "", O::document, W::exit},
        // Written by every start and emptied again by the document at exit.
        {PROFILE_PATH, VAL_PATH_COMMAND_LINE, T::text, 0, "", O::application, W::exit},
        {PROFILE_SETTINGS, VAL_PREVIEW_PAGES, T::integer, 0, "", O::framework, W::never},
        {PROFILE_SETTINGS, VAL_LOCK_ON_SCREEN_LOCK, T::integer, 1, "", O::frame, W::exit},
        {PROFILE_SETTINGS, VAL_CLIPBOARD_CLEAR, T::integer, 30, "", O::frame, W::exit},
        {PROFILE_SETTINGS, VAL_CONVERT_OFFERED, T::text, 0, "", O::frame, W::conditional},
        {PROFILE_SETTINGS, VAL_HEALTH_THRESHOLD, T::text, 0, "reasonable", O::frame, W::exit},
    };
    for (const char* pszValue : {"File1", "File2", "File3", "File4"})
        table.push_back({PROFILE_RECENT, pszValue, T::text, 0, "", O::application, W::conditional});
    return table;
}

// atoi: leading blanks, a sign, decimal digits; anything else ends the
// number, and no digits give 0. Stops at the ends of int instead of
// overflowing.
int LeadingNumber(const std::string& strText, std::size_t nOffset) {
    std::size_t i = nOffset;
    while (i < strText.size() && (strText[i] == ' ' || (strText[i] >= '\t' && strText[i] <= '\r')))
        ++i;
    bool bNegative = false;
    if (i < strText.size() && (strText[i] == '-' || strText[i] == '+')) {
        bNegative = strText[i] == '-';
        ++i;
    }
    long long nValue = 0;
    for (; i < strText.size() && strText[i] >= '0' && strText[i] <= '9'; ++i) {
        nValue = nValue * 10 + (strText[i] - '0');
        if (nValue > static_cast<long long>(INT_MAX) + 1)
            nValue = static_cast<long long>(INT_MAX) + 1;
    }
    if (bNegative)
        nValue = -nValue;
    return static_cast<int>(std::clamp<long long>(nValue, INT_MIN, INT_MAX));
}

unsigned Bit(bool b, unsigned nMask) {
    return b ? nMask : 0u;
}

unsigned Field(int nValue, unsigned nShift) {
    return (static_cast<unsigned>(nValue) & 7u) << nShift;
}

struct SKeyName {
    const char* m_pszSection;
    const char* m_pszValue;
};

// The names of each key, in the order of the key enums.
constexpr SKeyName INT_KEY_NAMES[INT_SETTING_COUNT] = {
    {PROFILE_SETTINGS, VAL_WINSTART},
    {PROFILE_SETTINGS, VAL_STARTBAR},
    {PROFILE_SETTINGS, VAL_GENERATE},
    {PROFILE_SETTINGS, VAL_AUTOMIN},
    {PROFILE_SETTINGS, VAL_AUTOEXIT},
    {PROFILE_SETTINGS, VAL_FRAME_OPTIONS},
    {PROFILE_SETTINGS, VAL_DOC_OPTIONS},
    {PROFILE_SETTINGS, VAL_MASK},
    {PROFILE_SETTINGS, VAL_TREE},
    {PROFILE_SETTINGS, VAL_BARX},
    {PROFILE_SETTINGS, VAL_BARY},
    {PROFILE_SETTINGS, VAL_EXIT2MIN},
    {PROFILE_SETTINGS, VAL_MIN2LOCK},
    {PROFILE_SETTINGS, VAL_DELETE_CONFIRM_A},
    {PROFILE_SETTINGS, VAL_DELETE_CONFIRM_G},
    {PROFILE_SETTINGS, VAL_HIDETRAY},
    {PROFILE_SETTINGS, VAL_HOTKEY},
    {PROFILE_SETTINGS, VAL_HOTKEYFLAG},
    {PROFILE_WINDOW_SIZE, VAL_TOOL},
    {PROFILE_WINDOW_SIZE, VAL_STATUS},
    {PROFILE_WINDOW_SIZE, VAL_SEARCH},
    {PROFILE_WINDOW_SIZE, VAL_TOP},
    {PROFILE_WINDOW_SIZE_MAXED, VAL_ISMAXED},
    {PROFILE_START, VAL_AUTO},
    {PROFILE_SETTINGS, VAL_PREVIEW_PAGES},
    {PROFILE_SETTINGS, VAL_LOCK_ON_SCREEN_LOCK},
    {PROFILE_SETTINGS, VAL_CLIPBOARD_CLEAR},
};

constexpr SKeyName TEXT_KEY_NAMES[TEXT_SETTING_COUNT] = {
    {PROFILE_SETTINGS, VAL_BEGIN},
    {PROFILE_SETTINGS, VAL_END},
    {PROFILE_SETTINGS, VAL_LENGTH},
    {PROFILE_WINDOW_SIZE, VAL_RECT},
    {PROFILE_PATH, VAL_PATH_LAST},
    {PROFILE_PATH, VAL_PATH_START},
    {PROFILE_PATH, VAL_PATH_BACKUP},
    {PROFILE_PATH, VAL_PATH_COMMAND_LINE},
    {PROFILE_RECENT, "File1"},
    {PROFILE_RECENT, "File2"},
    {PROFILE_RECENT, "File3"},
    {PROFILE_RECENT, "File4"},
    {PROFILE_SETTINGS, VAL_CONVERT_OFFERED},
    {PROFILE_SETTINGS, VAL_HEALTH_THRESHOLD},
};

// The table's rows in key order, found once by name. A key whose name is
// not in the table, or has the other type, is a fault of this file that the
// settings tests catch; it reads as no row.
template <std::size_t N>
std::vector<const SProfileEntry*> RowsOf(const SKeyName (&names)[N], EProfileType eType) {
    std::vector<const SProfileEntry*> rows;
    for (const SKeyName& name : names) {
        const SProfileEntry* pEntry = FindProfileEntry(name.m_pszSection, name.m_pszValue);
        rows.push_back(pEntry != nullptr && pEntry->m_eType == eType ? pEntry : nullptr);
    }
    return rows;
}

} // namespace

const SProfileEntry* SettingEntry(EIntSetting eKey) {
    static const std::vector<const SProfileEntry*> s_rows =
        RowsOf(INT_KEY_NAMES, EProfileType::integer);
    return s_rows[static_cast<std::size_t>(eKey)];
}

const SProfileEntry* SettingEntry(ETextSetting eKey) {
    static const std::vector<const SProfileEntry*> s_rows =
        RowsOf(TEXT_KEY_NAMES, EProfileType::text);
    return s_rows[static_cast<std::size_t>(eKey)];
}

const std::vector<SProfileEntry>& ProfileTable() {
    static const std::vector<SProfileEntry> s_table = MakeTable();
    return s_table;
}

const SProfileEntry* FindProfileEntry(const std::string& strSection, const std::string& strValue) {
    for (const SProfileEntry& entry : ProfileTable())
        if (ProfileNamesEqual(entry.m_pszSection, strSection) &&
            ProfileNamesEqual(entry.m_pszValue, strValue))
            return &entry;
    return nullptr;
}

unsigned PackDocumentOptions(const SDocumentOptions& options) {
    return Bit(options.m_bBackup, 1) | Bit(options.m_bAddToRecent, 2) |
           Bit(options.m_bAutoSave, 4) | Field(options.m_nStartFile, 3);
}

SDocumentOptions UnpackDocumentOptions(unsigned nValue) {
    SDocumentOptions options;
    options.m_bBackup = (nValue & 1u) != 0;
    options.m_bAddToRecent = (nValue & 2u) != 0;
    options.m_bAutoSave = (nValue & 4u) != 0;
    options.m_nStartFile = static_cast<int>((nValue >> 3) & 7u);
    return options;
}

unsigned PackFrameOptions(const SFrameOptions& options) {
    return Field(options.m_nAutoExitChoice, 6) | Field(options.m_nAutoLockChoice, 3) |
           Bit(options.m_bClearRecent, 4);
}

SFrameOptions UnpackFrameOptions(unsigned nValue) {
    SFrameOptions options;
    options.m_bClearRecent = ((nValue >> 2) & 1u) != 0;
    options.m_nAutoLockChoice = static_cast<int>((nValue >> 3) & 7u);
    options.m_nAutoExitChoice = static_cast<int>((nValue >> 6) & 7u);
    return options;
}

unsigned IdleTimeForChoice(int nChoice, int nSliderPos) {
    switch (nChoice) {
    case IDLE_CHOICE_5_MINUTES:
        return 300000;
    case IDLE_CHOICE_15_MINUTES:
        return 900000;
    case IDLE_CHOICE_30_MINUTES:
        return 1800000;
    case IDLE_CHOICE_CUSTOMIZE:
        // The slider runs from 1 to 10; anything outside is held to that
        // range so that a stray position can neither mean "never" nor wrap.
        return static_cast<unsigned>(std::clamp(nSliderPos, IDLE_SLIDER_MIN, IDLE_SLIDER_MAX)) *
               IDLE_SLIDER_STEP;
    default:
        return 0;
    }
}

int SliderPosForIdleTime(int nChoice, unsigned nMilliseconds) {
    if (nChoice != IDLE_CHOICE_CUSTOMIZE)
        return 0;
    return static_cast<int>(nMilliseconds / IDLE_SLIDER_STEP);
}

SShownChoice ShownIdleChoice(int nStoredChoice, unsigned nMilliseconds) {
    const auto gives = [nMilliseconds](int nChoice) {
        return IdleTimeForChoice(nChoice, SliderPosForIdleTime(nChoice, nMilliseconds)) ==
               nMilliseconds;
    };
    if (nStoredChoice >= IDLE_CHOICE_NEVER && nStoredChoice <= IDLE_CHOICE_CUSTOMIZE &&
        gives(nStoredChoice))
        return {nStoredChoice, SliderPosForIdleTime(nStoredChoice, nMilliseconds), true};
    for (int nChoice = IDLE_CHOICE_NEVER; nChoice <= IDLE_CHOICE_CUSTOMIZE; ++nChoice) {
        if (gives(nChoice))
            return {nChoice, SliderPosForIdleTime(nChoice, nMilliseconds), true};
    }
    const std::uint64_t nNearest =
        (std::uint64_t(nMilliseconds) + IDLE_SLIDER_STEP / 2) / IDLE_SLIDER_STEP;
    const int nPos = static_cast<int>(std::clamp<std::uint64_t>(
        nNearest, std::uint64_t(IDLE_SLIDER_MIN), std::uint64_t(IDLE_SLIDER_MAX)));
    return {IDLE_CHOICE_CUSTOMIZE, nPos, false};
}

SShownChoice ShownListChoice(int nStored, int nCount, int nActsAs) {
    if (nStored >= 0 && nStored < nCount)
        return {nStored, 0, true};
    return {nActsAs, 0, false};
}

unsigned PackGeneratorFlags(const SGeneratorOptions& options) {
    return Bit(options.m_bUpper, 0x01) | Bit(options.m_bLower, 0x02) |
           Bit(options.m_bDigits, 0x04) | Bit(options.m_bSpecial, 0x08) |
           Bit(options.m_bSpace, 0x10) | Bit(options.m_bRangeMode, 0x20);
}

SGeneratorOptions UnpackGeneratorFlags(unsigned nFlags) {
    SGeneratorOptions options;
    options.m_bUpper = (nFlags & 0x01u) != 0;
    options.m_bLower = (nFlags & 0x02u) != 0;
    options.m_bDigits = (nFlags & 0x04u) != 0;
    options.m_bSpecial = (nFlags & 0x08u) != 0;
    options.m_bSpace = (nFlags & 0x10u) != 0;
    options.m_bRangeMode = (nFlags & 0x20u) != 0;
    return options;
}

std::string FormatPlacementRect(int nLeft, int nTop, int nRight, int nBottom) {
    // Four-character fields are what the read-back offsets expect; a
    // coordinate beyond them would shift the later fields and restore the
    // window somewhere else, so it is held to the range that fits.
    const auto Fit = [](int n) { return std::clamp(n, -999, 9999); };
    char szText[64];
    std::snprintf(szText, sizeof szText, "%04d %04d %04d %04d", Fit(nLeft), Fit(nTop), Fit(nRight),
                  Fit(nBottom));
    return szText;
}

bool ParsePlacementRect(const std::string& strText, int& nLeft, int& nTop, int& nRight,
                        int& nBottom) {
    if (strText.empty())
        return false;
    nLeft = LeadingNumber(strText, 0);
    nTop = LeadingNumber(strText, 5);
    nRight = LeadingNumber(strText, 10);
    nBottom = LeadingNumber(strText, 15);
    return true;
}
