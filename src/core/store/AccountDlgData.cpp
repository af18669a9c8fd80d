#include "core/store/AccountDlgData.h"

CPasswordInfo AccountTexts(const SAccountDlgData& data) {
    CPasswordInfo texts;
    texts.m_strAccount = data.m_strAccount;
    texts.m_strUserName = data.m_strUserName;
    texts.m_strPassword = data.m_strPassword;
    texts.m_strWebSite = data.m_strWebSite;
    texts.m_strEMail = data.m_strEMail;
    texts.m_strComments = data.m_strComments;
    return texts;
}

void FillAccountDlgData(SAccountDlgData& data, const CPasswordInfo& account) {
    data.m_strAccount = account.m_strAccount;
    data.m_strUserName = account.m_strUserName;
    data.m_strPassword = account.m_strPassword;
    data.m_strWebSite = account.m_strWebSite;
    data.m_strEMail = account.m_strEMail;
    data.m_strComments = account.m_strComments;
    data.m_pEditing = &account;
}
