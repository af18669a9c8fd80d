// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/view/AccountTreeCtrl.h"

#include "core/store/CodePage.h"
#include "core/store/PasswordInfo.h"
#include "core/store/TextCompare.h"
#include "gui/view/LabelEditDelegate.h"

#include <QIcon>
#include <QKeyEvent>

namespace {

const char* const IMAGE_FILES[] = {
    ":/icons/tree-group-closed.svg",     ":/icons/tree-group-open.svg", ":/icons/tree-account.svg",
    ":/icons/tree-account-selected.svg", ":/icons/tree-file.svg",
};

std::string RecordLabel(const CPasswordInfo& info) {
    return info.IsGroup() ? info.Group() : info.Account();
}

} // namespace

const QIcon& CAccountTreeCtrl::Image(EImage eImage) {
    static const QIcon icons[] = {QIcon(IMAGE_FILES[0]), QIcon(IMAGE_FILES[1]),
                                  QIcon(IMAGE_FILES[2]), QIcon(IMAGE_FILES[3]),
                                  QIcon(IMAGE_FILES[4])};
    return icons[eImage];
}

CAccountTreeCtrl::CAccountTreeCtrl(QWidget* pParent)
    : CDragTreeCtrl(pParent), m_pCodePage(&CCodePage::Default()) {
    setObjectName(QStringLiteral("accountTree"));
    setAccessibleName(QStringLiteral("Accounts"));
    setProperty("controlId", 1165);
    setHeaderHidden(true);
    setColumnCount(1);
    // Hidden, but screen readers still announce the column by its label.
    setHeaderLabel(QStringLiteral("Accounts"));
    setRootIsDecorated(true);
    setUniformRowHeights(true);
    setIndentation(16);
    setIconSize(QSize(16, 16));
    setSelectionMode(QAbstractItemView::SingleSelection);
    // A click on the selected group or account edits its label; the file
    // item is not editable, so a click on it only focuses the tree.
    setEditTriggers(QAbstractItemView::SelectedClicked);
    auto* pDelegate = new CLabelEditDelegate(this);
    setItemDelegate(pDelegate);
    // The edit is handed on once its editor has closed: accepting it moves
    // the item, and refusing it shows a message, neither of which may happen
    // while the editor still commits.
    connect(pDelegate, &CLabelEditDelegate::LabelEdited, this,
            [this](const QModelIndex& index, const QString& strText) {
                const QPersistentModelIndex edited(index);
                QMetaObject::invokeMethod(
                    this,
                    [this, edited, strText]() {
                        if (QTreeWidgetItem* pItem = itemFromIndex(edited))
                            emit LabelEdited(pItem, strText);
                    },
                    Qt::QueuedConnection);
            });
    connect(this, &QTreeWidget::currentItemChanged, this, &CAccountTreeCtrl::OnCurrentItemChanged);
}

int CAccountTreeCtrl::GetItemLevel(const QTreeWidgetItem* pItem) {
    if (!pItem || !pItem->parent())
        return 0;
    return pItem->parent()->parent() ? 2 : 1;
}

CPasswordInfo* CAccountTreeCtrl::GetItemData(const QTreeWidgetItem* pItem) {
    return pItem ? static_cast<CPasswordInfo*>(pItem->data(0, Qt::UserRole).value<void*>())
                 : nullptr;
}

void CAccountTreeCtrl::SetItemData(QTreeWidgetItem* pItem, CPasswordInfo* pInfo) {
    pItem->setData(0, Qt::UserRole, QVariant::fromValue(static_cast<void*>(pInfo)));
}

void CAccountTreeCtrl::SetItemText(QTreeWidgetItem* pItem, const std::string& strLabel) const {
    pItem->setText(0, QString::fromStdString(m_pCodePage->ToUtf8(strLabel)));
}

std::string CAccountTreeCtrl::ItemText(const QTreeWidgetItem* pItem) const {
    std::string strLabel;
    // Labels come from stored texts, so the conversion back cannot fail.
    m_pCodePage->FromUtf8(pItem->text(0).toStdString(), strLabel);
    return strLabel;
}

QTreeWidgetItem* CAccountTreeCtrl::NewItem(CPasswordInfo* pInfo) const {
    auto* pItem = new QTreeWidgetItem();
    SetItemText(pItem, RecordLabel(*pInfo));
    SetItemData(pItem, pInfo);
    pItem->setFlags(pItem->flags() | Qt::ItemIsEditable);
    if (pInfo->IsGroup()) {
        pItem->setIcon(0, Image(IMAGE_GROUP));
        // Groups show their expander even when empty.
        pItem->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    } else {
        pItem->setIcon(0, Image(IMAGE_ACCOUNT));
    }
    return pItem;
}

void CAccountTreeCtrl::InsertSorted(QTreeWidgetItem* pParent, QTreeWidgetItem* pItem) const {
    // A sibling sorts by its record's name, or by its text when it has no
    // record.
    const auto sortKey = [this](const QTreeWidgetItem* pSibling) {
        const CPasswordInfo* pInfo = GetItemData(pSibling);
        return pInfo ? RecordLabel(*pInfo) : ItemText(pSibling);
    };
    const std::string strKey = sortKey(pItem);
    int nLow = 0;
    int nHigh = pParent->childCount();
    while (nLow < nHigh) {
        const int nMiddle = (nLow + nHigh) / 2;
        if (CompareNoCase(sortKey(pParent->child(nMiddle)), strKey, *m_pCodePage) <= 0)
            nLow = nMiddle + 1;
        else
            nHigh = nMiddle;
    }
    pParent->insertChild(nLow, pItem);
}

void CAccountTreeCtrl::SelectItem(QTreeWidgetItem* pItem) {
    if (!pItem)
        return;
    for (QTreeWidgetItem* p = pItem->parent(); p; p = p->parent())
        p->setExpanded(true);
    setCurrentItem(pItem);
    scrollToItem(pItem);
}

void CAccountTreeCtrl::UpdateItemIcon(QTreeWidgetItem* pItem, bool bSelected) {
    switch (GetItemLevel(pItem)) {
    case 1:
        pItem->setIcon(0, Image(bSelected ? IMAGE_GROUP_OPEN : IMAGE_GROUP));
        break;
    case 2:
        pItem->setIcon(0, Image(bSelected ? IMAGE_ACCOUNT_SELECTED : IMAGE_ACCOUNT));
        break;
    default:
        break;
    }
}

void CAccountTreeCtrl::OnCurrentItemChanged(QTreeWidgetItem* pCurrent, QTreeWidgetItem* pPrevious) {
    if (pPrevious)
        UpdateItemIcon(pPrevious, false);
    if (pCurrent)
        UpdateItemIcon(pCurrent, true);
}

bool CAccountTreeCtrl::CanDragItem(QTreeWidgetItem* pItem) const {
    return GetItemLevel(pItem) != 0;
}

bool CAccountTreeCtrl::CanDropOnItem(QTreeWidgetItem* pItem) const {
    return GetItemLevel(pItem) == 1;
}

void CAccountTreeCtrl::keyPressEvent(QKeyEvent* pEvent) {
    QTreeWidgetItem* pItem = currentItem();
    const Qt::KeyboardModifiers modifiers = pEvent->modifiers() & ~Qt::KeypadModifier;
    if (IsDragging() || !pItem || (modifiers != Qt::NoModifier && modifiers != Qt::ShiftModifier)) {
        CDragTreeCtrl::keyPressEvent(pEvent);
        return;
    }
    const int nLevel = GetItemLevel(pItem);
    const int nKey = pEvent->key();
    const bool bShift = modifiers == Qt::ShiftModifier;
    if ((nKey == Qt::Key_Return || nKey == Qt::Key_Enter) && !bShift && nLevel == 2) {
        emit ItemEditKey(pItem);
    } else if (nKey == Qt::Key_Delete && !bShift && nLevel != 0) {
        emit ItemDeleteKey(pItem);
    } else if ((nKey == Qt::Key_Menu && !bShift) || (nKey == Qt::Key_F10 && bShift)) {
        // The menu opens below the item's label, as if it had been
        // right-clicked there.
        scrollToItem(pItem);
        const QRect rcItem = visualItemRect(pItem);
        const QPoint ptLocal(rcItem.left() + iconSize().width(), rcItem.bottom());
        emit ItemContextMenu(pItem, viewport()->mapToGlobal(ptLocal));
    } else {
        CDragTreeCtrl::keyPressEvent(pEvent);
        return;
    }
    pEvent->accept();
}
