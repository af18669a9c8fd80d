// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

// What the idle exit does with the open file. The program ends without a
// question, but never at the cost of changes not yet saved: a modified file
// that has a place on disk is saved first (as Save does, backup included);
// when it has none, or the save fails, the program locks instead of ending.
enum class EAutoExitEnd { exit, lock };

// fnSave is called only for a modified document with a file, and says
// whether the save succeeded.
EAutoExitEnd DecideAutoExit(bool bModified, bool bHasFile, const std::function<bool()>& fnSave);
