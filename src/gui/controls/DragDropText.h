// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QString>
#include <Qt>
#include <functional>

class CDragTextField;
class QDrag;
class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QMouseEvent;

// Drag and drop of text for an edit field, in both directions: pressing on
// the selection and moving drags the selected text out (to another field, to
// another program, or elsewhere in the same field); text dropped in from
// anywhere is inserted where it falls and selected. Without Ctrl a drop
// moves the text, with Ctrl it copies it. The field forwards its mouse and
// drag events here.
class CDragDropText {
public:
    enum EMode { DRAG_SOURCE = 0x1, DROP_TARGET = 0x2 };

    explicit CDragDropText(CDragTextField& field);

    // Sets the mode once; false when it was set before.
    bool EnableDragDrop(int nMode);
    int Mode() const { return m_nDragMode; }

    // True when the event was taken (no default handling follows).
    bool MousePress(QMouseEvent* pEvent);
    bool MouseMove(QMouseEvent* pEvent);
    bool MouseRelease(QMouseEvent* pEvent);
    // The arrow instead of the text cursor over a selection that can be dragged.
    bool ShowsArrowAt(const QPoint& ptPos) const;

    void DragEnter(QDragEnterEvent* pEvent);
    void DragMove(QDragMoveEvent* pEvent);
    void DragLeave();
    void Drop(QDropEvent* pEvent);

    bool IsInsideSelection(const QPoint& ptPos) const;
    bool IsSource() const { return m_bIsSource; }

    // Runs the drag loop and returns its result; tests replace it to play a
    // drop synchronously.
    std::function<Qt::DropAction(QDrag*)> m_fnExecDrag;

private:
    void StartDrag(const QPoint& ptPos);
    // Inside the selection that is being dragged (the field's own may have
    // moved meanwhile).
    bool IsInsideDragged(const QPoint& ptPos) const;
    void FinishMove();
    static Qt::DropAction ActionFor(Qt::KeyboardModifiers modifiers);

    CDragTextField& m_field;
    bool m_bRegistered = false;
    int m_nDragMode = 0;
    bool m_bIsSource = false;
    bool m_bDroppedOnSelf = false;
    bool m_bAccepting = false;
    bool m_bPressOnSelection = false;
    QPoint m_ptPress;
    int m_nDropPos = 0;
    // The selection being dragged: where it was and what it held.
    int m_nSelStart = 0;
    int m_nSelEnd = 0;
    QString m_strDragged;
};
