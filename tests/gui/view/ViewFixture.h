// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/model/DocNotifier.h"
#include "gui/model/RecordTreeModel.h"
#include "gui/shell/FrameFixture.h"
#include "gui/view/CofferView.h"
#include "support/ScriptedEditPrompts.h"

#include <memory>
#include <string>

// A frame with its view over a document that tests fill record by record.
struct CViewFixture : CFrameFixture {
    explicit CViewFixture(CMemoryProfile* pSharedProfile = nullptr);
    ~CViewFixture();

    // A keyed document named strFileName built from an outline (see
    // BuildSampleDocument): "Bank: Loan, Card / Mail: Home", or just the
    // name of its one group.
    void NewKeyedDocument(const std::string& strOutline,
                          const std::string& strFileName = "Home.pwd");
    CPasswordInfo* Group(const std::string& strName);
    CPasswordInfo* Account(const std::string& strGroup, const std::string& strName,
                           const std::string& strPassword = "pw", const std::string& strWeb = {},
                           const std::string& strMail = {});
    // Builds the view's tree as an opened file does; the view follows the
    // document's notices from then on.
    CCofferView& Show();
    // The tree's items: the file item, a group by its row, an account by
    // its group's row and its own.
    QModelIndex Item(int nGroup = -1, int nAccount = -1) const;
    const CPasswordInfo* RecordOf(const QModelIndex& item) const;
    QModelIndex Current() const;
    std::string CurrentLabel() const;
    // "G" for a group, "G/A" for an account, "" for the file item or none.
    std::string CurrentPath() const;
    // Every record of the document's list, as "G:name" or the account name,
    // in list order.
    std::vector<std::string> ListOrder() const;
    // The tree's labels in pre-order, each level indented by two blanks.
    // With bShownOnly, the rows the filter hides are left out and "+" marks
    // an open group.
    std::vector<std::string> TreeLabels(bool bShownOnly = false) const;

    CScriptedEditPrompts m_editPrompts;
    CDocNotifier m_notifier{*m_pDoc};
    std::unique_ptr<CCofferView> m_pView;
};
