// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/DocNotifier.h"

#include "core/store/CofferDoc.h"

CDocNotifier::CDocNotifier(CCofferDoc& doc, QObject* pParent) : QObject(pParent), m_doc(doc) {
    m_doc.SetObserver(this);
}

CDocNotifier::~CDocNotifier() {
    m_doc.SetObserver(nullptr);
}

void CDocNotifier::OnRecordsChanged(const SRecordNotice& notice) {
    if (notice.m_eKind == SRecordNotice::reset)
        emit UpdateAllViews();
    else
        emit RecordsChanged(notice);
}
