// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "FakeLayoutWindow.h"

TEST(LayoutItemLimits, GreedyItemHasAFloorOfFiveAndNoMaximum) {
    CFakeLayoutWindow window;
    for (int nMin : {-7, 0, 1, 4}) {
        auto pItem = window.CreateItem(nullptr, LAY_GREEDY, 0, 0, nMin, nMin);
        EXPECT_EQ(pItem->GetMinWidth(), 5) << nMin;
        EXPECT_EQ(pItem->GetMinHeight(), 5) << nMin;
    }
    auto pItem = window.CreateItem(nullptr, LAY_GREEDY, 40, 30, 6, 25);
    EXPECT_EQ(pItem->GetMinWidth(), 6);
    EXPECT_EQ(pItem->GetMinHeight(), 25);
    EXPECT_EQ(pItem->GetMaxWidth(), LAY_NO_LIMIT);
    EXPECT_EQ(pItem->GetMaxHeight(), LAY_NO_LIMIT);
    EXPECT_EQ(pItem->GetConstrainHorz(300), -1);
    EXPECT_EQ(pItem->GetConstrainVert(300), -1);
}

TEST(LayoutItemLimits, FixedAxisIsItsSizeWhateverTheMinimum) {
    CFakeLayoutWindow window;
    auto pItem = window.CreateItem(nullptr, LAY_FIXED_HORZ, 3, 30, 50, 12);
    EXPECT_EQ(pItem->GetMinWidth(), 3);
    EXPECT_EQ(pItem->GetMaxWidth(), 3);
    EXPECT_EQ(pItem->GetConstrainHorz(500), 3);
    EXPECT_EQ(pItem->GetMinHeight(), 12);
    EXPECT_EQ(pItem->GetMaxHeight(), LAY_NO_LIMIT);

    auto pBoth = window.CreateItem(nullptr, LAY_FIXED, 20, 30);
    EXPECT_EQ(pBoth->GetMaxHeight(), 30);
    EXPECT_EQ(pBoth->GetConstrainVert(0), 30);
}

TEST(LayoutItemLimits, PercentageIsOfTheParentsSizeRoundedDown) {
    CFakeLayoutWindow window;
    auto pItem = window.CreateItem(nullptr, LAY_PERCENT_HORZ | LAY_PERCENT_VERT, 33, 50);
    EXPECT_EQ(pItem->GetConstrainHorz(100), 33);
    EXPECT_EQ(pItem->GetConstrainHorz(101), 33);
    EXPECT_EQ(pItem->GetConstrainHorz(200), 66);
    EXPECT_EQ(pItem->GetConstrainVert(77), 38);
    EXPECT_EQ(pItem->GetMaxWidth(), LAY_NO_LIMIT);
}

TEST(LayoutManagerItems, OpenSizesAreTheControlsCurrentSize) {
    CFakeLayoutWindow window;
    window.AddControl(1004, {120, 21});
    auto pNatural = window.CreateItem(1004, LAY_FIXED);
    EXPECT_EQ(pNatural->GetMinWidth(), 120);
    EXPECT_EQ(pNatural->GetMinHeight(), 21);

    // Minimum -1 is the current size too; an explicit 0 is not.
    auto pStretch = window.CreateItem(1004, LAY_GREEDY, 0, 0, -1, 0);
    EXPECT_EQ(pStretch->GetMinWidth(), 120);
    EXPECT_EQ(pStretch->GetMinHeight(), 5);

    auto pGiven = window.CreateItem(1004, LAY_FIXED, 60, 18, 60, 18);
    EXPECT_EQ(pGiven->GetMinWidth(), 60);
    EXPECT_EQ(pGiven->GetMaxHeight(), 18);
}

TEST(LayoutManagerItems, FixedItemGivesItsControlTheItemsSizeNotTheOldOne) {
    // A layout rebuilt with a new fixed width (the tree after a splitter
    // drag) must move the control to that width.
    CFakeLayoutWindow window({0, 0, 500, 300});
    auto pTree = window.AddControl(1165, {100, 100});
    auto pRoot = window.CreateRootPane(LAY_HORIZONTAL, 0);
    pRoot->AddItem(window.CreateItem(1165, LAY_FIXED_HORZ, 161, 0, 0, 0));
    pRoot->AddItem(window.CreateItem(nullptr, LAY_GREEDY, 0, 0, 0, 0));
    window.SetRootPane(pRoot);
    EXPECT_EQ(pTree->m_rc, (CLayoutRect{5, 5, 166, 295}));
}

TEST(LayoutManagerItems, WithoutAControlTheNumbersStandAsGiven) {
    CFakeLayoutWindow window;
    auto pGap = window.CreateItem(4242, LAY_FIXED, 0, 0, -1, -1);
    auto pItem = std::dynamic_pointer_cast<CLayoutItem>(pGap);
    ASSERT_TRUE(pItem);
    EXPECT_FALSE(pItem->GetControl());
    EXPECT_EQ(pGap->GetMinWidth(), 0);
    EXPECT_EQ(pGap->GetMaxHeight(), 0);
    // Laying out a gap moves nothing and does not fail.
    pGap->ResizeTo({0, 0, 10, 10});
}

TEST(LayoutManagerRoot, RootPaneIsLaidOutInsideTheBorders) {
    CFakeLayoutWindow window({0, 0, 400, 300});
    auto pControl = window.AddControl(1165, {100, 100});
    auto pRoot = window.CreateRootPane(LAY_HORIZONTAL, 0);
    EXPECT_EQ(pRoot->GetSpacing(), 5);
    EXPECT_EQ(pRoot->GetMargin(), 0);
    pRoot->AddItem(window.CreateItem(1165, LAY_GREEDY, 0, 0, 10, 10));
    EXPECT_EQ(pControl->m_nMoves, 0);
    window.SetRootPane(pRoot);
    EXPECT_EQ(pControl->m_rc, (CLayoutRect{5, 5, 395, 295}));
    EXPECT_EQ(window.m_nInvalidations, 1);

    window.m_rcClient = {0, 0, 200, 100};
    window.UpdateLayout();
    EXPECT_EQ(pControl->m_rc, (CLayoutRect{5, 5, 195, 95}));
    EXPECT_EQ(window.m_nInvalidations, 2);
}

TEST(LayoutManagerRoot, UnequalBordersKeepToTheirAxes) {
    CFakeLayoutWindow window({0, 0, 400, 300}, 9, 2);
    auto pControl = window.AddControl(1165, {100, 100});
    auto pRoot = window.CreateRootPane(LAY_VERTICAL, 0);
    pRoot->AddItem(window.CreateItem(1165, LAY_GREEDY, 0, 0, 10, 10));
    window.SetRootPane(pRoot);
    EXPECT_EQ(pControl->m_rc, (CLayoutRect{9, 2, 391, 298}));

    // The frame's limits add each border twice on its own axis.
    auto pFixed = window.CreateRootPane(LAY_HORIZONTAL, 0);
    pFixed->AddItem(window.CreateItem(nullptr, LAY_FIXED, 100, 40));
    window.SetRootPane(pFixed);
    CLayoutMinMaxInfo info{{0, 0}, {9999, 9999}, {9999, 9999}};
    window.GetMinMaxInfo(info, {4, 6});
    EXPECT_EQ(info.ptMinTrackSize, (CLayoutSize{100 + 4 + 18, 40 + 6 + 4}));
    EXPECT_EQ(info.ptMaxTrackSize, (CLayoutSize{100 + 4 + 18, 40 + 6 + 4}));
}

TEST(LayoutManagerRoot, NewRootReplacesTheOld) {
    CFakeLayoutWindow window;
    auto pFirst = window.CreateRootPane(LAY_HORIZONTAL, 3);
    std::weak_ptr<CLayoutPane> pWatch = pFirst;
    pFirst.reset();
    EXPECT_FALSE(pWatch.expired());
    auto pSecond = window.CreateRootPane(LAY_VERTICAL, 2);
    EXPECT_TRUE(pWatch.expired());
    EXPECT_EQ(window.GetRootPane(), pSecond);
    EXPECT_EQ(pSecond->GetOrientation(), LAY_VERTICAL);
}

TEST(LayoutManagerRoot, WithoutARootNothingHappens) {
    CFakeLayoutWindow window;
    window.UpdateLayout();
    EXPECT_EQ(window.m_nInvalidations, 0);
    CLayoutMinMaxInfo info{{1, 2}, {3, 4}, {5, 6}};
    window.GetMinMaxInfo(info, {10, 10});
    EXPECT_EQ(info.ptMinTrackSize, (CLayoutSize{1, 2}));
    EXPECT_EQ(info.ptMaxTrackSize, (CLayoutSize{3, 4}));
    EXPECT_EQ(info.ptMaxSize, (CLayoutSize{5, 6}));
}

TEST(LayoutFormManager, ViewWithoutAreaIsNotLaidOut) {
    for (CLayoutRect rcClient : {CLayoutRect{0, 0, 0, 300}, CLayoutRect{0, 0, 400, 0},
                                 CLayoutRect{0, 0, 10, 300}, CLayoutRect{0, 0, 400, 8}}) {
        CFakeLayoutWindow window(rcClient);
        auto pControl = window.AddControl(1, {50, 50});
        auto pRoot = window.CreateRootPane(LAY_VERTICAL);
        pRoot->AddItem(window.CreateItem(1, LAY_GREEDY, 0, 0, 10, 10));
        window.SetRootPane(pRoot);
        EXPECT_EQ(pControl->m_nMoves, 0) << rcClient.right << "x" << rcClient.bottom;
    }
    CFakeLayoutWindow window({0, 0, 11, 11});
    auto pControl = window.AddControl(1, {50, 50});
    auto pRoot = window.CreateRootPane(LAY_VERTICAL);
    pRoot->AddItem(window.CreateItem(1, LAY_GREEDY, 0, 0, 10, 10));
    window.SetRootPane(pRoot);
    EXPECT_EQ(pControl->m_nMoves, 1);
}

TEST(LayoutFormManager, FrameLimitsAddTheOverheadAndTheBorders) {
    CFakeLayoutWindow window;
    window.AddControl(1165, {100, 100});
    auto pRoot = window.CreateRootPane(LAY_HORIZONTAL, 0);
    pRoot->AddItem(window.CreateItem(1165, LAY_FIXED_HORZ, 161, 0, 0, 40));
    pRoot->AddItem(window.CreateItem(nullptr, LAY_GREEDY, 0, 0, 60, 70));
    window.SetRootPane(pRoot);

    CLayoutMinMaxInfo info{{0, 0}, {9999, 9999}, {9999, 9999}};
    window.GetMinMaxInfo(info, {16, 80});
    EXPECT_EQ(info.ptMinTrackSize, (CLayoutSize{161 + 5 + 60 + 10 + 16, 70 + 10 + 80}));
    EXPECT_EQ(info.ptMaxTrackSize, (CLayoutSize{9999, 9999}));
    EXPECT_EQ(info.ptMaxSize, (CLayoutSize{9999, 9999}));
}

TEST(LayoutFormManager, FrameMaximumFollowsALimitedRootOnThatAxisOnly) {
    CFakeLayoutWindow window;
    auto pRoot = window.CreateRootPane(LAY_HORIZONTAL, 2);
    pRoot->AddItem(window.CreateItem(nullptr, LAY_FIXED_HORZ, 100, 0, 0, 30));
    pRoot->AddItem(window.CreateItem(nullptr, LAY_FIXED_HORZ, 50, 0, 0, 20));
    window.SetRootPane(pRoot);

    CLayoutMinMaxInfo info{{0, 0}, {9999, 9999}, {8888, 8888}};
    window.GetMinMaxInfo(info, {4, 6});
    const int nWidth = 100 + 5 + 50 + 4 + 10 + 4;
    EXPECT_EQ(info.ptMinTrackSize, (CLayoutSize{nWidth, 30 + 4 + 10 + 6}));
    EXPECT_EQ(info.ptMaxTrackSize, (CLayoutSize{nWidth, 9999}));
    EXPECT_EQ(info.ptMaxSize, (CLayoutSize{nWidth, 8888}));
}
