// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/view/TreeDrop.h"

#include "core/store/CofferDoc.h"
#include "gui/model/RecordTreeModel.h"

#include <vector>

CTreeDrop::CTreeDrop(const CRecordTreeModel& model, CCofferDoc& doc, CEditPrompts& prompts)
    : m_model(model), m_doc(doc), m_prompts(prompts) {}

QModelIndex CTreeDrop::FindClash(const QModelIndex& parent, const std::string& strName) const {
    for (int i = 0; i < m_model.AccountRows(parent); ++i) {
        const QModelIndex child = m_model.index(i, 0, parent);
        if (m_model.RecordOf(child)->TextView(CPasswordInfo::account) == strName)
            return child;
    }
    return {};
}

void CTreeDrop::RemoveAccount(const QModelIndex& item) {
    m_doc.DeleteAccount(m_model.RecordOf(item));
    m_bChanged = true;
}

QModelIndex CTreeDrop::CopyItem(const QModelIndex& source, const QModelIndex& parent,
                                bool bDelete) {
    const QPersistentModelIndex sourceItem(source);
    const QPersistentModelIndex parentItem(parent);
    const CPasswordInfo* pSourceRecord = m_model.RecordOf(source);
    // Only the first account of the same name is asked about.
    const QModelIndex clash = FindClash(parent, pSourceRecord->Account());
    if (clash.isValid()) {
        const EReplaceAnswer eAnswer = m_eReplaceAnswer == EReplaceAnswer::yesToAll
                                           ? EReplaceAnswer::yes
                                           : m_prompts.RunAccountReplace(pSourceRecord->Account());
        if (m_eReplaceAnswer != EReplaceAnswer::yesToAll)
            m_eReplaceAnswer = eAnswer;
        if (eAnswer == EReplaceAnswer::no)
            return sourceItem;
        if (eAnswer == EReplaceAnswer::cancel)
            return {};
        RemoveAccount(clash);
    }
    const CPasswordInfo* pCopy = m_doc.CopyAccount(*pSourceRecord, m_model.RecordOf(parentItem));
    if (!pCopy)
        return {};
    m_bChanged = true;
    QPersistentModelIndex copy;
    for (int i = 0; i < m_model.AccountRows(parentItem) && !copy.isValid(); ++i) {
        const QModelIndex child = m_model.index(i, 0, parentItem);
        if (m_model.RecordOf(child) == pCopy)
            copy = child;
    }
    if (bDelete && sourceItem.isValid())
        RemoveAccount(sourceItem);
    return copy;
}

QModelIndex CTreeDrop::CopyChildren(const QModelIndex& source, const QModelIndex& parent,
                                    bool bDelete) {
    // The accounts are taken before any moves out of the group; the groups
    // inside it stay where they are.
    std::vector<QPersistentModelIndex> children;
    for (int i = 0; i < m_model.AccountRows(source); ++i)
        children.emplace_back(m_model.index(i, 0, source));
    const QPersistentModelIndex target(parent);
    QModelIndex last;
    for (const QPersistentModelIndex& child : children) {
        // A clash replaced earlier in this drop may have taken the child.
        if (!child.isValid())
            continue;
        last = CopyItem(child, target, bDelete);
        if (!last.isValid())
            return {};
    }
    return last;
}
