// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptedEditPrompts.h"

#include <cstdio>
#include <cstdlib>

namespace {

void DefaultFail(const std::string& strWhat) {
    std::fprintf(stderr, "unexpected dialog: %s\n", strWhat.c_str());
    std::abort();
}

} // namespace

void CScriptedEditPrompts::AnswerAddGroup(std::string strName) {
    m_queGroup.push_back({true, {}, std::move(strName)});
}

void CScriptedEditPrompts::AnswerEditGroup(std::string strGroup, std::string strName) {
    m_queGroup.push_back({true, std::move(strGroup), std::move(strName)});
}

void CScriptedEditPrompts::AnswerDeleteGroup(std::string strGroup) {
    m_queGroup.push_back({true, std::move(strGroup), {}});
}

void CScriptedEditPrompts::CancelGroupDialog() {
    m_queGroup.push_back({});
}

bool CScriptedEditPrompts::RunAccountDlg(SAccountDlgData& data) {
    m_vecAccountOpened.push_back(data);
    if (m_queAccount.empty()) {
        (m_fnFail ? m_fnFail : DefaultFail)("account dialog");
        return false;
    }
    const AccountAnswer fnAnswer = std::move(m_queAccount.front());
    m_queAccount.pop_front();
    return fnAnswer(data);
}

bool CScriptedEditPrompts::NextGroup(const char* pszDialog, SGroupAnswer& answer) {
    if (m_queGroup.empty()) {
        (m_fnFail ? m_fnFail : DefaultFail)(pszDialog);
        return false;
    }
    answer = m_queGroup.front();
    m_queGroup.pop_front();
    return answer.m_bOk;
}

bool CScriptedEditPrompts::RunAddGroup(std::string& strName) {
    m_vecGroupOpened.emplace_back();
    SGroupAnswer answer;
    if (!NextGroup("Add Group", answer))
        return false;
    strName = answer.m_strName;
    return true;
}

bool CScriptedEditPrompts::RunEditGroup(std::string& strGroup, std::string& strName) {
    m_vecGroupOpened.push_back(strGroup);
    SGroupAnswer answer;
    if (!NextGroup("Edit Group", answer))
        return false;
    strGroup = answer.m_strGroup;
    strName = answer.m_strName;
    return true;
}

bool CScriptedEditPrompts::RunDeleteGroup(std::string& strGroup) {
    m_vecGroupOpened.push_back(strGroup);
    SGroupAnswer answer;
    if (!NextGroup("Delete Group", answer))
        return false;
    strGroup = answer.m_strGroup;
    return true;
}

EReplaceAnswer CScriptedEditPrompts::RunAccountReplace(const std::string& strAccount) {
    m_vecReplaceAsked.push_back(strAccount);
    if (m_queReplace.empty()) {
        (m_fnFail ? m_fnFail : DefaultFail)("Account Replace Confirm");
        return EReplaceAnswer::cancel;
    }
    const EReplaceAnswer eAnswer = m_queReplace.front();
    m_queReplace.pop_front();
    return eAnswer;
}

void CScriptedEditPrompts::RunPasswordHealth(SHealthDlgData& data) {
    m_vecHealthOpened.push_back(data.m_strThreshold);
    if (m_queHealth.empty()) {
        (m_fnFail ? m_fnFail : DefaultFail)("password health dialog");
        return;
    }
    const HealthAnswer fnAnswer = std::move(m_queHealth.front());
    m_queHealth.pop_front();
    fnAnswer(data);
}
