// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

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
// The live filter's field above the tree.
inline constexpr int IDC_FILTER = 1197;
inline constexpr const char* IDS_FILTER_NAME = "Filter";

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

inline constexpr const char* IDS_LINK_NONE = "none";
inline constexpr const char* IDS_COPY_USERNAME_TIP = "Copy / Drag User Name";
inline constexpr const char* IDS_COPY_PASSWORD_TIP = "Copy / Drag Password";
inline constexpr const char* IDS_MASKED_PASSWORD = "************";
inline constexpr const char* IDS_CONFIRM_DELETE_ACCOUNT =
    "Do you really intend to delete the account\n";
inline constexpr const char* IDS_MAILTO = "mailto:";
inline constexpr const char* IDS_CANT_FIND = "Can't find account which contains ";

// Context menu texts, by menu.
inline constexpr const char* IDS_TREE_ACCOUNT_EDIT = "&Edit...";
inline constexpr const char* IDS_TREE_ACCOUNT_DELETE = "&Delete";
inline constexpr const char* IDS_TREE_ACCOUNT_ADD = "&Add Account...";
inline constexpr const char* IDS_TREE_GROUP_EDIT = "&Edit...";
inline constexpr const char* IDS_TREE_GROUP_DELETE = "&Delete";
inline constexpr const char* IDS_TREE_GROUP_ADDGROUP = "Add &Group...";
inline constexpr const char* IDS_TREE_GROUP_ADDACCOUNT = "Add Account...";
inline constexpr const char* IDS_TREE_FILE_ADDGROUP = "Add &Group...";
inline constexpr const char* IDS_TREE_FILE_PROPERTIES = "P&roperties";
