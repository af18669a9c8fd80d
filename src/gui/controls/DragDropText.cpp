// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controls/DragDropText.h"

#include "gui/controls/DragTextField.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QWidget>

#include <algorithm>

CDragDropText::CDragDropText(CDragTextField& field)
    : m_fnExecDrag([this](QDrag* pDrag) {
          if (m_field.FieldIsReadOnly())
              return pDrag->exec(Qt::CopyAction, Qt::CopyAction);
          return pDrag->exec(Qt::CopyAction | Qt::MoveAction, Qt::MoveAction);
      }),
      m_field(field) {}

bool CDragDropText::EnableDragDrop(int nMode) {
    if (m_bRegistered)
        return false;
    m_nDragMode = nMode;
    m_bRegistered = true;
    // The field takes drops only through this object.
    m_field.FieldWidget()->setAcceptDrops((nMode & DROP_TARGET) != 0);
    return true;
}

bool CDragDropText::IsInsideSelection(const QPoint& ptPos) const {
    const int nStart = m_field.FieldSelectionStart();
    const int nEnd = m_field.FieldSelectionEnd();
    if (nStart == nEnd)
        return false;
    bool bPastLineEnd = false;
    const int nIndex = m_field.FieldIndexAt(ptPos, &bPastLineEnd);
    return !bPastLineEnd && nIndex >= nStart && nIndex <= nEnd;
}

bool CDragDropText::IsInsideDragged(const QPoint& ptPos) const {
    bool bPastLineEnd = false;
    const int nIndex = m_field.FieldIndexAt(ptPos, &bPastLineEnd);
    return !bPastLineEnd && nIndex >= m_nSelStart && nIndex <= m_nSelEnd;
}

bool CDragDropText::ShowsArrowAt(const QPoint& ptPos) const {
    return (m_nDragMode & DRAG_SOURCE) != 0 && IsInsideSelection(ptPos);
}

bool CDragDropText::MousePress(QMouseEvent* pEvent) {
    m_bPressOnSelection = false;
    if (pEvent->button() != Qt::LeftButton || (m_nDragMode & DRAG_SOURCE) == 0)
        return false;
    const QPoint ptPos = pEvent->position().toPoint();
    if (!IsInsideSelection(ptPos))
        return false;
    // The drag starts once the pointer leaves the start distance; a release
    // before that only places the caret.
    m_bPressOnSelection = true;
    m_ptPress = ptPos;
    return true;
}

bool CDragDropText::MouseMove(QMouseEvent* pEvent) {
    if (!m_bPressOnSelection)
        return false;
    const QPoint ptPos = pEvent->position().toPoint();
    if ((ptPos - m_ptPress).manhattanLength() >= QApplication::startDragDistance()) {
        m_bPressOnSelection = false;
        StartDrag(ptPos);
    }
    return true;
}

bool CDragDropText::MouseRelease(QMouseEvent* pEvent) {
    if (!m_bPressOnSelection)
        return false;
    m_bPressOnSelection = false;
    m_field.FieldSetCaret(m_field.FieldIndexAt(pEvent->position().toPoint()));
    return true;
}

void CDragDropText::StartDrag(const QPoint& ptPos) {
    m_nSelStart = m_field.FieldSelectionStart();
    m_nSelEnd = m_field.FieldSelectionEnd();
    m_strDragged = m_field.FieldSelectedText();
    auto* pData = new QMimeData;
    pData->setText(m_strDragged);
    auto* pDrag = new QDrag(m_field.FieldWidget());
    pDrag->setMimeData(pData);

    m_bDroppedOnSelf = false;
    m_bIsSource = true;
    const Qt::DropAction eResult = m_fnExecDrag(pDrag);
    m_bIsSource = false;
    // Qt deletes the drag itself once the desktop is done with it: on X11
    // the receiving program may ask for the text after the loop returned.

    // A read-only field keeps its text whatever the target made of the drop.
    if (eResult == Qt::MoveAction && m_field.FieldIsReadOnly()) {
        m_bDroppedOnSelf = false;
    } else if (eResult == Qt::MoveAction) {
        if (m_bDroppedOnSelf)
            FinishMove();
        else
            m_field.FieldRemove(m_nSelStart, m_nSelEnd); // it went elsewhere
    } else if (eResult != Qt::CopyAction) {
        m_bDroppedOnSelf = false;
        m_field.FieldSetCaret(m_field.FieldIndexAt(ptPos));
    }
}

void CDragDropText::FinishMove() {
    m_bDroppedOnSelf = false;
    if (m_nDropPos >= m_nSelStart && m_nDropPos <= m_nSelEnd)
        return; // dropped on itself
    int nInsert = m_nDropPos;
    if (m_nDropPos > m_nSelEnd)
        nInsert = std::max(0, m_nDropPos - (m_nSelEnd - m_nSelStart));
    m_field.FieldRemove(m_nSelStart, m_nSelEnd);
    m_field.FieldInsertSelected(nInsert, m_strDragged);
}

Qt::DropAction CDragDropText::ActionFor(Qt::KeyboardModifiers modifiers) {
    return (modifiers & Qt::ControlModifier) != 0 ? Qt::CopyAction : Qt::MoveAction;
}

void CDragDropText::DragEnter(QDragEnterEvent* pEvent) {
    m_bAccepting = (m_nDragMode & DROP_TARGET) != 0 && pEvent->mimeData()->hasText();
    if (!m_bAccepting) {
        pEvent->ignore();
        return;
    }
    m_field.FieldWidget()->setFocus(Qt::OtherFocusReason);
    pEvent->setDropAction(ActionFor(pEvent->modifiers()));
    pEvent->accept();
}

void CDragDropText::DragMove(QDragMoveEvent* pEvent) {
    if (!m_bAccepting) {
        pEvent->ignore();
        return;
    }
    const QPoint ptPos = pEvent->position().toPoint();
    m_field.FieldScrollToward(ptPos);
    // While its own text is dragged the field keeps the selection: the
    // caret shows where the drop will go only for text from elsewhere.
    if (!m_bIsSource)
        m_field.FieldSetCaret(m_field.FieldIndexAt(ptPos));
    pEvent->setDropAction(ActionFor(pEvent->modifiers()));
    pEvent->accept();
}

void CDragDropText::DragLeave() {
    m_bAccepting = false;
}

void CDragDropText::Drop(QDropEvent* pEvent) {
    const QPoint ptPos = pEvent->position().toPoint();
    if (!m_bAccepting || (m_bIsSource && IsInsideDragged(ptPos)) ||
        !pEvent->mimeData()->hasText()) {
        m_bAccepting = false;
        pEvent->ignore();
        return;
    }
    m_bAccepting = false;
    const Qt::DropAction eAction = ActionFor(pEvent->modifiers());
    pEvent->setDropAction(eAction);
    pEvent->accept();
    const int nIndex = m_field.FieldIndexAt(ptPos);
    if (eAction == Qt::MoveAction && m_bIsSource) {
        // The source side finishes the move once the drag loop returns.
        m_bDroppedOnSelf = true;
        m_nDropPos = nIndex;
        return;
    }
    m_field.FieldInsertSelected(nIndex, pEvent->mimeData()->text());
}
