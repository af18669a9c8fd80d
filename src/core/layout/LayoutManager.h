// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include "core/layout/LayoutControl.h"
#include "core/layout/LayoutItem.h"
#include "core/layout/LayoutPane.h"

// The layout of one window: builds items and panes for its controls, keeps
// the root pane and re-applies it to the window. A window adapter derives
// from it and answers the three questions about the window.
class CLayoutManager {
public:
    explicit CLayoutManager(int nBorderX = 5, int nBorderY = 5);
    virtual ~CLayoutManager();
    CLayoutManager(const CLayoutManager&) = delete;
    CLayoutManager& operator=(const CLayoutManager&) = delete;

    // An item for the control nId of the window. A width or height of 0
    // stands for the control's current size, and so does a minimum of -1.
    // Without such a control the numbers are used as they are (a gap).
    CLayoutNodePtr CreateItem(int nId, unsigned nMode = LAY_GREEDY, int nWidth = 0, int nHeight = 0,
                              int nMinWidth = -1, int nMinHeight = -1);
    // The same for a control the caller already holds (null: a gap).
    CLayoutNodePtr CreateItem(std::shared_ptr<CLayoutControl> pControl, unsigned nMode = LAY_GREEDY,
                              int nWidth = 0, int nHeight = 0, int nMinWidth = -1,
                              int nMinHeight = -1);
    CLayoutPanePtr CreatePane(int nOrientation, unsigned nMode = LAY_GREEDY, int nSpacing = 5,
                              int nMargin = 0, int nSecondary = 0);
    // Drops any previous root and makes a new one with spacing 5.
    CLayoutPanePtr CreateRootPane(int nOrientation, int nMargin = 0);
    // Makes pPane the root and lays the window out with it.
    void SetRootPane(CLayoutPanePtr pPane);
    const CLayoutPanePtr& GetRootPane() const { return m_pRootPane; }

    // Re-applies the root pane to the layout rectangle less the root borders.
    void UpdateLayout();
    // What laying out means for the kind of window; nothing by default.
    virtual void ApplyLayout(const CLayoutRect& rc);

    int GetBorderX() const { return m_nBorderX; }
    int GetBorderY() const { return m_nBorderY; }

protected:
    // The window's client rectangle.
    virtual CLayoutRect GetLayoutRect() const = 0;
    // The window's child control with this id, or null.
    virtual std::shared_ptr<CLayoutControl> FindControl(int nId) const = 0;
    // Asks for the whole window to be repainted, background included.
    virtual void InvalidateWindow() = 0;

    CLayoutPanePtr m_pRootPane;
    int m_nBorderX;
    int m_nBorderY;
};
