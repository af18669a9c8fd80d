// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/view/LabelEditDelegate.h"

#include "gui/view/RecordTreeModel.h"
#include "platform/Translations.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLineEdit>

QWidget* CLabelEditDelegate::createEditor(QWidget* pParent, const QStyleOptionViewItem& option,
                                          const QModelIndex& index) const {
    QWidget* pEditor = QStyledItemDelegate::createEditor(pParent, option, index);
    if (auto* pEdit = qobject_cast<QLineEdit*>(pEditor)) {
        pEdit->setMaxLength(MAX_LABEL_LENGTH);
        pEdit->setObjectName(QStringLiteral("LabelEdit"));
        pEdit->setAccessibleName(TrText(KH_TEXT("Keyhaven", "Label")));
    }
    return pEditor;
}

void CLabelEditDelegate::setModelData(QWidget* pEditor, QAbstractItemModel*,
                                      const QModelIndex& index) const {
    if (auto* pEdit = qobject_cast<QLineEdit*>(pEditor))
        emit LabelEdited(index, pEdit->text());
}

bool CLabelEditDelegate::IsEditorKey(const QKeyEvent& event) {
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Delete:
        return true;
    default:
        return (event.modifiers() & Qt::ControlModifier) != 0;
    }
}

bool CLabelEditDelegate::eventFilter(QObject* pObject, QEvent* pEvent) {
    // Accepting the override sends the key to the editor, not to a shortcut
    // such as Delete (delete the item) or Ctrl+C (copy the password).
    if (pEvent->type() == QEvent::ShortcutOverride &&
        IsEditorKey(*static_cast<QKeyEvent*>(pEvent))) {
        pEvent->accept();
        return true;
    }
    return QStyledItemDelegate::eventFilter(pObject, pEvent);
}

void CLabelEditDelegate::initStyleOption(QStyleOptionViewItem* pOption,
                                         const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(pOption, index);
    const auto* pView = qobject_cast<const QAbstractItemView*>(parent());
    if (!pView || index != pView->currentIndex())
        return;
    switch (CRecordTreeModel::Level(index)) {
    case 1:
        pOption->icon = CRecordTreeModel::Image(CRecordTreeModel::IMAGE_GROUP_OPEN);
        break;
    case 2:
        pOption->icon = CRecordTreeModel::Image(CRecordTreeModel::IMAGE_ACCOUNT_SELECTED);
        break;
    default:
        break;
    }
}
