// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/layout/ETSLayoutFormView.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>

#include <memory>

namespace {

enum : int {
    IDC_TREE = 1165,
    IDC_LABEL_USER = 1174,
    IDC_USER = 1004,
    IDC_COPY_USER = 1020,
    IDC_LABEL_PASSWORD = 1173,
    IDC_PASSWORD = 1002,
    IDC_COPY_PASSWORD = 1021,
    IDC_LABEL_COMMENTS = 1172,
    IDC_COMMENTS = 1005,
    IDC_WEBSITE = 1151,
    IDC_EMAIL = 1153,
    IDC_SPACER = 1198,
};

// A bare child: paints nothing itself, so the view's own painting shows
// wherever the view does not leave it out.
QWidget* AddChild(QWidget* pParent, int nId, QSize size = QSize()) {
    auto* pChild = new QWidget(pParent);
    pChild->setProperty("controlId", nId);
    if (size.isValid())
        pChild->resize(size);
    return pChild;
}

// The main view's children with sizes that do not depend on fonts: labels
// 70 x 16, buttons 24 x 24, links 80 x 16, the spacer 4 wide.
void AddViewChildren(ETSLayoutFormView& view) {
    AddChild(&view, IDC_TREE);
    AddChild(&view, IDC_SPACER, {4, 10})->hide();
    AddChild(&view, IDC_LABEL_USER, {70, 16});
    AddChild(&view, IDC_USER);
    AddChild(&view, IDC_COPY_USER, {24, 24});
    AddChild(&view, IDC_LABEL_PASSWORD, {70, 16});
    AddChild(&view, IDC_PASSWORD);
    AddChild(&view, IDC_COPY_PASSWORD, {24, 24});
    AddChild(&view, IDC_LABEL_COMMENTS, {70, 16});
    AddChild(&view, IDC_COMMENTS);
    AddChild(&view, IDC_WEBSITE, {80, 16});
    AddChild(&view, IDC_EMAIL, {80, 16});
}

// The account view's layout: the tree at its splitter width plus one, the
// spacer, and a column of labelled boxes whose comments box takes the spare
// height with a minimum of nCommentsHeight.
void BuildViewLayout(ETSLayoutFormView& view, int nTreeWidth, int nCommentsHeight) {
    CLayoutPanePtr pRoot = view.CreateRootPane(LAY_HORIZONTAL);
    pRoot->AddItem(view.CreateItem(IDC_TREE, LAY_FIXED_HORZ, nTreeWidth + 1, 0, 0, 0));
    pRoot->AddItem(view.CreateItem(IDC_SPACER, LAY_FIXED_HORZ, 0, 0, 0, 0));
    CLayoutPanePtr pColumn = view.CreatePane(LAY_VERTICAL, LAY_GREEDY, 5, 5);
    for (auto [nLabel, nBox, nButton] :
         {std::tuple{IDC_LABEL_USER, IDC_USER, IDC_COPY_USER},
          std::tuple{IDC_LABEL_PASSWORD, IDC_PASSWORD, IDC_COPY_PASSWORD}}) {
        pColumn->AddItem(view.CreateItem(nLabel, LAY_FIXED));
        CLayoutPanePtr pRow = view.CreatePane(LAY_HORIZONTAL, LAY_FIXED_VERT, 5, 0);
        pRow->AddItem(view.CreateItem(nBox, LAY_GREEDY, 0, 0, 60, 18));
        pRow->AddItem(view.CreateItem(nButton, LAY_FIXED));
        pColumn->AddPane(pRow);
    }
    pColumn->AddItem(view.CreateItem(IDC_LABEL_COMMENTS, LAY_FIXED));
    pColumn->AddItem(view.CreateItem(IDC_COMMENTS, LAY_GREEDY, 0, 0, 60, nCommentsHeight));
    pColumn->AddItem(view.CreateItem(IDC_WEBSITE, LAY_FIXED_VERT, 0, 0, 60, 0));
    pColumn->AddItem(view.CreateItem(IDC_EMAIL, LAY_FIXED_VERT, 0, 0, 60, 0));
    pRoot->AddPane(pColumn);
    view.UpdateLayout();
}

QRect At(const ETSLayoutFormView& view, int nId) {
    const QWidget* pChild = view.FindControl(nId);
    return pChild ? pChild->geometry() : QRect();
}

// Minimum size of the layout above: tree 161 + spacer 4 + column 99 wide
// (the row 60 + 5 + 24 with its margins), gaps of 5, borders of 5; and the
// column's labels, rows, links, gaps and margins (173) plus the comments box
// high.
constexpr int MIN_WIDTH = 161 + 4 + 99 + 2 * 5 + 2 * 5;
int MinHeight(int nCommentsHeight) {
    return 173 + nCommentsHeight + 2 * 5;
}

} // namespace

class LayoutFormViewTest : public QObject {
    Q_OBJECT

private slots:
    void ChildrenLandAtTheComputedRectangles();
    void ResizingGrowsAndShrinksTheGreedyChildren();
    void RebuildingWithANewTreeWidthMovesTheColumn();
    void NaturalSizeOfAnUnsizedChildIsWhatItAsksFor();
    void ShowingOrHidingAChildLaysTheViewOutAgain();
    void BackgroundIsPaintedOnlyAroundVisibleChildren();
    void GroupBoxesAndTabPagesAreBackground();
    void MinimumSizeHoldsTheMainWindow();
    void CommentsMinimumRaisesTheFramesMinimum();
    void LimitedLayoutCapsTheViewsMaximum();
};

void LayoutFormViewTest::ChildrenLandAtTheComputedRectangles() {
    ETSLayoutFormView view;
    AddViewChildren(view);
    view.resize(400, 300);
    BuildViewLayout(view, 160, 18);

    QCOMPARE(At(view, IDC_TREE), QRect(5, 5, 161, 290));
    QCOMPARE(At(view, IDC_SPACER), QRect(171, 5, 4, 290));
    // The column spans 180..395 less its margins of 5.
    QCOMPARE(At(view, IDC_LABEL_USER), QRect(185, 10, 70, 16));
    QCOMPARE(At(view, IDC_USER), QRect(185, 31, 176, 24));
    QCOMPARE(At(view, IDC_COPY_USER), QRect(366, 31, 24, 24));
    QCOMPARE(At(view, IDC_LABEL_PASSWORD), QRect(185, 60, 70, 16));
    QCOMPARE(At(view, IDC_PASSWORD), QRect(185, 81, 176, 24));
    QCOMPARE(At(view, IDC_COPY_PASSWORD), QRect(366, 81, 24, 24));
    QCOMPARE(At(view, IDC_LABEL_COMMENTS), QRect(185, 110, 70, 16));
    QCOMPARE(At(view, IDC_COMMENTS), QRect(185, 131, 205, 117));
    QCOMPARE(At(view, IDC_WEBSITE), QRect(185, 253, 205, 16));
    QCOMPARE(At(view, IDC_EMAIL), QRect(185, 274, 205, 16));
}

void LayoutFormViewTest::ResizingGrowsAndShrinksTheGreedyChildren() {
    ETSLayoutFormView view;
    AddViewChildren(view);
    view.resize(400, 300);
    BuildViewLayout(view, 160, 18);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    view.resize(500, 420);
    QCOMPARE(At(view, IDC_TREE), QRect(5, 5, 161, 410));
    QCOMPARE(At(view, IDC_USER), QRect(185, 31, 276, 24));
    QCOMPARE(At(view, IDC_COPY_USER), QRect(466, 31, 24, 24));
    QCOMPARE(At(view, IDC_COMMENTS), QRect(185, 131, 305, 237));
    QCOMPARE(At(view, IDC_EMAIL), QRect(185, 394, 305, 16));

    view.resize(MIN_WIDTH, MinHeight(18));
    QCOMPARE(At(view, IDC_USER).width(), 60);
    QCOMPARE(At(view, IDC_COMMENTS).height(), 18);
    QCOMPARE(At(view, IDC_EMAIL).bottom() + 1, MinHeight(18) - 5 - 5);

    // Below the minimum the view does not go.
    view.resize(100, 100);
    QCOMPARE(view.size(), QSize(MIN_WIDTH, MinHeight(18)));
}

void LayoutFormViewTest::RebuildingWithANewTreeWidthMovesTheColumn() {
    ETSLayoutFormView view;
    AddViewChildren(view);
    view.resize(500, 300);
    BuildViewLayout(view, 160, 18);
    QCOMPARE(At(view, IDC_USER).left(), 185);

    BuildViewLayout(view, 220, 18);
    QCOMPARE(At(view, IDC_TREE), QRect(5, 5, 221, 290));
    QCOMPARE(At(view, IDC_SPACER).left(), 231);
    QCOMPARE(At(view, IDC_USER), QRect(245, 31, 216, 24));
    QCOMPARE(view.minimumSize().width(), MIN_WIDTH + 60);
}

void LayoutFormViewTest::NaturalSizeOfAnUnsizedChildIsWhatItAsksFor() {
    ETSLayoutFormView view;
    auto* pLabel = new QLabel(QStringLiteral("Comments"), &view);
    pLabel->setProperty("controlId", IDC_LABEL_COMMENTS);
    const QSize sizeHint = pLabel->sizeHint();
    QVERIFY(sizeHint.isValid());
    auto* pGiven = AddChild(&view, IDC_COMMENTS, {33, 44});

    view.resize(300, 200);
    CLayoutPanePtr pRoot = view.CreateRootPane(LAY_VERTICAL);
    pRoot->AddItem(view.CreateItem(IDC_LABEL_COMMENTS, LAY_FIXED));
    pRoot->AddItem(view.CreateItem(pGiven, LAY_FIXED));
    view.SetRootPane(pRoot);

    QCOMPARE(pLabel->geometry(), QRect(QPoint(5, 5), sizeHint));
    QCOMPARE(pGiven->geometry(), QRect(5, 5 + sizeHint.height() + 5, 33, 44));
    QCOMPARE(view.FindControl(4711), nullptr);
}

void LayoutFormViewTest::ShowingOrHidingAChildLaysTheViewOutAgain() {
    ETSLayoutFormView view;
    AddViewChildren(view);
    view.resize(400, 300);
    BuildViewLayout(view, 160, 18);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    // A hidden child keeps its place in the layout.
    QWidget* pWebsite = view.FindControl(IDC_WEBSITE);
    QWidget* pComments = view.FindControl(IDC_COMMENTS);
    pComments->setGeometry(0, 0, 1, 1);
    pWebsite->hide();
    QCOMPARE(pComments->geometry(), QRect(185, 131, 205, 117));
    QCOMPARE(pWebsite->geometry(), QRect(185, 253, 205, 16));

    pComments->setGeometry(0, 0, 1, 1);
    pWebsite->show();
    QCOMPARE(pComments->geometry(), QRect(185, 131, 205, 117));
}

void LayoutFormViewTest::BackgroundIsPaintedOnlyAroundVisibleChildren() {
    ETSLayoutFormView view;
    AddViewChildren(view);
    QPalette palette = view.palette();
    palette.setColor(QPalette::Window, QColor(250, 0, 0));
    view.setPalette(palette);
    view.resize(400, 300);
    BuildViewLayout(view, 160, 18);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    const QRegion region = view.EraseRegion();
    QVERIFY(region.contains(QPoint(2, 2)));      // border
    QVERIFY(region.contains(QPoint(168, 100)));  // gap beside the tree
    QVERIFY(region.contains(QPoint(172, 100)));  // the hidden spacer
    QVERIFY(!region.contains(QPoint(50, 50)));   // the tree
    QVERIFY(!region.contains(QPoint(200, 200))); // the comments box
    QVERIFY(region.contains(QPoint(300, 15)));   // beside the label

    // The children paint nothing, so what the view painted shows through,
    // over a blue canvas.
    const QRgb red = QColor(250, 0, 0).rgb();
    const QRgb blue = QColor(0, 0, 250).rgb();
    const auto paint = [&view, blue] {
        QImage image(view.size(), QImage::Format_RGB32);
        image.fill(blue);
        view.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        return image;
    };
    QImage image = paint();
    QCOMPARE(image.pixelColor(2, 2).rgb(), red);
    QCOMPARE(image.pixelColor(172, 100).rgb(), red);
    QCOMPARE(image.pixelColor(50, 50).rgb(), blue);
    QCOMPARE(image.pixelColor(200, 200).rgb(), blue);
    QCOMPARE(image.pixelColor(300, 15).rgb(), red);

    view.FindControl(IDC_TREE)->hide();
    QVERIFY(view.EraseRegion().contains(QPoint(50, 50)));
    image = paint();
    QCOMPARE(image.pixelColor(50, 50).rgb(), red);
}

void LayoutFormViewTest::GroupBoxesAndTabPagesAreBackground() {
    ETSLayoutFormView view;
    view.resize(300, 300);
    auto* pGroup = new QGroupBox(QStringLiteral("Group"), &view);
    pGroup->setGeometry(10, 10, 100, 100);
    auto* pTabs = new QTabWidget(&view);
    pTabs->addTab(new QWidget, QStringLiteral("One"));
    pTabs->setGeometry(10, 150, 200, 120);
    auto* pPlain = AddChild(&view, 1, {});
    pPlain->setGeometry(150, 10, 50, 50);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    const QRegion region = view.EraseRegion();
    QVERIFY(region.contains(QPoint(50, 50)));
    QVERIFY(!region.contains(QPoint(160, 20)));
    const QRect rcBar(pTabs->tabBar()->mapTo(&view, QPoint(0, 0)), pTabs->tabBar()->size());
    QVERIFY(rcBar.height() > 0);
    QVERIFY(!region.contains(rcBar.center()));
    QVERIFY(region.contains(QPoint(100, 250)));
}

void LayoutFormViewTest::MinimumSizeHoldsTheMainWindow() {
    QMainWindow frame;
    frame.addToolBar(QStringLiteral("Main"))->addAction(QStringLiteral("Open"));
    frame.statusBar()->showMessage(QStringLiteral("Ready"));
    auto* pView = new ETSLayoutFormView;
    AddViewChildren(*pView);
    frame.setCentralWidget(pView);
    BuildViewLayout(*pView, 160, 18);
    QCOMPARE(pView->minimumSize(), QSize(MIN_WIDTH, MinHeight(18)));
    QCOMPARE(pView->minimumSizeHint(), QSize(MIN_WIDTH, MinHeight(18)));

    frame.resize(700, 500);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    QCOMPARE(At(*pView, IDC_TREE).height(), pView->height() - 10);

    frame.resize(50, 50);
    QApplication::processEvents();
    QVERIFY(frame.height() > MinHeight(18));
    QCOMPARE(pView->height(), MinHeight(18));
    QVERIFY(pView->width() >= MIN_WIDTH);
    QCOMPARE(At(*pView, IDC_COMMENTS).height(), 18);
}

void LayoutFormViewTest::CommentsMinimumRaisesTheFramesMinimum() {
    QMainWindow frame;
    auto* pView = new ETSLayoutFormView;
    AddViewChildren(*pView);
    frame.setCentralWidget(pView);
    BuildViewLayout(*pView, 160, 18);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    QApplication::processEvents();
    const int nShort = frame.minimumSizeHint().height();

    // The search bar hidden: 39 pixels more for the comments box.
    BuildViewLayout(*pView, 160, 18 + 39);
    QApplication::processEvents();
    QCOMPARE(frame.minimumSizeHint().height(), nShort + 39);
    frame.resize(50, 50);
    QApplication::processEvents();
    QCOMPARE(pView->height(), MinHeight(57));
    QCOMPARE(At(*pView, IDC_COMMENTS).height(), 57);
}

void LayoutFormViewTest::LimitedLayoutCapsTheViewsMaximum() {
    ETSLayoutFormView view;
    auto* pOnly = AddChild(&view, 1, {80, 30});
    CLayoutPanePtr pRoot = view.CreateRootPane(LAY_HORIZONTAL, 0);
    pRoot->AddItem(view.CreateItem(pOnly, LAY_FIXED_HORZ, 0, 0, 0, 10));
    view.SetRootPane(pRoot);
    QCOMPARE(view.maximumSize(), QSize(90, QWIDGETSIZE_MAX));
    QCOMPARE(view.minimumSize(), QSize(90, 20));
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.resize(300, 200);
    QCOMPARE(view.size(), QSize(90, 200));
    QCOMPARE(pOnly->geometry(), QRect(5, 5, 80, 190));
}

QTEST_MAIN(LayoutFormViewTest)
#include "LayoutFormViewTest.moc"
