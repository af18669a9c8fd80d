// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleInterface>
#include <QPersistentModelIndex>
#include <QPointer>

class QListView;

// One row of a drop-down list's pop-up list (CAccessibleComboList): named
// by its text, selected when it is the item the list shows.
class CAccessibleComboRow : public QAccessibleInterface {
public:
    CAccessibleComboRow(QListView* pView, const QModelIndex& index);

    const QPersistentModelIndex& Index() const { return m_index; }

    bool isValid() const override;
    QObject* object() const override;
    QWindow* window() const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int nIndex) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* pChild) const override;
    QString text(QAccessible::Text eText) const override;
    void setText(QAccessible::Text eText, const QString& strText) override;
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;

private:
    QPointer<QListView> m_pView;
    QPersistentModelIndex m_index;
};
