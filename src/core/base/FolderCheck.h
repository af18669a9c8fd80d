// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class CFolderSystem;
class CPrompts;

// The backup folder's check. A valid folder path is absolute: it begins with
// "/" and its components, separated by single "/", pass IsValidFolderName;
// "/" alone is the root. No trailing "/" and no empty component.

// Results of CheckFolderPath.
inline constexpr int FOLDER_VALID = 0;
inline constexpr int FOLDER_INVALID = 1;
inline constexpr int FOLDER_NOT_CREATED = 2;
// EnsureFolder also answers this when the user declines the creation.
inline constexpr int FOLDER_DECLINED = -1;

// One path component: not empty, not "." or "..", neither beginning nor
// ending with a tab or a blank, not ending with a full stop (a leading one
// makes a hidden folder, which is fine), and none of " * / : < > ? \ |.
bool IsValidFolderName(const std::string& strName);

// With bCreate false only the syntax is checked. With bCreate true every
// missing level is created, from the root down, and the result is
// FOLDER_NOT_CREATED as soon as one level does not exist afterwards.
int CheckFolderPath(const std::string& strPath, bool bCreate, CFolderSystem& folders);

// Checks strPath (UTF-8), asks before creating a missing folder, and shows
// the message for an invalid path or a failed creation. Returns
// FOLDER_VALID when the folder exists (perhaps just created),
// FOLDER_DECLINED when the user said No, else FOLDER_INVALID or
// FOLDER_NOT_CREATED.
int EnsureFolder(const std::string& strPath, CPrompts& prompts, CFolderSystem& folders);
