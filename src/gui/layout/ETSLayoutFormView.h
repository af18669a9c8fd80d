// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRegion>
#include <QSize>
#include <QWidget>

#include <memory>

#include "core/layout/LayoutFormManager.h"

// A form view whose children are placed by the pane layout engine. A derived
// view builds its layout in code from its children's control ids (the
// dynamic property "controlId"):
//
//     auto pRoot = CreateRootPane(LAY_HORIZONTAL);
//     pRoot->AddItem(CreateItem(IDC_TREE, LAY_FIXED_HORZ, nTreeWidth + 1, 0, 0, 0));
//     auto pColumn = CreatePane(LAY_VERTICAL, LAY_GREEDY, 5, 5);
//     ...
//     pRoot->AddPane(pColumn);
//     UpdateLayout();
//
// Building again (CreateRootPane drops the old root) and calling UpdateLayout
// re-lays the view out, e.g. with a new tree width or other minimum sizes.
// The view is laid out again whenever it is resized and whenever one of its
// children is shown or hidden. Its minimum (and, where the layout has one,
// maximum) size follows the layout, so a frame that holds it cannot be made
// smaller than the layout allows. Painting fills the background only around
// the visible children, so that resizing does not flicker.
class ETSLayoutFormView : public QWidget {
    Q_OBJECT

public:
    explicit ETSLayoutFormView(QWidget* pParent = nullptr);
    ~ETSLayoutFormView() override;

    // An item for the child with control id nId. A width or height of 0
    // stands for the child's current size, and so does a minimum of -1; pass
    // explicit minima (0 gives the smallest item, 5 pixels) for children that
    // stretch. Without such a child the item is a gap of the given size.
    CLayoutNodePtr CreateItem(int nId, unsigned nMode = LAY_GREEDY, int nWidth = 0, int nHeight = 0,
                              int nMinWidth = -1, int nMinHeight = -1);
    // The same for a child given directly (null: a gap).
    CLayoutNodePtr CreateItem(QWidget* pWidget, unsigned nMode = LAY_GREEDY, int nWidth = 0,
                              int nHeight = 0, int nMinWidth = -1, int nMinHeight = -1);
    CLayoutPanePtr CreatePane(int nOrientation, unsigned nMode = LAY_GREEDY, int nSpacing = 5,
                              int nMargin = 0, int nSecondary = 0);
    // Drops any previous layout and starts a new one (spacing 5).
    CLayoutPanePtr CreateRootPane(int nOrientation, int nMargin = 0);
    void SetRootPane(CLayoutPanePtr pPane);
    CLayoutPanePtr GetRootPane() const;

    // Applies the layout to the view's current size and updates its size limits.
    void UpdateLayout();

    // The direct child whose "controlId" property is nId, or null.
    QWidget* FindControl(int nId) const;
    // The region that painting the view's background covers: the whole view
    // less its visible children (group boxes are painted under; of a tab
    // widget only the tab strip is left out).
    QRegion EraseRegion() const;
    // The limits of a frame whose size exceeds the view's by sizeOverhead.
    void GetMinMaxInfo(CLayoutMinMaxInfo& info, const CLayoutSize& sizeOverhead) const;

    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* pEvent) override;
    void paintEvent(QPaintEvent* pEvent) override;
    void childEvent(QChildEvent* pEvent) override;
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    class CManager;

    void ApplySizeLimits();

    std::unique_ptr<CManager> m_pManager;
};
