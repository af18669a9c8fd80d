// SPDX-License-Identifier: GPL-3.0-or-later
#include "SampleRecords.h"

CPasswordInfo GroupRecord(const std::string& strName) {
    CPasswordInfo info;
    info.m_bGroup = 1;
    info.SetGroup(strName);
    return info;
}

CPasswordInfo AccountRecord(const std::string& strName, const std::string& strUser,
                            const std::string& strPassword, const std::string& strWebSite,
                            const std::string& strEMail, const std::string& strComments) {
    CPasswordInfo info;
    info.SetAccount(strName);
    info.SetUserName(strUser);
    info.SetPassword(strPassword);
    info.SetWebSite(strWebSite);
    info.SetEMail(strEMail);
    info.SetComments(strComments);
    return info;
}
