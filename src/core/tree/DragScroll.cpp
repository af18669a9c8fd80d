// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/tree/DragScroll.h"

#include <algorithm>

int ScrollIntervalTicks(int nPastZone) {
    return std::max(1, 6 - std::max(0, nPastZone) / 20);
}
