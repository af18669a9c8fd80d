// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/layout/LayoutItem.h"

#include <algorithm>
#include <utility>

CLayoutItem::CLayoutItem(CLayoutManager* pManager, std::shared_ptr<CLayoutControl> pControl,
                         unsigned nMode, int nWidth, int nHeight, int nMinWidth, int nMinHeight)
    : CLayoutNode(pManager, nMode), m_pControl(std::move(pControl)), m_nWidth(nWidth),
      m_nHeight(nHeight), m_nMinWidth(nMinWidth), m_nMinHeight(nMinHeight) {}

int CLayoutItem::GetConstrainHorz(int nParent) const {
    if (m_nMode & LAY_FIXED_HORZ)
        return m_nWidth;
    if (m_nMode & LAY_PERCENT_HORZ)
        return static_cast<int>(static_cast<long long>(nParent) * m_nWidth / 100);
    return -1;
}

int CLayoutItem::GetConstrainVert(int nParent) const {
    if (m_nMode & LAY_FIXED_VERT)
        return m_nHeight;
    if (m_nMode & LAY_PERCENT_VERT)
        return static_cast<int>(static_cast<long long>(nParent) * m_nHeight / 100);
    return -1;
}

int CLayoutItem::GetMinWidth() const {
    if (m_nMode & LAY_FIXED_HORZ)
        return m_nWidth;
    return std::max(m_nMinWidth, MIN_ITEM_SIZE);
}

int CLayoutItem::GetMaxWidth() const {
    return (m_nMode & LAY_FIXED_HORZ) ? m_nWidth : LAY_NO_LIMIT;
}

int CLayoutItem::GetMinHeight() const {
    if (m_nMode & LAY_FIXED_VERT)
        return m_nHeight;
    return std::max(m_nMinHeight, MIN_ITEM_SIZE);
}

int CLayoutItem::GetMaxHeight() const {
    return (m_nMode & LAY_FIXED_VERT) ? m_nHeight : LAY_NO_LIMIT;
}

void CLayoutItem::PlaceFixed(int& nStart, int& nEnd, int nSize, unsigned nAlign, unsigned nLow,
                             unsigned nHigh) {
    if (nAlign == (nLow | nHigh))
        nStart += (nEnd - nStart - nSize) / 2;
    else if (nAlign == nHigh)
        nStart = nEnd - nSize;
    nEnd = nStart + nSize;
}

void CLayoutItem::ResizeTo(const CLayoutRect& rc) {
    if (!m_pControl)
        return;
    // A fixed control keeps the item's fixed size inside its cell. That size
    // is the control's own unless the layout was built with another one (the
    // tree's splitter width), and the pane reserved exactly that much.
    CLayoutRect rcControl = rc;
    if ((m_nMode & LAY_FIXED_HORZ) && !(m_nMode & LAY_FILL_HORZ))
        PlaceFixed(rcControl.left, rcControl.right, m_nWidth, m_nMode & LAY_ALIGN_HCENTER,
                   LAY_ALIGN_LEFT, LAY_ALIGN_RIGHT);
    if ((m_nMode & LAY_FIXED_VERT) && !(m_nMode & LAY_FILL_VERT))
        PlaceFixed(rcControl.top, rcControl.bottom, m_nHeight, m_nMode & LAY_ALIGN_VCENTER,
                   LAY_ALIGN_TOP, LAY_ALIGN_BOTTOM);
    m_pControl->MoveTo(rcControl);
}
