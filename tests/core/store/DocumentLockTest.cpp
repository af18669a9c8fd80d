// SPDX-License-Identifier: GPL-3.0-or-later
// The lock lets go of an unmodified document and reads its file again on the
// way back; changes that cannot be saved quietly stay in memory.

#include "DocumentFixture.h"
#include "core/base/StringTable.h"
#include "core/base/TextUtil.h"
#include "support/SampleDocument.h"

#include <sys/stat.h>

namespace {

class DocLock : public DocumentFixture {
protected:
    // An open document of a file with two accounts, KEY "k"; with bChanged,
    // holding a third account not yet saved.
    std::unique_ptr<CSessionDoc> Open(const std::string& strName, bool bChanged = false) {
        m_strPath = MakeFile(strName, "k", {Account("bank", "p1"), Account("mail", "p2")});
        auto pDoc = MakeDoc();
        OpenWithKey(*pDoc, m_strPath, "k");
        if (bChanged) {
            pDoc->AddAccount(DEFAULT_GROUP_NAME, Account("unsaved", "p9"));
            pDoc->SetModifiedFlag(true);
        }
        m_strShown = DumpRecords(*pDoc);
        m_prompts.ClearRecord();
        return pDoc;
    }
    // Another program's change: the file gets a third account.
    void ChangeOnDisk() {
        auto pOther = MakeDoc();
        OpenWithKey(*pOther, m_strPath, "k");
        pOther->AddAccount(DEFAULT_GROUP_NAME, Account("third", "p3"));
        ASSERT_EQ(pOther->Session().OnFileSave(), SAVE_DONE);
        m_prompts.ClearRecord();
    }
    static bool HoldsNothing(const CCofferDoc& doc) {
        return doc.Records().empty() && !doc.HasKey() && !doc.Key().HasSecret();
    }

    std::string m_strPath;
    std::string m_strShown;
};

} // namespace

TEST_F(DocLock, AnUnmodifiedFileIsLetGoAndReadAgainUnderItsKey) {
    for (const char* pszName : {"Plain.pwd", "Sealed.khv"}) {
        SCOPED_TRACE(pszName);
        auto pDoc = Open(pszName);
        Notices().clear();
        ASSERT_TRUE(pDoc->Session().UnloadForLock());
        EXPECT_TRUE(HoldsNothing(*pDoc));
        EXPECT_EQ(Notices().front(), "emptied");
        // A cancelled KEY stays locked, still holding nothing.
        m_prompts.CancelCheckKey();
        EXPECT_FALSE(pDoc->Session().ReloadAfterLock());
        EXPECT_TRUE(pDoc->Session().IsUnloaded() && HoldsNothing(*pDoc));

        m_prompts.TypeCheckKey("wrong");
        m_prompts.TypeCheckKey("k");
        ASSERT_TRUE(pDoc->Session().ReloadAfterLock());
        EXPECT_FALSE(pDoc->Session().IsUnloaded());
        EXPECT_EQ(DumpRecords(*pDoc), m_strShown);
        EXPECT_EQ(pDoc->Session().GetPathName(), m_strPath);
        EXPECT_EQ(Notices().back(), "initialUpdate");
        EXPECT_EQ(Messages(), std::vector<std::string>{IDS_KEY_INVALID});
        // Saving works under the KEY typed at unlocking.
        pDoc->AddAccount(DEFAULT_GROUP_NAME, Account("new", "p4"));
        EXPECT_EQ(pDoc->Session().OnFileSave(), SAVE_DONE);
        EXPECT_FALSE(pDoc->IsModified());
    }
}

TEST_F(DocLock, ChangesAreSavedFirstOnlyWithAutoSaveToAWritableFile) {
    for (const auto& [bAutoSave, bReadOnly, bUnloads] :
         {std::tuple{true, false, true}, {false, false, false}, {true, true, false}}) {
        auto pDoc = Open("Changed.pwd", true);
        const bool bSave = bAutoSave; // a lambda may not capture a structured binding everywhere
        ChangeFileOptions(pDoc->Session(),
                          [bSave](SFileOptions& options) { options.m_bAutoSave = bSave; });
        ::chmod(m_strPath.c_str(), bReadOnly ? 0400 : 0600);
        EXPECT_EQ(pDoc->Session().UnloadForLock(), bUnloads) << bAutoSave << bReadOnly;
        EXPECT_TRUE(m_prompts.Calls().empty()) << "the lock asks nothing";
        if (bUnloads) {
            m_prompts.TypeCheckKey("k");
            ASSERT_TRUE(pDoc->Session().ReloadAfterLock());
        } else {
            EXPECT_TRUE(pDoc->IsModified() && !pDoc->Session().IsUnloaded());
        }
        EXPECT_EQ(DumpRecords(*pDoc), m_strShown);
        ::chmod(m_strPath.c_str(), 0600);
    }
}

TEST_F(DocLock, AFileChangedOrGoneWhileLockedIsReportedWithItsChoices) {
    const std::string strOther = MakeFile("Other.pwd", "o", {Account("elsewhere")});
    // Cancel stays locked; Yes reads the file as it is now; No opens another.
    for (const auto& [eAnswer, nAccounts] :
         {std::pair{EMsgAnswer::cancel, 0}, {EMsgAnswer::yes, 3}, {EMsgAnswer::no, 1}}) {
        auto pDoc = Open("Work.pwd");
        ASSERT_TRUE(pDoc->Session().UnloadForLock());
        ChangeOnDisk();
        m_prompts.AnswerMessage(eAnswer);
        if (eAnswer == EMsgAnswer::no)
            m_prompts.AnswerOpenFile(strOther);
        if (eAnswer != EMsgAnswer::cancel)
            m_prompts.TypeCheckKey(eAnswer == EMsgAnswer::yes ? "k" : "o");
        EXPECT_EQ(pDoc->Session().ReloadAfterLock(), eAnswer != EMsgAnswer::cancel);
        EXPECT_EQ(Messages().front(), FormatText(IDS_CHANGED_WHILE_LOCKED, m_strPath));
        EXPECT_EQ(pDoc->CountAccounts(), nAccounts);
        EXPECT_EQ(pDoc->Session().GetPathName(), eAnswer == EMsgAnswer::no ? strOther : m_strPath);
        EXPECT_EQ(m_prompts.UnusedAnswers(), "");
    }
    auto pDoc = Open("Gone.pwd");
    ASSERT_TRUE(pDoc->Session().UnloadForLock());
    ::unlink(m_strPath.c_str());
    m_prompts.AnswerMessage(EMsgAnswer::yes);
    EXPECT_TRUE(pDoc->Session().ReloadAfterLock());
    EXPECT_EQ(Messages(), std::vector<std::string>{FormatText(IDS_GONE_WHILE_LOCKED, m_strPath)});
    EXPECT_FALSE(pDoc->Session().IsOpen());
}

TEST_F(DocLock, KeptChangesAskBeforeReplacingAFileChangedWhileLocked) {
    for (const bool bGone : {false, true}) {
        auto pDoc = Open("Kept.pwd", true);
        ASSERT_FALSE(pDoc->Session().UnloadForLock());
        if (bGone)
            ::unlink(m_strPath.c_str());
        else
            ChangeOnDisk();
        m_prompts.AnswerMessage(EMsgAnswer::yes);
        pDoc->Session().CheckFileAfterLock();
        EXPECT_EQ(Messages().front(),
                  FormatText(bGone ? IDS_KEPT_GONE_WHILE_LOCKED : IDS_KEPT_CHANGED_WHILE_LOCKED,
                             m_strPath));
        auto pReader = MakeDoc();
        OpenWithKey(*pReader, m_strPath, "k");
        EXPECT_EQ(DumpRecords(*pReader), m_strShown);
    }
}
