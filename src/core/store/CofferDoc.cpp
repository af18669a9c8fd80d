// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/store/CofferDoc.h"

#include "core/base/DocObserver.h"
#include "core/base/Prompts.h"
#include "core/base/SettingsSchema.h"
#include "core/base/StringTable.h"
#include "core/base/TextUtil.h"
#include "core/store/Archive.h"
#include "core/store/CodePage.h"
#include "core/store/FieldCipher.h"
#include "core/store/GroupPath.h"
#include "core/store/PwdFormat.h"

#include <algorithm>
#include <cassert>
#include <unordered_map>

namespace {

using CInfoIt = CCofferDoc::CInfoList::iterator;

// The node of pRecord and the group header that owns it, in one walk.
CInfoIt NodeAndGroupOf(CCofferDoc::CInfoList& list, const CPasswordInfo* pRecord,
                       CPasswordInfo*& pGroup) {
    pGroup = nullptr;
    for (auto it = list.begin(); it != list.end(); ++it) {
        if (it->IsGroup())
            pGroup = &*it;
        if (&*it == pRecord)
            return it;
    }
    return list.end();
}

// The node of the first group named strName, or end.
CInfoIt GroupNodeOf(CCofferDoc::CInfoList& list, const std::string& strName) {
    for (auto it = list.begin(); it != list.end(); ++it) {
        if (it->IsGroup() && it->TextView(CPasswordInfo::group) == strName)
            return it;
    }
    return list.end();
}

void CopyAccountTexts(const CPasswordInfo& from, CPasswordInfo& to) {
    for (const CPasswordInfo::EText eText :
         {CPasswordInfo::account, CPasswordInfo::userName, CPasswordInfo::password,
          CPasswordInfo::webSite, CPasswordInfo::eMail, CPasswordInfo::comments})
        to.SetText(eText, from.TextView(eText));
}

} // namespace

void CCofferDoc::SetPrompts(CPrompts* pPrompts) {
    m_pPrompts = pPrompts;
}

void CCofferDoc::SetCodePage(const CCodePage* pCodePage) {
    m_pCodePage = pCodePage;
}

const CCodePage& CCofferDoc::CodePage() const {
    if (m_bDatabase)
        return CCodePage::Utf8();
    return m_pCodePage ? *m_pCodePage : CCodePage::Default();
}

CDocObserver& CCofferDoc::Observer() const {
    static CDocObserver nobody;
    return m_pObserver ? *m_pObserver : nobody;
}

void CCofferDoc::SetObserver(CDocObserver* pObserver) {
    m_pObserver = pObserver;
}

void CCofferDoc::InitialUpdate() {
    Observer().OnInitialUpdate();
}

void CCofferDoc::SetModifiedFlag(bool bModified) {
    if (m_bModified == bModified)
        return;
    m_bModified = bModified;
    Observer().OnModifiedChanged(m_bModified);
}

CCofferDoc::CInfoList::iterator CCofferDoc::NodeOf(const CPasswordInfo* pRecord) {
    for (auto it = m_listInfo.begin(); it != m_listInfo.end(); ++it) {
        if (&*it == pRecord)
            return it;
    }
    return m_listInfo.end();
}

CPasswordInfo* CCofferDoc::FindGroup(const std::string& strName) {
    for (CPasswordInfo& info : m_listInfo) {
        if (info.IsGroup() && info.TextView(CPasswordInfo::group) == strName)
            return &info;
    }
    return nullptr;
}

CPasswordInfo* CCofferDoc::AddGroup(const std::string& strName) {
    CPasswordInfo& group = m_listInfo.emplace_back();
    group.m_bGroup = 1;
    group.SetGroup(strName);
    Notify(SRecordNotice::groupAdded, &group, &group);
    return &group;
}

void CCofferDoc::RenameGroup(const CPasswordInfo* pGroup, const std::string& strName) {
    const auto it = NodeOf(pGroup);
    if (it == m_listInfo.end())
        return;
    const std::string strOld = it->Group();
    it->SetGroup(strName);
    Notify(SRecordNotice::groupRenamed, pGroup, pGroup);
    // A database's groups inside the renamed one stay inside it: their
    // paths begin with its name.
    if (!m_bDatabase || strOld == strName)
        return;
    for (CPasswordInfo& info : m_listInfo) {
        const std::string_view strPath = info.TextView(CPasswordInfo::group);
        if (&info == pGroup || !info.IsGroup() || !IsInsideGroup(strPath, strOld))
            continue;
        info.SetGroup(strName + std::string(strPath.substr(strOld.size())));
        Notify(SRecordNotice::groupRenamed, &info, &info);
    }
}

void CCofferDoc::DeleteGroup(const CPasswordInfo* pGroup) {
    const auto it = NodeOf(pGroup);
    if (it == m_listInfo.end() || !it->IsGroup())
        return;
    if (m_bDatabase) {
        // A database's groups inside it go too, the deepest first, so no
        // group is ever left with a parent that has gone.
        std::vector<const CPasswordInfo*> inside;
        for (const CPasswordInfo& info : m_listInfo) {
            if (info.IsGroup() && IsInsideGroup(info.TextView(CPasswordInfo::group),
                                                it->TextView(CPasswordInfo::group)))
                inside.push_back(&info);
        }
        std::stable_sort(inside.begin(), inside.end(), [](const auto* pA, const auto* pB) {
            return pA->TextView(CPasswordInfo::group).size() >
                   pB->TextView(CPasswordInfo::group).size();
        });
        for (const CPasswordInfo* pInside : inside)
            DeleteOneGroup(NodeOf(pInside));
    }
    DeleteOneGroup(it);
}

void CCofferDoc::DeleteOneGroup(CInfoList::iterator it) {
    Notify(SRecordNotice::groupRemoved, &*it, &*it);
    it = m_listInfo.erase(it);
    while (it != m_listInfo.end() && !it->IsGroup())
        it = m_listInfo.erase(it);
}

CPasswordInfo* CCofferDoc::AddAccount(const std::string& strGroup, const CPasswordInfo& texts) {
    if (texts.Account().empty())
        return nullptr;
    auto itGroup = GroupNodeOf(m_listInfo, strGroup);
    if (itGroup == m_listInfo.end())
        return nullptr;
    auto it = m_listInfo.emplace(std::next(itGroup));
    CopyAccountTexts(texts, *it);
    Notify(SRecordNotice::accountAdded, &*it, &*itGroup);
    return &*it;
}

CPasswordInfo* CCofferDoc::ReplaceAccount(const CPasswordInfo* pOld, const std::string& strGroup,
                                          const CPasswordInfo& texts) {
    CPasswordInfo* pFrom = nullptr;
    auto it = NodeAndGroupOf(m_listInfo, pOld, pFrom);
    if (it == m_listInfo.end() || it->IsGroup())
        return AddAccount(strGroup, texts);
    auto itGroup = GroupNodeOf(m_listInfo, strGroup);
    if (texts.Account().empty() || itGroup == m_listInfo.end()) {
        DeleteAccount(pOld);
        return nullptr;
    }
    // The record keeps its place in memory: it takes the new texts and moves
    // to the head of its group, as a new account would go there.
    const bool bRenamed =
        texts.TextView(CPasswordInfo::account) != pOld->TextView(CPasswordInfo::account);
    if (&texts != pOld)
        CopyAccountTexts(texts, *it);
    m_listInfo.splice(std::next(itGroup), m_listInfo, it);
    const CPasswordInfo* pTo = &*itGroup;
    if (pTo != pFrom)
        Notify(SRecordNotice::accountMoved, pOld, pTo, pFrom);
    else
        Notify(bRenamed ? SRecordNotice::accountRenamed : SRecordNotice::accountChanged, pOld, pTo);
    return &*it;
}

void CCofferDoc::RenameAccount(const CPasswordInfo* pAccount, const std::string& strName) {
    CPasswordInfo* pGroup = nullptr;
    auto it = NodeAndGroupOf(m_listInfo, pAccount, pGroup);
    if (it == m_listInfo.end() || it->IsGroup())
        return;
    it->SetAccount(strName);
    Notify(SRecordNotice::accountRenamed, pAccount, pGroup);
}

CPasswordInfo* CCofferDoc::CopyAccount(const CPasswordInfo& source, const CPasswordInfo* pGroup) {
    auto itGroup = NodeOf(pGroup);
    if (source.IsGroup() || itGroup == m_listInfo.end() || !itGroup->IsGroup())
        return nullptr;
    CPasswordInfo* pCopy = &*m_listInfo.insert(std::next(itGroup), source);
    Notify(SRecordNotice::accountAdded, pCopy, pGroup);
    return pCopy;
}

void CCofferDoc::DeleteAccount(const CPasswordInfo* pAccount) {
    CPasswordInfo* pGroup = nullptr;
    auto it = NodeAndGroupOf(m_listInfo, pAccount, pGroup);
    if (it == m_listInfo.end() || it->IsGroup())
        return;
    Notify(SRecordNotice::accountRemoved, pAccount, pGroup);
    m_listInfo.erase(it);
}

void CCofferDoc::Notify(SRecordNotice::EKind eKind, const CPasswordInfo* pRecord,
                        const CPasswordInfo* pGroup, const CPasswordInfo* pFromGroup) {
    if (m_nBatchDepth > 0) {
        m_bBatchChanged = true;
        return;
    }
    if (m_pObserver)
        m_pObserver->OnRecordsChanged({eKind, pRecord, pGroup, pFromGroup});
}

void CCofferDoc::BeginChanges() {
    ++m_nBatchDepth;
}

void CCofferDoc::EndChanges() {
    if (m_nBatchDepth == 0 || --m_nBatchDepth > 0 || !m_bBatchChanged)
        return;
    m_bBatchChanged = false;
    Notify(SRecordNotice::reset);
}

CCofferDoc::CInfoList::const_iterator CCofferDoc::InsertAccount(CInfoList::const_iterator itAfter,
                                                                CPasswordInfo account) {
    account.m_bGroup = 0;
    const auto it =
        m_listInfo.insert(itAfter == m_listInfo.cend() ? m_listInfo.cbegin() : std::next(itAfter),
                          std::move(account));
    // Within a batch the owner is not looked for: nobody hears of it.
    if (m_nBatchDepth > 0)
        m_bBatchChanged = true;
    else
        Notify(SRecordNotice::accountAdded, &*it, GroupOf(&*it));
    return it;
}

void CCofferDoc::EraseAccount(CInfoList::const_iterator it) {
    if (it == m_listInfo.cend() || it->IsGroup())
        return;
    if (m_nBatchDepth > 0)
        m_bBatchChanged = true;
    else
        Notify(SRecordNotice::accountRemoved, &*it, GroupOf(&*it));
    m_listInfo.erase(it);
}

SRecordCounts CCofferDoc::StagedCounts() const {
    // Only the texts are enciphered: the group mark can be counted as read.
    SRecordCounts counts;
    for (const CPasswordInfo& info : m_listArchive)
        counts.m_nGroups += info.IsGroup() ? 1 : 0;
    counts.m_nAccounts = static_cast<int>(m_listArchive.size()) - counts.m_nGroups;
    return counts;
}

void CCofferDoc::RebuildOrder(const std::vector<const CPasswordInfo*>& order) {
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
            bInGroup = info.TextView(CPasswordInfo::group) == strGroup;
            continue;
        }
        if (bInGroup && info.TextView(CPasswordInfo::account) == strAccount && &info != pEditing)
            return false;
    }
    return true;
}

bool CCofferDoc::IsGroupNameFree(const std::string& strName) const {
    for (const CPasswordInfo& info : m_listInfo) {
        if (info.IsGroup() && info.TextView(CPasswordInfo::group) == strName)
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
    // The KEY's check value gives the field key, and the records hold the
    // deciphered texts: neither may linger in memory once the file goes,
    // nor may a database's key file.
    m_key.Clear();
    m_databaseKey.Clear();
    for (CInfoList* pList : {&m_listInfo, &m_listArchive}) {
        for (CPasswordInfo& info : *pList)
            info.Wipe();
    }
    m_header = SGeneratorHeader();
    m_bSaved = false;
    m_strFileName.clear();
    m_bLoaded = false;
    SetModifiedFlag(false);
    m_listInfo.clear();
    m_listArchive.clear();
    ForgetSealing();
}

void CCofferDoc::ForgetSealing() {
    m_pSealKey.reset();
    m_bSealPending = false;
    m_strSealedBytes.clear();
    m_strSealedBytes.shrink_to_fit();
    m_bDatabase = false;
    m_pDatabaseBytes.reset();
    m_pDatabase.reset();
    m_strDatabaseRefusal.clear();
}

bool CCofferDoc::OnNewDocument() {
    DeleteContents();
    m_key.Clear();
    m_header = SGeneratorHeader{DEFAULT_GENERATE, {}, {}, {}};
    m_bLoaded = false;
    m_bSaved = false;
    m_strFileName.clear();
    PutDefaultGroupFirst();
    return true;
}

void CCofferDoc::PutDefaultGroupFirst() {
    CPasswordInfo& group = m_listInfo.emplace_front();
    group.m_bGroup = 1;
    group.SetGroup(DEFAULT_GROUP_NAME);
}

void CCofferDoc::DropRecords() {
    DeleteContents();
    Notify(SRecordNotice::reset);
}

void CCofferDoc::AdoptKeylessRecords() {
    // The records were enciphered under the field key of the empty check
    // value: deciphered with it now, they are written back under the new
    // KEY. The file as read is forgotten, since it will be written anew.
    m_strFileName.clear();
    m_bLoaded = false;
    DecipherList();
    m_listArchive.clear();
    PutDefaultGroupFirst();
}

CCofferDoc::SHeldKey CCofferDoc::ReplaceKey(const std::string& strKey) {
    SHeldKey held{std::move(m_key), std::move(m_pSealKey), std::move(m_databaseKey)};
    SetKey(strKey);
    return held;
}

CCofferDoc::SHeldKey CCofferDoc::ReplaceDatabaseKey(CDatabaseKey key) {
    std::string strPassword(key.Password());
    SHeldKey held = ReplaceKey(strPassword);
    CSecretBuffer::Wipe(strPassword);
    m_databaseKey = std::move(key);
    return held;
}

void CCofferDoc::RestoreKey(SHeldKey&& held) {
    m_key = std::move(held.m_key);
    m_pSealKey = std::move(held.m_pSealKey);
    m_databaseKey = std::move(held.m_databaseKey);
}

std::string CCofferDoc::XorField(const std::string& strText, const std::string& strX) {
    return CPwdFormat::XorText(strText, strX);
}

void CCofferDoc::EncipherList() {
    if (m_listInfo.empty())
        return;
    std::string strX = MakeFieldKey(m_key.CheckValue());
    for (const CPasswordInfo& info : m_listInfo)
        CPwdFormat::XorRecord(m_listArchive.emplace_back(info), strX);
    CSecretBuffer::Wipe(strX);
}

void CCofferDoc::DecipherList() {
    if (m_listArchive.empty())
        return;
    std::string strX = MakeFieldKey(m_key.CheckValue());
    // Deciphered in place and moved, so a large file is never held twice.
    for (CPasswordInfo& info : m_listArchive)
        CPwdFormat::XorRecord(info, strX);
    CSecretBuffer::Wipe(strX);
    m_listInfo.splice(m_listInfo.end(), m_listArchive);
}

bool CCofferDoc::Serialize(CArchive& ar) {
    m_strFileName = ar.GetFileName();
    m_bLoaded = true;
    if (ar.IsStoring()) {
        SPwdHeader header = PwdHeader();
        CPwdFormat::Write(ar, header, m_listArchive, {});
        CSecretBuffer::Wipe(header.m_strKeyCheck);
        return true;
    }
    SPwdHeader header;
    const bool bRead = CPwdFormat::Read(ar, header, m_listArchive);
    TakePwdHeader(std::move(header));
    return bRead;
}

SPwdHeader CCofferDoc::PwdHeader() const {
    SPwdHeader header;
    header.m_strKeyCheck = m_key.CheckValue();
    header.m_generator = m_header;
    return header;
}

void CCofferDoc::TakePwdHeader(SPwdHeader&& header) {
    std::string& strCheck = m_key.CheckValueToLoad();
    CSecretBuffer::Wipe(strCheck);
    strCheck = std::move(header.m_strKeyCheck);
    m_header = std::move(header.m_generator);
}

EFileError CCofferDoc::ReadFileAfresh(const std::string& strPath, std::string& strBytes) {
    DeleteContents();
    const EFileError eError = ReadWholeFile(strPath, strBytes);
    if (eError == EFileError::none)
        m_diskStamp = CFileStamp(strPath, strBytes);
    return eError;
}

EFileError CCofferDoc::ReadArchiveFile(const std::string& strPath, const CCodePage& codePage) {
    std::string strBytes;
    const EFileError eError = ReadFileAfresh(strPath, strBytes);
    if (eError != EFileError::none)
        return eError;
    if (strBytes.empty())
        return EFileError::none;
    return ParseArchive(strBytes, codePage, FileNameOf(strPath));
}

EFileError CCofferDoc::ParseArchive(std::string_view bytes, const CCodePage& codePage,
                                    const std::string& strFileName) {
    EFileError eError = EFileError::none;
    try {
        CArchive ar(bytes, codePage, strFileName);
        // Bytes after the last record are no part of any file this program
        // writes: a file of zeros would otherwise pass as one without KEY.
        if (!Serialize(ar) || ar.Remaining() != 0)
            eError = EFileError::badFormat;
    } catch (const std::bad_alloc&) {
        eError = EFileError::outOfMemory;
    }
    if (eError != EFileError::none) {
        DeleteContents();
        return eError;
    }
    m_bModified = false;
    return EFileError::none;
}

EFileError CCofferDoc::WriteArchiveFile(const std::string& strPath, EWriteMode ePlainMode) {
    if (IsDatabasePath(strPath))
        return WriteDatabaseFile(strPath);
    // A database's records are UTF-8 and hold more than a password file
    // keeps: the session has them converted (LeaveDatabase) before such a
    // save, asking first.
    if (m_bDatabase)
        return EFileError::badFormat;
    // The records are enciphered on their way into the archive, so a large
    // file is never held twice. The name changes only with a file written
    // under it: a failed Save As must not give the next backup copy the
    // name of a file never written.
    const std::string strFileName = FileNameOf(strPath);
    CArchive ar(strFileName);
    {
        SPwdHeader header = PwdHeader();
        ar.Reserve(CPwdFormat::StoredSize(header, m_listArchive, m_listInfo));
        CPwdFormat::Write(ar, header, m_listArchive, m_listInfo);
        CSecretBuffer::Wipe(header.m_strKeyCheck);
    }
    m_listArchive.clear();
    EFileError eError = EFileError::none;
    if (HasKhvExtension(strPath)) {
        // The plain archive is a ".pwd" that anyone could read: it is wiped
        // as soon as it is sealed.
        std::string strPlain = ar.TakeBuffer();
        m_bKeyLackedMemory = false;
        m_bKeyCancelled = false;
        const CSealKey* pKey = SealKeyForSave();
        const std::string strSealed = pKey ? CSealedFile::Seal(strPlain, *pKey) : std::string();
        CSecretBuffer::Wipe(strPlain);
        if (strSealed.empty())
            eError = m_bKeyCancelled      ? EFileError::cancelled
                     : m_bKeyLackedMemory ? EFileError::sealOutOfMemory
                                          : EFileError::keyUnknown;
        else
            eError = WriteFileAtomic(strPath, strSealed);
        if (eError == EFileError::none)
            m_diskStamp = CFileStamp(strPath, strSealed);
    } else {
        eError = WriteFileAtomic(strPath, ar.Buffer(), ePlainMode);
        if (eError == EFileError::none)
            m_diskStamp = CFileStamp(strPath, ar.Buffer());
    }
    m_bSaved = eError == EFileError::none;
    if (m_bSaved) {
        m_strFileName = strFileName;
        m_bLoaded = true;
        SetModifiedFlag(false);
    }
    return eError;
}

void CCofferDoc::SetKey(const std::string& strKey) {
    m_key.Set(strKey);
    m_pSealKey.reset();
    // A KEY typed as text is a database's password alone.
    m_databaseKey.Clear();
}

EFileError CCofferDoc::ReadDocumentFile(const std::string& strPath, const CCodePage& codePage) {
    if (IsDatabasePath(strPath))
        return ReadDatabaseFile(strPath);
    if (!HasKhvExtension(strPath))
        return ReadArchiveFile(strPath, codePage);
    std::string strBytes;
    const EFileError eError = ReadFileAfresh(strPath, strBytes);
    if (eError != EFileError::none)
        return eError;
    // An empty file is a new one, as for ".pwd": it gets a KEY and is sealed
    // under it by the first save.
    if (strBytes.empty())
        return EFileError::none;
    if (!CSealedFile::ParseHeader(strBytes, m_sealedHeader))
        return EFileError::badFormat;
    m_strSealedBytes = std::move(strBytes);
    m_strFileName = FileNameOf(strPath);
    m_bSealPending = true;
    return EFileError::none;
}

bool CCofferDoc::AcceptKey(const std::string& strKey) {
    if (m_bSealPending && m_bDatabase)
        return AcceptDatabaseKey(CDatabaseKey::OfPassword(strKey), false) ==
               CDatabaseFormat::EOpen::opened;
    if (!m_bSealPending) {
        if (!m_key.Accepts(strKey))
            return false;
        m_key.KeepSecret(strKey);
        return true;
    }
    auto pKey = std::make_unique<CSealKey>();
    m_bKeyLackedMemory = false;
    m_bKeyCancelled = false;
    if (strKey.empty())
        return false;
    if (!DeriveSealKey(*pKey, strKey, m_sealedHeader.m_params, m_sealedHeader.m_salt)) {
        m_bKeyLackedMemory = pKey->LackedMemory();
        return false;
    }
    if (!CSealedFile::IsKeyOf(m_sealedHeader, *pKey))
        return false;
    m_pSealKey = std::move(pKey);
    m_key.KeepSecret(strKey);
    return true;
}

EFileError CCofferDoc::FinishSealedRead(const CCodePage& codePage) {
    if (m_bDatabase)
        return FinishDatabaseRead();
    if (!m_bSealPending || !m_pSealKey)
        return EFileError::badFormat;
    std::string strPlain;
    bool bRead = CSealedFile::Unseal(m_strSealedBytes, m_sealedHeader, *m_pSealKey, strPlain);
    m_bSealPending = false;
    m_strSealedBytes.clear();
    EFileError eError =
        bRead ? ParseArchive(strPlain, codePage, m_strFileName) : EFileError::badFormat;
    CSecretBuffer::Wipe(strPlain);
    // The sealed archive must carry the check value of the KEY that sealed
    // it: the lock and Change KEY judge KEYs by that value.
    if (eError == EFileError::none && !m_key.SecretMatches())
        eError = EFileError::badFormat;
    if (eError != EFileError::none) {
        DeleteContents();
        return eError;
    }
    return EFileError::none;
}

const CSealKey* CCofferDoc::SealKeyForSave() {
    if (m_pSealKey)
        return m_pSealKey.get();
    // A KEY that does not match the check value would seal a file that no
    // KEY opens consistently: refused, as is a missing one.
    if (!m_key.SecretMatches())
        return nullptr;
    auto pKey = std::make_unique<CSealKey>();
    if (!DeriveSealKey(*pKey, m_key.Secret(), m_sealParams, CSealKey::NewSalt())) {
        m_bKeyLackedMemory = pKey->LackedMemory();
        return nullptr;
    }
    m_pSealKey = std::move(pKey);
    return m_pSealKey.get();
}

namespace {

// One derivation, owned by whoever holds it last: Argon2id cannot be stopped
// half-way, so a cancelled derivation runs on with its own copies and
// wipes them when it ends, long after the caller moved on.
struct SSealDerivation {
    SSealDerivation(std::string_view strKey, const SSealParams& params, const CSealSalt& salt)
        : m_key(strKey), m_params(params), m_salt(salt) {}

    CSecretBuffer m_key;
    SSealParams m_params;
    CSealSalt m_salt;
    CSealKey m_result;
    bool m_bDerived = false;
};

} // namespace

bool CCofferDoc::RunKeyWork(const CBusyWork& fnWork) {
    m_bKeyCancelled = false;
    if (!m_pPrompts) {
        const CCancelToken never;
        fnWork(never);
        return true;
    }
    if (m_pPrompts->RunBusy(FormatText(IDS_SEAL_DERIVING, m_strFileName), fnWork,
                            EBusyKind::cancellable) == EBusyEnd::done)
        return true;
    m_bKeyCancelled = true;
    return false;
}

bool CCofferDoc::DeriveSealKey(CSealKey& key, std::string_view strKey, const SSealParams& params,
                               const CSealSalt& salt) {
    auto pJob = std::make_shared<SSealDerivation>(strKey, params, salt);
    if (!RunKeyWork([pJob](const CCancelToken&) {
            pJob->m_bDerived =
                pJob->m_result.Derive(pJob->m_key.View(), pJob->m_params, pJob->m_salt);
        }))
        return false;
    key = std::move(pJob->m_result);
    return pJob->m_bDerived;
}

bool CCofferDoc::IsDatabasePath(const std::string& strPath) const {
    return m_pDatabaseFormat && m_pDatabaseFormat->IsFormatOf(strPath);
}

EFileError CCofferDoc::ReadDatabaseFile(const std::string& strPath) {
    std::string strBytes;
    const EFileError eError = ReadFileAfresh(strPath, strBytes);
    if (eError != EFileError::none)
        return eError;
    m_bDatabase = true;
    // The database's own reader judges its key derivation's cost.
    m_sealedHeader = SSealedHeader();
    // An empty file is a new one: it gets a KEY, and the first save makes
    // the database.
    if (strBytes.empty())
        return EFileError::none;
    m_pDatabaseBytes = std::make_shared<const std::string>(std::move(strBytes));
    m_strFileName = FileNameOf(strPath);
    m_bSealPending = true;
    return EFileError::none;
}

namespace {

// One opening, owned by whoever holds it last (see SSealDerivation).
struct SDatabaseOpening {
    SDatabaseOpening(const CDatabaseFormat& format, std::shared_ptr<const std::string> pBytes,
                     const CDatabaseKey& key, bool bAllowSlowKdf)
        : m_format(format), m_pBytes(std::move(pBytes)), m_key(key.Copy()),
          m_bAllowSlowKdf(bAllowSlowKdf) {}

    const CDatabaseFormat& m_format;
    std::shared_ptr<const std::string> m_pBytes;
    CDatabaseKey m_key;
    bool m_bAllowSlowKdf;
    CDatabaseFormat::SOpened m_opened;
};

} // namespace

std::string CCofferDoc::DatabaseOpenQuestion(const std::string& strPath) const {
    if (!m_pDatabaseFormat || !m_pDatabaseBytes)
        return {};
    return m_pDatabaseFormat->SlowOpenQuestion(*m_pDatabaseBytes, strPath);
}

std::string CCofferDoc::ReadDatabaseKeyFile(const std::string& strPath, CDatabaseKey& key) const {
    if (!m_pDatabaseFormat)
        return FileErrorMessage(EFileError::badFormat, strPath);
    return m_pDatabaseFormat->ReadKeyFile(strPath, key);
}

CDatabaseFormat::EOpen CCofferDoc::AcceptDatabaseKey(const CDatabaseKey& key, bool bAllowSlowKdf) {
    m_bKeyLackedMemory = false;
    m_bKeyCancelled = false;
    m_strDatabaseRefusal.clear();
    if (!m_pDatabaseFormat || !m_pDatabaseBytes || !key.IsSet())
        return CDatabaseFormat::EOpen::wrongKey;
    auto pJob = std::make_shared<SDatabaseOpening>(*m_pDatabaseFormat, m_pDatabaseBytes, key,
                                                   bAllowSlowKdf);
    if (!RunKeyWork([pJob](const CCancelToken& token) {
            pJob->m_opened =
                pJob->m_format.Open(*pJob->m_pBytes, pJob->m_key, pJob->m_bAllowSlowKdf, token);
        }))
        return CDatabaseFormat::EOpen::cancelled;
    const CDatabaseFormat::EOpen eOpen = pJob->m_opened.eOpen;
    switch (eOpen) {
    case CDatabaseFormat::EOpen::opened: {
        m_pDatabase = std::move(pJob->m_opened.pDatabase);
        std::string strPassword(key.Password());
        m_key.Set(strPassword);
        CSecretBuffer::Wipe(strPassword);
        m_databaseKey = key.Copy();
        break;
    }
    case CDatabaseFormat::EOpen::cancelled:
        m_bKeyCancelled = true;
        break;
    case CDatabaseFormat::EOpen::refused:
    case CDatabaseFormat::EOpen::wrongKey:
        m_strDatabaseRefusal = pJob->m_opened.strMessage;
        break;
    }
    return eOpen;
}

EFileError CCofferDoc::FinishDatabaseRead() {
    m_bSealPending = false;
    m_pDatabaseBytes.reset();
    if (!m_pDatabase)
        return EFileError::badFormat;
    try {
        m_pDatabase->ShowRecords(m_listInfo);
    } catch (const std::bad_alloc&) {
        DeleteContents();
        return EFileError::outOfMemory;
    }
    UseStrongGenerator();
    m_bLoaded = true;
    m_bModified = false;
    return EFileError::none;
}

const CCodePage& CCofferDoc::PasswordFileCodePage() const {
    return m_pCodePage ? *m_pCodePage : CCodePage::Default();
}

std::string CCofferDoc::DatabaseLossText() {
    return m_pDatabase ? m_pDatabase->LossText(m_listInfo, PasswordFileCodePage()) : std::string();
}

bool CCofferDoc::SetDatabaseExtras(const CPasswordInfo* pAccount, SRecordExtras extras) {
    if (!m_pDatabase)
        return false;
    const auto it = NodeOf(pAccount);
    if (it == m_listInfo.end() || it->IsGroup() || m_pDatabase->ExtrasOf(*it) == extras)
        return false;
    m_pDatabase->SetExtras(*it, std::move(extras));
    return true;
}

CCofferDoc::SHeldDatabase::~SHeldDatabase() {
    for (CPasswordInfo& info : m_records)
        info.Wipe();
}

CCofferDoc::SHeldDatabase CCofferDoc::LeaveDatabase() {
    SHeldDatabase held;
    if (!m_bDatabase || !m_pDatabase)
        return held;
    CInfoList converted = m_pDatabase->PasswordFileRecords(PasswordFileCodePage());
    held.m_records.swap(m_listInfo);
    m_listInfo.swap(converted);
    held.m_pDatabase = std::move(m_pDatabase);
    m_bDatabase = false;
    m_pSealKey.reset();
    Notify(SRecordNotice::reset);
    return held;
}

void CCofferDoc::ReturnToDatabase(SHeldDatabase&& held) {
    if (!held.m_pDatabase)
        return;
    for (CPasswordInfo& info : m_listInfo)
        info.Wipe();
    m_listInfo.clear();
    m_listInfo.swap(held.m_records);
    m_pDatabase = std::move(held.m_pDatabase);
    m_bDatabase = true;
    Notify(SRecordNotice::reset);
}

void CCofferDoc::MakeTextsUtf8() {
    const CCodePage& codePage = CodePage();
    for (CPasswordInfo& info : m_listInfo) {
        for (int i = 0; i < CPasswordInfo::TEXT_COUNT; ++i) {
            const auto eText = static_cast<CPasswordInfo::EText>(i);
            std::string strUtf8 = codePage.ToUtf8(info.TextView(eText));
            info.SetText(eText, strUtf8);
            CSecretBuffer::Wipe(strUtf8);
        }
    }
    if (m_key.HasSecret()) {
        std::string strKey = codePage.ToUtf8(m_key.Secret());
        m_key.Set(strKey);
        CSecretBuffer::Wipe(strKey);
    }
    m_pSealKey.reset();
    m_bDatabase = true;
}

EFileError CCofferDoc::WriteDatabaseFile(const std::string& strPath) {
    // The database is written under its key: the one it was opened with or
    // given, else the KEY itself as its password, which a file opened
    // without typing it does not know.
    if (!m_databaseKey.IsSet() && (!m_key.HasSecret() || !m_key.SecretMatches()))
        return EFileError::keyUnknown;
    const std::string strFileName = FileNameOf(strPath);
    if (!m_pDatabase)
        m_pDatabase = m_pDatabaseFormat->NewDatabase(FileLabel(strFileName));
    const bool bConverted = !m_bDatabase;
    if (bConverted)
        MakeTextsUtf8();
    if (!m_databaseKey.IsSet())
        m_databaseKey = CDatabaseKey::OfPassword(m_key.Secret());
    std::string strFile;
    const CRecordDatabase::SWritten written =
        m_pDatabase->Write(m_listInfo, m_databaseKey, strFile);
    m_strDatabaseRefusal = written.strError;
    EFileError eError =
        written.bWritten ? WriteFileAtomic(strPath, strFile) : EFileError::writeFailed;
    if (eError == EFileError::none)
        m_diskStamp = CFileStamp(strPath, strFile);
    m_bSaved = eError == EFileError::none;
    if (m_bSaved) {
        m_strFileName = strFileName;
        m_bLoaded = true;
        SetModifiedFlag(false);
    }
    if (bConverted || written.bRecordsChanged)
        Notify(SRecordNotice::reset);
    return eError;
}

void CCofferDoc::UseStrongGenerator() {
    m_header = SGeneratorHeader{static_cast<std::int32_t>(STRONG_GENERATE), STRONG_LENGTH,
                                STRONG_BEGIN, STRONG_END};
}
