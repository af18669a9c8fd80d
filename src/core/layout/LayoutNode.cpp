// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/layout/LayoutNode.h"

CLayoutNode::CLayoutNode(CLayoutManager* pManager, unsigned nMode)
    : m_nMode(nMode), m_pManager(pManager) {}

CLayoutNode::~CLayoutNode() = default;

int CLayoutNode::GetConstrain(int nAxis, int nParent) const {
    return nAxis == LAY_HORIZONTAL ? GetConstrainHorz(nParent) : GetConstrainVert(nParent);
}

int CLayoutNode::GetMinSize(int nAxis) const {
    return nAxis == LAY_HORIZONTAL ? GetMinWidth() : GetMinHeight();
}

int CLayoutNode::GetMaxSize(int nAxis) const {
    return nAxis == LAY_HORIZONTAL ? GetMaxWidth() : GetMaxHeight();
}

bool CLayoutNode::IsFixed(int nAxis) const {
    return (m_nMode & (nAxis == LAY_HORIZONTAL ? LAY_FIXED_HORZ : LAY_FIXED_VERT)) != 0;
}

bool CLayoutNode::IsPercent(int nAxis) const {
    return (m_nMode & (nAxis == LAY_HORIZONTAL ? LAY_PERCENT_HORZ : LAY_PERCENT_VERT)) != 0;
}

bool CLayoutNode::IsFill(int nAxis) const {
    return (m_nMode & (nAxis == LAY_HORIZONTAL ? LAY_FILL_HORZ : LAY_FILL_VERT)) != 0;
}
