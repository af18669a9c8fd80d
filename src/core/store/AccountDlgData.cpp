// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/store/AccountDlgData.h"

#include "core/store/CofferDoc.h"

CPasswordInfo AccountTexts(const SAccountDlgData& data) {
    CPasswordInfo texts;
    texts.SetAccount(data.m_strAccount);
    texts.SetUserName(data.m_strUserName);
    texts.SetPassword(data.m_strPassword);
    texts.SetWebSite(data.m_strWebSite);
    texts.SetEMail(data.m_strEMail);
    texts.SetComments(data.m_strComments);
    return texts;
}

void FillAccountDlgData(SAccountDlgData& data, const CPasswordInfo& account) {
    data.m_strAccount = account.Account();
    data.m_strUserName = account.UserName();
    data.m_strPassword = account.Password();
    data.m_strWebSite = account.WebSite();
    data.m_strEMail = account.EMail();
    data.m_strComments = account.Comments();
    data.m_pEditing = &account;
}

void FillDatabaseDlgData(SAccountDlgData& data, const CCofferDoc& doc,
                         const CPasswordInfo* pAccount) {
    if (!doc.IsDatabase())
        return;
    data.m_extras = pAccount ? doc.DatabaseExtras(*pAccount) : SRecordExtras();
    data.m_history = pAccount ? doc.DatabaseHistory(*pAccount) : std::vector<SRecordVersion>();
}

void KeepDatabaseExtras(CCofferDoc& doc, const CPasswordInfo* pAccount, SAccountDlgData& data) {
    if (pAccount && data.m_extras)
        doc.SetDatabaseExtras(pAccount, std::move(*data.m_extras));
}
