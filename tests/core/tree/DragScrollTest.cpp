// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/tree/DragScroll.h"

#include <gtest/gtest.h>

TEST(DragScroll, ScrollsSlowlyAtTheZoneAndEveryTickFarOut) {
    // Just inside the zone: every 6th tick, 450 ms.
    EXPECT_EQ(ScrollIntervalTicks(0) * SCROLL_TICK_MS, 450);
    EXPECT_EQ(ScrollIntervalTicks(19), 6);
    // One tick sooner for every 20 pixels further out.
    EXPECT_EQ(ScrollIntervalTicks(20), 5);
    EXPECT_EQ(ScrollIntervalTicks(59), 4);
    EXPECT_EQ(ScrollIntervalTicks(80), 2);
    // 100 pixels and more beyond the zone's start: every tick, 75 ms.
    EXPECT_EQ(ScrollIntervalTicks(100) * SCROLL_TICK_MS, 75);
    EXPECT_EQ(ScrollIntervalTicks(5000), 1);
}
