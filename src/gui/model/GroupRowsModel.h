// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractProxyModel>

#include <string>
#include <vector>

class CPasswordInfo;
class CRecordTreeModel;

// Every group of the record model as one flat list, the Password Bar's
// group list: in the tree's order, each by its whole name, so a group
// nested in a database is listed like any other. The rows follow the
// model's changes as moves, insertions and removals of their groups, so
// the list's current row stays on its group. A closed list has no rows.
class CGroupRowsModel : public QAbstractProxyModel {
    Q_OBJECT
public:
    explicit CGroupRowsModel(CRecordTreeModel& model, QObject* pParent = nullptr);

    // Whether the list shows the groups or nothing at all.
    void SetOpen(bool bOpen);
    // Opens the list; its root stands for the file item.
    QModelIndex Open(const QModelIndex& sourceRoot);
    // The group of a row, or none.
    const CPasswordInfo* RecordOf(const QModelIndex& index) const;
    // The row shown for strName, as CRecordListModel::FindRow chooses it.
    int FindRow(const QModelIndex& parent, const std::string& strName, bool bPrefix) const;

    // The rows hang below the root, which stands for the file item.
    QModelIndex mapToSource(const QModelIndex& proxy) const override;
    QModelIndex mapFromSource(const QModelIndex& source) const override;
    QModelIndex index(int nRow, int nColumn, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& index) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant data(const QModelIndex& index, int nRole = Qt::DisplayRole) const override;

private:
    // The groups the model shows now, in its order.
    std::vector<const CPasswordInfo*> ModelGroups() const;
    // Brings the rows to the model's groups: removals, then a new order,
    // then insertions, each told as such.
    void Follow();

    CRecordTreeModel& m_model;
    bool m_bOpen = false;
    std::vector<const CPasswordInfo*> m_rows;
};
