// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/store/FileSession.h"

#include "core/base/CommandIds.h"
#include "core/base/DocObserver.h"
#include "core/base/OptionsData.h"
#include "core/base/Profile.h"
#include "core/base/Prompts.h"
#include "core/base/SettingsSchema.h"
#include "core/base/StringTable.h"
#include "core/base/TextUtil.h"
#include "core/seal/SecretBuffer.h"
#include "core/store/CofferDoc.h"
#include "core/store/FileLock.h"
#include "core/store/PwdFormat.h"
#include "core/store/RecentFileList.h"
#include "core/store/RecordDatabase.h"

#include <cassert>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

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

CFileSession::CFileSession(CCofferDoc& doc, CProfile* pProfile, std::string strDefaultBackupFolder)
    : m_doc(doc), m_pProfile(pProfile), m_strDefaultBackupFolder(std::move(strDefaultBackupFolder)),
      m_keyFiles(pProfile) {
    if (m_pProfile)
        ReadOptions();
}

CFileSession::~CFileSession() {
    WriteOptions();
}

CFileSession::CClaimedName::~CClaimedName() {
    if (!m_strPath.empty())
        ::unlink(m_strPath.c_str()); // only the empty file the claim made
}

void CFileSession::ReadOptions() {
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

void CFileSession::GiveFileOptions(SOptionsData& options) const {
    options.m_nStartMode = m_options.m_nStartFile;
    options.m_strStartFile = m_options.m_strStartFile;
    options.m_bAutoSave = m_options.m_bAutoSave;
    options.m_bBackup = m_options.m_bBackup;
    options.m_strBackupPath = m_options.m_strBackupPath;
    options.m_bAddToRecent = m_options.m_bAddToRecent;
}

void CFileSession::TakeFileOptions(const SOptionsData& options) {
    m_options.m_nStartFile = options.m_nStartMode;
    m_options.m_strStartFile = options.m_strStartFile;
    m_options.m_bAutoSave = options.m_bAutoSave;
    m_options.m_bBackup = options.m_bBackup;
    m_options.m_strBackupPath = options.m_strBackupPath;
    m_options.m_bAddToRecent = options.m_bAddToRecent;
}

void CFileSession::WriteOptions() {
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
    if (m_options.m_nStartFile == START_FILE_LAST && IsOpenedPath(m_strPathName))
        m_pProfile->Set(ETextSetting::pathLast, m_strPathName);
    else if (m_options.m_nStartFile == START_FILE_FIXED)
        m_pProfile->Set(ETextSetting::pathStart, m_options.m_strStartFile);
}

EFileError CFileSession::HoldLock(const std::string& strPath) {
    const EFileError eError = m_heldLock.Acquire(strPath, CFileLock::WAIT_MS);
    m_strHeldLockPath = eError == EFileError::none ? AbsolutePath(strPath) : std::string();
    return eError;
}

void CFileSession::SetPrompts(CPrompts* pPrompts) {
    m_pPrompts = pPrompts;
    m_doc.SetPrompts(pPrompts);
}

CPrompts& CFileSession::Prompts() const {
    // Every command of the session may ask; the record side (the
    // command-line program, tools) never needs a session, so a missing seam
    // is a wiring fault.
    assert(m_pPrompts != nullptr && "the file session needs prompts");
    return *m_pPrompts;
}

void CFileSession::ShowMessage(const std::string& strText, bool bInformation) const {
    Prompts().MessageBox(strText, bInformation ? EMsgIcon::information : EMsgIcon::exclamation);
}

bool CFileSession::ConfirmSealCost(const std::string& strPath) {
    const SSealParams& params = m_doc.PendingSealParams();
    if (m_bUnattended || !params.IsUnusuallyCostly())
        return true;
    const std::string strCost =
        FormatCountText(IDS_SEAL_COST, params.m_nPasses, FormatCount(params.m_nMemoryKiB / 1024));
    return Prompts().MessageBox(FormatText(IDS_SEAL_COSTLY, strPath, strCost), EMsgIcon::question,
                                EMsgButtons::yesNoDefaultNo) == EMsgAnswer::yes;
}

// --- the file's life ---

bool CFileSession::HasFilePath() const {
    return !m_strPathName.empty() && m_strPathName != CLOSED_PATH_NAME;
}

std::string CFileSession::GetTitle() const {
    return HasFilePath() ? FileNameOf(m_strPathName) : std::string(TranslateText(IDS_UNTITLED));
}

void CFileSession::SetPathName(const std::string& strPath, bool bAddToMRU) {
    m_strPathName = m_bOpen ? AbsolutePath(strPath) : std::string(CLOSED_PATH_NAME);
    m_doc.Observer().OnPathNameChanged();
    if (bAddToMRU && m_bOpen && m_options.m_bAddToRecent && m_pRecentFileList && HasFilePath()) {
        m_pRecentFileList->Add(m_strPathName);
        m_doc.Observer().OnRecentFileListChanged();
    }
}

void CFileSession::NewDocument() {
    m_bUnloaded = false;
    m_strPathName.clear();
    m_doc.OnNewDocument();
}

void CFileSession::OnFileNew() {
    if (!m_bMainWindowShown)
        return;
    std::string strKeyValue;
    std::string strKey;
    if (!Prompts().RunCreateKey(strKeyValue, strKey))
        return;
    CSecretBuffer::Wipe(strKeyValue);
    if (OnFileClose() != 1 && m_doc.HasKey()) {
        CSecretBuffer::Wipe(strKey);
        return;
    }
    m_bOpen = true;
    NewDocument();
    m_doc.UseStrongGenerator();
    m_doc.SetKey(strKey);
    CSecretBuffer::Wipe(strKey);
    OnFileSave();
    if (m_doc.IsSaved())
        m_doc.Observer().OnInitialUpdate();
    else
        OnFileClose();
}

bool CFileSession::OnFileOpen() {
    if (!m_bMainWindowShown)
        return false;
    std::string strPath;
    return PromptOpenPath(strPath) && OpenDocumentFile(strPath);
}

bool CFileSession::PromptOpenPath(std::string& strPath) {
    SFilePrompt prompt;
    prompt.m_strTitle = IDS_OPEN_TITLE;
    prompt.m_strFilter = m_doc.IsDatabasePath(KDBX_EXTENSION) ? OPEN_FILTER_KDBX : OPEN_FILTER;
    prompt.m_bConfirmOverwrite = false;
    return Prompts().PromptOpenFile(prompt, strPath);
}

bool CFileSession::OpenDocumentFile(const std::string& strPath) {
    if (!SaveModified())
        return false;
    return OpenReplacing(strPath);
}

bool CFileSession::OpenReplacing(const std::string& strPath) {
    const bool bOpened = OnOpenDocument(strPath);
    if (bOpened)
        SetPathName(strPath, true);
    m_doc.Observer().OnInitialUpdate();
    return bOpened;
}

bool CFileSession::OnOpenRecentFile(int nIndex) {
    if (!m_pRecentFileList || nIndex < 0 || nIndex >= m_pRecentFileList->GetCount())
        return false;
    const std::string strPath = (*m_pRecentFileList)[nIndex];
    // A cancelled save question is the user's choice, not a reason to forget
    // the file; only a file that cannot be opened leaves the list.
    if (!SaveModified())
        return false;
    if (OpenReplacing(strPath))
        return true;
    m_pRecentFileList->Remove(nIndex);
    m_doc.Observer().OnRecentFileListChanged();
    return false;
}

bool CFileSession::OnOpenDocument(const std::string& strPath) {
    m_bUnloaded = false;
    if (!m_bUnattended && !IsOpenedPath(strPath)) {
        ShowMessage(IDS_FORMAT_NOT_SUPPORTED);
        return false;
    }
    const EFileError eError = m_doc.ReadDocumentFile(strPath, m_doc.CodePage());
    // The read emptied the document: nothing may show its old records while
    // a message or a dialog runs, and nothing shows the new ones until the
    // KEY is accepted.
    m_doc.Observer().OnEmptied();
    if (eError != EFileError::none)
        return RefuseFile(eError, strPath);
    if (m_doc.IsSealPending())
        return m_doc.IsDatabase() ? OpenDatabaseFile(strPath) : OpenSealedFile(strPath);
    if (!m_doc.HasKey()) {
        GiveKeyToKeylessFile(strPath);
        return true;
    }
    if (m_bSkipKeyCheck) {
        m_bSkipKeyCheck = false;
        m_doc.SetSaved(true);
        AcceptKeyedFile();
        return true;
    }
    m_doc.SetSaved(true);
    if (!RunKeyCheck(strPath)) {
        m_doc.DeleteContents();
        m_bOpen = false;
        return true;
    }
    AcceptKeyedFile();
    return true;
}

bool CFileSession::RunKeyCheck(const std::string& strPath) {
    // The dialog shows the message under the file's name; without a window
    // it stands alone and names the file as the caller gave it.
    const std::string strNamed = m_bUnattended ? strPath : m_doc.FileName();
    return Prompts().RunCheckKeyWith(FormatText(IDS_KEY_PROMPT_FILE, m_doc.FileName()),
                                     [this, &strNamed](const std::string& strKey) -> SKeyVerdict {
                                         if (m_doc.AcceptKey(strKey))
                                             return true;
                                         if (m_doc.KeyDerivationCancelled())
                                             return SKeyVerdict::Cancelled();
                                         if (!m_doc.DatabaseRefusal().empty())
                                             return SKeyVerdict::NotJudged(m_doc.DatabaseRefusal());
                                         if (m_doc.KeyLackedMemory())
                                             return SKeyVerdict::NotJudged(FileErrorMessage(
                                                 EFileError::keyOutOfMemory, strNamed));
                                         return false;
                                     });
}

bool CFileSession::RefuseFile(EFileError eError, const std::string& strPath) {
    m_bOpen = false;
    SetPathName(CLOSED_PATH_NAME, false);
    ShowMessage(FileErrorMessage(eError, strPath));
    return false;
}

bool CFileSession::OpenSealedFile(const std::string& strPath) {
    // Nothing of a sealed file can be read without its KEY, so the start at
    // logon, which skips the check for a ".pwd", asks for it here.
    m_bSkipKeyCheck = false;
    m_doc.SetSaved(true);
    return FinishKeyedOpen(strPath, ConfirmSealCost(strPath) && RunKeyCheck(strPath));
}

bool CFileSession::OpenDatabaseFile(const std::string& strPath) {
    m_bSkipKeyCheck = false;
    m_doc.SetSaved(true);
    bool bAllowSlowKdf = false;
    return FinishKeyedOpen(strPath, ConfirmSlowDatabase(strPath, bAllowSlowKdf) &&
                                        RunDatabaseKeyCheck(strPath, bAllowSlowKdf));
}

bool CFileSession::FinishKeyedOpen(const std::string& strPath, bool bKeyGiven) {
    if (!bKeyGiven) {
        m_doc.DeleteContents();
        m_bOpen = false;
        return true;
    }
    const EFileError eError = m_doc.FinishSealedRead(m_doc.CodePage());
    if (eError != EFileError::none)
        return RefuseFile(eError, strPath);
    AcceptKeyedFile();
    return true;
}

bool CFileSession::ConfirmSlowDatabase(const std::string& strPath, bool& bAllowSlowKdf) {
    bAllowSlowKdf = false;
    const std::string strQuestion = m_doc.DatabaseOpenQuestion(strPath);
    // Nobody to ask: the open refuses it and says why.
    if (strQuestion.empty() || m_bUnattended)
        return true;
    if (AbsolutePath(strPath) == m_strSlowKdfAllowed) {
        bAllowSlowKdf = true;
        return true;
    }
    bAllowSlowKdf = Prompts().MessageBox(strQuestion, EMsgIcon::question,
                                         EMsgButtons::yesNoDefaultNo) == EMsgAnswer::yes;
    if (bAllowSlowKdf)
        m_strSlowKdfAllowed = AbsolutePath(strPath);
    return bAllowSlowKdf;
}

bool CFileSession::TakeDatabaseKey(SDatabaseKey& typed, CDatabaseKey& key) {
    key.Clear();
    if (!typed.m_bNoPassword)
        key.SetPassword(typed.m_strPassword);
    CSecretBuffer::Wipe(typed.m_strPassword);
    if (typed.m_strKeyFile.empty())
        return true;
    typed.m_strKeyFile = AbsolutePath(typed.m_strKeyFile);
    const std::string strError = m_doc.ReadDatabaseKeyFile(typed.m_strKeyFile, key);
    if (strError.empty())
        return true;
    key.Clear();
    ShowMessage(strError);
    return false;
}

bool CFileSession::RunDatabaseKeyCheck(const std::string& strPath, bool bAllowSlowKdf) {
    const std::string strDatabase = AbsolutePath(strPath);
    SDatabaseKey typed;
    typed.m_strKeyFile = m_keyFiles.Of(strDatabase);
    for (;;) {
        if (!Prompts().RunDatabaseKey(m_doc.FileName(), EDatabaseKeyKind::open, typed))
            return false;
        CDatabaseKey key;
        if (!TakeDatabaseKey(typed, key))
            continue;
        switch (m_doc.AcceptDatabaseKey(key, bAllowSlowKdf)) {
        case CDatabaseFormat::EOpen::opened:
            m_keyFiles.Remember(strDatabase, typed.m_strKeyFile);
            m_strDatabaseKeyFile = typed.m_strKeyFile;
            return true;
        case CDatabaseFormat::EOpen::cancelled:
            continue; // stopped by the user: the dialog comes back as it was
        case CDatabaseFormat::EOpen::wrongKey:
            ShowMessage(m_doc.DatabaseRefusal().empty() ? std::string(IDS_KEY_INVALID)
                                                        : m_doc.DatabaseRefusal());
            continue;
        case CDatabaseFormat::EOpen::refused:
            ShowMessage(strPath + "\n" + m_doc.DatabaseRefusal());
            return false;
        }
    }
}

void CFileSession::AcceptKeyedFile() {
    m_doc.DecipherList();
    m_bOpen = true;
}

void CFileSession::GiveKeyToKeylessFile(const std::string& strPath) {
    // Unattended, what was read stays for the caller to tell about.
    if (m_bUnattended) {
        m_bOpen = false;
        return;
    }
    if (IsReadOnlyFile(strPath)) {
        ShowMessage(IDS_NOKEY_READONLY);
        m_doc.DeleteContents();
        m_bOpen = false;
        return;
    }
    m_doc.SetSaved(false);
    ShowMessage(IDS_NOKEY_CREATE);
    std::string strKeyValue;
    std::string strKey;
    if (!Prompts().RunCreateKey(strKeyValue, strKey)) {
        m_doc.DeleteContents();
        m_bOpen = false;
        return;
    }
    // Records a file without a KEY may hold are kept, behind the new group.
    m_doc.AdoptKeylessRecords();
    m_bOpen = true;
    CSecretBuffer::Wipe(strKeyValue);
    m_doc.SetKey(strKey);
    CSecretBuffer::Wipe(strKey);
    SetPathName(strPath, true);
    OnFileSave();
}

int CFileSession::OnFileSave() {
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

bool CFileSession::OnFileSaveAs() {
    return DoSave(std::string());
}

bool CFileSession::OnConvertToSealed() {
    if (!m_bMainWindowShown || !m_doc.HasKey())
        return false;
    m_bProposeSealed = true;
    const bool bSaved = DoSave(std::string());
    m_bProposeSealed = false;
    return bSaved;
}

bool CFileSession::DoFileSave() {
    if (m_bUnattended)
        return DoSave(HasFilePath() ? m_strPathName : std::string());
    if (!HasFilePath() || !FileExists(m_strPathName) || IsReadOnlyFile(m_strPathName))
        return DoSave(std::string());
    return DoSave(m_strPathName);
}

bool CFileSession::ConfirmOverwriteOfChange(std::string& strPath) {
    if (m_bUnattended) {
        if (FileExists(strPath) &&
            (!m_doc.DiskStamp().IsFor(strPath) || !m_doc.DiskStamp().HasChangedOnDisk()))
            return true;
        ShowMessage(FormatText(IDS_CHANGED_NOT_WRITTEN, strPath));
        return false;
    }
    if (!m_doc.DiskStamp().IsFor(strPath) || !m_doc.DiskStamp().HasChangedOnDisk())
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

bool CFileSession::DoSave(const std::string& strPath) {
    std::string strNewName = strPath;
    // The lock keeps the CLI from changing the file between the check and
    // the write; it is held through the question, which is part of the same
    // read-modify-write.
    CFileLock lock;
    CClaimedName claim;
    if (!strNewName.empty() &&
        (!LockForSave(lock, strNewName) || !ConfirmOverwriteOfChange(strNewName)))
        return false;
    if (strNewName.empty()) {
        lock.Release();
        SFilePrompt prompt;
        prompt.m_strTitle = IDS_SAVEAS_TITLE;
        // A file keeps its own format. A new one is a database where the
        // program opens them (the file other password managers and phones
        // open), else sealed.
        const bool bDatabases = m_doc.IsDatabasePath(KDBX_EXTENSION);
        prompt.m_strInitialName = HasFilePath()
                                      ? m_strPathName
                                      : GetTitle() + (bDatabases ? KDBX_EXTENSION : KHV_EXTENSION);
        if (m_bProposeSealed && HasFilePath())
            prompt.m_strInitialName =
                FolderOf(m_strPathName) + FileLabel(FileNameOf(m_strPathName)) + KHV_EXTENSION;
        prompt.m_strFilter = bDatabases ? SAVE_FILTERS_KDBX : SAVE_FILTERS;
        if (HasKhvExtension(prompt.m_strInitialName))
            prompt.m_strDefaultExt = KHV_EXTENSION;
        else if (m_doc.IsDatabasePath(prompt.m_strInitialName))
            prompt.m_strDefaultExt = KDBX_EXTENSION;
        if (!Prompts().PromptSaveFile(prompt, strNewName) || strNewName.empty())
            return false;
        if (m_bUnattended ? !ClaimNewFile(lock, strNewName, claim) : !LockForSave(lock, strNewName))
            return false;
    }
    const std::string strOldPath = HasFilePath() ? m_strPathName : std::string();
    // A database saved as a password file: the user learns what it cannot
    // keep, and the records become what it keeps (given back when the save
    // does not happen). Its KEY, UTF-8, is never the password file's.
    const bool bLeaving = m_doc.IsDatabase() && !m_doc.IsDatabasePath(strNewName);
    CCofferDoc::SHeldDatabase heldDatabase;
    if (bLeaving) {
        if (!ConfirmDatabaseLoss(strNewName))
            return false;
        heldDatabase = m_doc.LeaveDatabase();
    }
    const bool bCrossing =
        bLeaving || (!strOldPath.empty() && KindOf(strOldPath) != KindOf(strNewName));
    std::string strKey;
    if (bCrossing && !AskKeyForOtherFormat(strNewName, strKey)) {
        m_doc.ReturnToDatabase(std::move(heldDatabase));
        return false;
    }
    // The new KEY is the document's from this save on; a failed save keeps
    // the old one, since the file on disk is still under it.
    CCofferDoc::SHeldKey oldKey;
    if (bCrossing) {
        oldKey = m_doc.ReplaceKey(strKey);
        CSecretBuffer::Wipe(strKey);
    }
    // The writer replaces files atomically: a failed write leaves neither a
    // partial new file nor a damaged old one, so there is nothing to delete.
    // A ".pwd" that Save As makes is readable without its KEY: it must not
    // land in a file another user keeps, or behind a link planted for it.
    const bool bWritten = OnSaveDocument(strNewName, strPath.empty() ? EWriteMode::plainText
                                                                     : EWriteMode::keepAttributes);
    if (!bWritten && bCrossing)
        m_doc.RestoreKey(std::move(oldKey));
    if (!bWritten) {
        m_doc.ReturnToDatabase(std::move(heldDatabase));
        return false;
    }
    claim.Keep();
    lock.Release();
    SetPathName(strNewName, true);
    // A database keeps its key file under its new name; one made here has
    // none.
    if (!m_doc.IsDatabase() || !m_doc.DatabaseKey().HasKeyFile())
        m_strDatabaseKeyFile.clear();
    if (m_doc.IsDatabase())
        m_keyFiles.Remember(m_strPathName, m_strDatabaseKeyFile);
    if (bCrossing && KindOf(strOldPath) == EFileKind::plain)
        OfferToRemoveOldPwd(strOldPath);
    return true;
}

bool CFileSession::ConfirmDatabaseLoss(const std::string& strNewPath) {
    const std::string strLoss = m_doc.DatabaseLossText();
    if (strLoss.empty())
        return true;
    const std::string strText = FormatText(IDS_ASK_SAVE_LOSES, FileNameOf(strNewPath), strLoss);
    if (m_bUnattended) {
        ShowMessage(strText);
        return false;
    }
    return Prompts().MessageBox(strText, EMsgIcon::exclamation, EMsgButtons::yesNoDefaultNo) ==
           EMsgAnswer::yes;
}

bool CFileSession::ConfirmDatabaseUpgrade(const std::string& strPath) {
    if (!m_doc.IsDatabaseOfOlderFormat())
        return true;
    return !m_bUnattended &&
           Prompts().MessageBox(FormatText(IDS_ASK_UPGRADE_DATABASE, FileNameOf(strPath)),
                                EMsgIcon::question, EMsgButtons::yesNo) == EMsgAnswer::yes;
}

CFileSession::EFileKind CFileSession::KindOf(const std::string& strPath) const {
    if (m_doc.IsDatabasePath(strPath))
        return EFileKind::database;
    return HasKhvExtension(strPath) ? EFileKind::sealed : EFileKind::plain;
}

bool CFileSession::IsOpenedPath(const std::string& strPath) const {
    return HasDocumentExtension(strPath) || m_doc.IsDatabasePath(strPath);
}

bool CFileSession::AskKeyForOtherFormat(const std::string& strNewPath, std::string& strKey) {
    // Nobody can be asked to give up the seal: the caller chose the format
    // by the name and warns about a ".pwd" itself.
    if (!m_bUnattended && KindOf(strNewPath) == EFileKind::plain &&
        Prompts().MessageBox(FormatText(IDS_ASK_SAVE_AS_PWD, FileNameOf(strNewPath)),
                             EMsgIcon::exclamation, EMsgButtons::yesNoDefaultNo) != EMsgAnswer::yes)
        return false;
    // The check value is a plain function of the KEY: an equal one is the
    // same KEY (or one that opens the same files).
    const bool bPlain =
        KindOf(strNewPath) == EFileKind::plain || KindOf(m_strPathName) == EFileKind::plain;
    std::string strKeyValue;
    while (Prompts().RunCreateKey(strKeyValue, strKey)) {
        const bool bSame = bPlain && strKeyValue == m_doc.Key().CheckValue();
        CSecretBuffer::Wipe(strKeyValue);
        if (!bSame)
            return true;
        CSecretBuffer::Wipe(strKey);
        ShowMessage(IDS_KEY_MUST_DIFFER);
    }
    return false;
}

std::string CFileSession::BackupPathOf(const std::string& strFileName) const {
    if (m_options.m_strBackupPath.empty())
        return {};
    std::string strBackup = m_options.m_strBackupPath;
    if (strBackup.back() != '/')
        strBackup += '/';
    return strBackup + strFileName + ".bak";
}

void CFileSession::OfferToRemoveOldPwd(const std::string& strOldPath) {
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

bool CFileSession::ClaimNewFile(CFileLock& lock, const std::string& strPath, CClaimedName& claim) {
    const int fd = ::open(strPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        ShowMessage(errno == EEXIST ? FormatText(IDS_EXISTS_NOT_REPLACED, strPath)
                                    : FileErrorMessage(WriteErrorOf(errno), strPath));
        return false;
    }
    claim.Take(strPath);
    if (lock.Adopt(fd) == EFileError::none)
        return true;
    ShowMessage(FileErrorMessage(EFileError::busy, strPath));
    return false;
}

bool CFileSession::LockForSave(CFileLock& lock, const std::string& strPath) {
    if (m_heldLock.IsHeld() && AbsolutePath(strPath) == m_strHeldLockPath)
        return true;
    if (lock.Acquire(strPath, CFileLock::WAIT_MS) != EFileError::busy)
        return true; // a file that cannot even be opened is for the write to report
    ShowMessage(FileErrorMessage(EFileError::busy, strPath));
    return false;
}

bool CFileSession::OnSaveDocument(const std::string& strPath, EWriteMode ePlainMode) {
    // A document whose KEY was never typed here (a start at logon skips the
    // check) asks for it before its first sealed save; Cancel saves nothing.
    if (HasKhvExtension(strPath) && !m_doc.KnowsKey() && !RunKeyCheck(strPath))
        return false;
    if (m_doc.IsDatabasePath(strPath) && !ConfirmDatabaseUpgrade(strPath))
        return false;
    if (m_options.m_bBackup && !m_doc.FileName().empty()) {
        const std::string strBackup = BackupPathOf(m_doc.FileName());
        if (strBackup.empty() || !HasFilePath() ||
            CopyFileAtomic(m_strPathName, strBackup) != EFileError::none)
            ShowMessage(IDS_BACKUP_FAILED);
    }
    const EFileError eError = m_doc.WriteArchiveFile(strPath, ePlainMode);
    if (eError == EFileError::none)
        return true;
    // A cancelled save leaves the file as it was, and says nothing.
    if (eError != EFileError::cancelled)
        ShowMessage(FileErrorMessage(eError, strPath));
    return false;
}

bool CFileSession::SaveModified() {
    if (!m_doc.IsModified())
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

bool CFileSession::SaveWithoutQuestion() {
    if (!m_doc.IsModified())
        return true;
    if (!SaveForLock())
        return false;
    m_doc.SetModifiedFlag(false);
    return true;
}

// --- locking ---

bool CFileSession::SaveForLock() {
    // A sealed file whose KEY was never typed here would have to ask for it.
    if (!m_options.m_bAutoSave || !HasFilePath() || !FileExists(m_strPathName) ||
        IsReadOnlyFile(m_strPathName) || (HasKhvExtension(m_strPathName) && !m_doc.KnowsKey()) ||
        m_doc.IsDatabaseOfOlderFormat())
        return false;
    CFileLock lock;
    if (lock.Acquire(m_strPathName, CFileLock::WAIT_MS) != EFileError::none ||
        (m_doc.DiskStamp().IsFor(m_strPathName) && m_doc.DiskStamp().HasChangedOnDisk()))
        return false;
    return OnSaveDocument(m_strPathName);
}

bool CFileSession::UnloadForLock() {
    if (m_bUnloaded || !m_doc.HasKey() || !m_bOpen || !HasFilePath())
        return m_bUnloaded;
    if (m_doc.IsModified() && !SaveForLock())
        return false;
    // The views let go of their copies before the records go.
    m_doc.Observer().OnEmptied();
    m_doc.DeleteContents();
    m_bUnloaded = true;
    return true;
}

bool CFileSession::ReloadAfterLock() {
    if (!m_bUnloaded)
        return true;
    const std::string strPath = m_strPathName;
    const bool bGone = !FileExists(strPath);
    if (bGone || m_doc.DiskStamp().HasChangedOnDisk()) {
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
            OpenReplacing(strOther);
            return true;
        }
        default:
            return false;
        }
        if (bGone) {
            m_bUnloaded = false;
            m_bOpen = false;
            SetPathName(CLOSED_PATH_NAME, false);
            m_doc.Observer().OnInitialUpdate();
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
    m_doc.Observer().OnInitialUpdate();
    return true;
}

void CFileSession::CheckFileAfterLock() {
    if (!HasFilePath() || !m_doc.DiskStamp().IsFor(m_strPathName))
        return;
    const bool bGone = !FileExists(m_strPathName);
    if (!bGone && !m_doc.DiskStamp().HasChangedOnDisk())
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

void CFileSession::RememberLastFile() {
    if (m_pProfile && m_options.m_nStartFile == START_FILE_LAST && IsOpenedPath(m_strPathName))
        m_pProfile->Set(ETextSetting::pathLast, m_strPathName);
}

int CFileSession::OnFileClose() {
    RememberLastFile();
    if (m_doc.IsModified()) {
        switch (Prompts().MessageBox(IDS_ASK_SAVE_MODIFIED, EMsgIcon::exclamation,
                                     EMsgButtons::yesNoCancel)) {
        case EMsgAnswer::yes:
            m_doc.SetSaved(false);
            if (OnFileSave() == SAVE_CANCEL || !m_doc.IsSaved())
                return 0;
            break;
        case EMsgAnswer::no:
            m_doc.SetSaved(true);
            break;
        default:
            return 0;
        }
    }
    const bool bClosed = m_doc.IsSaved();
    m_bUnloaded = false;
    // The views drop their items whatever the outcome: the records are gone.
    m_doc.DropRecords();
    m_bOpen = false;
    if (!bClosed)
        return 0;
    SetPathName(CLOSED_PATH_NAME, false);
    return 1;
}

bool CFileSession::OnChangeKey() {
    if (HasFilePath() && IsReadOnlyFile(m_strPathName)) {
        ShowMessage(IDS_CHANGEKEY_READONLY);
        return false;
    }
    // A database's key is a password, a key file or both; its dialog
    // proposes the key file in use, which may be kept, replaced or removed.
    CDatabaseKey databaseKey;
    std::string strKeyFile;
    std::string strKey;
    bool bTyped = false;
    if (m_doc.IsDatabase()) {
        // As for a file's Change KEY, whoever changes the key shows first
        // that they know it.
        bTyped = AskCurrentDatabaseKey(EDatabaseKeyKind::current) &&
                 AskNewDatabaseKey(databaseKey, strKeyFile);
    } else {
        std::string strKeyValue = m_doc.Key().CheckValue();
        bTyped = Prompts().RunChangeKey(strKeyValue, strKey);
        CSecretBuffer::Wipe(strKeyValue);
    }
    if (!bTyped) {
        ShowMessage(IDS_KEY_NOT_CHANGED, true);
        return false;
    }
    const bool bWasSaved = m_doc.IsSaved();
    // A sealed file is sealed anew under the new KEY with a fresh salt; the
    // old KEY and its sealing stay at hand in case the save fails.
    CCofferDoc::SHeldKey oldKey = m_doc.IsDatabase()
                                      ? m_doc.ReplaceDatabaseKey(std::move(databaseKey))
                                      : m_doc.ReplaceKey(strKey);
    CSecretBuffer::Wipe(strKey);
    m_doc.SetSaved(false);
    OnFileSave();
    // A KEY that did not reach the file is not changed: keeping it in memory
    // would leave the file under the old KEY while the user learns the new.
    // The file is then as it was, and so is what the document knows of it.
    if (!m_doc.IsSaved()) {
        m_doc.RestoreKey(std::move(oldKey));
        m_doc.SetSaved(bWasSaved);
        ShowMessage(IDS_KEY_NOT_CHANGED, true);
        return false;
    }
    if (m_doc.IsDatabase()) {
        m_strDatabaseKeyFile = strKeyFile;
        m_keyFiles.Remember(m_strPathName, strKeyFile);
    }
    ShowMessage(IDS_KEY_CHANGED, true);
    return true;
}

bool CFileSession::AskNewDatabaseKey(CDatabaseKey& key, std::string& strKeyFile) {
    SDatabaseKey typed;
    typed.m_strKeyFile = m_doc.DatabaseKey().HasKeyFile() ? m_strDatabaseKeyFile : std::string();
    for (;;) {
        if (!Prompts().RunDatabaseKey(m_doc.FileName(), EDatabaseKeyKind::change, typed))
            return false;
        if (TakeDatabaseKey(typed, key)) {
            strKeyFile = typed.m_strKeyFile;
            return true;
        }
    }
}

bool CFileSession::AskCurrentDatabaseKey(EDatabaseKeyKind eKind) {
    SDatabaseKey typed;
    typed.m_strKeyFile = m_doc.DatabaseKey().HasKeyFile() ? m_strDatabaseKeyFile : std::string();
    for (;;) {
        if (!Prompts().RunDatabaseKey(m_doc.FileName(), eKind, typed))
            return false;
        CDatabaseKey key;
        if (!TakeDatabaseKey(typed, key))
            continue;
        if (key.IsSameKey(m_doc.DatabaseKey()))
            return true;
        ShowMessage(IDS_KEY_INVALID);
    }
}

bool CFileSession::CheckKeyToUnlock() {
    if (m_doc.IsDatabase())
        return AskCurrentDatabaseKey(EDatabaseKeyKind::unlock);
    // The file name is the file system's (UTF-8), as the document's own
    // Check Key at opening shows it.
    return Prompts().RunCheckKey(FormatText(IDS_KEY_PROMPT_FILE, m_doc.FileName()),
                                 m_doc.Key().CheckValue());
}

void CFileSession::OnContentChanged() {
    m_doc.SetModifiedFlag(true);
    if (m_options.m_bAutoSave)
        OnFileSave();
}

void CFileSession::OnOrderChanged() {
    m_doc.SetModifiedFlag(true);
}

bool CFileSession::IsCloseEnabled() const {
    return m_doc.HasKey();
}

bool CFileSession::IsSaveEnabled() const {
    return m_doc.IsModified();
}

bool CFileSession::IsSaveAsEnabled() const {
    return m_doc.HasKey();
}

bool CFileSession::IsChangeKeyEnabled() const {
    return m_doc.HasKey();
}

bool CFileSession::IsExportEnabled() const {
    return m_doc.HasKey();
}

bool CFileSession::IsPropertiesEnabled() const {
    return m_doc.IsLoaded();
}

bool CFileSession::QueryCommand(int nId, bool& bEnabled, bool& bChecked) const {
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
