// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controls/AccessibleComboList.h"

#include "gui/controls/AccessibleComboRow.h"

#include <QComboBox>
#include <QListView>

CAccessibleComboList::CAccessibleComboList(QListView* pView, QComboBox* pCombo)
    : QAccessibleWidget(pView, QAccessible::List), m_pCombo(pCombo) {}

CAccessibleComboList::~CAccessibleComboList() {
    for (const QAccessible::Id id : std::as_const(m_listRows)) {
        if (id != 0)
            QAccessible::deleteAccessibleInterface(id);
    }
}

QListView* CAccessibleComboList::View() const {
    return static_cast<QListView*>(widget());
}

QModelIndex CAccessibleComboList::RowIndex(int nRow) const {
    const QAbstractItemModel* pModel = View()->model();
    if (pModel == nullptr || nRow < 0)
        return {};
    return pModel->index(nRow, View()->modelColumn(), View()->rootIndex());
}

// The list belongs to its drop-down list, not to the frame that holds it
// while it is open.
QAccessibleInterface* CAccessibleComboList::parent() const {
    return QAccessible::queryAccessibleInterface(m_pCombo);
}

int CAccessibleComboList::childCount() const {
    const QAbstractItemModel* pModel = View()->model();
    return pModel ? pModel->rowCount(View()->rootIndex()) : 0;
}

QAccessibleInterface* CAccessibleComboList::child(int nIndex) const {
    const QModelIndex index = RowIndex(nIndex);
    if (!index.isValid())
        return nullptr;
    if (nIndex >= m_listRows.size())
        m_listRows.resize(nIndex + 1, 0);
    QAccessible::Id& id = m_listRows[nIndex];
    if (id != 0) {
        auto* pRow = static_cast<CAccessibleComboRow*>(QAccessible::accessibleInterface(id));
        if (pRow && pRow->Index() == index)
            return pRow;
        QAccessible::deleteAccessibleInterface(id);
    }
    auto* pRow = new CAccessibleComboRow(View(), index);
    id = QAccessible::registerAccessibleInterface(pRow);
    return pRow;
}

int CAccessibleComboList::indexOfChild(const QAccessibleInterface* pChild) const {
    const auto* pRow = dynamic_cast<const CAccessibleComboRow*>(pChild);
    if (pRow == nullptr || !pRow->isValid() || pRow->Index().parent() != View()->rootIndex())
        return -1;
    return pRow->Index().row();
}

QAccessibleInterface* CAccessibleComboList::childAt(int x, int y) const {
    const QModelIndex index = View()->indexAt(View()->viewport()->mapFromGlobal(QPoint(x, y)));
    return index.isValid() ? child(index.row()) : nullptr;
}
