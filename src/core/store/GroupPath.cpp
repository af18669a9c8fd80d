// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/store/GroupPath.h"

bool IsInsideGroup(std::string_view strPath, std::string_view strAncestor) {
    return strPath.size() > strAncestor.size() + 1 && strPath.starts_with(strAncestor) &&
           strPath[strAncestor.size()] == '/';
}

std::string_view GroupLabelBelow(std::string_view strPath, std::string_view strParent) {
    return IsInsideGroup(strPath, strParent) ? strPath.substr(strParent.size() + 1) : strPath;
}
