// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// The entry that starts the program at logon, hidden in the tray and locked:
// an XDG autostart desktop file, $XDG_CONFIG_HOME/autostart/keyhaven.desktop
// (~/.config/autostart when XDG_CONFIG_HOME is unset), whose Exec line is the
// program path followed by " -w". It exists exactly while "WinStart" is 1.
// Failures leave the entry as it was; the functions report them so that
// callers may, but the program itself ignores them.

// The full path of the desktop file.
std::string AutostartFilePath();

// The program path as one argument of an Exec line, quoted and escaped when
// it holds blanks or characters that are reserved there, then " -w".
std::string AutostartExecLine(const std::string& strProgramPath);

// The whole desktop file for the program at strProgramPath.
std::string AutostartFileText(const std::string& strProgramPath);

bool WriteAutostartEntry(const std::string& strProgramPath);
// Removing an entry that does not exist succeeds.
bool RemoveAutostartEntry();
bool HasAutostartEntry();

// Writes or removes the entry to match "WinStart".
bool ApplyWinStart(bool bWinStart, const std::string& strProgramPath);

// The running program's own file ("" when it cannot be found).
std::string CurrentProgramPath();
