// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/ScriptedPrompts.h"

#include "core/base/OptionsData.h"
#include "core/store/CodePage.h"
#include "core/store/KeyDialogRules.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const char* AnswerName(EMsgAnswer eAnswer) {
    switch (eAnswer) {
    case EMsgAnswer::ok:
        return "OK";
    case EMsgAnswer::cancel:
        return "Cancel";
    case EMsgAnswer::yes:
        return "Yes";
    case EMsgAnswer::no:
        return "No";
    }
    return "?";
}

bool IsAnswerOffered(EMsgButtons eButtons, EMsgAnswer eAnswer) {
    switch (eButtons) {
    case EMsgButtons::ok:
        return eAnswer == EMsgAnswer::ok;
    case EMsgButtons::okCancel:
        return eAnswer == EMsgAnswer::ok || eAnswer == EMsgAnswer::cancel;
    case EMsgButtons::yesNo:
    case EMsgButtons::yesNoDefaultNo:
        return eAnswer == EMsgAnswer::yes || eAnswer == EMsgAnswer::no;
    case EMsgButtons::yesNoCancel:
        return eAnswer != EMsgAnswer::ok;
    }
    return false;
}

void AbortOnUnscripted(const std::string& strWhy) {
    std::fprintf(stderr, "Unscripted prompt: %s\n", strWhy.c_str());
    std::abort();
}

} // namespace

const char* PromptKindName(EPromptKind eKind) {
    switch (eKind) {
    case EPromptKind::message:
        return "message box";
    case EPromptKind::openFile:
        return "open file prompt";
    case EPromptKind::saveFile:
        return "save file prompt";
    case EPromptKind::folder:
        return "folder chooser";
    case EPromptKind::createKey:
        return "Create KEY dialog";
    case EPromptKind::checkKey:
        return "Check Key dialog";
    case EPromptKind::changeKey:
        return "Change Key dialog";
    case EPromptKind::print:
        return "print dialog";
    case EPromptKind::fileProperty:
        return "File Property dialog";
    case EPromptKind::options:
        return "Options dialog";
    case EPromptKind::databaseKey:
        return "database key dialog";
    }
    return "?";
}

CScriptedPrompts::CScriptedPrompts()
    : m_fnFail(AbortOnUnscripted), m_pCodePage(&CCodePage::Default()) {}

CScriptedPrompts::~CScriptedPrompts() {
    for (std::thread& worker : m_vecAbandoned)
        worker.join();
}

void CScriptedPrompts::Queue(EPromptKind eKind, bool bCancel, std::string strText1,
                             std::string strText2, std::string strText3) {
    SAnswer& answer = m_queAnswers.emplace_back();
    answer.m_eKind = eKind;
    answer.m_bCancel = bCancel;
    answer.m_strText[0] = std::move(strText1);
    answer.m_strText[1] = std::move(strText2);
    answer.m_strText[2] = std::move(strText3);
}

void CScriptedPrompts::AnswerMessage(EMsgAnswer eAnswer) {
    Queue(EPromptKind::message, eAnswer == EMsgAnswer::cancel);
    m_queAnswers.back().m_eAnswer = eAnswer;
}

void CScriptedPrompts::AnswerOpenFile(const std::string& strPath) {
    Queue(EPromptKind::openFile, false, strPath);
}

void CScriptedPrompts::CancelOpenFile() {
    Queue(EPromptKind::openFile, true);
}

void CScriptedPrompts::AnswerSaveFile(const std::string& strPath) {
    Queue(EPromptKind::saveFile, false, strPath);
}

void CScriptedPrompts::CancelSaveFile() {
    Queue(EPromptKind::saveFile, true);
}

void CScriptedPrompts::AnswerFolder(const std::string& strFolder) {
    Queue(EPromptKind::folder, false, strFolder);
}

void CScriptedPrompts::CancelFolder() {
    Queue(EPromptKind::folder, true);
}

void CScriptedPrompts::TypeCreateKey(const std::string& strNewKey,
                                     const std::string& strConfirmKey) {
    Queue(EPromptKind::createKey, false, strNewKey, strConfirmKey);
}

void CScriptedPrompts::CancelCreateKey() {
    Queue(EPromptKind::createKey, true);
}

void CScriptedPrompts::TypeCheckKey(const std::string& strTypedKey) {
    Queue(EPromptKind::checkKey, false, strTypedKey);
}

void CScriptedPrompts::CancelCheckKey() {
    Queue(EPromptKind::checkKey, true);
}

void CScriptedPrompts::TypeChangeKey(const std::string& strOriginalKey,
                                     const std::string& strNewKey,
                                     const std::string& strConfirmKey) {
    Queue(EPromptKind::changeKey, false, strOriginalKey, strNewKey, strConfirmKey);
}

void CScriptedPrompts::CancelChangeKey() {
    Queue(EPromptKind::changeKey, true);
}

void CScriptedPrompts::AnswerPrintDialog(std::function<void(CPrintDevice&)> fnSetUp) {
    Queue(EPromptKind::print, false);
    m_queAnswers.back().m_fnSetUp = std::move(fnSetUp);
}

void CScriptedPrompts::CancelPrintDialog() {
    Queue(EPromptKind::print, true);
}

void CScriptedPrompts::AnswerFileProperty(bool bReadOnly) {
    Queue(EPromptKind::fileProperty, false, bReadOnly ? "Read-only" : "writable");
    m_queAnswers.back().m_bReadOnly = bReadOnly;
}

void CScriptedPrompts::CancelFileProperty() {
    Queue(EPromptKind::fileProperty, true);
}

void CScriptedPrompts::AnswerOptions(std::function<void(SOptionsData&)> fnUser, bool bOk) {
    Queue(EPromptKind::options, !bOk, bOk ? "OK" : "Cancel");
    m_queAnswers.back().m_fnOptions = std::move(fnUser);
}

void CScriptedPrompts::AnswerDatabaseKey(const SDatabaseKey& key) {
    Queue(EPromptKind::databaseKey, false, key.m_bNoPassword ? "no password" : "a password",
          key.m_strKeyFile);
    m_queAnswers.back().m_databaseKey = key;
}

void CScriptedPrompts::CancelDatabaseKey() {
    Queue(EPromptKind::databaseKey, true);
}

std::vector<std::string> CScriptedPrompts::MessageTexts() const {
    std::vector<std::string> vecTexts;
    for (const SPromptMessage& message : m_vecMessages)
        vecTexts.push_back(message.m_strText);
    return vecTexts;
}

std::string CScriptedPrompts::UnusedAnswers() const {
    std::string strOut;
    for (const SAnswer& answer : m_queAnswers) {
        strOut += PromptKindName(answer.m_eKind);
        if (answer.m_eKind == EPromptKind::message)
            strOut += std::string(": ") + AnswerName(answer.m_eAnswer);
        else if (answer.m_bCancel)
            strOut += ": Cancel";
        else
            strOut += ": \"" + answer.m_strText[0] + "\"";
        strOut += '\n';
    }
    for (const SBusyScript& script : m_queBusy)
        strOut += script.m_bCancel ? "busy wait: Cancel\n" : "busy wait: something meanwhile\n";
    return strOut;
}

void CScriptedPrompts::ClearRecord() {
    m_vecMessages.clear();
    m_vecCalls.clear();
    m_vecBusyTexts.clear();
    m_vecBusyKinds.clear();
}

bool CScriptedPrompts::Next(EPromptKind eKind, const std::string& strWhat, SAnswer& answer) {
    if (!m_queAnswers.empty() && m_queAnswers.front().m_eKind == eKind) {
        answer = std::move(m_queAnswers.front());
        m_queAnswers.pop_front();
        return true;
    }
    std::string strWhy =
        std::string(PromptKindName(eKind)) + " \"" + strWhat + "\" has no scripted answer";
    if (!m_queAnswers.empty())
        strWhy += std::string("; the next answer is for a ") +
                  PromptKindName(m_queAnswers.front().m_eKind);
    m_fnFail(strWhy);
    return false;
}

EMsgAnswer CScriptedPrompts::MessageBox(const std::string& strText, EMsgIcon eIcon,
                                        EMsgButtons eButtons, const std::string& strCaption) {
    SPromptMessage& message = m_vecMessages.emplace_back();
    message.m_strText = strText;
    message.m_eIcon = eIcon;
    message.m_eButtons = eButtons;
    message.m_strCaption = strCaption;
    m_vecCalls.push_back({EPromptKind::message, strText, {}});
    if (eButtons == EMsgButtons::ok)
        return EMsgAnswer::ok;

    SAnswer answer;
    // Unanswered, a box ends as when it is closed: No where there is no Cancel.
    EMsgAnswer eAnswer = eButtons == EMsgButtons::yesNo || eButtons == EMsgButtons::yesNoDefaultNo
                             ? EMsgAnswer::no
                             : EMsgAnswer::cancel;
    if (Next(EPromptKind::message, strText, answer)) {
        if (IsAnswerOffered(eButtons, answer.m_eAnswer))
            eAnswer = answer.m_eAnswer;
        else
            m_fnFail(std::string("message box \"") + strText + "\" does not offer " +
                     AnswerName(answer.m_eAnswer));
    }
    // The vector may have grown while the fail handler ran.
    m_vecMessages.back().m_eAnswer = eAnswer;
    return eAnswer;
}

bool CScriptedPrompts::FilePrompt(EPromptKind eKind, const SFilePrompt& prompt,
                                  std::string& strPath) {
    m_vecCalls.push_back({eKind, prompt.m_strTitle, prompt});
    SAnswer answer;
    if (!Next(eKind, prompt.m_strTitle, answer) || answer.m_bCancel)
        return false;
    strPath = answer.m_strText[0];
    return true;
}

bool CScriptedPrompts::PromptOpenFile(const SFilePrompt& prompt, std::string& strPath) {
    return FilePrompt(EPromptKind::openFile, prompt, strPath);
}

bool CScriptedPrompts::PromptSaveFile(const SFilePrompt& prompt, std::string& strPath) {
    return FilePrompt(EPromptKind::saveFile, prompt, strPath);
}

bool CScriptedPrompts::ChooseFolder(const std::string& strTitle, const std::string& strPrompt,
                                    const std::string& strInitial, std::string& strFolder) {
    SFilePrompt prompt;
    prompt.m_strTitle = strTitle;
    prompt.m_strFilter = strPrompt;
    prompt.m_strInitialName = strInitial;
    m_vecCalls.push_back({EPromptKind::folder, strTitle, prompt});
    SAnswer answer;
    if (!Next(EPromptKind::folder, strTitle, answer) || answer.m_bCancel)
        return false;
    strFolder = answer.m_strText[0];
    return true;
}

bool CScriptedPrompts::RunCreateKey(std::string& strKeyValue, std::string& strKey) {
    m_vecCalls.push_back({EPromptKind::createKey, {}, {}});
    for (;;) {
        SAnswer answer;
        if (!Next(EPromptKind::createKey, "Create KEY", answer) || answer.m_bCancel)
            return false;
        const SKeyDlgOutcome outcome =
            CKeyDialogRules::CreateKeyOk(answer.m_strText[0], answer.m_strText[1], *m_pCodePage);
        if (outcome.m_bClose) {
            strKeyValue = outcome.m_strKeyValue;
            strKey = outcome.m_strKey;
            return true;
        }
        MessageBox(outcome.m_strMessage, EMsgIcon::exclamation);
    }
}

bool CScriptedPrompts::RunCheckKey(const std::string& strPrompt, const std::string& strKeyValue) {
    return PlayCheckKey(strPrompt, [&](const std::string& strTyped) {
        return CKeyDialogRules::CheckKeyOk(strTyped, strKeyValue, *m_pCodePage);
    });
}

bool CScriptedPrompts::RunCheckKeyWith(const std::string& strPrompt, const CKeyAcceptor& fnAccept) {
    return PlayCheckKey(strPrompt, [&](const std::string& strTyped) {
        return CKeyDialogRules::CheckKeyOk(strTyped, fnAccept, *m_pCodePage);
    });
}

bool CScriptedPrompts::PlayCheckKey(const std::string& strPrompt,
                                    const std::function<SKeyDlgOutcome(const std::string&)>& fnOk) {
    m_vecCalls.push_back({EPromptKind::checkKey, strPrompt, {}});
    for (;;) {
        SAnswer answer;
        if (!Next(EPromptKind::checkKey, strPrompt, answer) || answer.m_bCancel)
            return false;
        const SKeyDlgOutcome outcome = fnOk(answer.m_strText[0]);
        if (outcome.m_bClose)
            return true;
        if (!outcome.m_strMessage.empty())
            MessageBox(outcome.m_strMessage, EMsgIcon::exclamation);
    }
}

bool CScriptedPrompts::RunChangeKey(std::string& strKeyValue, std::string& strKey) {
    m_vecCalls.push_back({EPromptKind::changeKey, {}, {}});
    for (;;) {
        SAnswer answer;
        if (!Next(EPromptKind::changeKey, "Change Key", answer) || answer.m_bCancel)
            return false;
        const SKeyDlgOutcome outcome =
            CKeyDialogRules::ChangeKeyOk(answer.m_strText[0], answer.m_strText[1],
                                         answer.m_strText[2], strKeyValue, *m_pCodePage);
        if (outcome.m_bClose) {
            strKeyValue = outcome.m_strKeyValue;
            strKey = outcome.m_strKey;
            return true;
        }
        MessageBox(outcome.m_strMessage, EMsgIcon::exclamation);
    }
}

void CScriptedPrompts::CancelBusy() {
    m_queBusy.push_back({true, {}});
}

void CScriptedPrompts::DuringBusy(std::function<void()> fnMeanwhile) {
    m_queBusy.push_back({false, std::move(fnMeanwhile)});
}

EBusyEnd CScriptedPrompts::RunBusy(const std::string& strText, CBusyWork fnWork, EBusyKind eKind) {
    m_vecBusyTexts.push_back(strText);
    m_vecBusyKinds.push_back(eKind);
    SBusyScript script;
    if (!m_queBusy.empty()) {
        script = std::move(m_queBusy.front());
        m_queBusy.pop_front();
    }
    m_vecWaits.push_back({eKind});
    if (script.m_fnMeanwhile)
        script.m_fnMeanwhile();
    const bool bStopped = m_vecWaits.back().m_bStopped;
    m_vecWaits.pop_back();
    if (script.m_bCancel && eKind == EBusyKind::waited)
        m_fnFail("Cancel of a busy wait that offers none: \"" + strText + "\"");
    if ((!script.m_bCancel && !bStopped) || eKind == EBusyKind::waited) {
        const CCancelToken never;
        fnWork(never);
        return EBusyEnd::done;
    }
    m_vecAbandoned.emplace_back([fnWork = std::move(fnWork)]() {
        CCancelToken token;
        token.Cancel();
        fnWork(token);
    });
    return bStopped ? EBusyEnd::interrupted : EBusyEnd::cancelled;
}

bool CScriptedPrompts::IsLockStoppableWorkRunning() const {
    return std::any_of(m_vecWaits.begin(), m_vecWaits.end(), [](const SBusyWait& wait) {
        return wait.m_eKind == EBusyKind::stoppedByLock;
    });
}

void CScriptedPrompts::StopWorkForLock() {
    for (SBusyWait& wait : m_vecWaits) {
        if (wait.m_eKind == EBusyKind::stoppedByLock)
            wait.m_bStopped = true;
    }
}

bool CScriptedPrompts::RunPrintDialog(CPrintDevice& device) {
    m_vecCalls.push_back({EPromptKind::print, {}, {}});
    SAnswer answer;
    if (!Next(EPromptKind::print, "Print", answer) || answer.m_bCancel)
        return false;
    if (answer.m_fnSetUp)
        answer.m_fnSetUp(device);
    return true;
}

bool CScriptedPrompts::RunFileProperty(SFileProperties& props) {
    m_vecCalls.push_back({EPromptKind::fileProperty, props.m_strFileName, {}});
    m_shownProperties = props;
    SAnswer answer;
    if (!Next(EPromptKind::fileProperty, props.m_strFileName, answer) || answer.m_bCancel)
        return false;
    props.m_bReadOnly = answer.m_bReadOnly;
    return true;
}

bool CScriptedPrompts::RunOptions(SOptionsData& data) {
    m_nOptionsStartPage = data.m_nStartPage;
    m_vecCalls.push_back({EPromptKind::options, std::to_string(data.m_nStartPage), {}});
    SAnswer answer;
    if (!Next(EPromptKind::options, "Options", answer))
        return false;
    if (answer.m_fnOptions)
        answer.m_fnOptions(data);
    return !answer.m_bCancel;
}

bool CScriptedPrompts::RunDatabaseKey(const std::string& strFileName, EDatabaseKeyKind eKind,
                                      SDatabaseKey& key) {
    // The key file proposed is noted as the prompt's initial name.
    m_vecCalls.push_back({EPromptKind::databaseKey, strFileName, {}, eKind});
    m_vecCalls.back().m_file.m_strInitialName = key.m_strKeyFile;
    SAnswer answer;
    if (!Next(EPromptKind::databaseKey, strFileName, answer) || answer.m_bCancel)
        return false;
    key = answer.m_databaseKey;
    return true;
}
