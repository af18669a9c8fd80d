// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleWidget>

class QComboBox;

// How assistive tools see the program's drop-down lists: by the name they
// were given ("Group", "Account"), with the item shown as their value. The
// toolkit's own interface on this desktop names a list after its current
// item, so a screen reader would announce "Bank" where the user needs to
// hear which list it is. Once the name is the list's own, the item chosen
// must be readable elsewhere: as the list's text (the accessibility bus
// carries no text value for a list) and as the selected row of its pop-up
// list, open or closed.
class CAccessibleComboBox : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit CAccessibleComboBox(QComboBox* pCombo);

    // Registers the interface for the program's lists; once per process.
    // It serves every list of the program's own kind, and every plain
    // drop-down list that was given a name and takes no typing, and the
    // pop-up lists of both (CAccessibleComboList).
    static void Install();

    void* interface_cast(QAccessible::InterfaceType eType) override;
    QString text(QAccessible::Text eText) const override;
    int childCount() const override;
    QAccessibleInterface* child(int nIndex) const override;
    int indexOfChild(const QAccessibleInterface* pChild) const override;
    QStringList actionNames() const override;
    void doAction(const QString& strAction) override;

    // The text: the item shown, read only.
    QString text(int nStart, int nEnd) const override;
    int characterCount() const override;
    void selection(int nSelection, int* pnStart, int* pnEnd) const override;
    int selectionCount() const override;
    void addSelection(int nStart, int nEnd) override;
    void removeSelection(int nSelection) override;
    void setSelection(int nSelection, int nStart, int nEnd) override;
    int cursorPosition() const override;
    void setCursorPosition(int nPosition) override;
    QRect characterRect(int nOffset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int nStart, int nEnd) override;
    QString attributes(int nOffset, int* pnStart, int* pnEnd) const override;

    // Marks the list's current row as the selected row of its pop-up list.
    static void SelectCurrent(QComboBox& combo);

private:
    QComboBox* Combo() const;
};
