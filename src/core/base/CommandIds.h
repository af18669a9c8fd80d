// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Command ids shared by menus, toolbar buttons, accelerators, context menus
// and tests. The numbers are the program's own and never change.

// --- resources that share the main frame's number ---
inline constexpr int IDR_MAINFRAME = 128;        // main menu, toolbar, accelerators, program icon
inline constexpr int IDR_TRAY = 143;             // tray menu and the tray icon's id
inline constexpr int IDR_TOOLBAR_DROPDOWN = 303; // the Add Account button's drop-down menu
inline constexpr int IDD_ABOUTBOX = 100;
inline constexpr int IDD_SEARCHBAR = 103;
inline constexpr int IDI_TRAY = 240;
inline constexpr int IDI_TRAY_LOCKED = 358;
inline constexpr int IDI_OK = 222;
inline constexpr int IDI_CANCEL = 279;
inline constexpr int IDB_PIN_ON = 408;
inline constexpr int IDB_PIN_OFF = 409;

// --- File menu ---
inline constexpr int ID_FILE_NEW = 57600;
inline constexpr int ID_FILE_OPEN = 57601;
inline constexpr int ID_FILE_CLOSE = 57602;
inline constexpr int ID_FILE_SAVE = 57603;
inline constexpr int ID_FILE_SAVE_AS = 57604;
inline constexpr int ID_FILE_PRINT = 32954;
inline constexpr int ID_FILE_EXPORT = 32947;
inline constexpr int ID_FILE_IMPORT = 32990;
inline constexpr int ID_FILE_PROPERTY = 32782;
inline constexpr int ID_FILE_PROPERTY_CONTEXT = 32965; // the same command from a context menu
inline constexpr int ID_FILE_MRU_FILE1 = 57616;
inline constexpr int ID_FILE_MRU_FILE2 = 57617;
inline constexpr int ID_FILE_MRU_FILE3 = 57618;
inline constexpr int ID_FILE_MRU_FILE4 = 57619;
inline constexpr int ID_RECENT_ADDHERE = 32852;
inline constexpr int ID_RECENT_CLEAR = 32851;
inline constexpr int ID_APP_EXIT = 57665;

// --- Edit menu ---
inline constexpr int ID_ACCOUNT_ADD = 32785;
inline constexpr int ID_GROUP_ADD = 32955;
inline constexpr int ID_ITEM_EDIT = 32956;
inline constexpr int ID_ITEM_DELETE = 32957;
inline constexpr int ID_EDIT_COPY_PASSWORD = 32995; // the selected account's fields
inline constexpr int ID_EDIT_COPY_USERNAME = 32996;
inline constexpr int ID_EDIT_COPY_NAME = 32997; // the selected group's or account's name

// --- View menu ---
inline constexpr int ID_VIEW_TOOLBAR = 59392;    // also the toolbar's own id
inline constexpr int ID_VIEW_STATUS_BAR = 59393; // also the status bar's own id
inline constexpr int ID_VIEW_SEARCHBAR = 32929;  // also the search bar and its "Hide" button
inline constexpr int ID_VIEW_PASSWORDBAR = 32906;
inline constexpr int ID_VIEW_ONTOP = 32772;
inline constexpr int IDM_ONTOP = 4112; // the window-level always-on-top item (the caption pin)

// --- Tools menu ---
inline constexpr int ID_TOOLS_CHANGEKEY = 32780;
inline constexpr int ID_TOOLS_MASK = 32895;
inline constexpr int ID_TOOLS_LOCK = 32916;
inline constexpr int ID_TOOLS_OPTIONS = 32898;
inline constexpr int ID_TOOLS_HEALTH = 32994;

// --- Help menu ---
inline constexpr int ID_HELP_CONTENTS = 32799;
inline constexpr int ID_HELP_WEBSITE = 32856;
inline constexpr int ID_HELP_SUPPORT = 32857;
inline constexpr int ID_APP_ABOUT = 57664;

// --- tray menu ---
inline constexpr int ID_TRAY_MAINWINDOW = 32779;
inline constexpr int ID_TRAY_PASSWORDBAR = 32909;
inline constexpr int ID_TRAY_LOCK = 32959;
inline constexpr int ID_TRAY_EXIT = 32773;

// --- accelerators without a menu item ---
inline constexpr int ID_EDIT_COPY = 57634;
inline constexpr int ID_EDIT_CUT = 57635;
inline constexpr int ID_EDIT_PASTE = 57637;
inline constexpr int ID_EDIT_UNDO = 57643;
inline constexpr int ID_NEXT_PANE = 57680;
inline constexpr int ID_PREV_PANE = 57681;

// --- status bar panes ---
inline constexpr int ID_SEPARATOR = 0; // the prompt pane
inline constexpr int ID_INDICATOR_GROUPS = 61204;
inline constexpr int ID_INDICATOR_ACCOUNTS = 61205;

// --- search bar controls ---
inline constexpr int IDC_SEARCH_EDIT = 1168;
inline constexpr int IDC_FIND_NEXT = 1169;
inline constexpr int IDC_MATCH_WORD = 1176;
inline constexpr int IDC_MATCH_CASE = 1177;

// --- About box controls ---
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDC_LINK_SUPPORT = 1062;
inline constexpr int IDC_LINK_WEBSITE = 1063;
