// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include "core/layout/LayoutControl.h"
#include "core/layout/LayoutNode.h"

// A layout node for one control of the window, or for an empty gap when it
// has no control.
class CLayoutItem : public CLayoutNode {
public:
    CLayoutItem(CLayoutManager* pManager, std::shared_ptr<CLayoutControl> pControl, unsigned nMode,
                int nWidth, int nHeight, int nMinWidth, int nMinHeight);

    int GetConstrainHorz(int nParent) const override;
    int GetConstrainVert(int nParent) const override;
    int GetMinWidth() const override;
    int GetMaxWidth() const override;
    int GetMinHeight() const override;
    int GetMaxHeight() const override;
    void ResizeTo(const CLayoutRect& rc) override;

    const std::shared_ptr<CLayoutControl>& GetControl() const { return m_pControl; }
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }

    // No control is ever made smaller than this, whatever minimum it asks for.
    static constexpr int MIN_ITEM_SIZE = 5;

private:
    // The part of the cell [nStart, nEnd) a fixed-size control of nSize takes.
    static void PlaceFixed(int& nStart, int& nEnd, int nSize, unsigned nAlign, unsigned nLow,
                           unsigned nHigh);

    std::shared_ptr<CLayoutControl> m_pControl;
    int m_nWidth;
    int m_nHeight;
    int m_nMinWidth;
    int m_nMinHeight;
};
