#pragma once

#include <cstdint>
#include <string>

class CArchive;

// One record of a password file: an account, or a group header that owns the
// accounts after it in the document's list. Texts are byte strings in the
// file's code page and may hold 0x00 once enciphered.
class CPasswordInfo {
public:
    CPasswordInfo() = default;
    CPasswordInfo(const CPasswordInfo&) = default;
    CPasswordInfo& operator=(const CPasswordInfo&) = default;
    virtual ~CPasswordInfo() = default;

    // Stores or loads the record body in the order the file keeps it.
    // Loading returns false when the archive runs out or is malformed.
    bool Serialize(CArchive& ar);

    bool IsGroup() const { return m_bGroup != 0; }
    // Wipes and empties every text, as when the record's file is dropped.
    void Wipe();

    // Fields in file order.
    std::string m_strAccount;
    std::string m_strUserName;
    std::string m_strPassword;
    std::string m_strWebSite;
    std::string m_strEMail;
    std::string m_strComments;
    std::int32_t m_bGroup = 0;
    std::string m_strGroup;
};
