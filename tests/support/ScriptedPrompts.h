// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/Prompts.h"
#include "core/store/FileProperties.h"

#include <deque>
#include <functional>
#include <string>
#include <thread>
#include <vector>

class CCodePage;
struct SKeyDlgOutcome;

// What a recorded prompt was.
enum class EPromptKind {
    message,
    openFile,
    saveFile,
    folder,
    createKey,
    checkKey,
    changeKey,
    print,
    fileProperty,
    options,
    databaseKey
};

struct SPromptMessage {
    std::string m_strText;
    EMsgIcon m_eIcon = EMsgIcon::none;
    EMsgButtons m_eButtons = EMsgButtons::ok;
    std::string m_strCaption;
    EMsgAnswer m_eAnswer = EMsgAnswer::ok;
};

// One prompt or dialog shown, in the order shown. m_strDetail is the message
// text, the file prompt's title, the folder chooser's title, Check Key's
// prompt label, or the Options dialog's start page. For the folder chooser,
// m_file holds its prompt text in m_strFilter and its start folder in
// m_strInitialName; for a database's key dialog m_strInitialName is the key
// file it proposed and m_eDatabaseKey why the key was asked.
struct SPromptCall {
    EPromptKind m_eKind = EPromptKind::message;
    std::string m_strDetail;
    SFilePrompt m_file;
    EDatabaseKeyKind m_eDatabaseKey = EDatabaseKeyKind::open;
};

// The prompt seam for tests: records every message and dialog, and plays back
// answers queued in the order the questions will come. A KEY dialog plays its
// queued typings through the dialogs' own OK rules, so a wrong KEY produces
// the dialog's real message and the dialog stays open for the next typing.
// Plain OK message boxes need no answer. Any other question that finds no
// matching answer at the head of the queue is a test failure: the fail
// handler runs (by default it prints the reason and aborts), and the question
// is then answered as a closed dialog would be (Cancel, or No for a Yes/No
// box), so that nothing ever blocks.
class CScriptedPrompts : public CPrompts {
public:
    CScriptedPrompts();
    ~CScriptedPrompts() override;

    // --- answers, in the order the questions come ---
    void AnswerMessage(EMsgAnswer eAnswer);
    void AnswerOpenFile(const std::string& strPath);
    void CancelOpenFile();
    void AnswerSaveFile(const std::string& strPath);
    void CancelSaveFile();
    void AnswerFolder(const std::string& strFolder);
    void CancelFolder();
    // One press of OK with these texts typed (UTF-8).
    void TypeCreateKey(const std::string& strNewKey, const std::string& strConfirmKey);
    void CancelCreateKey();
    void TypeCheckKey(const std::string& strTypedKey);
    void CancelCheckKey();
    void TypeChangeKey(const std::string& strOriginalKey, const std::string& strNewKey,
                       const std::string& strConfirmKey);
    void CancelChangeKey();
    // OK in the print dialog; fnSetUp chooses the printer, as the user would.
    void AnswerPrintDialog(std::function<void(CPrintDevice&)> fnSetUp = {});
    void CancelPrintDialog();
    // OK in the File Property dialog with Read-only ticked or not.
    void AnswerFileProperty(bool bReadOnly);
    void CancelFileProperty();
    // The Options dialog: fnUser changes the data as the user would in the
    // pages (it may press Apply by calling data.m_fnApply), then OK or Cancel.
    void AnswerOptions(std::function<void(SOptionsData&)> fnUser, bool bOk = true);
    // OK in a database's key dialog with this key.
    void AnswerDatabaseKey(const SDatabaseKey& key);
    void CancelDatabaseKey();

    // --- busy waits, in the order they come; a wait with nothing queued
    // runs its work to the end ---
    // Cancel pressed at once: the work starts on a thread of its own with
    // its token set, and the caller goes on without it, as in the program
    // (the thread is joined when the prompts go).
    void CancelBusy();
    // fnMeanwhile runs while the work waits, as the program's timers run in
    // a busy box's event loop (the idle lock); the work then runs to its
    // end, unless fnMeanwhile stopped it.
    void DuringBusy(std::function<void()> fnMeanwhile);

    // --- what was shown ---
    const std::vector<SPromptMessage>& Messages() const { return m_vecMessages; }
    const std::vector<SPromptCall>& Calls() const { return m_vecCalls; }
    std::vector<std::string> MessageTexts() const;
    // The page the last Options dialog opened on (-1: none opened).
    int OptionsStartPage() const { return m_nOptionsStartPage; }
    // What the last File Property dialog showed, as it was filled.
    const SFileProperties& ShownFileProperties() const { return m_shownProperties; }
    // Answers still queued, described one per line; "" when all were used.
    std::string UnusedAnswers() const;
    // Forgets what was shown (queued answers stay).
    void ClearRecord();

    // Called with a description of every question that had no answer.
    std::function<void(const std::string&)> m_fnFail;
    // The code page typed KEYs are converted to.
    const CCodePage* m_pCodePage;

    // --- CPrompts ---
    EMsgAnswer MessageBox(const std::string& strText, EMsgIcon eIcon,
                          EMsgButtons eButtons = EMsgButtons::ok,
                          const std::string& strCaption = PROMPT_CAPTION) override;
    bool PromptOpenFile(const SFilePrompt& prompt, std::string& strPath) override;
    bool PromptSaveFile(const SFilePrompt& prompt, std::string& strPath) override;
    bool ChooseFolder(const std::string& strTitle, const std::string& strPrompt,
                      const std::string& strInitial, std::string& strFolder) override;
    bool RunCreateKey(std::string& strKeyValue, std::string& strKey) override;
    bool RunCheckKey(const std::string& strPrompt, const std::string& strKeyValue) override;
    bool RunCheckKeyWith(const std::string& strPrompt, const CKeyAcceptor& fnAccept) override;
    bool RunChangeKey(std::string& strKeyValue, std::string& strKey) override;
    bool RunPrintDialog(CPrintDevice& device) override;
    bool RunFileProperty(SFileProperties& props) override;
    bool RunOptions(SOptionsData& data) override;
    bool RunDatabaseKey(const std::string& strFileName, EDatabaseKeyKind eKind,
                        SDatabaseKey& key) override;
    // Notes the text and kind, then plays the wait's script.
    EBusyEnd RunBusy(const std::string& strText, CBusyWork fnWork, EBusyKind eKind) override;
    bool IsLockStoppableWorkRunning() const override;
    void StopWorkForLock() override;

    // The texts and kinds of the busy waits, in order.
    std::vector<std::string> m_vecBusyTexts;
    std::vector<EBusyKind> m_vecBusyKinds;

private:
    struct SAnswer {
        EPromptKind m_eKind = EPromptKind::message;
        bool m_bCancel = false;
        EMsgAnswer m_eAnswer = EMsgAnswer::ok;
        std::string m_strText[3];
        bool m_bReadOnly = false;
        SDatabaseKey m_databaseKey;
        std::function<void(CPrintDevice&)> m_fnSetUp;
        std::function<void(SOptionsData&)> m_fnOptions;
    };

    void Queue(EPromptKind eKind, bool bCancel, std::string strText1 = {},
               std::string strText2 = {}, std::string strText3 = {});
    // Pops the next answer when it is of kind eKind; otherwise reports the
    // failure and returns false.
    bool Next(EPromptKind eKind, const std::string& strWhat, SAnswer& answer);
    bool FilePrompt(EPromptKind eKind, const SFilePrompt& prompt, std::string& strPath);
    // Plays queued Check Key typings through fnOk until one closes.
    bool PlayCheckKey(const std::string& strPrompt,
                      const std::function<SKeyDlgOutcome(const std::string&)>& fnOk);

    struct SBusyScript {
        bool m_bCancel = false;
        std::function<void()> m_fnMeanwhile;
    };
    struct SBusyWait {
        EBusyKind m_eKind;
        bool m_bStopped = false;
    };

    std::deque<SAnswer> m_queAnswers;
    std::deque<SBusyScript> m_queBusy;
    std::vector<SBusyWait> m_vecWaits; // innermost last
    std::vector<std::thread> m_vecAbandoned;
    std::vector<SPromptMessage> m_vecMessages;
    std::vector<SPromptCall> m_vecCalls;
    SFileProperties m_shownProperties;
    int m_nOptionsStartPage = -1;
};

const char* PromptKindName(EPromptKind eKind);
