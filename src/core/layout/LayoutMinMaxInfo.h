// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/layout/LayoutSize.h"

// The size limits of a frame window: how small it may be dragged, and how
// large it may be dragged or maximised. The caller fills in its own limits;
// the layout changes only those it has a say in.
struct CLayoutMinMaxInfo {
    CLayoutSize ptMinTrackSize;
    CLayoutSize ptMaxTrackSize;
    CLayoutSize ptMaxSize;
};
