// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/store/DatabaseKeyFiles.h"
#include "core/store/FileIO.h"
#include "core/store/FileLock.h"

#include <string>

class CCofferDoc;
class CDatabaseKey;
struct SDatabaseKey;
enum class EDatabaseKeyKind;
class CProfile;
class CPrompts;
class CRecentFileList;
struct SOptionsData;

// Results of the Save command.
inline constexpr int SAVE_DONE = 0;            // saved, or nothing to do outside the main window
inline constexpr int SAVE_READONLY_SAVEAS = 1; // read-only file, saved under another name
inline constexpr int SAVE_READONLY_NO = 2;     // read-only file, the user answered No
inline constexpr int SAVE_CANCEL = 3;

// The file options, which the Options dialog shows.
struct SFileOptions {
    bool m_bBackup = true;
    bool m_bAddToRecent = true;
    bool m_bAutoSave = false;
    int m_nStartFile = 0;
    std::string m_strStartFile;
    std::string m_strBackupPath;
};

// The interactive life of the document's file: new, open (the recent list
// too), save, Save As across the formats, close, Change KEY, the unload for
// the lock and the reload after it, the checks for a file changed on disk,
// the path name, the file options and the enabling of the file commands.
//
// The document holds the records and reads and writes them through the
// codecs; the session decides when, under which name, and asks the user
// through the prompt seam. A session made without a settings store neither
// reads nor writes options.
class CFileSession {
public:
    // Reads the file options from pProfile (when given) and makes the
    // backup folder, strDefaultBackupFolder unless the user chose another;
    // the destructor writes them back.
    explicit CFileSession(CCofferDoc& doc, CProfile* pProfile = nullptr,
                          std::string strDefaultBackupFolder = {});
    ~CFileSession();
    CFileSession(const CFileSession&) = delete;
    CFileSession& operator=(const CFileSession&) = delete;

    CCofferDoc& Doc() const { return m_doc; }

    // --- the world around the session ---
    // The prompts answer the session's questions and, for the document,
    // the busy wait of key derivation.
    void SetPrompts(CPrompts* pPrompts);
    void SetRecentFileList(CRecentFileList* pRecentFileList) {
        m_pRecentFileList = pRecentFileList;
    }
    CRecentFileList* GetRecentFileList() const { return m_pRecentFileList; }
    // Whether the main window is the visible interface; many commands do
    // nothing while the Password Bar or the tray stands in for it.
    void SetMainWindowShown(bool bShown) { m_bMainWindowShown = bShown; }
    // Nobody at a window answers (the command-line program): the open takes
    // a file of any name and never gives a KEY to a file without one (it
    // stays closed, for the caller to say why); a sealed file's cost is not
    // asked about; a save writes back only the file that was read, never
    // over a change another program made since, nor where the file went
    // away, and reports that instead of asking; a new file (the save
    // prompt's answer) is made only where no file is, and giving up the seal
    // for a ".pwd" is not asked about.
    void SetUnattended(bool bUnattended) { m_bUnattended = bUnattended; }
    // Holds the advisory lock of the file at strPath until the session ends,
    // so that the read and the write after it are one step for every other
    // copy of the program; a save to that file takes no lock of its own.
    EFileError HoldLock(const std::string& strPath);

    // --- file commands ---
    // An untitled document, no file yet: the document's defaults.
    void NewDocument();
    // New: a KEY, then a name for the new file.
    void OnFileNew();
    // Open: the open prompt, then OpenDocumentFile. False when nothing opened.
    bool OnFileOpen();
    // Opens a file as the framework does: asks to save a modified document,
    // opens, gives the session its path name and rebuilds the views.
    bool OpenDocumentFile(const std::string& strPath);
    // The same once nothing unsaved stands in the way (the start-up file, the
    // Password Bar's Open after its close): read and KEY, the path name, and
    // the views rebuilt. False when nothing opened.
    bool OpenReplacing(const std::string& strPath);
    // Opens entry nIndex of the recent-file list; an entry whose file cannot
    // be read is removed from the list.
    bool OnOpenRecentFile(int nIndex);
    // The open: extension check, read, KEY check or the creation of a KEY
    // for a file without one. False only when the file could not be read
    // (or has the wrong extension); a cancelled KEY leaves IsOpen() false.
    bool OnOpenDocument(const std::string& strPath);
    // The Save command; returns SAVE_DONE .. SAVE_CANCEL.
    int OnFileSave();
    // Save As: the save prompt, then the write. True when written.
    bool OnFileSaveAs();
    // Save As proposing the sealed format under the file's own name, as the
    // bar over an opened ".pwd" offers. True when written.
    bool OnConvertToSealed();
    // Close: 1 when the document was closed, 0 otherwise.
    int OnFileClose();
    // Change KEY: true once the new KEY reached the file.
    bool OnChangeKey();
    // The Recent menu's "&Add Here".
    void OnRecentAddHere() { m_options.m_bAddToRecent = !m_options.m_bAddToRecent; }
    // Writes the file at strPath, with the backup copy first; ePlainMode is
    // how a ".pwd" is written.
    bool OnSaveDocument(const std::string& strPath,
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
    void OnOrderChanged();

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
    // The way back for a document that kept its changes: its KEY is asked
    // (for a database its whole key, the key file it was opened with
    // proposed) until the one it holds is typed. False on Cancel.
    bool CheckKeyToUnlock();
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
    bool IsCloseEnabled() const;
    bool IsSaveEnabled() const;
    bool IsSaveAsEnabled() const;
    bool IsChangeKeyEnabled() const;
    bool IsExportEnabled() const;
    bool IsPropertiesEnabled() const;
    bool IsAddHereChecked() const { return m_options.m_bAddToRecent; }
    // The enable and check state of a file command; false for an id that
    // is not the session's.
    bool QueryCommand(int nId, bool& bEnabled, bool& bChecked) const;

    // --- options ---
    // Writes the options as the destructor does (the frame may call it at
    // an earlier orderly exit; writing twice is harmless).
    void WriteOptions();
    // The Options dialog's values that the session keeps (the start-up
    // file, saving and backups, the recent list's "Add Here").
    void GiveFileOptions(SOptionsData& options) const;
    void TakeFileOptions(const SOptionsData& options);
    const SFileOptions& FileOptions() const { return m_options; }
    void SetFileOptions(const SFileOptions& options) { m_options = options; }

    // Whether a file is open: its KEY accepted, or a new one.
    bool IsOpen() const { return m_bOpen; }
    // The next open takes the file without asking its KEY (a start at
    // logon); a sealed file asks all the same.
    void SetSkipKeyCheck(bool bSkip) { m_bSkipKeyCheck = bSkip; }
    bool IsSkippingKeyCheck() const { return m_bSkipKeyCheck; }

private:
    // A new file made empty to take its name before the write; removed
    // again unless the write landed in it.
    class CClaimedName {
    public:
        CClaimedName() = default;
        ~CClaimedName();
        CClaimedName(const CClaimedName&) = delete;
        CClaimedName& operator=(const CClaimedName&) = delete;
        void Take(std::string strPath) { m_strPath = std::move(strPath); }
        void Keep() { m_strPath.clear(); }

    private:
        std::string m_strPath;
    };

    // A KEY never passes between the formats: a ".pwd" gives its KEY away,
    // and a database's KEY is UTF-8 where a ".khv"'s is the code page's.
    enum class EFileKind { plain, sealed, database };
    EFileKind KindOf(const std::string& strPath) const;
    // Whether the program opens the file: its own formats, or a database.
    bool IsOpenedPath(const std::string& strPath) const;
    // Before a database is saved as a password file: what the file would
    // not keep, asked about (default No). True when nothing is lost or the
    // user agreed.
    bool ConfirmDatabaseLoss(const std::string& strNewPath);
    // Before a database read in an older version of its format is written
    // in the new one. True when the user agreed.
    bool ConfirmDatabaseUpgrade(const std::string& strPath);

    CPrompts& Prompts() const;
    void ShowMessage(const std::string& strText, bool bInformation = false) const;
    void ReadOptions();
    // The Open dialog's question for a file to open; false when declined.
    bool PromptOpenPath(std::string& strPath);
    void RememberLastFile();
    // Open of a sealed file once its header was read.
    bool OpenSealedFile(const std::string& strPath);
    // Open of a database once its bytes were read: the question about a
    // slow key derivation, then its key.
    bool OpenDatabaseFile(const std::string& strPath);
    // Whether the database's key derivation may run: a slow one once the
    // user said Yes (asked once for the file, not again at its unlock).
    bool ConfirmSlowDatabase(const std::string& strPath, bool& bAllowSlowKdf);
    // The database's key dialog, with the key file it was last opened with
    // proposed, until the key opens it; false on Cancel or when the file
    // cannot be opened whatever the key (reported).
    bool RunDatabaseKeyCheck(const std::string& strPath, bool bAllowSlowKdf);
    // Ends the open of a file read under the KEY the user just gave; when
    // none was given (a question declined, the KEY dialog cancelled),
    // nothing stays open.
    bool FinishKeyedOpen(const std::string& strPath, bool bKeyGiven);
    // The key typed in a database's key dialog, with its key file read;
    // false (reported) when the key file could not be read.
    bool TakeDatabaseKey(SDatabaseKey& typed, CDatabaseKey& key);
    // Change KEY of a database: a new password, key file or both, with
    // the key file in use proposed; false on Cancel.
    bool AskNewDatabaseKey(CDatabaseKey& key, std::string& strKeyFile);
    // The key the open database has, asked in the dialog of eKind with its
    // key file proposed until it is typed (a wrong one is refused); false on
    // Cancel.
    bool AskCurrentDatabaseKey(EDatabaseKeyKind eKind);
    // Check Key for the file at strPath, judged by the document's AcceptKey;
    // false on Cancel.
    bool RunKeyCheck(const std::string& strPath);
    // A file that cannot be opened: reported, and the document stays closed.
    bool RefuseFile(EFileError eError, const std::string& strPath);
    // A sealed file whose header asks for an unusual cost is derived only
    // once the user said Yes.
    bool ConfirmSealCost(const std::string& strPath);
    // The KEY was accepted: the records are deciphered and the file open.
    void AcceptKeyedFile();
    // Before writing over the file read: when another program changed it
    // since, the user chooses. False to save nothing; strPath is cleared when
    // the user chose another name.
    bool ConfirmOverwriteOfChange(std::string& strPath);
    // A name nobody at a window chose is taken only while no file has it
    // (made empty, private and locked), so that a file another program made
    // meanwhile is never replaced. False (reported) otherwise.
    bool ClaimNewFile(CFileLock& lock, const std::string& strPath, CClaimedName& claim);
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
    // The file without a KEY gets one; the document is closed when the user
    // cancels.
    void GiveKeyToKeylessFile(const std::string& strPath);
    // A save made for the lock, which asks nothing: false when the file
    // cannot be written or another program changed it.
    bool SaveForLock();

    CCofferDoc& m_doc;
    CProfile* m_pProfile = nullptr;
    std::string m_strDefaultBackupFolder;
    CPrompts* m_pPrompts = nullptr;
    CRecentFileList* m_pRecentFileList = nullptr;
    SFileOptions m_options;
    std::string m_strPathName;
    bool m_bUnloaded = false;
    bool m_bMainWindowShown = true;
    bool m_bOpen = false;
    bool m_bSkipKeyCheck = false;
    bool m_bUnattended = false;
    CFileLock m_heldLock;
    std::string m_strHeldLockPath;
    // The next save prompt proposes the sealed format.
    bool m_bProposeSealed = false;
    CDatabaseKeyFiles m_keyFiles;
    // The key file of the open database ("" for none), and the database
    // whose slow key derivation the user allowed.
    std::string m_strDatabaseKeyFile;
    std::string m_strSlowKdfAllowed;
};
