// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/shell/BarSnap.h"

#include <cstdlib>

SBarSnap SnapToEdges(int nLeft, int nTop, int nRight, int nScreenWidth) {
    SBarSnap snap{nLeft, nTop};
    if (nLeft < SNAP_NEAR)
        snap.m_nX = 0;
    if (nTop < SNAP_NEAR)
        snap.m_nY = 0;
    // Checked last, so a bar as wide as the screen ends flush right.
    if (std::abs(nScreenWidth - nRight) < SNAP_RIGHT)
        snap.m_nX = nScreenWidth - (nRight - nLeft);
    return snap;
}
