// SPDX-License-Identifier: GPL-3.0-or-later
// With nobody at a window the session asks nothing: it opens a file of any
// name, leaves a file without a KEY closed as it was read, and writes back
// only the file it read, unchanged by others since, under the lock it holds,
// or a new file where no file is.

#include "DocumentFixture.h"
#include "core/base/StringTable.h"
#include "core/base/TextUtil.h"
#include "core/store/FileLock.h"
#include "support/SampleDocument.h"

#include <cstdio>
#include <fstream>
#include <sys/stat.h>

namespace {

class Unattended : public DocumentFixture {
protected:
    std::unique_ptr<CSessionDoc> MakeUnattendedDoc() {
        auto pDoc = MakeDoc();
        pDoc->Session().SetUnattended(true);
        SFileOptions options;
        options.m_bBackup = false;
        pDoc->Session().SetFileOptions(options);
        return pDoc;
    }
    // A file with one account, open in an unattended session holding a
    // second account not yet saved.
    std::unique_ptr<CSessionDoc> OpenChanged(const std::string& strName) {
        m_strPath = MakeFile(strName, "k", {Account("bank", "p1")});
        auto pDoc = MakeUnattendedDoc();
        OpenWithKey(*pDoc, m_strPath, "k");
        pDoc->AddAccount(DEFAULT_GROUP_NAME, Account("mail", "p2"));
        pDoc->Session().OnContentChanged();
        m_prompts.ClearRecord();
        return pDoc;
    }
    static std::string Bytes(const std::string& strPath) {
        std::string strBytes;
        EXPECT_EQ(ReadWholeFile(strPath, strBytes), EFileError::none);
        return strBytes;
    }

    std::string m_strPath;
};

} // namespace

TEST_F(Unattended, OpensAFileOfAnyNameAndLeavesAFileWithoutKeyClosedAsRead) {
    const std::string strPath = MakeFile("Bank.pwd", "k", {Account("bank", "p1")});
    const std::string strBackup = strPath + ".bak";
    ASSERT_EQ(std::rename(strPath.c_str(), strBackup.c_str()), 0);
    auto pAttended = MakeDoc();
    EXPECT_FALSE(pAttended->Session().OpenDocumentFile(strBackup));
    EXPECT_TRUE(Shown(IDS_FORMAT_NOT_SUPPORTED, EMsgIcon::exclamation));
    m_prompts.ClearRecord();
    auto pDoc = MakeUnattendedDoc();
    OpenWithKey(*pDoc, strBackup, "k");
    EXPECT_EQ(pDoc->CountAccounts(), 1);

    // A file of zero length has no KEY: nobody is asked to make one, and
    // what was read stays for the caller to report.
    const std::string strEmpty = m_folder.Path() + "/Empty.pwd";
    std::ofstream(strEmpty).flush();
    auto pKeyless = MakeUnattendedDoc();
    m_prompts.ClearRecord();
    EXPECT_TRUE(pKeyless->Session().OpenDocumentFile(strEmpty));
    EXPECT_FALSE(pKeyless->Session().IsOpen());
    EXPECT_FALSE(pKeyless->HasKey());
    EXPECT_TRUE(m_prompts.Calls().empty());
}

TEST_F(Unattended, WritesBackOnlyTheFileItReadUnchangedSince) {
    enum class EMeanwhile { nothing, changed, gone };
    for (const EMeanwhile eMeanwhile :
         {EMeanwhile::nothing, EMeanwhile::changed, EMeanwhile::gone}) {
        SCOPED_TRACE(static_cast<int>(eMeanwhile));
        auto pDoc = OpenChanged("Shared" + std::to_string(static_cast<int>(eMeanwhile)) + ".pwd");
        if (eMeanwhile == EMeanwhile::changed) {
            auto pOther = MakeDoc();
            OpenWithKey(*pOther, m_strPath, "k");
            pOther->AddAccount(DEFAULT_GROUP_NAME, Account("other", "p3"));
            ASSERT_EQ(pOther->Session().OnFileSave(), SAVE_DONE);
            m_prompts.ClearRecord();
        } else if (eMeanwhile == EMeanwhile::gone) {
            ASSERT_EQ(std::remove(m_strPath.c_str()), 0);
        }
        const std::string strBefore = eMeanwhile == EMeanwhile::gone ? "" : Bytes(m_strPath);

        const bool bSaved = pDoc->Session().DoFileSave();

        EXPECT_EQ(bSaved, eMeanwhile == EMeanwhile::nothing);
        if (bSaved) {
            EXPECT_TRUE(m_prompts.Calls().empty());
            EXPECT_NE(Bytes(m_strPath), strBefore);
            continue;
        }
        // Reported, never asked; the other program's file is left as it is.
        EXPECT_EQ(m_prompts.Messages().size(), 1u);
        EXPECT_TRUE(Shown(FormatText(IDS_CHANGED_NOT_WRITTEN, pDoc->Session().GetPathName()),
                          EMsgIcon::exclamation));
        if (eMeanwhile == EMeanwhile::gone)
            EXPECT_FALSE(FileExists(m_strPath));
        else
            EXPECT_EQ(Bytes(m_strPath), strBefore);
    }
}

TEST_F(Unattended, TheHeldLockCoversTheSaveAndKeepsOtherCopiesOut) {
    auto pDoc = OpenChanged("Held.khv");
    ASSERT_EQ(pDoc->Session().HoldLock(m_strPath), EFileError::none);
    CFileLock other;
    EXPECT_EQ(other.Acquire(m_strPath, 0), EFileError::busy);
    // The save does not wait for its own lock.
    EXPECT_TRUE(pDoc->Session().DoFileSave());
    EXPECT_TRUE(m_prompts.Calls().empty());
    auto pReader = MakeDoc();
    OpenWithKey(*pReader, m_strPath, "k");
    EXPECT_EQ(pReader->CountAccounts(), 2);
}

TEST_F(Unattended, ANewFileIsMadeOnlyWhereNoneIsAndNothingStaysBehindAFailedSave) {
    enum class EOut { freeName, taken, sameKey };
    for (const EOut eOut : {EOut::freeName, EOut::taken, EOut::sameKey}) {
        SCOPED_TRACE(static_cast<int>(eOut));
        const std::string strTag = std::to_string(static_cast<int>(eOut));
        // Every case crosses formats. From the sealed format to ".pwd" the
        // seal is given up without a question: the caller chose it by name.
        const bool bToSealed = eOut == EOut::sameKey;
        const std::string strIn =
            MakeFile("In" + strTag + (bToSealed ? ".pwd" : ".khv"), "k", {Account("bank", "p1")});
        const std::string strOut =
            m_folder.Path() + "/Out" + strTag + (bToSealed ? ".khv" : ".pwd");
        if (eOut == EOut::taken)
            std::ofstream(strOut) << "precious";
        auto pDoc = MakeUnattendedDoc();
        OpenWithKey(*pDoc, strIn, "k");
        m_prompts.ClearRecord();
        m_prompts.AnswerSaveFile(strOut);
        if (eOut == EOut::freeName)
            m_prompts.TypeCreateKey("new", "new");
        if (eOut == EOut::sameKey) {
            m_prompts.TypeCreateKey("k", "k");
            m_prompts.CancelCreateKey();
        }

        const bool bSaved = pDoc->Session().OnFileSaveAs();

        EXPECT_EQ(bSaved, eOut == EOut::freeName);
        EXPECT_EQ(m_prompts.UnusedAnswers(), "");
        switch (eOut) {
        case EOut::freeName: {
            EXPECT_TRUE(m_prompts.Messages().empty());
            struct stat st {};
            ASSERT_EQ(::stat(strOut.c_str(), &st), 0);
            EXPECT_EQ(st.st_mode & 0777, 0600u);
            auto pReader = MakeDoc();
            OpenWithKey(*pReader, strOut, "new");
            EXPECT_EQ(pReader->CountAccounts(), 1);
            break;
        }
        case EOut::taken:
            EXPECT_TRUE(Shown(FormatText(IDS_EXISTS_NOT_REPLACED, strOut), EMsgIcon::exclamation));
            EXPECT_EQ(Bytes(strOut), "precious");
            break;
        case EOut::sameKey:
            // The name was taken before the KEY was asked; it is given back.
            EXPECT_TRUE(Shown(IDS_KEY_MUST_DIFFER, EMsgIcon::exclamation));
            EXPECT_FALSE(FileExists(strOut));
            break;
        }
    }
}
