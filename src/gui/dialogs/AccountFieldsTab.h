// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/RecordExtras.h"

#include <QWidget>

#include <string>
#include <vector>

class QPushButton;
class QTableWidget;

// The account dialog's tab of an entry's own fields: a table of name, value
// and whether the value is protected, edited in place, with buttons that
// add and remove a field. Protected values are masked while the dialog
// masks passwords.
class CAccountFieldsTab : public QWidget {
    Q_OBJECT
public:
    enum { COLUMN_NAME, COLUMN_VALUE, COLUMN_PROTECTED };

    explicit CAccountFieldsTab(QWidget* pParent = nullptr);

    void Load(const std::vector<SRecordField>& fields);
    std::vector<SRecordField> Fields() const;
    void SetMasked(bool bMasked);
    // Takes what an open in-place editor holds into the table.
    void CommitEdit();
    // Why the names cannot be kept ("" when they can): an empty name, one
    // given twice, or a key the entry keeps its own texts under. The
    // offending name becomes the current cell.
    std::string CheckNames();

    QTableWidget* Table() const { return m_pTable; }
    QPushButton* AddButton() const { return m_pAdd; }
    QPushButton* RemoveButton() const { return m_pRemove; }

private:
    void AddRow(const SRecordField& field);
    void OnAdd();
    void OnRemove();
    // The masks and the texts that the accessibility bus reads of them.
    void ShowMasks();
    bool IsMasked(int nRow) const;

    QTableWidget* m_pTable = nullptr;
    QPushButton* m_pAdd = nullptr;
    QPushButton* m_pRemove = nullptr;
    bool m_bMasked = true;
};
