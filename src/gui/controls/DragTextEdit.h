// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/controls/DragDropText.h"
#include "gui/controls/DragTextField.h"

#include <QPlainTextEdit>

// The multi-line edit of the comments: drag and drop of text as CDragEdit
// has it. Lines are shown with plain breaks; text leaving the field (dragged
// or copied) carries "\r\n" breaks, and text coming in with "\r\n" breaks
// shows them as single breaks.
class CDragTextEdit : public QPlainTextEdit, public CDragTextField {
    Q_OBJECT
public:
    explicit CDragTextEdit(QWidget* pParent = nullptr);

    bool EnableDragDrop(int nMode);
    CDragDropText& DragDrop() { return m_dragDrop; }

    // The field's text with "\r\n" line breaks.
    QString TextWithCrLf() const;

    QWidget* FieldWidget() override { return this; }
    int FieldSelectionStart() const override { return textCursor().selectionStart(); }
    int FieldSelectionEnd() const override { return textCursor().selectionEnd(); }
    QString FieldSelectedText() const override;
    bool FieldIsReadOnly() const override { return isReadOnly(); }
    int FieldIndexAt(const QPoint& ptPos, bool* pbPastLineEnd = nullptr) const override;
    void FieldSetCaret(int nIndex) override;
    void FieldRemove(int nStart, int nEnd) override;
    void FieldInsertSelected(int nIndex, const QString& strText) override;
    int FieldLengthOf(const QString& strText) const override;
    bool FieldScrollToward(const QPoint& ptPos) override;

protected:
    QMimeData* createMimeDataFromSelection() const override;
    bool canInsertFromMimeData(const QMimeData* pSource) const override;
    void insertFromMimeData(const QMimeData* pSource) override;
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;
    void mouseReleaseEvent(QMouseEvent* pEvent) override;
    void dragEnterEvent(QDragEnterEvent* pEvent) override;
    void dragMoveEvent(QDragMoveEvent* pEvent) override;
    void dragLeaveEvent(QDragLeaveEvent* pEvent) override;
    void dropEvent(QDropEvent* pEvent) override;

private:
    CDragDropText m_dragDrop;
};
