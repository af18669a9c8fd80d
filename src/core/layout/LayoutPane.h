// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <vector>

#include "core/layout/LayoutNode.h"

class CLayoutPane;
using CLayoutPanePtr = std::shared_ptr<CLayoutPane>;

// A row (LAY_HORIZONTAL) or a column (LAY_VERTICAL) of nodes. Along its own
// axis it hands out the space: fixed children first, then percentages, then
// the greedy children share the rest; across it every child spans the pane.
class CLayoutPane : public CLayoutNode {
public:
    CLayoutPane(CLayoutManager* pManager, int nOrientation, unsigned nMode, int nSpacing,
                int nMargin, int nSecondary);

    // Appends a node as it is. Refuses a null node and one that would make
    // the tree a loop.
    bool AddItem(CLayoutNodePtr pNode);
    // Appends a child pane with its own mode and secondary size.
    bool AddPane(const CLayoutPanePtr& pPane);
    // Appends a child pane with the given mode; nSecondary is its size along
    // this pane's axis when that is a percentage. A child of this pane's own
    // orientation is first wrapped in a pane of the other orientation with
    // no spacing and no margin.
    bool AddPane(const CLayoutPanePtr& pPane, unsigned nMode, int nSecondary);

    int GetConstrainHorz(int nParent) const override;
    int GetConstrainVert(int nParent) const override;
    int GetMinWidth() const override;
    int GetMaxWidth() const override;
    int GetMinHeight() const override;
    int GetMaxHeight() const override;
    void ResizeTo(const CLayoutRect& rc) override;
    bool Contains(const CLayoutNode* pNode) const override;

    int GetOrientation() const { return m_nOrientation; }
    int GetSpacing() const { return m_nSpacing; }
    int GetMargin() const { return m_nMargin; }
    int GetSecondary() const { return m_nSecondary; }
    void SetSecondary(int nSecondary) { m_nSecondary = nSecondary; }
    const std::vector<CLayoutNodePtr>& GetChildren() const { return m_children; }

private:
    int GetConstrain(unsigned nFixed, unsigned nPercent, int nParent) const;
    int GetMinAlong() const;
    int GetMaxAlong() const;
    int GetMinAcross(unsigned nFixed, int nAxis) const;
    int GetMaxAcross(unsigned nFixed, int nAxis) const;
    int TotalSpacing() const;

    int m_nOrientation;
    std::vector<CLayoutNodePtr> m_children;
    int m_nSecondary;
    int m_nSpacing;
    int m_nMargin;
};
