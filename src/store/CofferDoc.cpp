#include "store/CofferDoc.h"

#include "store/Archive.h"
#include "store/CodePage.h"
#include "store/FieldCipher.h"

#include <unordered_map>

namespace {

constexpr std::uint16_t TAG_NEW_CLASS = 0xFFFF;
constexpr std::uint16_t TAG_FIRST_CLASS = 0x8001;
constexpr std::uint16_t CLASS_SCHEMA = 0;

void CopyAccountTexts(const CPasswordInfo& from, CPasswordInfo& to) {
    to.m_strAccount = from.m_strAccount;
    to.m_strUserName = from.m_strUserName;
    to.m_strPassword = from.m_strPassword;
    to.m_strWebSite = from.m_strWebSite;
    to.m_strEMail = from.m_strEMail;
    to.m_strComments = from.m_strComments;
}

void XorInPlace(std::string& strText, const std::string& strX) {
    const std::size_t nKey = strX.size();
    for (std::size_t i = 0, k = 0; i < strText.size(); ++i) {
        strText[i] = static_cast<char>(strText[i] ^ strX[k]);
        if (++k == nKey)
            k = 0;
    }
}

void XorRecord(CPasswordInfo& info, const std::string& strX) {
    for (std::string* pText : {&info.m_strAccount, &info.m_strUserName, &info.m_strPassword,
                               &info.m_strWebSite, &info.m_strEMail, &info.m_strComments,
                               &info.m_strGroup})
        XorInPlace(*pText, strX);
}

bool ReadObjectTag(CArchive& ar, bool bFirst) {
    std::uint16_t nTag = 0;
    if (!ar.ReadUInt16(nTag))
        return false;
    if (!bFirst)
        return nTag == TAG_FIRST_CLASS;
    std::uint16_t nSchema = 0;
    std::uint16_t nNameLength = 0;
    std::string strName;
    return nTag == TAG_NEW_CLASS && ar.ReadUInt16(nSchema) && nSchema == CLASS_SCHEMA &&
           ar.ReadUInt16(nNameLength) && ar.ReadBytes(nNameLength, strName) &&
           strName == PASSWORD_CLASS_NAME;
}

void WriteObjectTag(CArchive& ar, bool bFirst) {
    if (!bFirst) {
        ar.WriteUInt16(TAG_FIRST_CLASS);
        return;
    }
    const std::string strName = PASSWORD_CLASS_NAME;
    ar.WriteUInt16(TAG_NEW_CLASS);
    ar.WriteUInt16(CLASS_SCHEMA);
    ar.WriteUInt16(static_cast<std::uint16_t>(strName.size()));
    ar.WriteBytes(strName);
}

} // namespace

CCofferDoc::CCofferDoc() = default;

CCofferDoc::~CCofferDoc() = default;

CCofferDoc::CInfoList::iterator CCofferDoc::NodeOf(const CPasswordInfo* pRecord) {
    for (auto it = m_listInfo.begin(); it != m_listInfo.end(); ++it) {
        if (&*it == pRecord)
            return it;
    }
    return m_listInfo.end();
}

CPasswordInfo* CCofferDoc::FindGroup(const std::string& strName) {
    for (CPasswordInfo& info : m_listInfo) {
        if (info.IsGroup() && info.m_strGroup == strName)
            return &info;
    }
    return nullptr;
}

CPasswordInfo* CCofferDoc::AddGroup(const std::string& strName) {
    CPasswordInfo& group = m_listInfo.emplace_back();
    group.m_bGroup = 1;
    group.m_strGroup = strName;
    return &group;
}

void CCofferDoc::RenameGroup(CPasswordInfo* pGroup, const std::string& strName) {
    if (pGroup)
        pGroup->m_strGroup = strName;
}

void CCofferDoc::DeleteGroup(CPasswordInfo* pGroup) {
    auto it = NodeOf(pGroup);
    if (it == m_listInfo.end() || !it->IsGroup())
        return;
    it = m_listInfo.erase(it);
    while (it != m_listInfo.end() && !it->IsGroup())
        it = m_listInfo.erase(it);
}

CPasswordInfo* CCofferDoc::AddAccount(const std::string& strGroup, const CPasswordInfo& texts) {
    if (texts.m_strAccount.empty())
        return nullptr;
    auto itGroup = NodeOf(FindGroup(strGroup));
    if (itGroup == m_listInfo.end())
        return nullptr;
    auto it = m_listInfo.emplace(std::next(itGroup));
    CopyAccountTexts(texts, *it);
    return &*it;
}

CPasswordInfo* CCofferDoc::ReplaceAccount(CPasswordInfo* pOld, const std::string& strGroup,
                                          const CPasswordInfo& texts) {
    // The texts may live in the record being replaced.
    const CPasswordInfo copy = texts;
    DeleteAccount(pOld);
    return AddAccount(strGroup, copy);
}

void CCofferDoc::DeleteAccount(CPasswordInfo* pAccount) {
    auto it = NodeOf(pAccount);
    if (it != m_listInfo.end() && !it->IsGroup())
        m_listInfo.erase(it);
}

void CCofferDoc::RebuildOrder(const std::vector<CPasswordInfo*>& order) {
    std::unordered_map<const CPasswordInfo*, CInfoList::iterator> nodes;
    nodes.reserve(m_listInfo.size());
    for (auto it = m_listInfo.begin(); it != m_listInfo.end(); ++it)
        nodes.emplace(&*it, it);
    CInfoList listNew;
    for (const CPasswordInfo* pRecord : order) {
        auto found = nodes.find(pRecord);
        if (found == nodes.end())
            continue;
        listNew.splice(listNew.end(), m_listInfo, found->second);
        nodes.erase(found);
    }
    listNew.splice(listNew.end(), m_listInfo);
    m_listInfo.swap(listNew);
}

int CCofferDoc::CountGroups() const {
    int nGroups = 0;
    for (const CPasswordInfo& info : m_listInfo)
        nGroups += info.IsGroup() ? 1 : 0;
    return nGroups;
}

int CCofferDoc::CountAccounts() const {
    return static_cast<int>(m_listInfo.size()) - CountGroups();
}

bool CCofferDoc::IsAccountNameFree(const std::string& strGroup, const std::string& strAccount,
                                   const CPasswordInfo* pEditing) const {
    bool bInGroup = false;
    for (const CPasswordInfo& info : m_listInfo) {
        if (info.IsGroup()) {
            // Group names are unique, but a damaged file may repeat one: every
            // group of that name counts.
            bInGroup = info.m_strGroup == strGroup;
            continue;
        }
        if (bInGroup && info.m_strAccount == strAccount && &info != pEditing)
            return false;
    }
    return true;
}

bool CCofferDoc::IsGroupNameFree(const std::string& strName) const {
    for (const CPasswordInfo& info : m_listInfo) {
        if (info.IsGroup() && info.m_strGroup == strName)
            return false;
    }
    return true;
}

CPasswordInfo* CCofferDoc::GroupOf(const CPasswordInfo* pRecord) {
    CPasswordInfo* pGroup = nullptr;
    for (CPasswordInfo& info : m_listInfo) {
        if (info.IsGroup())
            pGroup = &info;
        if (&info == pRecord)
            return pGroup;
    }
    return nullptr;
}

void CCofferDoc::DeleteContents() {
    m_strKey.clear();
    m_nGenerate = DEFAULT_GENERATE;
    m_strBegin = "5";
    m_strEnd = "8";
    m_strLength = "6";
    m_bSaved = false;
    m_strFileName.clear();
    m_bLoaded = false;
    m_bModified = false;
    m_listInfo.clear();
    m_listArchive.clear();
}

bool CCofferDoc::OnNewDocument() {
    DeleteContents();
    m_strKey.clear();
    m_nGenerate = DEFAULT_GENERATE;
    m_strLength.clear();
    m_strBegin.clear();
    m_strEnd.clear();
    m_bLoaded = false;
    m_bSaved = false;
    m_strFileName.clear();
    CPasswordInfo& group = m_listInfo.emplace_front();
    group.m_bGroup = 1;
    group.m_strGroup = DEFAULT_GROUP_NAME;
    return true;
}

std::string CCofferDoc::XorField(const std::string& strText, const std::string& strX) {
    std::string strOut = strText;
    if (!strX.empty())
        XorInPlace(strOut, strX);
    return strOut;
}

void CCofferDoc::EncipherList() {
    if (m_listInfo.empty())
        return;
    const std::string strX = MakeFieldKey(m_strKey);
    for (const CPasswordInfo& info : m_listInfo) {
        CPasswordInfo& copy = m_listArchive.emplace_back(info);
        XorRecord(copy, strX);
    }
}

void CCofferDoc::DecipherList() {
    if (m_listArchive.empty())
        return;
    const std::string strX = MakeFieldKey(m_strKey);
    // Deciphered in place and moved, so a large file is never held twice.
    for (CPasswordInfo& info : m_listArchive)
        XorRecord(info, strX);
    m_listInfo.splice(m_listInfo.end(), m_listArchive);
}

bool CCofferDoc::Serialize(CArchive& ar) {
    m_strFileName = ar.GetFileName();
    m_bLoaded = true;
    if (ar.IsStoring()) {
        ar.WriteText(m_strKey);
        ar.WriteInt32(m_nGenerate);
        ar.WriteText(m_strLength);
        ar.WriteText(m_strBegin);
        ar.WriteText(m_strEnd);
        const std::size_t nCount = m_listArchive.size();
        if (nCount < 0xFFFF) {
            ar.WriteUInt16(static_cast<std::uint16_t>(nCount));
        } else {
            ar.WriteUInt16(0xFFFF);
            ar.WriteUInt32(static_cast<std::uint32_t>(nCount));
        }
        bool bFirst = true;
        for (CPasswordInfo& info : m_listArchive) {
            WriteObjectTag(ar, bFirst);
            info.Serialize(ar);
            bFirst = false;
        }
        return true;
    }

    if (!ar.ReadText(m_strKey) || !ar.ReadInt32(m_nGenerate) || !ar.ReadText(m_strLength) ||
        !ar.ReadText(m_strBegin) || !ar.ReadText(m_strEnd))
        return false;
    std::uint16_t nShortCount = 0;
    if (!ar.ReadUInt16(nShortCount))
        return false;
    std::uint32_t nCount = nShortCount;
    if (nShortCount == 0xFFFF && !ar.ReadUInt32(nCount))
        return false;
    // Records are read one by one, never reserved from the count, so a
    // count that the bytes cannot hold fails when they run out.
    for (std::uint32_t i = 0; i < nCount; ++i) {
        if (!ReadObjectTag(ar, i == 0))
            return false;
        if (!m_listArchive.emplace_back().Serialize(ar))
            return false;
    }
    return true;
}

EFileError CCofferDoc::ReadArchiveFile(const std::string& strPath, const CCodePage& codePage) {
    DeleteContents();
    std::string strBytes;
    const EFileError eError = ReadWholeFile(strPath, strBytes);
    if (eError != EFileError::none)
        return eError;
    if (strBytes.empty())
        return EFileError::none;
    CArchive ar(strBytes, codePage, FileNameOf(strPath));
    if (!Serialize(ar)) {
        DeleteContents();
        return EFileError::badFormat;
    }
    m_bModified = false;
    return EFileError::none;
}

EFileError CCofferDoc::WriteArchiveFile(const std::string& strPath) {
    EncipherList();
    CArchive ar(FileNameOf(strPath));
    Serialize(ar);
    m_listArchive.clear();
    const EFileError eError = WriteFileAtomic(strPath, ar.Buffer());
    m_bSaved = eError == EFileError::none;
    if (m_bSaved)
        m_bModified = false;
    return eError;
}

bool CCofferDoc::IsKeyAccepted(const std::string& strTypedKey) const {
    return !m_strKey.empty() && MakeKeyCheckValue(strTypedKey) == m_strKey;
}
