// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/view/ViewFixture.h"

#include "core/store/FieldCipher.h"
#include "gui/model/RecordTreeModel.h"
#include "gui/view/AccountTreeCtrl.h"
#include "support/SampleDocument.h"

#include <functional>

CViewFixture::CViewFixture(CMemoryProfile* pSharedProfile) : CFrameFixture(pSharedProfile) {
    m_editPrompts.m_fnFail = [this](const std::string& strWhat) {
        m_vecFailures.push_back("unexpected dialog: " + strWhat);
    };
}

CViewFixture::~CViewFixture() {
    m_pView.reset();
}

void CViewFixture::NewKeyedDocument(const std::string& strOutline, const std::string& strFileName) {
    MakeKeyedDoc(*m_pDoc, "secret", {GroupRecord(DEFAULT_GROUP_NAME)}, strFileName);
    BuildSampleDocument(*m_pDoc, strOutline);
}

CPasswordInfo* CViewFixture::Group(const std::string& strName) {
    return m_pDoc->AddGroup(strName);
}

CPasswordInfo* CViewFixture::Account(const std::string& strGroup, const std::string& strName,
                                     const std::string& strPassword, const std::string& strWeb,
                                     const std::string& strMail) {
    CPasswordInfo texts;
    texts.SetAccount(strName);
    texts.SetUserName("user-" + strName);
    texts.SetPassword(strPassword);
    texts.SetWebSite(strWeb);
    texts.SetEMail(strMail);
    texts.SetComments("about " + strName);
    return m_pDoc->AddAccount(strGroup, texts);
}

CCofferView& CViewFixture::Show() {
    if (!m_pView) {
        Frame();
        m_pView = std::make_unique<CCofferView>(m_pDoc->Session(), m_notifier.Model(), m_prompts,
                                                m_editPrompts, *m_pFrame, *m_pSettings);
        m_pView->resize(600, 400);
        QObject::connect(m_pFrame.get(), &CMainFrame::CommandUIUpdated, m_pView.get(),
                         &CCofferView::UpdateStartHint);
        m_pView->Follow(m_notifier);
    }
    m_pView->OnInitialUpdate();
    return *m_pView;
}

QModelIndex CViewFixture::Item(int nGroup, int nAccount) const {
    return m_pView->Model().IndexAt({nGroup, nAccount});
}

const CPasswordInfo* CViewFixture::RecordOf(const QModelIndex& item) const {
    return m_pView->Model().RecordOf(item);
}

QModelIndex CViewFixture::Current() const {
    return m_pView->Tree()->currentIndex();
}

std::string CViewFixture::CurrentLabel() const {
    const CPasswordInfo* pRecord = RecordOf(Current());
    if (!pRecord)
        return Current().isValid() ? Current().data().toString().toStdString() : std::string();
    return pRecord->IsGroup() ? pRecord->Group() : pRecord->Account();
}

std::string CViewFixture::CurrentPath() const {
    const QModelIndex item = Current();
    switch (CAccountTreeCtrl::GetItemLevel(item)) {
    case 1:
        return RecordOf(item)->Group();
    case 2:
        return RecordOf(item.parent())->Group() + "/" + RecordOf(item)->Account();
    default:
        return {};
    }
}

std::vector<std::string> CViewFixture::TreeLabels(bool bShownOnly) const {
    std::vector<std::string> labels;
    const CRecordTreeModel& model = m_pView->Model();
    const CAccountTreeCtrl& tree = *m_pView->Tree();
    // Depth first; a group's rows are its accounts, then its groups.
    const std::function<void(const QModelIndex&, const std::string&)> fnWalk =
        [&](const QModelIndex& parent, const std::string& strIndent) {
            for (int i = 0; i < model.rowCount(parent); ++i) {
                if (bShownOnly && tree.isRowHidden(i, parent))
                    continue;
                const QModelIndex item = model.index(i, 0, parent);
                if (CRecordTreeModel::Level(item) == 2) {
                    labels.push_back(strIndent + RecordOf(item)->Account());
                    continue;
                }
                const bool bOpen = bShownOnly && tree.isExpanded(item);
                // The label in stored bytes, as the records hold it.
                labels.push_back(strIndent + (bOpen ? "+" : "") +
                                 std::string(model.Label(model.PosOf(item))));
                fnWalk(item, strIndent + "  ");
            }
        };
    fnWalk(model.FileIndex(), "");
    return labels;
}

std::vector<std::string> CViewFixture::ListOrder() const {
    std::vector<std::string> names;
    for (const CPasswordInfo& info : m_pDoc->Records())
        names.push_back(info.IsGroup() ? "G:" + info.Group() : info.Account());
    return names;
}
