// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controls/DragTextEdit.h"

#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>

namespace {

// The width of the border zone in which a drag scrolls the field.
constexpr int SCROLL_INSET = 11;

QString WithCrLf(QString strText) {
    // Selections mark their breaks with the paragraph separator.
    strText.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    strText.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return strText.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

QString WithPlainBreaks(QString strText) {
    return strText.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

CDragTextEdit::CDragTextEdit(QWidget* pParent) : QPlainTextEdit(pParent), m_dragDrop(*this) {
    setAcceptDrops(false);
    viewport()->setAcceptDrops(false);
    // Tab moves on to the next control, as in every field of a form; a
    // tab character in a comment can still be dropped or pasted.
    setTabChangesFocus(true);
}

bool CDragTextEdit::EnableDragDrop(int nMode) {
    if (!m_dragDrop.EnableDragDrop(nMode))
        return false;
    viewport()->setAcceptDrops((nMode & CDragDropText::DROP_TARGET) != 0);
    return true;
}

QString CDragTextEdit::TextWithCrLf() const {
    return WithCrLf(toPlainText());
}

QString CDragTextEdit::FieldSelectedText() const {
    return WithCrLf(textCursor().selectedText());
}

int CDragTextEdit::FieldIndexAt(const QPoint& ptPos, bool* pbPastLineEnd) const {
    const QTextCursor cursor = cursorForPosition(ptPos);
    if (pbPastLineEnd)
        *pbPastLineEnd = cursor.atBlockEnd() && ptPos.x() > cursorRect(cursor).right() + 2;
    return cursor.position();
}

void CDragTextEdit::FieldSetCaret(int nIndex) {
    QTextCursor cursor(document());
    cursor.setPosition(nIndex);
    setTextCursor(cursor);
}

void CDragTextEdit::FieldRemove(int nStart, int nEnd) {
    QTextCursor cursor(document());
    cursor.setPosition(nStart);
    cursor.setPosition(nEnd, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
}

void CDragTextEdit::FieldInsertSelected(int nIndex, const QString& strText) {
    QTextCursor cursor(document());
    cursor.setPosition(nIndex);
    cursor.insertText(WithPlainBreaks(strText));
    cursor.setPosition(nIndex, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    ensureCursorVisible();
}

int CDragTextEdit::FieldLengthOf(const QString& strText) const {
    return static_cast<int>(WithPlainBreaks(strText).size());
}

bool CDragTextEdit::FieldScrollToward(const QPoint& ptPos) {
    // Up or down takes precedence when the pointer is in a corner.
    const QRect rect = viewport()->rect();
    if (ptPos.y() < rect.top() + SCROLL_INSET || ptPos.y() > rect.bottom() - SCROLL_INSET) {
        QScrollBar* pBar = verticalScrollBar();
        pBar->setValue(pBar->value() + (ptPos.y() < rect.top() + SCROLL_INSET ? -1 : 1));
        return true;
    }
    if (ptPos.x() < rect.left() + SCROLL_INSET || ptPos.x() > rect.right() - SCROLL_INSET) {
        QScrollBar* pBar = horizontalScrollBar();
        const int nStep = pBar->singleStep();
        pBar->setValue(pBar->value() + (ptPos.x() < rect.left() + SCROLL_INSET ? -nStep : nStep));
        return true;
    }
    return false;
}

QMimeData* CDragTextEdit::createMimeDataFromSelection() const {
    auto* pData = new QMimeData;
    pData->setText(FieldSelectedText());
    return pData;
}

bool CDragTextEdit::canInsertFromMimeData(const QMimeData* pSource) const {
    return !isReadOnly() && pSource->hasText();
}

void CDragTextEdit::insertFromMimeData(const QMimeData* pSource) {
    // Paste reaches here even when the field is read-only.
    if (!isReadOnly() && pSource->hasText())
        insertPlainText(WithPlainBreaks(pSource->text()));
}

void CDragTextEdit::mousePressEvent(QMouseEvent* pEvent) {
    if (!m_dragDrop.MousePress(pEvent))
        QPlainTextEdit::mousePressEvent(pEvent);
}

void CDragTextEdit::mouseMoveEvent(QMouseEvent* pEvent) {
    if (m_dragDrop.MouseMove(pEvent))
        return;
    if (pEvent->buttons() == Qt::NoButton)
        viewport()->setCursor(m_dragDrop.ShowsArrowAt(pEvent->position().toPoint())
                                  ? Qt::ArrowCursor
                                  : Qt::IBeamCursor);
    QPlainTextEdit::mouseMoveEvent(pEvent);
}

void CDragTextEdit::mouseReleaseEvent(QMouseEvent* pEvent) {
    if (!m_dragDrop.MouseRelease(pEvent))
        QPlainTextEdit::mouseReleaseEvent(pEvent);
}

void CDragTextEdit::dragEnterEvent(QDragEnterEvent* pEvent) {
    m_dragDrop.DragEnter(pEvent);
}

void CDragTextEdit::dragMoveEvent(QDragMoveEvent* pEvent) {
    m_dragDrop.DragMove(pEvent);
}

void CDragTextEdit::dragLeaveEvent(QDragLeaveEvent*) {
    m_dragDrop.DragLeave();
}

void CDragTextEdit::dropEvent(QDropEvent* pEvent) {
    m_dragDrop.Drop(pEvent);
}
