// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleWidget>
#include <QList>

class QComboBox;
class QListView;

// The pop-up list of a drop-down list, as assistive tools see it: one item
// per row of the level the list shows. The toolkit's own interface for
// lists counts the rows of the model's top level and keeps the items it
// made for rows of an earlier level, so a list showing the groups below the
// file's item (the Password Bar's) offered one item, the file's name, and
// no row chosen. The child at an index is the row at that place, as the
// list's own focus and selection events number them.
class CAccessibleComboList : public QAccessibleWidget {
public:
    CAccessibleComboList(QListView* pView, QComboBox* pCombo);
    ~CAccessibleComboList() override;

    QAccessibleInterface* parent() const override;
    int childCount() const override;
    QAccessibleInterface* child(int nIndex) const override;
    int indexOfChild(const QAccessibleInterface* pChild) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

private:
    QListView* View() const;
    QModelIndex RowIndex(int nRow) const;

    QComboBox* m_pCombo;
    // The items handed out so far, by row; an item whose row now shows
    // another record is made again.
    mutable QList<QAccessible::Id> m_listRows;
};
