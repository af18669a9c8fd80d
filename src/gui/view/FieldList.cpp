// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/view/FieldList.h"

#include "core/seal/SecretBuffer.h"
#include "core/store/CodePage.h"
#include "gui/view/ViewTexts.h"
#include "platform/Clipboard.h"
#include "platform/Translations.h"

#include <QHeaderView>
#include <QKeyEvent>

CFieldList::CFieldList(QWidget* pParent) : QTreeWidget(pParent) {
    setColumnCount(2);
    setHeaderLabels({TrText(IDS_FIELD_NAME), TrText(IDS_FIELD_VALUE)});
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    header()->setStretchLastSection(true);
    setToolTip(TrText(IDS_FIELD_COPY_TIP));
    connect(this, &QTreeWidget::itemDoubleClicked, this,
            [this](const QTreeWidgetItem* pItem) { CopyValue(pItem); });
}

CFieldList::~CFieldList() {
    Forget();
}

void CFieldList::ShowFields(std::vector<SRecordField> fields, bool bMask) {
    Forget();
    m_fields = std::move(fields);
    m_bMask = bMask;
    Fill();
}

void CFieldList::SetMask(bool bMask) {
    if (bMask == m_bMask)
        return;
    m_bMask = bMask;
    Fill();
}

void CFieldList::Fill() {
    clear();
    for (const SRecordField& field : m_fields) {
        const bool bMasked = field.bProtected && m_bMask;
        auto* pItem = new QTreeWidgetItem(this, {QString::fromStdString(field.strName),
                                                 bMasked ? QString::fromLatin1(IDS_MASKED_PASSWORD)
                                                         : QString::fromStdString(field.strValue)});
        pItem->setData(0, Qt::UserRole, static_cast<int>(indexOfTopLevelItem(pItem)));
    }
    resizeColumnToContents(0);
}

void CFieldList::keyPressEvent(QKeyEvent* pEvent) {
    if ((pEvent->key() == Qt::Key_Return || pEvent->key() == Qt::Key_Enter) && currentItem()) {
        CopyValue(currentItem());
        return;
    }
    QTreeWidget::keyPressEvent(pEvent);
}

void CFieldList::CopyValue(const QTreeWidgetItem* pItem) const {
    const int nIndex = pItem ? pItem->data(0, Qt::UserRole).toInt() : -1;
    if (nIndex < 0 || static_cast<std::size_t>(nIndex) >= m_fields.size())
        return;
    const SRecordField& field = m_fields[static_cast<std::size_t>(nIndex)];
    if (field.bProtected)
        CClipboard::SetPassword(field.strValue, CCodePage::Utf8());
    else
        CClipboard::SetText(field.strValue, CCodePage::Utf8());
}

void CFieldList::Forget() {
    clear();
    for (SRecordField& field : m_fields)
        CSecretBuffer::Wipe(field.strValue);
    m_fields.clear();
}
