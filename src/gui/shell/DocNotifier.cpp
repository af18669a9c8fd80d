#include "gui/shell/DocNotifier.h"

#include "core/store/CofferDoc.h"

CDocNotifier::CDocNotifier(CCofferDoc& doc, QObject* pParent) : QObject(pParent), m_doc(doc) {
    m_doc.m_fnNotify = [this](EDocNotice eNotice) { OnNotice(eNotice); };
}

CDocNotifier::~CDocNotifier() {
    m_doc.m_fnNotify = nullptr;
}

void CDocNotifier::OnNotice(EDocNotice eNotice) {
    switch (eNotice) {
    case EDocNotice::updateAllViews:
        emit UpdateAllViews();
        break;
    case EDocNotice::initialUpdate:
        emit InitialUpdate();
        break;
    case EDocNotice::pathNameChanged:
        emit PathNameChanged();
        break;
    case EDocNotice::modifiedChanged:
        emit ModifiedChanged(m_doc.IsModified());
        break;
    case EDocNotice::recentFileListChanged:
        emit RecentFileListChanged();
        break;
    }
}
