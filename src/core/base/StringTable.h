// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/Translation.h"

#include "core/base/Version.h"

#include <cstddef>

// The program's fixed texts, kept in one place so that messages, dialogs and
// tests share them. Texts are exactly as users have always seen them, spelling
// included. Add new texts here, grouped by subsystem.

// --- password files ---
inline constexpr const char* IDS_UNEXPECTED_FORMAT = KH_TEXT("Keyhaven", "Unexpected file format.");
inline constexpr const char* IDS_FILE_NOT_FOUND = KH_TEXT("Keyhaven", "%1\nFile not found.");
inline constexpr const char* IDS_READ_DENIED =
    KH_TEXT("Keyhaven", "Unable to read from %1, it is opened by someone else.");
inline constexpr const char* IDS_WRITE_DENIED =
    KH_TEXT("Keyhaven", "Unable to write to %1, it is read-only or opened by someone else.");
// Plain text is never written where another user could redirect it.
inline constexpr const char* IDS_UNSAFE_FOLDER =
    KH_TEXT("Keyhaven", "%1 was not written: another user can change a folder on the way to it, "
                        "or put a link there, and could catch the passwords. Choose a folder of "
                        "your own.");
inline constexpr const char* IDS_DISK_FULL = KH_TEXT("Keyhaven", "Destination disk drive is full.");
inline constexpr const char* IDS_READ_FAILED =
    KH_TEXT("Keyhaven", "An unexpected error occurred while reading %1.");
inline constexpr const char* IDS_WRITE_FAILED =
    KH_TEXT("Keyhaven", "An unexpected error occurred while writing %1.");
// Texts of the protected format, which is new to this program.
inline constexpr const char* IDS_CHANGED_WHILE_LOCKED =
    KH_TEXT("Keyhaven", "%1 has been changed by another program while Keyhaven was locked.\n\n"
                        "Yes: open it as it is now.\n"
                        "No: open another file.\n"
                        "Cancel: stay locked.");
inline constexpr const char* IDS_GONE_WHILE_LOCKED = KH_TEXT(
    "Keyhaven", "%1 has been removed or renamed by another program while Keyhaven was locked.\n\n"
                "Yes: go on without a file.\n"
                "No: open another file.\n"
                "Cancel: stay locked.");
inline constexpr const char* IDS_KEPT_CHANGED_WHILE_LOCKED =
    KH_TEXT("Keyhaven", "%1 has been changed by another program while Keyhaven was locked.\n\n"
                        "Yes: replace it with what Keyhaven shows now (the other change is lost).\n"
                        "No: save what Keyhaven shows as another file.\n"
                        "Cancel: save nothing.");
inline constexpr const char* IDS_KEPT_GONE_WHILE_LOCKED = KH_TEXT(
    "Keyhaven", "%1 has been removed or renamed by another program while Keyhaven was locked.\n\n"
                "Yes: save what Keyhaven shows under its old name.\n"
                "No: save what Keyhaven shows as another file.\n"
                "Cancel: save nothing.");
// The first lock of a run, beside the tray icon: nothing else shows where
// the program went.
inline constexpr const char* IDS_LOCKED_IN_TRAY =
    KH_TEXT("Keyhaven", "Keyhaven is locked. Click its icon in the tray to come back.");
inline constexpr const char* IDS_SEAL_COSTLY = KH_TEXT(
    "Keyhaven", "%1 asks for %2 to turn its KEY into its key, more than "
                "four times what Keyhaven uses. That may take minutes and slow the whole computer "
                "down.\n\nGo on anyway?");
// %1 is the memory in MiB, %n the passes over it.
inline constexpr SCountText IDS_SEAL_COST =
    KH_COUNT("Keyhaven", "%1 MiB of memory and %n passes", "%1 MiB of memory and %n pass");
inline constexpr const char* IDS_SEAL_DERIVING = KH_TEXT("Keyhaven", "Checking the KEY of %1 ...");
inline constexpr const char* IDS_SEAL_NEEDS_KEY =
    KH_TEXT("Keyhaven", "%1 is a protected file: it cannot be written without its KEY.");
// A ".pwd" stores a value from which its KEY can be worked out, so a KEY
// never passes from one format to the other.
inline constexpr const char* IDS_KEY_MUST_DIFFER =
    KH_TEXT("Keyhaven",
            "The new KEY must differ from the old one: the KEY of a .pwd file can be recovered "
            "from any copy of that file (and of its backups), so the old KEY would open the new "
            "file too.");
inline constexpr const char* IDS_ASK_SAVE_AS_PWD = KH_TEXT(
    "Keyhaven",
    "A .pwd file does not protect its passwords: anyone who has %1 can read every password "
    "in it and recover its KEY.\n\nSave it as .pwd anyway? You will choose a new KEY for it.");
// A KeePass database holds more than a password file keeps (any script,
// nested groups, custom fields, history, attachments); %2 lists what is
// lost, one line each.
inline constexpr const char* IDS_ASK_SAVE_LOSES = KH_TEXT(
    "Keyhaven", "%1 cannot keep everything this KeePass database holds:\n\n%2\nSave it as %1 "
                "anyway? What it cannot keep is left out of %1; the database stays as it is.");
inline constexpr const char* IDS_ASK_UPGRADE_DATABASE = KH_TEXT(
    "Keyhaven", "%1 is a KeePass database of the older format KDBX 3.1. It is saved as KDBX 4, "
                "which KeePass 2.35 and later, KeePassXC 2.3 and later and today's phone apps "
                "open, but older programs cannot.\n\nSave it as KDBX 4?");
inline constexpr const char* IDS_ASK_REMOVE_OLD_PWD = KH_TEXT(
    "Keyhaven",
    "%1 is saved and sealed.\n\nThe old file still gives away every password and its KEY to "
    "anyone who has a copy:\n%2\n\nRemove the old file and its backup copies now?");
inline constexpr const char* IDS_REMOVE_FAILED = KH_TEXT("Keyhaven", "%1 could not be removed.");
// Limits and collisions the program guards against on its own.
inline constexpr const char* IDS_FILE_TOO_LARGE =
    KH_TEXT("Keyhaven", "%1 is larger than 1 GB; it cannot be a password file and was not read.");
inline constexpr const char* IDS_OUT_OF_MEMORY =
    KH_TEXT("Keyhaven", "There is not enough memory to read %1.");
// Key derivation of a sealed file could not get the memory its header asks.
inline constexpr const char* IDS_KEY_OUT_OF_MEMORY =
    KH_TEXT("Keyhaven", "There is not enough memory to open %1.");
inline constexpr const char* IDS_SEAL_OUT_OF_MEMORY =
    KH_TEXT("Keyhaven", "There is not enough memory to seal %1 under its KEY; it was not written.");
inline constexpr const char* IDS_FILE_BUSY =
    KH_TEXT("Keyhaven", "%1 is being changed by another program; try again in a moment.");
// A save that nobody at a window can be asked about (the command line,
// which is not translated).
inline constexpr const char* IDS_CHANGED_NOT_WRITTEN =
    "%1 has been changed by another program since it was read; nothing was written.";
inline constexpr const char* IDS_EXISTS_NOT_REPLACED = "%1 already exists; it was not replaced.";
inline constexpr const char* IDS_CHANGED_ON_DISK = KH_TEXT(
    "Keyhaven", "%1 has been changed by another program since Keyhaven read or last saved it.\n\n"
                "Yes: replace it with what Keyhaven shows now (the other change is lost).\n"
                "No: save what Keyhaven shows as another file.\n"
                "Cancel: save nothing.");

// --- store rules ---
inline constexpr const char* IDS_ACCOUNT_EMPTY = KH_TEXT("Keyhaven", "Account can not be empty!");
inline constexpr const char* IDS_ACCOUNT_SAME =
    KH_TEXT("Keyhaven", "Account name should not be same!");
inline constexpr const char* IDS_GROUP_EMPTY =
    KH_TEXT("Keyhaven", "Group name should not be empty.");
inline constexpr const char* IDS_GROUP_SAME = KH_TEXT("Keyhaven", "Group name should not be same.");
inline constexpr const char* IDS_LAST_GROUP =
    KH_TEXT("Keyhaven", "At least one(1) group should be contained.");
inline constexpr const char* IDS_ACCOUNT_NEEDS_GROUP =
    KH_TEXT("Keyhaven", "This file has no group to hold the account.\nPlease add a group first.");
inline constexpr const char* IDS_TEXT_BAD_CHARACTER = KH_TEXT(
    "Keyhaven",
    "The file's texts can not contain the character \"%1\" (U+%2).\nPlease use another one.");

// --- account and group dialogs ---
inline constexpr const char* IDS_ADD_ACCOUNT_CAPTION = KH_TEXT("Keyhaven", "Add Account");
inline constexpr const char* IDS_EDIT_ACCOUNT_CAPTION = KH_TEXT("Keyhaven", "Edit the Account");
// Escape, Cancel or the close button in an account dialog that holds changes.
inline constexpr const char* IDS_DISCARD_ACCOUNT_CHANGES =
    KH_TEXT("Keyhaven", "Discard your changes to this account?");
inline constexpr const char* IDS_ADD_GROUP_CAPTION = KH_TEXT("Keyhaven", "Add Group");
inline constexpr const char* IDS_EDIT_GROUP_CAPTION = KH_TEXT("Keyhaven", "Edit Group");
inline constexpr const char* IDS_DELETE_GROUP_CAPTION = KH_TEXT("Keyhaven", "Delete Group");
inline constexpr const char* IDS_GROUP_LABEL = KH_TEXT("Keyhaven", "Group");
inline constexpr const char* IDS_USERNAME_LABEL = KH_TEXT("Keyhaven", "User Name");
inline constexpr const char* IDS_PASSWORD_LABEL = KH_TEXT("Keyhaven", "Password");
inline constexpr const char* IDS_COMMENTS_LABEL = KH_TEXT("Keyhaven", "Comments");
inline constexpr const char* IDS_ACCOUNT_LABEL = KH_TEXT("Keyhaven", "Account");
inline constexpr const char* IDS_HYPERLINK_LABEL = KH_TEXT("Keyhaven", "Hyperlink");
inline constexpr const char* IDS_EMAIL_LABEL = KH_TEXT("Keyhaven", "E-Mail");
inline constexpr const char* IDS_GROUP_NAME_LABEL = KH_TEXT("Keyhaven", "Group name:");
inline constexpr const char* IDS_CHOOSE_GROUP_LABEL = KH_TEXT("Keyhaven", "Choose a group");
inline constexpr const char* IDS_NEW_NAME_LABEL = KH_TEXT("Keyhaven", "New name");
inline constexpr const char* IDS_DELETE_GROUP_WARNING = KH_TEXT(
    "Keyhaven", "WARNING:\tIf you delete a group, all accounts under the group will be removed.");
inline constexpr const char* IDS_PASTE_USERNAME_TIP = KH_TEXT("Keyhaven", "Paste User Name");
inline constexpr const char* IDS_GENERATE_PASSWORD_TIP = KH_TEXT("Keyhaven", "Generate Password");
inline constexpr const char* IDS_SHOW_PASSWORD = KH_TEXT("Keyhaven", "Show");
inline constexpr const char* IDS_HIDE_PASSWORD = KH_TEXT("Keyhaven", "Hide");
inline constexpr const char* IDS_SHOW_PASSWORD_NAME = KH_TEXT("Keyhaven", "Show password");
inline constexpr const char* IDS_GENERATOR_SETTINGS_TIP =
    KH_TEXT("Keyhaven", "Password Generator Settings");
inline constexpr const char* IDS_PASTE_HYPERLINK_TIP = KH_TEXT("Keyhaven", "Paste Hyperlink");
inline constexpr const char* IDS_BROWSE_TIP = KH_TEXT("Keyhaven", "Browse");
inline constexpr const char* IDS_TEST_HYPERLINK_TIP = KH_TEXT("Keyhaven", "Test Hyperlink");
inline constexpr const char* IDS_PASTE_EMAIL_TIP = KH_TEXT("Keyhaven", "Paste E-Mail");
inline constexpr const char* IDS_BROWSE_TITLE = KH_TEXT("Keyhaven", "Select a program or file");
inline constexpr const char* IDS_ALL_FILES_FILTER = KH_TEXT("Keyhaven", "All files (*)");

// --- password strength ---
inline constexpr const char* IDS_STRENGTH_NAME = KH_TEXT("Keyhaven", "Password strength");
inline constexpr const char* IDS_STRENGTH_FORMAT = KH_TEXT("Keyhaven", "Strength: %1 (%2 bits)");
inline constexpr const char* IDS_STRENGTH_NONE = KH_TEXT("Keyhaven", "Strength: none");
// The words of the strengths, weakest first.
// They name the strength ("Strength: weak"), so a language agrees them with
// its word for strength.
inline constexpr STextIn IDS_STRENGTH_WORDS[] = {
    KH_TEXT_IN("Strength", "poor"), KH_TEXT_IN("Strength", "weak"),
    KH_TEXT_IN("Strength", "reasonable"), KH_TEXT_IN("Strength", "good"),
    KH_TEXT_IN("Strength", "excellent")};

// --- Password Health ---
inline constexpr const char* IDS_HEALTH_CAPTION = KH_TEXT("Keyhaven", "Password Health");
inline constexpr const char* IDS_HEALTH_THRESHOLD = KH_TEXT("Keyhaven", "&Weak below:");
inline constexpr const char* IDS_HEALTH_LIST = KH_TEXT("Keyhaven", "Findings");
inline constexpr const char* IDS_HEALTH_COLUMN_ACCOUNT = KH_TEXT("Keyhaven", "Account");
inline constexpr const char* IDS_HEALTH_COLUMN_FINDING = KH_TEXT("Keyhaven", "Finding");
inline constexpr const char* IDS_HEALTH_COLUMN_STRENGTH = KH_TEXT("Keyhaven", "Strength");
// An account's place: its group, then its name.
inline constexpr const char* IDS_HEALTH_ACCOUNT_PATH = KH_TEXT("Keyhaven", "%1 / %2");
inline constexpr const char* IDS_HEALTH_EMPTY = KH_TEXT("Keyhaven", "empty");
inline constexpr const char* IDS_HEALTH_WEAK = KH_TEXT("Keyhaven", "weak");
// %1 is the number of the set of accounts that share one password.
inline constexpr SCountText IDS_HEALTH_REUSED =
    KH_COUNT("Keyhaven", "used by %n accounts (set %1)", "used by %n account (set %1)");
inline constexpr const char* IDS_HEALTH_SEPARATOR = KH_TEXT("Keyhaven", "; ");
inline constexpr const char* IDS_HEALTH_STRENGTH = KH_TEXT("Keyhaven", "%1 (%2 bits)");
inline constexpr STextIn IDS_HEALTH_NO_STRENGTH = KH_TEXT_IN("Strength", "none");
// %1 is the number of accounts that need attention, %n all accounts.
inline constexpr SCountText IDS_HEALTH_SUMMARY =
    KH_COUNT("Keyhaven", "%1 of %n accounts need attention.", "%1 of %n account needs attention.");
inline constexpr const char* IDS_HEALTH_ALL_GOOD =
    KH_TEXT("Keyhaven", "No account has an empty, weak or reused password.");
// The busy box's text while a large file is checked, and the summary after
// its Cancel (or a lock) stopped the check.
inline constexpr const char* IDS_HEALTH_CHECKING =
    KH_TEXT("Keyhaven", "Checking the passwords ...");
inline constexpr const char* IDS_HEALTH_CANCELLED =
    KH_TEXT("Keyhaven", "The check was cancelled. Choose a threshold to check again.");

// --- application and main frame ---
inline constexpr const char* IDS_APP_TITLE = KH_TEXT("Keyhaven", "Keyhaven");
// %1 is the version number.
inline constexpr const char* IDS_APP_VERSION_LINE = KH_TEXT("Keyhaven", "Keyhaven\tVersion %1");
inline constexpr const char* IDS_ABOUT_CAPTION = KH_TEXT("Keyhaven", "About Keyhaven");
// The About box's notice below the version: copyright, licence, warranty.
inline constexpr const char* IDS_ABOUT_LICENCE = KH_TEXT(
    "Keyhaven",
    "Copyright (C) 2026 The Keyhaven developers\n"
    "Keyhaven is free software: you may pass it on and change it under the terms of the GNU "
    "General Public License, version 3 or later. It comes with NO WARRANTY, to the extent "
    "permitted by law.");
inline constexpr const char* IDS_MUTEX_NAME = "Keyhaven-34563126-726E-41d0-9C98-9F5919153C1C";
inline constexpr const char* IDS_ARE_YOU_ME = "UWM_ARE_YOU_ME";
inline constexpr const char* IDS_DOC_FILTER = KH_TEXT("Keyhaven", "Keyhaven files (*.pwd)");
inline constexpr const char* IDS_DOC_EXTENSION = ".pwd";
inline constexpr const char* IDS_PRODUCT_WEBSITE = "https://keyhaven.example/";
inline constexpr const char* IDS_SUPPORT_ADDRESS = "support@keyhaven.example";
inline constexpr const char* IDS_NO_LAST_FILE =
    KH_TEXT("Keyhaven", "There is no last file to open."); // 61215
inline constexpr const char* IDS_LAST_FILE_NOT_FOUND =
    KH_TEXT("Keyhaven", "The last file was not found."); // 61214
inline constexpr const char* IDS_NO_START_FILE =
    KH_TEXT("Keyhaven", "There is no specified file to open."); // 61217
inline constexpr const char* IDS_START_FILE_NOT_FOUND =
    KH_TEXT("Keyhaven", "The specified file was not found."); // 61216
inline constexpr const char* IDS_READY = KH_TEXT("Keyhaven", "Ready");
inline constexpr const char* IDS_INDICATOR_GROUPS =
    KH_TEXT("Keyhaven", "Groups"); // 61204, the pane's first text
inline constexpr const char* IDS_INDICATOR_ACCOUNTS = KH_TEXT("Keyhaven", "Accounts"); // 61205
inline constexpr SCountText IDS_GROUPS_FORMAT = KH_COUNT("Keyhaven", "%n Groups", "%n Group");
inline constexpr SCountText IDS_ACCOUNTS_FORMAT = KH_COUNT("Keyhaven", "%n Accounts", "%n Account");
// While the live filter narrows the tree: %1 shown, of the file's %n.
inline constexpr SCountText IDS_GROUPS_SHOWN_FORMAT =
    KH_COUNT("Keyhaven", "%1 of %n Groups shown", "%1 of %n Group shown");
inline constexpr SCountText IDS_ACCOUNTS_SHOWN_FORMAT =
    KH_COUNT("Keyhaven", "%1 of %n Accounts shown", "%1 of %n Account shown");
inline constexpr const char* IDS_RECENT_EMPTY = KH_TEXT("Keyhaven", "Recent File");
inline constexpr const char* IDS_PASSWORD_COPIED = KH_TEXT("Keyhaven", "Password copied");
// The bar over an opened ".pwd".
inline constexpr const char* IDS_CONVERT_BAR_TITLE = KH_TEXT("Keyhaven", "Protect this file");
inline constexpr const char* IDS_CONVERT_BAR_TEXT =
    KH_TEXT("Keyhaven",
            "Anyone who has a copy of this .pwd file can read every password in it and recover its "
            "KEY. Save it as a protected .khv file with a new KEY?");
inline constexpr const char* IDS_CONVERT_BAR_SAVE = KH_TEXT("Keyhaven", "Save as .khv...");
inline constexpr const char* IDS_CONVERT_BAR_LATER = KH_TEXT("Keyhaven", "Not now");
inline constexpr const char* IDS_PASSWORD_COPIED_CLEARED =
    KH_TEXT("Keyhaven", "Password copied; clipboard cleared in %1 s");
inline constexpr const char* IDS_CLIPBOARD_CLEARED = KH_TEXT("Keyhaven", "Clipboard cleared");

// Menu texts of the main menu, the tray menu and the toolbar drop-down.
inline constexpr const char* IDS_MENU_FILE = KH_TEXT("Keyhaven", "&File");
inline constexpr const char* IDS_MENU_EDIT = KH_TEXT("Keyhaven", "&Edit");
inline constexpr const char* IDS_MENU_VIEW = KH_TEXT("Keyhaven", "&View");
inline constexpr const char* IDS_MENU_TOOLS = KH_TEXT("Keyhaven", "&Tools");
inline constexpr const char* IDS_MENU_HELP = KH_TEXT("Keyhaven", "&Help");
inline constexpr const char* IDS_MENU_RECENT = KH_TEXT("Keyhaven", "Recen&t");

struct CCommandText {
    int nId;
    const char* pszText;
};

inline constexpr CCommandText COMMAND_MENU_TEXTS[] = {
    {57600, KH_TEXT("Keyhaven", "&New\tCtrl+N")},
    {57601, KH_TEXT("Keyhaven", "&Open...\tCtrl+O")},
    {57602, KH_TEXT("Keyhaven", "&Close")},
    {57603, KH_TEXT("Keyhaven", "&Save\tCtrl+S")},
    {57604, KH_TEXT("Keyhaven", "Save &As...")},
    {32954, KH_TEXT("Keyhaven", "&Print...")},
    {32990, KH_TEXT("Keyhaven", "&Import...")},
    {32947, KH_TEXT("Keyhaven", "&Export...")},
    {32782, KH_TEXT("Keyhaven", "P&roperties")},
    {57665, KH_TEXT("Keyhaven", "E&xit")},
    {32785, KH_TEXT("Keyhaven", "Add &Account...\tCtrl+A")},
    {32955, KH_TEXT("Keyhaven", "Add &Group...\tCtrl+G")},
    {32956, KH_TEXT("Keyhaven", "&Edit...\tCtrl+E")},
    {32957, KH_TEXT("Keyhaven", "&Delete...\tCtrl+D")},
    {32995, KH_TEXT("Keyhaven", "Copy &Password\tCtrl+C")},
    {32996, KH_TEXT("Keyhaven", "Copy &User Name\tCtrl+B")},
    {32997, KH_TEXT("Keyhaven", "Copy &Name")},
    {59392, KH_TEXT("Keyhaven", "&Toolbar")},
    {59393, KH_TEXT("Keyhaven", "&Status Bar")},
    {32929, KH_TEXT("Keyhaven", "S&earch Bar\tCtrl+F")},
    {32906, KH_TEXT("Keyhaven", "&Password Bar\tF2")},
    {32772, KH_TEXT("Keyhaven", "Always on T&op\tF3")},
    {4112, KH_TEXT("Keyhaven", "Always on T&op\tF3")},
    {32780, KH_TEXT("Keyhaven", "Change &KEY...")},
    {32895, KH_TEXT("Keyhaven", "&Mask Passwords")},
    {32916, KH_TEXT("Keyhaven", "&Lock")},
    {32898, KH_TEXT("Keyhaven", "&Options...")},
    {32994, KH_TEXT("Keyhaven", "Password &Health...")},
    {32852, KH_TEXT("Keyhaven", "&Add Here")},
    {32851, KH_TEXT("Keyhaven", "&Clear on Exit")},
    {32799, KH_TEXT("Keyhaven", "&Contents\tF1")},
    {32856, KH_TEXT("Keyhaven", "&Website")},
    {32857, KH_TEXT("Keyhaven", "&Support")},
    {57664, KH_TEXT("Keyhaven", "&About")},
    {32779, KH_TEXT("Keyhaven", "Main &Window")},
    {32909, KH_TEXT("Keyhaven", "Password &Bar")},
    {32959, KH_TEXT("Keyhaven", "&Lock")},
    {32773, KH_TEXT("Keyhaven", "E&xit")},
};

// Command prompts: the status-bar prompt before "\n", the tool tip after it.
inline constexpr CCommandText COMMAND_PROMPTS[] = {
    {57600, KH_TEXT("Keyhaven", "Create a new file\nNew")},
    {57601, KH_TEXT("Keyhaven", "Open an existing file\nOpen")},
    {57602, KH_TEXT("Keyhaven", "Close the active file\nClose")},
    {57603, KH_TEXT("Keyhaven", "Save the active file\nSave")},
    {57604, KH_TEXT("Keyhaven", "Save the active file with a new name\nSave As")},
    {32954, KH_TEXT("Keyhaven", "Print password information")},
    {32990,
     KH_TEXT("Keyhaven", "Bring in the accounts of another password manager's file\nImport")},
    {32782, KH_TEXT("Keyhaven", "Show file properties\nProerties")},
    {57665, KH_TEXT("Keyhaven", "Quit the application; prompts to save documents\nExit")},
    {32785, KH_TEXT("Keyhaven", "Add an account\nAdd Account")},
    {32955, KH_TEXT("Keyhaven", "Add a group\nAdd Group")},
    {32956, KH_TEXT("Keyhaven", "Edit account or group\nEdit")},
    {32957, KH_TEXT("Keyhaven", "Delete account or group\nDelete")},
    {32995,
     KH_TEXT("Keyhaven", "Copy the selected account's password to the clipboard\nCopy Password")},
    {32996,
     KH_TEXT("Keyhaven", "Copy the selected account's user name to the clipboard\nCopy User Name")},
    {32997, KH_TEXT("Keyhaven", "Copy the name of the selected group or account\nCopy Name")},
    {59392, KH_TEXT("Keyhaven", "Show or hide the toolbar\nToggle ToolBar")},
    {59393, KH_TEXT("Keyhaven", "Show or hide the status bar\nToggle StatusBar")},
    {32929, KH_TEXT("Keyhaven", "Show or hide the search bar")},
    {32906, KH_TEXT("Keyhaven", "Switch to password bar\nPassword Bar")},
    {32772, KH_TEXT("Keyhaven", "Set window always on the top\nAlways on Top")},
    {4112, KH_TEXT("Keyhaven", "Set window always on the top")},
    {32780, KH_TEXT("Keyhaven", "Change your KEY")},
    {32895, KH_TEXT("Keyhaven", "Mask your passwords with *")},
    {32916, KH_TEXT("Keyhaven", "Minize and lock the program\nLock")},
    {32898, KH_TEXT("Keyhaven", "Change options\nOptions")},
    {32994, KH_TEXT("Keyhaven", "List the accounts whose passwords are empty, weak or used more "
                                "than once\nPassword Health")},
    {57616, KH_TEXT("Keyhaven", "Open this file")},
    {57617, KH_TEXT("Keyhaven", "Open this file")},
    {57618, KH_TEXT("Keyhaven", "Open this file")},
    {57619, KH_TEXT("Keyhaven", "Open this file")},
    {32852, KH_TEXT("Keyhaven", "Add file name here when you open a file")},
    {32851, KH_TEXT("Keyhaven", "Clear recent file list on exit")},
    {32799, KH_TEXT("Keyhaven", "Use help\nHelp")},
    {32856, KH_TEXT("Keyhaven", "Visit website for product information")},
    {32857, KH_TEXT("Keyhaven", "Send an e-mail to the Keyhaven support team")},
    {57664, KH_TEXT("Keyhaven", "Display the product information\nAbout")},
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
inline constexpr const char* IDS_KEYS_DO_NOT_MATCH =
    KH_TEXT("Keyhaven", "New KEYs do not mach!\nPlease enter again!");
inline constexpr const char* IDS_NEW_KEY_INVALID = KH_TEXT("Keyhaven", "New KEY is invalidate!");
inline constexpr const char* IDS_ORIGINAL_KEY_INVALID =
    KH_TEXT("Keyhaven", "Original KEY is invalidate!\nYou can not change Key!");
inline constexpr const char* IDS_KEY_INVALID = KH_TEXT("Keyhaven", "Your KEY is invalid!");
// An empty KEY is refused with its reason.
inline constexpr const char* IDS_KEY_EMPTY =
    KH_TEXT("Keyhaven", "Your KEY is invalid!\nA KEY cannot be empty.");
inline constexpr const char* IDS_NEW_KEY_EMPTY =
    KH_TEXT("Keyhaven", "New KEY is invalidate!\nA KEY cannot be empty.");
// Above a new KEY: what it is, in one line.
inline constexpr const char* IDS_KEY_EXPLAINED =
    KH_TEXT("Keyhaven", "The KEY is this file's master password: it is asked whenever the file is "
                        "opened or unlocked, and it cannot be reset if forgotten.");
// A new KEY below "reasonable" is allowed after this question (default No).
inline constexpr const char* IDS_WEAK_KEY_QUESTION =
    KH_TEXT("Keyhaven", "This KEY is easy to guess: anyone who gets the file could find it. "
                        "Several unrelated words make a KEY that is strong and easy to "
                        "remember.\n\nUse this KEY anyway?");
// Names no character: whoever sees the message must not learn one of the KEY.
inline constexpr const char* IDS_KEY_BAD_CHARACTER =
    KH_TEXT("Keyhaven",
            "The KEY holds a character that the file's code page cannot hold.\nPlease use another "
            "one.");
inline constexpr const char* IDS_NOKEY_READONLY =
    KH_TEXT("Keyhaven", "This file hasn't KEY and it is READ-ONLY, so you can't open it.");
inline constexpr const char* IDS_NOKEY_CREATE =
    KH_TEXT("Keyhaven", "The file hasn't its KEY, you must create it now.");
inline constexpr const char* IDS_CHANGEKEY_READONLY =
    KH_TEXT("Keyhaven", "File is READ-ONLY, you can't change its KEY.");
inline constexpr const char* IDS_KEY_CHANGED = KH_TEXT("Keyhaven", "KEY is changed!");
inline constexpr const char* IDS_KEY_NOT_CHANGED = KH_TEXT("Keyhaven", "KEY is not changed!");
inline constexpr const char* IDS_KEY_PROMPT = KH_TEXT("Keyhaven", "KEY for:  ");
// The same with the file's name in place: one text, so a language may put
// the name where its grammar wants it.
inline constexpr const char* IDS_KEY_PROMPT_FILE = KH_TEXT("Keyhaven", "KEY for:  %1");
inline constexpr const char* IDS_CREATEKEY_CAPTION = KH_TEXT("Keyhaven", "Create KEY");
inline constexpr const char* IDS_CHECKKEY_CAPTION = KH_TEXT("Keyhaven", "Check Key");
inline constexpr const char* IDS_CHANGEKEY_CAPTION = KH_TEXT("Keyhaven", "Change Key");
inline constexpr const char* IDS_CREATEKEY_LABEL = KH_TEXT("Keyhaven", "Create KEY for new file");
inline constexpr const char* IDS_CREATEKEY_CONFIRM_LABEL = KH_TEXT("Keyhaven", "Confirm KEY");
inline constexpr const char* IDS_ORIGINAL_KEY_LABEL = KH_TEXT("Keyhaven", "Original KEY");
inline constexpr const char* IDS_NEW_KEY_LABEL = KH_TEXT("Keyhaven", "New KEY");
inline constexpr const char* IDS_CHANGEKEY_CONFIRM_LABEL = KH_TEXT("Keyhaven", "Confirm Key");
inline constexpr const char* IDS_BUTTON_OK = KH_TEXT("Keyhaven", "OK");
inline constexpr const char* IDS_BUTTON_CANCEL = KH_TEXT("Keyhaven", "Cancel");
inline constexpr const char* IDS_FORMAT_NOT_SUPPORTED =
    KH_TEXT("Keyhaven", "File format is not supported.");
inline constexpr const char* IDS_SAVE_READONLY = KH_TEXT(
    "Keyhaven",
    "This file is READ-ONLY, you can't save itself.\nDo you want to save it as another file?");
inline constexpr const char* IDS_BACKUP_FAILED =
    KH_TEXT("Keyhaven", "Backup file failed, be sure your backup path is correct.");
inline constexpr const char* IDS_ASK_SAVE_MODIFIED =
    KH_TEXT("Keyhaven", "Your document has been modified,do you want to save it?");
inline constexpr const char* IDS_ASK_TO_SAVE = KH_TEXT("Keyhaven", "Save changes to %1?");
inline constexpr const char* IDS_UNTITLED = KH_TEXT("Keyhaven", "NewPassword");
inline constexpr const char* IDS_OPEN_TITLE = KH_TEXT("Keyhaven", "Open");
inline constexpr const char* IDS_SAVEAS_TITLE = KH_TEXT("Keyhaven", "Save As");

// --- file properties ---
inline constexpr const char* IDS_FILE_PROPERTY_CAPTION = KH_TEXT("Keyhaven", "File Propety");
inline constexpr const char* IDS_PROPERTY_CONTAINS = KH_TEXT("Keyhaven", "Contains:");
inline constexpr const char* IDS_PROPERTY_LOCATION = KH_TEXT("Keyhaven", "Loaction:");
inline constexpr const char* IDS_PROPERTY_SIZE = KH_TEXT("Keyhaven", "Size:");
inline constexpr const char* IDS_PROPERTY_CREATED = KH_TEXT("Keyhaven", "Created:");
inline constexpr const char* IDS_PROPERTY_MODIFIED = KH_TEXT("Keyhaven", "Modified:");
inline constexpr const char* IDS_PROPERTY_ACCESSED = KH_TEXT("Keyhaven", "Accessed:");
inline constexpr const char* IDS_PROPERTY_PROTECTION = KH_TEXT("Keyhaven", "Protection:");
inline constexpr const char* IDS_PROPERTY_READABLE_WITHOUT_KEY =
    KH_TEXT("Keyhaven",
            "None: anyone who has a .pwd file can read it and recover its KEY. Save it as .khv to "
            "seal it.");
inline constexpr const char* IDS_PROPERTY_SEALED =
    KH_TEXT("Keyhaven", "Sealed: it can not be read without its KEY.");
inline constexpr const char* IDS_PADLOCK_OPEN = KH_TEXT("Keyhaven", "Open padlock");
inline constexpr const char* IDS_PADLOCK_CLOSED = KH_TEXT("Keyhaven", "Closed padlock");
inline constexpr const char* IDS_PROPERTY_ATTRIBUTES = KH_TEXT("Keyhaven", "Attributes:");
inline constexpr const char* IDS_PROPERTY_READONLY = KH_TEXT("Keyhaven", "&Read-only");
inline constexpr const char* IDS_PROPERTY_HIDDEN = KH_TEXT("Keyhaven", "&Hidden");
inline constexpr const char* IDS_PROPERTY_ARCHIVE = KH_TEXT("Keyhaven", "&Archive");

// --- Options dialog ---
inline constexpr const char* IDS_OPTIONS_CAPTION = KH_TEXT("Keyhaven", "Options");
inline constexpr const char* IDS_OPTIONS_APPLY = KH_TEXT("Keyhaven", "&Apply");
inline constexpr const char* IDS_PAGE_START = KH_TEXT("Keyhaven", "Start");
inline constexpr const char* IDS_PAGE_FILE = KH_TEXT("Keyhaven", "File");
inline constexpr const char* IDS_PAGE_SECURITY = KH_TEXT("Keyhaven", "Security");
inline constexpr const char* IDS_PAGE_HOTKEY = KH_TEXT("Keyhaven", "Hot Key");
inline constexpr const char* IDS_PAGE_GENERATOR = KH_TEXT("Keyhaven", "Password Generator");
inline constexpr const char* IDS_PAGE_OTHERS = KH_TEXT("Keyhaven", "Others");
inline constexpr const char* IDS_START_BAR =
    KH_TEXT("Keyhaven", "Set Password Bar as default interface");
// Starting at logon is the desktop session's autostart, not a system start.
inline constexpr const char* IDS_START_AT_LOGIN =
    KH_TEXT("Keyhaven", "Run automatically &when I log in");
inline constexpr const char* IDS_START_NO_FILE =
    KH_TEXT("Keyhaven", "Do&n't open file at starting");
inline constexpr const char* IDS_START_LAST_FILE =
    KH_TEXT("Keyhaven", "Open &last file at starting");
inline constexpr const char* IDS_START_THIS_FILE =
    KH_TEXT("Keyhaven", "Always start with &this file");
inline constexpr const char* IDS_AUTO_OPEN = KH_TEXT("Keyhaven", "Auto Open");
inline constexpr const char* IDS_SELECT_FILE = KH_TEXT("Keyhaven", "Select a file");
inline constexpr const char* IDS_AUTO_SAVE = KH_TEXT("Keyhaven", "Auto &save file");
inline constexpr const char* IDS_BACKUP_BEFORE_SAVE =
    KH_TEXT("Keyhaven", "&Backup file before saving");
inline constexpr const char* IDS_ADD_TO_RECENT =
    KH_TEXT("Keyhaven", "A&dd opened file name to recent file list");
inline constexpr const char* IDS_CLEAR_RECENT_ON_EXIT =
    KH_TEXT("Keyhaven", "&Clear recent file list when exiting");
inline constexpr const char* IDS_SAVE_FILE_GROUP = KH_TEXT("Keyhaven", "Save file");
inline constexpr const char* IDS_RECENT_LIST_GROUP = KH_TEXT("Keyhaven", "Recent file list");
inline constexpr const char* IDS_BACKUP_FOLDER = KH_TEXT("Keyhaven", "Backup folder");
inline constexpr const char* IDS_FOLDER_PROMPT =
    KH_TEXT("Keyhaven", "Select a directory backup your files");
inline constexpr const char* IDS_MASK_WHEN_SHOWN =
    KH_TEXT("Keyhaven", "&Mask passwords when shown");
inline constexpr const char* IDS_AUTO_LOCK = KH_TEXT("Keyhaven", "Auto lock");
inline constexpr const char* IDS_AUTO_EXIT = KH_TEXT("Keyhaven", "Auto exit");
inline constexpr const char* IDS_IDLE_CHOICES[] = {
    KH_TEXT("Keyhaven", "Never"), KH_TEXT("Keyhaven", "5 minutes"),
    KH_TEXT("Keyhaven", "15 minutes"), KH_TEXT("Keyhaven", "30 minutes"),
    KH_TEXT("Keyhaven", "Customize")};
inline constexpr const char* IDS_SLIDER_LOW = "0.5";
inline constexpr const char* IDS_SLIDER_HIGH = "5";
inline constexpr const char* IDS_SLIDER_HOURS = KH_TEXT("Keyhaven", "Hours");
inline constexpr const char* IDS_LOCK_ON_SCREEN_LOCK =
    KH_TEXT("Keyhaven", "Lock when the screen &locks");
inline constexpr const char* IDS_CLIPBOARD_CLEAR = KH_TEXT("Keyhaven", "Clear the clipboard after");
inline constexpr const char* IDS_CLIPBOARD_NEVER = KH_TEXT("Keyhaven", "Never");
inline constexpr SCountText IDS_SECONDS_FORMAT = KH_COUNT("Keyhaven", "%n seconds", "%n second");
inline constexpr const char* IDS_HOTKEY_GROUP = KH_TEXT("Keyhaven", "Hot Key");
inline constexpr const char* IDS_HOTKEY_HINT =
    KH_TEXT("Keyhaven", "Activate the text box and press desired key combination");
inline constexpr const char* IDS_HOTKEY_NOTE =
    KH_TEXT("Keyhaven", "Note: If you choose to hide system tray icon,  you must use a HOT KEY.");
inline constexpr const char* IDS_HIDE_TRAY = KH_TEXT("Keyhaven", "&Hide system tray icon");
inline constexpr const char* IDS_HOTKEY_NEEDED =
    KH_TEXT("Keyhaven", "Before you choose to hide the system tray icon, "
                        "you must set a hot key to recall the program."); // 61231
inline constexpr const char* IDS_HOTKEY_UNAVAILABLE =
    KH_TEXT("Keyhaven",
            "This desktop offers no global hot key (neither an X server nor the desktop portal's "
            "global shortcuts), so a key set here would never work.");
inline constexpr const char* IDS_HOTKEY_NO_WAY_BACK = KH_TEXT(
    "Keyhaven", "This desktop offers no global hot key, so the system tray icon is the only way "
                "back to the program and cannot be hidden.");
inline constexpr const char* IDS_ONTOP_UNAVAILABLE = KH_TEXT(
    "Keyhaven", "Always on Top is not available on Wayland: the compositor alone decides which "
                "window stays above the others.");
inline constexpr const char* IDS_GEN_UPPER = KH_TEXT("Keyhaven", "&Uppercase");
inline constexpr const char* IDS_GEN_LOWER = KH_TEXT("Keyhaven", "&Lowcase");
inline constexpr const char* IDS_GEN_DIGITS = KH_TEXT("Keyhaven", "&Numbers");
inline constexpr const char* IDS_GEN_SPECIAL = KH_TEXT("Keyhaven", "&Special");
inline constexpr const char* IDS_GEN_SPACE = KH_TEXT("Keyhaven", "S&pace");
inline constexpr const char* IDS_GEN_RANGE = KH_TEXT("Keyhaven", "&Range");
inline constexpr const char* IDS_GEN_SPECIFY = KH_TEXT("Keyhaven", "Speci&fy");
inline constexpr const char* IDS_GEN_LETTERS = KH_TEXT("Keyhaven", "Letters");
inline constexpr const char* IDS_GEN_LENGTH = KH_TEXT("Keyhaven", "Length");
inline constexpr const char* IDS_GEN_TO = KH_TEXT("Keyhaven", "to");
inline constexpr const char* IDS_GEN_COPY_TIP = KH_TEXT("Keyhaven", "Copy");
inline constexpr const char* IDS_GEN_CLEAR_TIP = KH_TEXT("Keyhaven", "Clear");
inline constexpr const char* IDS_GEN_RESULT = KH_TEXT("Keyhaven", "Generated password");
inline constexpr const char* IDS_LENGTH_AT_LEAST_ONE =
    KH_TEXT("Keyhaven", "Your Password length at least is 1."); // 61218
inline constexpr const char* IDS_MINIMIZE_CHOICES[] = {KH_TEXT("Keyhaven", "Minimize"),
                                                       KH_TEXT("Keyhaven", "Lock")};
inline constexpr const char* IDS_CLOSE_CHOICES[] = {
    KH_TEXT("Keyhaven", "Exit"), KH_TEXT("Keyhaven", "Minimize"), KH_TEXT("Keyhaven", "Lock")};
inline constexpr const char* IDS_MINIMIZE_BUTTON = KH_TEXT("Keyhaven", "Minimize button");
inline constexpr const char* IDS_CLOSE_BUTTON = KH_TEXT("Keyhaven", "Close button");
inline constexpr const char* IDS_CONFIRM_DELETE_ACCOUNT_BOX =
    KH_TEXT("Keyhaven", "Show confirm dialog before deleting account");
inline constexpr const char* IDS_CONFIRM_DELETE_GROUP =
    KH_TEXT("Keyhaven", "Confirm deleting group");

// --- folder check ---
inline constexpr const char* IDS_FOLDER_CREATE_QUESTION = KH_TEXT(
    "Keyhaven", "The folder:\n\n%s\n\ndoes not exist. Do you want the folder to be created?");
inline constexpr const char* IDS_FOLDER_INVALID =
    KH_TEXT("Keyhaven", "The folder:\n\n%s\n\nis invalid. Please reenter.");
inline constexpr const char* IDS_FOLDER_NOT_CREATED =
    KH_TEXT("Keyhaven", "The folder:\n\n%s\n\ncan not be created. Please double check.");

// --- links ---
// %1 is the reason.
inline constexpr const char* IDS_LINK_UNABLE =
    KH_TEXT("Keyhaven", "Unable to open hyperlink:\n\n%1");
inline constexpr const char* IDS_LINK_OUT_OF_MEMORY =
    KH_TEXT("Keyhaven", "The operating system is out\nof memory or resources.");
inline constexpr const char* IDS_LINK_FILE_NOT_FOUND =
    KH_TEXT("Keyhaven", "The specified file was not found.");
inline constexpr const char* IDS_LINK_PATH_NOT_FOUND =
    KH_TEXT("Keyhaven", "The specified path was not found.");
inline constexpr const char* IDS_LINK_ACCESS_DENIED =
    KH_TEXT("Keyhaven", "The operating system denied\naccess to the specified file.");
inline constexpr const char* IDS_LINK_NO_MEMORY =
    KH_TEXT("Keyhaven", "There was not enough memory to complete the operation.");
inline constexpr const char* IDS_LINK_BAD_FORMAT =
    KH_TEXT("Keyhaven", "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).");
inline constexpr const char* IDS_LINK_SHARE = KH_TEXT("Keyhaven", "A sharing violation occurred. ");
inline constexpr const char* IDS_LINK_ASSOC_INCOMPLETE =
    KH_TEXT("Keyhaven", "The filename association is\nincomplete or invalid.");
inline constexpr const char* IDS_LINK_DDE_TIMEOUT = KH_TEXT(
    "Keyhaven", "The DDE transaction could not\nbe completed because the request timed out.");
inline constexpr const char* IDS_LINK_DDE_FAIL = KH_TEXT("Keyhaven", "The DDE transaction failed.");
inline constexpr const char* IDS_LINK_DDE_BUSY = KH_TEXT(
    "Keyhaven",
    "The DDE transaction could not\nbe completed because other DDE transactions\nwere being "
    "processed.");
inline constexpr const char* IDS_LINK_NO_ASSOC =
    KH_TEXT("Keyhaven", "There is no application associated\nwith the given filename extension.");
inline constexpr const char* IDS_LINK_DLL_NOT_FOUND =
    KH_TEXT("Keyhaven", "The specified dynamic-link library was not found.");
inline constexpr const char* IDS_LINK_UNKNOWN = KH_TEXT("Keyhaven", "Unknown Error (%d) occurred.");
