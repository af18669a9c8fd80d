// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/store/CofferDoc.h"

#include "core/base/CommandIds.h"
#include "core/base/DocObserver.h"
#include "core/base/OptionsData.h"
#include "core/base/Profile.h"
#include "core/base/Prompts.h"
#include "core/base/SettingsSchema.h"
#include "core/base/StringTable.h"
#include "core/base/TextUtil.h"
#include "core/store/Archive.h"
#include "core/store/CodePage.h"
#include "core/store/FieldCipher.h"
#include "core/store/FileLock.h"
#include "core/store/PwdFormat.h"
#include "core/store/RecentFileList.h"

#include <cassert>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>
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

constexpr const char* CLOSED_PATH_NAME = " ";

// A path the way the recent-file list and the settings keep it: absolute.
std::string AbsolutePath(const std::string& strPath) {
    if (strPath.empty() || strPath[0] == '/')
        return strPath;
    std::string strCwd(4096, '\0');
    if (::getcwd(strCwd.data(), strCwd.size()) == nullptr)
        return strPath;
    strCwd.resize(strCwd.find('\0'));
    std::string strRelative = strPath;
    while (strRelative.rfind("./", 0) == 0)
        strRelative.erase(0, 2);
    return strCwd + (strCwd.back() == '/' ? "" : "/") + strRelative;
}

// Creates a folder and any missing parents, private to the user. Failures
// are left for the backup copy to report.
void MakeFolders(const std::string& strFolder) {
    std::string strPart;
    std::size_t nPos = 0;
    while (nPos != std::string::npos) {
        nPos = strFolder.find('/', nPos + 1);
        strPart = strFolder.substr(0, nPos);
        if (!strPart.empty() && !FileExists(strPart))
            ::mkdir(strPart.c_str(), 0700);
    }
}

} // namespace

CCofferDoc::CCofferDoc(CProfile* pProfile, std::string strDefaultBackupFolder)
    : m_pProfile(pProfile), m_strDefaultBackupFolder(std::move(strDefaultBackupFolder)) {
    if (m_pProfile)
        ReadOptions();
}

CCofferDoc::~CCofferDoc() {
    WriteOptions();
}

void CCofferDoc::ReadOptions() {
    const SDocumentOptions options =
        UnpackDocumentOptions(m_pProfile->Get(EIntSetting::documentOptions));
    m_options.m_bBackup = options.m_bBackup;
    m_options.m_bAddToRecent = options.m_bAddToRecent;
    m_options.m_bAutoSave = options.m_bAutoSave;
    m_options.m_nStartFile = options.m_nStartFile;
    // No start-up file reads as an empty name here: it is what the Options
    // dialog's edit shows.
    m_options.m_strStartFile = m_pProfile->Get(ETextSetting::pathStart);
    if (m_options.m_strStartFile == PATH_NONE)
        m_options.m_strStartFile.clear();
    std::string& strBackupPath = m_options.m_strBackupPath;
    strBackupPath = m_pProfile->Get(ETextSetting::pathBackup);
    if (!m_options.m_bBackup)
        return;
    if (strBackupPath.empty())
        strBackupPath = m_strDefaultBackupFolder;
    if (!strBackupPath.empty() && !FileExists(strBackupPath))
        MakeFolders(strBackupPath);
}

void CCofferDoc::GiveFileOptions(SOptionsData& options) const {
    options.m_nStartMode = m_options.m_nStartFile;
    options.m_strStartFile = m_options.m_strStartFile;
    options.m_bAutoSave = m_options.m_bAutoSave;
    options.m_bBackup = m_options.m_bBackup;
    options.m_strBackupPath = m_options.m_strBackupPath;
    options.m_bAddToRecent = m_options.m_bAddToRecent;
}

void CCofferDoc::TakeFileOptions(const SOptionsData& options) {
    m_options.m_nStartFile = options.m_nStartMode;
    m_options.m_strStartFile = options.m_strStartFile;
    m_options.m_bAutoSave = options.m_bAutoSave;
    m_options.m_bBackup = options.m_bBackup;
    m_options.m_strBackupPath = options.m_strBackupPath;
    m_options.m_bAddToRecent = options.m_bAddToRecent;
}

void CCofferDoc::WriteOptions() {
    if (!m_pProfile)
        return;
    SDocumentOptions options;
    options.m_bBackup = m_options.m_bBackup;
    options.m_bAddToRecent = m_options.m_bAddToRecent;
    options.m_bAutoSave = m_options.m_bAutoSave;
    options.m_nStartFile = m_options.m_nStartFile;
    m_pProfile->Set(EIntSetting::documentOptions, PackDocumentOptions(options));
    m_pProfile->Set(ETextSetting::pathBackup, m_options.m_strBackupPath);
    m_pProfile->Set(ETextSetting::pathCommandLine, "");
    if (m_options.m_nStartFile == START_FILE_LAST && HasDocumentExtension(m_strPathName))
        m_pProfile->Set(ETextSetting::pathLast, m_strPathName);
    else if (m_options.m_nStartFile == START_FILE_FIXED)
        m_pProfile->Set(ETextSetting::pathStart, m_options.m_strStartFile);
}

void CCofferDoc::SetPrompts(CPrompts* pPrompts) {
    m_pPrompts = pPrompts;
}

void CCofferDoc::SetCodePage(const CCodePage* pCodePage) {
    m_pCodePage = pCodePage;
}

const CCodePage& CCofferDoc::CodePage() const {
    return m_pCodePage ? *m_pCodePage : CCodePage::Default();
}

CPrompts& CCofferDoc::Prompts() const {
    // Only the life commands ask; the record side (the command-line program,
    // tools) never reaches here, so a missing seam is a wiring fault.
    assert(m_pPrompts != nullptr && "the document's life commands need prompts");
    return *m_pPrompts;
}

void CCofferDoc::ShowMessage(const std::string& strText, bool bInformation) const {
    Prompts().MessageBox(strText, bInformation ? EMsgIcon::information : EMsgIcon::exclamation);
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
    it->SetGroup(strName);
    Notify(SRecordNotice::groupRenamed, pGroup, pGroup);
}

void CCofferDoc::DeleteGroup(const CPasswordInfo* pGroup) {
    auto it = NodeOf(pGroup);
    if (it == m_listInfo.end() || !it->IsGroup())
        return;
    Notify(SRecordNotice::groupRemoved, pGroup, pGroup);
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
    // deciphered texts: neither may linger in memory once the file goes.
    m_key.Clear();
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
}

bool CCofferDoc::OnNewDocument() {
    DeleteContents();
    m_bUnloaded = false;
    m_strPathName.clear();
    m_key.Clear();
    m_header = SGeneratorHeader{DEFAULT_GENERATE, {}, {}, {}};
    m_bLoaded = false;
    m_bSaved = false;
    m_strFileName.clear();
    CPasswordInfo& group = m_listInfo.emplace_front();
    group.m_bGroup = 1;
    group.SetGroup(DEFAULT_GROUP_NAME);
    return true;
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

EFileError CCofferDoc::ReadArchiveFile(const std::string& strPath, const CCodePage& codePage) {
    DeleteContents();
    std::string strBytes;
    const EFileError eError = ReadWholeFile(strPath, strBytes);
    if (eError != EFileError::none)
        return eError;
    m_diskStamp = CFileStamp(strPath, strBytes);
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
}

EFileError CCofferDoc::ReadDocumentFile(const std::string& strPath, const CCodePage& codePage) {
    if (!HasKhvExtension(strPath))
        return ReadArchiveFile(strPath, codePage);
    DeleteContents();
    std::string strBytes;
    const EFileError eError = ReadWholeFile(strPath, strBytes);
    if (eError != EFileError::none)
        return eError;
    // An empty file is a new one, as for ".pwd": it gets a KEY and is sealed
    // under it by the first save.
    m_diskStamp = CFileStamp(strPath, strBytes);
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

bool CCofferDoc::DeriveSealKey(CSealKey& key, std::string_view strKey, const SSealParams& params,
                               const CSealSalt& salt) {
    m_bKeyCancelled = false;
    auto pJob = std::make_shared<SSealDerivation>(strKey, params, salt);
    const CBusyWork fnWork = [pJob](const CCancelToken&) {
        pJob->m_bDerived = pJob->m_result.Derive(pJob->m_key.View(), pJob->m_params, pJob->m_salt);
    };
    if (!m_pPrompts) {
        const CCancelToken never;
        fnWork(never);
    } else if (m_pPrompts->RunBusy(FormatText(IDS_SEAL_DERIVING, m_strFileName), fnWork,
                                   EBusyKind::cancellable) != EBusyEnd::done) {
        m_bKeyCancelled = true;
        return false;
    }
    key = std::move(pJob->m_result);
    return pJob->m_bDerived;
}

bool CCofferDoc::ConfirmSealCost(const std::string& strPath) {
    const SSealParams& params = m_sealedHeader.m_params;
    if (!params.IsUnusuallyCostly())
        return true;
    const std::string strCost =
        FormatCountText(IDS_SEAL_COST, params.m_nPasses, FormatCount(params.m_nMemoryKiB / 1024));
    return Prompts().MessageBox(FormatText(IDS_SEAL_COSTLY, strPath, strCost), EMsgIcon::question,
                                EMsgButtons::yesNoDefaultNo) == EMsgAnswer::yes;
}

// --- the document's life ---

bool CCofferDoc::HasFilePath() const {
    return !m_strPathName.empty() && m_strPathName != CLOSED_PATH_NAME;
}

std::string CCofferDoc::GetTitle() const {
    return HasFilePath() ? FileNameOf(m_strPathName) : std::string(TranslateText(IDS_UNTITLED));
}

void CCofferDoc::SetPathName(const std::string& strPath, bool bAddToMRU) {
    m_strPathName = m_bOpen ? AbsolutePath(strPath) : std::string(CLOSED_PATH_NAME);
    Observer().OnPathNameChanged();
    if (bAddToMRU && m_bOpen && m_options.m_bAddToRecent && m_pRecentFileList && HasFilePath()) {
        m_pRecentFileList->Add(m_strPathName);
        Observer().OnRecentFileListChanged();
    }
}

void CCofferDoc::OnFileNew() {
    if (!m_bMainWindowShown)
        return;
    std::string strKeyValue;
    std::string strKey;
    if (!Prompts().RunCreateKey(strKeyValue, strKey))
        return;
    CSecretBuffer::Wipe(strKeyValue);
    if (OnFileClose() != 1 && HasKey()) {
        CSecretBuffer::Wipe(strKey);
        return;
    }
    m_bOpen = true;
    OnNewDocument();
    UseStrongGenerator();
    SetKey(strKey);
    CSecretBuffer::Wipe(strKey);
    OnFileSave();
    if (m_bSaved)
        Observer().OnInitialUpdate();
    else
        OnFileClose();
}

bool CCofferDoc::OnFileOpen() {
    if (!m_bMainWindowShown)
        return false;
    std::string strPath;
    return PromptOpenPath(strPath) && OpenDocumentFile(strPath);
}

bool CCofferDoc::PromptOpenPath(std::string& strPath) {
    SFilePrompt prompt;
    prompt.m_strTitle = IDS_OPEN_TITLE;
    prompt.m_strFilter = OPEN_FILTER;
    prompt.m_bConfirmOverwrite = false;
    return Prompts().PromptOpenFile(prompt, strPath);
}

bool CCofferDoc::OpenDocumentFile(const std::string& strPath) {
    if (!SaveModified())
        return false;
    return OpenAfterSaveModified(strPath);
}

bool CCofferDoc::OpenAfterSaveModified(const std::string& strPath) {
    const bool bOpened = OnOpenDocument(strPath);
    if (bOpened)
        SetPathName(strPath, true);
    Observer().OnInitialUpdate();
    return bOpened;
}

bool CCofferDoc::OnOpenRecentFile(int nIndex) {
    if (!m_pRecentFileList || nIndex < 0 || nIndex >= m_pRecentFileList->GetCount())
        return false;
    const std::string strPath = (*m_pRecentFileList)[nIndex];
    // A cancelled save question is the user's choice, not a reason to forget
    // the file; only a file that cannot be opened leaves the list.
    if (!SaveModified())
        return false;
    if (OpenAfterSaveModified(strPath))
        return true;
    m_pRecentFileList->Remove(nIndex);
    Observer().OnRecentFileListChanged();
    return false;
}

bool CCofferDoc::OnOpenDocument(const std::string& strPath) {
    m_bUnloaded = false;
    if (!HasDocumentExtension(strPath)) {
        ShowMessage(IDS_FORMAT_NOT_SUPPORTED);
        return false;
    }
    const EFileError eError = ReadDocumentFile(strPath, CodePage());
    // The read emptied the document: nothing may show its old records while
    // a message or a dialog runs, and nothing shows the new ones until the
    // KEY is accepted.
    Observer().OnEmptied();
    if (eError != EFileError::none)
        return RefuseFile(eError, strPath);
    if (m_bSealPending)
        return OpenSealedFile(strPath);
    if (!HasKey()) {
        GiveKeyToKeylessFile(strPath);
        return true;
    }
    if (m_bSkipKeyCheck) {
        m_bSkipKeyCheck = false;
        m_bSaved = true;
        AcceptKeyedFile();
        return true;
    }
    m_bSaved = true;
    if (!RunKeyCheck()) {
        DeleteContents();
        m_bOpen = false;
        return true;
    }
    AcceptKeyedFile();
    return true;
}

bool CCofferDoc::RunKeyCheck() {
    return Prompts().RunCheckKeyWith(FormatText(IDS_KEY_PROMPT_FILE, m_strFileName),
                                     [this](const std::string& strKey) -> SKeyVerdict {
                                         if (AcceptKey(strKey))
                                             return true;
                                         if (KeyDerivationCancelled())
                                             return SKeyVerdict::Cancelled();
                                         if (KeyLackedMemory())
                                             return SKeyVerdict::NotJudged(FileErrorMessage(
                                                 EFileError::keyOutOfMemory, m_strFileName));
                                         return false;
                                     });
}

bool CCofferDoc::RefuseFile(EFileError eError, const std::string& strPath) {
    m_bOpen = false;
    SetPathName(CLOSED_PATH_NAME, false);
    ShowMessage(FileErrorMessage(eError, strPath));
    return false;
}

bool CCofferDoc::OpenSealedFile(const std::string& strPath) {
    // Nothing of a sealed file can be read without its KEY, so the start at
    // logon, which skips the check for a ".pwd", asks for it here.
    m_bSkipKeyCheck = false;
    m_bSaved = true;
    if (!ConfirmSealCost(strPath) || !RunKeyCheck()) {
        DeleteContents();
        m_bOpen = false;
        return true;
    }
    const EFileError eError = FinishSealedRead(CodePage());
    if (eError != EFileError::none)
        return RefuseFile(eError, strPath);
    AcceptKeyedFile();
    return true;
}

void CCofferDoc::AcceptKeyedFile() {
    DecipherList();
    m_listArchive.clear();
    m_bOpen = true;
}

void CCofferDoc::GiveKeyToKeylessFile(const std::string& strPath) {
    if (IsReadOnlyFile(strPath)) {
        ShowMessage(IDS_NOKEY_READONLY);
        DeleteContents();
        m_bOpen = false;
        return;
    }
    m_bSaved = false;
    ShowMessage(IDS_NOKEY_CREATE);
    std::string strKeyValue;
    std::string strKey;
    if (!Prompts().RunCreateKey(strKeyValue, strKey)) {
        DeleteContents();
        m_bOpen = false;
        return;
    }
    m_strFileName.clear();
    m_bLoaded = false;
    // Records a file without a KEY may hold are kept, behind the new group:
    // they were enciphered under the field key of the empty check value, so
    // they are deciphered with it and written back under the new KEY.
    DecipherList();
    m_listArchive.clear();
    CPasswordInfo& group = m_listInfo.emplace_front();
    group.m_bGroup = 1;
    group.SetGroup(DEFAULT_GROUP_NAME);
    m_bOpen = true;
    CSecretBuffer::Wipe(strKeyValue);
    SetKey(strKey);
    CSecretBuffer::Wipe(strKey);
    SetPathName(strPath, true);
    OnFileSave();
}

int CCofferDoc::OnFileSave() {
    if (!m_bMainWindowShown)
        return SAVE_DONE;
    if (HasFilePath() && IsReadOnlyFile(m_strPathName)) {
        switch (Prompts().MessageBox(IDS_SAVE_READONLY, EMsgIcon::exclamation,
                                     EMsgButtons::yesNoCancel)) {
        case EMsgAnswer::yes:
            DoFileSave();
            return SAVE_READONLY_SAVEAS;
        case EMsgAnswer::no:
            return SAVE_READONLY_NO;
        default:
            return SAVE_CANCEL;
        }
    }
    DoFileSave();
    return SAVE_DONE;
}

bool CCofferDoc::OnFileSaveAs() {
    return DoSave(std::string());
}

void CCofferDoc::UseStrongGenerator() {
    m_header = SGeneratorHeader{static_cast<std::int32_t>(STRONG_GENERATE), STRONG_LENGTH,
                                STRONG_BEGIN, STRONG_END};
}

bool CCofferDoc::OnConvertToSealed() {
    if (!m_bMainWindowShown || !HasKey())
        return false;
    m_bProposeSealed = true;
    const bool bSaved = DoSave(std::string());
    m_bProposeSealed = false;
    return bSaved;
}

bool CCofferDoc::DoFileSave() {
    if (!HasFilePath() || !FileExists(m_strPathName) || IsReadOnlyFile(m_strPathName))
        return DoSave(std::string());
    return DoSave(m_strPathName);
}

bool CCofferDoc::ConfirmOverwriteOfChange(std::string& strPath) {
    if (!m_diskStamp.IsFor(strPath) || !m_diskStamp.HasChangedOnDisk())
        return true;
    switch (Prompts().MessageBox(FormatText(IDS_CHANGED_ON_DISK, strPath), EMsgIcon::exclamation,
                                 EMsgButtons::yesNoCancel)) {
    case EMsgAnswer::yes:
        return true;
    case EMsgAnswer::no:
        strPath.clear();
        return true;
    default:
        return false;
    }
}

bool CCofferDoc::DoSave(const std::string& strPath) {
    std::string strNewName = strPath;
    // The lock keeps the CLI from changing the file between the check and
    // the write; it is held through the question, which is part of the same
    // read-modify-write.
    CFileLock lock;
    if (!strNewName.empty() &&
        (!LockForSave(lock, strNewName) || !ConfirmOverwriteOfChange(strNewName)))
        return false;
    if (strNewName.empty()) {
        lock.Release();
        SFilePrompt prompt;
        prompt.m_strTitle = IDS_SAVEAS_TITLE;
        // A new file is sealed unless the user picks the other format; a
        // file keeps its own.
        prompt.m_strInitialName = HasFilePath() ? m_strPathName : GetTitle() + KHV_EXTENSION;
        if (m_bProposeSealed && HasFilePath())
            prompt.m_strInitialName =
                FolderOf(m_strPathName) + FileLabel(FileNameOf(m_strPathName)) + KHV_EXTENSION;
        prompt.m_strFilter = SAVE_FILTERS;
        if (HasKhvExtension(prompt.m_strInitialName))
            prompt.m_strDefaultExt = KHV_EXTENSION;
        if (!Prompts().PromptSaveFile(prompt, strNewName) || strNewName.empty() ||
            !LockForSave(lock, strNewName))
            return false;
    }
    const std::string strOldPath = HasFilePath() ? m_strPathName : std::string();
    const bool bCrossing =
        !strOldPath.empty() && HasKhvExtension(strOldPath) != HasKhvExtension(strNewName);
    std::string strKey;
    if (bCrossing && !AskKeyForOtherFormat(strNewName, strKey))
        return false;
    // The new KEY is the document's from this save on; a failed save keeps
    // the old one, since the file on disk is still under it.
    CMasterKey oldKey;
    std::unique_ptr<CSealKey> pOldSealKey;
    if (bCrossing) {
        oldKey = std::move(m_key);
        pOldSealKey = std::move(m_pSealKey);
        SetKey(strKey);
        CSecretBuffer::Wipe(strKey);
    }
    // The writer replaces files atomically: a failed write leaves neither a
    // partial new file nor a damaged old one, so there is nothing to delete.
    // A ".pwd" that Save As makes is readable without its KEY: it must not
    // land in a file another user keeps, or behind a link planted for it.
    const bool bWritten = OnSaveDocument(strNewName, strPath.empty() ? EWriteMode::plainText
                                                                     : EWriteMode::keepAttributes);
    if (!bWritten && bCrossing) {
        m_key = std::move(oldKey);
        m_pSealKey = std::move(pOldSealKey);
    }
    if (!bWritten)
        return false;
    lock.Release();
    SetPathName(strNewName, true);
    if (bCrossing && HasKhvExtension(strNewName))
        OfferToRemoveOldPwd(strOldPath);
    return true;
}

bool CCofferDoc::AskKeyForOtherFormat(const std::string& strNewPath, std::string& strKey) {
    if (!HasKhvExtension(strNewPath) &&
        Prompts().MessageBox(FormatText(IDS_ASK_SAVE_AS_PWD, FileNameOf(strNewPath)),
                             EMsgIcon::exclamation, EMsgButtons::yesNoDefaultNo) != EMsgAnswer::yes)
        return false;
    // The check value is a plain function of the KEY: an equal one is the
    // same KEY (or one that opens the same files).
    std::string strKeyValue;
    while (Prompts().RunCreateKey(strKeyValue, strKey)) {
        const bool bSame = strKeyValue == m_key.CheckValue();
        CSecretBuffer::Wipe(strKeyValue);
        if (!bSame)
            return true;
        CSecretBuffer::Wipe(strKey);
        ShowMessage(IDS_KEY_MUST_DIFFER);
    }
    return false;
}

std::string CCofferDoc::BackupPathOf(const std::string& strFileName) const {
    if (m_options.m_strBackupPath.empty())
        return {};
    std::string strBackup = m_options.m_strBackupPath;
    if (strBackup.back() != '/')
        strBackup += '/';
    return strBackup + strFileName + ".bak";
}

void CCofferDoc::OfferToRemoveOldPwd(const std::string& strOldPath) {
    std::vector<std::string> vecPaths;
    for (const std::string& strPath : {strOldPath, BackupPathOf(FileNameOf(strOldPath))}) {
        if (!strPath.empty() && FileExists(strPath))
            vecPaths.push_back(strPath);
    }
    if (vecPaths.empty())
        return;
    std::string strList;
    for (const std::string& strPath : vecPaths)
        strList += (strList.empty() ? "" : "\n") + strPath;
    if (Prompts().MessageBox(FormatText(IDS_ASK_REMOVE_OLD_PWD, GetTitle(), strList),
                             EMsgIcon::question, EMsgButtons::yesNoDefaultNo) != EMsgAnswer::yes)
        return;
    for (const std::string& strPath : vecPaths) {
        if (std::remove(strPath.c_str()) != 0)
            ShowMessage(FormatText(IDS_REMOVE_FAILED, strPath));
    }
}

bool CCofferDoc::LockForSave(CFileLock& lock, const std::string& strPath) {
    if (lock.Acquire(strPath, CFileLock::WAIT_MS) != EFileError::busy)
        return true; // a file that cannot even be opened is for the write to report
    ShowMessage(FileErrorMessage(EFileError::busy, strPath));
    return false;
}

bool CCofferDoc::OnSaveDocument(const std::string& strPath, EWriteMode ePlainMode) {
    // A document whose KEY was never typed here (a start at logon skips the
    // check) asks for it before its first sealed save; Cancel saves nothing.
    if (HasKhvExtension(strPath) && !m_pSealKey && !m_key.HasSecret() && !RunKeyCheck())
        return false;
    if (m_options.m_bBackup && !m_strFileName.empty()) {
        const std::string strBackup = BackupPathOf(m_strFileName);
        if (strBackup.empty() || !HasFilePath() ||
            CopyFileAtomic(m_strPathName, strBackup) != EFileError::none)
            ShowMessage(IDS_BACKUP_FAILED);
    }
    const EFileError eError = WriteArchiveFile(strPath, ePlainMode);
    if (eError == EFileError::none)
        return true;
    // A cancelled save leaves the file as it was, and says nothing.
    if (eError != EFileError::cancelled)
        ShowMessage(FileErrorMessage(eError, strPath));
    return false;
}

bool CCofferDoc::SaveModified() {
    if (!m_bModified)
        return true;
    switch (Prompts().MessageBox(FormatText(IDS_ASK_TO_SAVE, GetTitle()), EMsgIcon::question,
                                 EMsgButtons::yesNoCancel)) {
    case EMsgAnswer::yes:
        return DoFileSave();
    case EMsgAnswer::no:
        return true;
    default:
        return false;
    }
}

bool CCofferDoc::SaveWithoutQuestion() {
    if (!m_bModified)
        return true;
    if (!SaveForLock())
        return false;
    SetModifiedFlag(false);
    return true;
}

// --- locking ---

bool CCofferDoc::SaveForLock() {
    // A sealed file whose KEY was never typed here would have to ask for it.
    if (!m_options.m_bAutoSave || !HasFilePath() || !FileExists(m_strPathName) ||
        IsReadOnlyFile(m_strPathName) ||
        (HasKhvExtension(m_strPathName) && !m_pSealKey && !m_key.HasSecret()))
        return false;
    CFileLock lock;
    if (lock.Acquire(m_strPathName, CFileLock::WAIT_MS) != EFileError::none ||
        (m_diskStamp.IsFor(m_strPathName) && m_diskStamp.HasChangedOnDisk()))
        return false;
    return OnSaveDocument(m_strPathName);
}

bool CCofferDoc::UnloadForLock() {
    if (m_bUnloaded || !HasKey() || !m_bOpen || !HasFilePath())
        return m_bUnloaded;
    if (m_bModified && !SaveForLock())
        return false;
    // The views let go of their copies before the records go.
    Observer().OnEmptied();
    DeleteContents();
    m_bUnloaded = true;
    return true;
}

bool CCofferDoc::ReloadAfterLock() {
    if (!m_bUnloaded)
        return true;
    const std::string strPath = m_strPathName;
    const bool bGone = !FileExists(strPath);
    if (bGone || m_diskStamp.HasChangedOnDisk()) {
        switch (Prompts().MessageBox(
            FormatText(bGone ? IDS_GONE_WHILE_LOCKED : IDS_CHANGED_WHILE_LOCKED, strPath),
            EMsgIcon::exclamation, EMsgButtons::yesNoCancel)) {
        case EMsgAnswer::yes:
            break;
        case EMsgAnswer::no: {
            std::string strOther;
            if (!PromptOpenPath(strOther))
                return false;
            m_bUnloaded = false;
            OpenAfterSaveModified(strOther);
            return true;
        }
        default:
            return false;
        }
        if (bGone) {
            m_bUnloaded = false;
            m_bOpen = false;
            SetPathName(CLOSED_PATH_NAME, false);
            Observer().OnInitialUpdate();
            return true;
        }
    }
    m_bSkipKeyCheck = false;
    if (OnOpenDocument(strPath) && !m_bOpen) {
        // The KEY was not typed: still locked, and still nothing in memory.
        m_bOpen = true;
        m_bUnloaded = true;
        return false;
    }
    // Read again, or refused (the refusal was reported and closed it).
    m_bUnloaded = false;
    Observer().OnInitialUpdate();
    return true;
}

void CCofferDoc::CheckFileAfterLock() {
    if (!HasFilePath() || !m_diskStamp.IsFor(m_strPathName))
        return;
    const bool bGone = !FileExists(m_strPathName);
    if (!bGone && !m_diskStamp.HasChangedOnDisk())
        return;
    switch (Prompts().MessageBox(
        FormatText(bGone ? IDS_KEPT_GONE_WHILE_LOCKED : IDS_KEPT_CHANGED_WHILE_LOCKED,
                   m_strPathName),
        EMsgIcon::exclamation, EMsgButtons::yesNoCancel)) {
    case EMsgAnswer::yes: {
        const std::string strPath = m_strPathName;
        CFileLock lock;
        if (LockForSave(lock, strPath) && OnSaveDocument(strPath))
            SetPathName(strPath, true);
        break;
    }
    case EMsgAnswer::no:
        DoSave(std::string());
        break;
    default:
        break;
    }
}

void CCofferDoc::RememberLastFile() {
    if (m_pProfile && m_options.m_nStartFile == START_FILE_LAST &&
        HasDocumentExtension(m_strPathName))
        m_pProfile->Set(ETextSetting::pathLast, m_strPathName);
}

int CCofferDoc::OnFileClose() {
    RememberLastFile();
    if (m_bModified) {
        switch (Prompts().MessageBox(IDS_ASK_SAVE_MODIFIED, EMsgIcon::exclamation,
                                     EMsgButtons::yesNoCancel)) {
        case EMsgAnswer::yes:
            m_bSaved = false;
            if (OnFileSave() == SAVE_CANCEL || !m_bSaved)
                return 0;
            break;
        case EMsgAnswer::no:
            m_bSaved = true;
            break;
        default:
            return 0;
        }
    }
    const bool bClosed = m_bSaved;
    DeleteContents();
    m_bUnloaded = false;
    // The views drop their items whatever the outcome: the records are gone.
    Notify(SRecordNotice::reset);
    m_bOpen = false;
    if (!bClosed)
        return 0;
    SetPathName(CLOSED_PATH_NAME, false);
    return 1;
}

void CCofferDoc::OnChangeKey() {
    if (HasFilePath() && IsReadOnlyFile(m_strPathName)) {
        ShowMessage(IDS_CHANGEKEY_READONLY);
        return;
    }
    std::string strKeyValue = m_key.CheckValue();
    std::string strKey;
    const bool bTyped = Prompts().RunChangeKey(strKeyValue, strKey);
    CSecretBuffer::Wipe(strKeyValue);
    if (!bTyped) {
        ShowMessage(IDS_KEY_NOT_CHANGED, true);
        return;
    }
    const bool bWasSaved = m_bSaved;
    // A sealed file is sealed anew under the new KEY with a fresh salt; the
    // old KEY and its sealing stay at hand in case the save fails.
    CMasterKey oldKey = std::move(m_key);
    std::unique_ptr<CSealKey> pOldSealKey = std::move(m_pSealKey);
    SetKey(strKey);
    CSecretBuffer::Wipe(strKey);
    m_bSaved = false;
    OnFileSave();
    // A KEY that did not reach the file is not changed: keeping it in memory
    // would leave the file under the old KEY while the user learns the new.
    // The file is then as it was, and so is what the document knows of it.
    if (!m_bSaved) {
        m_key = std::move(oldKey);
        m_pSealKey = std::move(pOldSealKey);
        m_bSaved = bWasSaved;
        ShowMessage(IDS_KEY_NOT_CHANGED, true);
        return;
    }
    ShowMessage(IDS_KEY_CHANGED, true);
}

void CCofferDoc::OnContentChanged() {
    SetModifiedFlag(true);
    if (m_options.m_bAutoSave)
        OnFileSave();
}

bool CCofferDoc::QueryCommand(int nId, bool& bEnabled, bool& bChecked) const {
    bChecked = false;
    switch (nId) {
    case ID_FILE_NEW:
        bEnabled = true;
        return true;
    case ID_FILE_CLOSE:
        bEnabled = IsCloseEnabled();
        return true;
    case ID_FILE_SAVE:
        bEnabled = IsSaveEnabled();
        return true;
    case ID_FILE_SAVE_AS:
        bEnabled = IsSaveAsEnabled();
        return true;
    case ID_TOOLS_CHANGEKEY:
        bEnabled = IsChangeKeyEnabled();
        return true;
    case ID_RECENT_ADDHERE:
        bEnabled = true;
        bChecked = IsAddHereChecked();
        return true;
    default:
        return false;
    }
}
