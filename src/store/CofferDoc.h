#pragma once

#include "store/FileIO.h"
#include "store/PasswordInfo.h"

#include <cstdint>
#include <list>
#include <string>
#include <vector>

class CArchive;
class CCodePage;

// Default generator header of a file emptied for reading; a brand-new file
// stores empty texts instead.
inline constexpr std::int32_t DEFAULT_GENERATE = 39;
inline constexpr const char* DEFAULT_GROUP_NAME = "My Passwords";
inline constexpr const char* PASSWORD_CLASS_NAME = "CPasswordInfo";

// The open password file: its records in one ordered list, where a group
// header owns the accounts that follow it, and the header fields the file
// carries. All changes to the content go through the store operations.
class CCofferDoc {
public:
    // Records are held by value; list nodes never move, so the tree and the
    // Password Bar may keep plain pointers to them.
    using CInfoList = std::list<CPasswordInfo>;

    CCofferDoc();
    virtual ~CCofferDoc();
    CCofferDoc(const CCofferDoc&) = delete;
    CCofferDoc& operator=(const CCofferDoc&) = delete;

    // --- store operations ---
    CPasswordInfo* FindGroup(const std::string& strName);
    CPasswordInfo* AddGroup(const std::string& strName);
    void RenameGroup(CPasswordInfo* pGroup, const std::string& strName);
    // Removes the group and every account up to the next group.
    void DeleteGroup(CPasswordInfo* pGroup);
    // Copies the six account texts of texts into a new record placed right
    // after the group's header. None when the account name is empty or no
    // group has that name.
    CPasswordInfo* AddAccount(const std::string& strGroup, const CPasswordInfo& texts);
    CPasswordInfo* ReplaceAccount(CPasswordInfo* pOld, const std::string& strGroup,
                                  const CPasswordInfo& texts);
    void DeleteAccount(CPasswordInfo* pAccount);
    // Puts the records in the given order (the tree's pre-order). Records of
    // the list that the caller left out keep their relative order at the end,
    // so nothing is ever lost; pointers not in the list are ignored.
    void RebuildOrder(const std::vector<CPasswordInfo*>& order);
    int CountGroups() const;
    int CountAccounts() const;
    bool IsAccountNameFree(const std::string& strGroup, const std::string& strAccount,
                           const CPasswordInfo* pEditing) const;
    bool IsGroupNameFree(const std::string& strName) const;
    // The group header that owns pRecord (itself for a group), or none.
    CPasswordInfo* GroupOf(const CPasswordInfo* pRecord);

    // --- life of the content ---
    // Empties the document and restores the header defaults of a file that
    // is about to be read.
    virtual void DeleteContents();
    // A new untitled document: one group "My Passwords", empty header texts.
    virtual bool OnNewDocument();
    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool bModified = true) { m_bModified = bModified; }

    // --- enciphering pipeline ---
    static std::string XorField(const std::string& strText, const std::string& strX);
    // Appends enciphered copies of m_listInfo to m_listArchive.
    void EncipherList();
    // Moves the records of m_listArchive, deciphered, to the end of m_listInfo.
    void DecipherList();
    // Stores or loads the header and m_listArchive. Loading returns false on
    // malformed input.
    bool Serialize(CArchive& ar);

    // --- files ---
    // Empties the document and reads a file's header and enciphered records
    // into m_listArchive. A file of zero length is not parsed: the document
    // stays empty (no KEY). The KEY check and DecipherList are the caller's.
    EFileError ReadArchiveFile(const std::string& strPath, const CCodePage& codePage);
    // Enciphers m_listInfo and writes the file in one atomic step; sets
    // m_bSaved to the result.
    EFileError WriteArchiveFile(const std::string& strPath);
    // Whether a typed KEY opens this document.
    bool IsKeyAccepted(const std::string& strTypedKey) const;

    CInfoList m_listInfo;
    CInfoList m_listArchive;
    std::string m_strKey;
    std::string m_strFileName;
    std::int32_t m_nGenerate = DEFAULT_GENERATE;
    std::string m_strLength = "6";
    std::string m_strBegin = "5";
    std::string m_strEnd = "8";
    bool m_bLoaded = false;
    bool m_bSaved = false;
    bool m_bOpen = false;
    bool m_bSkipKeyCheck = false;

protected:
    CInfoList::iterator NodeOf(const CPasswordInfo* pRecord);

private:
    bool m_bModified = false;
};
