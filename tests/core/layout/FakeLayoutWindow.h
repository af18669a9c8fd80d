// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <memory>
#include <vector>

#include "core/layout/LayoutControl.h"
#include "core/layout/LayoutFormManager.h"

// A control that only remembers where the layout put it.
class CFakeControl : public CLayoutControl {
public:
    CFakeControl(int nId, CLayoutSize size) : m_nId(nId), m_size(size) {}

    int GetId() const override { return m_nId; }
    bool IsVisible() const override { return m_bVisible; }
    CLayoutSize GetCurrentSize() const override { return m_size; }
    void MoveTo(const CLayoutRect& rc) override {
        m_rc = rc;
        m_size = {rc.Width(), rc.Height()};
        ++m_nMoves;
    }

    int m_nId;
    CLayoutSize m_size;
    CLayoutRect m_rc;
    bool m_bVisible = true;
    int m_nMoves = 0;
};

// A form view's layout over a window of controls that exist only in memory.
class CFakeLayoutWindow : public CLayoutFormManager {
public:
    explicit CFakeLayoutWindow(CLayoutRect rcClient = {0, 0, 400, 300}, int nBorderX = 5,
                               int nBorderY = 5)
        : CLayoutFormManager(nBorderX, nBorderY), m_rcClient(rcClient) {}

    std::shared_ptr<CFakeControl> AddControl(int nId, CLayoutSize size) {
        auto pControl = std::make_shared<CFakeControl>(nId, size);
        m_controls[nId] = pControl;
        return pControl;
    }
    // A control with no id in the window, for items built from a handle.
    static std::shared_ptr<CFakeControl> Loose(CLayoutSize size = {10, 10}) {
        return std::make_shared<CFakeControl>(0, size);
    }

    CLayoutRect m_rcClient;
    std::map<int, std::shared_ptr<CFakeControl>> m_controls;
    int m_nInvalidations = 0;

protected:
    CLayoutRect GetLayoutRect() const override { return m_rcClient; }
    std::shared_ptr<CLayoutControl> FindControl(int nId) const override {
        auto it = m_controls.find(nId);
        return it == m_controls.end() ? nullptr : it->second;
    }
    void InvalidateWindow() override { ++m_nInvalidations; }
};
