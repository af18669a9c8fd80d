// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The browser fallback of the link launcher works on command lines taken from
// $BROWSER or from the default browser's desktop entry. These functions hold
// the rules for turning such a command line and a link target into a program
// to start; they touch no process and no window.

// A launch result above this value means the target was opened.
inline constexpr int LINK_FAILURE_MAX = 32;
// The result the launcher gives for a target it opened.
inline constexpr int LINK_OPENED = 33;
// No program takes the target (nothing opened it, no browser is known).
inline constexpr int LINK_ERR_NOASSOC = 31;
// A browser command was found but its program could not be started.
inline constexpr int LINK_ERR_FILE_NOT_FOUND = 2;

// Cuts the command line at its argument mark: at the first quoted argument mark
// ("%1", '%1', "%s", "%u", "%U", "%f" or "%F" in double or single quotes) if
// there is one, otherwise at the first bare argument mark ("%%" is an escaped
// percent sign, never an argument mark). Without any argument mark the command line
// is returned whole. Everything from the cut on is dropped.
std::string CutAtArgumentMark(std::string_view strCommand);

// The command line as text: the cut command line, one blank and the target.
std::string BrowserCommandLine(std::string_view strCommand, std::string_view strTarget);

// Splits a command line into arguments with the quoting of desktop entries and
// shells: blanks and tabs separate; double quotes group and inside them a
// backslash escapes '"', '`', '$' and '\'; single quotes group literally;
// outside quotes a backslash escapes the next character. "%%" becomes "%", and
// an argument that is only one of the desktop entry's other field codes (%i,
// %c, %k and the deprecated %d %D %n %N %v %m) is dropped, since the launcher
// has nothing to put there. Unbalanced quotes give no result.
std::optional<std::vector<std::string>> SplitCommandLine(std::string_view strCommand);

// The arguments of the program that opens the target: the cut command line
// split into words, then the target as one more argument of its own (never
// split or re-read, whatever blanks or quotes it holds). Empty when the
// command line names no program or cannot be split.
std::vector<std::string> BrowserArguments(std::string_view strCommand, std::string_view strTarget);

// $BROWSER may hold several commands separated by colons, tried in turn.
// Empty entries are skipped.
std::vector<std::string> SplitBrowserVariable(std::string_view strBrowser);

// The message of a failed launch, without the leading "Unable to open
// hyperlink:" part.
std::string LinkErrorText(int nCode);

// The full text shown for a failed launch.
std::string LinkErrorMessage(int nCode);
