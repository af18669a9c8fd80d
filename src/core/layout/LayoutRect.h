// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A rectangle in pixels; right and bottom lie just outside it, so an empty
// rectangle has right == left.
struct CLayoutRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }

    friend bool operator==(const CLayoutRect&, const CLayoutRect&) = default;
};
