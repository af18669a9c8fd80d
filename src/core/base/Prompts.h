// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/CancelToken.h"
#include "core/base/Translation.h"

#include <functional>
#include <string>

class CPrintDevice;
struct SFileProperties;
struct SOptionsData;

// Every modal question that the program's logic asks goes through CPrompts:
// the desktop program answers with real dialogs, tests with a scripted fake,
// so no logic ever opens a window itself.
//
// Texts crossing the seam (messages, captions, titles, paths) are UTF-8.
// Stored texts are code-page bytes: convert them with CCodePage::ToUtf8
// before putting them in a message.

inline constexpr const char* PROMPT_CAPTION = KH_TEXT("Keyhaven", "Keyhaven");
inline constexpr const char* PWD_FILTER = KH_TEXT("Keyhaven", "Keyhaven files (*.pwd)");
inline constexpr const char* PWD_EXTENSION = ".pwd";
// The protected format: the same records sealed under the KEY.
inline constexpr const char* KHV_FILTER = KH_TEXT("Keyhaven", "Protected Keyhaven files (*.khv)");
inline constexpr const char* KHV_EXTENSION = ".khv";
// Open offers both formats at once; the save prompt offers each, the sealed
// one first, and says what each protects; the chosen one gives the
// extension. Filters are separated by ";;".
inline constexpr const char* OPEN_FILTER = KH_TEXT("Keyhaven", "Keyhaven files (*.pwd *.khv)");
inline constexpr const char* SAVE_FILTERS = KH_TEXT(
    "Keyhaven", "Protected Keyhaven files, unreadable without the KEY (*.khv);;"
                "Keyhaven files, anyone who has one can read it and recover its KEY (*.pwd)");
// Where the program opens KeePass databases beside its own files.
inline constexpr const char* KDBX_EXTENSION = ".kdbx";
inline constexpr const char* OPEN_FILTER_KDBX =
    KH_TEXT("Keyhaven", "Password files and KeePass databases (*.kdbx *.pwd *.khv)");
inline constexpr const char* SAVE_FILTERS_KDBX = KH_TEXT(
    "Keyhaven", "KeePass databases, unreadable without the KEY, kept whole and opened by other "
                "password managers (*.kdbx);;"
                "Protected Keyhaven files, unreadable without the KEY (*.khv);;"
                "Keyhaven files, anyone who has one can read it and recover its KEY (*.pwd)");

// What a Check Key learns of a typed KEY: accepted, wrong, or not judged at
// all (key derivation could not get its memory), which is no wrong KEY: the
// dialog shows why and keeps what was typed.
struct SKeyVerdict {
    // NOLINTNEXTLINE(google-explicit-constructor): acceptors answer yes or no
    SKeyVerdict(bool bAccepted) : m_bAccepted(bAccepted) {}
    static SKeyVerdict NotJudged(std::string strWhy) {
        SKeyVerdict verdict(false);
        verdict.m_strNotJudged = std::move(strWhy);
        return verdict;
    }
    // The user stopped the judging (Cancel while the key was derived): the
    // dialog stays as it was, with nothing to say.
    static SKeyVerdict Cancelled() {
        SKeyVerdict verdict(false);
        verdict.m_bCancelled = true;
        return verdict;
    }

    bool m_bAccepted;
    std::string m_strNotJudged; // the message when the KEY was not judged
    bool m_bCancelled = false;
};

// Whether a typed KEY (code-page bytes) opens what a Check Key guards.
using CKeyAcceptor = std::function<SKeyVerdict(const std::string& strKey)>;

// The key of another manager's database, as its dialog gives it: a password
// (UTF-8) or none at all, which is not the same as an empty one, and the
// path of a key file ("" for none).
struct SDatabaseKey {
    std::string m_strPassword;
    bool m_bNoPassword = false;
    std::string m_strKeyFile;
};
// Why a database's key is asked, which its dialog's title tells.
enum class EDatabaseKeyKind {
    open,    // the key that opens a database, or reads one for an import
    create,  // the key of a new database (an export)
    current, // the key the open database has, asked before Change KEY
    unlock,  // the key the open database has, asked to unlock the program
    change   // the new key Change KEY gives the open database
};
// Whether the dialog of eKind asks a new key, whose password is typed twice.
constexpr bool IsNewDatabaseKey(EDatabaseKeyKind eKind) {
    return eKind == EDatabaseKeyKind::create || eKind == EDatabaseKeyKind::change;
}
// The title of the key dialog of eKind.
constexpr const char* DatabaseKeyTitle(EDatabaseKeyKind eKind) {
    switch (eKind) {
    case EDatabaseKeyKind::create:
        return KH_TEXT("Keyhaven", "New KeePass Database");
    case EDatabaseKeyKind::current:
        return KH_TEXT("Keyhaven", "Change Key: Current Database Key");
    case EDatabaseKeyKind::unlock:
        return KH_TEXT("Keyhaven", "Unlock KeePass Database");
    case EDatabaseKeyKind::change:
        return KH_TEXT("Keyhaven", "Change Key: New Database Key");
    case EDatabaseKeyKind::open:
        break;
    }
    return KH_TEXT("Keyhaven", "Open KeePass Database");
}
inline constexpr const char* DATABASE_KEY_FILE_TITLE = KH_TEXT("Keyhaven", "Select a key file");
inline constexpr const char* DATABASE_KEY_FILE_FILTERS =
    KH_TEXT("Keyhaven", "Key files (*.keyx *.key);;All files (*)");

// Long work the user waits for (RunBusy), by how it may be stopped.
enum class EBusyKind {
    // No Cancel; the program waits for its end even when it is ending. For
    // work of a few seconds at most, which may use the caller's data.
    waited,
    // Cancel stops waiting for it. The work is told through its token, and
    // when it cannot stop at once it is left to end on its own thread with
    // its result unread: it must own all it uses (copies, shared pointers,
    // never the caller's stack) and wipe its own secrets.
    cancellable,
    // As cancellable, and a lock stops it too: work whose result only an
    // unlocked program may take (an import into the document).
    stoppedByLock
};

// How the wait for busy work ended.
enum class EBusyEnd {
    done,       // the work ran to its end
    cancelled,  // the user pressed Cancel
    interrupted // the program locked or is ending
};

// The work RunBusy runs on another thread; it returns early once the token
// is set.
using CBusyWork = std::function<void(const CCancelToken& token)>;

enum class EMsgIcon { none, exclamation, information, question, stop };
// yesNoDefaultNo is a Yes/No question whose default button (Enter) is No:
// for questions whose Yes costs the user something.
enum class EMsgButtons { ok, okCancel, yesNo, yesNoCancel, yesNoDefaultNo };
enum class EMsgAnswer { ok, cancel, yes, no };

// A file name prompt. The filter is "Name (*.ext)", or several joined by
// ";;"; an answer whose last component has no extension receives
// m_strDefaultExt, or the extension of the filter the user chose.
struct SFilePrompt {
    std::string m_strTitle;
    std::string m_strFilter = PWD_FILTER;
    std::string m_strDefaultExt = PWD_EXTENSION;
    // Proposed name: a bare file name or a full path.
    std::string m_strInitialName;
    // Save prompts ask before an existing file is replaced.
    bool m_bConfirmOverwrite = true;
};

class CPrompts {
public:
    virtual ~CPrompts() = default;

    // A message box; the answer is the button pressed (ok for a plain OK box,
    // cancel when the box is closed without a choice).
    virtual EMsgAnswer MessageBox(const std::string& strText, EMsgIcon eIcon,
                                  EMsgButtons eButtons = EMsgButtons::ok,
                                  const std::string& strCaption = PROMPT_CAPTION) = 0;

    // File prompts: true with a full path in strPath, false on cancel.
    virtual bool PromptOpenFile(const SFilePrompt& prompt, std::string& strPath) = 0;
    virtual bool PromptSaveFile(const SFilePrompt& prompt, std::string& strPath) = 0;

    // A folder chooser titled strTitle, showing strPrompt, starting at
    // strInitial (may be empty or missing): true with an absolute folder
    // path in strFolder, false on cancel. A typed folder that does not exist
    // is created, after asking, before the chooser accepts it.
    virtual bool ChooseFolder(const std::string& strTitle, const std::string& strPrompt,
                              const std::string& strInitial, std::string& strFolder) = 0;

    // The three KEY dialogs as the document sees them. Each stays open until
    // its OK rule accepts the typed texts or the user cancels.
    //
    // Create KEY: on OK, strKeyValue receives the check value of the new KEY.
    // strKey receives the KEY itself (code-page bytes), which a sealed file
    // needs; the caller wipes it.
    virtual bool RunCreateKey(std::string& strKeyValue, std::string& strKey) = 0;
    // Check Key: strPrompt is the label ("KEY for:  " + file name); true once
    // a KEY whose check value equals strKeyValue has been typed.
    virtual bool RunCheckKey(const std::string& strPrompt, const std::string& strKeyValue) = 0;
    // Check Key judged by fnAccept, which receives each typed KEY as
    // code-page bytes: a sealed file derives its key from it. True once
    // fnAccept took one.
    virtual bool RunCheckKeyWith(const std::string& strPrompt, const CKeyAcceptor& fnAccept) = 0;
    // Change Key: strKeyValue holds the stored check value; on OK it receives
    // the check value of the new KEY. On cancel it is left as it was.
    // strKey receives the new KEY itself, as for Create KEY.
    virtual bool RunChangeKey(std::string& strKeyValue, std::string& strKey) = 0;

    // The print dialog: the user picks a printer (or a file) and its paper,
    // and the choice is set up on device. False on cancel.
    virtual bool RunPrintDialog(CPrintDevice& device) = 0;
    // The File Property dialog: shows props; on OK true, with the check
    // boxes' states in props. On cancel props is left as it was.
    virtual bool RunFileProperty(SFileProperties& props) = 0;
    // The Options dialog on the page data.m_nStartPage: true on OK, with the
    // pages' values in data. Apply calls data.m_fnApply while it stays open.
    virtual bool RunOptions(SOptionsData& data) = 0;

    // The key of the database strFileName: its password and key file, the
    // password typed twice for a new key (IsNewDatabaseKey(eKind)). The key
    // file key holds on entry is the one proposed. False on cancel; a seam
    // without such a dialog has nothing to answer with.
    virtual bool RunDatabaseKey(const std::string& strFileName, EDatabaseKeyKind eKind,
                                SDatabaseKey& key) {
        (void)strFileName;
        (void)eKind;
        (void)key;
        return false;
    }

    // Long work the user waits for (deriving a key, reading a database):
    // the program runs fnWork on another thread and shows strText with a
    // busy indicator, and Cancel unless the work is waited, while its windows
    // go on repainting. It returns once the work has ended, or at once when
    // it was cancelled or interrupted (see EBusyKind for what the work may
    // then use). fnWork touches no window. Without a desktop it just runs.
    virtual EBusyEnd RunBusy(const std::string& strText, CBusyWork fnWork, EBusyKind eKind) {
        (void)strText;
        (void)eKind;
        const CCancelToken never;
        fnWork(never);
        return EBusyEnd::done;
    }
    // Whether work that a lock stops is running now. Its busy box does not
    // hold a lock back as other modal windows do.
    virtual bool IsLockStoppableWorkRunning() const { return false; }
    // The program locks: such work is stopped, and its RunBusy returns
    // interrupted once the caller's event loop turns again, even when the
    // work ended meanwhile.
    virtual void StopWorkForLock() {}
};
