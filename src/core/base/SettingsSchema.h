// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/SettingKeys.h"

#include <string>
#include <vector>

// Every section and value name of the settings store, their types, defaults
// and owners, and the packed forms of the option words. Callers use these
// names, never literals, so the file keeps one spelling of each.

// Sections. "Window size" and "Window Size" are the same section (names are
// compared without regard to case); the second spelling is the one the
// maximised flag has always been written under.
inline constexpr char PROFILE_SETTINGS[] = "Settings";
inline constexpr char PROFILE_WINDOW_SIZE[] = "Window size";
inline constexpr char PROFILE_WINDOW_SIZE_MAXED[] = "Window Size";
inline constexpr char PROFILE_START[] = "Start";
inline constexpr char PROFILE_PATH[] = "Path";
inline constexpr char PROFILE_RECENT[] = "Recent File List";
// The key file each database was last opened with: pairs of values
// "Database1"/"KeyFile1" .. "DatabaseN"/"KeyFileN", newest first. Paths
// only, never a key file's bytes.
inline constexpr char PROFILE_KEY_FILES[] = "Database Key Files";
inline constexpr char VAL_KEY_FILE_DATABASE[] = "Database";
inline constexpr char VAL_KEY_FILE_PATH[] = "KeyFile";
inline constexpr int KEY_FILE_COUNT = 16;
// The bar-state values are kept under sections named after this profile
// name ("Keyhaven-Summary", "Keyhaven-Bar0", ...).
inline constexpr char PROFILE_BAR_STATE[] = "Keyhaven";

// "Settings" values.
inline constexpr char VAL_WINSTART[] = "WinStart";
inline constexpr char VAL_STARTBAR[] = "StartBar";
inline constexpr char VAL_GENERATE[] = "Generate";
// The generator of new settings and new files: upper- and lower-case
// letters, digits and special characters, 16 to 20 of them.
inline constexpr unsigned STRONG_GENERATE = 0x2F;
inline constexpr char STRONG_BEGIN[] = "16";
inline constexpr char STRONG_END[] = "20";
inline constexpr char STRONG_LENGTH[] = "16";
inline constexpr char VAL_BEGIN[] = "Begin";
inline constexpr char VAL_END[] = "End";
inline constexpr char VAL_LENGTH[] = "Length";
inline constexpr char VAL_AUTOMIN[] = "AutoMin";
inline constexpr char VAL_AUTOEXIT[] = "AutoExit";
inline constexpr char VAL_FRAME_OPTIONS[] = "1";
inline constexpr char VAL_DOC_OPTIONS[] = "2";
inline constexpr char VAL_MASK[] = "3";
inline constexpr char VAL_TREE[] = "tree";
inline constexpr char VAL_BARX[] = "barx";
inline constexpr char VAL_BARY[] = "bary";
inline constexpr char VAL_EXIT2MIN[] = "Exit2Min";
inline constexpr char VAL_MIN2LOCK[] = "Min2Lock";
inline constexpr char VAL_DELETE_CONFIRM_A[] = "DeleteConfirmA";
inline constexpr char VAL_DELETE_CONFIRM_G[] = "DeleteConfirmG";
inline constexpr char VAL_HIDETRAY[] = "HideTray";
inline constexpr char VAL_HOTKEY[] = "HotKey";
inline constexpr char VAL_HOTKEYFLAG[] = "HotKeyFlag";
inline constexpr char VAL_PREVIEW_PAGES[] = "PreviewPages";
// Ours, beyond the stored set of older files: they only add values.
inline constexpr char VAL_LOCK_ON_SCREEN_LOCK[] = "LockOnScreenLock";
inline constexpr char VAL_CLIPBOARD_CLEAR[] = "ClipboardClear";
inline constexpr char VAL_CONVERT_OFFERED[] = "ConvertOffered";
inline constexpr char VAL_HEALTH_THRESHOLD[] = "HealthThreshold";

// "Window size" values ("IsMaxed" lives under the "Window Size" spelling).
inline constexpr char VAL_TOOL[] = "tool";
inline constexpr char VAL_STATUS[] = "status";
inline constexpr char VAL_SEARCH[] = "search";
inline constexpr char VAL_TOP[] = "top";
inline constexpr char VAL_RECT[] = "Rect";
inline constexpr char VAL_ISMAXED[] = "IsMaxed";

// "Start" value: this run was started with "-w".
inline constexpr char VAL_AUTO[] = "Auto";

// "Path" values.
inline constexpr char VAL_PATH_LAST[] = "1";
inline constexpr char VAL_PATH_START[] = "2";
inline constexpr char VAL_PATH_BACKUP[] = "3";
inline constexpr char VAL_PATH_COMMAND_LINE[] = "4";
// What "Path"/"1" and "Path"/"2" read as when there is no file; the
// document reads "Path"/"2" with "" instead, for the Options dialog's edit.
inline constexpr char PATH_NONE[] = "<<none>>";

// "Recent File List" values "File1" to "File4".
inline constexpr int RECENT_FILE_COUNT = 4;

// Values of the option words' fields.
inline constexpr int START_FILE_NONE = 0;  // "Don't open file at starting"
inline constexpr int START_FILE_LAST = 1;  // "Open last file at starting"
inline constexpr int START_FILE_FIXED = 2; // "Always start with this file"

inline constexpr int IDLE_CHOICE_NEVER = 0;
inline constexpr int IDLE_CHOICE_5_MINUTES = 1;
inline constexpr int IDLE_CHOICE_15_MINUTES = 2;
inline constexpr int IDLE_CHOICE_30_MINUTES = 3;
inline constexpr int IDLE_CHOICE_CUSTOMIZE = 4;
inline constexpr unsigned IDLE_SLIDER_STEP = 1800000; // half an hour in milliseconds
inline constexpr int IDLE_SLIDER_MIN = 1;
inline constexpr int IDLE_SLIDER_MAX = 10;

enum class EProfileType { integer, text };

// Who writes a value at exit (or, for the few written at once, who writes
// it at all). The application object writes "Start"/"Auto", "Path"/"4" and
// the recent-file list; the framework's print preview only reads its value.
enum class EProfileOwner { frame, document, view, bar, application, framework };

// When a value is written: at every orderly exit whatever it holds, at every
// start, at the window-placement saves, only in some states (the start-up
// files, the recent-file entries), or never.
enum class EProfileWrite { exit, start, placement, conditional, never };

struct SProfileEntry {
    const char* m_pszSection;
    const char* m_pszValue;
    EProfileType m_eType;
    unsigned m_nDefault;      // integer values
    const char* m_pszDefault; // text values ("" for integer values)
    EProfileOwner m_eOwner;
    EProfileWrite m_eWrite;
};

// The whole table, in the order of the settings' documentation.
const std::vector<SProfileEntry>& ProfileTable();
// The entry for a name pair (names compared as the store compares them),
// or nullptr for a name that is not in the table.
const SProfileEntry* FindProfileEntry(const std::string& strSection, const std::string& strValue);
// The row of a key: its section, name, type and default. Every key has one.
const SProfileEntry* SettingEntry(EIntSetting eKey);
const SProfileEntry* SettingEntry(ETextSetting eKey);

// "Settings"/"2", the document options word: backup + 2*recent + 4*autosave
// + 8*start-up mode.
struct SDocumentOptions {
    bool m_bBackup = true;
    bool m_bAddToRecent = true;
    bool m_bAutoSave = false;
    int m_nStartFile = START_FILE_LAST;
};
unsigned PackDocumentOptions(const SDocumentOptions& options);
SDocumentOptions UnpackDocumentOptions(unsigned nValue);

// "Settings"/"1", the frame options word: exit*64 + lock*8 + clear*4; bits 0
// and 1 are always 0.
struct SFrameOptions {
    bool m_bClearRecent = false;
    int m_nAutoLockChoice = 0;
    int m_nAutoExitChoice = 0;
};
unsigned PackFrameOptions(const SFrameOptions& options);
SFrameOptions UnpackFrameOptions(unsigned nValue);

// The Security page's choice (and slider for "Customize") as the stored idle
// time in milliseconds, and back to the slider position.
unsigned IdleTimeForChoice(int nChoice, int nSliderPos);
int SliderPosForIdleTime(int nChoice, unsigned nMilliseconds);

// What a list of fixed choices shows for a stored value. m_bExact false: no
// choice means that value, the list shows the nearest one, and the stored
// value stays unless the user changes the control.
struct SShownChoice {
    int m_nChoice = 0;
    int m_nSliderPos = 0;
    bool m_bExact = true;
};
// The idle time as the Security page shows it: the stored choice when it
// gives the time, else any choice that gives it, else "Customize" at the
// nearest half hour.
SShownChoice ShownIdleChoice(int nStoredChoice, unsigned nMilliseconds);
// A stored index of a list of nCount choices; one outside the list shows as
// nActsAs, the choice the program acts on for it.
SShownChoice ShownListChoice(int nStored, int nCount, int nActsAs);

// "Generate": the five character classes and the range mode of the
// generator page.
struct SGeneratorOptions {
    bool m_bUpper = true;
    bool m_bLower = true;
    bool m_bDigits = true;
    bool m_bSpecial = false;
    bool m_bSpace = false;
    bool m_bRangeMode = true;
};
unsigned PackGeneratorFlags(const SGeneratorOptions& options);
SGeneratorOptions UnpackGeneratorFlags(unsigned nFlags);

// "Window size"/"Rect": four coordinates written "%04d %04d %04d %04d" and
// read back from the numbers that start at offsets 0, 5, 10 and 15.
std::string FormatPlacementRect(int nLeft, int nTop, int nRight, int nBottom);
// False for an empty text (the window stays where it is). A field that is
// not a number, or lies beyond the end of the text, reads as 0.
bool ParsePlacementRect(const std::string& strText, int& nLeft, int& nTop, int& nRight,
                        int& nBottom);
