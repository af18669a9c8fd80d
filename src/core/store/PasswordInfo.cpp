#include "core/store/PasswordInfo.h"

#include "core/seal/SecretBuffer.h"
#include "core/store/Archive.h"

void CPasswordInfo::Wipe() {
    for (std::string* pText : {&m_strAccount, &m_strUserName, &m_strPassword, &m_strWebSite,
                               &m_strEMail, &m_strComments, &m_strGroup})
        CSecretBuffer::Wipe(*pText);
}

bool CPasswordInfo::Serialize(CArchive& ar) {
    std::string* texts[] = {&m_strAccount, &m_strUserName, &m_strPassword,
                            &m_strWebSite, &m_strEMail,    &m_strComments};
    if (ar.IsStoring()) {
        for (const std::string* pText : texts)
            ar.WriteText(*pText);
        ar.WriteInt32(m_bGroup);
        ar.WriteText(m_strGroup);
        return true;
    }
    for (std::string* pText : texts) {
        if (!ar.ReadText(*pText))
            return false;
    }
    return ar.ReadInt32(m_bGroup) && ar.ReadText(m_strGroup);
}
