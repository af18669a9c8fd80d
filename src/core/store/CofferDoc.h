// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/DocObserver.h"
#include "core/seal/SealedFile.h"
#include "core/seal/SecretBuffer.h"
#include "core/store/FileIO.h"
#include "core/store/FileStamp.h"
#include "core/store/MasterKey.h"
#include "core/store/PasswordInfo.h"
#include "core/store/PwdFormat.h"

#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <vector>

class CArchive;
class CDocObserver;
class CFileLock;
class CCodePage;
class CPrompts;
class CProfile;
class CRecentFileList;
struct SOptionsData;

// Results of the Save command.
inline constexpr int SAVE_DONE = 0;            // saved, or nothing to do outside the main window
inline constexpr int SAVE_READONLY_SAVEAS = 1; // read-only file, saved under another name
inline constexpr int SAVE_READONLY_NO = 2;     // read-only file, the user answered No
inline constexpr int SAVE_CANCEL = 3;

inline constexpr const char* DEFAULT_GROUP_NAME = "My Passwords";

// The document's file options, which the Options dialog shows.
struct SFileOptions {
    bool m_bBackup = true;
    bool m_bAddToRecent = true;
    bool m_bAutoSave = false;
    int m_nStartFile = 0;
    std::string m_strStartFile;
    std::string m_strBackupPath;
};

// Groups and accounts counted.
struct SRecordCounts {
    int m_nGroups = 0;
    int m_nAccounts = 0;
    int Total() const { return m_nGroups + m_nAccounts; }
};

// The open password file: its records in one ordered list, where a group
// header owns the accounts that follow it, and the header fields the file
// carries. All changes to the content go through the store operations.
//
// The document's life (new, open, KEY check, save, backup, close, change KEY)
// reaches the user only through the prompt seam. A document made without a
// settings store neither reads nor writes options. The record side (store
// operations, enciphering, reading and writing files) works alone; the life
// commands ask questions and need prompts (SetPrompts).
class CCofferDoc {
public:
    // Records are held by value; list nodes never move, so the tree and the
    // Password Bar may keep plain pointers to them.
    using CInfoList = std::list<CPasswordInfo>;

    // Reads the document options from pProfile (when given) and makes the
    // backup folder, strDefaultBackupFolder unless the user chose another;
    // the destructor writes them back.
    explicit CCofferDoc(CProfile* pProfile = nullptr, std::string strDefaultBackupFolder = {});
    virtual ~CCofferDoc();
    CCofferDoc(const CCofferDoc&) = delete;
    CCofferDoc& operator=(const CCofferDoc&) = delete;

    // --- the records ---
    // Read only: every change goes through an operation, which tells the
    // observer.
    const CInfoList& Records() const { return m_listInfo; }

    // --- store operations ---
    // Each change tells the observer what it did (SRecordNotice), so a view
    // follows it without reading the whole list again.
    CPasswordInfo* FindGroup(const std::string& strName);
    CPasswordInfo* AddGroup(const std::string& strName);
    void RenameGroup(const CPasswordInfo* pGroup, const std::string& strName);
    // Removes the group and every account up to the next group.
    void DeleteGroup(const CPasswordInfo* pGroup);
    // Copies the six account texts of texts into a new record placed right
    // after the group's header. None when the account name is empty or no
    // group has that name.
    CPasswordInfo* AddAccount(const std::string& strGroup, const CPasswordInfo& texts);
    // Gives pOld the six account texts of texts and places it right after
    // the header of strGroup, its own group or another; the record stays
    // where it is in memory. With an empty account name or an unknown group
    // the old account is deleted and none is returned.
    CPasswordInfo* ReplaceAccount(const CPasswordInfo* pOld, const std::string& strGroup,
                                  const CPasswordInfo& texts);
    // A new name for an account, kept where it is in the list.
    void RenameAccount(const CPasswordInfo* pAccount, const std::string& strName);
    void DeleteAccount(const CPasswordInfo* pAccount);
    // Places account (as an account) right after itAfter, or first in the
    // list for end(). Within a batch both take O(1), so an import of any size
    // stays linear; alone they look for the owning group to tell it.
    CInfoList::const_iterator InsertAccount(CInfoList::const_iterator itAfter,
                                            CPasswordInfo account);
    // Removes the account at it; a group is refused.
    void EraseAccount(CInfoList::const_iterator it);
    // A new account record with every field of source, placed right after
    // pGroup's header: a drop in the tree copies accounts this way, names
    // and all, before the list is reordered from the tree.
    CPasswordInfo* CopyAccount(const CPasswordInfo& source, const CPasswordInfo* pGroup);
    // Puts the records in the given order (the tree's pre-order), telling
    // nobody: what the tree shows does not change. Records of
    // the list that the caller left out keep their relative order at the end,
    // so nothing is ever lost; pointers not in the list are ignored.
    void RebuildOrder(const std::vector<const CPasswordInfo*>& order);
    int CountGroups() const;
    int CountAccounts() const;
    bool IsAccountNameFree(const std::string& strGroup, const std::string& strAccount,
                           const CPasswordInfo* pEditing) const;
    bool IsGroupNameFree(const std::string& strName) const;
    // The group header that owns pRecord (itself for a group), or none.
    CPasswordInfo* GroupOf(const CPasswordInfo* pRecord);

    // Holds the record notices from BeginChanges to the matching
    // EndChanges, and sends one reset instead when anything changed: a
    // change of thousands of records would otherwise re-sort a view once
    // per record. Batches nest; the outermost ends them.
    void BeginChanges();
    void EndChanges();
    // The records waiting for their KEY check, enciphered, as read from a
    // file.
    const CInfoList& StagedRecords() const { return m_listArchive; }
    SRecordCounts StagedCounts() const;

    // --- life of the content ---
    // Empties the document and restores the header defaults of a file that
    // is about to be read.
    virtual void DeleteContents();
    // A new untitled document: one group "My Passwords", empty header texts.
    virtual bool OnNewDocument();
    // The header of a file the user makes: the strong generator settings.
    void UseStrongGenerator();
    const SGeneratorHeader& GeneratorHeader() const { return m_header; }
    void SetGeneratorHeader(const SGeneratorHeader& header) { m_header = header; }
    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool bModified = true);

    // --- enciphering pipeline ---
    static std::string XorField(const std::string& strText, const std::string& strX);
    // Appends enciphered copies of the records to the staging list.
    void EncipherList();
    // Moves the staged records, deciphered, to the end of the records.
    void DecipherList();
    // Stores or loads the header and the staged records. Loading returns
    // false on malformed input.
    bool Serialize(CArchive& ar);

    // --- files ---
    // Empties the document and reads a file's header and enciphered records
    // into the staging list. A file of zero length is not parsed: the document
    // stays empty (no KEY). The KEY check and DecipherList are the caller's.
    EFileError ReadArchiveFile(const std::string& strPath, const CCodePage& codePage);
    // Enciphers the records and writes the file in one atomic step; sets
    // IsSaved() to the result. ePlainMode is how a ".pwd" is written.
    EFileError WriteArchiveFile(const std::string& strPath,
                                EWriteMode ePlainMode = EWriteMode::keepAttributes);
    // The file as the document last read or wrote it.
    const CFileStamp& DiskStamp() const { return m_diskStamp; }
    // The KEY: set by the user (SetKey) or read with the file.
    const CMasterKey& Key() const { return m_key; }
    bool HasKey() const { return m_key.IsSet(); }
    // A KEY the user chose: it seals the next save too, with a fresh salt.
    void SetKey(const std::string& strKey);

    // --- sealed (".khv") files ---
    // Reads a file in the format its extension names. A ".pwd" is read as
    // ReadArchiveFile does; of a ".khv" only the header is checked here, and
    // its records wait for AcceptKey and FinishSealedRead.
    EFileError ReadDocumentFile(const std::string& strPath, const CCodePage& codePage);
    // Whether the file read is sealed and waits for its KEY.
    bool IsSealPending() const { return m_bSealPending; }
    // Whether a typed KEY (code-page bytes) opens the file read: for a sealed
    // file one Argon2id run judged by the file's verifier, for a ".pwd" the
    // check value. An accepted KEY is kept to seal later saves.
    bool AcceptKey(const std::string& strKey);
    // Whether the last refusal of AcceptKey (or the last sealed write) came
    // from key derivation that could not get its memory: the KEY was never
    // judged, so it is no wrong KEY.
    bool KeyLackedMemory() const { return m_bKeyLackedMemory; }
    // Whether the user stopped the last key derivation (Cancel in its busy
    // box): neither a wrong KEY nor a failure to report.
    bool KeyDerivationCancelled() const { return m_bKeyCancelled; }
    // Opens the sealed records under the accepted KEY into the staging list;
    // badFormat (the document emptied) when any byte of the file changed.
    EFileError FinishSealedRead(const CCodePage& codePage);
    // The Argon2id cost of keys derived for sealing from now on.
    void SetSealParams(const SSealParams& params) { m_sealParams = params; }

    // --- the world around the document ---
    void SetPrompts(CPrompts* pPrompts);
    void SetRecentFileList(CRecentFileList* pRecentFileList) {
        m_pRecentFileList = pRecentFileList;
    }
    CRecentFileList* GetRecentFileList() const { return m_pRecentFileList; }
    void SetCodePage(const CCodePage* pCodePage);
    // The code page of the file's texts: the one set, or the default. Every
    // conversion of the document's texts for the screen uses it.
    const CCodePage& CodePage() const;
    // Receives the document's notices; none by default.
    void SetObserver(CDocObserver* pObserver);
    // Whether the main window is the visible interface; many commands do
    // nothing while the Password Bar or the tray stands in for it.
    void SetMainWindowShown(bool bShown) { m_bMainWindowShown = bShown; }
    // Tells the observer to show the document afresh (a file opened by the
    // frame at start-up).
    void InitialUpdate();

    // --- file commands ---
    // New: a KEY, then a name for the new file.
    void OnFileNew();
    // Open: the open prompt, then OpenDocumentFile. False when nothing opened.
    bool OnFileOpen();
    // Opens a file as the framework does: asks to save a modified document,
    // opens, gives the document its path name and rebuilds the views.
    bool OpenDocumentFile(const std::string& strPath);
    // Opens entry nIndex of the recent-file list; an entry whose file cannot
    // be read is removed from the list.
    bool OnOpenRecentFile(int nIndex);
    // The document's open: extension check, read, KEY check or the creation
    // of a KEY for a file without one. False only when the file could not be
    // read (or has the wrong extension); a cancelled KEY leaves IsOpen() false.
    virtual bool OnOpenDocument(const std::string& strPath);
    // The Save command; returns SAVE_DONE .. SAVE_CANCEL.
    int OnFileSave();
    // Save As: the save prompt, then the write. True when written.
    bool OnFileSaveAs();
    // Save As proposing the sealed format under the file's own name, as the
    // bar over an opened ".pwd" offers. True when written.
    bool OnConvertToSealed();
    // Close: 1 when the document was closed, 0 otherwise.
    int OnFileClose();
    void OnChangeKey();
    // The Recent menu's "&Add Here".
    void OnRecentAddHere() { m_options.m_bAddToRecent = !m_options.m_bAddToRecent; }
    // Writes the file at strPath, with the backup copy first; ePlainMode is
    // how a ".pwd" is written.
    virtual bool OnSaveDocument(const std::string& strPath,
                                EWriteMode ePlainMode = EWriteMode::keepAttributes);
    // The standard save: to the path name when that file exists and may be
    // written, else through the save prompt.
    bool DoFileSave();
    // Writes to strPath, or to a name from the save prompt when strPath is
    // empty; the path name follows a successful write.
    bool DoSave(const std::string& strPath);
    // The question before a modified document is replaced or the program
    // ends. False when the user cancels or the save fails.
    bool SaveModified();
    // The end the desktop asks for asks nothing: changes go to the file only
    // where a lock would save them. True when nothing is left unsaved.
    bool SaveWithoutQuestion();

    // After a change to the content: modified, and saved at once with auto-save.
    void OnContentChanged();
    // After the tree reordered the list: modified only.
    void OnOrderChanged() { SetModifiedFlag(true); }

    // --- locking ---
    // The program locks: an unmodified document lets go of its records, its
    // KEY check value and its sealing key, keeping only its path and what it
    // knows of the file, and the views are told to show nothing. Changes not
    // yet saved are saved first when auto-save is on and the file may be
    // written without a question; otherwise the document keeps them in
    // memory, since losing them is worse. True when the document let go.
    bool UnloadForLock();
    bool IsUnloaded() const { return m_bUnloaded; }
    // The way back for an unloaded document: reads its file again under the
    // KEY (a sealed file derives its key again). A file changed or gone in
    // the meantime is reported first, with the choice to take it as it is
    // now, to open another file, or to stay locked. True when the program
    // may unlock (a file open, or knowingly none); false to stay locked.
    bool ReloadAfterLock();
    // The way back for a document that kept its changes, once its KEY was
    // typed: a file changed or gone in the meantime is reported with the
    // choices of a save over a changed file.
    void CheckFileAfterLock();

    // --- path name ---
    // The framework's path-name step: a closed or refused file gets " ", and
    // a file enters the recent-file list only while it is open and the
    // option says so.
    void SetPathName(const std::string& strPath, bool bAddToMRU = true);
    const std::string& GetPathName() const { return m_strPathName; }
    // The file name of the path, or "NewPassword" while there is no file.
    std::string GetTitle() const;
    // Whether the path name names a file (not empty, not the closed " ").
    bool HasFilePath() const;

    // --- enabling of the file commands ---
    bool IsCloseEnabled() const { return HasKey(); }
    bool IsSaveEnabled() const { return m_bModified; }
    bool IsSaveAsEnabled() const { return HasKey(); }
    bool IsChangeKeyEnabled() const { return HasKey(); }
    bool IsExportEnabled() const { return HasKey(); }
    bool IsPropertiesEnabled() const { return m_bLoaded; }
    bool IsAddHereChecked() const { return m_options.m_bAddToRecent; }
    // The enable and check state of a document command; false for an id that
    // is not the document's.
    bool QueryCommand(int nId, bool& bEnabled, bool& bChecked) const;

    // --- options ---
    // Writes the options as the destructor does (the frame may call it at
    // an earlier orderly exit; writing twice is harmless).
    void WriteOptions();
    // The Options dialog's values that the document keeps (the start-up
    // file, saving and backups, the recent list's "Add Here").
    void GiveFileOptions(SOptionsData& options) const;
    void TakeFileOptions(const SOptionsData& options);
    const SFileOptions& FileOptions() const { return m_options; }
    void SetFileOptions(const SFileOptions& options) { m_options = options; }

    // --- what the document knows of its file ---
    // The name of the file last read or written, without its folder.
    const std::string& FileName() const { return m_strFileName; }
    // Whether a file was read or written (the Properties command).
    bool IsLoaded() const { return m_bLoaded; }
    // Whether the last save reached the file.
    bool IsSaved() const { return m_bSaved; }
    // Whether a file is open: its KEY accepted, or a new one.
    bool IsOpen() const { return m_bOpen; }
    // The next open takes the file without asking its KEY (a start at
    // logon); a sealed file asks all the same.
    void SetSkipKeyCheck(bool bSkip) { m_bSkipKeyCheck = bSkip; }
    bool IsSkippingKeyCheck() const { return m_bSkipKeyCheck; }

protected:
    CInfoList::iterator NodeOf(const CPasswordInfo* pRecord);
    CDocObserver& Observer() const;
    void Notify(SRecordNotice::EKind eKind, const CPasswordInfo* pRecord = nullptr,
                const CPasswordInfo* pGroup = nullptr, const CPasswordInfo* pFromGroup = nullptr);
    CPrompts& Prompts() const;
    void ShowMessage(const std::string& strText, bool bInformation = false) const;

private:
    void ReadOptions();
    // The header fields as the ".pwd" format stores them, and back.
    SPwdHeader PwdHeader() const;
    void TakePwdHeader(SPwdHeader&& header);
    // The Open dialog's question for a file to open; false when declined.
    bool PromptOpenPath(std::string& strPath);
    bool OpenAfterSaveModified(const std::string& strPath);
    void RememberLastFile();
    // Open of a sealed file once its header was read.
    bool OpenSealedFile(const std::string& strPath);
    // Check Key for the file read, judged by AcceptKey; false on Cancel.
    bool RunKeyCheck();
    // A file that cannot be opened: reported, and the document stays closed.
    bool RefuseFile(EFileError eError, const std::string& strPath);
    // Derives through the prompt seam's busy wait, so the window lives on
    // while Argon2id runs, and the user may cancel it; directly without
    // prompts.
    bool DeriveSealKey(CSealKey& key, std::string_view strKey, const SSealParams& params,
                       const CSealSalt& salt);
    // A sealed file whose header asks for an unusual cost is derived only
    // once the user said Yes.
    bool ConfirmSealCost(const std::string& strPath);
    // The sealing key for a save: the one in use, or one derived anew.
    const CSealKey* SealKeyForSave();
    void ForgetSealing();
    // Parses a file's bytes into the header and the staging list; a failed
    // allocation (a hostile count of records) is reported, never thrown.
    EFileError ParseArchive(std::string_view bytes, const CCodePage& codePage,
                            const std::string& strFileName);
    // Before writing over the file read: when another program changed it
    // since, the user chooses. False to save nothing; strPath is cleared when
    // the user chose another name.
    bool ConfirmOverwriteOfChange(std::string& strPath);
    // Takes the file's advisory lock for a save; false (reported) when
    // another program holds it past the brief wait.
    bool LockForSave(CFileLock& lock, const std::string& strPath);
    // Save As into the other format: a KEY never passes between ".pwd" and
    // ".khv", so the user chooses a new one (after agreeing to give up the
    // seal, for a ".pwd"). False to save nothing.
    bool AskKeyForOtherFormat(const std::string& strNewPath, std::string& strKey);
    // After a ".pwd" was saved as ".khv": the old file and its backup copy
    // still give everything away; removed only when the user says so.
    void OfferToRemoveOldPwd(const std::string& strOldPath);
    // Where the backup copy of the file named strFileName goes; "" without a
    // backup folder.
    std::string BackupPathOf(const std::string& strFileName) const;
    // The file without a KEY gets one; false when the user cancels.
    void GiveKeyToKeylessFile(const std::string& strPath);
    void AcceptKeyedFile();

    // A save made for the lock, which asks nothing: false when the file
    // cannot be written or another program changed it.
    bool SaveForLock();

    bool m_bModified = false;
    bool m_bUnloaded = false;
    std::string m_strPathName;
    CProfile* m_pProfile = nullptr;
    std::string m_strDefaultBackupFolder;
    CPrompts* m_pPrompts = nullptr;
    CDocObserver* m_pObserver = nullptr;
    bool m_bMainWindowShown = true;
    CRecentFileList* m_pRecentFileList = nullptr;
    const CCodePage* m_pCodePage = nullptr;

    SFileOptions m_options;
    CInfoList m_listInfo;
    // Records as the file stores them, enciphered, between a read and the
    // KEY check.
    CInfoList m_listArchive;
    CMasterKey m_key;
    std::string m_strFileName;
    SGeneratorHeader m_header;
    bool m_bLoaded = false;
    bool m_bSaved = false;
    bool m_bOpen = false;
    bool m_bSkipKeyCheck = false;
    // Open batches, and whether a record changed in them.
    int m_nBatchDepth = 0;
    bool m_bBatchChanged = false;

    SSealParams m_sealParams;
    std::unique_ptr<CSealKey> m_pSealKey;
    bool m_bKeyLackedMemory = false;
    bool m_bKeyCancelled = false;
    // A sealed file between its header check and its KEY.
    bool m_bSealPending = false;
    std::string m_strSealedBytes;
    SSealedHeader m_sealedHeader;
    CFileStamp m_diskStamp;
    // The next save prompt proposes the sealed format.
    bool m_bProposeSealed = false;
};

// The document's record changes for the life of the object, told as one.
class CChangeBatch {
public:
    explicit CChangeBatch(CCofferDoc& doc) : m_doc(doc) { m_doc.BeginChanges(); }
    ~CChangeBatch() { m_doc.EndChanges(); }
    CChangeBatch(const CChangeBatch&) = delete;
    CChangeBatch& operator=(const CChangeBatch&) = delete;

private:
    CCofferDoc& m_doc;
};
