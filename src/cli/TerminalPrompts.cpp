// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/TerminalPrompts.h"

#include "cli/CliFailure.h"
#include "core/base/StringTable.h"
#include "core/seal/SecretBuffer.h"
#include "core/store/MasterKey.h"

CTerminalPrompts::CTerminalPrompts(CKeyReading fnReadKey, CInforming fnInform)
    : m_fnReadKey(std::move(fnReadKey)), m_fnInform(std::move(fnInform)),
      m_nFailureExit(CLI_EXIT_READ), m_strWrongKey(IDS_KEY_INVALID) {}

void CTerminalPrompts::SetFailureFor(std::string strText, int nExit, std::string strMessage) {
    m_mapFailures.insert_or_assign(std::move(strText), CCliFailure(nExit, std::move(strMessage)));
}

EMsgAnswer CTerminalPrompts::MessageBox(const std::string& strText, EMsgIcon eIcon,
                                        EMsgButtons eButtons, const std::string& strCaption) {
    (void)strCaption;
    switch (eButtons) {
    case EMsgButtons::yesNo:
    case EMsgButtons::yesNoDefaultNo:
        return EMsgAnswer::no;
    case EMsgButtons::okCancel:
    case EMsgButtons::yesNoCancel:
        return EMsgAnswer::cancel;
    case EMsgButtons::ok:
        break;
    }
    if (eIcon != EMsgIcon::information) {
        const auto it = m_mapFailures.find(strText);
        throw it != m_mapFailures.end() ? it->second : CCliFailure(m_nFailureExit, strText);
    }
    m_fnInform(strText);
    return EMsgAnswer::ok;
}

bool CTerminalPrompts::PromptOpenFile(const SFilePrompt&, std::string&) {
    return false;
}

bool CTerminalPrompts::PromptSaveFile(const SFilePrompt&, std::string& strPath) {
    strPath = m_strSaveAnswer;
    return !strPath.empty();
}

bool CTerminalPrompts::ChooseFolder(const std::string&, const std::string&, const std::string&,
                                    std::string&) {
    return false;
}

bool CTerminalPrompts::RunCreateKey(std::string& strKeyValue, std::string& strKey) {
    if (!m_fnReadNewKey)
        return false;
    strKey = m_fnReadNewKey();
    CMasterKey key;
    key.Set(strKey);
    strKeyValue = key.CheckValue();
    return true;
}

bool CTerminalPrompts::RunChangeKey(std::string& strKeyValue, std::string& strKey) {
    return RunCreateKey(strKeyValue, strKey);
}

bool CTerminalPrompts::RunCheckKey(const std::string& strPrompt, const std::string& strKeyValue) {
    return RunCheckKeyWith(strPrompt, [&strKeyValue](const std::string& strTyped) {
        CMasterKey typed;
        typed.Set(strTyped);
        return typed.CheckValue() == strKeyValue;
    });
}

// One KEY is read: a script that typed the wrong one learns it at once
// instead of being asked again.
bool CTerminalPrompts::RunCheckKeyWith(const std::string& strPrompt, const CKeyAcceptor& fnAccept) {
    std::string strKey = m_fnReadKey(strPrompt);
    const SKeyVerdict verdict = fnAccept(strKey);
    CSecretBuffer::Wipe(strKey);
    if (verdict.m_bAccepted)
        return true;
    if (!verdict.m_strNotJudged.empty())
        throw CCliFailure(CLI_EXIT_READ, verdict.m_strNotJudged);
    throw CCliFailure(CLI_EXIT_KEY, m_strWrongKey);
}

bool CTerminalPrompts::RunPrintDialog(CPrintDevice&) {
    return false;
}

bool CTerminalPrompts::RunFileProperty(SFileProperties&) {
    return false;
}

bool CTerminalPrompts::RunOptions(SOptionsData&) {
    return false;
}
