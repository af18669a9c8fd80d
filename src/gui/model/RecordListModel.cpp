// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/model/RecordListModel.h"

#include "core/store/CodePage.h"
#include "core/store/CofferDoc.h"
#include "core/store/TextCompare.h"
#include "gui/model/RecordTreeModel.h"

namespace {

std::string_view NameOf(const CPasswordInfo& record) {
    return record.TextView(record.IsGroup() ? CPasswordInfo::group : CPasswordInfo::account);
}

} // namespace

CRecordListModel::CRecordListModel(CRecordTreeModel& model, QObject* pParent)
    : QSortFilterProxyModel(pParent), m_model(model) {
    setSourceModel(&model);
}

void CRecordListModel::SetOpen(bool bOpen) {
    if (m_bOpen == bOpen)
        return;
    m_bOpen = bOpen;
    invalidateFilter();
}

QModelIndex CRecordListModel::Open(const QModelIndex& sourceRoot) {
    m_root = sourceRoot;
    m_bOpen = true;
    invalidateFilter();
    return mapFromSource(sourceRoot);
}

bool CRecordListModel::LeadsToRoot(int nSourceRow, const QModelIndex& sourceParent) const {
    for (QModelIndex item = m_root; item.isValid(); item = item.parent()) {
        if (item.row() == nSourceRow && item.parent() == sourceParent)
            return true;
    }
    return false;
}

void CRecordListModel::SetWords(const QString& strWords) {
    const CCodePage& codePage = m_model.Document().CodePage();
    std::string strQuery;
    if (codePage.FromUtf8(strWords.toStdString(), strQuery))
        m_filter.emplace(strQuery, codePage);
    else
        m_filter.reset();
    m_strWords = strWords;
    invalidateFilter();
}

const CPasswordInfo* CRecordListModel::RecordOf(const QModelIndex& index) const {
    return m_model.RecordOf(mapToSource(index));
}

int FindNamedRow(int nRows, const std::function<const CPasswordInfo*(int)>& fnRecord,
                 const std::string& strName, bool bPrefix, const CCodePage& codePage) {
    for (int i = 0; i < nRows; ++i) {
        const CPasswordInfo* pRecord = fnRecord(i);
        if (pRecord && NameOf(*pRecord) == strName)
            return i;
    }
    for (int i = 0; bPrefix && i < nRows; ++i) {
        const CPasswordInfo* pRecord = fnRecord(i);
        if (pRecord && StartsWithNoCase(NameOf(*pRecord), strName, codePage))
            return i;
    }
    return -1;
}

int CRecordListModel::FindRow(const QModelIndex& parent, const std::string& strName,
                              bool bPrefix) const {
    return FindNamedRow(
        rowCount(parent), [&](int nRow) { return RecordOf(index(nRow, 0, parent)); }, strName,
        bPrefix, m_model.Document().CodePage());
}

QVariant CRecordListModel::data(const QModelIndex& index, int nRole) const {
    return nRole == Qt::DecorationRole ? QVariant() : QSortFilterProxyModel::data(index, nRole);
}

bool CRecordListModel::filterAcceptsRow(int nSourceRow, const QModelIndex& sourceParent) const {
    switch (CRecordTreeModel::Level(sourceParent)) {
    case -1:
        return m_bOpen; // the file item, whose children the lists show
    case 1:
        // A group's list holds its accounts, not the groups inside it.
        if (nSourceRow >= m_model.AccountRows(sourceParent))
            return LeadsToRoot(nSourceRow, sourceParent);
        if (!IsNarrowed())
            return true;
        return m_filter && m_filter->Matches(*m_model.AccountAt(
                               m_model.PosOf(sourceParent).m_nGroup, nSourceRow));
    default:
        return true;
    }
}
