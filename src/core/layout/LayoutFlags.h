// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// How a layout node sizes itself along each axis. The flags form a bit set;
// 0 means greedy on both axes (the node shares the free space).
inline constexpr unsigned LAY_GREEDY = 0x000;
inline constexpr unsigned LAY_FIXED_HORZ = 0x001;
inline constexpr unsigned LAY_PERCENT_HORZ = 0x002;
inline constexpr unsigned LAY_FIXED_VERT = 0x004;
inline constexpr unsigned LAY_PERCENT_VERT = 0x008;
// Where a fixed-size item sits in a larger cell; both bits of an axis centre it.
inline constexpr unsigned LAY_ALIGN_LEFT = 0x010;
inline constexpr unsigned LAY_ALIGN_RIGHT = 0x020;
inline constexpr unsigned LAY_ALIGN_HCENTER = LAY_ALIGN_LEFT | LAY_ALIGN_RIGHT;
inline constexpr unsigned LAY_ALIGN_TOP = 0x040;
inline constexpr unsigned LAY_ALIGN_BOTTOM = 0x080;
inline constexpr unsigned LAY_ALIGN_VCENTER = LAY_ALIGN_TOP | LAY_ALIGN_BOTTOM;
// A fixed-size item that still stretches to its cell and takes leftover space.
inline constexpr unsigned LAY_FILL_HORZ = 0x100;
inline constexpr unsigned LAY_FILL_VERT = 0x200;

// An item kept at its natural size on both axes.
inline constexpr unsigned LAY_FIXED = LAY_FIXED_HORZ | LAY_FIXED_VERT;

// Orientation of a pane: children side by side, or stacked.
inline constexpr int LAY_HORIZONTAL = 0;
inline constexpr int LAY_VERTICAL = 1;

// A maximum size of this value means that there is no limit.
inline constexpr int LAY_NO_LIMIT = -1;
