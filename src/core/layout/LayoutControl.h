// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/layout/LayoutRect.h"
#include "core/layout/LayoutSize.h"

// A child control of the laid-out window as the layout engine sees it. The
// engine never knows the toolkit: each window adapter wraps its widgets in
// this interface.
class CLayoutControl {
public:
    virtual ~CLayoutControl() = default;

    virtual int GetId() const = 0;
    virtual bool IsVisible() const = 0;
    // The size the control has now; a layout item asked for "the control's
    // own size" (a width, height or minimum left open) takes this.
    virtual CLayoutSize GetCurrentSize() const = 0;
    // Moves and sizes the control to rc (window client coordinates) and
    // repaints it.
    virtual void MoveTo(const CLayoutRect& rc) = 0;
};
