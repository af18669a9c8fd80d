// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/view/DragTreeCtrl.h"

#include "core/tree/DragScroll.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <memory>

namespace {

// The drag image: the item's icon and label in a small window that the
// cursor carries and that never takes the mouse.
QLabel* NewDragImage(const QTreeWidgetItem* pItem, QWidget* pOwner) {
    auto* pImage = new QLabel(pOwner, Qt::ToolTip | Qt::FramelessWindowHint);
    pImage->setAttribute(Qt::WA_TransparentForMouseEvents);
    pImage->setAttribute(Qt::WA_ShowWithoutActivating);
    pImage->setObjectName(QStringLiteral("DragImage"));
    const QPixmap icon = pItem->icon(0).pixmap(16, 16);
    const QFontMetrics metrics(pOwner->font());
    QPixmap pixmap(20 + metrics.horizontalAdvance(pItem->text(0)) + 4,
                   std::max(18, metrics.height() + 2));
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setOpacity(0.7);
    painter.drawPixmap(0, (pixmap.height() - 16) / 2, icon);
    painter.setFont(pOwner->font());
    painter.drawText(pixmap.rect().adjusted(20, 0, 0, 0), Qt::AlignVCenter, pItem->text(0));
    painter.end();
    pImage->setPixmap(pixmap);
    pImage->resize(pixmap.size());
    return pImage;
}

QAction* AddDropAction(QMenu& menu, const char* pszText, int nId) {
    QAction* pAction = menu.addAction(QString::fromLatin1(pszText));
    pAction->setData(nId);
    return pAction;
}

EDropAction ActionOfId(int nId) {
    switch (nId) {
    case CDragTreeCtrl::ID_DROP_COPY:
        return EDropAction::copyHere;
    case CDragTreeCtrl::ID_DROP_MOVE:
        return EDropAction::moveHere;
    case CDragTreeCtrl::ID_DROP_COPY_ALL:
        return EDropAction::copyAllHere;
    default:
        return EDropAction::moveAllHere;
    }
}

} // namespace

CDragTreeCtrl::CDragTreeCtrl(QWidget* pParent) : QTreeWidget(pParent) {
    m_scrollTimer.setInterval(SCROLL_TICK_MS);
    connect(&m_scrollTimer, &QTimer::timeout, this, &CDragTreeCtrl::OnScrollTick);
    // Right button presses and releases all come here: the context menu is
    // shown on the release of a right click that did not become a drag, and
    // the keyboard's menu key opens none.
    setContextMenuPolicy(Qt::PreventContextMenu);
}

CDragTreeCtrl::~CDragTreeCtrl() {
    delete m_pDragImage;
}

bool CDragTreeCtrl::CanDragItem(QTreeWidgetItem*) const {
    return true;
}

bool CDragTreeCtrl::CanDropOnItem(QTreeWidgetItem*) const {
    return true;
}

QTreeWidgetItem* CDragTreeCtrl::GetDropTarget(QTreeWidgetItem* pItem) const {
    if (!pItem || !CanDropOnItem(pItem) || pItem == m_hDragItem ||
        (m_hDragItem && pItem == m_hDragItem->parent()))
        return nullptr;
    for (QTreeWidgetItem* p = pItem->parent(); p; p = p->parent()) {
        if (p == m_hDragItem)
            return nullptr;
    }
    return pItem;
}

QMenu* CDragTreeCtrl::CreateDropMenu() {
    auto* pMenu = new QMenu(this);
    pMenu->setObjectName(QStringLiteral("DropMenu"));
    QAction* pDefault = nullptr;
    // A group is dragged when its parent is the file item at the top.
    if (m_hDragItem && m_hDragItem->parent() && !m_hDragItem->parent()->parent()) {
        AddDropAction(*pMenu, "Copy All Accounts Here", ID_DROP_COPY_ALL);
        pDefault = AddDropAction(*pMenu, "Move All Accounts Here", ID_DROP_MOVE_ALL);
    } else {
        AddDropAction(*pMenu, "Copy Here", ID_DROP_COPY);
        pDefault = AddDropAction(*pMenu, "Move Here", ID_DROP_MOVE);
    }
    pMenu->addSeparator();
    AddDropAction(*pMenu, "Cancel", ID_DROP_CANCEL);
    pMenu->setDefaultAction(pDefault);
    return pMenu;
}

void CDragTreeCtrl::mousePressEvent(QMouseEvent* pEvent) {
    if (IsDragging())
        return;
    m_ptPress = pEvent->position().toPoint();
    m_hPressItem = itemAt(m_ptPress);
    m_bGestureDecided = false;
    if (pEvent->button() == Qt::LeftButton) {
        m_pressClock.start();
        QTreeWidget::mousePressEvent(pEvent);
        return;
    }
    // A right press selects nothing: menus and drops act on the item
    // pressed, the selection stays.
    pEvent->accept();
}

void CDragTreeCtrl::mouseMoveEvent(QMouseEvent* pEvent) {
    const QPoint pt = pEvent->position().toPoint();
    const QPoint ptGlobal = pEvent->globalPosition().toPoint();
    if (IsDragging()) {
        DragMove(pt, ptGlobal);
        return;
    }
    const Qt::MouseButtons buttons = pEvent->buttons();
    if (!(buttons & (Qt::LeftButton | Qt::RightButton))) {
        QTreeWidget::mouseMoveEvent(pEvent);
        return;
    }
    // With a button held the tree neither selects along the way nor starts
    // its own drag: the gesture is ours.
    if (m_bGestureDecided || !m_hPressItem ||
        (pt - m_ptPress).manhattanLength() < QApplication::startDragDistance())
        return;
    m_bGestureDecided = true;
    BeginDrag((buttons & Qt::LeftButton) ? Qt::LeftButton : Qt::RightButton, ptGlobal);
}

void CDragTreeCtrl::BeginDrag(Qt::MouseButton eButton, const QPoint& ptGlobal) {
    const bool bLeft = eButton == Qt::LeftButton;
    if (bLeft && (!m_pressClock.isValid() || m_pressClock.elapsed() < MIN_PRESS_MS))
        return;
    if (!CanDragItem(m_hPressItem))
        return;
    m_hDragItem = m_hPressItem;
    m_hDropItem = nullptr;
    m_nTicks = 0;
    if (bLeft)
        setCurrentItem(m_hDragItem);
    else
        SetDropHighlight(nullptr);
    m_pDragImage = NewDragImage(m_hDragItem, this);
    m_ptHotSpot = bLeft ? QPoint(15, 15) : QPoint(10, -15);
    m_bLeftDrag = bLeft;
    m_bRightDrag = !bLeft;
    m_scrollTimer.start();
    MoveDragImage(ptGlobal);
    m_pDragImage->show();
}

void CDragTreeCtrl::DragMove(const QPoint& ptViewport, const QPoint& ptGlobal) {
    MoveDragImage(ptGlobal);
    QTreeWidgetItem* pHover = itemAt(ptViewport);
    if (m_bLeftDrag) {
        if (pHover && pHover != m_hDropItem && CanDropOnItem(pHover))
            SetDropHighlight(pHover);
        else if (pHover && pHover->parent() && CanDropOnItem(pHover->parent()))
            SetDropHighlight(pHover->parent()); // over an account: its group
        viewport()->setCursor(GetDropTarget(pHover) ? Qt::DragMoveCursor : Qt::ForbiddenCursor);
        return;
    }
    if (!pHover || !CanDropOnItem(pHover))
        pHover = pHover ? pHover->parent() : nullptr;
    if (pHover && CanDropOnItem(pHover))
        SetDropHighlight(pHover);
}

void CDragTreeCtrl::mouseReleaseEvent(QMouseEvent* pEvent) {
    const Qt::MouseButton eButton = pEvent->button();
    if (m_bLeftDrag && eButton == Qt::LeftButton) {
        DropLeft();
        return;
    }
    if (m_bRightDrag && eButton == Qt::RightButton) {
        DropRight(pEvent->globalPosition().toPoint());
        return;
    }
    if (eButton == Qt::RightButton) {
        if (!m_bGestureDecided && m_hPressItem && itemAt(m_ptPress) == m_hPressItem)
            emit ItemContextMenu(m_hPressItem, pEvent->globalPosition().toPoint());
        return;
    }
    // A left gesture that became a drag, or was refused as one, is no click.
    if (eButton == Qt::LeftButton && m_bGestureDecided)
        return;
    QTreeWidget::mouseReleaseEvent(pEvent);
}

void CDragTreeCtrl::DropLeft() {
    QTreeWidgetItem* pDrag = m_hDragItem;
    QTreeWidgetItem* pTarget = GetDropTarget(m_hDropItem);
    EndDrag();
    if (!pTarget)
        return;
    pTarget->setExpanded(true);
    emit ItemsDropped(EDropAction::leftDrop, pDrag, pTarget);
}

void CDragTreeCtrl::DropRight(const QPoint& ptGlobal) {
    QTreeWidgetItem* pDrag = m_hDragItem;
    QTreeWidgetItem* pDrop = m_hDropItem;
    const std::unique_ptr<QMenu> pMenu(pDrop && pDrop != pDrag ? CreateDropMenu() : nullptr);
    m_scrollTimer.stop();
    m_bRightDrag = false;
    delete m_pDragImage;
    m_pDragImage = nullptr;
    if (!pMenu) {
        EndDrag();
        return;
    }
    // The highlight stays while the menu asks where the drop goes.
    QAction* pChosen = pMenu->exec(ptGlobal);
    const QTreeWidgetItem* pTarget = GetDropTarget(pDrop);
    EndDrag();
    if (!pChosen || pChosen->data().toInt() == ID_DROP_CANCEL || pTarget != pDrop)
        return;
    const EDropAction eAction = ActionOfId(pChosen->data().toInt());
    if (eAction == EDropAction::moveHere || eAction == EDropAction::moveAllHere)
        pDrop->setExpanded(true);
    emit ItemsDropped(eAction, pDrag, pDrop);
}

void CDragTreeCtrl::EndDrag() {
    m_scrollTimer.stop();
    m_bLeftDrag = m_bRightDrag = false;
    delete m_pDragImage;
    m_pDragImage = nullptr;
    SetDropHighlight(nullptr);
    m_hDragItem = nullptr;
    viewport()->unsetCursor();
}

void CDragTreeCtrl::keyPressEvent(QKeyEvent* pEvent) {
    if (IsDragging() && pEvent->key() == Qt::Key_Escape) {
        EndDrag();
        pEvent->accept();
        return;
    }
    QTreeWidget::keyPressEvent(pEvent);
}

void CDragTreeCtrl::SetDropHighlight(QTreeWidgetItem* pItem) {
    if (m_hDropItem)
        m_hDropItem->setBackground(0, QBrush());
    m_hDropItem = pItem;
    if (m_hDropItem)
        m_hDropItem->setBackground(0, palette().highlight().color().lighter(150));
}

void CDragTreeCtrl::MoveDragImage(const QPoint& ptGlobal) {
    if (m_pDragImage)
        m_pDragImage->move(ptGlobal - m_ptHotSpot);
}

void CDragTreeCtrl::OnScrollTick() {
    ++m_nTicks;
    const QPoint ptCursor = QCursor::pos();
    MoveDragImage(ptCursor);
    const QRect rcScreen(viewport()->mapToGlobal(QPoint(0, 0)), viewport()->size());
    ScrollVertically(rcScreen, ptCursor);
    ScrollHorizontally(rcScreen, ptCursor);
}

void CDragTreeCtrl::ScrollVertically(const QRect& rcScreen, const QPoint& ptCursor) {
    if (ptCursor.x() < rcScreen.left() - SCROLL_ZONE ||
        ptCursor.x() > rcScreen.right() + SCROLL_ZONE)
        return;
    QScrollBar* pBar = verticalScrollBar();
    const int nTop = rcScreen.top() + SCROLL_ZONE;
    const int nBottom = rcScreen.bottom() - SCROLL_ZONE;
    if (ptCursor.y() < nTop && pBar->value() > pBar->minimum()) {
        if (m_nTicks % ScrollIntervalTicks(nTop - ptCursor.y()) != 0)
            return;
        pBar->triggerAction(QAbstractSlider::SliderSingleStepSub);
        SetDropHighlight(itemAt(QPoint(1, 1)));
    } else if (ptCursor.y() > nBottom && pBar->value() < pBar->maximum()) {
        if (m_nTicks % ScrollIntervalTicks(ptCursor.y() - nBottom) != 0)
            return;
        pBar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        SetDropHighlight(itemAt(QPoint(1, viewport()->height() - 1)));
    }
}

void CDragTreeCtrl::ScrollHorizontally(const QRect& rcScreen, const QPoint& ptCursor) {
    if (!rcScreen.contains(ptCursor))
        return;
    QScrollBar* pBar = horizontalScrollBar();
    if (ptCursor.x() < rcScreen.left() + SCROLL_ZONE && pBar->value() > pBar->minimum())
        pBar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    else if (ptCursor.x() > rcScreen.right() - SCROLL_ZONE && pBar->value() < pBar->maximum())
        pBar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
}
