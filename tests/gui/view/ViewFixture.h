// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/shell/FrameFixture.h"
#include "gui/view/CofferView.h"
#include "support/ScriptedEditPrompts.h"

#include <memory>
#include <string>

class QTreeWidgetItem;

// A frame with its view over a document that tests fill record by record.
struct CViewFixture : CFrameFixture {
    explicit CViewFixture(CMemoryProfile* pSharedProfile = nullptr);
    ~CViewFixture();

    // A keyed document named strFileName with the group "My Passwords" renamed
    // to strFirstGroup.
    void NewKeyedDocument(const std::string& strFirstGroup,
                          const std::string& strFileName = "Home.pwd");
    CPasswordInfo* Group(const std::string& strName);
    CPasswordInfo* Account(const std::string& strGroup, const std::string& strName,
                           const std::string& strPassword = "pw", const std::string& strWeb = {},
                           const std::string& strMail = {});
    // Builds the view's tree as an opened file does.
    CCofferView& Show();
    QTreeWidgetItem* Current() const;
    std::string CurrentLabel() const;
    // "G" for a group, "G/A" for an account, "" for the file item or none.
    std::string CurrentPath() const;
    // Every record of the document's list, as "G:name" or the account name,
    // in list order.
    std::vector<std::string> ListOrder() const;
    // The tree's labels in pre-order, accounts indented by two blanks.
    std::vector<std::string> TreeLabels() const;

    CScriptedEditPrompts m_editPrompts;
    std::unique_ptr<CCofferView> m_pView;
};
