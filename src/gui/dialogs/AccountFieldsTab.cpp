// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/AccountFieldsTab.h"

#include "core/base/TextUtil.h"
#include "core/kdbx/KdbxTree.h"
#include "core/otp/OtpSettings.h"
#include "gui/controls/MaskedValueDelegate.h"
#include "gui/dialogs/AccountTabTexts.h"
#include "gui/dialogs/TabButton.h"
#include "platform/Translations.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <set>

namespace {

// The entry keeps its six texts and its one-time password under these keys,
// compared as the database compares them: case matters.
bool IsEntryKey(const std::string& strName) {
    return IsKdbxStandardField(strName) || strName == OTP_URI_FIELD;
}

} // namespace

CAccountFieldsTab::CAccountFieldsTab(QWidget* pParent) : QWidget(pParent) {
    m_pTable = new QTableWidget(0, 3, this);
    m_pTable->setObjectName(QStringLiteral("Fields"));
    m_pTable->setAccessibleName(TrText(IDS_FIELDS_TABLE));
    m_pTable->setHorizontalHeaderLabels({TrText(IDS_FIELD_NAME_COLUMN),
                                         TrText(IDS_FIELD_VALUE_COLUMN),
                                         TrText(IDS_FIELD_PROTECTED_COLUMN)});
    m_pTable->horizontalHeader()->setSectionResizeMode(COLUMN_VALUE, QHeaderView::Stretch);
    m_pTable->verticalHeader()->hide();
    m_pTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pTable->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pTable->setItemDelegateForColumn(
        COLUMN_VALUE,
        new CMaskedValueDelegate([this](const QModelIndex& index) { return IsMasked(index.row()); },
                                 this));
    connect(m_pTable, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* pItem) {
        if (pItem->column() == COLUMN_PROTECTED)
            ShowMasks();
    });

    m_pAdd = MakeTabButton(IDS_ADD_FIELD, IDS_ADD_FIELD_NAME, "AddField", this);
    m_pRemove = MakeTabButton(IDS_REMOVE_FIELD, IDS_REMOVE_FIELD_NAME, "RemoveField", this);
    connect(m_pAdd, &QPushButton::clicked, this, &CAccountFieldsTab::OnAdd);
    connect(m_pRemove, &QPushButton::clicked, this, &CAccountFieldsTab::OnRemove);

    auto* pButtons = new QHBoxLayout;
    pButtons->addWidget(m_pAdd);
    pButtons->addWidget(m_pRemove);
    pButtons->addStretch(1);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(m_pTable);
    pLayout->addLayout(pButtons);
}

void CAccountFieldsTab::Load(const std::vector<SRecordField>& fields) {
    m_pTable->setRowCount(0);
    for (const SRecordField& field : fields)
        AddRow(field);
    m_pTable->resizeColumnToContents(COLUMN_NAME);
}

void CAccountFieldsTab::AddRow(const SRecordField& field) {
    const QSignalBlocker block(m_pTable);
    const int nRow = m_pTable->rowCount();
    m_pTable->insertRow(nRow);
    m_pTable->setItem(nRow, COLUMN_NAME,
                      new QTableWidgetItem(QString::fromStdString(field.strName)));
    m_pTable->setItem(nRow, COLUMN_VALUE,
                      new QTableWidgetItem(QString::fromStdString(field.strValue)));
    auto* pProtected = new QTableWidgetItem;
    pProtected->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    pProtected->setCheckState(field.bProtected ? Qt::Checked : Qt::Unchecked);
    pProtected->setData(Qt::AccessibleTextRole, TrText(IDS_FIELD_PROTECTED_COLUMN));
    m_pTable->setItem(nRow, COLUMN_PROTECTED, pProtected);
    ShowMasks();
}

std::vector<SRecordField> CAccountFieldsTab::Fields() const {
    std::vector<SRecordField> fields;
    for (int nRow = 0; nRow < m_pTable->rowCount(); ++nRow) {
        fields.push_back({m_pTable->item(nRow, COLUMN_NAME)->text().toStdString(),
                          m_pTable->item(nRow, COLUMN_VALUE)->text().toStdString(),
                          m_pTable->item(nRow, COLUMN_PROTECTED)->checkState() == Qt::Checked});
    }
    return fields;
}

bool CAccountFieldsTab::IsMasked(int nRow) const {
    const QTableWidgetItem* pProtected = m_pTable->item(nRow, COLUMN_PROTECTED);
    return m_bMasked && pProtected && pProtected->checkState() == Qt::Checked;
}

void CAccountFieldsTab::SetMasked(bool bMasked) {
    m_bMasked = bMasked;
    ShowMasks();
}

void CAccountFieldsTab::ShowMasks() {
    const QSignalBlocker block(m_pTable);
    for (int nRow = 0; nRow < m_pTable->rowCount(); ++nRow) {
        // What a screen reader speaks of a masked value is the mask.
        if (QTableWidgetItem* pValue = m_pTable->item(nRow, COLUMN_VALUE))
            pValue->setData(Qt::AccessibleTextRole,
                            IsMasked(nRow) ? QVariant(TrText(IDS_FIELD_PROTECTED_COLUMN))
                                           : QVariant());
    }
    m_pTable->viewport()->update();
}

void CAccountFieldsTab::CommitEdit() {
    const QModelIndex index = m_pTable->currentIndex();
    if (QWidget* pEditor = m_pTable->indexWidget(index))
        emit m_pTable->itemDelegateForIndex(index)->commitData(pEditor);
}

void CAccountFieldsTab::OnAdd() {
    AddRow({});
    const int nRow = m_pTable->rowCount() - 1;
    m_pTable->setCurrentCell(nRow, COLUMN_NAME);
    m_pTable->editItem(m_pTable->item(nRow, COLUMN_NAME));
}

void CAccountFieldsTab::OnRemove() {
    const int nRow = m_pTable->currentRow();
    if (nRow >= 0)
        m_pTable->removeRow(nRow);
}

std::string CAccountFieldsTab::CheckNames() {
    std::set<std::string> seen;
    for (int nRow = 0; nRow < m_pTable->rowCount(); ++nRow) {
        const std::string strName = m_pTable->item(nRow, COLUMN_NAME)->text().toStdString();
        std::string strWhy;
        if (strName.empty())
            strWhy = IDS_FIELD_NAME_EMPTY;
        else if (IsEntryKey(strName))
            strWhy = FormatText(IDS_FIELD_NAME_RESERVED, strName);
        else if (!seen.insert(strName).second)
            strWhy = FormatText(IDS_FIELD_NAME_TWICE, strName);
        if (!strWhy.empty()) {
            m_pTable->setCurrentCell(nRow, COLUMN_NAME);
            return strWhy;
        }
    }
    return {};
}
