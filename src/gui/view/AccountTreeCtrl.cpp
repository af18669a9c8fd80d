// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/view/AccountTreeCtrl.h"

#include "gui/model/RecordTreeModel.h"
#include "gui/view/LabelEditDelegate.h"
#include "platform/Translations.h"

#include <QKeyEvent>

CAccountTreeCtrl::CAccountTreeCtrl(CRecordTreeModel& model, QWidget* pParent)
    : CDragTreeCtrl(pParent), m_model(model) {
    setObjectName(QStringLiteral("accountTree"));
    setAccessibleName(TrText(KH_TEXT("Keyhaven", "Accounts")));
    setProperty("controlId", 1165);
    setHeaderHidden(true);
    setModel(&m_model);
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
                        if (edited.isValid())
                            emit LabelEdited(edited, strText);
                    },
                    Qt::QueuedConnection);
            });
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { emit CurrentItemChanged(current); });
}

int CAccountTreeCtrl::GetItemLevel(const QModelIndex& item) {
    const int nLevel = CRecordTreeModel::Level(item);
    return nLevel < 0 ? 0 : nLevel;
}

void CAccountTreeCtrl::SelectItem(const QModelIndex& item) {
    if (!item.isValid())
        return;
    for (QModelIndex p = item.parent(); p.isValid(); p = p.parent())
        expand(p);
    setCurrentIndex(item);
    scrollTo(item);
}

bool CAccountTreeCtrl::CanDragItem(const QModelIndex& item) const {
    return GetItemLevel(item) != 0;
}

bool CAccountTreeCtrl::CanDropOnItem(const QModelIndex& item) const {
    return GetItemLevel(item) == 1;
}

bool CAccountTreeCtrl::IsGroupItem(const QModelIndex& item) const {
    return GetItemLevel(item) == 1;
}

void CAccountTreeCtrl::keyPressEvent(QKeyEvent* pEvent) {
    // While a label is edited, a key reaches the tree only when the editor
    // leaves it: its Enter ends the edit and must not also open the
    // account's dialog.
    if (state() == QAbstractItemView::EditingState) {
        pEvent->accept();
        return;
    }
    const QModelIndex item = currentIndex();
    const Qt::KeyboardModifiers modifiers = pEvent->modifiers() & ~Qt::KeypadModifier;
    const QString strText = pEvent->text();
    // Typing goes to the filter rather than to a jump by first letters;
    // a blank stays with the tree.
    if (!IsDragging() && (modifiers == Qt::NoModifier || modifiers == Qt::ShiftModifier) &&
        !strText.isEmpty() && strText.at(0).isPrint() && !strText.at(0).isSpace()) {
        emit TypedToFilter(strText);
        pEvent->accept();
        return;
    }
    // The window's Ctrl+C copies the selected account's password; where it
    // cannot (a group, no password), the tree's own copy of the label would
    // put a name where a password is expected: the names have a menu item.
    if (pEvent->matches(QKeySequence::Copy)) {
        pEvent->accept();
        return;
    }
    if (IsDragging() || !item.isValid() ||
        (modifiers != Qt::NoModifier && modifiers != Qt::ShiftModifier)) {
        CDragTreeCtrl::keyPressEvent(pEvent);
        return;
    }
    const int nLevel = GetItemLevel(item);
    const int nKey = pEvent->key();
    const bool bShift = modifiers == Qt::ShiftModifier;
    if ((nKey == Qt::Key_Return || nKey == Qt::Key_Enter) && !bShift && nLevel == 2) {
        emit ItemEditKey(item);
    } else if (nKey == Qt::Key_Delete && !bShift && nLevel != 0) {
        emit ItemDeleteKey(item);
    } else if ((nKey == Qt::Key_Menu && !bShift) || (nKey == Qt::Key_F10 && bShift)) {
        // The menu opens below the item's label, as if it had been
        // right-clicked there.
        scrollTo(item);
        const QRect rcItem = visualRect(item);
        const QPoint ptLocal(rcItem.left() + iconSize().width(), rcItem.bottom());
        emit ItemContextMenu(item, viewport()->mapToGlobal(ptLocal));
    } else {
        CDragTreeCtrl::keyPressEvent(pEvent);
        return;
    }
    pEvent->accept();
}
