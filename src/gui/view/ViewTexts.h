// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/Translation.h"

// Texts and ids of the main view.

inline constexpr int IDC_TREE = 1165;
inline constexpr int IDC_USERNAME_LABEL = 1174;
inline constexpr int IDC_USERNAME = 1004;
inline constexpr int IDC_COPY_USERNAME = 1020;
inline constexpr int IDC_PASSWORD_LABEL = 1173;
inline constexpr int IDC_PASSWORD = 1002;
inline constexpr int IDC_COPY_PASSWORD = 1021;
inline constexpr int IDC_COMMENTS_LABEL = 1172;
inline constexpr int IDC_COMMENTS = 1005;
inline constexpr int IDC_WEBSITE = 1151;
inline constexpr int IDC_EMAIL = 1153;
inline constexpr int IDC_SPACER = 1198;
// The one-time code of a database's account.
inline constexpr int IDC_OTP_LABEL = 1192;
inline constexpr int IDC_OTP = 1193;
inline constexpr int IDC_COPY_OTP = 1194;
inline constexpr const char* IDS_OTP_LABEL = KH_TEXT("Keyhaven", "One-Time Code");
inline constexpr const char* IDS_COPY_OTP_TIP = KH_TEXT("Keyhaven", "Copy / Drag One-Time Code");
// The code, then the seconds until it changes.
inline constexpr const char* IDS_OTP_SHOWN = KH_TEXT("Keyhaven", "%1    (%2 s left)");
// A database entry's further fields.
inline constexpr int IDC_FIELDS_LABEL = 1190;
inline constexpr int IDC_FIELDS = 1191;
inline constexpr const char* IDS_FIELDS_LABEL = KH_TEXT("Keyhaven", "Further Fields");
inline constexpr const char* IDS_FIELD_NAME = KH_TEXT("Keyhaven", "Name");
inline constexpr const char* IDS_FIELD_VALUE = KH_TEXT("Keyhaven", "Value");
inline constexpr const char* IDS_FIELD_COPY_TIP =
    KH_TEXT("Keyhaven", "Double-click or press Enter to copy a value");
// The live filter's field above the tree.
inline constexpr int IDC_FILTER = 1197;
inline constexpr const char* IDS_FILTER_NAME = KH_TEXT("Keyhaven", "Filter");
// The selected account's name above its details.
inline constexpr int IDC_ACCOUNT_NAME = 1196;
// What the view offers while no file is open.
inline constexpr int IDC_START_HINT = 1195;
inline constexpr const char* IDS_START_HINT_TITLE =
    KH_TEXT("Keyhaven", "No password file is open.");
inline constexpr const char* IDS_START_HINT_NEW = KH_TEXT("Keyhaven", "New File...");
inline constexpr const char* IDS_START_HINT_OPEN = KH_TEXT("Keyhaven", "Open...");
inline constexpr const char* IDS_START_HINT_IMPORT =
    KH_TEXT("Keyhaven", "Import into a New File...");
inline constexpr const char* IDS_START_HINT_RECENT = KH_TEXT("Keyhaven", "Recent Files");

// Commands of the tree's context menus.
inline constexpr int ID_TREE_ACCOUNT_EDIT = 32962;
inline constexpr int ID_TREE_ACCOUNT_DELETE = 32961;
inline constexpr int ID_TREE_ACCOUNT_ADD = 32971;
inline constexpr int ID_TREE_GROUP_EDIT = 32969;
inline constexpr int ID_TREE_GROUP_DELETE = 32963;
inline constexpr int ID_TREE_GROUP_ADDGROUP = 32968;
inline constexpr int ID_TREE_GROUP_ADDACCOUNT = 32970;
inline constexpr int ID_TREE_FILE_ADDGROUP = 32964;

// The icons of the two copy-and-drag buttons.
inline constexpr int IDI_USERNAME = 355;
inline constexpr int IDI_PASSWORD = 356;

inline constexpr STextIn IDS_LINK_NONE = KH_TEXT_IN("Link", "none");
inline constexpr const char* IDS_COPY_USERNAME_TIP = KH_TEXT("Keyhaven", "Copy / Drag User Name");
inline constexpr const char* IDS_COPY_PASSWORD_TIP = KH_TEXT("Keyhaven", "Copy / Drag Password");
inline constexpr const char* IDS_MASKED_PASSWORD = "************";
inline constexpr const char* IDS_CONFIRM_DELETE_ACCOUNT =
    KH_TEXT("Keyhaven", "Do you really intend to delete the account\n%1?");
inline constexpr const char* IDS_MAILTO = "mailto:";
inline constexpr const char* IDS_CANT_FIND =
    KH_TEXT("Keyhaven", "Can't find account which contains \"%1\"");

// Context menu texts, by menu.
inline constexpr const char* IDS_TREE_ACCOUNT_EDIT = KH_TEXT("Keyhaven", "&Edit...");
inline constexpr const char* IDS_TREE_ACCOUNT_DELETE = KH_TEXT("Keyhaven", "&Delete");
inline constexpr const char* IDS_TREE_ACCOUNT_ADD = KH_TEXT("Keyhaven", "&Add Account...");
inline constexpr const char* IDS_TREE_GROUP_EDIT = KH_TEXT("Keyhaven", "&Edit...");
inline constexpr const char* IDS_TREE_GROUP_DELETE = KH_TEXT("Keyhaven", "&Delete");
inline constexpr const char* IDS_TREE_GROUP_ADDGROUP = KH_TEXT("Keyhaven", "Add &Group...");
inline constexpr const char* IDS_TREE_GROUP_ADDACCOUNT = KH_TEXT("Keyhaven", "Add Account...");
inline constexpr const char* IDS_TREE_FILE_ADDGROUP = KH_TEXT("Keyhaven", "Add &Group...");
inline constexpr const char* IDS_TREE_FILE_PROPERTIES = KH_TEXT("Keyhaven", "P&roperties");
