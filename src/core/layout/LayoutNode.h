// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include "core/layout/LayoutFlags.h"
#include "core/layout/LayoutRect.h"

class CLayoutManager;

// An item or a pane of a layout tree. Nodes are shared through handles
// (CLayoutNodePtr); a node lives as long as its last handle.
class CLayoutNode {
public:
    CLayoutNode(CLayoutManager* pManager, unsigned nMode);
    virtual ~CLayoutNode();
    CLayoutNode(const CLayoutNode&) = delete;
    CLayoutNode& operator=(const CLayoutNode&) = delete;

    // The fixed or percentage size on an axis for a parent offering nParent
    // pixels.
    virtual int GetConstrainHorz(int nParent) const = 0;
    virtual int GetConstrainVert(int nParent) const = 0;
    // Size limits; a maximum of LAY_NO_LIMIT means there is none.
    virtual int GetMinWidth() const = 0;
    virtual int GetMaxWidth() const = 0;
    virtual int GetMinHeight() const = 0;
    virtual int GetMaxHeight() const = 0;
    virtual void ResizeTo(const CLayoutRect& rc) = 0;
    // Whether pNode is this node or lies anywhere below it.
    virtual bool Contains(const CLayoutNode* pNode) const { return pNode == this; }

    unsigned GetMode() const { return m_nMode; }
    void SetMode(unsigned nMode) { m_nMode = nMode; }
    CLayoutManager* GetManager() const { return m_pManager; }

    // The same questions for one axis (LAY_HORIZONTAL: width, LAY_VERTICAL: height).
    int GetConstrain(int nAxis, int nParent) const;
    int GetMinSize(int nAxis) const;
    int GetMaxSize(int nAxis) const;
    bool IsFixed(int nAxis) const;
    bool IsPercent(int nAxis) const;
    bool IsFill(int nAxis) const;
    bool IsGreedy(int nAxis) const { return !IsFixed(nAxis) && !IsPercent(nAxis); }

protected:
    unsigned m_nMode;
    CLayoutManager* m_pManager;
};

using CLayoutNodePtr = std::shared_ptr<CLayoutNode>;
