// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controls/AccessibleComboRow.h"

#include <QItemSelectionModel>
#include <QListView>

CAccessibleComboRow::CAccessibleComboRow(QListView* pView, const QModelIndex& index)
    : m_pView(pView), m_index(index) {}

bool CAccessibleComboRow::isValid() const {
    return m_pView && m_index.isValid();
}

// A row is no object of its own, as the toolkit's list items are not.
QObject* CAccessibleComboRow::object() const {
    return nullptr;
}

QWindow* CAccessibleComboRow::window() const {
    return m_pView ? m_pView->window()->windowHandle() : nullptr;
}

QAccessibleInterface* CAccessibleComboRow::childAt(int, int) const {
    return nullptr;
}

QAccessibleInterface* CAccessibleComboRow::parent() const {
    return m_pView ? QAccessible::queryAccessibleInterface(m_pView) : nullptr;
}

QAccessibleInterface* CAccessibleComboRow::child(int) const {
    return nullptr;
}

int CAccessibleComboRow::childCount() const {
    return 0;
}

int CAccessibleComboRow::indexOfChild(const QAccessibleInterface*) const {
    return -1;
}

QString CAccessibleComboRow::text(QAccessible::Text eText) const {
    if (eText != QAccessible::Name || !isValid())
        return {};
    return m_index.data(Qt::DisplayRole).toString();
}

void CAccessibleComboRow::setText(QAccessible::Text, const QString&) {}

QRect CAccessibleComboRow::rect() const {
    if (!isValid() || !m_pView->isVisible())
        return {};
    const QRect rectRow = m_pView->visualRect(m_index);
    return rectRow.translated(m_pView->viewport()->mapToGlobal(QPoint(0, 0)));
}

QAccessible::Role CAccessibleComboRow::role() const {
    return QAccessible::ListItem;
}

QAccessible::State CAccessibleComboRow::state() const {
    QAccessible::State st;
    if (!isValid()) {
        st.invalid = true;
        return st;
    }
    st.selectable = true;
    st.focusable = true;
    const QItemSelectionModel* pSelection = m_pView->selectionModel();
    st.selected = pSelection && pSelection->isSelected(m_index);
    // Only an open list has a row under the keyboard, and rows on the screen.
    const bool bOpen = m_pView->isVisible();
    st.focused = bOpen && m_pView->hasFocus() && m_pView->currentIndex() == m_index;
    st.invisible = !bOpen || !m_pView->viewport()->rect().intersects(m_pView->visualRect(m_index));
    st.offscreen = st.invisible;
    return st;
}
