// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/view/DragTreeCtrl.h"

class CCodePage;
class CPasswordInfo;

// The tree of the open file: the file item at the top, its groups, their
// accounts. Each group and account item points at its record; the file item
// points at nothing. Items are kept in the program's alphabetical order.
// Groups and accounts are dragged; only groups receive drops.
class CAccountTreeCtrl : public CDragTreeCtrl {
    Q_OBJECT
public:
    // Tree images, in the order of the image list.
    enum EImage {
        IMAGE_GROUP = 0,
        IMAGE_GROUP_OPEN,
        IMAGE_ACCOUNT,
        IMAGE_ACCOUNT_SELECTED,
        IMAGE_FILE
    };

    explicit CAccountTreeCtrl(QWidget* pParent = nullptr);

    // 0 for the file item or none, 1 for a group, 2 for an account; worked
    // out from the tree alone.
    static int GetItemLevel(const QTreeWidgetItem* pItem);
    static const QIcon& Image(EImage eImage);
    static CPasswordInfo* GetItemData(const QTreeWidgetItem* pItem);
    static void SetItemData(QTreeWidgetItem* pItem, CPasswordInfo* pInfo);

    // The code page of the labels: the open file's.
    void SetCodePage(const CCodePage& codePage) { m_pCodePage = &codePage; }

    // An item for a record (group or account), labelled from the record.
    QTreeWidgetItem* NewItem(CPasswordInfo* pInfo) const;
    // Inserts pItem under pParent after every sibling whose label does not
    // sort after it.
    void InsertSorted(QTreeWidgetItem* pParent, QTreeWidgetItem* pItem) const;
    // Sets an item's label from a stored (code-page) text.
    void SetItemText(QTreeWidgetItem* pItem, const std::string& strLabel) const;
    std::string ItemText(const QTreeWidgetItem* pItem) const;

    // Selects pItem, opening the path to it.
    void SelectItem(QTreeWidgetItem* pItem);

signals:
    // The order of the items changed by a drop or a rename: the document's
    // list follows the tree.
    void TreeChanged();
    // The user finished editing pItem's label with strText; the label itself
    // is still the old one.
    void LabelEdited(QTreeWidgetItem* pItem, const QString& strText);
    // Enter on an account: edit it.
    void ItemEditKey(QTreeWidgetItem* pItem);
    // Delete on a group or an account: delete it, asking as the menu does.
    void ItemDeleteKey(QTreeWidgetItem* pItem);

protected:
    // Enter, Delete, and Shift+F10 or the Menu key (the item's menu, shown
    // at the item) act on the current item; other keys move as in any tree.
    void keyPressEvent(QKeyEvent* pEvent) override;
    bool CanDragItem(QTreeWidgetItem* pItem) const override;
    bool CanDropOnItem(QTreeWidgetItem* pItem) const override;

private:
    void UpdateItemIcon(QTreeWidgetItem* pItem, bool bSelected);
    void OnCurrentItemChanged(QTreeWidgetItem* pCurrent, QTreeWidgetItem* pPrevious);

    const CCodePage* m_pCodePage;
};
