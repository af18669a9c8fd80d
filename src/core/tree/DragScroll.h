// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The tree scrolls while a drag lingers near its top or bottom edge. Its
// timer ticks every SCROLL_TICK_MS; the zone starts SCROLL_ZONE pixels
// inside the edge, and every 20 pixels further out scrolls one tick sooner,
// from every 6th tick (450 ms) down to every tick (75 ms).
inline constexpr int SCROLL_TICK_MS = 75;
inline constexpr int SCROLL_ZONE = 10;

// The number of ticks between two one-line scrolls for a cursor nPastZone
// pixels beyond the start of the zone (0 at its inner border).
int ScrollIntervalTicks(int nPastZone);
