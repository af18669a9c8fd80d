// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

// A database's groups nest: a group's name is its path, the names from the
// top down joined by "/". In the flat files a "/" is only a character, and
// these rules are not applied to them.

// Whether strPath names a group somewhere below strAncestor.
bool IsInsideGroup(std::string_view strPath, std::string_view strAncestor);

// What a group shows below strParent, one of the groups it is inside: the
// rest of its path after "strParent/". Any other path shows whole.
std::string_view GroupLabelBelow(std::string_view strPath, std::string_view strParent);
