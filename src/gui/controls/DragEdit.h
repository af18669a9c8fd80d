// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/controls/DragDropText.h"
#include "gui/controls/DragTextField.h"

#include <QLineEdit>

// A single-line edit whose selected text can be dragged out and which takes
// text dropped from anywhere (EnableDragDrop). A line break cannot live in
// one line: dropped text loses its trailing breaks and the others become
// blanks.
class CDragEdit : public QLineEdit, public CDragTextField {
    Q_OBJECT
public:
    explicit CDragEdit(QWidget* pParent = nullptr);

    bool EnableDragDrop(int nMode) { return m_dragDrop.EnableDragDrop(nMode); }
    CDragDropText& DragDrop() { return m_dragDrop; }

    // The text a drop or an insertion puts in the line.
    static QString SingleLine(const QString& strText);

    QWidget* FieldWidget() override { return this; }
    int FieldSelectionStart() const override;
    int FieldSelectionEnd() const override;
    QString FieldSelectedText() const override { return selectedText(); }
    bool FieldIsReadOnly() const override { return isReadOnly(); }
    int FieldIndexAt(const QPoint& ptPos, bool* pbPastLineEnd = nullptr) const override;
    void FieldSetCaret(int nIndex) override { setCursorPosition(nIndex); }
    void FieldRemove(int nStart, int nEnd) override;
    void FieldInsertSelected(int nIndex, const QString& strText) override;
    int FieldLengthOf(const QString& strText) const override;
    bool FieldScrollToward(const QPoint&) override { return false; }

protected:
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
