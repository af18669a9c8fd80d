// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/view/DragTreeCtrl.h"

class CRecordTreeModel;

// The tree of the open file: the file item at the top, its groups, their
// accounts, as the record model orders them. Groups and accounts are
// dragged; only groups receive drops.
class CAccountTreeCtrl : public CDragTreeCtrl {
    Q_OBJECT
public:
    explicit CAccountTreeCtrl(CRecordTreeModel& model, QWidget* pParent = nullptr);

    CRecordTreeModel& Model() const { return m_model; }
    // 0 for the file item or none, 1 for a group, 2 for an account.
    static int GetItemLevel(const QModelIndex& item);

    // Selects item, opening the path to it.
    void SelectItem(const QModelIndex& item);

signals:
    // The user finished editing item's label with strText; the record
    // still has its old name.
    void LabelEdited(const QModelIndex& item, const QString& strText);
    // The current item changed (or none is current).
    void CurrentItemChanged(const QModelIndex& item);
    // Enter on an account: edit it.
    void ItemEditKey(const QModelIndex& item);
    // Delete on a group or an account: delete it, asking as the menu does.
    void ItemDeleteKey(const QModelIndex& item);
    // A printable character typed in the tree: it starts the live filter.
    void TypedToFilter(const QString& strText);

protected:
    // Enter, Delete, and Shift+F10 or the Menu key (the item's menu, shown
    // at the item) act on the current item; a printable character starts
    // the filter; the copy keys copy no label; other keys move as in any
    // tree.
    void keyPressEvent(QKeyEvent* pEvent) override;
    bool CanDragItem(const QModelIndex& item) const override;
    bool CanDropOnItem(const QModelIndex& item) const override;
    bool IsGroupItem(const QModelIndex& item) const override;

private:
    CRecordTreeModel& m_model;
};
