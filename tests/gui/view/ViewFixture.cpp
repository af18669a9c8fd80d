// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/view/ViewFixture.h"

#include "core/store/FieldCipher.h"
#include "gui/view/AccountTreeCtrl.h"

CViewFixture::CViewFixture(CMemoryProfile* pSharedProfile) : CFrameFixture(pSharedProfile) {
    m_editPrompts.m_fnFail = [this](const std::string& strWhat) {
        m_vecFailures.push_back("unexpected dialog: " + strWhat);
    };
}

CViewFixture::~CViewFixture() {
    m_pView.reset();
}

void CViewFixture::NewKeyedDocument(const std::string& strFirstGroup,
                                    const std::string& strFileName) {
    m_pDoc->OnNewDocument();
    m_pDoc->m_strKey = MakeKeyCheckValue("secret");
    m_pDoc->m_strFileName = strFileName;
    m_pDoc->RenameGroup(m_pDoc->FindGroup("My Passwords"), strFirstGroup);
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
        m_pView =
            std::make_unique<CCofferView>(*m_pDoc, m_profile, m_prompts, m_editPrompts, *m_pFrame);
        m_pView->resize(600, 400);
    }
    m_pView->OnInitialUpdate();
    return *m_pView;
}

QTreeWidgetItem* CViewFixture::Current() const {
    return m_pView->Tree()->currentItem();
}

std::string CViewFixture::CurrentLabel() const {
    return Current() ? m_pView->Tree()->ItemText(Current()) : std::string();
}

std::string CViewFixture::CurrentPath() const {
    QTreeWidgetItem* pItem = Current();
    switch (CAccountTreeCtrl::GetItemLevel(pItem)) {
    case 1:
        return m_pView->Tree()->ItemText(pItem);
    case 2:
        return m_pView->Tree()->ItemText(pItem->parent()) + "/" + m_pView->Tree()->ItemText(pItem);
    default:
        return {};
    }
}

std::vector<std::string> CViewFixture::TreeLabels() const {
    std::vector<std::string> labels;
    QTreeWidgetItem* pRoot = m_pView->m_hRootItem;
    for (int i = 0; pRoot && i < pRoot->childCount(); ++i) {
        labels.push_back(m_pView->Tree()->ItemText(pRoot->child(i)));
        for (int j = 0; j < pRoot->child(i)->childCount(); ++j)
            labels.push_back("  " + m_pView->Tree()->ItemText(pRoot->child(i)->child(j)));
    }
    return labels;
}

std::vector<std::string> CViewFixture::ListOrder() const {
    std::vector<std::string> names;
    for (const CPasswordInfo& info : m_pDoc->m_listInfo)
        names.push_back(info.IsGroup() ? "G:" + info.Group() : info.Account());
    return names;
}
