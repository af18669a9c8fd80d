// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A width and a height in pixels.
struct CLayoutSize {
    int cx = 0;
    int cy = 0;

    friend bool operator==(const CLayoutSize&, const CLayoutSize&) = default;
};
