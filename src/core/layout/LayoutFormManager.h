// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/layout/LayoutManager.h"
#include "core/layout/LayoutMinMaxInfo.h"

// The layout of a form view: a child window that fills its frame's client
// area and is laid out to whatever size the frame gives it; it tells the
// frame how small (and how large) it may become.
class CLayoutFormManager : public CLayoutManager {
public:
    using CLayoutManager::CLayoutManager;

    // Resizes the root pane to rc. A rectangle without area (the view is
    // minimised or narrower than its borders) is not laid out.
    void ApplyLayout(const CLayoutRect& rc) override;

    // Sets the frame's limits from the root pane: its minimum plus the root
    // borders plus sizeOverhead (the frame's size minus the view's client
    // size) on each axis, and the same for the maximum on each axis where
    // the root has one. Without a root the limits stay as they are.
    void GetMinMaxInfo(CLayoutMinMaxInfo& info, const CLayoutSize& sizeOverhead) const;
};
