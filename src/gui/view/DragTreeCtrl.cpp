// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/view/DragTreeCtrl.h"

#include "core/tree/DragScroll.h"
#include "platform/Translations.h"

#include <QApplication>
#include <QIcon>
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
QLabel* NewDragImage(const QModelIndex& item, QWidget* pOwner) {
    auto* pImage = new QLabel(pOwner, Qt::ToolTip | Qt::FramelessWindowHint);
    pImage->setAttribute(Qt::WA_TransparentForMouseEvents);
    pImage->setAttribute(Qt::WA_ShowWithoutActivating);
    pImage->setObjectName(QStringLiteral("DragImage"));
    const QPixmap icon = item.data(Qt::DecorationRole).value<QIcon>().pixmap(16, 16);
    const QString strText = item.data().toString();
    const QFontMetrics metrics(pOwner->font());
    QPixmap pixmap(20 + metrics.horizontalAdvance(strText) + 4, std::max(18, metrics.height() + 2));
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setOpacity(0.7);
    painter.drawPixmap(0, (pixmap.height() - 16) / 2, icon);
    painter.setFont(pOwner->font());
    painter.drawText(pixmap.rect().adjusted(20, 0, 0, 0), Qt::AlignVCenter, strText);
    painter.end();
    pImage->setPixmap(pixmap);
    pImage->resize(pixmap.size());
    return pImage;
}

QAction* AddDropAction(QMenu& menu, const char* pszText, int nId) {
    QAction* pAction = menu.addAction(TrText(pszText));
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

CDragTreeCtrl::CDragTreeCtrl(QWidget* pParent) : QTreeView(pParent) {
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

bool CDragTreeCtrl::CanDragItem(const QModelIndex&) const {
    return true;
}

bool CDragTreeCtrl::CanDropOnItem(const QModelIndex&) const {
    return true;
}

bool CDragTreeCtrl::IsGroupItem(const QModelIndex& item) const {
    // Below the file item at the top.
    return item.parent().isValid() && !item.parent().parent().isValid();
}

QModelIndex CDragTreeCtrl::GetDropTarget(const QModelIndex& item) const {
    if (!item.isValid() || !CanDropOnItem(item) || item == m_dragItem ||
        (m_dragItem.isValid() && item == m_dragItem.parent()))
        return {};
    for (QModelIndex p = item.parent(); p.isValid(); p = p.parent()) {
        if (p == m_dragItem)
            return {};
    }
    return item;
}

QMenu* CDragTreeCtrl::CreateDropMenu() {
    auto* pMenu = new QMenu(this);
    pMenu->setObjectName(QStringLiteral("DropMenu"));
    QAction* pDefault = nullptr;
    if (m_dragItem.isValid() && IsGroupItem(m_dragItem)) {
        AddDropAction(*pMenu, KH_TEXT("Keyhaven", "Copy All Accounts Here"), ID_DROP_COPY_ALL);
        pDefault =
            AddDropAction(*pMenu, KH_TEXT("Keyhaven", "Move All Accounts Here"), ID_DROP_MOVE_ALL);
    } else {
        AddDropAction(*pMenu, KH_TEXT("Keyhaven", "Copy Here"), ID_DROP_COPY);
        pDefault = AddDropAction(*pMenu, KH_TEXT("Keyhaven", "Move Here"), ID_DROP_MOVE);
    }
    pMenu->addSeparator();
    AddDropAction(*pMenu, KH_TEXT("Keyhaven", "Cancel"), ID_DROP_CANCEL);
    pMenu->setDefaultAction(pDefault);
    return pMenu;
}

void CDragTreeCtrl::mousePressEvent(QMouseEvent* pEvent) {
    if (IsDragging())
        return;
    m_ptPress = pEvent->position().toPoint();
    m_pressItem = indexAt(m_ptPress);
    m_bGestureDecided = false;
    if (pEvent->button() == Qt::LeftButton) {
        m_pressClock.start();
        QTreeView::mousePressEvent(pEvent);
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
        QTreeView::mouseMoveEvent(pEvent);
        return;
    }
    // With a button held the tree neither selects along the way nor starts
    // its own drag: the gesture is ours.
    if (m_bGestureDecided || !m_pressItem.isValid() ||
        (pt - m_ptPress).manhattanLength() < QApplication::startDragDistance())
        return;
    m_bGestureDecided = true;
    BeginDrag((buttons & Qt::LeftButton) ? Qt::LeftButton : Qt::RightButton, ptGlobal);
}

void CDragTreeCtrl::BeginDrag(Qt::MouseButton eButton, const QPoint& ptGlobal) {
    const bool bLeft = eButton == Qt::LeftButton;
    if (bLeft && (!m_pressClock.isValid() || m_pressClock.elapsed() < MIN_PRESS_MS))
        return;
    if (!CanDragItem(m_pressItem))
        return;
    m_dragItem = m_pressItem;
    m_dropItem = QPersistentModelIndex();
    m_nTicks = 0;
    if (bLeft)
        setCurrentIndex(m_dragItem);
    else
        SetDropHighlight({});
    m_pDragImage = NewDragImage(m_dragItem, this);
    m_ptHotSpot = bLeft ? QPoint(15, 15) : QPoint(10, -15);
    m_bLeftDrag = bLeft;
    m_bRightDrag = !bLeft;
    m_scrollTimer.start();
    MoveDragImage(ptGlobal);
    m_pDragImage->show();
}

void CDragTreeCtrl::DragMove(const QPoint& ptViewport, const QPoint& ptGlobal) {
    MoveDragImage(ptGlobal);
    QModelIndex hover = indexAt(ptViewport);
    if (m_bLeftDrag) {
        if (hover.isValid() && hover != m_dropItem && CanDropOnItem(hover))
            SetDropHighlight(hover);
        else if (hover.parent().isValid() && CanDropOnItem(hover.parent()))
            SetDropHighlight(hover.parent()); // over an account: its group
        viewport()->setCursor(GetDropTarget(hover).isValid() ? Qt::DragMoveCursor
                                                             : Qt::ForbiddenCursor);
        return;
    }
    if (!hover.isValid() || !CanDropOnItem(hover))
        hover = hover.parent();
    if (hover.isValid() && CanDropOnItem(hover))
        SetDropHighlight(hover);
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
        if (!m_bGestureDecided && m_pressItem.isValid() && indexAt(m_ptPress) == m_pressItem)
            emit ItemContextMenu(m_pressItem, pEvent->globalPosition().toPoint());
        return;
    }
    // A left gesture that became a drag, or was refused as one, is no click.
    if (eButton == Qt::LeftButton && m_bGestureDecided)
        return;
    QTreeView::mouseReleaseEvent(pEvent);
}

void CDragTreeCtrl::DropLeft() {
    const QPersistentModelIndex drag = m_dragItem;
    const QPersistentModelIndex target = GetDropTarget(m_dropItem);
    EndDrag();
    if (!target.isValid())
        return;
    expand(target);
    emit ItemsDropped(EDropAction::leftDrop, drag, target);
}

void CDragTreeCtrl::DropRight(const QPoint& ptGlobal) {
    const QPersistentModelIndex drag = m_dragItem;
    const QPersistentModelIndex drop = m_dropItem;
    const std::unique_ptr<QMenu> pMenu(drop.isValid() && drop != drag ? CreateDropMenu() : nullptr);
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
    const QModelIndex target = GetDropTarget(drop);
    EndDrag();
    if (!pChosen || pChosen->data().toInt() == ID_DROP_CANCEL || !drop.isValid() || target != drop)
        return;
    const EDropAction eAction = ActionOfId(pChosen->data().toInt());
    if (eAction == EDropAction::moveHere || eAction == EDropAction::moveAllHere)
        expand(drop);
    emit ItemsDropped(eAction, drag, drop);
}

void CDragTreeCtrl::EndDrag() {
    m_scrollTimer.stop();
    m_bLeftDrag = m_bRightDrag = false;
    delete m_pDragImage;
    m_pDragImage = nullptr;
    SetDropHighlight({});
    m_dragItem = QPersistentModelIndex();
    viewport()->unsetCursor();
}

void CDragTreeCtrl::keyPressEvent(QKeyEvent* pEvent) {
    if (IsDragging() && pEvent->key() == Qt::Key_Escape) {
        EndDrag();
        pEvent->accept();
        return;
    }
    QTreeView::keyPressEvent(pEvent);
}

void CDragTreeCtrl::SetDropHighlight(const QModelIndex& item) {
    if (m_dropItem == item)
        return;
    if (m_dropItem.isValid())
        update(m_dropItem);
    m_dropItem = item;
    if (m_dropItem.isValid())
        update(m_dropItem);
}

void CDragTreeCtrl::drawRow(QPainter* pPainter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
    if (index.isValid() && index == m_dropItem)
        pPainter->fillRect(visualRect(index), palette().highlight().color().lighter(150));
    QTreeView::drawRow(pPainter, option, index);
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
        SetDropHighlight(indexAt(QPoint(1, 1)));
    } else if (ptCursor.y() > nBottom && pBar->value() < pBar->maximum()) {
        if (m_nTicks % ScrollIntervalTicks(ptCursor.y() - nBottom) != 0)
            return;
        pBar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        SetDropHighlight(indexAt(QPoint(1, viewport()->height() - 1)));
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
