// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// The user's folders as the XDG base-directory rules name them. A variable
// that is unset, empty or relative is ignored, as the rules say. Paths carry
// no trailing "/".

// $HOME, or the home folder of the user's account entry.
std::string HomeFolder();
// $XDG_CONFIG_HOME, or ~/.config.
std::string ConfigHomeFolder();
// $XDG_DATA_HOME, or ~/.local/share.
std::string DataHomeFolder();
// Where backup copies go unless the user chose a folder: the program's own
// folder under the data home (the program's install folder is not writable).
std::string DefaultBackupFolder();
