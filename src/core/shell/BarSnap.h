// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The Password Bar's pull to the screen's edges while it is moved by its
// grip: flush left when its left edge comes within SNAP_NEAR of the screen's
// left, flush top likewise, and flush right when its right edge lies within
// SNAP_RIGHT of the screen's right on either side. There is no pull to the
// bottom.
struct SBarSnap {
    int m_nX = 0;
    int m_nY = 0;
};

inline constexpr int SNAP_NEAR = 15;
inline constexpr int SNAP_RIGHT = 40;

// Where a bar whose window spans nLeft..nRight (right edge exclusive) at nTop
// goes on a screen nScreenWidth wide.
SBarSnap SnapToEdges(int nLeft, int nTop, int nRight, int nScreenWidth);
