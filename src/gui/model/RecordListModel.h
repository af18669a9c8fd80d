// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/tree/FieldFilter.h"

#include <QSortFilterProxyModel>

#include <functional>
#include <optional>
#include <string>

class CCodePage;
class CPasswordInfo;
class CRecordTreeModel;

// Of nRows rows, fnRecord giving each one's record, the row shown for
// strName: the one equal to it byte for byte, else (with bPrefix) the first
// whose name begins with it ignoring case; -1 when none is.
int FindNamedRow(int nRows, const std::function<const CPasswordInfo*(int)>& fnRecord,
                 const std::string& strName, bool bPrefix, const CCodePage& codePage);

// One level of the record model as a flat list, the Password Bar's: the
// groups at the top of the file, or the accounts of one group (not the
// groups inside it), in the tree's order and
// by name only (without the tree's pictures). A closed list has no rows
// whatever its root. The accounts listed are those whose fields hold every
// word typed (the live filter's rule); the groups are never narrowed.
class CRecordListModel : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit CRecordListModel(CRecordTreeModel& model, QObject* pParent = nullptr);

    // Whether the list shows its root's children or nothing at all.
    void SetOpen(bool bOpen);
    // Opens the list on the group it lists (the file item for a list of
    // groups) and gives its place in the list, the root to show.
    QModelIndex Open(const QModelIndex& sourceRoot);
    // The words each account listed holds; blank lists every account.
    void SetWords(const QString& strWords);
    bool IsNarrowed() const { return !m_strWords.trimmed().isEmpty(); }

    // The record of a row (a group or an account), or none.
    const CPasswordInfo* RecordOf(const QModelIndex& index) const;
    // The row among parent's children shown for strName: the one equal to
    // it byte for byte, else (with bPrefix) the first whose name begins with
    // it ignoring case; -1 when none is. The exact name first, so of "Bank"
    // and "bank" the one asked for is the one shown.
    int FindRow(const QModelIndex& parent, const std::string& strName, bool bPrefix) const;

    QVariant data(const QModelIndex& index, int nRole = Qt::DisplayRole) const override;

protected:
    bool filterAcceptsRow(int nSourceRow, const QModelIndex& sourceParent) const override;

private:
    // Whether a group's row holds the root or a group it is inside: the
    // way down to a nested root stays in the list, hidden above the root.
    bool LeadsToRoot(int nSourceRow, const QModelIndex& sourceParent) const;

    CRecordTreeModel& m_model;
    bool m_bOpen = false;
    QPersistentModelIndex m_root;
    QString m_strWords;
    // None while words are typed that the file's code page cannot hold:
    // they are in no account.
    std::optional<CFieldFilter> m_filter;
};
