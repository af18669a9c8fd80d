// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/EditPrompts.h"
#include "core/health/PasswordHealth.h"

#include <QDialog>

class CCofferDoc;
class CPrompts;
class QComboBox;
class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

// The accounts whose passwords are empty, weak (below the threshold chosen
// in the dialog) or shared by several accounts, worst first and the accounts
// of one shared password together. A line opened (double click or Enter)
// edits its account; the list is checked again after each edit and each
// change of the threshold. No password is ever shown. A large file is checked
// on another thread behind the busy box, which shows how far the check got
// and can cancel it; the check reads its own copy of the records, so a lock
// that stops it leaves it nothing of the document's to read.
class CPasswordHealthDlg : public QDialog {
    Q_OBJECT
public:
    enum { IDC_HEALTH_THRESHOLD = 1401, IDC_HEALTH_LIST = 1402, IDC_HEALTH_SUMMARY = 1403 };
    enum EColumn { columnAccount, columnFinding, columnStrength, columnCount };

    CPasswordHealthDlg(const CCofferDoc& doc, SHealthDlgData& health, CPrompts& prompts,
                       QWidget* pParent = nullptr);

    // Files with fewer records are checked at once: their check ends
    // before a busy box could be read.
    static constexpr std::size_t BUSY_RECORDS = 2000;

    // Checks the document again and fills the list.
    void Recompute();
    // Edits the account of the list's line nRow.
    void OpenLine(int nRow);

    const SHealthReport& Report() const { return m_report; }
    QComboBox* ThresholdList() const { return m_pThreshold; }
    QTreeWidget* List() const { return m_pList; }
    QLabel* Summary() const { return m_pSummary; }

    // The texts of one line: its account, its findings, its strength.
    static QStringList LineTexts(const SHealthLine& line, const CCofferDoc& doc);

private:
    void OnThresholdChosen(int nIndex);
    // The document's report, checked in place or behind the busy box.
    SHealthReport Check() const;

    const CCofferDoc& m_doc;
    SHealthDlgData& m_data;
    CPrompts& m_prompts;
    EStrength m_eThreshold = EStrength::reasonable;
    SHealthReport m_report;
    QComboBox* m_pThreshold = nullptr;
    QTreeWidget* m_pList = nullptr;
    QLabel* m_pSummary = nullptr;
};
