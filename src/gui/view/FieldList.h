// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/store/RecordDatabase.h"

#include <QTreeWidget>

#include <vector>

// The fields of a database's entry beside the ones its account shows, in
// the detail panel: name and value, a protected value masked while the
// passwords are. A double-click or Enter on a row copies its value (a
// protected one marked as a secret, as a password is).
class CFieldList : public QTreeWidget {
    Q_OBJECT

public:
    explicit CFieldList(QWidget* pParent = nullptr);
    ~CFieldList() override;

    void ShowFields(std::vector<SRecordField> fields, bool bMask);
    void SetMask(bool bMask);
    // The row of the field shown, as it is shown.
    const std::vector<SRecordField>& Fields() const { return m_fields; }

protected:
    void keyPressEvent(QKeyEvent* pEvent) override;

private:
    void Fill();
    void CopyValue(const QTreeWidgetItem* pItem) const;
    void Forget();

    std::vector<SRecordField> m_fields;
    bool m_bMask = true;
};
