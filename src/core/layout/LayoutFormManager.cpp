// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/layout/LayoutFormManager.h"

void CLayoutFormManager::ApplyLayout(const CLayoutRect& rc) {
    if (m_pRootPane && rc.Width() > 0 && rc.Height() > 0)
        m_pRootPane->ResizeTo(rc);
}

void CLayoutFormManager::GetMinMaxInfo(CLayoutMinMaxInfo& info,
                                       const CLayoutSize& sizeOverhead) const {
    if (!m_pRootPane)
        return;
    const int nExtraX = sizeOverhead.cx + 2 * m_nBorderX;
    const int nExtraY = sizeOverhead.cy + 2 * m_nBorderY;
    info.ptMinTrackSize.cx = m_pRootPane->GetMinWidth() + nExtraX;
    info.ptMinTrackSize.cy = m_pRootPane->GetMinHeight() + nExtraY;
    const int nMaxWidth = m_pRootPane->GetMaxWidth();
    if (nMaxWidth != LAY_NO_LIMIT) {
        info.ptMaxTrackSize.cx = nMaxWidth + nExtraX;
        info.ptMaxSize.cx = nMaxWidth + nExtraX;
    }
    const int nMaxHeight = m_pRootPane->GetMaxHeight();
    if (nMaxHeight != LAY_NO_LIMIT) {
        info.ptMaxTrackSize.cy = nMaxHeight + nExtraY;
        info.ptMaxSize.cy = nMaxHeight + nExtraY;
    }
}
