// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/layout/LayoutManager.h"

#include <utility>

CLayoutManager::CLayoutManager(int nBorderX, int nBorderY)
    : m_nBorderX(nBorderX), m_nBorderY(nBorderY) {}

CLayoutManager::~CLayoutManager() = default;

CLayoutNodePtr CLayoutManager::CreateItem(int nId, unsigned nMode, int nWidth, int nHeight,
                                          int nMinWidth, int nMinHeight) {
    return CreateItem(FindControl(nId), nMode, nWidth, nHeight, nMinWidth, nMinHeight);
}

CLayoutNodePtr CLayoutManager::CreateItem(std::shared_ptr<CLayoutControl> pControl, unsigned nMode,
                                          int nWidth, int nHeight, int nMinWidth, int nMinHeight) {
    if (pControl) {
        const CLayoutSize size = pControl->GetCurrentSize();
        if (nWidth == 0)
            nWidth = size.cx;
        if (nHeight == 0)
            nHeight = size.cy;
        if (nMinWidth == -1)
            nMinWidth = size.cx;
        if (nMinHeight == -1)
            nMinHeight = size.cy;
    }
    return std::make_shared<CLayoutItem>(this, std::move(pControl), nMode, nWidth, nHeight,
                                         nMinWidth, nMinHeight);
}

CLayoutPanePtr CLayoutManager::CreatePane(int nOrientation, unsigned nMode, int nSpacing,
                                          int nMargin, int nSecondary) {
    return std::make_shared<CLayoutPane>(this, nOrientation, nMode, nSpacing, nMargin, nSecondary);
}

CLayoutPanePtr CLayoutManager::CreateRootPane(int nOrientation, int nMargin) {
    m_pRootPane.reset();
    m_pRootPane = CreatePane(nOrientation, LAY_GREEDY, 5, nMargin, 0);
    return m_pRootPane;
}

void CLayoutManager::SetRootPane(CLayoutPanePtr pPane) {
    m_pRootPane = std::move(pPane);
    UpdateLayout();
}

void CLayoutManager::UpdateLayout() {
    if (!m_pRootPane)
        return;
    CLayoutRect rc = GetLayoutRect();
    rc.left += m_nBorderX;
    rc.right -= m_nBorderX;
    rc.top += m_nBorderY;
    rc.bottom -= m_nBorderY;
    ApplyLayout(rc);
    InvalidateWindow();
}

void CLayoutManager::ApplyLayout(const CLayoutRect&) {}
