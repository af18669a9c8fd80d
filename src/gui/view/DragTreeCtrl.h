// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QPersistentModelIndex>
#include <QTimer>
#include <QTreeView>

class QLabel;
class QMenu;

// What a finished drag asks for. A left drop moves a dragged account and
// copies the accounts of a dragged group; the others are the drop menu's.
enum class EDropAction { leftDrop, copyHere, moveHere, copyAllHere, moveAllHere };

// A tree whose items are dragged with the real mouse: the left button drops
// at once, the right button asks with the drop menu. While a drag lasts the
// group under the cursor is highlighted, a drag image follows the cursor,
// the tree scrolls near its edges and Esc ends the drag. The tree only finds
// the target: ItemsDropped hands the drop itself to its owner.
class CDragTreeCtrl : public QTreeView {
    Q_OBJECT
public:
    // Ids of the drop menu's commands, private to that menu.
    static constexpr int ID_DROP_COPY_ALL = 32855;
    static constexpr int ID_DROP_MOVE_ALL = 32856;
    static constexpr int ID_DROP_MOVE = 32857;
    static constexpr int ID_DROP_COPY = 32858;
    static constexpr int ID_DROP_CANCEL = 32859;
    // A left drag that starts sooner than this after the press is ignored,
    // so a hasty click never moves anything.
    static constexpr int MIN_PRESS_MS = 80;

    explicit CDragTreeCtrl(QWidget* pParent = nullptr);
    ~CDragTreeCtrl() override;

    bool IsDragging() const { return m_bLeftDrag || m_bRightDrag; }
    QModelIndex DragItem() const { return m_dragItem; }
    QModelIndex DropHighlightItem() const { return m_dropItem; }
    // The drop target for item: item when it receives drops and is neither
    // the dragged item, nor its parent, nor inside it; otherwise none.
    QModelIndex GetDropTarget(const QModelIndex& item) const;

signals:
    void ItemsDropped(EDropAction eAction, const QModelIndex& dragItem,
                      const QModelIndex& targetItem);
    // A right click on item (no drag) at the global position ptGlobal.
    void ItemContextMenu(const QModelIndex& item, const QPoint& ptGlobal);

protected:
    virtual bool CanDragItem(const QModelIndex& item) const;
    virtual bool CanDropOnItem(const QModelIndex& item) const;
    // Whether the item is a group, whose drag moves or copies its children.
    virtual bool IsGroupItem(const QModelIndex& item) const;
    // The menu a right drop shows, its actions carrying their ids.
    virtual QMenu* CreateDropMenu();

    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;
    void mouseReleaseEvent(QMouseEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;
    // The group a drag hovers over is drawn highlighted.
    void drawRow(QPainter* pPainter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override;

private:
    void BeginDrag(Qt::MouseButton eButton, const QPoint& ptGlobal);
    void DragMove(const QPoint& ptViewport, const QPoint& ptGlobal);
    // Ends a drag either way: timer, image, highlight and cursor go.
    void EndDrag();
    void DropLeft();
    void DropRight(const QPoint& ptGlobal);
    void SetDropHighlight(const QModelIndex& item);
    void MoveDragImage(const QPoint& ptGlobal);
    void OnScrollTick();
    void ScrollVertically(const QRect& rcScreen, const QPoint& ptCursor);
    void ScrollHorizontally(const QRect& rcScreen, const QPoint& ptCursor);

    QElapsedTimer m_pressClock; // started at the last left press
    QPoint m_ptPress;           // where the last button press was
    QPersistentModelIndex m_pressItem;
    bool m_bGestureDecided = false; // this press's drag began or was refused
    QTimer m_scrollTimer;
    int m_nTicks = 0;
    bool m_bLeftDrag = false;
    bool m_bRightDrag = false;
    QPersistentModelIndex m_dragItem;
    QPersistentModelIndex m_dropItem;
    QLabel* m_pDragImage = nullptr;
    QPoint m_ptHotSpot;
};
