// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/model/GroupRowsModel.h"

#include "core/store/CodePage.h"
#include "core/store/CofferDoc.h"
#include "gui/model/RecordListModel.h"
#include "gui/model/RecordTreeModel.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

CGroupRowsModel::CGroupRowsModel(CRecordTreeModel& model, QObject* pParent)
    : QAbstractProxyModel(pParent), m_model(model) {
    setSourceModel(&model);
    const auto follow = [this]() { Follow(); };
    // A reset drops every record the rows name: they go at once, before
    // anyone could read them, and are taken anew.
    connect(&model, &QAbstractItemModel::modelAboutToBeReset, this, [this]() {
        beginResetModel();
        m_rows.clear();
    });
    connect(&model, &QAbstractItemModel::modelReset, this, [this]() {
        if (m_bOpen)
            m_rows = ModelGroups();
        endResetModel();
    });
    connect(&model, &QAbstractItemModel::rowsInserted, this, follow);
    connect(&model, &QAbstractItemModel::rowsRemoved, this, follow);
    connect(&model, &QAbstractItemModel::rowsMoved, this, follow);
    connect(&model, &QAbstractItemModel::dataChanged, this, [this]() {
        if (!m_rows.empty())
            emit dataChanged(index(0, 0), index(static_cast<int>(m_rows.size()) - 1, 0));
    });
}

void CGroupRowsModel::SetOpen(bool bOpen) {
    if (m_bOpen == bOpen)
        return;
    beginResetModel();
    m_bOpen = bOpen;
    m_rows = m_bOpen ? ModelGroups() : std::vector<const CPasswordInfo*>();
    endResetModel();
}

QModelIndex CGroupRowsModel::Open(const QModelIndex& sourceRoot) {
    SetOpen(true);
    return mapFromSource(sourceRoot);
}

std::vector<const CPasswordInfo*> CGroupRowsModel::ModelGroups() const {
    std::vector<const CPasswordInfo*> groups;
    groups.reserve(static_cast<std::size_t>(m_model.GroupCount()));
    for (int g = 0; g < m_model.GroupCount(); ++g)
        groups.push_back(m_model.RecordOf(m_model.IndexAt({g, -1})));
    return groups;
}

void CGroupRowsModel::Follow() {
    if (!m_bOpen)
        return;
    const std::vector<const CPasswordInfo*> groups = ModelGroups();
    if (groups == m_rows)
        return;
    const std::unordered_set<const CPasswordInfo*> now(groups.begin(), groups.end());
    for (std::size_t i = m_rows.size(); i-- > 0;) {
        if (now.contains(m_rows[i]))
            continue;
        beginRemoveRows({}, static_cast<int>(i), static_cast<int>(i));
        m_rows.erase(m_rows.begin() + static_cast<std::ptrdiff_t>(i));
        endRemoveRows();
    }
    // The groups kept, in their new order; the rows' indexes go with them.
    const std::unordered_set<const CPasswordInfo*> kept(m_rows.begin(), m_rows.end());
    std::vector<const CPasswordInfo*> reordered;
    std::copy_if(groups.begin(), groups.end(), std::back_inserter(reordered),
                 [&](const CPasswordInfo* pGroup) { return kept.contains(pGroup); });
    if (reordered != m_rows) {
        emit layoutAboutToBeChanged();
        std::unordered_map<const CPasswordInfo*, int> rowOf;
        for (std::size_t i = 0; i < reordered.size(); ++i)
            rowOf.emplace(reordered[i], static_cast<int>(i));
        const QModelIndexList before = persistentIndexList();
        QModelIndexList after;
        for (const QModelIndex& old : before)
            after.push_back(createIndex(rowOf.at(m_rows[static_cast<std::size_t>(old.row())]), 0));
        m_rows = std::move(reordered);
        changePersistentIndexList(before, after);
        emit layoutChanged();
    }
    for (std::size_t i = 0; i < groups.size(); ++i) {
        if (i < m_rows.size() && m_rows[i] == groups[i])
            continue;
        beginInsertRows({}, static_cast<int>(i), static_cast<int>(i));
        m_rows.insert(m_rows.begin() + static_cast<std::ptrdiff_t>(i), groups[i]);
        endInsertRows();
    }
}

const CPasswordInfo* CGroupRowsModel::RecordOf(const QModelIndex& index) const {
    return index.isValid() && index.model() == this ? m_rows[static_cast<std::size_t>(index.row())]
                                                    : nullptr;
}

int CGroupRowsModel::FindRow(const QModelIndex& parent, const std::string& strName,
                             bool bPrefix) const {
    return FindNamedRow(
        rowCount(parent), [&](int nRow) { return RecordOf(index(nRow, 0, parent)); }, strName,
        bPrefix, m_model.Document().CodePage());
}

QModelIndex CGroupRowsModel::mapToSource(const QModelIndex& proxy) const {
    return proxy.isValid() ? m_model.IndexOf(RecordOf(proxy)) : m_model.FileIndex();
}

QModelIndex CGroupRowsModel::mapFromSource(const QModelIndex& source) const {
    if (CRecordTreeModel::Level(source) != 1)
        return {};
    const auto it = std::find(m_rows.begin(), m_rows.end(), m_model.RecordOf(source));
    return it == m_rows.end() ? QModelIndex() : index(static_cast<int>(it - m_rows.begin()), 0);
}

QModelIndex CGroupRowsModel::index(int nRow, int nColumn, const QModelIndex& parent) const {
    return !parent.isValid() && nColumn == 0 && nRow >= 0 && nRow < rowCount()
               ? createIndex(nRow, 0)
               : QModelIndex();
}

QModelIndex CGroupRowsModel::parent(const QModelIndex& /*index*/) const {
    return {};
}

int CGroupRowsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int CGroupRowsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 1;
}

bool CGroupRowsModel::hasChildren(const QModelIndex& parent) const {
    return rowCount(parent) > 0;
}

Qt::ItemFlags CGroupRowsModel::flags(const QModelIndex& index) const {
    return RecordOf(index) ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

QVariant CGroupRowsModel::data(const QModelIndex& index, int nRole) const {
    const CPasswordInfo* pGroup = RecordOf(index);
    if (!pGroup || (nRole != Qt::DisplayRole && nRole != Qt::EditRole))
        return {};
    return QString::fromStdString(
        m_model.Document().CodePage().ToUtf8(pGroup->TextView(CPasswordInfo::group)));
}
