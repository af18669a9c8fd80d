// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/model/DocNotifier.h"

#include "core/store/CofferDoc.h"

CDocNotifier::CDocNotifier(CCofferDoc& doc, QObject* pParent)
    : QObject(pParent), m_doc(doc), m_model(doc) {
    m_doc.SetObserver(this);
}

CDocNotifier::~CDocNotifier() {
    m_doc.SetObserver(nullptr);
}

void CDocNotifier::OnInitialUpdate() {
    m_model.Reload();
    emit InitialUpdate();
}

void CDocNotifier::OnEmptied() {
    // The records are about to go: nothing may show them any more.
    m_model.Clear();
    emit Emptied();
}

void CDocNotifier::OnPathNameChanged() {
    m_model.UpdateFileLabel();
    emit PathNameChanged();
}

void CDocNotifier::OnRecordsChanged(const SRecordNotice& notice) {
    // One edit changes the model in place; a reset builds it again.
    m_model.Apply(notice);
    if (notice.m_eKind == SRecordNotice::reset)
        emit UpdateAllViews();
    else
        emit RecordsChanged(notice);
}
