// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/layout/LayoutRect.h"

#include <optional>

// The window rectangle saved in the settings, made safe to apply: the
// settings file is the user's to edit, and a rectangle far off the screen or
// millions of pixels wide would leave the window unreachable or make the
// program allocate gigabytes for its pixels. A rectangle larger than the
// available area is shrunk to it, one beyond it is moved onto it; an empty or
// inverted one (or an empty area) gives none, and the window keeps its
// default place.
std::optional<CLayoutRect> FitPlacement(const CLayoutRect& saved, const CLayoutRect& available);
