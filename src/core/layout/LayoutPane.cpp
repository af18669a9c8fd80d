// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/layout/LayoutPane.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace {

int MulDiv(int nValue, int nNumerator, int nDenominator) {
    return static_cast<int>(static_cast<long long>(nValue) * nNumerator / nDenominator);
}

// The work arrays of one ResizeTo call, one entry per child, along the
// pane's axis.
struct SAxisSizes {
    std::vector<int> vSize;
    std::vector<int> vMin;
    std::vector<int> vMax;
};

// Children that share space (the greedy ones, or the percentage ones) after
// each got its first share: those whose share fitted their limits, those held
// at their minimum, the space the held ones took beyond their shares (the
// deficit; negative when children held at their maximum left space over),
// and the sum of the fitting shares.
struct SSharing {
    std::vector<std::size_t> vFree;
    std::vector<std::size_t> vAtMin;
    int nDeficit = 0;
    int nTotal = 0;
};

// Gives child i its share, or holds it at the limit the share misses.
void TakeShare(SAxisSizes& sizes, SSharing& sharing, std::size_t i, int nShare) {
    if (nShare < sizes.vMin[i]) {
        sizes.vSize[i] = sizes.vMin[i];
        sharing.vAtMin.push_back(i);
        sharing.nDeficit += sizes.vMin[i] - nShare;
    } else if (sizes.vMax[i] != LAY_NO_LIMIT && nShare > sizes.vMax[i]) {
        sizes.vSize[i] = sizes.vMax[i];
        sharing.nDeficit += sizes.vMax[i] - nShare;
    } else {
        sizes.vSize[i] = nShare;
        sharing.vFree.push_back(i);
        sharing.nTotal += nShare;
    }
}

// One sweep over the fitting children, each giving up (or, for a negative
// deficit, taking) a part of the deficit in proportion to its size, within
// its limits. Returns whether any size changed; reduces the deficit by what
// was given and the running total by the limits reached.
bool SweepDeficit(SAxisSizes& sizes, SSharing& sharing) {
    const int nDeficit = sharing.nDeficit;
    int nGiven = 0;
    bool bChanged = false;
    for (std::size_t i : sharing.vFree) {
        // The running total falls by each limit reached and can run out in
        // the middle of a sweep; past that point a share has no meaning (and
        // a negative total would turn a shrinking sweep into growth).
        if (sharing.nTotal <= 0)
            break;
        const int nLeft = nDeficit - nGiven;
        if (nLeft == 0)
            break;
        int& nSize = sizes.vSize[i];
        const int nMin = sizes.vMin[i];
        const int nMax = sizes.vMax[i];
        int nTake = MulDiv(nSize, nDeficit, sharing.nTotal);
        bool bLast = false;
        if (std::abs(nDeficit) <= 5 || nTake == 0) {
            nTake = nDeficit;
            bLast = true;
        }
        // The total shrinks faster than the sizes it stands for, so the
        // proportional parts can add up to more than the deficit. Taking
        // more than is left would overshoot into the other direction, and
        // the sweeps could swing back and forth for ever.
        if (nDeficit > 0 ? nTake > nLeft : nTake < nLeft) {
            nTake = nLeft;
            bLast = true;
        }
        if (nSize - nTake < nMin) {
            bChanged = bChanged || nSize != nMin;
            nGiven += nSize - nMin;
            nSize = nMin;
            sharing.nTotal -= nMin;
        } else if (nMax != LAY_NO_LIMIT && nSize - nTake > nMax) {
            bChanged = bChanged || nSize != nMax;
            nGiven += nSize - nMax;
            nSize = nMax;
            sharing.nTotal -= nMax;
        } else {
            nGiven += nTake;
            nSize -= nTake;
            bChanged = true;
            if (bLast)
                break;
        }
    }
    sharing.nDeficit -= nGiven;
    return bChanged;
}

// What the proportional sweeps could not place once their running total ran
// out: each fitting child in turn gives what it has above its minimum, so the
// row runs past its pane only when every child is at its minimum.
void TakeRemainder(SAxisSizes& sizes, SSharing& sharing) {
    for (std::size_t i : sharing.vFree) {
        if (sharing.nDeficit <= 0)
            return;
        const int nTake = std::min(sharing.nDeficit, std::max(sizes.vSize[i] - sizes.vMin[i], 0));
        sizes.vSize[i] -= nTake;
        sharing.nDeficit -= nTake;
    }
}

// Evens out the deficit of a sharing: first from the fitting children, then
// space left over goes to the children held at their minimum, in order.
void SettleDeficit(SAxisSizes& sizes, SSharing& sharing) {
    while (sharing.nDeficit != 0 && sharing.nTotal > 0) {
        if (!SweepDeficit(sizes, sharing))
            break;
    }
    TakeRemainder(sizes, sharing);
    if (sharing.nDeficit >= 0)
        return;
    int nLeft = -sharing.nDeficit;
    for (std::size_t i : sharing.vAtMin) {
        if (nLeft == 0)
            break;
        int nRoom = nLeft;
        if (sizes.vMax[i] != LAY_NO_LIMIT)
            nRoom = std::min(nLeft, std::max(sizes.vMax[i] - sizes.vMin[i], 0));
        sizes.vSize[i] += nRoom;
        nLeft -= nRoom;
    }
}

} // namespace

CLayoutPane::CLayoutPane(CLayoutManager* pManager, int nOrientation, unsigned nMode, int nSpacing,
                         int nMargin, int nSecondary)
    : CLayoutNode(pManager, nMode), m_nOrientation(nOrientation), m_nSecondary(nSecondary),
      m_nSpacing(nSpacing), m_nMargin(nMargin) {}

bool CLayoutPane::AddItem(CLayoutNodePtr pNode) {
    if (!pNode || pNode->Contains(this))
        return false;
    m_children.push_back(std::move(pNode));
    return true;
}

bool CLayoutPane::AddPane(const CLayoutPanePtr& pPane) {
    if (!pPane)
        return false;
    return AddPane(pPane, pPane->GetMode(), pPane->m_nSecondary);
}

bool CLayoutPane::AddPane(const CLayoutPanePtr& pPane, unsigned nMode, int nSecondary) {
    if (!pPane || pPane->Contains(this))
        return false;
    if (pPane->m_nOrientation == m_nOrientation) {
        const int nOther = m_nOrientation == LAY_HORIZONTAL ? LAY_VERTICAL : LAY_HORIZONTAL;
        auto pWrap = std::make_shared<CLayoutPane>(m_pManager, nOther, LAY_GREEDY, 0, 0, 0);
        pWrap->AddItem(pPane);
        return AddPane(pWrap, nMode, nSecondary);
    }
    pPane->SetMode(nMode);
    if (pPane->IsFixed(m_nOrientation) && pPane->m_nSecondary == 0)
        pPane->m_nSecondary = pPane->GetMinSize(m_nOrientation);
    if (pPane->IsPercent(m_nOrientation))
        pPane->m_nSecondary = nSecondary;
    m_children.push_back(pPane);
    return true;
}

bool CLayoutPane::Contains(const CLayoutNode* pNode) const {
    if (pNode == this)
        return true;
    return std::any_of(m_children.begin(), m_children.end(),
                       [pNode](const CLayoutNodePtr& pChild) { return pChild->Contains(pNode); });
}

int CLayoutPane::GetConstrain(unsigned nFixed, unsigned nPercent, int nParent) const {
    if (m_nMode & nPercent)
        return MulDiv(nParent, m_nSecondary, 100);
    if (m_nMode & nFixed)
        return m_nSecondary;
    return 0;
}

int CLayoutPane::GetConstrainHorz(int nParent) const {
    return GetConstrain(LAY_FIXED_HORZ, LAY_PERCENT_HORZ, nParent);
}

int CLayoutPane::GetConstrainVert(int nParent) const {
    return GetConstrain(LAY_FIXED_VERT, LAY_PERCENT_VERT, nParent);
}

int CLayoutPane::TotalSpacing() const {
    // An empty pane has no gaps (not a negative one).
    const int n = static_cast<int>(m_children.size());
    return n > 0 ? m_nSpacing * (n - 1) : 0;
}

int CLayoutPane::GetMinAlong() const {
    int nSum = 0;
    for (const CLayoutNodePtr& pChild : m_children)
        nSum += pChild->GetMinSize(m_nOrientation);
    return nSum + TotalSpacing() + 2 * m_nMargin;
}

int CLayoutPane::GetMaxAlong() const {
    if (m_children.empty())
        return LAY_NO_LIMIT;
    int nSum = 0;
    for (const CLayoutNodePtr& pChild : m_children) {
        const int nMax = pChild->GetMaxSize(m_nOrientation);
        if (nMax == LAY_NO_LIMIT)
            return LAY_NO_LIMIT;
        nSum += nMax;
    }
    return nSum + TotalSpacing() + 2 * m_nMargin;
}

int CLayoutPane::GetMinAcross(unsigned nFixed, int nAxis) const {
    if ((m_nMode & nFixed) && m_nSecondary != 0)
        return m_nSecondary;
    int nLargest = 0;
    for (const CLayoutNodePtr& pChild : m_children)
        nLargest = std::max(nLargest, pChild->GetMinSize(nAxis));
    return nLargest + 2 * m_nMargin;
}

int CLayoutPane::GetMaxAcross(unsigned nFixed, int nAxis) const {
    if ((m_nMode & nFixed) && m_nSecondary != 0)
        return m_nSecondary;
    if (m_children.empty())
        return LAY_NO_LIMIT;
    int nLargest = 0;
    for (const CLayoutNodePtr& pChild : m_children) {
        const int nMax = pChild->GetMaxSize(nAxis);
        if (nMax == LAY_NO_LIMIT)
            return LAY_NO_LIMIT;
        nLargest = std::max(nLargest, nMax);
    }
    return nLargest + 2 * m_nMargin;
}

int CLayoutPane::GetMinWidth() const {
    return m_nOrientation == LAY_HORIZONTAL ? GetMinAlong()
                                            : GetMinAcross(LAY_FIXED_HORZ, LAY_HORIZONTAL);
}

int CLayoutPane::GetMaxWidth() const {
    return m_nOrientation == LAY_HORIZONTAL ? GetMaxAlong()
                                            : GetMaxAcross(LAY_FIXED_HORZ, LAY_HORIZONTAL);
}

int CLayoutPane::GetMinHeight() const {
    return m_nOrientation == LAY_VERTICAL ? GetMinAlong()
                                          : GetMinAcross(LAY_FIXED_VERT, LAY_VERTICAL);
}

int CLayoutPane::GetMaxHeight() const {
    return m_nOrientation == LAY_VERTICAL ? GetMaxAlong()
                                          : GetMaxAcross(LAY_FIXED_VERT, LAY_VERTICAL);
}

void CLayoutPane::ResizeTo(const CLayoutRect& rcPane) {
    if (m_children.empty())
        return;
    const int nAxis = m_nOrientation;
    const bool bHorz = nAxis == LAY_HORIZONTAL;
    const std::size_t nCount = m_children.size();
    int nAvailable = (bHorz ? rcPane.Width() : rcPane.Height()) - 2 * m_nMargin - TotalSpacing();
    CLayoutRect rc = rcPane;
    if (bHorz) {
        rc.top += m_nMargin;
        rc.bottom -= m_nMargin;
    } else {
        rc.left += m_nMargin;
        rc.right -= m_nMargin;
    }

    SAxisSizes sizes{std::vector<int>(nCount, 0), std::vector<int>(nCount, 0),
                     std::vector<int>(nCount, 0)};
    int nGreedy = 0;
    for (std::size_t i = 0; i < nCount; ++i) {
        const CLayoutNode& child = *m_children[i];
        sizes.vMin[i] = child.GetMinSize(nAxis);
        sizes.vMax[i] = child.GetMaxSize(nAxis);
        if (child.IsFixed(nAxis)) {
            sizes.vSize[i] = child.GetConstrain(nAxis, 0);
            nAvailable -= sizes.vSize[i];
        } else if (child.IsGreedy(nAxis)) {
            ++nGreedy;
        }
    }
    nAvailable = std::max(nAvailable, 0);

    // Percentages are of the space the fixed children left.
    SSharing percent;
    std::vector<std::size_t> vPercent;
    for (std::size_t i = 0; i < nCount; ++i) {
        const CLayoutNode& child = *m_children[i];
        if (child.IsPercent(nAxis) && !child.IsFixed(nAxis)) {
            vPercent.push_back(i);
            TakeShare(sizes, percent, i, child.GetConstrain(nAxis, nAvailable));
        }
    }
    SettleDeficit(sizes, percent);
    for (std::size_t i : vPercent)
        nAvailable -= sizes.vSize[i];
    nAvailable = std::max(nAvailable, 0);

    SSharing greedy;
    for (std::size_t i = 0; i < nCount; ++i) {
        if (!m_children[i]->IsGreedy(nAxis))
            continue;
        // Integer shares of what is left; the last greedy child gets the rest.
        const int nShare = nAvailable / nGreedy;
        TakeShare(sizes, greedy, i, nShare);
        nAvailable -= nShare;
        --nGreedy;
    }
    SettleDeficit(sizes, greedy);

    int nFill = 0;
    for (const CLayoutNodePtr& pChild : m_children)
        nFill += pChild->IsFixed(nAxis) && pChild->IsFill(nAxis) ? 1 : 0;
    for (std::size_t i = 0; i < nCount && nAvailable > 0; ++i) {
        const CLayoutNode& child = *m_children[i];
        if (!child.IsFixed(nAxis) || !child.IsFill(nAxis))
            continue;
        const int nShare = nAvailable / nFill;
        sizes.vSize[i] += nShare;
        nAvailable -= nShare;
        --nFill;
    }

    int nPos = (bHorz ? rc.left : rc.top) + m_nMargin;
    for (std::size_t i = 0; i < nCount; ++i) {
        CLayoutRect rcChild = rc;
        if (bHorz) {
            rcChild.left = nPos;
            rcChild.right = nPos + sizes.vSize[i];
        } else {
            rcChild.top = nPos;
            rcChild.bottom = nPos + sizes.vSize[i];
        }
        m_children[i]->ResizeTo(rcChild);
        nPos += sizes.vSize[i] + m_nSpacing;
    }
}
