// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controls/DragEdit.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QRegularExpression>

CDragEdit::CDragEdit(QWidget* pParent) : QLineEdit(pParent), m_dragDrop(*this) {
    // Qt's own text dragging stays off: this control drags by its own rules.
    setDragEnabled(false);
    setAcceptDrops(false);
}

QString CDragEdit::SingleLine(const QString& strText) {
    QString strLine = strText;
    while (strLine.endsWith(QLatin1Char('\n')) || strLine.endsWith(QLatin1Char('\r')))
        strLine.chop(1);
    static const QRegularExpression reBreak(QStringLiteral("\r\n|\n|\r"));
    return strLine.replace(reBreak, QStringLiteral(" "));
}

int CDragEdit::FieldSelectionStart() const {
    return hasSelectedText() ? selectionStart() : cursorPosition();
}

int CDragEdit::FieldSelectionEnd() const {
    return hasSelectedText() ? selectionEnd() : cursorPosition();
}

int CDragEdit::FieldIndexAt(const QPoint& ptPos, bool* pbPastLineEnd) const {
    const int nIndex = const_cast<CDragEdit*>(this)->cursorPositionAt(ptPos);
    if (pbPastLineEnd) {
        // The end of the text as drawn, from the left of the text area.
        const int nTextRight = contentsRect().left() + textMargins().left() + 2 +
                               fontMetrics().horizontalAdvance(displayText());
        *pbPastLineEnd = nIndex == static_cast<int>(text().size()) && ptPos.x() > nTextRight;
    }
    return nIndex;
}

void CDragEdit::FieldRemove(int nStart, int nEnd) {
    setSelection(nStart, nEnd - nStart);
    del();
}

void CDragEdit::FieldInsertSelected(int nIndex, const QString& strText) {
    const QString strLine = SingleLine(strText);
    setCursorPosition(nIndex);
    insert(strLine);
    // The length limit may have cut what was inserted.
    setSelection(nIndex, cursorPosition() - nIndex);
}

int CDragEdit::FieldLengthOf(const QString& strText) const {
    return static_cast<int>(SingleLine(strText).size());
}

void CDragEdit::mousePressEvent(QMouseEvent* pEvent) {
    if (!m_dragDrop.MousePress(pEvent))
        QLineEdit::mousePressEvent(pEvent);
}

void CDragEdit::mouseMoveEvent(QMouseEvent* pEvent) {
    if (m_dragDrop.MouseMove(pEvent))
        return;
    if (pEvent->buttons() == Qt::NoButton)
        setCursor(m_dragDrop.ShowsArrowAt(pEvent->position().toPoint()) ? Qt::ArrowCursor
                                                                        : Qt::IBeamCursor);
    QLineEdit::mouseMoveEvent(pEvent);
}

void CDragEdit::mouseReleaseEvent(QMouseEvent* pEvent) {
    if (!m_dragDrop.MouseRelease(pEvent))
        QLineEdit::mouseReleaseEvent(pEvent);
}

void CDragEdit::dragEnterEvent(QDragEnterEvent* pEvent) {
    m_dragDrop.DragEnter(pEvent);
}

void CDragEdit::dragMoveEvent(QDragMoveEvent* pEvent) {
    m_dragDrop.DragMove(pEvent);
}

void CDragEdit::dragLeaveEvent(QDragLeaveEvent*) {
    m_dragDrop.DragLeave();
}

void CDragEdit::dropEvent(QDropEvent* pEvent) {
    m_dragDrop.Drop(pEvent);
}
