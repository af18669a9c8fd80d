// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QPoint;
class QWidget;

// What the drag-and-drop logic needs of a text field, by character index:
// the single-line and the multi-line edit each answer it their own way.
// Texts crossing this interface use "\r\n" line breaks, as dragged text does.
class CDragTextField {
public:
    virtual ~CDragTextField() = default;

    virtual QWidget* FieldWidget() = 0;
    virtual int FieldSelectionStart() const = 0;
    virtual int FieldSelectionEnd() const = 0;
    virtual QString FieldSelectedText() const = 0;
    // A read-only field gives its text away as a copy and takes none.
    virtual bool FieldIsReadOnly() const = 0;
    // The index of the character under ptPos, and whether the pointer lies
    // beyond the end of its line.
    virtual int FieldIndexAt(const QPoint& ptPos, bool* pbPastLineEnd = nullptr) const = 0;
    // Places the caret at nIndex; the selection ends.
    virtual void FieldSetCaret(int nIndex) = 0;
    virtual void FieldRemove(int nStart, int nEnd) = 0;
    // Inserts the text at nIndex, selects it and scrolls it into view.
    virtual void FieldInsertSelected(int nIndex, const QString& strText) = 0;
    // The length in characters the field gives strText once inserted.
    virtual int FieldLengthOf(const QString& strText) const = 0;
    // Scrolls one line toward the edge of the border zone that holds ptPos;
    // false when ptPos is outside that zone.
    virtual bool FieldScrollToward(const QPoint& ptPos) = 0;
};
