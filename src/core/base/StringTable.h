// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/Version.h"

#include <cstddef>

// The program's fixed texts, kept in one place so that messages, dialogs and
// tests share them. Texts are exactly as users have always seen them, spelling
// included. Add new texts here, grouped by subsystem.

// --- password files ---
inline constexpr const char* IDS_UNEXPECTED_FORMAT = "Unexpected file format.";
inline constexpr const char* IDS_FILE_NOT_FOUND = "%1\nFile not found.";
inline constexpr const char* IDS_READ_DENIED =
    "Unable to read from %1, it is opened by someone else.";
inline constexpr const char* IDS_WRITE_DENIED =
    "Unable to write to %1, it is read-only or opened by someone else.";
inline constexpr const char* IDS_DISK_FULL = "Destination disk drive is full.";
inline constexpr const char* IDS_READ_FAILED = "An unexpected error occurred while reading %1.";
inline constexpr const char* IDS_WRITE_FAILED = "An unexpected error occurred while writing %1.";
// Texts of the protected format, which is new to this program.
inline constexpr const char* IDS_CHANGED_WHILE_LOCKED =
    "%1 has been changed by another program while Keyhaven was locked.\n\n"
    "Yes: open it as it is now.\n"
    "No: open another file.\n"
    "Cancel: stay locked.";
inline constexpr const char* IDS_GONE_WHILE_LOCKED =
    "%1 has been removed or renamed by another program while Keyhaven was locked.\n\n"
    "Yes: go on without a file.\n"
    "No: open another file.\n"
    "Cancel: stay locked.";
inline constexpr const char* IDS_KEPT_CHANGED_WHILE_LOCKED =
    "%1 has been changed by another program while Keyhaven was locked.\n\n"
    "Yes: replace it with what Keyhaven shows now (the other change is lost).\n"
    "No: save what Keyhaven shows as another file.\n"
    "Cancel: save nothing.";
inline constexpr const char* IDS_KEPT_GONE_WHILE_LOCKED =
    "%1 has been removed or renamed by another program while Keyhaven was locked.\n\n"
    "Yes: save what Keyhaven shows under its old name.\n"
    "No: save what Keyhaven shows as another file.\n"
    "Cancel: save nothing.";
inline constexpr const char* IDS_SEAL_COSTLY =
    "%1 asks for %2 to turn its KEY into its key, more than "
    "four times what Keyhaven uses. That may take minutes and slow the whole computer "
    "down.\n\nGo on anyway?";
inline constexpr const char* IDS_SEAL_COST = "%1 MiB of memory and %2 passes";
inline constexpr const char* IDS_SEAL_DERIVING = "Checking the KEY of %1 ...";
inline constexpr const char* IDS_SEAL_NEEDS_KEY =
    "%1 is a protected file: it cannot be written without its KEY.";
// A ".pwd" stores a value from which its KEY can be worked out, so a KEY
// never passes from one format to the other.
inline constexpr const char* IDS_KEY_MUST_DIFFER =
    "The new KEY must differ from the old one: the KEY of a .pwd file can be recovered "
    "from any copy of that file (and of its backups), so the old KEY would open the new "
    "file too.";
inline constexpr const char* IDS_ASK_SAVE_AS_PWD =
    "A .pwd file does not protect its passwords: anyone who has %1 can read every password "
    "in it and recover its KEY.\n\nSave it as .pwd anyway? You will choose a new KEY for it.";
inline constexpr const char* IDS_ASK_REMOVE_OLD_PWD =
    "%1 is saved and sealed.\n\nThe old file still gives away every password and its KEY to "
    "anyone who has a copy:\n%2\n\nRemove the old file and its backup copies now?";
inline constexpr const char* IDS_REMOVE_FAILED = "%1 could not be removed.";
// Limits and collisions the program guards against on its own.
inline constexpr const char* IDS_FILE_TOO_LARGE =
    "%1 is larger than 1 GB; it cannot be a password file and was not read.";
inline constexpr const char* IDS_OUT_OF_MEMORY = "There is not enough memory to read %1.";
// Key derivation of a sealed file could not get the memory its header asks.
inline constexpr const char* IDS_KEY_OUT_OF_MEMORY = "There is not enough memory to open %1.";
inline constexpr const char* IDS_SEAL_OUT_OF_MEMORY =
    "There is not enough memory to seal %1 under its KEY; it was not written.";
inline constexpr const char* IDS_FILE_BUSY =
    "%1 is being changed by another program; try again in a moment.";
inline constexpr const char* IDS_CHANGED_ON_DISK =
    "%1 has been changed by another program since Keyhaven read or last saved it.\n\n"
    "Yes: replace it with what Keyhaven shows now (the other change is lost).\n"
    "No: save what Keyhaven shows as another file.\n"
    "Cancel: save nothing.";

// --- store rules ---
inline constexpr const char* IDS_ACCOUNT_EMPTY = "Account can not be empty!";
inline constexpr const char* IDS_ACCOUNT_SAME = "Account name should not be same!";
inline constexpr const char* IDS_GROUP_EMPTY = "Group name should not be empty.";
inline constexpr const char* IDS_GROUP_SAME = "Group name should not be same.";
inline constexpr const char* IDS_LAST_GROUP = "At least one(1) group should be contained.";
inline constexpr const char* IDS_ACCOUNT_NEEDS_GROUP =
    "This file has no group to hold the account.\nPlease add a group first.";
inline constexpr const char* IDS_TEXT_BAD_CHARACTER =
    "The file's texts can not contain the character \"%1\" (U+%2).\nPlease use another one.";

// --- account and group dialogs ---
inline constexpr const char* IDS_ADD_ACCOUNT_CAPTION = "Add Account";
inline constexpr const char* IDS_EDIT_ACCOUNT_CAPTION = "Edit the Account";
inline constexpr const char* IDS_ADD_GROUP_CAPTION = "Add Group";
inline constexpr const char* IDS_EDIT_GROUP_CAPTION = "Edit Group";
inline constexpr const char* IDS_DELETE_GROUP_CAPTION = "Delete Group";
inline constexpr const char* IDS_GROUP_LABEL = "Group";
inline constexpr const char* IDS_USERNAME_LABEL = "User Name";
inline constexpr const char* IDS_PASSWORD_LABEL = "Password";
inline constexpr const char* IDS_COMMENTS_LABEL = "Comments";
inline constexpr const char* IDS_ACCOUNT_LABEL = "Account";
inline constexpr const char* IDS_HYPERLINK_LABEL = "Hyperlink";
inline constexpr const char* IDS_EMAIL_LABEL = "E-Mail";
inline constexpr const char* IDS_GROUP_NAME_LABEL = "Group name:";
inline constexpr const char* IDS_CHOOSE_GROUP_LABEL = "Choose a group";
inline constexpr const char* IDS_NEW_NAME_LABEL = "New name";
inline constexpr const char* IDS_DELETE_GROUP_WARNING =
    "WARNING:\tIf you delete a group, all accounts under the group will be removed.";
inline constexpr const char* IDS_PASTE_USERNAME_TIP = "Paste User Name";
inline constexpr const char* IDS_GENERATE_PASSWORD_TIP = "Generate Password";
inline constexpr const char* IDS_SHOW_PASSWORD = "Show";
inline constexpr const char* IDS_HIDE_PASSWORD = "Hide";
inline constexpr const char* IDS_SHOW_PASSWORD_NAME = "Show password";
inline constexpr const char* IDS_GENERATOR_SETTINGS_TIP = "Password Generator Settings";
inline constexpr const char* IDS_PASTE_HYPERLINK_TIP = "Paste Hyperlink";
inline constexpr const char* IDS_BROWSE_TIP = "Browse";
inline constexpr const char* IDS_TEST_HYPERLINK_TIP = "Test Hyperlink";
inline constexpr const char* IDS_PASTE_EMAIL_TIP = "Paste E-Mail";
inline constexpr const char* IDS_BROWSE_TITLE = "Select a program or file";
inline constexpr const char* IDS_ALL_FILES_FILTER = "All files (*)";

// --- password strength ---
inline constexpr const char* IDS_STRENGTH_NAME = "Password strength";
inline constexpr const char* IDS_STRENGTH_FORMAT = "Strength: %1 (%2 bits)";
inline constexpr const char* IDS_STRENGTH_NONE = "Strength: none";
// The words of the strengths, weakest first.
inline constexpr const char* IDS_STRENGTH_WORDS[] = {"poor", "weak", "reasonable", "good",
                                                     "excellent"};

// --- Password Health ---
inline constexpr const char* IDS_HEALTH_CAPTION = "Password Health";
inline constexpr const char* IDS_HEALTH_THRESHOLD = "&Weak below:";
inline constexpr const char* IDS_HEALTH_LIST = "Findings";
inline constexpr const char* IDS_HEALTH_COLUMN_ACCOUNT = "Account";
inline constexpr const char* IDS_HEALTH_COLUMN_FINDING = "Finding";
inline constexpr const char* IDS_HEALTH_COLUMN_STRENGTH = "Strength";
// An account's place: its group, then its name.
inline constexpr const char* IDS_HEALTH_ACCOUNT_PATH = "%1 / %2";
inline constexpr const char* IDS_HEALTH_EMPTY = "empty";
inline constexpr const char* IDS_HEALTH_WEAK = "weak";
inline constexpr const char* IDS_HEALTH_REUSED = "used by %1 accounts (set %2)";
inline constexpr const char* IDS_HEALTH_SEPARATOR = "; ";
inline constexpr const char* IDS_HEALTH_STRENGTH = "%1 (%2 bits)";
inline constexpr const char* IDS_HEALTH_NO_STRENGTH = "none";
inline constexpr const char* IDS_HEALTH_SUMMARY = "%1 of %2 accounts need attention.";
inline constexpr const char* IDS_HEALTH_ALL_GOOD =
    "No account has an empty, weak or reused password.";

// --- application and main frame ---
inline constexpr const char* IDS_APP_TITLE = "Keyhaven";
inline constexpr const char* IDS_APP_VERSION_LINE = "Keyhaven\tVersion " KEYHAVEN_VERSION;
inline constexpr const char* IDS_ABOUT_CAPTION = "About Keyhaven";
inline constexpr const char* IDS_MUTEX_NAME = "Keyhaven-34563126-726E-41d0-9C98-9F5919153C1C";
inline constexpr const char* IDS_ARE_YOU_ME = "UWM_ARE_YOU_ME";
inline constexpr const char* IDS_DOC_FILTER = "Keyhaven files (*.pwd)";
inline constexpr const char* IDS_DOC_EXTENSION = ".pwd";
inline constexpr const char* IDS_PRODUCT_WEBSITE = "https://keyhaven.example/";
inline constexpr const char* IDS_SUPPORT_ADDRESS = "support@keyhaven.example";
inline constexpr const char* IDS_NO_LAST_FILE = "There is no last file to open.";       // 61215
inline constexpr const char* IDS_LAST_FILE_NOT_FOUND = "The last file was not found.";  // 61214
inline constexpr const char* IDS_NO_START_FILE = "There is no specified file to open."; // 61217
inline constexpr const char* IDS_START_FILE_NOT_FOUND =
    "The specified file was not found."; // 61216
inline constexpr const char* IDS_READY = "Ready";
inline constexpr const char* IDS_INDICATOR_GROUPS = "Groups";     // 61204, the pane's first text
inline constexpr const char* IDS_INDICATOR_ACCOUNTS = "Accounts"; // 61205
inline constexpr const char* IDS_GROUPS_FORMAT = "%d Groups";
inline constexpr const char* IDS_ACCOUNTS_FORMAT = "%d Accounts";
inline constexpr const char* IDS_RECENT_EMPTY = "Recent File";
inline constexpr const char* IDS_PASSWORD_COPIED = "Password copied";
// The bar over an opened ".pwd".
inline constexpr const char* IDS_CONVERT_BAR_TITLE = "Protect this file";
inline constexpr const char* IDS_CONVERT_BAR_TEXT =
    "Anyone who has a copy of this .pwd file can read every password in it and recover its "
    "KEY. Save it as a protected .khv file with a new KEY?";
inline constexpr const char* IDS_CONVERT_BAR_SAVE = "Save as .khv...";
inline constexpr const char* IDS_CONVERT_BAR_LATER = "Not now";
inline constexpr const char* IDS_PASSWORD_COPIED_CLEARED =
    "Password copied; clipboard cleared in %1 s";

// Menu texts of the main menu, the tray menu and the toolbar drop-down.
inline constexpr const char* IDS_MENU_FILE = "&File";
inline constexpr const char* IDS_MENU_EDIT = "&Edit";
inline constexpr const char* IDS_MENU_VIEW = "&View";
inline constexpr const char* IDS_MENU_TOOLS = "&Tools";
inline constexpr const char* IDS_MENU_HELP = "&Help";
inline constexpr const char* IDS_MENU_RECENT = "&Recent";

struct CCommandText {
    int nId;
    const char* pszText;
};

inline constexpr CCommandText COMMAND_MENU_TEXTS[] = {
    {57600, "&New\tCtrl+N"},
    {57601, "&Open...\tCtrl+O"},
    {57602, "&Close"},
    {57603, "&Save\tCtrl+S"},
    {57604, "Save &As..."},
    {32954, "&Print..."},
    {32990, "&Import..."},
    {32947, "&Export..."},
    {32782, "P&roperties"},
    {57665, "E&xit"},
    {32785, "Add &Account...\tCtrl+A"},
    {32955, "Add &Group...\tCtrl+G"},
    {32956, "&Edit...\tCtrl+E"},
    {32957, "&Delete...\tCtrl+D"},
    {59392, "&Toolbar"},
    {59393, "&Status Bar"},
    {32929, "S&earch Bar\tCtrl+F"},
    {32906, "&Password Bar\tF2"},
    {32772, "Always on T&op\tF3"},
    {4112, "Always on T&op\tF3"},
    {32780, "Change &KEY..."},
    {32895, "&Mask Passwords"},
    {32916, "&Lock"},
    {32898, "&Options..."},
    {32994, "Password &Health..."},
    {32852, "&Add Here"},
    {32851, "&Clear on Exit"},
    {32799, "&Contents\tF1"},
    {32856, "&Website"},
    {32857, "&Support"},
    {57664, "&About"},
    {32779, "Main &Window"},
    {32909, "Password &Bar"},
    {32959, "&Lock"},
    {32773, "E&xit"},
};

// Command prompts: the status-bar prompt before "\n", the tool tip after it.
inline constexpr CCommandText COMMAND_PROMPTS[] = {
    {57600, "Create a new file\nNew"},
    {57601, "Open an existing file\nOpen"},
    {57602, "Close the active file\nClose"},
    {57603, "Save the active file\nSave"},
    {57604, "Save the active file with a new name\nSave As"},
    {32954, "Print password information"},
    {32990, "Bring in the accounts of another password manager's file\nImport"},
    {32782, "Show file properties\nProerties"},
    {57665, "Quit the application; prompts to save documents\nExit"},
    {32785, "Add an account\nAdd Account"},
    {32955, "Add a group\nAdd Group"},
    {32956, "Edit account or group\nEdit"},
    {32957, "Delete account or group\nDelete"},
    {59392, "Show or hide the toolbar\nToggle ToolBar"},
    {59393, "Show or hide the status bar\nToggle StatusBar"},
    {32929, "Show or hide the search bar"},
    {32906, "Switch to password bar\nPassword Bar"},
    {32772, "Set window always on the top\nAlways on Top"},
    {4112, "Set window always on the top"},
    {32780, "Change your KEY"},
    {32895, "Mask your passwords with *"},
    {32916, "Minize and lock the program\nLock"},
    {32898, "Change options\nOptions"},
    {32994, "List the accounts whose passwords are empty, weak or used more than once\nPassword "
            "Health"},
    {57616, "Open this file"},
    {57617, "Open this file"},
    {57618, "Open this file"},
    {57619, "Open this file"},
    {32852, "Add file name here when you open a file"},
    {32851, "Clear recent file list on exit"},
    {32799, "Use help\nHelp"},
    {32856, "Visit website for product information"},
    {32857, "Send an e-mail to the Keyhaven support team"},
    {57664, "Display the product information\nAbout"},
};

// The text of a command in the table, or "" when the table has none.
template <std::size_t N>
constexpr const char* FindCommandText(const CCommandText (&table)[N], int nId) {
    for (const CCommandText& entry : table)
        if (entry.nId == nId)
            return entry.pszText;
    return "";
}

// --- KEY dialogs and the document's life ---
inline constexpr const char* IDS_KEYS_DO_NOT_MATCH = "New KEYs do not mach!\nPlease enter again!";
inline constexpr const char* IDS_NEW_KEY_INVALID = "New KEY is invalidate!";
inline constexpr const char* IDS_ORIGINAL_KEY_INVALID =
    "Original KEY is invalidate!\nYou can not change Key!";
inline constexpr const char* IDS_KEY_INVALID = "Your KEY is invalid!";
// Names no character: whoever sees the message must not learn one of the KEY.
inline constexpr const char* IDS_KEY_BAD_CHARACTER =
    "The KEY holds a character that the file's code page cannot hold.\nPlease use another "
    "one.";
inline constexpr const char* IDS_NOKEY_READONLY =
    "This file hasn't KEY and it is READ-ONLY, so you can't open it.";
inline constexpr const char* IDS_NOKEY_CREATE = "The file hasn't its KEY, you must create it now.";
inline constexpr const char* IDS_CHANGEKEY_READONLY =
    "File is READ-ONLY, you can't change its KEY.";
inline constexpr const char* IDS_KEY_CHANGED = "KEY is changed!";
inline constexpr const char* IDS_KEY_NOT_CHANGED = "KEY is not changed!";
inline constexpr const char* IDS_KEY_PROMPT = "KEY for:  ";
inline constexpr const char* IDS_CREATEKEY_CAPTION = "Create KEY";
inline constexpr const char* IDS_CHECKKEY_CAPTION = "Check Key";
inline constexpr const char* IDS_CHANGEKEY_CAPTION = "Change Key";
inline constexpr const char* IDS_CREATEKEY_LABEL = "Create KEY for new file";
inline constexpr const char* IDS_CREATEKEY_CONFIRM_LABEL = "Confirm KEY";
inline constexpr const char* IDS_ORIGINAL_KEY_LABEL = "Original KEY";
inline constexpr const char* IDS_NEW_KEY_LABEL = "New KEY";
inline constexpr const char* IDS_CHANGEKEY_CONFIRM_LABEL = "Confirm Key";
inline constexpr const char* IDS_BUTTON_OK = "OK";
inline constexpr const char* IDS_BUTTON_CANCEL = "Cancel";
inline constexpr const char* IDS_FORMAT_NOT_SUPPORTED = "File format is not supported.";
inline constexpr const char* IDS_SAVE_READONLY =
    "This file is READ-ONLY, you can't save itself.\nDo you want to save it as another file?";
inline constexpr const char* IDS_BACKUP_FAILED =
    "Backup file failed, be sure your backup path is correct.";
inline constexpr const char* IDS_ASK_SAVE_MODIFIED =
    "Your document has been modified,do you want to save it?";
inline constexpr const char* IDS_ASK_TO_SAVE = "Save changes to %1?";
inline constexpr const char* IDS_UNTITLED = "NewPassword";
inline constexpr const char* IDS_OPEN_TITLE = "Open";
inline constexpr const char* IDS_SAVEAS_TITLE = "Save As";

// --- file properties ---
inline constexpr const char* IDS_FILE_PROPERTY_CAPTION = "File Propety";
inline constexpr const char* IDS_PROPERTY_CONTAINS = "Contains:";
inline constexpr const char* IDS_PROPERTY_LOCATION = "Loaction:";
inline constexpr const char* IDS_PROPERTY_SIZE = "Size:";
inline constexpr const char* IDS_PROPERTY_CREATED = "Created:";
inline constexpr const char* IDS_PROPERTY_MODIFIED = "Modified:";
inline constexpr const char* IDS_PROPERTY_ACCESSED = "Accessed:";
inline constexpr const char* IDS_PROPERTY_PROTECTION = "Protection:";
inline constexpr const char* IDS_PROPERTY_READABLE_WITHOUT_KEY =
    "None: anyone who has a .pwd file can read it and recover its KEY. Save it as .khv to "
    "seal it.";
inline constexpr const char* IDS_PROPERTY_SEALED = "Sealed: it can not be read without its KEY.";
inline constexpr const char* IDS_PADLOCK_OPEN = "Open padlock";
inline constexpr const char* IDS_PADLOCK_CLOSED = "Closed padlock";
inline constexpr const char* IDS_PROPERTY_ATTRIBUTES = "Attributes:";
inline constexpr const char* IDS_PROPERTY_READONLY = "&Read-only";
inline constexpr const char* IDS_PROPERTY_HIDDEN = "&Hidden";
inline constexpr const char* IDS_PROPERTY_ARCHIVE = "&Archive";

// --- Options dialog ---
inline constexpr const char* IDS_OPTIONS_CAPTION = "Options";
inline constexpr const char* IDS_OPTIONS_APPLY = "&Apply";
inline constexpr const char* IDS_PAGE_START = "Start";
inline constexpr const char* IDS_PAGE_FILE = "File";
inline constexpr const char* IDS_PAGE_SECURITY = "Security";
inline constexpr const char* IDS_PAGE_HOTKEY = "Hot Key";
inline constexpr const char* IDS_PAGE_GENERATOR = "Password Generator";
inline constexpr const char* IDS_PAGE_OTHERS = "Others";
inline constexpr const char* IDS_START_BAR = "Set Password Bar as default interface";
// Starting at logon is the desktop session's autostart, not a system start.
inline constexpr const char* IDS_START_AT_LOGIN = "Run automatically &when I log in";
inline constexpr const char* IDS_START_NO_FILE = "Do&n't open file at starting";
inline constexpr const char* IDS_START_LAST_FILE = "Open &last file at starting";
inline constexpr const char* IDS_START_THIS_FILE = "Always start with &this file";
inline constexpr const char* IDS_AUTO_OPEN = "Auto Open";
inline constexpr const char* IDS_SELECT_FILE = "Select a file";
inline constexpr const char* IDS_AUTO_SAVE = "Auto &save file";
inline constexpr const char* IDS_BACKUP_BEFORE_SAVE = "&Backup file before saving";
inline constexpr const char* IDS_ADD_TO_RECENT = "&Add opened file name to recent file list";
inline constexpr const char* IDS_CLEAR_RECENT_ON_EXIT = "&Clear recent file list when exiting";
inline constexpr const char* IDS_SAVE_FILE_GROUP = "Save file";
inline constexpr const char* IDS_RECENT_LIST_GROUP = "Recent file list";
inline constexpr const char* IDS_BACKUP_FOLDER = "Backup folder";
inline constexpr const char* IDS_FOLDER_PROMPT = "Select a directory backup your files";
inline constexpr const char* IDS_MASK_WHEN_SHOWN = "&Mask passwords when shown";
inline constexpr const char* IDS_AUTO_LOCK = "Auto lock";
inline constexpr const char* IDS_AUTO_EXIT = "Auto exit";
inline constexpr const char* IDS_IDLE_CHOICES[] = {"Never", "5 minutes", "15 minutes", "30 minutes",
                                                   "Customize"};
inline constexpr const char* IDS_SLIDER_LOW = "0.5";
inline constexpr const char* IDS_SLIDER_HIGH = "5";
inline constexpr const char* IDS_SLIDER_HOURS = "Hours";
inline constexpr const char* IDS_LOCK_ON_SCREEN_LOCK = "Lock when the screen &locks";
inline constexpr const char* IDS_CLIPBOARD_CLEAR = "Clear the clipboard after";
inline constexpr const char* IDS_CLIPBOARD_NEVER = "Never";
inline constexpr const char* IDS_SECONDS_FORMAT = "%u seconds";
inline constexpr const char* IDS_HOTKEY_GROUP = "Hot Key";
inline constexpr const char* IDS_HOTKEY_HINT =
    "Activate the text box and press desired key combination";
inline constexpr const char* IDS_HOTKEY_NOTE =
    "Note: If you choose to hide system tray icon,  you must use a HOT KEY.";
inline constexpr const char* IDS_HIDE_TRAY = "&Hide system tray icon";
inline constexpr const char* IDS_HOTKEY_NEEDED =
    "Before you choose to hide the system tray icon, "
    "you must set a hot key to recall the program."; // 61231
inline constexpr const char* IDS_HOTKEY_UNAVAILABLE =
    "This desktop offers no global hot key (neither an X server nor the desktop portal's "
    "global shortcuts), so a key set here would never work.";
inline constexpr const char* IDS_HOTKEY_NO_WAY_BACK =
    "This desktop offers no global hot key, so the system tray icon is the only way "
    "back to the program and cannot be hidden.";
inline constexpr const char* IDS_ONTOP_UNAVAILABLE =
    "Always on Top is not available on Wayland: the compositor alone decides which "
    "window stays above the others.";
inline constexpr const char* IDS_GEN_UPPER = "&Uppercase";
inline constexpr const char* IDS_GEN_LOWER = "&Lowcase";
inline constexpr const char* IDS_GEN_DIGITS = "&Numbers";
inline constexpr const char* IDS_GEN_SPECIAL = "&Special";
inline constexpr const char* IDS_GEN_SPACE = "S&pace";
inline constexpr const char* IDS_GEN_RANGE = "&Range";
inline constexpr const char* IDS_GEN_SPECIFY = "Speci&fy";
inline constexpr const char* IDS_GEN_LETTERS = "Letters";
inline constexpr const char* IDS_GEN_LENGTH = "Length";
inline constexpr const char* IDS_GEN_TO = "to";
inline constexpr const char* IDS_GEN_COPY_TIP = "Copy";
inline constexpr const char* IDS_GEN_CLEAR_TIP = "Clear";
inline constexpr const char* IDS_GEN_RESULT = "Generated password";
inline constexpr const char* IDS_LENGTH_AT_LEAST_ONE =
    "Your Password length at least is 1."; // 61218
inline constexpr const char* IDS_MINIMIZE_CHOICES[] = {"Minimize", "Lock"};
inline constexpr const char* IDS_CLOSE_CHOICES[] = {"Exit", "Minimize", "Lock"};
inline constexpr const char* IDS_MINIMIZE_BUTTON = "Minimize button";
inline constexpr const char* IDS_CLOSE_BUTTON = "Close button";
inline constexpr const char* IDS_CONFIRM_DELETE_ACCOUNT_BOX =
    "Show confirm dialog before deleting account";
inline constexpr const char* IDS_CONFIRM_DELETE_GROUP = "Confirm deleting group";

// --- folder check ---
inline constexpr const char* IDS_FOLDER_CREATE_QUESTION =
    "The folder:\n\n%s\n\ndoes not exist. Do you want the folder to be created?";
inline constexpr const char* IDS_FOLDER_INVALID =
    "The folder:\n\n%s\n\nis invalid. Please reenter.";
inline constexpr const char* IDS_FOLDER_NOT_CREATED =
    "The folder:\n\n%s\n\ncan not be created. Please double check.";

// --- links ---
inline constexpr const char* IDS_LINK_UNABLE = "Unable to open hyperlink:\n\n";
inline constexpr const char* IDS_LINK_OUT_OF_MEMORY =
    "The operating system is out\nof memory or resources.";
inline constexpr const char* IDS_LINK_FILE_NOT_FOUND = "The specified file was not found.";
inline constexpr const char* IDS_LINK_PATH_NOT_FOUND = "The specified path was not found.";
inline constexpr const char* IDS_LINK_ACCESS_DENIED =
    "The operating system denied\naccess to the specified file.";
inline constexpr const char* IDS_LINK_NO_MEMORY =
    "There was not enough memory to complete the operation.";
inline constexpr const char* IDS_LINK_BAD_FORMAT =
    "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).";
inline constexpr const char* IDS_LINK_SHARE = "A sharing violation occurred. ";
inline constexpr const char* IDS_LINK_ASSOC_INCOMPLETE =
    "The filename association is\nincomplete or invalid.";
inline constexpr const char* IDS_LINK_DDE_TIMEOUT =
    "The DDE transaction could not\nbe completed because the request timed out.";
inline constexpr const char* IDS_LINK_DDE_FAIL = "The DDE transaction failed.";
inline constexpr const char* IDS_LINK_DDE_BUSY =
    "The DDE transaction could not\nbe completed because other DDE transactions\nwere being "
    "processed.";
inline constexpr const char* IDS_LINK_NO_ASSOC =
    "There is no application associated\nwith the given filename extension.";
inline constexpr const char* IDS_LINK_DLL_NOT_FOUND =
    "The specified dynamic-link library was not found.";
inline constexpr const char* IDS_LINK_UNKNOWN = "Unknown Error (%d) occurred.";
