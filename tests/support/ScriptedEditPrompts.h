// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/EditPrompts.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

// The editing dialogs for view tests: each dialog opened takes the next
// queued answer of its kind; an answer edits what the dialog was opened with
// and returns true for OK. A dialog with no answer queued is a test failure
// (reported through m_fnFail) and is cancelled.
class CScriptedEditPrompts : public CEditPrompts {
public:
    using AccountAnswer = std::function<bool(SAccountDlgData&)>;

    void AnswerAccount(AccountAnswer fnAnswer) { m_queAccount.push_back(std::move(fnAnswer)); }
    void AnswerAddGroup(std::string strName);
    void AnswerEditGroup(std::string strGroup, std::string strName);
    void AnswerDeleteGroup(std::string strGroup);
    void CancelGroupDialog();
    void AnswerReplace(EReplaceAnswer eAnswer) { m_queReplace.push_back(eAnswer); }
    // What the user does in the Password Health dialog before closing it.
    using HealthAnswer = std::function<void(SHealthDlgData&)>;
    void AnswerHealth(HealthAnswer fnAnswer) { m_queHealth.push_back(std::move(fnAnswer)); }

    // What each account dialog was opened with, and the group each group
    // dialog preselected.
    std::vector<SAccountDlgData> m_vecAccountOpened;
    std::vector<std::string> m_vecGroupOpened;
    // The names each Account Replace Confirm dialog showed.
    std::vector<std::string> m_vecReplaceAsked;
    // The threshold each Password Health dialog was opened with.
    std::vector<std::string> m_vecHealthOpened;
    std::function<void(const std::string&)> m_fnFail;

    bool RunAccountDlg(SAccountDlgData& data) override;
    bool RunAddGroup(std::string& strName) override;
    bool RunEditGroup(std::string& strGroup, std::string& strName) override;
    bool RunDeleteGroup(std::string& strGroup) override;
    EReplaceAnswer RunAccountReplace(const std::string& strAccount) override;
    void RunPasswordHealth(SHealthDlgData& data) override;

private:
    struct SGroupAnswer {
        bool m_bOk = false;
        std::string m_strGroup;
        std::string m_strName;
    };
    bool NextGroup(const char* pszDialog, SGroupAnswer& answer);

    std::deque<AccountAnswer> m_queAccount;
    std::deque<SGroupAnswer> m_queGroup;
    std::deque<EReplaceAnswer> m_queReplace;
    std::deque<HealthAnswer> m_queHealth;
};
