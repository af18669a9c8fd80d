// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/RecordExtras.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

class CPasswordInfo;

// The generator settings the account dialog generates with: the flags word
// and the three length texts, converted only when a password is made.
struct SGeneratorSettings {
    int m_nFlags = 39;
    std::string m_strBegin = "5";
    std::string m_strEnd = "8";
    std::string m_strLength = "6";

    bool operator==(const SGeneratorSettings&) const = default;
};

// What the account dialog is opened with and hands back. Texts are the
// document's code-page bytes.
struct SAccountDlgData {
    // In: the group to preselect ("" for none). Out: the group chosen.
    std::string m_strGroup;
    // In: "" opens the dialog to add an account, a name to edit one.
    std::string m_strAccount;
    std::string m_strUserName;
    std::string m_strPassword;
    std::string m_strWebSite;
    std::string m_strEMail;
    std::string m_strComments;
    // The record being edited, which may keep its own name; none when adding.
    const CPasswordInfo* m_pEditing = nullptr;
    bool m_bMaskPasswords = true;
    SGeneratorSettings m_generator;
    // The generator-settings button: opens the Options dialog on the
    // generator page and refreshes the settings given; none disables it.
    std::function<void(SGeneratorSettings&)> m_fnGeneratorSettings;
    // An account of a database: what it holds beyond the six texts (in, and
    // out as edited), and its earlier versions, newest last (in). None for
    // a password file's account, whose dialog shows only the texts.
    std::optional<SRecordExtras> m_extras;
    std::vector<SRecordVersion> m_history;
};

// What the Password Health dialog is opened with and hands back.
struct SHealthDlgData {
    // In and out: the strength word ("reasonable") below which a password
    // counts as weak; the dialog's list follows it as the user changes it.
    std::string m_strThreshold;
    // Opens the account dialog for one account of the list and returns when
    // it is closed; the health dialog then checks the document again.
    std::function<void(const CPasswordInfo*)> m_fnEditAccount;
};

// The answers of the Account Replace Confirm dialog, asked when a dropped
// account meets one of the same name: replace it, replace it and every
// further clash of this drop without asking, keep both where they were, or
// stop the drop here.
enum class EReplaceAnswer { cancel = -1, no = 0, yes = 1, yesToAll = 2 };

// The editing dialogs as the view and the Password Bar see them: each stays
// open until its OK rule accepts what was typed or the user cancels, and
// returns true on OK. The desktop program opens the real dialogs; tests play
// answers back.
class CEditPrompts {
public:
    virtual ~CEditPrompts() = default;

    virtual bool RunAccountDlg(SAccountDlgData& data) = 0;
    // On OK strName is a new group name that no group of the file has.
    virtual bool RunAddGroup(std::string& strName) = 0;
    // strGroup: in, the group to preselect; out, the group to rename.
    virtual bool RunEditGroup(std::string& strGroup, std::string& strName) = 0;
    // strGroup: in, the group to preselect; out, the group to delete.
    virtual bool RunDeleteGroup(std::string& strGroup) = 0;
    // strAccount is the clashing name (code-page bytes).
    virtual EReplaceAnswer RunAccountReplace(const std::string& strAccount) = 0;
    // Shows the accounts whose passwords need attention until closed.
    virtual void RunPasswordHealth(SHealthDlgData& data) = 0;
};
