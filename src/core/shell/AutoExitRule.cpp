// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/shell/AutoExitRule.h"

EAutoExitEnd DecideAutoExit(bool bModified, bool bHasFile, const std::function<bool()>& fnSave) {
    if (!bModified)
        return EAutoExitEnd::exit;
    if (!bHasFile)
        return EAutoExitEnd::lock;
    return fnSave() ? EAutoExitEnd::exit : EAutoExitEnd::lock;
}
