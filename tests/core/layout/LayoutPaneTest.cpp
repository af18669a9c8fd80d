// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <numeric>
#include <random>
#include <vector>

#include "FakeLayoutWindow.h"
#include "core/layout/LayoutPane.h"

namespace {

// A pane of loose controls; reports the extent each control was given along
// the pane's axis.
class CPaneFixture {
public:
    explicit CPaneFixture(int nOrientation = LAY_HORIZONTAL, int nSpacing = 0, int nMargin = 0)
        : m_nAxis(nOrientation),
          m_pPane(m_window.CreatePane(nOrientation, LAY_GREEDY, nSpacing, nMargin)) {}

    std::shared_ptr<CFakeControl> Greedy(int nMin) {
        auto pControl = CFakeLayoutWindow::Loose();
        const bool bHorz = m_nAxis == LAY_HORIZONTAL;
        m_pPane->AddItem(
            m_window.CreateItem(pControl, LAY_GREEDY, 0, 0, bHorz ? nMin : 0, bHorz ? 0 : nMin));
        m_controls.push_back(pControl);
        return pControl;
    }
    // A greedy child whose size along a row is limited to exactly nSize: a
    // column holding a control of fixed width (stretched by the fill flag).
    std::shared_ptr<CFakeControl> Capped(int nSize) {
        auto pControl = CFakeLayoutWindow::Loose();
        auto pColumn = m_window.CreatePane(LAY_VERTICAL, LAY_GREEDY, 0, 0);
        pColumn->AddItem(
            m_window.CreateItem(pControl, LAY_FIXED_HORZ | LAY_FILL_HORZ, nSize, 10, 0, 0));
        m_pPane->AddPane(pColumn);
        m_controls.push_back(pControl);
        return pControl;
    }
    std::shared_ptr<CFakeControl> Add(unsigned nMode, int nWidth, int nHeight, int nMinWidth = 0,
                                      int nMinHeight = 0) {
        auto pControl = CFakeLayoutWindow::Loose();
        m_pPane->AddItem(
            m_window.CreateItem(pControl, nMode, nWidth, nHeight, nMinWidth, nMinHeight));
        m_controls.push_back(pControl);
        return pControl;
    }

    std::vector<int> Sizes(int nExtent, int nCross = 20) {
        const bool bHorz = m_nAxis == LAY_HORIZONTAL;
        m_pPane->ResizeTo(bHorz ? CLayoutRect{0, 0, nExtent, nCross}
                                : CLayoutRect{0, 0, nCross, nExtent});
        std::vector<int> vSizes;
        for (const auto& pControl : m_controls)
            vSizes.push_back(bHorz ? pControl->m_rc.Width() : pControl->m_rc.Height());
        return vSizes;
    }

    int m_nAxis;
    CFakeLayoutWindow m_window;
    CLayoutPanePtr m_pPane;
    std::vector<std::shared_ptr<CFakeControl>> m_controls;
};

int Sum(const std::vector<int>& v) {
    return std::accumulate(v.begin(), v.end(), 0);
}

} // namespace

TEST(LayoutPaneGreedy, ThreeItemsShareAHundredPixelsAs33_33_34) {
    CPaneFixture row;
    for (int i = 0; i < 3; ++i)
        row.Greedy(0);
    EXPECT_EQ(row.Sizes(100), (std::vector<int>{33, 33, 34}));

    CPaneFixture column(LAY_VERTICAL);
    for (int i = 0; i < 3; ++i)
        column.Greedy(0);
    EXPECT_EQ(column.Sizes(100), (std::vector<int>{33, 33, 34}));
}

TEST(LayoutPaneGreedy, SpacingAndMarginsComeOffBeforeSharing) {
    CPaneFixture row(LAY_HORIZONTAL, 5, 7);
    for (int i = 0; i < 3; ++i)
        row.Greedy(0);
    // 124 - 2 * 7 - 2 * 5 leaves the same 100 pixels.
    row.m_pPane->ResizeTo({10, 20, 134, 60});
    EXPECT_EQ(row.m_controls[0]->m_rc, (CLayoutRect{17, 27, 50, 53}));
    EXPECT_EQ(row.m_controls[1]->m_rc, (CLayoutRect{55, 27, 88, 53}));
    EXPECT_EQ(row.m_controls[2]->m_rc, (CLayoutRect{93, 27, 127, 53}));
}

TEST(LayoutPaneGreedy, ItemAskingForLessThanFivePixelsGetsFive) {
    CPaneFixture row;
    row.Greedy(0);
    row.Greedy(4);
    row.Greedy(-3);
    EXPECT_EQ(row.Sizes(9), (std::vector<int>{5, 5, 5}));
    EXPECT_EQ(row.m_pPane->GetMinWidth(), 15);
}

TEST(LayoutPaneGreedy, ChildrenAtTheirMinimaRunPastTheEnd) {
    CPaneFixture row;
    row.Greedy(50);
    row.Greedy(60);
    row.Greedy(70);
    EXPECT_EQ(row.Sizes(100), (std::vector<int>{50, 60, 70}));
    EXPECT_EQ(row.m_controls[2]->m_rc.left, 110);
    EXPECT_EQ(row.m_controls[2]->m_rc.right, 180);
}

TEST(LayoutPaneGreedy, ChildHeldAtItsMinimumIsPaidForByTheOthersInProportion) {
    CPaneFixture even;
    even.Greedy(5);
    even.Greedy(50);
    even.Greedy(5);
    EXPECT_EQ(even.Sizes(90), (std::vector<int>{20, 50, 20}));

    // Shares 30, 30, 31; the middle one needs 47. The first sweep takes 8 and
    // 8 (truncated), the one pixel left is taken whole by the first child.
    CPaneFixture odd;
    odd.Greedy(5);
    odd.Greedy(47);
    odd.Greedy(5);
    EXPECT_EQ(odd.Sizes(91), (std::vector<int>{21, 47, 23}));
}

TEST(LayoutPaneGreedy, ADeficitOfFiveIsTakenWholeFromTheFirstFittingChild) {
    // Shares 35, 35, 35; the third needs 40, a deficit of 5: small enough to
    // come from the first child alone.
    CPaneFixture five;
    five.Greedy(5);
    five.Greedy(5);
    five.Greedy(40);
    EXPECT_EQ(five.Sizes(105), (std::vector<int>{30, 35, 40}));

    // A deficit of 6 is shared in proportion: 3 and 3.
    CPaneFixture six;
    six.Greedy(5);
    six.Greedy(5);
    six.Greedy(41);
    EXPECT_EQ(six.Sizes(105), (std::vector<int>{32, 32, 41}));
}

TEST(LayoutPaneGreedy, RunningTotalReachingZeroMidSweepDoesNotDivideByZero) {
    // Shares 7, 8, 8; the third needs 90. The first sweep brings the others
    // to their minima and the running total to 5; the next sweep exhausts it
    // before the last fitting child.
    CPaneFixture row;
    row.Greedy(5);
    row.Greedy(5);
    row.Greedy(90);
    EXPECT_EQ(row.Sizes(23), (std::vector<int>{5, 5, 90}));
}

TEST(LayoutPaneGreedy, NegativeRunningTotalNeverGrowsAShrinkingChild) {
    // Taken literally, the third sweep divides by a total of -2 and grows the
    // last child to 120, a 185-pixel row in 95 pixels.
    CPaneFixture row;
    row.Greedy(5);
    row.Greedy(60);
    row.Greedy(30);
    const std::vector<int> vSizes = row.Sizes(95);
    EXPECT_EQ(vSizes, (std::vector<int>{5, 60, 30}));
    EXPECT_EQ(Sum(vSizes), 95);
}

TEST(LayoutPaneGreedy, DeficitLeftWhenTheRunningTotalRunsOutComesFromAChildAboveItsMinimum) {
    // Minima add up to 153 of 160. The sweeps bring the running total to
    // zero with 4 pixels still owed; the third child can give them.
    CPaneFixture row;
    for (int nMin : {28, 90, 5, 30})
        row.Greedy(nMin);
    EXPECT_EQ(row.Sizes(160), (std::vector<int>{28, 90, 12, 30}));

    // Only children all at their minima run past the pane, and none shrinks
    // below its minimum to make up for it.
    CPaneFixture full;
    for (int nMin : {28, 90, 5, 30})
        full.Greedy(nMin);
    EXPECT_EQ(full.Sizes(150), (std::vector<int>{28, 90, 5, 30}));
}

TEST(LayoutPaneGreedy, SweepsThatWouldOvershootSettleInsteadOfSwingingForEver) {
    // The proportional parts of the first sweep add up to 69 of a deficit of
    // 59; taken literally the deficit then swings between about -10 and +9.
    CPaneFixture row;
    for (int nMin : {57, 82, 47, 115, 34})
        row.Greedy(nMin);
    const std::vector<int> vSizes = row.Sizes(345);
    EXPECT_EQ(Sum(vSizes), 345);
    EXPECT_EQ(vSizes[1], 82);
    EXPECT_EQ(vSizes[3], 115);
    EXPECT_GE(vSizes[0], 57);
    EXPECT_GE(vSizes[2], 47);
    EXPECT_GE(vSizes[4], 34);
}

TEST(LayoutPaneGreedy, GrowingSweepStopsAtAChildsMaximum) {
    // The first child is capped at 50 of its share of 100; the 50 over would
    // go to the second child, whose maximum is its share.
    CPaneFixture row;
    row.Capped(50);
    auto pSecond = row.Capped(100);
    EXPECT_EQ(row.Sizes(200), (std::vector<int>{50, 100}));
    EXPECT_EQ(pSecond->m_rc, (CLayoutRect{50, 0, 150, 20}));
}

TEST(LayoutPaneGreedy, SpaceLeftByACappedChildIsSharedInProportion) {
    // Shares of 100; the first is capped at 20, and the 80 pixels over go to
    // the two others alike, not all to the first of them.
    CPaneFixture row;
    row.Capped(20);
    row.Greedy(0);
    row.Greedy(0);
    EXPECT_EQ(row.Sizes(300), (std::vector<int>{20, 140, 140}));
}

TEST(LayoutPaneGreedy, SpaceLeftByCappedChildrenGoesToChildrenHeldAtTheirMinimum) {
    CPaneFixture unlimited;
    unlimited.Capped(50);
    unlimited.Greedy(120);
    EXPECT_EQ(unlimited.Sizes(200), (std::vector<int>{50, 150}));

    // A child with a maximum takes at most its maximum less its minimum, the
    // rest stays empty.
    // Shares of 100: capped at 10 (-90), held at 150 (+50), held at 120 (+20);
    // the 20 pixels over pass the second child, which cannot grow.
    CPaneFixture limited;
    limited.Capped(10);
    limited.Capped(150);
    limited.Greedy(120);
    EXPECT_EQ(limited.Sizes(300), (std::vector<int>{10, 150, 140}));
}

TEST(LayoutPaneGreedy, RandomRowsStayWithinLimitsAndNeverGrowPastTheirShare) {
    std::mt19937 random(20240611);
    for (int nCase = 0; nCase < 10000; ++nCase) {
        CPaneFixture row;
        const int nCount = 1 + static_cast<int>(random() % 7);
        std::vector<int> vMin;
        for (int i = 0; i < nCount; ++i) {
            vMin.push_back(std::max(5, static_cast<int>(random() % 150)));
            row.Greedy(vMin.back());
        }
        const int nWidth = static_cast<int>(random() % 500);
        const std::vector<int> vSizes = row.Sizes(nWidth);
        int nLeft = nWidth;
        for (int i = 0; i < nCount; ++i) {
            const int nShare = nLeft / (nCount - i);
            nLeft -= nShare;
            ASSERT_GE(vSizes[i], vMin[i]) << "case " << nCase;
            if (nShare >= vMin[i]) {
                ASSERT_LE(vSizes[i], nShare) << "case " << nCase << " child " << i;
            }
        }
        ASSERT_GE(Sum(vSizes), nWidth) << "case " << nCase;
    }
}

TEST(LayoutPaneFixed, FixedChildrenTakeTheirSizeFirst) {
    CPaneFixture row;
    row.Add(LAY_FIXED_HORZ, 30, 10);
    row.Greedy(0);
    row.Greedy(0);
    EXPECT_EQ(row.Sizes(100), (std::vector<int>{30, 35, 35}));
}

TEST(LayoutPaneFixed, FixedChildrenWiderThanThePaneLeaveGreedyOnesTheirMinimum) {
    CPaneFixture row;
    row.Add(LAY_FIXED_HORZ, 150, 10);
    row.Greedy(20);
    EXPECT_EQ(row.Sizes(100), (std::vector<int>{150, 20}));
}

TEST(LayoutPaneFixed, LeftoverSpaceGoesToFillingFixedChildren) {
    CPaneFixture row;
    row.Add(LAY_FIXED_HORZ | LAY_FILL_HORZ, 10, 10);
    row.Add(LAY_FIXED_HORZ, 20, 10);
    row.Add(LAY_FIXED_HORZ | LAY_FILL_HORZ, 10, 10);
    // 61 pixels over: 30 to the first, the remaining 31 to the last.
    EXPECT_EQ(row.Sizes(101), (std::vector<int>{40, 20, 41}));
    EXPECT_EQ(row.m_controls[2]->m_rc.right, 101);
}

TEST(LayoutPaneFixed, NoLeftoverForFillingChildrenWhenGreedyOnesTookIt) {
    CPaneFixture row;
    row.Add(LAY_FIXED_HORZ | LAY_FILL_HORZ, 10, 10);
    row.Greedy(0);
    EXPECT_EQ(row.Sizes(100), (std::vector<int>{10, 90}));
}

TEST(LayoutPaneFixed, FixedItemsAlignInsideTheirCell) {
    CPaneFixture column(LAY_VERTICAL);
    auto pLeft = column.Add(LAY_FIXED, 20, 10);
    auto pRight = column.Add(LAY_FIXED | LAY_ALIGN_RIGHT, 20, 10);
    auto pCentre = column.Add(LAY_FIXED | LAY_ALIGN_HCENTER, 20, 10);
    auto pStretched = column.Add(LAY_FIXED | LAY_FILL_HORZ, 20, 10);
    column.m_pPane->ResizeTo({0, 0, 101, 100});
    EXPECT_EQ(pLeft->m_rc, (CLayoutRect{0, 0, 20, 10}));
    EXPECT_EQ(pRight->m_rc, (CLayoutRect{81, 10, 101, 20}));
    EXPECT_EQ(pCentre->m_rc, (CLayoutRect{40, 20, 60, 30}));
    EXPECT_EQ(pStretched->m_rc, (CLayoutRect{0, 30, 101, 40}));

    CPaneFixture row;
    auto pTop = row.Add(LAY_FIXED, 10, 20);
    auto pBottom = row.Add(LAY_FIXED | LAY_ALIGN_BOTTOM, 10, 20);
    auto pMiddle = row.Add(LAY_FIXED | LAY_ALIGN_VCENTER, 10, 20);
    auto pFull = row.Add(LAY_FIXED | LAY_FILL_VERT, 10, 20);
    auto pGreedy = row.Add(LAY_FIXED_HORZ, 10, 20);
    row.m_pPane->ResizeTo({0, 0, 100, 61});
    EXPECT_EQ(pTop->m_rc, (CLayoutRect{0, 0, 10, 20}));
    EXPECT_EQ(pBottom->m_rc, (CLayoutRect{10, 41, 20, 61}));
    EXPECT_EQ(pMiddle->m_rc, (CLayoutRect{20, 20, 30, 40}));
    EXPECT_EQ(pFull->m_rc, (CLayoutRect{30, 0, 40, 61}));
    EXPECT_EQ(pGreedy->m_rc, (CLayoutRect{40, 0, 50, 61}));
}

TEST(LayoutPanePercent, AChildBothFixedAndPercentIsFixed) {
    // Its size comes off once, as a fixed child's.
    CPaneFixture row;
    row.Add(LAY_FIXED_HORZ | LAY_PERCENT_HORZ, 30, 10);
    row.Greedy(0);
    EXPECT_EQ(row.Sizes(200), (std::vector<int>{30, 170}));
}

TEST(LayoutPanePercent, PercentagesAreOfTheSpaceFixedChildrenLeft) {
    CPaneFixture row;
    row.Add(LAY_FIXED_HORZ, 40, 10);
    row.Add(LAY_PERCENT_HORZ, 25, 10);
    row.Greedy(0);
    EXPECT_EQ(row.Sizes(240), (std::vector<int>{40, 50, 150}));
}

TEST(LayoutPanePercent, PercentageHeldAtItsMinimumIsPaidForByTheOtherPercentages) {
    CPaneFixture row;
    row.Add(LAY_PERCENT_HORZ, 10, 10, 30, 0);
    row.Add(LAY_PERCENT_HORZ, 50, 10);
    row.Greedy(0);
    EXPECT_EQ(row.Sizes(100), (std::vector<int>{30, 30, 40}));
}

TEST(LayoutPaneLimits, AlongTheAxisChildrenAddUp) {
    CFakeLayoutWindow window;
    auto pRow = window.CreatePane(LAY_HORIZONTAL, LAY_GREEDY, 4, 3);
    EXPECT_EQ(pRow->GetMinWidth(), 6);
    EXPECT_EQ(pRow->GetMaxWidth(), LAY_NO_LIMIT);
    pRow->AddItem(window.CreateItem(nullptr, LAY_FIXED, 20, 8));
    pRow->AddItem(window.CreateItem(nullptr, LAY_FIXED, 30, 12));
    EXPECT_EQ(pRow->GetMinWidth(), 20 + 30 + 4 + 6);
    EXPECT_EQ(pRow->GetMaxWidth(), 60);
    pRow->AddItem(window.CreateItem(nullptr, LAY_GREEDY, 0, 0, 15, 25));
    EXPECT_EQ(pRow->GetMinWidth(), 20 + 30 + 15 + 8 + 6);
    EXPECT_EQ(pRow->GetMaxWidth(), LAY_NO_LIMIT);
}

TEST(LayoutPaneLimits, AcrossTheAxisTheLargestChildCounts) {
    CFakeLayoutWindow window;
    auto pRow = window.CreatePane(LAY_HORIZONTAL, LAY_GREEDY, 4, 3);
    pRow->AddItem(window.CreateItem(nullptr, LAY_FIXED, 20, 8));
    pRow->AddItem(window.CreateItem(nullptr, LAY_FIXED, 30, 12));
    EXPECT_EQ(pRow->GetMinHeight(), 18);
    EXPECT_EQ(pRow->GetMaxHeight(), 18);
    pRow->AddItem(window.CreateItem(nullptr, LAY_FIXED_HORZ, 10, 0, 0, 2));
    EXPECT_EQ(pRow->GetMinHeight(), 18);
    EXPECT_EQ(pRow->GetMaxHeight(), LAY_NO_LIMIT);

    // A pane fixed across its axis with a size of its own is that size.
    pRow->SetMode(LAY_FIXED_VERT);
    pRow->SetSecondary(40);
    EXPECT_EQ(pRow->GetMinHeight(), 40);
    EXPECT_EQ(pRow->GetMaxHeight(), 40);
    EXPECT_EQ(pRow->GetConstrainVert(500), 40);
    EXPECT_EQ(pRow->GetConstrainHorz(500), 0);
    pRow->SetMode(LAY_PERCENT_VERT);
    EXPECT_EQ(pRow->GetConstrainVert(500), 200);
}

TEST(LayoutPaneAdd, PaneOfTheSameOrientationIsWrappedWithoutSpacingOrMargin) {
    CFakeLayoutWindow window;
    auto pOuter = window.CreatePane(LAY_VERTICAL, LAY_GREEDY, 5, 5);
    auto pInner = window.CreatePane(LAY_VERTICAL, LAY_GREEDY, 5, 5);
    pInner->AddItem(window.CreateItem(nullptr, LAY_FIXED, 20, 20));
    ASSERT_TRUE(pOuter->AddPane(pInner, LAY_FIXED_VERT, 0));
    ASSERT_EQ(pOuter->GetChildren().size(), 1u);
    auto pWrap = std::dynamic_pointer_cast<CLayoutPane>(pOuter->GetChildren()[0]);
    ASSERT_TRUE(pWrap);
    EXPECT_NE(pWrap, pInner);
    EXPECT_EQ(pWrap->GetOrientation(), LAY_HORIZONTAL);
    EXPECT_EQ(pWrap->GetSpacing(), 0);
    EXPECT_EQ(pWrap->GetMargin(), 0);
    EXPECT_EQ(pWrap->GetMode(), LAY_FIXED_VERT);
    ASSERT_EQ(pWrap->GetChildren().size(), 1u);
    EXPECT_EQ(pWrap->GetChildren()[0], pInner);
    // Fixed along the outer axis without a size: the inner pane's own height.
    EXPECT_EQ(pWrap->GetSecondary(), 30);
}

TEST(LayoutPaneAdd, FixedChildWithoutASizeTakesItsMinimumAlongTheParentsAxis) {
    CFakeLayoutWindow window;
    auto pRow = window.CreatePane(LAY_HORIZONTAL);
    auto pColumn = window.CreatePane(LAY_VERTICAL, LAY_FIXED_HORZ, 5, 2);
    pColumn->AddItem(window.CreateItem(nullptr, LAY_GREEDY, 0, 0, 70, 10));
    ASSERT_TRUE(pRow->AddPane(pColumn));
    EXPECT_EQ(pColumn->GetSecondary(), 74);

    auto pSized = window.CreatePane(LAY_VERTICAL, LAY_FIXED_HORZ, 5, 2, 33);
    pSized->AddItem(window.CreateItem(nullptr, LAY_GREEDY, 0, 0, 70, 10));
    ASSERT_TRUE(pRow->AddPane(pSized));
    EXPECT_EQ(pSized->GetSecondary(), 33);

    auto pShare = window.CreatePane(LAY_VERTICAL);
    ASSERT_TRUE(pRow->AddPane(pShare, LAY_PERCENT_HORZ, 40));
    EXPECT_EQ(pShare->GetMode(), LAY_PERCENT_HORZ);
    EXPECT_EQ(pShare->GetSecondary(), 40);

    pRow->ResizeTo({0, 0, 300, 50});
    EXPECT_EQ(pColumn->GetConstrainHorz(0), 74);
}

TEST(LayoutPaneAdd, LoopsAndEmptyHandlesAreRefused) {
    CFakeLayoutWindow window;
    auto pRow = window.CreatePane(LAY_HORIZONTAL);
    auto pColumn = window.CreatePane(LAY_VERTICAL);
    ASSERT_TRUE(pRow->AddPane(pColumn));
    EXPECT_FALSE(pColumn->AddPane(pRow));
    EXPECT_FALSE(pColumn->AddItem(pColumn));
    EXPECT_FALSE(pRow->AddItem(nullptr));
    EXPECT_FALSE(pRow->AddPane(nullptr));
    EXPECT_EQ(pColumn->GetChildren().size(), 0u);
    EXPECT_EQ(pRow->GetChildren().size(), 1u);
}

TEST(LayoutPaneNested, ChildPaneIsLaidOutInsideItsCell) {
    CFakeLayoutWindow window;
    auto pRow = window.CreatePane(LAY_HORIZONTAL, LAY_GREEDY, 5, 0);
    auto pLeft = CFakeLayoutWindow::Loose();
    pRow->AddItem(window.CreateItem(pLeft, LAY_FIXED_HORZ, 100, 0, 0, 0));
    auto pColumn = window.CreatePane(LAY_VERTICAL, LAY_GREEDY, 5, 5);
    auto pTop = CFakeLayoutWindow::Loose();
    auto pRest = CFakeLayoutWindow::Loose();
    pColumn->AddItem(window.CreateItem(pTop, LAY_FIXED_VERT, 0, 20, 10, 0));
    pColumn->AddItem(window.CreateItem(pRest, LAY_GREEDY, 0, 0, 10, 10));
    pRow->AddPane(pColumn);
    pRow->ResizeTo({5, 5, 305, 205});
    EXPECT_EQ(pLeft->m_rc, (CLayoutRect{5, 5, 105, 205}));
    EXPECT_EQ(pTop->m_rc, (CLayoutRect{115, 10, 300, 30}));
    EXPECT_EQ(pRest->m_rc, (CLayoutRect{115, 35, 300, 200}));
}

TEST(LayoutPaneNested, EmptyPaneLaysOutNothing) {
    CFakeLayoutWindow window;
    auto pRow = window.CreatePane(LAY_HORIZONTAL, LAY_GREEDY, 5, 5);
    pRow->ResizeTo({0, 0, 100, 100});
    EXPECT_EQ(pRow->GetMinWidth(), 10);
    EXPECT_EQ(pRow->GetMinHeight(), 10);
    EXPECT_EQ(pRow->GetMaxHeight(), LAY_NO_LIMIT);
}
