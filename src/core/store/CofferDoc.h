// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/DocObserver.h"
#include "core/base/Prompts.h"
#include "core/seal/SealedFile.h"
#include "core/seal/SecretBuffer.h"
#include "core/store/FileIO.h"
#include "core/store/FileStamp.h"
#include "core/store/MasterKey.h"
#include "core/store/PasswordInfo.h"
#include "core/store/PwdFormat.h"
#include "core/store/RecordDatabase.h"

#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <vector>

class CArchive;
class CDocObserver;
class CCodePage;
class CPrompts;

inline constexpr const char* DEFAULT_GROUP_NAME = "My Passwords";

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
// The document reads and writes its file through the codecs and asks
// nobody; when and under which name is the file session's (CFileSession),
// which asks the user. Prompts given to the document serve only the busy
// wait while a sealing key is derived.
class CCofferDoc {
public:
    // Records are held by value; list nodes never move, so the tree and the
    // Password Bar may keep plain pointers to them.
    using CInfoList = std::list<CPasswordInfo>;

    CCofferDoc() = default;
    ~CCofferDoc() = default;
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
    // A database's groups inside it are renamed with it.
    void RenameGroup(const CPasswordInfo* pGroup, const std::string& strName);
    // Removes the group and every account up to the next group; in a
    // database, the groups inside it and their accounts too.
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
    void DeleteContents();
    // A new untitled document: one group "My Passwords", empty header texts.
    bool OnNewDocument();
    // Empties the document and tells the views to drop their items.
    void DropRecords();
    // The records of a file read without a KEY, deciphered and placed behind
    // a new group "My Passwords", to be written under the KEY the user
    // gives; the file as read is forgotten.
    void AdoptKeylessRecords();
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
    // The KEY and its sealing, held aside while a new KEY is tried: a save
    // that fails gives the old one back, since the file is still under it.
    struct SHeldKey {
        CMasterKey m_key;
        std::unique_ptr<CSealKey> m_pSealKey;
        CDatabaseKey m_databaseKey;
    };
    SHeldKey ReplaceKey(const std::string& strKey);
    void RestoreKey(SHeldKey&& held);
    // Whether the KEY itself, or a sealing key from it, is at hand: a
    // sealed save needs one, and a start at logon skips typing it.
    bool KnowsKey() const { return m_pSealKey || m_key.HasSecret(); }

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
    // The Argon2id cost the sealed file read asks for.
    const SSealParams& PendingSealParams() const { return m_sealedHeader.m_params; }
    // The Argon2id cost of keys derived for sealing from now on.
    void SetSealParams(const SSealParams& params) { m_sealParams = params; }

    // --- database files (a KeePass database) ---
    // The format the program opens as a database beside its own files; none
    // by default (keyhaven-cli works on databases its own way).
    void SetDatabaseFormat(const CDatabaseFormat* pFormat) { m_pDatabaseFormat = pFormat; }
    bool IsDatabasePath(const std::string& strPath) const;
    // Whether the records are a database's: their texts are UTF-8, and a
    // save writes the database with only what they changed.
    bool IsDatabase() const { return m_bDatabase; }
    // Why AcceptKey last refused a database for another reason than a wrong
    // KEY (a damaged file); empty otherwise. AcceptDatabaseKey leaves the
    // wrong key's message here too.
    const std::string& DatabaseRefusal() const { return m_strDatabaseRefusal; }
    // The question to ask before the database read waits for its key, when
    // its key derivation may take minutes; "" otherwise.
    std::string DatabaseOpenQuestion(const std::string& strPath) const;
    // Opens the database read under its full key, through the busy wait; a
    // key derivation that may take minutes runs only with bAllowSlowKdf.
    // Cancelled leaves KeyDerivationCancelled set.
    CDatabaseFormat::EOpen AcceptDatabaseKey(const CDatabaseKey& key, bool bAllowSlowKdf);
    // Reads a key file for the database format: "" when read into key,
    // else the message for the user.
    std::string ReadDatabaseKeyFile(const std::string& strPath, CDatabaseKey& key) const;
    // The key the database is written under: the one it was opened with or
    // given; not set while the document knows only a KEY typed as text.
    const CDatabaseKey& DatabaseKey() const { return m_databaseKey; }
    // A new key for the database (Change KEY), held aside as ReplaceKey does.
    SHeldKey ReplaceDatabaseKey(CDatabaseKey key);
    // What a password file of the document's code page would not keep of
    // the database, in plain words; empty when it keeps everything.
    std::string DatabaseLossText();
    // A field of the database's entry that the record stands for (custom
    // fields too), as last read or saved; nothing outside a database.
    std::optional<std::string> DatabaseField(const CPasswordInfo& record,
                                             std::string_view strKey) const {
        return m_pDatabase ? m_pDatabase->FieldOf(record, strKey) : std::nullopt;
    }
    // When the database's entry that the record stands for expires (Unix
    // seconds); nothing when it never does or outside a database.
    std::optional<std::int64_t> DatabaseExpiry(const CPasswordInfo& record) const {
        return m_pDatabase ? m_pDatabase->ExpiryOf(record) : std::nullopt;
    }
    std::vector<SRecordField> DatabaseCustomFields(const CPasswordInfo& record) const {
        return m_pDatabase ? m_pDatabase->CustomFieldsOf(record) : std::vector<SRecordField>();
    }
    // What the record's account holds beyond its six texts, and the earlier
    // versions of its entry (oldest first); nothing outside a database.
    SRecordExtras DatabaseExtras(const CPasswordInfo& record) const {
        return m_pDatabase ? m_pDatabase->ExtrasOf(record) : SRecordExtras();
    }
    std::vector<SRecordVersion> DatabaseHistory(const CPasswordInfo& record) const {
        return m_pDatabase ? m_pDatabase->HistoryOf(record) : std::vector<SRecordVersion>();
    }
    // Keeps what the account is to hold beyond its texts until the next
    // save; true when that differs from what it held. Nothing outside a
    // database or for a record the document does not hold.
    bool SetDatabaseExtras(const CPasswordInfo* pAccount, SRecordExtras extras);
    // Whether the database was read in an older version of its format (a
    // KDBX 3.1), which a save replaces.
    bool IsDatabaseOfOlderFormat() const { return m_pDatabase && m_pDatabase->IsOlderFormat(); }
    // The database's records and the database itself, held aside while the
    // document shows what a password file keeps of them (Save As into one):
    // a save that fails gives them back.
    struct SHeldDatabase {
        SHeldDatabase() = default;
        SHeldDatabase(SHeldDatabase&&) noexcept = default;
        SHeldDatabase& operator=(SHeldDatabase&&) noexcept = default;
        ~SHeldDatabase(); // wipes the texts held
        CInfoList m_records;
        std::unique_ptr<CRecordDatabase> m_pDatabase;
    };
    SHeldDatabase LeaveDatabase();
    void ReturnToDatabase(SHeldDatabase&& held);

    // --- the world around the document ---
    // The busy wait of key derivation; without prompts it runs directly.
    void SetPrompts(CPrompts* pPrompts);
    void SetCodePage(const CCodePage* pCodePage);
    // The code page of the file's texts: the one set, or the default. Every
    // conversion of the document's texts for the screen uses it.
    const CCodePage& CodePage() const;
    // Receives the document's notices; none by default.
    void SetObserver(CDocObserver* pObserver);
    // Tells the observer to show the document afresh (a file opened by the
    // frame at start-up).
    void InitialUpdate();
    // The one observer (or nobody): the file session tells it too.
    CDocObserver& Observer() const;

    // --- what the document knows of its file ---
    // The name of the file last read or written, without its folder.
    const std::string& FileName() const { return m_strFileName; }
    // Whether a file was read or written (the Properties command).
    bool IsLoaded() const { return m_bLoaded; }
    // Whether the last save reached the file; the session sets it when the
    // user settles the question otherwise (a close without saving, a KEY
    // check that passed).
    bool IsSaved() const { return m_bSaved; }
    void SetSaved(bool bSaved) { m_bSaved = bSaved; }

protected:
    CInfoList::iterator NodeOf(const CPasswordInfo* pRecord);
    void DeleteOneGroup(CInfoList::iterator it);
    void Notify(SRecordNotice::EKind eKind, const CPasswordInfo* pRecord = nullptr,
                const CPasswordInfo* pGroup = nullptr, const CPasswordInfo* pFromGroup = nullptr);

private:
    // The first group of a new document.
    void PutDefaultGroupFirst();
    // The header fields as the ".pwd" format stores them, and back.
    SPwdHeader PwdHeader() const;
    void TakePwdHeader(SPwdHeader&& header);
    // Derives through the prompt seam's busy wait, so the window lives on
    // while Argon2id runs, and the user may cancel it; directly without
    // prompts.
    bool DeriveSealKey(CSealKey& key, std::string_view strKey, const SSealParams& params,
                       const CSealSalt& salt);
    // Runs work of the KEY (a derivation, a database's opening) through the
    // busy wait, or directly without prompts. False when the user cancelled
    // it (KeyDerivationCancelled).
    bool RunKeyWork(const CBusyWork& fnWork);
    // The sealing key for a save: the one in use, or one derived anew.
    const CSealKey* SealKeyForSave();
    void ForgetSealing();
    // Parses a file's bytes into the header and the staging list; a failed
    // allocation (a hostile count of records) is reported, never thrown.
    EFileError ParseArchive(std::string_view bytes, const CCodePage& codePage,
                            const std::string& strFileName);
    // Empties the document and reads the file whole, keeping its stamp.
    EFileError ReadFileAfresh(const std::string& strPath, std::string& strBytes);
    // A database file's bytes, waiting for AcceptKey.
    EFileError ReadDatabaseFile(const std::string& strPath);
    // The database's records after AcceptKey opened it.
    EFileError FinishDatabaseRead();
    // Writes the records as the database, made first when the document
    // holds none (a password file saved as a database: its texts become
    // UTF-8, and so does its KEY).
    EFileError WriteDatabaseFile(const std::string& strPath);
    void MakeTextsUtf8();
    // The code page of the password files the document writes.
    const CCodePage& PasswordFileCodePage() const;

    bool m_bModified = false;
    CPrompts* m_pPrompts = nullptr;
    CDocObserver* m_pObserver = nullptr;
    const CCodePage* m_pCodePage = nullptr;

    CInfoList m_listInfo;
    // Records as the file stores them, enciphered, between a read and the
    // KEY check.
    CInfoList m_listArchive;
    CMasterKey m_key;
    std::string m_strFileName;
    SGeneratorHeader m_header;
    bool m_bLoaded = false;
    bool m_bSaved = false;
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

    const CDatabaseFormat* m_pDatabaseFormat = nullptr;
    bool m_bDatabase = false;
    // A database between its read and its KEY: shared with the opening,
    // which runs on as long as it must after a Cancel.
    std::shared_ptr<const std::string> m_pDatabaseBytes;
    std::unique_ptr<CRecordDatabase> m_pDatabase;
    std::string m_strDatabaseRefusal;
    // The database's full key, wiped with the KEY.
    CDatabaseKey m_databaseKey;
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
